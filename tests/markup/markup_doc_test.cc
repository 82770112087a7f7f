#include "markup/markup_doc.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markup/markup_test_util.h"

namespace c51 {
namespace {

// parent, current, child, node type
std::vector<int> Positions(const MarkupDoc& doc) {
  return {doc.parent_pos(), doc.current_pos(), doc.child_pos(), doc.node_type()};
}

TEST(MarkupDocTest, SearchesGoForwardOnly) {
  MarkupDoc doc;
  EXPECT_EQ("Empty document", doc.GetResultText());  // a new document
  EXPECT_FALSE(doc.FindChildElem());
  ASSERT_TRUE(
      doc.AssignText("<Project><A>1</A><Header>&amp;&lt;&gt;&apos;&quot;</Header>"
                     "<C>3</C></Project>"));
  // Without a current element FindChildElem first finds the top one.
  ASSERT_TRUE(doc.FindChildElem("Header"));
  EXPECT_EQ((std::vector<int>{0, 1, 3, 1}), Positions(doc));
  EXPECT_EQ("&<>'\"", doc.GetChildData());
  ASSERT_TRUE(doc.FindChildElem("C"));
  EXPECT_FALSE(doc.FindChildElem("A"));
  EXPECT_FALSE(doc.FindChildElem("C"));
  EXPECT_EQ((std::vector<int>{0, 1, 4, 1}), Positions(doc));  // failures move nothing
  doc.RewindPos();
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0}), Positions(doc));
  ASSERT_TRUE(doc.FindChildElem("A"));
  EXPECT_EQ("1", doc.GetChildData());
}

TEST(MarkupDocTest, FindChildElemWithoutNameVisitsEveryChild) {
  MarkupDoc doc;
  ASSERT_TRUE(doc.AssignText(
      "<BeforeCompile>\n  <RunUserProg1>1</RunUserProg1>\n  <!-- c -->\n"
      "  <UserProg1Name>make.bat</UserProg1Name>\n  <UserProg2Name/>\n</BeforeCompile>"));
  std::vector<std::string> seen;
  while (doc.FindChildElem())
    seen.push_back(std::string(doc.GetChildName()) + "=" + doc.GetChildData());
  EXPECT_EQ(
      (std::vector<std::string>{"RunUserProg1=1", "UserProg1Name=make.bat", "UserProg2Name="}),
      seen);
  EXPECT_EQ("UserProg2Name", doc.GetChildName());
}

TEST(MarkupDocTest, ChildData) {
  struct Case {
    std::string child;  // inside <r>...</r>
    std::string data;
  } cases[] = {
      {"<c>  </c>", "  "},
      {"<c>text<x>more</x></c>", ""},  // has a child element
      {"<c/>", ""},
      {"<c a='1'>", ""},  // no end tag
      {"<c>one<![CDATA[<two> &amp; ]]>three</c>", "one<two> &amp; three"},
      {"<c> a <!-- x --> <!-- y --> b<?pi?></c>", " a  b"},
      {"<c>x &#65; &#X41; &bogus; &</c>", "x A &#X41; &bogus; &"},
      {"<c>1 &gt; 0 > -1</c>", "1 > 0 > -1"},
      {"<c>x</b>y</c>", "xy"},  // the stray end tag is ignored
      {"<c>\xC7\xFD&lt;\xB6\xAF</c>", "\xC7\xFD<\xB6\xAF"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.child);
    MarkupDoc doc;
    doc.AssignText("<r>" + c.child + "</r>");
    ASSERT_TRUE(doc.FindChildElem());
    EXPECT_EQ(c.data, doc.GetChildData());
  }
}

