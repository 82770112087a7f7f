// The part of the C library's sscanf that the tool output formats use,
// done by hand: every field is a std::string that grows as needed, so no
// input, however long or odd, can write past anything.
#ifndef C51_BUILD_SCAN_FORMAT_H_
#define C51_BUILD_SCAN_FORMAT_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51 {

// One assigned field: `text` for %s and %[...], `number` for %d.
struct ScanField {
  std::string text;
  int number = 0;
};

// Matches `input` against `format` as sscanf would and appends one field
// per assigned conversion; returns how many were assigned (matching stops
// at the first failure, and the fields before it stay). Supported:
//   - a white-space character: skips any white space in the input, also none;
//   - any other character but "%": must come next;
//   - %s: skips white space, then one or more non-white characters;
//   - %d: skips white space, then an optional sign and one or more decimal
//     digits; a value beyond int is clamped to INT_MIN or INT_MAX;
//   - %[set] and %[^set]: one or more characters in (not in) the set, no
//     white space skipped; "a-b" inside a set is a range;
//   - "*" after "%" matches the same but assigns nothing.
// Anything else in the format ends the scan. The input ends at its end or
// at a NUL byte, whichever comes first. Bytes of 0x80 and above are no
// white space and no digits.
//   ("*** ERROR C1 IN LINE 4", "*** ERROR%s%*[^0-9]%d") => 2: "C1", 4
int ScanFormat(std::string_view input, std::string_view format, std::vector<ScanField>* fields);

}  // namespace c51

#endif  // C51_BUILD_SCAN_FORMAT_H_
