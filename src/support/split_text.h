// Splitting a text into the runs between separator characters, for lists
// kept in one text (defines, include folders, lines).
#ifndef C51_SUPPORT_SPLIT_TEXT_H_
#define C51_SUPPORT_SPLIT_TEXT_H_

#include <string>
#include <vector>

namespace c51 {

// The runs between separator characters; empty runs do not occur. A null
// or empty `separators` leaves the text whole; a NUL inside the text is no
// separator.
//   ("a;;b;", ";") => {"a", "b"};  (" .\inc; C:\k ;", "; ") => {".\inc", "C:\k"}
std::vector<std::string> SplitAtSeparators(const std::string& text, const char* separators);

}  // namespace c51

#endif  // C51_SUPPORT_SPLIT_TEXT_H_
