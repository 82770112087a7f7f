// A project whose headers are found only by the Windows tools' rules, for
// both toolchains' tests: names in another letter case, with "\" and with
// blanks inside "< >", and copies of one name in several places, each but
// one holding `wrong` (a line that fails the translation). Run in the
// project folder as
//   C51.exe ".\src\main.c" INCDIR(.\inc) OBJECT(.\main.obj)
// with C51INC = "<project>c51inc;<toolchain INC>".
#ifndef C51_TESTS_TOOLS_INCLUDE_LAYOUT_H_
#define C51_TESTS_TOOLS_INCLUDE_LAYOUT_H_

#include <string>
#include <utility>
#include <vector>

namespace c51::test {

// Relative path ("/" separated) and contents.
inline std::vector<std::pair<std::string, std::string>> SearchOrderFiles(const std::string& wrong) {
  return {
      {"src/main.c",
       "#include \"a.h\"\n#include \"b.h\"\n#include \"c.h\"\n#include \"d.h\"\n"
       "#include <e.h>\n#include <f.h>\n#include \"Lib\\Ch554.h\"\n#include < reg51.h >\n"
       "#include \"sub dir\\X.h\"\nvoid main(void) {\n}\n"},
      // "": the including file's folder, the current folder, INCDIR, C51INC.
      {"src/a.h", ""},
      {"a.h", wrong},
      {"inc/a.h", wrong},
      {"c51inc/a.h", wrong},
      {"b.h", ""},
      {"inc/b.h", wrong},
      {"c51inc/b.h", wrong},
      {"inc/c.h", ""},
      {"c51inc/c.h", wrong},
      {"c51inc/d.h", ""},
      // <>: INCDIR, then C51INC, never the two folders before.
      {"src/e.h", wrong},
      {"e.h", wrong},
      {"c51inc/e.h", ""},
      {"inc/f.h", ""},
      {"c51inc/f.h", wrong},
      // Another letter case and "\"; the nested name is looked for beside
      // the header that includes it before the current folder.
      {"src/lib/CH554.H", "#include \"IO.H\"\n"},
      {"src/lib/io.h", ""},
      {"IO.H", wrong},
      {"src/Sub Dir/x.h", ""},
  };
}

// The dependency record's names, as found (`root` and `inc` end in "/").
inline std::vector<std::string> SearchOrderRecord(const std::string& root, const std::string& inc) {
  return {root + "src/main.c", root + "src/a.h",         root + "b.h",
          root + "inc/c.h",    root + "c51inc/d.h",      root + "c51inc/e.h",
          root + "inc/f.h",    root + "src/Lib/Ch554.h", root + "src/Lib/IO.H",
          inc + "reg51.h",     root + "src/sub dir/X.h"};
}

}  // namespace c51::test

#endif  // C51_TESTS_TOOLS_INCLUDE_LAYOUT_H_
