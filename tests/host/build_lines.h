// What the build tests read from corvane-c51's output and do to files:
// its lines, the files it translated, a file's time moved ahead.
#ifndef C51_TESTS_HOST_BUILD_LINES_H_
#define C51_TESTS_HOST_BUILD_LINES_H_

#include <filesystem>
#include <string>
#include <vector>

namespace c51::test {

// std::filesystem takes wide names on Windows; our texts are ANSI there.
std::filesystem::path FsPath(const std::string& path);

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

// Moves the file's time `seconds` ahead, so it is later than every file a
// build made before, whatever the file system's time resolution.
bool SetTimeForward(const std::string& path, int seconds);

}  // namespace c51::test

#endif  // C51_TESTS_HOST_BUILD_LINES_H_
