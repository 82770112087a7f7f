// What the build tests read from corvane-c51's output and do to files:
// its lines, the files it translated, a file's time moved ahead.
#ifndef C51_TESTS_HOST_BUILD_LINES_H_
#define C51_TESTS_HOST_BUILD_LINES_H_

#include <string>
#include <vector>

#include "support/fs_path.h"

namespace c51::test {

std::string NameOf(const std::string& path);
std::string TitleOf(const std::string& path);

// The lines of `text` without their line ends and without empty lines.
std::vector<std::string> Lines(const std::string& text);
bool HasLine(const std::string& text, const std::string& line);
// True when one line of `text` holds every one of `parts`.
bool HasLineWith(const std::string& text, const std::vector<std::string>& parts);
std::string LastLine(const std::string& text);

// The names of the files the build translated, in order, from its
// "[n/N] compiling main.c..." and "[n/N] assembling <path>..." lines; each
// must carry the next n and `planned` as N.
std::vector<std::string> Translated(const std::string& out, int planned);
std::vector<std::string> Names(const std::vector<std::string>& paths);

}  // namespace c51::test

#endif  // C51_TESTS_HOST_BUILD_LINES_H_
