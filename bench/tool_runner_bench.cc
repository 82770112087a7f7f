// RunTool on a tool that writes 64 MB to each stream, interleaved, against
// a plain shell pipe moving the same 128 MB (dd if=/dev/zero bs=1M
// count=128 | cat >/dev/null), and against the same tool writing both
// streams into one pipe that cat throws away: the floor, what the tool's
// writes cost without a reader that keeps the bytes.
//
// Throughput is bytes over wall time from start to exit. The three runs
// alternate within each round so that load on the machine hits all alike;
// the comparison reports medians with their range and the ratio.
//
// Sizing: the tool alternates streams after every piece. 4 KB pieces are
// what the C runtime's stdio buffer hands to a pipe, the most wake-ups a
// real tool causes; 64 KB pieces fill a default pipe at once. dd writes
// 1 MB blocks.
//
// BM_RunToolMemory runs RunTool twice (fresh, then in the first run's
// memory) in a forked process and reports that process's peak resident
// memory (getrusage ru_maxrss) against the bytes kept per stream: a tool
// writing exactly what is kept (64 MB to each stream), and one writing far
// more (1 GB to each), whose output is cut.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "build/tool_runner.h"
#include "platform/fs.h"
#include "platform/process.h"
#include "plugin/state.h"
#include "ui/user_interface.h"

