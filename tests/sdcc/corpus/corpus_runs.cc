#include "corpus_runs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace c51::sdcc::corpus {
namespace {

const char kP0[] = "sfr[0x80]";
const char kP1[] = "sfr[0x90]";
const char kP2[] = "sfr[0xa0]";

std::vector<int> Column(const SimulatorResult& r, size_t probe) {
  std::vector<int> values;
  for (const std::vector<int>& sample : r.samples) values.push_back(sample.at(probe));
  return values;
}

// Sample indexes where the bits of `mask` differ from the sample before.
std::vector<int> Flips(const std::vector<int>& values, int mask) {
  std::vector<int> at;
  for (size_t i = 1; i < values.size(); ++i)
    if ((values[i] ^ values[i - 1]) & mask) at.push_back(static_cast<int>(i));
  return at;
}

// A pin paced by a timer: it flips at least `min_flips` times, each
// `min_gap` to `max_gap` samples after the one before, and no other pin of
// the port moves.
void ExpectTimerToggle(const std::vector<int>& port, int pin, int min_flips, int min_gap,
                       int max_gap) {
  for (size_t i = 1; i < port.size(); ++i)
    EXPECT_EQ(port[i] & ~pin, port[0] & ~pin) << "only the timer's pin may move, sample " << i;
  const std::vector<int> flips = Flips(port, pin);
  EXPECT_GE(flips.size(), static_cast<size_t>(min_flips)) << testing::PrintToString(port);
  for (size_t i = 1; i < flips.size(); ++i) {
    EXPECT_GE(flips[i] - flips[i - 1], min_gap) << testing::PrintToString(port);
    EXPECT_LE(flips[i] - flips[i - 1], max_gap) << testing::PrintToString(port);
  }
}

// The values a port took, each once per run of equal samples.
std::vector<int> Distinct(const std::vector<int>& values) {
  std::vector<int> out;
  for (int v : values)
    if (out.empty() || out.back() != v) out.push_back(v);
  return out;
}

unsigned Fibonacci(unsigned n) {
  return n < 2 ? n : Fibonacci(n - 1) + Fibonacci(n - 2);
}
unsigned Gcd(unsigned a, unsigned b) {
  return b == 0 ? a : Gcd(b, a % b);
}

unsigned ModbusCrc(const std::vector<int>& bytes) {
  unsigned crc = 0xFFFF;
  for (int b : bytes) {
    crc ^= static_cast<unsigned>(b);
    for (int i = 0; i < 8; ++i) crc = (crc & 1) ? (crc >> 1) ^ 0xA001 : crc >> 1;
  }
  return crc;
}

// The water lamp (low = lit): one LED walks from P1.0 to P1.7, then the
// pattern table plays and the walk starts again. The moment all go dark
// in between is too short to be seen.
void CheckLedFlow(const SimulatorResult& r) {
  std::vector<int> lit;
  for (int v : Column(r, 0))
    if (v != 0xFF) lit.push_back(v);
  const std::vector<int> seen = Distinct(lit);
  const std::vector<int> expected = {0xFE, 0xFD, 0xFB, 0xF7, 0xEF, 0xDF, 0xBF, 0x7F, 0x7E,
                                     0xBD, 0xDB, 0xE7, 0xDB, 0xBD, 0x7E, 0x00, 0xFE, 0xFD};
  const auto first = std::find(seen.begin(), seen.end(), 0xFE);
  ASSERT_NE(first, seen.end()) << testing::PrintToString(seen);
  ASSERT_GE(static_cast<size_t>(seen.end() - first), expected.size())
      << testing::PrintToString(seen);
  EXPECT_EQ(std::vector<int>(first, first + static_cast<long>(expected.size())), expected);
}

// LED_PERIOD=50 from the project's defines: P1.0 flips every 50 ms, some
// ten looks (the CPU idles between interrupts, so a look spans more time).
void CheckHeartbeat(const SimulatorResult& r) {
  ExpectTimerToggle(Column(r, 0), 0x01, 8, 7, 13);
}

void CheckUartPrintf(const SimulatorResult& r) {
  EXPECT_EQ(r.serial,
            "boot logger v1.2\r\n#0 T= 21.5\r\n#1 T= 22.3\r\n#2 T=-4.5\r\n#3 T= 100.0\r\ndone\r\n");
}

// The start-up file hands over to C; P1.1 flips every 100 ms, some ten
// looks.
void CheckStartupBlink(const SimulatorResult& r) {
  ExpectTimerToggle(Column(r, 0), 0x02, 8, 7, 13);
}

// Duty level 1 of the table: 25 of 100 interrupts high.
void CheckStc15Pwm(const SimulatorResult& r) {
  const std::vector<int> p1 = Column(r, 0);
  int high = 0;
  for (int v : p1) {
    EXPECT_EQ(v | 0x01, 0xFF);
    high += v & 0x01;
  }
  const double duty = static_cast<double>(high) / static_cast<double>(p1.size());
  EXPECT_GT(duty, 0.15) << testing::PrintToString(p1);
  EXPECT_LT(duty, 0.35) << testing::PrintToString(p1);
  EXPECT_GE(Flips(p1, 0x01).size(), 20u);
}

// "HELLO 51" drawn from the flat 6x8 font table into the page buffer at
// XDATA 0x100: the glyphs' columns, bit 0 at the top.
void CheckOledFont(const SimulatorResult& r) {
  const std::vector<int> glyphs = {
      0x7F, 0x08, 0x08, 0x08, 0x7F, 0x00,  // H
      0x7F, 0x49, 0x49, 0x49, 0x41, 0x00,  // E
      0x7F, 0x40, 0x40, 0x40, 0x40, 0x00,  // L
      0x7F, 0x40, 0x40, 0x40, 0x40, 0x00,  // L
      0x3E, 0x41, 0x41, 0x41, 0x3E, 0x00,  // O
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // blank
      0x27, 0x45, 0x45, 0x45, 0x39, 0x00,  // 5
      0x00, 0x42, 0x7F, 0x40, 0x00, 0x00,  // 1
  };
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0], glyphs);
}

