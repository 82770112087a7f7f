// Finding a file whose name is written in another letter case, as Windows
// finds it. Private to the POSIX platform files.
#ifndef C51_PLATFORM_POSIX_FILE_CASE_H_
#define C51_PLATFORM_POSIX_FILE_CASE_H_

#include <string>
#include <string_view>

namespace c51::posix {

class PathText;

// `native` is a file system path ("/" separators, UTF-8). When it does not
// exist as written, each component from the first missing one on is
// matched against its folder's entries ignoring ASCII letter case: the
// only match, or the first in byte order of several. A component without
// a match ends the search; it and the rest stay as written.
//   "src/Main.C" with "src/main.c" on disk => "src/main.c"
//   "/p/DEBUG/x.obj" with "/p/Debug/" only => "/p/Debug/x.obj"
std::string MatchCase(const std::string& native);

// The same for a path known not to exist as written (its stat failed with
// ENOENT or ENOTDIR): saves the first check.
std::string MatchCaseOfMissing(const std::string& native);

// While a FileNameMatchScope lives, the name on disk for `native` as the
// folders already matched and listed in it tell, without asking the disk;
// false when they cannot tell or the name is spelled as on disk. The
// caller falls back to MatchCaseOfMissing when the presumed name fails.
bool PresumedMatch(std::string_view native, PathText* matched);

// Counts outermost FileNameMatchScopes; 0 while none lives. What is cached
// under one number holds until the scope ends.
unsigned LiveMatchScope();

// Forgets every folder listing held (tests).
void ForgetFolderListings();

}  // namespace c51::posix

#endif  // C51_PLATFORM_POSIX_FILE_CASE_H_
