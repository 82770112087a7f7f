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
#include <benchmark/benchmark.h>

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
std::string ChildCommand(long long piece, char quote = '"') {
  std::string line(1, quote);
  line += ExecutableDirectory();
  line += "tool_runner_bench_child";
  line += quote;
  line += " interleave " + std::to_string(kPerStream) + " " + std::to_string(piece);
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

}  // namespace
}  // namespace c51

BENCHMARK_MAIN();
