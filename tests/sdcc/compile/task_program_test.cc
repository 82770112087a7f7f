// Programs of tasks for the kernel RTX51TNY.H declares, compiled by C51.exe,
// linked by BL51.exe (which adds the kernel), converted by OH51.exe and run
// in sdcc's 8051 simulator. The programs write what they saw to external
// RAM; the simulator's clock between two stops at a breakpoint measures
// the kernel's timing. Skipped without sdcc or the simulator.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/fs.h"
#include "sdcc/run_program.h"
#include "support/temp_dir.h"
#include "tool_program_test.h"
#include "tools/tool_runner.h"

namespace c51::sdcc {
namespace {

constexpr int kOut = 0x100;
// The simulator counts oscillator periods: 12 to a machine cycle.
constexpr long kClocksPerCycle = 12;
constexpr long kTickCycles = 10000;

class TaskProgramTest : public ToolProgramTest {
 protected:
  TaskProgramTest() : ToolProgramTest("c51taskprog") {}

  // main.c into prog.hex, its map prog.M51.
  void Build(const std::string& source) {
    Write("main.c", source);
    BuiltProgram built;
    ASSERT_NO_FATAL_FAILURE(BuildProgram({"main"}, "", &built));
    ASSERT_NE(std::string::npos, built.linked.find("0 WARNING(S),  0 ERROR(S)")) << built.linked;
  }

  // Runs `steps` instructions, then reads `count` bytes from kOut on.
  std::vector<int> Simulate(int steps, int count) { return XramRun(steps, kOut, count); }

  // The machine cycles between `stops` + 1 successive calls of `function`,
  // from its second on: the first comes at start-up, not after a wait.
  std::vector<long> CyclesBetweenCalls(const std::string& function, int stops) {
    std::string address;
    for (const std::string& line : Lines(Read("prog.M51"))) {
      const size_t at = line.find(" CODE     " + function + " ");
      if (at != std::string::npos) address = line.substr(2, 4);
    }
    EXPECT_FALSE(address.empty()) << function << " is not in the map";
    std::string script = "break 0x" + address + "\ngo\ngo\n";
    for (int i = 0; i < stops; ++i) script += "go\n";
    const std::string output = Simulator(script);
    std::vector<long> cycles;
    int skip = 2;
    for (const std::string& line : Lines(output)) {
      if (line.rfind("Simulated ", 0) != 0) continue;
      const long clocks = std::atol(line.c_str() + 10);
      if (skip > 0) {
        --skip;
      } else {
        cycles.push_back(clocks / kClocksPerCycle);
      }
    }
    EXPECT_EQ(static_cast<size_t>(stops), cycles.size()) << output;
    return cycles;
  }

  // Each period within a tenth of a tick of `period` (when the code runs
  // after a tick varies with what the kernel moves at a task switch), and
  // all of them together within a thousandth of the whole.
  static void ExpectPeriods(const std::vector<long>& cycles, long period) {
    long total = 0;
    for (long c : cycles) {
      EXPECT_NEAR(period, c, kTickCycles / 10);
      total += c;
    }
    const long whole = period * static_cast<long>(cycles.size());
    EXPECT_NEAR(whole, total, whole / 1000);
  }

  static std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(std::move(line));
      pos = end + 1;
    }
    return lines;
  }
};

// Task 0 starts at reset and starts the others; two tasks that never wait
// both get the processor, each for its share of ticks; a task whose
// function returns ends.
TEST_F(TaskProgramTest, TasksThatNeverWaitShareTheProcessorRoundRobin) {
  ASSERT_NO_FATAL_FAILURE(
      Build("#include <reg52.h>\n#include <rtx51tny.h>\n"
            "unsigned char xdata out[12] _at_ 0x100;\n"
            "unsigned int one, two;\nunsigned char turns, last;\n"
            "void start(void) _task_ 0 {\n"
            "  unsigned char i;\n  for (i = 0; i < 12; i++) out[i] = 0x55;\n"
            "  out[0] = os_running_task_id();\n  out[1] = os_create_task(1);\n"
            "  out[2] = os_create_task(2);\n  out[3] = os_create_task(2);\n"
            "  out[4] = os_create_task(5);\n  out[5] = os_create_task(16);\n"
            "  out[6] = os_create_task(3);\n  out[7] = os_delete_task(4);\n"
            "  os_delete_task(0);\n  out[8] = 0xEE;\n}\n"
            "void count_one(void) _task_ 1 {\n"
            "  while (1) { one++; if (last != 1) { last = 1; turns++; } out[9] = one >> 8; }\n}\n"
            "void count_two(void) _task_ 2 {\n"
            "  while (1) { two++; if (last != 2) { last = 2; turns++; } out[10] = turns; }\n}\n"
            "void once(void) _task_ 3 { out[11] = os_running_task_id(); }\n"
            "void never(void) _task_ 5 { }\n"));
  // About 60 ticks: a dozen turns of 5 ticks each.
  const std::vector<int> out = Simulate(300000, 12);
  ASSERT_EQ(12u, out.size());
  // Task 0's calls: its id, OK, OK, NOT_OK (runs), OK for 5, NOT_OK for 16
  // (no such task), OK, NOT_OK (4 does not run); it never comes back from
  // deleting itself.
  EXPECT_EQ((std::vector<int>{0, 0, 0, 0xFF, 0, 0xFF, 0, 0xFF, 0x55}),
            std::vector<int>(out.begin(), out.begin() + 9));
  EXPECT_GT(out[9], 0);
  EXPECT_GE(out[10], 8);
  EXPECT_LE(out[10], 16);
  EXPECT_EQ(3, out[11]);
}