namespace c51 {
namespace {

constexpr long long kPerStream = 64LL << 20;
constexpr long long kTotal = 2 * kPerStream;
// The child's path and arguments, with `quote` around the path.
std::string ChildCommand(long long piece, char quote = '"', long long per_stream = kPerStream) {
  std::string line(1, quote);
  line += ExecutableDirectory();
  line += "tool_runner_bench_child";
  line += quote;
  line += " interleave " + std::to_string(per_stream) + " " + std::to_string(piece);
  return line;
}

double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// One RunTool call; false when the text is not what the child wrote.
bool TimeRunTool(PluginState* state, long long piece, double* seconds) {
  auto start = std::chrono::steady_clock::now();
  std::string_view text = RunTool(state, ChildCommand(piece), "").output;
  *seconds = Seconds(std::chrono::steady_clock::now() - start);
  return static_cast<long long>(text.size()) == kTotal;
}

// A shell line through the same process start, so start-up costs match.
bool TimeShell(const std::string& line, double* seconds) {
  auto start = std::chrono::steady_clock::now();
  ProcessResult run = RunProcess("/bin/sh -c \"" + line + "\"", "");
  *seconds = Seconds(std::chrono::steady_clock::now() - start);
  return run.status == ProcessStatus::kExited && run.exit_code == 0;
}

double MegabytesPerSecond(double seconds) {
  return static_cast<double>(kTotal) / (1 << 20) / seconds;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_RunTool(benchmark::State& bench) {
  PluginState state;
  HeadlessInterface ui;
  state.ui = &ui;
  for (auto _ : bench) {
    double seconds = 0;
    if (!TimeRunTool(&state, bench.range(0), &seconds)) bench.SkipWithError("short or failed run");
  }
  bench.SetBytesProcessed(bench.iterations() * kTotal);
}
BENCHMARK(BM_RunTool)
    ->ArgName("piece")
    ->Arg(4096)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);

void BM_RunToolVersusPipe(benchmark::State& bench) {
  PluginState state;
  HeadlessInterface ui;
  state.ui = &ui;
  const std::string pipe = "dd if=/dev/zero bs=1M count=128 2>/dev/null | cat >/dev/null";
  const std::string floor = ChildCommand(bench.range(0), '\'') + " 2>&1 | cat >/dev/null";
  std::vector<double> tool, shell_pipe, child_alone;
  for (auto _ : bench) {
    double a = 0, b = 0, c = 0;
    if (!TimeRunTool(&state, bench.range(0), &a) || !TimeShell(pipe, &b) || !TimeShell(floor, &c)) {
      bench.SkipWithError("a run failed");
      break;
    }
    tool.push_back(MegabytesPerSecond(a));
    shell_pipe.push_back(MegabytesPerSecond(b));
    child_alone.push_back(MegabytesPerSecond(c));
    bench.SetIterationTime(a);
  }
  if (tool.empty()) return;
  auto report = [&bench](const char* name, const std::vector<double>& values) {
    bench.counters[std::string(name) + "_MBps"] = Median(values);
    bench.counters[std::string(name) + "_min"] = *std::min_element(values.begin(), values.end());
    bench.counters[std::string(name) + "_max"] = *std::max_element(values.begin(), values.end());
  };
  report("runtool", tool);
  report("pipe", shell_pipe);
  report("floor", child_alone);
  bench.counters["runtool_over_pipe"] = Median(tool) / Median(shell_pipe);
}
BENCHMARK(BM_RunToolVersusPipe)
    ->ArgName("piece")
    ->Arg(4096)
    ->Arg(65536)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(15);

// What one forked measurement sends back.
struct MemoryRun {
  double seconds[2];     // each RunTool call
  long baseline_kib;     // ru_maxrss before the first call
  long peak_kib;         // ru_maxrss after the second
  long long kept_bytes;  // the text the second call handed out
  bool cut;              // it came with a notice
};

// Runs the two calls in a child process, whose peak memory is theirs alone.
bool MeasureInChild(long long per_stream, MemoryRun* run) {
  int ends[2];
  if (pipe(ends) != 0) return false;
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    close(ends[0]);
    MemoryRun measured{};
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    measured.baseline_kib = usage.ru_maxrss;
    {
      PluginState state;
      HeadlessInterface ui;
      state.ui = &ui;
      for (double& seconds : measured.seconds) {
        auto start = std::chrono::steady_clock::now();
        ToolRun tool = RunTool(&state, ChildCommand(65536, '"', per_stream), "");
        seconds = Seconds(std::chrono::steady_clock::now() - start);
        measured.kept_bytes = static_cast<long long>(tool.output.size());
        measured.cut = !tool.notice.empty();
      }
      getrusage(RUSAGE_SELF, &usage);
      measured.peak_kib = usage.ru_maxrss;
    }
    const bool sent = write(ends[1], &measured, sizeof measured) == sizeof measured;
    _exit(sent ? 0 : 1);
  }
  close(ends[1]);
  const bool read_all = read(ends[0], run, sizeof *run) == sizeof *run;
  close(ends[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  return read_all && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_RunToolMemory(benchmark::State& bench) {
  const long long per_stream = bench.range(0);
  MemoryRun run{};
  double peak = 0;
  for (auto _ : bench) {
    if (!MeasureInChild(per_stream, &run)) {
      bench.SkipWithError("the measuring process failed");
      return;
    }
    bench.SetIterationTime((run.seconds[0] + run.seconds[1]) / 2);
    peak = std::max(peak, static_cast<double>(run.peak_kib));
  }
  const double kept_mib = static_cast<double>(kKeptStreamBytes) / (1 << 20);
  bench.counters["peak_rss_MiB"] = peak / 1024;
  bench.counters["baseline_MiB"] = static_cast<double>(run.baseline_kib) / 1024;
  bench.counters["peak_over_kept"] = peak / 1024 / kept_mib;
  bench.counters["output_MiB"] = static_cast<double>(run.kept_bytes) / (1 << 20);
  bench.counters["cut"] = run.cut ? 1 : 0;
  bench.counters["fresh_s"] = run.seconds[0];
  bench.counters["reused_s"] = run.seconds[1];
  bench.SetBytesProcessed(bench.iterations() * 2 * 2 * per_stream);
}
BENCHMARK(BM_RunToolMemory)
    ->ArgName("per_stream")
    ->Arg(64LL << 20)
    ->Arg(1LL << 30)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(3);

}  // namespace
}  // namespace c51

BENCHMARK_MAIN();
