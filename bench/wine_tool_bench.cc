// Time per translated file with the Windows build of the simulated compiler
// run through wine (as the POSIX process start runs any Windows program)
// against the native build of the same compiler, one file after another,
// interleaved round by round. A third series ends the wine server before
// every file, as when each tool had to start its own: what keeping one
// server up across a build saves.
//
// Usage: wine_tool_bench --native <C51 folder> --windows <C51 folder>
//                        [--files N] [--cold N]
// Each C51 folder holds BIN/C51.exe and INC/. The prefix is WINEPREFIX (or
// ~/.wine) and the launcher is found as the build finds it (CORVANE_WINE,
// wine, wine64); the server is ended with `<launcher's folder>/wineserver -k`
// or WINESERVER.
#include <limits.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "platform/process.h"
#include "platform/tool_paths.h"

namespace c51 {
namespace {

struct Options {
  std::string native;
  std::string windows;
  int files = 40;  // translations per series
  int cold = 5;    // translations with the server ended before each
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--native") {
      options->native = argv[i + 1];
    } else if (arg == "--windows") {
      options->windows = argv[i + 1];
    } else if (arg == "--files") {
      options->files = std::atoi(argv[i + 1]);
    } else if (arg == "--cold") {
      options->cold = std::atoi(argv[i + 1]);
    } else {
      return false;
    }
  }
  // The compiler runs in a folder of its own.
  options->native = FullPath(options->native);
  options->windows = FullPath(options->windows);
  return argc % 2 == 1 && !options->native.empty() && !options->windows.empty() &&
         options->files > 0 && options->cold >= 0;
}

struct Series {
  const char* name;
  std::vector<double> ms;
  double Median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted.empty() ? 0 : sorted[sorted.size() / 2];
  }
  void Print() const {
    if (ms.empty()) return;
    std::printf("%-40s per file: median %7.1f ms   range %7.1f .. %7.1f ms   (%zu files)\n", name,
                Median(), *std::min_element(ms.begin(), ms.end()),
                *std::max_element(ms.begin(), ms.end()), ms.size());
  }
};

// One translation of main.c in `dir` by the compiler in `c51` (its BIN and
// INC); the milliseconds it took, or a negative number when it failed.
double Translate(const std::string& c51, const std::string& dir) {
  // As the build sets it: in the form the compiler takes.
  SetEnv("C51INC", PathForProgram(c51 + "/BIN/C51.exe", c51 + "/INC/"));
  const auto start = std::chrono::steady_clock::now();
  ProcessOptions options;
  options.order = StreamOrder::kErrAfterOut;
  const ProcessResult result =
      RunProcess("\"" + c51 + "/BIN/C51.exe\" main.c \"OBJECT(main.obj)\"", dir, options);
  const double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  if (result.status != ProcessStatus::kExited || result.exit_code != 0) {
    std::fprintf(stderr, "C51.exe failed (status %d, code %d, error %d):\n%s\n",
                 static_cast<int>(result.status), result.exit_code, result.system_error,
                 result.out.c_str());
    return -1;
  }
  return ms;
}

// The wine server's program: WINESERVER, else beside the launcher.
std::string ServerProgram() {
  std::string server;
  if (GetEnv("WINESERVER", &server) && !server.empty()) return server;
  std::string launcher;
  if (!GetEnv("CORVANE_WINE", &launcher) || launcher.empty()) launcher = "/usr/bin/wine";
  char resolved[PATH_MAX];
  if (realpath(launcher.c_str(), resolved) != nullptr) launcher = resolved;
  return launcher.substr(0, launcher.rfind('/') + 1) + "wineserver";
}

int Run(const Options& options) {
  const std::string dir = MakeTempDirectory("c51winebench");
  if (dir.empty()) return 1;
  std::string err;
  if (!WriteWholeFile(dir + "main.c",
                      "#include <reg52.h>\n"
                      "unsigned char count;\n"
                      "void main(void) { while (1) { P1 = ++count; } }\n",
                      &err)) {
    std::fprintf(stderr, "%s\n", err.c_str());
    return 1;
  }
  Series native{"native C51.exe", {}};
  Series windows{"Windows C51.exe under wine (one server)", {}};
  Series cold{"Windows C51.exe, server ended before each", {}};
  // The first run under wine starts the server and wine's services once.
  if (Translate(options.windows, dir) < 0) return 1;
  for (int i = 0; i < options.files; ++i) {
    const double a = Translate(options.native, dir);
    const double b = Translate(options.windows, dir);
    if (a < 0 || b < 0) return 1;
    native.ms.push_back(a);
    windows.ms.push_back(b);
  }
  // Each of these starts a server and wine's services of its own. Run by
  // the shell with its output in a file: through the build's pipes the
  // services it starts would hold them open for tens of seconds, which is
  // why the platform starts them once, before the first tool.
  std::string launcher;
  if (!GetEnv("CORVANE_WINE", &launcher) || launcher.empty()) launcher = "wine";
  const std::string server = "\"" + ServerProgram() + "\"";
  for (int i = 0; i < options.cold; ++i) {
    if (std::system((server + " -k 2>/dev/null; " + server + " -w").c_str()) == -1) return 1;
    const auto start = std::chrono::steady_clock::now();
    const std::string line = "cd \"" + dir + "\" && \"" + launcher + "\" \"" + options.windows +
                             "/BIN/C51.exe\" main.c \"OBJECT(main.obj)\" >/dev/null 2>&1";
    if (std::system(line.c_str()) != 0) {
      std::fprintf(stderr, "%s failed\n", line.c_str());
      return 1;
    }
    cold.ms.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
  }
  native.Print();
  windows.Print();
  cold.Print();
  std::printf("ratio wine / native (medians): %.1f\n", windows.Median() / native.Median());
  if (!cold.ms.empty()) {
    std::printf("ratio server per file / one server (medians): %.1f\n",
                cold.Median() / windows.Median());
  }
  RemoveTree(dir);
  return 0;
}

}  // namespace
}  // namespace c51

int main(int argc, char** argv) {
  c51::Options options;
  if (!c51::ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: wine_tool_bench --native <C51 folder> --windows <C51 folder> "
                 "[--files N] [--cold N]\n");
    return 2;
  }
  return c51::Run(options);
}
