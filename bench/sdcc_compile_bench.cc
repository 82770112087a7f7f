// C51.exe on sdcc against plain "sdcc -c" on the same source, interleaved in
// one run, so machine load hits both alike, timed as elapsed and as
// processor time of the run and everything it started (which a machine
// busy with other work disturbs less). Two sources:
//   neutral: plain C both take unchanged (the cost of our steps alone);
//   dialect: our dialect for C51.exe, its hand-written sdcc twin for sdcc.
// Both are sized like a firmware module (about 250 lines: a register header,
// a dozen small functions, an interrupt, tables in code memory).
//
//   sdcc_compile_bench [rounds]      (default 40; needs sdcc on PATH)
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "sdcc/run_program.h"
#include "sim/files.h"

namespace {

using c51::sdcc::ProgramRun;
using c51::sdcc::RunProgram;

struct Words {
  const char* header;
  const char* xdata;
  const char* code;
  const char* bit;
  const char* interrupt;
  const char* sbit_led;
};

constexpr Words kDialect = {"#include <reg52.h>\n", "xdata", "code", "bit", "interrupt 1",
                            "sbit LED = P1^0;\n"};
constexpr Words kSdcc = {"#include <8052.h>\n",     "__xdata", "__code", "__bit", "__interrupt(1)",
                         "__sbit __at(0x90) LED;\n"};
constexpr Words kNeutral = {"#include <stdint.h>\n", "", "const", "unsigned char", "", ""};

std::string Module(const Words& w) {
  std::string s = w.header;
  s += "#include <string.h>\n";
  s += w.sbit_led;
  s += std::string(w.xdata) + " unsigned char buffer[64];\n";
  s += std::string(w.code) +
       " unsigned char table[16] = {1,2,3,5,8,13,21,34,55,89,144,233,1,2,3,4};\n";
  s += std::string(w.bit) + " ready;\nvolatile unsigned char ticks;\n";
  if (*w.interrupt != '\0') {
    s += std::string("void timer0(void) ") + w.interrupt +
         " {\n  ticks++;\n  if ((ticks & 7) == 0) LED = !LED;\n}\n";
  }
  for (int i = 0; i < 12; ++i) {
    const std::string n = std::to_string(i);
    s += "unsigned int step" + n + "(unsigned char k) {\n";
    s += "  unsigned int sum = " + n + ";\n  unsigned char j;\n";
    s += "  for (j = 0; j < k; j++) {\n";
    s += "    sum += table[j & 15] * (j + " + n + ");\n";
    s += "    if (sum > 4000) sum -= buffer[j & 63];\n  }\n";
    s += "  buffer[k & 63] = (unsigned char)sum;\n";
    s += "  switch (k & 3) {\n  case 0: sum <<= 1; break;\n  case 1: sum ^= 0x55; break;\n"
         "  default: sum = ~sum; break;\n  }\n";
    s += "  return sum;\n}\n";
  }
  s += "long mix(long a, int b) { return a * b + (a >> 3); }\n";
  s += "void main(void) {\n  unsigned int total = 0;\n  memset(buffer, 0, sizeof buffer);\n";
  for (int i = 0; i < 12; ++i) s += "  total += step" + std::to_string(i) + "(ticks);\n";
  s +=
      "  ready = total > 100;\n  for (;;) { if (ready) total = (unsigned int)mix(total, 3); }\n}\n";
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

// The processor time counts the program and every process it waited for.
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

struct Stats {
  double median, low, high;
};

Stats Summarize(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return Stats{v[v.size() / 2], v.front(), v.back()};
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 40;
  const std::string sdcc = c51::sdcc::FindSdccProgram("sdcc");
  if (sdcc.empty()) {
    fprintf(stderr, "sdcc not found\n");
    return 1;
  }
  std::string self(argv[0]);
  const std::string root = self.substr(0, self.rfind('/') + 1) + "sdcctool/C51/";
  const std::string c51 = root + "BIN/C51.exe";
  setenv("C51INC", (root + "INC").c_str(), 1);

  char pattern[] = "/tmp/sdccbench-XXXXXX";
  if (mkdtemp(pattern) == nullptr) return 1;
  const std::string dir = std::string(pattern) + "/";
  std::string err;
  const std::string neutral = dir + "neutral.c", dialect = dir + "dialect.c", twin = dir + "twin.c";
  if (!c51::sim::WriteFile(neutral, Module(kNeutral), &err) ||
      !c51::sim::WriteFile(dialect, Module(kDialect), &err) ||
      !c51::sim::WriteFile(twin, Module(kSdcc), &err)) {
    fprintf(stderr, "%s\n", err.c_str());
    return 1;
  }
  // The options C51.exe passes for "DEBUG OBJECTEXTEND" in the small model.
  const std::vector<std::string> options = {"-mmcs51", "--fsigned-char", "--model-small",
                                            "--opt-code-speed", "--debug"};
  auto plain = [&](const std::string& source) {
    std::vector<std::string> args = options;
    args.insert(args.end(), {"-c", source, "-o", dir + "plain.rel"});
    return Measure(sdcc, args);
  };
  auto ours = [&](const std::string& source) {
    return Measure(c51, {source, "DEBUG", "OBJECTEXTEND", "OBJECT(" + dir + "ours.obj)"});
  };

  struct Pair {
    const char* name;
    std::string for_ours, for_plain;
    std::vector<Cost> a, b;
  } pairs[] = {{"neutral", neutral, neutral, {}, {}}, {"dialect", dialect, twin, {}, {}}};
  for (Pair& p : pairs) {  // warm the caches once
    ours(p.for_ours);
    plain(p.for_plain);
  }
  for (int r = 0; r < rounds; ++r) {
    for (Pair& p : pairs) {
      if (r % 2 == 0) {
        p.a.push_back(ours(p.for_ours));
        p.b.push_back(plain(p.for_plain));
      } else {
        p.b.push_back(plain(p.for_plain));
        p.a.push_back(ours(p.for_ours));
      }
    }
  }
  auto summarize = [](const std::vector<Cost>& costs, bool cpu) {
    std::vector<double> v;
    for (const Cost& c : costs) v.push_back(cpu ? c.cpu : c.wall);
    return Summarize(v);
  };
  printf("%d rounds, milliseconds per file: median [min, max]\n", rounds);
  for (Pair& p : pairs) {
    for (bool cpu : {false, true}) {
      const Stats a = summarize(p.a, cpu), b = summarize(p.b, cpu);
      printf("%-8s %-9s C51.exe %7.2f [%6.2f, %6.2f]   sdcc -c %7.2f [%6.2f, %6.2f]   ratio %.2f\n",
             p.name, cpu ? "processor" : "elapsed", a.median, a.low, a.high, b.median, b.low,
             b.high, a.median / b.median);
    }
  }
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return 0;
}
