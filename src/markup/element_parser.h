// The element parser: links the elements of a markup text into an element
// table and recovers from badly formed input instead of stopping.
#ifndef C51_MARKUP_ELEMENT_PARSER_H_
#define C51_MARKUP_ELEMENT_PARSER_H_

#include <string>

#include "markup/elem_table.h"

namespace c51 {

// Largest text the parser takes: offsets are 32-bit.
constexpr size_t kMaxMarkupTextSize = 0x7FFFFFFF;

// Adds the elements of `text` (at most kMaxMarkupTextSize bytes) to `table`
// below record `parent`, which must exist. New records are taken from
// `*next_free` on; when it reaches the reserved count the table grows to
// one and a half times the records in use. `*error` is cleared, then holds
// the first error found; later errors only set flags (kElemBadlyFormed on
// `parent`, kElemBadContent on the element around the damage). Element
// names compare ignoring case when `ignore_case` is set.
//
// Returns the index of the first element created, 0 when there was none.
int ParseElements(const std::string& text, int parent, bool ignore_case, ElemTable* table,
                  int* next_free, std::string* error);

}  // namespace c51

#endif  // C51_MARKUP_ELEMENT_PARSER_H_