void CheckTimer2Uart(const SimulatorResult& r) {
  const std::string banner = "HELLO 8052\r\n1:RUN 2:STOP\r\n";
  EXPECT_EQ(r.serial.substr(0, banner.size()), banner);
  EXPECT_NE(r.serial.find('.', banner.size()), std::string::npos) << r.serial;
}

void CheckReentrantCalc(const SimulatorResult& r) {
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0][0], 12 * (3 + 4) - 5);
  EXPECT_EQ(r.samples[0][1], static_cast<int>(Fibonacci(12) & 0xFF));
  EXPECT_EQ(r.samples[0][2], static_cast<int>(Gcd(1071, 462)));
}

void CheckModbusCrc(const SimulatorResult& r) {
  const unsigned crc = ModbusCrc({0x01, 0x03, 0x00, 0x00, 0x00, 0x0A});
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0][0], static_cast<int>(crc & 0xFF));
  EXPECT_EQ(r.samples[0][1], static_cast<int>(crc >> 8));
}

// The day of readings 100 + (i * 7) % 50: its average and spread.
void CheckLoggerLarge(const SimulatorResult& r) {
  unsigned sum = 0, low = 0xFFFF, high = 0;
  for (unsigned i = 0; i < 96; ++i) {
    const unsigned v = 100 + (i * 7) % 50;
    sum += v;
    low = std::min(low, v);
    high = std::max(high, v);
  }
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0][0], static_cast<int>((sum / 96) & 0xFF));
  EXPECT_EQ(r.samples[0][1], static_cast<int>(high - low));
}

// WAVE = ~WAVE on an sbit flips it on every timer interrupt.
void CheckSquareWave(const SimulatorResult& r) {
  EXPECT_GE(Flips(Column(r, 0), 0x04).size(), 40u) << testing::PrintToString(Column(r, 0));
}

