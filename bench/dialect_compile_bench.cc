// C51.exe on sdcc against plain "sdcc -c" on sources full of the constructs
// the dialect bridges add braces to, rewrite or replace: each source in our
// dialect for C51.exe, its hand-written sdcc twin (braces written, sdcc's
// keywords, rotations spelled out) for sdcc, same model and options, runs
// interleaved so machine load hits both alike. Beside the elapsed time, the
// processor time of each run and everything it started (user and system),
// which a machine busy with other work disturbs less. Then the rewriter
// alone on each preprocessed source, in process.
//
//   font     a 96 x 8 font table and a 40-entry struct table without inner braces
//   bits     intrinsics in statements and expressions, sbit in parentheses,
//            function pointers in code memory, old-style definitions
//   console  putchar, _getkey and printf, tables of strings
//
//   dialect_compile_bench [rounds]      (default 30; needs sdcc on PATH)
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "sdcc/compile/dialect_rewriter.h"
#include "sdcc/run_program.h"
#include "sim/files.h"

namespace {

using c51::sdcc::ProgramRun;
using c51::sdcc::RunProgram;

// Both spellings of one source: `ours` for C51.exe, `twin` for sdcc.
struct Source {
  const char* name;
  std::string ours, twin;
};

std::string Hex(int value) {
  char text[8];
  snprintf(text, sizeof text, "0x%02X", value & 0xFF);
  return text;
}

Source Font() {
  Source s{"font", "#include <reg51.h>\n", "#include <8051.h>\n"};
  s.ours += "unsigned char code font[96][8] = {\n";
  s.twin += "__code unsigned char font[96][8] = {\n";
  for (int c = 0; c < 96; ++c) {
    std::string row;
    for (int b = 0; b < 8; ++b) row += (b ? ", " : "") + Hex(c * 8 + b * 37);
    s.ours += "  " + row + (c < 95 ? ",\n" : "\n");
    s.twin += "  {" + row + (c < 95 ? "},\n" : "}\n");
  }
  s.ours += "};\n";
  s.twin += "};\n";
  const std::string record =
      "struct entry { unsigned char id; char name[6]; unsigned int limit; };\n";
  s.ours += record + "struct entry code table[40] = {\n";
  s.twin += record + "__code struct entry table[40] = {\n";
  for (int i = 0; i < 40; ++i) {
    const std::string id = std::to_string(i), name = "\"e" + id + "\"";
    const std::string limit = std::to_string(100 * i);
    s.ours += "  " + id + ", " + name + ", " + limit + (i < 39 ? ",\n" : "\n");
    s.twin += "  {" + id + ", " + name + ", " + limit + (i < 39 ? "},\n" : "}\n");
  }
  s.ours += "};\n";
  s.twin += "};\n";
  const std::string code =
      "unsigned char glyph(unsigned char c, unsigned char row) { return font[c - 32][row & 7]; }\n"
      "unsigned int limit_of(unsigned char id) {\n  unsigned char i;\n"
      "  for (i = 0; i < 40; i++) if (table[i].id == id) return table[i].limit;\n  return 0;\n}\n"
      "void main(void) {\n  unsigned char r;\n"
      "  for (r = 0; r < 8; r++) P1 = glyph('A' + r, r) ^ (unsigned char)limit_of(r);\n}\n";
  s.ours += code;
  s.twin += code;
  return s;
}

Source Bits() {
  Source s{"bits", "#include <reg51.h>\n#include <intrins.h>\n", "#include <8051.h>\n"};
  s.ours += "sbit LED = (P1^3);\nsbit KEY = (P3)^(2);\nbit busy;\n";
  s.twin += "__sbit __at(0x93) LED;\n__sbit __at(0xB2) KEY;\n__bit busy;\n";
  for (int i = 0; i < 8; ++i) {
    const std::string n = std::to_string(i);
    s.ours +=
        "int scale" + n + "(a, b)\nint a;\nunsigned char b;\n{\n  return a * b + " + n + ";\n}\n";
    s.twin += "int scale" + n + "(int a, unsigned char b)\n{\n  return a * b + " + n + ";\n}\n";
  }
  s.ours += "void (*code steps[8])(void) = { 0 };\nvoid (code *current)(void);\n";
  s.twin += "void (* __code steps[8])(void) = { 0 };\nvoid (*current)(void);\n";
  for (int i = 0; i < 12; ++i) {
    const std::string n = std::to_string(i);
    s.ours += "unsigned char walk" + n +
              "(unsigned char v, unsigned char k) {\n  unsigned char i;\n"
              "  for (i = 0; i < k; i++, _nop_()) v = _crol_(v, 1) ^ _cror_(v, 3);\n"
              "  if (_testbit_(busy)) v = _crol_(v, k);\n  _nop_();\n"
              "  P2 = (LED = 0, _nop_(), v);\n  return v + " +
              n + ";\n}\n";
    s.twin += "unsigned char walk" + n +
              "(unsigned char v, unsigned char k) {\n  unsigned char i, t;\n"
              "  volatile unsigned char b;\n"
              "  for (i = 0; i < k; i++) { __asm__(\"nop\");\n"
              "    v = (b = v, t = b, (unsigned char)((t << 1) | (t >> 7))) ^ "
              "(t = v, (unsigned char)((t >> 3) | (t << 5))); }\n"
              "  if (busy ? (busy = 0, 1) : 0) v = (t = v, (unsigned char)((t << (k & 7)) | "
              "(t >> ((8 - (k & 7)) & 7))));\n  __asm__(\"nop\");\n"
              "  LED = 0;\n  __asm__(\"nop\");\n  P2 = v;\n  return v + " +
              n + ";\n}\n";
  }
  const std::string main =
      "void main(void) {\n  unsigned char v = 1;\n  current = steps[0];\n"
      "  v = walk0(v, 2) + walk5(v, 3) + walk11(v, 1) + (unsigned char)scale3(v, 4);\n"
      "  if (current) current();\n  P1 = v;\n}\n";
  s.ours += main;
  s.twin += main;
  return s;
}

Source Console() {
  Source s{"console", "#include <reg51.h>\n#include <stdio.h>\n",
           "#include <8051.h>\n#include <stdio.h>\n"};
  s.ours +=
      "char putchar(char c) {\n  while (!TI);\n  TI = 0;\n  SBUF = c;\n  return c;\n}\n"
      "char _getkey(void) {\n  while (!RI);\n  RI = 0;\n  return SBUF;\n}\n";
  s.twin +=
      "int putchar(int c) {\n  while (!TI);\n  TI = 0;\n  SBUF = c;\n  return c;\n}\n"
      "char _getkey(void) {\n  while (!RI);\n  RI = 0;\n  return SBUF;\n}\n"
      "int getchar(void) { return (unsigned char)_getkey(); }\n";
  s.ours += "char code names[12][10] = {\n";
  s.twin += "__code char names[12][10] = {\n";
  for (int i = 0; i < 12; ++i) {
    s.ours += "  \"name" + std::to_string(i) + "\",\n";
    s.twin += "  \"name" + std::to_string(i) + "\",\n";
  }
  s.ours += "};\n";
  s.twin += "};\n";
  const std::string main =
      "void main(void) {\n  unsigned char i;\n  SCON = 0x50;\n  TMOD = 0x20;\n  TH1 = 0xFD;\n"
      "  TR1 = 1;\n  TI = 1;\n"
      "  for (i = 0; i < 12; i++) printf(\"%d: %s\\n\", i, names[i]);\n"
      "  while (1) putchar(getchar());\n}\n";
  s.ours += main;
  s.twin += main;
  return s;
}

// One run's elapsed and processor milliseconds.
struct Cost {
  double wall = 0;
  double cpu = 0;
};

double ChildMilliseconds() {
  rusage usage;
  getrusage(RUSAGE_CHILDREN, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The processor time counts the program and every process it waited for
// (sdcc waits for its shell, the shell for the preprocessor).
Cost Measure(const std::string& program, const std::vector<std::string>& args) {
  const double cpu = ChildMilliseconds();
  const auto start = std::chrono::steady_clock::now();
  const ProgramRun run = RunProgram(program, args);
  const auto end = std::chrono::steady_clock::now();
  if (!run.started || run.exit_code != 0) {
    fprintf(stderr, "%s failed (%d):\n%s\n", program.c_str(), run.exit_code, run.output.c_str());
    exit(1);
  }
  return Cost{std::chrono::duration<double, std::milli>(end - start).count(),
              ChildMilliseconds() - cpu};
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

Cost Median(const std::vector<Cost>& costs) {
  std::vector<double> wall, cpu;
  for (const Cost& c : costs) {
    wall.push_back(c.wall);
    cpu.push_back(c.cpu);
  }
  return Cost{Median(wall), Median(cpu)};
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
  const std::string sdcc = c51::sdcc::FindSdccProgram("sdcc");
  if (sdcc.empty()) {
    fprintf(stderr, "sdcc not found\n");
    return 1;
  }
  std::string self(argv[0]);
  const std::string root = self.substr(0, self.rfind('/') + 1) + "sdcctool/C51/";
  const std::string c51 = root + "BIN/C51.exe";
  setenv("C51INC", (root + "INC").c_str(), 1);

  char pattern[] = "/tmp/dialectbench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const std::string dir = std::string(pattern) + "/";
  std::vector<Source> sources = {Font(), Bits(), Console()};
  std::string err;
  for (const Source& s : sources) {
    if (!c51::sim::WriteFile(dir + s.name + ".c", s.ours, &err) ||
        !c51::sim::WriteFile(dir + s.name + "_twin.c", s.twin, &err)) {
      fprintf(stderr, "%s\n", err.c_str());
      return 1;
    }
  }
  // The options C51.exe passes for "DEBUG OBJECTEXTEND" in the small model.
  const std::vector<std::string> options = {"-mmcs51", "--fsigned-char", "--model-small",
                                            "--opt-code-speed", "--debug"};
  auto plain = [&](const std::string& source) {
    std::vector<std::string> args = options;
    args.insert(args.end(), {"-I" + root + "INC", "-c", source, "-o", dir + "plain.rel"});
    return Measure(sdcc, args);
  };
  auto ours = [&](const std::string& source) {
    return Measure(c51, {source, "DEBUG", "OBJECTEXTEND", "OBJECT(" + dir + "ours.obj)"});
  };

  std::vector<std::vector<Cost>> a(sources.size()), b(sources.size());
  for (const Source& s : sources) {  // warm the caches once
    ours(dir + s.name + ".c");
    plain(dir + s.name + "_twin.c");
  }
  for (int r = 0; r < rounds; ++r) {
    for (size_t i = 0; i < sources.size(); ++i) {
      const std::string mine = dir + sources[i].name + ".c";
      const std::string twin = dir + sources[i].name + "_twin.c";
      if (r % 2 == 0) {
        a[i].push_back(ours(mine));
        b[i].push_back(plain(twin));
      } else {
        b[i].push_back(plain(twin));
        a[i].push_back(ours(mine));
      }
    }
  }
  printf("%d rounds, milliseconds per file (median); rewriter alone in microseconds\n", rounds);
  printf("%-8s %9s %9s %6s   %9s %9s %6s %10s\n", "", "elapsed", "", "", "processor", "", "", "");
  printf("%-8s %9s %9s %6s   %9s %9s %6s %10s\n", "source", "C51.exe", "sdcc -c", "ratio",
         "C51.exe", "sdcc -c", "ratio", "rewriter");
  Cost total_a, total_b;
  for (size_t i = 0; i < sources.size(); ++i) {
    // The rewriter on the preprocessed source, as C51.exe runs it.
    Measure(c51, {dir + sources[i].name + ".c", "DEBUG", "PREPRINT(" + dir + "pre.i)",
                  "OBJECT(" + dir + "ours.obj)"});
    std::string preprocessed;
    c51::sim::ReadFile(dir + "pre.i", &preprocessed);
    std::vector<double> rewrite;
    for (int r = 0; r < 200; ++r) {
      c51::sdcc::RewriteResult result;
      const auto start = std::chrono::steady_clock::now();
      c51::sdcc::RewriteDialect(preprocessed, &result);
      const auto end = std::chrono::steady_clock::now();
      if (!result.issues.empty()) {
        fprintf(stderr, "%s: %s\n", sources[i].name, result.issues[0].text.c_str());
        return 1;
      }
      rewrite.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    const Cost ma = Median(a[i]), mb = Median(b[i]);
    total_a.wall += ma.wall;
    total_a.cpu += ma.cpu;
    total_b.wall += mb.wall;
    total_b.cpu += mb.cpu;
    printf("%-8s %9.2f %9.2f %6.2f   %9.2f %9.2f %6.2f %7.0f us  (%zu bytes preprocessed)\n",
           sources[i].name, ma.wall, mb.wall, ma.wall / mb.wall, ma.cpu, mb.cpu, ma.cpu / mb.cpu,
           Median(rewrite), preprocessed.size());
  }
  printf("%-8s %9.2f %9.2f %6.2f   %9.2f %9.2f %6.2f\n", "all", total_a.wall, total_b.wall,
         total_a.wall / total_b.wall, total_a.cpu, total_b.cpu, total_a.cpu / total_b.cpu);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return 0;
}
