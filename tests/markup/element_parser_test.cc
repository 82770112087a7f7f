#include "markup/element_parser.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "markup/doc_invariants.h"
#include "markup/markup_doc.h"

namespace c51 {
namespace {

// One line per record from 1 on: start length start-tag end-tag flags
// (hex, level masked off) level parent first-child next prev.
std::vector<std::string> Records(const MarkupDoc& doc) {
  std::vector<std::string> out;
  for (int i = 1; i < doc.next_free(); ++i) {
    const ElemSpan& e = doc.elem(i);
    char line[128];
    std::snprintf(line, sizeof line, "%d %d %d %d %x %d %d %d %d %d", e.start, e.length,
                  e.start_tag_length(), e.end_tag_length(), e.flags_level & ~kElemLevelMask,
                  e.level(), e.parent, e.first_child, e.next, e.prev);
    out.push_back(line);
  }
  return out;
}

TEST(ElementParserTest, ResultTexts) {
  struct Case {
    std::string text;
    bool well_formed;
    std::string result;
  } cases[] = {
      {"", false, "Empty document"},
      {"<?xml version=\"1.0\"?>\n<!DOCTYPE r>\n<r a=\"x>y\">t</r>\n<!-- end -->trailing", true, ""},
      {"<r></r \n>", true, ""},
      {"<\xB1\xED>\xD6\xD0</\xB1\xED>", true, ""},
      {"<?xml version=\"1.0\"?><!-- only a comment -->", false, "No root element"},
      {"<a/><b/>", false, "Root element has sibling"},
      {"<a>", false, "Element 'a' at offset 0 not ended"},
      {"<?xml?>\n<r>text", false, "Element 'r' at offset 8 not ended"},
      // An unclosed root's children become its siblings: that text wins.
      {"<r><a/>", false, "Root element has sibling"},
      {"<r></x></r>", false, "No start tag for end tag 'x' at offset 3"},
      {"<r></></r>", false, "No start tag for end tag '' at offset 3"},
      {"<a></A></a>", false, "No start tag for end tag 'A' at offset 3"},
      // The end tag is placed by its "/"; the innermost element closed is named.
      {"<r><a></r>", false, "End tag 'r' at offset 7 does not match start tag 'a' at offset 3"},
      {"<r><a><b></r>", false, "End tag 'r' at offset 10 does not match start tag 'b' at offset 6"},
      {"<r>< x</r>", false, "Incorrect tag name character at offset 3"},
      {"<r><!-- x", false, "Comment at offset 3 unterminated"},
      {"<r><a b='1></r>", false, "Element tag at offset 3 unterminated"},
      // Only the first error survives.
      {"<r></x></y><1></r>", false, "No start tag for end tag 'x' at offset 3"},
      {"<r><1></x><a></r>", false, "Incorrect tag name character at offset 3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    MarkupDoc doc;
    EXPECT_EQ(c.well_formed, doc.AssignText(c.text));
    EXPECT_EQ(c.result, doc.GetResultText());
    EXPECT_EQ("", test::CheckDocInvariants(doc));
  }
}

TEST(ElementParserTest, RecordsOfWellFormedElements) {
  MarkupDoc doc;
  ASSERT_TRUE(doc.AssignText("<r>\n <a k=\"v\">text</a>\n <e/>\n <b></b >\n</r>"));
  EXPECT_EQ(0, doc.elem(0).start);
  EXPECT_EQ(43, doc.elem(0).length);
  EXPECT_EQ(1, doc.elem(0).first_child);
  EXPECT_EQ((std::vector<std::string>{
                "0 43 3 4 80000 0 0 2 0 1",
                "5 17 9 4 80000 1 1 0 3 4",
                "24 4 4 0 10000 1 1 0 4 2",
                "30 8 3 5 0 1 1 0 0 3",
            }),
            Records(doc));
}

TEST(ElementParserTest, ChildrenOfUnclosedElementsBecomeSiblings) {
  MarkupDoc doc;
  EXPECT_FALSE(doc.AssignText("<r><a><x/><b><y/><c><z/></r>"));
  EXPECT_EQ("End tag 'r' at offset 25 does not match start tag 'c' at offset 17",
            doc.GetResultText());
  // a, b and c lose their children and end tags; everything lands in r.
  EXPECT_EQ((std::vector<std::string>{
                "0 28 3 4 80000 0 0 2 0 1",
                "3 3 3 0 180000 1 1 0 3 7",
                "6 4 4 0 10000 2 1 0 4 2",
                "10 3 3 0 100000 2 1 0 5 3",
                "13 4 4 0 10000 3 1 0 6 4",
                "17 3 3 0 100000 3 1 0 7 5",
                "20 4 4 0 10000 4 1 0 0 6",
            }),
            Records(doc));
  EXPECT_TRUE(doc.elem(0).flags_level & kElemBadlyFormed);

  // An end tag closes the innermost open element of its name.
  EXPECT_FALSE(doc.AssignText("<r><a><a><b></a></a></r>"));
  EXPECT_EQ("End tag 'a' at offset 13 does not match start tag 'b' at offset 9",
            doc.GetResultText());
  EXPECT_EQ(4, doc.elem(3).end_tag_length());
}

TEST(ElementParserTest, DamageFlags) {
  MarkupDoc doc;
  // An ignored end tag marks the element around it.
  EXPECT_FALSE(doc.AssignText("<r><a>x</b></a><c/></r>"));
  EXPECT_EQ("No start tag for end tag 'b' at offset 7", doc.GetResultText());
  EXPECT_EQ((std::vector<std::string>{"0 23 3 4 80000 0 0 2 0 1", "3 12 3 4 280000 1 1 0 3 3",
                                      "15 4 4 0 10000 1 1 0 0 2"}),
            Records(doc));
  EXPECT_EQ(kElemBadlyFormed, doc.elem(0).flags_level);

  // The mark moves out with elements closed without end tag.
  EXPECT_FALSE(doc.AssignText("<r><a><b>< </r>"));
  EXPECT_EQ(kElemBadContent | kElemFirstChild, doc.elem(1).flags_level);
  EXPECT_FALSE(doc.elem(2).flags_level & kElemBadContent);
  EXPECT_FALSE(doc.elem(3).flags_level & kElemBadContent);

  // Damage at the top level marks the document both ways.
  EXPECT_FALSE(doc.AssignText("<1><r/>"));
  EXPECT_EQ(kElemBadlyFormed | kElemBadContent, doc.elem(0).flags_level);
}

TEST(ElementParserTest, DeepNesting) {
  const int depth = 200000;
  std::string text;
  for (int i = 0; i < depth; ++i) text += "<d>";
  for (int i = 0; i < depth; ++i) text += "</d>";
  MarkupDoc doc;
  ASSERT_TRUE(doc.AssignText(text));
  EXPECT_EQ(1000, doc.elem(1001).level());
  EXPECT_EQ(0xFFFF, doc.elem(depth).level());  // 16 bits: deeper ones stay at the top
  EXPECT_EQ("", test::CheckDocInvariants(doc));

  // Never closed: all of them end up side by side in the root.
  text = "<r>" + text.substr(0, 3 * depth) + "</r>";
  EXPECT_FALSE(doc.AssignText(text));
  EXPECT_EQ("End tag 'r' at offset " + std::to_string(3 * depth + 4) +
                " does not match start tag 'd' at offset " + std::to_string(3 * depth),
            doc.GetResultText());
  EXPECT_EQ(depth + 1, doc.elem(2).prev);  // the first child knows the last
  EXPECT_EQ("", test::CheckDocInvariants(doc));
}

TEST(ElementParserTest, EndTagsFindElementsDeepInTheStack) {
  // More open elements than the plain walk covers, so the name index
  // answers; "a[0]" matches "a" by the name-ending rule, and unmatched
  // end tags on the way change nothing.
  std::string text = "<r>";
  for (int i = 0; i < 100; ++i) text += "<A>";
  for (int i = 0; i < 100; ++i) text += "<b>";
  for (int i = 0; i < 1000; ++i) text += "</x>";
  text += "</a[0]>";
  for (int i = 0; i < 99; ++i) text += "</a>";
  text += "</r>";
  for (bool ignore_case : {false, true}) {
    SCOPED_TRACE(ignore_case);
    MarkupDoc doc;
    doc.set_doc_flags(ignore_case ? kDocIgnoreCase : 0);
    EXPECT_FALSE(doc.AssignText(text));
    EXPECT_EQ("No start tag for end tag 'x' at offset 603", doc.GetResultText());
    const ElemSpan& innermost_a = doc.elem(101);
    EXPECT_EQ(ignore_case ? 7 : 0, innermost_a.end_tag_length());
    EXPECT_EQ(ignore_case ? 4 : 0, doc.elem(2).end_tag_length());
    EXPECT_TRUE(doc.elem(201).flags_level & kElemNoEndTag);
    EXPECT_EQ("", test::CheckDocInvariants(doc));
  }
}

TEST(ElementParserTest, EndTagsFindElementsBelowTheInnermost) {
  // The walk over the innermost open elements: which one an end tag closes
  // shows in the first error's text.
  struct Case {
    std::string text;
    bool ignore_case;
    std::string result;
  } cases[] = {
      // "a=x" answers "a": the name ends before "=".
      {"<r><a><b></a=x></r>", false,
       "End tag 'a=x' at offset 10 does not match start tag 'b' at offset 6"},
      // "ab" does not answer "a".
      {"<r><ab><a></ab></r>", false,
       "End tag 'ab' at offset 11 does not match start tag 'a' at offset 7"},
      {"<r><A><b></a></r>", true,
       "End tag 'a' at offset 10 does not match start tag 'b' at offset 6"},
      {"<r><A><b></a></r>", false, "No start tag for end tag 'a' at offset 9"},
      // A GBK trail byte that looks like a letter is never folded.
      {"<r><\xB1\x41><b></\xB1\x61></r>", true, "No start tag for end tag '\xB1\x61' at offset 10"},
      {"<r><\xB1\x41><b></\xB1\x41></r>", true,
       "End tag '\xB1\x41' at offset 11 does not match start tag 'b' at offset 7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    MarkupDoc doc;
    doc.set_doc_flags(c.ignore_case ? kDocIgnoreCase : 0);
    EXPECT_FALSE(doc.AssignText(c.text));
    EXPECT_EQ(c.result, doc.GetResultText());
    EXPECT_EQ("", test::CheckDocInvariants(doc));
  }
}

TEST(ElementParserTest, TableGrowsAcrossSegments) {
  // Four bytes per element against a first guess of one per 64 bytes: the
  // table grows many times and spills into a second segment.
  const int count = 70000;
  std::string text = "<r>";
  for (int i = 0; i < count; ++i) text += "<e/>";
  MarkupDoc doc;
  ASSERT_TRUE(doc.AssignText(text + "<last/></r>"));
  EXPECT_EQ(count + 3, doc.next_free());
  EXPECT_EQ("", test::CheckDocInvariants(doc));
  ASSERT_TRUE(doc.FindElem("r"));
  ASSERT_TRUE(doc.FindChildElem("last"));
  EXPECT_EQ(count + 2, doc.child_pos());
}

}  // namespace
}  // namespace c51
