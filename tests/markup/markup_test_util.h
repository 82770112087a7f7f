// Helpers for the markup tests: fixture paths and the local code page.
#ifndef C51_TESTS_MARKUP_MARKUP_TEST_UTIL_H_
#define C51_TESTS_MARKUP_MARKUP_TEST_UTIL_H_

#include <string>

#include "platform/codepage.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "support/scoped_env.h"

namespace c51::test {

// The build copies tests/data/markup next to the test program, so the
// same path works natively and under wine.
inline std::string MarkupFixture(const std::string& name) {
  return ExecutableDirectory() + "markup_data/" + name;
}

// `utf8` in the local code page, as ReadDocFile should produce it.
inline std::string Local(const std::string& utf8) {
  std::string out;
  ConvertCodePage(utf8, kCodePageUtf8, kCodePageLocal, &out);
  return out;
}

// Makes GBK the local code page where a process may choose (POSIX); on
// Windows the system's ANSI code page stays, and tests compare with Local().
class ScopedLocalCodePage : public ScopedEnv {
 public:
  explicit ScopedLocalCodePage(const char* code_page)
      : ScopedEnv("C51_LOCAL_CODEPAGE", code_page) {}
};

}  // namespace c51::test

#endif  // C51_TESTS_MARKUP_MARKUP_TEST_UTIL_H_
