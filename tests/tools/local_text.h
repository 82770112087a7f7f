// What the tool tests need for names in a Chinese Windows' code page: the
// local code page set for one test, two names in GBK and in UTF-8 (spelt
// out byte by byte, not converted by the code under test), a check that a
// tool's output is UTF-8, and files written under their UTF-8 names.
#ifndef C51_TESTS_TOOLS_LOCAL_TEXT_H_
#define C51_TESTS_TOOLS_LOCAL_TEXT_H_

#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/codepage.h"
#include "support/scoped_env.h"

namespace c51::test {

// 中文.h ("Chinese") and 主程序.c ("main program").
constexpr std::string_view kHeaderGbk = "\xd6\xd0\xce\xc4.h";
constexpr std::string_view kHeaderUtf8 = "\xe4\xb8\xad\xe6\x96\x87.h";
constexpr std::string_view kSourceGbk = "\xd6\xf7\xb3\xcc\xd0\xf2.c";
constexpr std::string_view kSourceUtf8 = "\xe4\xb8\xbb\xe7\xa8\x8b\xe5\xba\x8f.c";
// 主程序.obj, the object the compiler names after the source.
constexpr std::string_view kObjectUtf8 = "\xe4\xb8\xbb\xe7\xa8\x8b\xe5\xba\x8f.obj";

// Decoding fails on anything but well-formed UTF-8.
inline bool IsUtf8(const std::string& text) {
  std::string ignored;
  return ConvertCodePage(text, kCodePageUtf8, kCodePageUtf8, &ignored);
}

// Writes a file by the name the file system shows (a POSIX path, UTF-8).
inline bool WriteSystemFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

inline std::string ReadSystemFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace c51::test

#endif  // C51_TESTS_TOOLS_LOCAL_TEXT_H_
