// Hostile and damaged input: every prefix and every single-byte change of
// a realistic document must parse without reading past the text and leave
// a consistent element table that navigation can walk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markup/doc_invariants.h"
#include "markup/markup_doc.h"

namespace c51 {
namespace {

const char kSample[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n"
    "<!DOCTYPE Project [ <!ENTITY e \"v>\"> ]>\r\n"
    "<Project a=\"x>y\" b='2'>\r\n"
    "  <Header>### &amp; &#65; &#x42; &lt;</Header>\r\n"
    "  <!-- a comment -->\r\n"
    "  <Targets><Target><TargetName>\xC7\xFD\xB6\xAF</TargetName>\r\n"
    "    <Data><![CDATA[raw <text> ]]>tail</Data><Empty/><E2 />\r\n"
    "    <?pi data?></Target></Targets>\r\n"
    "</Project>\r\n";

void CheckText(const std::string& text) {
  MarkupDoc doc;
  doc.AssignText(text);
  ASSERT_EQ("", test::CheckDocInvariants(doc));
  ASSERT_EQ("", test::WalkDoc(&doc));
}

TEST(RobustnessTest, EveryPrefix) {
  std::string sample = kSample;
  for (size_t n = 0; n <= sample.size(); ++n) {
    SCOPED_TRACE(n);
    CheckText(sample.substr(0, n));
  }
}

TEST(RobustnessTest, EverySingleByteChange) {
  std::string sample = kSample;
  const char replacements[] = {'<', '>', '/', '"', '\'', '=', '!',   '?',
                               '-', '[', ']', ' ', '\0', 'x', '\xB1'};
  for (size_t i = 0; i < sample.size(); ++i) {
    for (char r : replacements) {
      std::string text = sample;
      text[i] = r;
      SCOPED_TRACE(std::to_string(i) + " " + std::to_string(static_cast<unsigned char>(r)));
      CheckText(text);
    }
  }
}

TEST(RobustnessTest, ZeroByteEndsTheDocument) {
  MarkupDoc doc;
  EXPECT_TRUE(doc.AssignText(std::string("<r>1</r>\0<x>", 12)));
  EXPECT_EQ(12, doc.elem(0).length);
  EXPECT_FALSE(doc.AssignText(std::string("<r>\0</r>", 8)));
  EXPECT_EQ("Element 'r' at offset 0 not ended", doc.GetResultText());
}

TEST(RobustnessTest, LongTagsAreClampedNotWrapped) {
  // Tag lengths beyond their packed fields must not spill into the other
  // field, and the data between such tags is still exactly the content.
  std::string big_attr(5 << 20, 'v');
  std::string blanks(2000, ' ');
  std::string text = "<r><c a='" + big_attr + "'>d&lt;<![CDATA[x]]>a</c" + blanks + ">" + "<d a='" +
                     big_attr + "'/><e a='" + big_attr + "'></e><f>g</f" + blanks + "></r>";
  MarkupDoc doc;
  ASSERT_TRUE(doc.AssignText(text));
  const ElemSpan& c = doc.elem(2);
  EXPECT_EQ(static_cast<int>(kMaxStartTagLength), c.start_tag_length());
  EXPECT_EQ(static_cast<int>(kMaxEndTagLength), c.end_tag_length());
  EXPECT_EQ(static_cast<int>(text.find("<d ") - 3), c.length);
  EXPECT_EQ("", test::CheckDocInvariants(doc));
  ASSERT_TRUE(doc.FindChildElem("c"));
  std::string data = doc.GetChildData();
  EXPECT_TRUE(data == "d<xa") << data.size() << " bytes: " << data.substr(0, 40);
  ASSERT_TRUE(doc.FindChildElem("d"));  // an empty-element tag: no content
  EXPECT_EQ("", doc.GetChildData());
  ASSERT_TRUE(doc.FindChildElem("e"));
  EXPECT_EQ("", doc.GetChildData());
  ASSERT_TRUE(doc.FindChildElem("f"));  // a short start tag, a long end tag
  EXPECT_EQ("g", doc.GetChildData());
}

}  // namespace
}  // namespace c51
