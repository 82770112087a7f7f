// The markup tokenizer: one node (tag, text, comment, ...) at a time.
//
// Buffer contract: the scanner relies on the 0 byte that std::string keeps
// after its last byte. Every loop stops at a 0, so a 0 inside the text ends
// the document there and nothing past the text is ever read.
#ifndef C51_MARKUP_NODE_SCANNER_H_
#define C51_MARKUP_NODE_SCANNER_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace c51 {

// Node kinds; the numbers are the element parser's codes.
enum NodeKind : int {
  kNodeEndTag = 0,
  kNodeStartTag = 1,  // also an empty-element tag (see kNodeEmptyElement)
  kNodeText = 2,
  kNodeWhitespace = 4,
  kNodeCdata = 8,
  kNodeProcessingInstruction = 16,
  kNodeComment = 32,
  kNodeDoctype = 64,  // DOCTYPE with its internal subset, or a markup declaration
  kNodeError = -1,    // badly formed markup; `error` says what
  kNodeEnd = -2,      // end of the document (length 0)
};

// Node flag of a start tag written as "<name .../>".
constexpr int kNodeEmptyElement = 0x10000;

struct MarkupNode {
  int kind = kNodeEnd;
  size_t start = 0;   // offset of the node's first byte
  size_t length = 0;  // bytes; the next node starts right after
  int flags = 0;      // kNodeEmptyElement
  // Start tags: the tag name, up to a blank, "/" or ">". End tags: the name
  // after "</", up to a blank or ">". Points into the scanned text.
  std::string_view name;
  // Start tags: how much of `name` counts in element search and end-tag
  // matching (it also stops at any of "<=\?!").
  size_t match_length = 0;
  // Error nodes: what is wrong (a static text), and whether the node runs
  // to the end of the text without its closing string. The message is only
  // put together when asked for: a damaged text has as many error nodes as
  // bytes, and only the first one's message is ever shown.
  const char* error_what = nullptr;
  bool unterminated = false;

  // Error nodes: "Incorrect <what> at offset <start>" or "<what> at offset
  // <start> unterminated"; empty for other nodes.
  std::string ErrorText() const;
};

namespace markup {
// Reads the node at `offset` of `text`, which must end with a 0 byte at or
// after `offset`.
void ScanNode(const char* text, size_t offset, MarkupNode* node);
}  // namespace markup

class NodeScanner {
 public:
  // `text` must outlive the scanner and stay unchanged while it is used.
  explicit NodeScanner(const std::string& text, size_t offset = 0)
      : text_(text.c_str()), offset_(offset <= text.size() ? offset : text.size()) {}

  // Reads the node at the current offset into `node` and moves past it.
  // Returns false (kind kNodeEnd) at the end of the text.
  bool Next(MarkupNode* node) {
    markup::ScanNode(text_, offset_, node);
    offset_ += node->length;
    return node->kind != kNodeEnd;
  }

  size_t offset() const { return offset_; }

 private:
  const char* text_;
  size_t offset_;
};

}  // namespace c51

#endif  // C51_MARKUP_NODE_SCANNER_H_