// Two tasks that divide longs without waiting: the tick switches them in
// the middle of sdcc's arithmetic, whose operands must come back with the
// task.
TEST_F(TaskProgramTest, ArithmeticSwitchedAwayFindsItsOperandsAgain) {
  ASSERT_NO_FATAL_FAILURE(
      Build("#include <reg52.h>\n#include <rtx51tny.h>\n"
            "unsigned char xdata out[4] _at_ 0x100;\n"
            "unsigned char bad, rounds;\n"
            "void check(unsigned long n, unsigned long d) {\n"
            "  unsigned long q = n / d, r = n % d;\n  if (q * d + r != n) bad++;\n}\n"
            "void start(void) _task_ 0 {\n  unsigned long n = 123456789UL;\n"
            "  out[0] = 0x55; out[1] = 0x55;\n  os_create_task(1);\n"
            "  while (1) { check(n, 1000UL); n += 7777UL; out[0] = bad; }\n}\n"
            "void other(void) _task_ 1 {\n  unsigned long m = 987654321UL, d = 3UL;\n"
            "  while (1) { m = m / d + 100000000UL; d += 2; rounds++; out[1] = rounds; }\n}\n"));
  const std::vector<int> out = Simulate(600000, 2);
  ASSERT_EQ(2u, out.size());
  EXPECT_EQ(0, out[0]);
  EXPECT_GT(out[1], 0);
}

// os_wait2(K_TMO, n) wakes a task n ticks of 10000 machine cycles later,
// another task waiting beside it.
TEST_F(TaskProgramTest, ATimeOutLastsItsTicks) {
  ASSERT_NO_FATAL_FAILURE(
      Build("#include <reg52.h>\n#include <rtx51tny.h>\n"
            "void mark(void) { P1 = ~P1; }\n"
            "void start(void) _task_ 0 {\n"
            "  os_create_task(1);\n"
            "  while (1) { mark(); os_wait2(K_TMO, 3); }\n}\n"
            "void other(void) _task_ 1 { while (1) { P2 = ~P2; os_wait(K_TMO, 7, 0); } }\n"));
  ExpectPeriods(CyclesBetweenCalls("mark", 8), 3 * kTickCycles);
}

// os_wait(K_IVL, n, 0) keeps the period of n ticks while the task works
// for longer than a tick between its waits, where a time-out would add the
// work to the period.
TEST_F(TaskProgramTest, AnIntervalKeepsItsPeriodWhateverTheTaskDoes) {
  ASSERT_NO_FATAL_FAILURE(
      Build("#include <reg52.h>\n#include <rtx51tny.h>\n"
            "unsigned int busy;\n"
            "void work(unsigned int n) { while (n--) busy++; }\n"
            "void start(void) _task_ 0 {\n"
            "  while (1) { work(800); os_wait(K_IVL, 4, 0); }\n}\n"));
  ExpectPeriods(CyclesBetweenCalls("work", 8), 4 * kTickCycles);
}