void CheckXramTest(const SimulatorResult& r) {
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0][0], 0) << "failed passes";
  EXPECT_EQ(r.samples[0][1], 0x5A) << "finished marker";
  EXPECT_EQ(r.samples[0][2], 4) << "pass counter read back through DBYTE";
}

void CheckPrintfBytes(const SimulatorResult& r) {
  EXPECT_EQ(
      r.serial,
      "MODE=3 FLAGS=A5 T=-40 H=1234\r\n12 00 FE 7F 80 01 \r\nHI=10 LO=5 Y=Y N=-5 S=-5\r\nEND\r\n");
}

// The banner goes out through the user's putchar, which waits for the
// UART interrupt (in its own file) to clear its busy flag after each byte.
void CheckUartEcho(const SimulatorResult& r) {
  EXPECT_EQ(r.serial, "ECHO READY\n");
}

// Results of assembly helpers in the original calling convention, and the
// delay loop between P1's flips.
void CheckAsmHelpers(const SimulatorResult& r) {
  ASSERT_FALSE(r.samples.empty());
  const std::vector<int>& last = r.samples.back();
  EXPECT_EQ(last[1], 8) << "add3(5)";
  EXPECT_EQ(last[2], 0x2A) << "get_seed()";
  EXPECT_EQ(last[3], 0x12) << "swap_word(0x1234)'s low byte";
  EXPECT_GE(Flips(Column(r, 0), 0x01).size(), 10u) << testing::PrintToString(Column(r, 0));
}

// Bits named on bdata variables, set and read from two files.
void CheckBdataFlags(const SimulatorResult& r) {
  ASSERT_EQ(r.samples.size(), 1u);
  EXPECT_EQ(r.samples[0][0], 0x89) << "status: READY, MID, ERROR";
  // Bits of the word count from its first byte in memory, the high byte:
  // ^12 is bit 4 of the low byte, ^1 bit 1 of the high byte.
  EXPECT_EQ(r.samples[0][1], 0x02) << "word_flags' high byte: ^1";
  EXPECT_EQ(r.samples[0][2], 0x03) << "tests, and ^12 shifted out of the low byte";
}

// printf with no putchar of the program's: the linker's serial console,
// a carriage return before each line feed.
void CheckLibraryConsole(const SimulatorResult& r) {
  EXPECT_EQ(r.serial, "n=1\r\nn=2\r\nn=3\r\nok\r\n");
}

// Helpers whose locals only fit in DATA when they share memory, and
// formatted output of ints and floats; a frame clobbered by a call would
// show as a wrong number (stats() checks its own copy after its calls).
void CheckStatsOverlay(const SimulatorResult& r) {
  EXPECT_EQ(r.serial,
            "ws 2460\r\nmed99\r\npoly101\r\nst  3789\r\nst2 2699\r\n2 2 2 2 1 1 1 1\r\n"
            "T= 23.5 C\r\nT= -4.3 C\r\nT=  4.8 C\r\ntick ok\r\ndone\r\n");
}

// Loops on a flag or a count the interrupt routines change, without
// "volatile": each must end, as with the original compiler.
void CheckIsrFlags(const SimulatorResult& r) {
  EXPECT_EQ(r.serial, "start\nk ok\n");
  std::vector<int> p1 = Distinct(Column(r, 0));
  if (!p1.empty() && p1.front() == 0xFF) p1.erase(p1.begin());
  EXPECT_EQ(p1, (std::vector<int>{0x01, 0x02, 0x04, 0x08, 0xA5}));
}

// Handlers of two and three parameters called through a command table and
// a pointer in other files: each gets its arguments.
void CheckCommandTable(const SimulatorResult& r) {
  ASSERT_FALSE(r.samples.empty());
  EXPECT_EQ(r.samples.back(), (std::vector<int>{0x35, 0x9C, 0x48}));
}

