// What the two process start files (posix/, win32/) do alike with the
// bytes they kept of a program's streams. Implemented in process.cc.
#ifndef C51_PLATFORM_PROCESS_OUTPUT_H_
#define C51_PLATFORM_PROCESS_OUTPUT_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace c51 {

// The length of what is kept of a stream. A stream that went on past its
// kept bytes (`*dropped` > 0) ends its kept text at its last line end, so
// that no half line reaches the output filters, and the bytes cut off count
// as dropped; text without a line end stays whole. A stream kept whole
// keeps every byte.
//   ("a\r\nb\r\nc", 5) => 6, 6;  ("abc", 2) => 3, 2;  ("a\nb", 0) => 3, 0
size_t KeptLength(std::string_view kept, uint64_t* dropped);

// Appends `more` to `*text` without holding old and new memory at once for
// longer than it takes to copy `*text`: when the capacity falls short, the
// new block is sized exactly and the old one released before `more` is
// copied (std::string would double and keep both).
void AppendBounded(std::string* text, std::string_view more);

}  // namespace c51

#endif  // C51_PLATFORM_PROCESS_OUTPUT_H_