// References in the text runs of mixed content decode as in a single run;
// CDATA keeps them as written.
TEST(MarkupDocTest, ChildDataReferencesAcrossTextRuns) {
  test::ScopedLocalCodePage gbk("936");
  MarkupDoc doc;
  ASSERT_TRUE(doc.AssignText(
      "<r><c>&#x4E2D;<!-- x -->&#20013;&#65;<![CDATA[&#x4E2D;]]>&#x0E01;<?p?>&lt;</c></r>"));
  ASSERT_TRUE(doc.FindChildElem("c"));
  // A character the local code page lacks (on Windows it is the system's)
  // keeps its reference as written.
  std::string zhong = test::Local("\xE4\xB8\xAD");
  std::string thai = test::Local("\xE0\xB8\x81");
  auto local = [](const std::string& form, const char* reference) {
    return form == "?" ? std::string(reference) : form;
  };
  EXPECT_EQ(local(zhong, "&#x4E2D;") + local(zhong, "&#20013;") + "A&#x4E2D;" +
                local(thai, "&#x0E01;") + "<",
            doc.GetChildData());
}

TEST(MarkupDocTest, EnterAndLeave) {
  MarkupDoc doc;
  ASSERT_TRUE(doc.AssignText("<P><T><N>1</N></T><T><N>2</N></T></P>"));
  ASSERT_TRUE(doc.FindChildElem("T"));
  std::vector<int> at_t = Positions(doc);
  ASSERT_TRUE(doc.EnterElem());
  EXPECT_EQ((std::vector<int>{1, 2, 0, 1}), Positions(doc));
  ASSERT_TRUE(doc.FindChildElem("N"));
  ASSERT_TRUE(doc.LeaveElem());
  EXPECT_EQ(at_t, Positions(doc));
  EXPECT_FALSE(doc.LeaveElem());  // no parent above the top

  // Entering with no current child leaves nothing current below.
  doc.RewindPos();
  ASSERT_TRUE(doc.FindElem("P"));
  ASSERT_TRUE(doc.EnterElem());
  EXPECT_EQ((std::vector<int>{1, 0, 0, 0}), Positions(doc));
  EXPECT_FALSE(doc.EnterElem());
  ASSERT_TRUE(doc.FindElem());
  ASSERT_TRUE(doc.FindElem());
  ASSERT_TRUE(doc.FindChildElem());
  EXPECT_EQ("2", doc.GetChildData());
}

TEST(MarkupDocTest, NameMatching) {
  struct Case {
    const char* element;
    const char* wanted;
    bool found;
  } cases[] = {
      {"<Target>", "Target[2]", true},
      {"<Target>", "Target=x", true},
      {"<Target>", "Target/y", true},
      {"<Target>", "Target z", true},
      {"<Target\r\n name='x'>", "Target", true},
      {"<Target>", "Targets", false},
      {"<Targets>", "Target", false},
      {"<Target>", "target", false},  // case-sensitive
      {"<\xD6\xD0\xCE\xC4>", "\xD6\xD0", false},
      {"<a\xB1\\b>", "a\xB1\\b", true},  // GBK trail byte "\" belongs to the name
      {"<a\xB1\\b>", "a\xB1", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.element) + " / " + c.wanted);
    MarkupDoc doc;
    doc.AssignText(std::string("<r>") + c.element + "</r>");
    EXPECT_EQ(c.found, doc.FindChildElem(c.wanted));
  }
  MarkupDoc doc;
  doc.set_doc_flags(kDocIgnoreCase);
  doc.AssignText("<Project><Header/></Project>");
  EXPECT_TRUE(doc.FindChildElem("HEADER"));
}

TEST(MarkupDocTest, DamagedDocumentsStayNavigable) {
  MarkupDoc doc;
  EXPECT_FALSE(doc.AssignText("<a><x>1</x></a>\n<b><y>2</y></b>"));
  ASSERT_TRUE(doc.FindElem("a"));
  ASSERT_TRUE(doc.FindElem("b"));  // the second top-level element
  ASSERT_TRUE(doc.FindChildElem("y"));
  EXPECT_EQ("2", doc.GetChildData());

  EXPECT_FALSE(doc.AssignText("<r><a>1</a><b>2<c>3</c><1 oops><d>4</d></r>"));
  EXPECT_EQ("Incorrect tag name character at offset 23", doc.GetResultText());
  ASSERT_TRUE(doc.FindChildElem("b"));
  EXPECT_EQ("", doc.GetChildData());    // never ended: no content
  ASSERT_TRUE(doc.FindChildElem("d"));  // b's children moved up beside it
  EXPECT_EQ("4", doc.GetChildData());
}

}  // namespace
}  // namespace c51
