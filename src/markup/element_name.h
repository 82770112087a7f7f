// The element-name rules shared by element search, end-tag matching and
// attribute lookup.
#ifndef C51_MARKUP_ELEMENT_NAME_H_
#define C51_MARKUP_ELEMENT_NAME_H_

#include <string_view>

namespace c51 {

// The name that starts at `p` (in a text that ends with a 0) after any
// blanks, tabs, CR and LF: it runs up to the next blank or any of "<>=\/?!",
// but takes at least one character unless the text ends first. GBK
// characters are taken whole.
//   "Target>" => "Target";  " File name=" => "File";  "?xml " => "?"
std::string_view ElementNameAt(const char* p);

// True when `name` (as read by ElementNameAt) answers a search for `wanted`:
// the bytes of `name` equal the first bytes of `wanted` and `wanted` ends
// there or goes on with one of " =/[]". Letters compare ignoring case only
// when `ignore_case` is set; GBK characters always compare exactly.
//   ("Target", "Target") => true;  ("Target", "Target[2]") => true;
//   ("Target", "Targets") => false;  ("Targets", "Target") => false
bool ElementNameMatches(std::string_view name, std::string_view wanted, bool ignore_case);

}  // namespace c51

#endif  // C51_MARKUP_ELEMENT_NAME_H_