// Driver and command tables of handlers taking "u8 buf[]": the frame's
// checksum and length reach the handlers through the pointer calls.
void CheckHalOps(const SimulatorResult& r) {
  ASSERT_FALSE(r.samples.empty());
  EXPECT_EQ(r.samples.back(), (std::vector<int>{0xC3, 0x0A}));
}

// The stepper's phase, position log and table read cross between C and
// assembly through each side's spellings.
void CheckStepperShared(const SimulatorResult& r) {
  ASSERT_FALSE(r.samples.empty());
  EXPECT_EQ(r.samples.back(), (std::vector<int>{0x04, 0xF4, 0x16}));
}

SimulatorRun Run(const char* xtal, int steps, int samples, std::vector<std::string> probes) {
  SimulatorRun run;
  run.xtal = xtal;
  run.steps = steps;
  run.samples = samples;
  run.probes = std::move(probes);
  return run;
}

std::vector<std::string> XramProbes(int from, int count) {
  std::vector<std::string> probes;
  for (int i = 0; i < count; ++i) probes.push_back("xram[" + std::to_string(from + i) + "]");
  return probes;
}

}  // namespace

const std::vector<CorpusRun>& CorpusRuns() {
  static const std::vector<CorpusRun> runs = {
      {"led_flow", Run("12M", 2000, 300, {kP1}), CheckLedFlow},
      {"t0_isr_blink", Run("12M", 5000, 150, {kP1}), CheckHeartbeat},
      {"uart_printf", Run("11.0592M", 400000, 1, {}), CheckUartPrintf},
      {"startup_blink", Run("12M", 5000, 150, {kP1}), CheckStartupBlink},
      {"stc15_pwm", Run("11.0592M", 997, 400, {kP1}), CheckStc15Pwm},
      {"oled_font", Run("12M", 30000, 1, XramProbes(0x100, 48)), CheckOledFont},
      {"timer2_uart_str", Run("11.0592M", 200000, 1, {}), CheckTimer2Uart},
      {"reentrant_calc", Run("12M", 300000, 1, {kP1, kP2, kP0}), CheckReentrantCalc},
      {"modbus_rtu", Run("11.0592M", 20000, 1, {kP1, kP2}), CheckModbusCrc},
      {"logger_large", Run("12M", 300000, 1, {kP1, kP2}), CheckLoggerLarge},
      {"square_wave", Run("12M", 1000, 100, {kP1}), CheckSquareWave},
      {"xram_test", Run("12M", 300000, 1, {kP1, kP2, kP0}), CheckXramTest},
      {"printf_bytes", Run("11.0592M", 300000, 1, {}), CheckPrintfBytes},
      {"uart_echo", Run("11.0592M", 100000, 1, {}), CheckUartEcho},
      {"asm_helpers", Run("12M", 37, 120, {kP1, kP2, kP0, "sfr[0xb0]"}), CheckAsmHelpers},
      {"bdata_flags", Run("12M", 20000, 1, {kP1, kP2, kP0}), CheckBdataFlags},
      {"printf_lib_console", Run("11.0592M", 200000, 1, {}), CheckLibraryConsole},
      {"stats_overlay", Run("11.0592M", 1500000, 1, {}), CheckStatsOverlay},
      {"isr_flags", Run("11.0592M", 500, 120, {kP1}), CheckIsrFlags},
      {"cmd_table_args", Run("12M", 20000, 1, {kP0, kP1, kP2}), CheckCommandTable},
      {"hal_ops_arrays", Run("11.0592M", 100000, 1, {kP1, kP2}), CheckHalOps},
      {"stepper_asm_shared", Run("12M", 100000, 1, {kP0, kP1, kP2}), CheckStepperShared},
  };
  return runs;
}

const CorpusRun* FindCorpusRun(const std::string& project) {
  for (const CorpusRun& run : CorpusRuns())
    if (project == run.project) return &run;
  return nullptr;
}

}  // namespace c51::sdcc::corpus
