// Conversions between 8-bit code pages. The plug-in's texts are in the
// local (ANSI) code page; Chinese texts are GBK (936).
#ifndef C51_PLATFORM_CODEPAGE_H_
#define C51_PLATFORM_CODEPAGE_H_

#include <string>

namespace c51 {

enum CodePage : int {
  kCodePageLocal = 0,  // Windows: the ANSI code page; POSIX: UTF-8 unless
                       // C51_LOCAL_CODEPAGE names another number (e.g. 936)
  kCodePageGbk = 936,
  kCodePageUtf8 = 65001,
};

// Converts `in` from one code page to another. Characters that the target
// cannot hold become "?". False (and `out` cleared) when a code page is
// unknown or `in` is not valid in the source code page.
bool ConvertCodePage(const std::string& in, int from, int to, std::string* out);

// The number of the local code page (936, 1252, 65001, ...).
int LocalCodePage();

}  // namespace c51

#endif  // C51_PLATFORM_CODEPAGE_H_