// A signal from another task, and one from an interrupt routine with
// isr_send_signal, wake a task waiting with K_SIG; one sent before the
// wait is taken at once; with K_SIG | K_TMO whichever comes first ends the
// wait, and os_clear_signal takes back one not yet taken.
TEST_F(TaskProgramTest, SignalsFromTasksAndInterruptsWakeTheWaitingTask) {
  ASSERT_NO_FATAL_FAILURE(
      Build("#include <reg52.h>\n#include <rtx51tny.h>\n"
            "unsigned char xdata out[10] _at_ 0x100;\n"
            "unsigned char stage, from_isr;\n"
            "void timer1(void) interrupt 3 { TR1 = 0; from_isr++; isr_send_signal(1); }\n"
            "void start(void) _task_ 0 {\n"
            "  unsigned char i;\n  for (i = 0; i < 10; i++) out[i] = 0x55;\n"
            "  os_create_task(1);\n"
            "  os_wait2(K_TMO, 5);\n  stage = 1;\n  os_send_signal(1);\n"
            "  os_wait2(K_TMO, 5);\n"
            "  TMOD |= 0x10; TH1 = 0xFF; TL1 = 0x00; ET1 = 1; TR1 = 1;\n"
            "  os_wait2(K_TMO, 5);\n  os_send_signal(1);\n  os_send_signal(1);\n"
            "  os_wait2(K_TMO, 5);\n  os_send_signal(1);\n  out[9] = os_clear_signal(1);\n"
            "  os_delete_task(0);\n}\n"
            "void waiter(void) _task_ 1 {\n"
            "  out[0] = os_wait(K_SIG, 0, 0);\n  out[1] = stage;\n"
            "  out[2] = os_wait1(K_SIG);\n  out[3] = from_isr;\n"
            "  out[4] = os_wait2(K_SIG | K_TMO, 2);\n"
            "  out[5] = os_wait2(K_SIG | K_TMO, 200);\n  out[6] = os_wait2(K_SIG, 0);\n"
            "  os_wait2(K_TMO, 10);\n"
            "  out[7] = os_wait2(K_SIG | K_TMO, 3);\n  out[8] = 0xAA;\n"
            "  while (1) os_wait2(K_TMO, 100);\n}\n"));
  const std::vector<int> out = Simulate(600000, 10);
  ASSERT_EQ(10u, out.size());
  // SIG_EVENT after task 0's signal; again after the interrupt's; TMO_EVENT
  // before the next signal; two signals count as one: the first ends the
  // wait, the second is taken at once; the last was cleared, so the wait
  // times out.
  EXPECT_EQ((std::vector<int>{1, 1, 1, 1, 2, 1, 1, 2, 0xAA, 0}), out);
}

// The running task has all the free internal RAM for its stack: seven
// tasks wait while an eighth recurses deeper than an equal share of the
// RAM would hold, preempted by the ticks between; the stacks move at each
// switch and every task finds its own again. A task deleted by another
// gives its stack back and runs afresh when created again.
TEST_F(TaskProgramTest, TheRunningTaskHasAllTheFreeSpaceAndStacksMoveIntact) {
  ASSERT_NO_FATAL_FAILURE(
      Build("#include <reg52.h>\n#include <rtx51tny.h>\n"
            "unsigned char xdata out[12] _at_ 0x100;\n"
            "unsigned char wakes[6], restarts;\n"
            "unsigned int sum(unsigned char n) reentrant {\n"
            "  unsigned int i, s = n;\n  for (i = 0; i < 600; i++) P1 = i;\n"
            "  return n == 0 ? 0 : s + sum(n - 1);\n}\n"
            "void waiter(unsigned char k) { while (1) { os_wait2(K_TMO, k + 1); wakes[k]++; } }\n"
            "void start(void) _task_ 0 {\n"
            "  unsigned char i;\n  for (i = 0; i < 12; i++) out[i] = 0x55;\n"
            "  for (i = 1; i < 8; i++) os_create_task(i);\n"
            "  out[0] = sum(12);\n  out[1] = sum(12) >> 8;\n"
            "  out[2] = os_delete_task(7);\n  out[3] = os_create_task(7);\n"
            "  out[4] = sum(15);\n  out[5] = sum(15) >> 8;\n"
            "  os_wait2(K_TMO, 2);\n"
            "  out[6] = restarts;\n  out[7] = wakes[0];\n  out[8] = wakes[5];\n"
            "  out[9] = 0xAA;\n"
            "  os_delete_task(0);\n}\n"
            "void w1(void) _task_ 1 { waiter(0); }\n"
            "void w2(void) _task_ 2 { waiter(1); }\n"
            "void w3(void) _task_ 3 { waiter(2); }\n"
            "void w4(void) _task_ 4 { waiter(3); }\n"
            "void w5(void) _task_ 5 { waiter(4); }\n"
            "void w6(void) _task_ 6 { waiter(5); }\n"
            "void w7(void) _task_ 7 { restarts++; while (1) os_wait1(K_SIG); }\n"));
  const std::vector<int> out = Simulate(1500000, 10);
  ASSERT_EQ(10u, out.size());
  // The sums of 1 to 12 and to 15.
  EXPECT_EQ((std::vector<int>{78, 0, 0, 0, 120, 0, 2}),
            std::vector<int>(out.begin(), out.begin() + 7));
  // The waiting tasks ran between the ticks of the sums.
  EXPECT_GE(out[7], 4);
  EXPECT_GE(out[8], 2);
  EXPECT_EQ(0xAA, out[9]);
}

}  // namespace
}  // namespace c51::sdcc
