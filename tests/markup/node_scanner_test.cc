#include "markup/node_scanner.h"

#include <gtest/gtest.h>

#include <string>

namespace c51 {
namespace {

TEST(NodeScannerTest, FirstNode) {
  struct Case {
    std::string text;
    int kind;
    size_t length;
    int flags;
    std::string name;     // tag names
    size_t match_length;  // start tags: the part end tags and searches compare
    std::string error;
  } cases[] = {
      {"", kNodeEnd, 0, 0, "", 0, ""},
      {" \t\r\n<a>", kNodeWhitespace, 4, 0, "", 0, ""},
      {"  x <a>", kNodeText, 4, 0, "", 0, ""},
      {"a>b<c>", kNodeText, 2, 0, "", 0, ""},  // ">" ends a text node
      {"abc", kNodeText, 3, 0, "", 0, ""},
      {"<Target>x", kNodeStartTag, 8, 0, "Target", 6, ""},
      {"<\xB1\xED>", kNodeStartTag, 4, 0, "\xB1\xED", 2, ""},
      {"<{x\n  name='x'>", kNodeStartTag, 15, 0, "{x", 2, ""},
      {"<a=b?c>", kNodeStartTag, 7, 0, "a=b?c", 1, ""},
      // 0xB1 0x5C is one GBK character: its "\" does not end the name.
      {"<\xB1\\x>", kNodeStartTag, 5, 0, "\xB1\\x", 3, ""},
      // Empty-element tags: "/>" after a blank, a quote, or right after the name.
      {"<a/>", kNodeStartTag, 4, kNodeEmptyElement, "a", 1, ""},
      {"<a\n/>", kNodeStartTag, 5, kNodeEmptyElement, "a", 1, ""},
      {"<a b='c'/>", kNodeStartTag, 10, kNodeEmptyElement, "a", 1, ""},
      {"<a b=c/>", kNodeStartTag, 8, 0, "a", 1, ""},
      // Quotes open a value after "=" (blanks allowed), not after "==".
      {"<a b = 'x>y' c=\"1\">", kNodeStartTag, 19, 0, "a", 1, ""},
      {"<a b==\"x>y\">", kNodeStartTag, 9, 0, "a", 1, ""},
      {"<a b\"x>y\">", kNodeStartTag, 7, 0, "a", 1, ""},
      {"</Target >", kNodeEndTag, 10, 0, "Target", 0, ""},
      {"</>", kNodeEndTag, 3, 0, "", 0, ""},
      // Closing strings are found looking back from each ">", so they may
      // share characters with the opening.
      {"<?xml a='?>'?>", kNodeProcessingInstruction, 11, 0, "", 0, ""},
      {"<?>", kNodeProcessingInstruction, 3, 0, "", 0, ""},
      {"<!-- a > b -->x", kNodeComment, 14, 0, "", 0, ""},
      {"<!-->", kNodeComment, 5, 0, "", 0, ""},
      {"<![CDATA[a]>b]]]>x", kNodeCdata, 17, 0, "", 0, ""},
      // A GBK character whose trail byte is "]" does not start "]]>".
      {"<![CDATA[\xB1]]>x]]>", kNodeCdata, 17, 0, "", 0, ""},
      {"<!DOCTYPE a [ <!ENTITY e \"x>y\"> <x y> ]><a/>", kNodeDoctype, 40, 0, "", 0, ""},
      {"<!ENTITY e 'a>b'>", kNodeDoctype, 14, 0, "", 0, ""},  // quotes only inside DOCTYPE
      {"<!-x>", kNodeError, 5, 0, "", 0, "Incorrect comment tag at offset 0"},
      {"<![X]>", kNodeError, 6, 0, "", 0, "Incorrect tag at offset 0"},
      {"<!d>", kNodeError, 4, 0, "", 0, "Incorrect ! tag at offset 0"},
      {"< a <b>", kNodeError, 4, 0, "", 0, "Incorrect tag name character at offset 0"},
      {"<1 x=\"<>\">", kNodeError, 10, 0, "", 0, "Incorrect tag name character at offset 0"},
      {"<", kNodeError, 1, 0, "", 0, "tag at offset 0 unterminated"},
      {"<a b='>", kNodeError, 7, 0, "", 0, "Element tag at offset 0 unterminated"},
      {"</Target", kNodeError, 8, 0, "", 0, "Element end tag at offset 0 unterminated"},
      {"<![CDATA[\xB1]>", kNodeError, 12, 0, "", 0, "CDATA Section at offset 0 unterminated"},
      {"<?xml ?", kNodeError, 7, 0, "", 0, "Processing instruction at offset 0 unterminated"},
      {"<!-- x ->", kNodeError, 9, 0, "", 0, "Comment at offset 0 unterminated"},
      {"<!DOCTYPE a [ <!ENTITY e '>]>", kNodeError, 29, 0, "", 0,
       "Doctype at offset 0 unterminated"},
      {"<!ELEMENT e", kNodeError, 11, 0, "", 0, "Doctype at offset 0 unterminated"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    NodeScanner scanner(c.text);
    MarkupNode node;
    scanner.Next(&node);
    EXPECT_EQ(c.kind, node.kind);
    EXPECT_EQ(c.length, node.length);
    EXPECT_EQ(c.length, scanner.offset());
    EXPECT_EQ(c.flags, node.flags);
    EXPECT_EQ(c.name, node.name);
    EXPECT_EQ(c.match_length, node.match_length);
    EXPECT_EQ(c.error, node.ErrorText());
  }
}

TEST(NodeScannerTest, WalksADocument) {
  std::string text("<?xml?>\r\n<r a='1'>x &amp; y<!--c--><e/></r>\n<1>\0<z>", 51);
  const int kinds[] = {kNodeProcessingInstruction,
                       kNodeWhitespace,
                       kNodeStartTag,
                       kNodeText,
                       kNodeComment,
                       kNodeStartTag,
                       kNodeEndTag,
                       kNodeWhitespace,
                       kNodeError};
  NodeScanner scanner(text);
  MarkupNode node;
  size_t offset = 0;
  for (int kind : kinds) {
    SCOPED_TRACE(offset);
    ASSERT_TRUE(scanner.Next(&node));
    EXPECT_EQ(kind, node.kind);
    EXPECT_EQ(offset, node.start);
    offset += node.length;
  }
  EXPECT_EQ("Incorrect tag name character at offset 44", node.ErrorText());
  // The 0 byte ends the text, and the scanner stays there.
  EXPECT_FALSE(scanner.Next(&node));
  EXPECT_FALSE(scanner.Next(&node));
  EXPECT_EQ(47u, scanner.offset());
}

}  // namespace
}  // namespace c51
