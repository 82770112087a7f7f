// MarkupDoc: a read-only XML document for the project importers. The whole
// file stays in one text buffer; the parser only records where each element
// lies, and nothing is copied out until a value is asked for.
//
// Navigation uses three positions (parent, current element, current child)
// that only move forward among siblings: read children in document order.
//
//   MarkupDoc doc;
//   if (doc.Load(path) && doc.FindElem("Project") && doc.FindChildElem("Header"))
//     header = doc.GetChildData();
#ifndef C51_MARKUP_MARKUP_DOC_H_
#define C51_MARKUP_MARKUP_DOC_H_

#include <string>
#include <string_view>

#include "markup/elem_table.h"

namespace c51 {

// Document flag: compare element names ignoring case. Off unless set.
constexpr int kDocIgnoreCase = 8;

class MarkupDoc {
 public:
  // An empty document; its result text is "Empty document".
  MarkupDoc();

  // Reads and parses the file (see ReadDocFile). True only when the file
  // was read and the document is well formed. When reading fails the
  // previous document stays and the result text holds the reason; after a
  // read the positions are all 0 and the result text is "<n> bytes", with
  // ", " and the first parse error when there is one.
  bool Load(const std::string& path);
  // Replaces the text (no argument: empty), clears the result text and
  // parses. Returns IsWellFormedDoc().
  bool AssignText(std::string text = std::string());
  // True when the parse found exactly one top-level element and nothing
  // badly formed.
  bool IsWellFormedDoc() const;

  // All three positions to 0.
  void RewindPos();
  // The next element after the current one at the current level (or the
  // first child of the parent position). An empty name matches any
  // element; otherwise a name matches as ElementNameMatches says.
  bool FindElem(std::string_view name = {});
  // The next child of the current element after the current child. Without
  // a current element, finds one first (FindElem with no name).
  bool FindChildElem(std::string_view name = {});
  // Makes the current child the current element. False without a current
  // element.
  bool EnterElem();
  // Undoes EnterElem: the current element becomes the child again. False
  // without a parent.
  bool LeaveElem();

  // The text of the current child, references decoded, CDATA content
  // taken raw; empty when there is no child, when it has child elements or
  // when it has no content.
  std::string GetChildData() const;
  // The current child's tag name; empty without a child. Points into the
  // document text: valid until the next Load or AssignText.
  std::string_view GetChildName() const;
  const std::string& GetResultText() const { return result_; }

  // Read-only views of the state, for tests and measurements.
  const std::string& text() const { return text_; }
  const ElemSpan& elem(int index) const { return table_[index]; }
  const ElemTable& table() const { return table_; }
  int parent_pos() const { return parent_pos_; }
  int current_pos() const { return current_pos_; }
  int child_pos() const { return child_pos_; }
  int next_free() const { return next_free_; }
  int node_type() const { return node_type_; }
  int node_offset() const { return node_offset_; }
  int node_length() const { return node_length_; }
  int doc_flags() const { return doc_flags_; }
  void set_doc_flags(int flags) { doc_flags_ = flags; }

 private:
  bool Parse();
  void ClearPositions();
  // After every positioning operation.
  void PositionsMoved();
  // The element search: the next match after sibling `after`, or from the
  // first child of `parent` when `after` is 0. 0 when there is none.
  int FindFrom(int parent, int after, std::string_view name) const;
  std::string_view NameOf(int index) const;

  std::string text_;    // the whole document, in the local code page
  std::string result_;  // byte count of the last read and/or first parse error
  int parent_pos_ = 0;  // 0 = none (record 0 is the document)
  int current_pos_ = 0;
  int child_pos_ = 0;
  int next_free_ = 0;    // next record index to allocate
  int node_type_ = 0;    // 1 while current_pos_ is an element, else 0
  int node_offset_ = 0;  // extent of a non-element node; never set to anything but 0
  int node_length_ = 0;  // here, since the importers only walk elements
  int doc_flags_ = 0;    // kDocIgnoreCase
  ElemTable table_;
};

}  // namespace c51

#endif  // C51_MARKUP_MARKUP_DOC_H_
