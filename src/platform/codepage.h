// Conversions between 8-bit code pages. The plug-in's texts are in the
// local (ANSI) code page; Chinese texts are GBK (936).
#ifndef C51_PLATFORM_CODEPAGE_H_
#define C51_PLATFORM_CODEPAGE_H_

#include <string>
#include <string_view>

namespace c51 {

enum CodePage : int {
  kCodePageLocal = 0,  // Windows: the ANSI code page; POSIX: GBK (936), the
                       // code page of the Chinese Windows the projects come
                       // from, unless C51_LOCAL_CODEPAGE names another
                       // number (65001 for UTF-8)
  kCodePageGbk = 936,
  kCodePageUtf8 = 65001,
};

// Converts `in` from one code page to another. Characters that the target
// cannot hold become "?". False (and `out` cleared) when a code page is
// unknown or `in` is not valid in the source code page.
bool ConvertCodePage(const std::string& in, int from, int to, std::string* out);

// The number of the local code page (936, 1252, 65001, ...).
int LocalCodePage();

// Texts inside our programs are in the local code page, as in a Windows
// program. Where a text crosses the process's edge on POSIX (a file name, a
// program's arguments, its output, the environment) the system's side is
// UTF-8; on Windows both sides are the ANSI code page and these functions
// return the text unchanged.
//
// Local => system. A text that is not valid in the local code page is
// passed on unchanged (its bytes may well be a name on disk).
std::string LocalToSystemText(std::string_view local);
// System => local. A text that is not valid UTF-8, or that holds a
// character the local code page lacks, is passed on unchanged: nothing is
// turned into "?".
std::string SystemToLocalText(std::string_view system);
// The strict form, for names that must survive the way back: false (and
// `local` cleared) when the text is not valid UTF-8 or holds a character
// the local code page cannot store.
bool SystemToLocalStrict(std::string_view system, std::string* local);

}  // namespace c51

#endif  // C51_PLATFORM_CODEPAGE_H_
