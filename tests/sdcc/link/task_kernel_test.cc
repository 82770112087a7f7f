// The kernel the linker adds to a program with tasks: which symbols
// register a task, and the table and sizes its source is written with.
// Its behaviour is run in tests/sdcc/compile/task_program_test.cc.
#include "sdcc/link/task_kernel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace c51::sdcc {
namespace {

const c51::sim::LinkInput kInput{"x.obj"};

TEST(TaskKernelTest, ReadsTheTaskNumberOfARegisteringSymbol) {
  const struct {
    const char* symbol;
    bool task;
    uint32_t number;
  } kCases[] = {
      {"___c51_task_0", true, 0},    {"___c51_task_15", true, 15}, {"___c51_task_7", true, 7},
      {"___c51_task_16", false, 0},  {"___c51_task_", false, 0},   {"___c51_task_07", false, 0},
      {"___c51_task_1x", false, 0},  {"__c51_task_1", false, 0},   {"_job0", false, 0},
      {"___c51_task_100", false, 0},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.symbol);
    uint32_t number = 99;
    EXPECT_EQ(c.task, TaskNumber(c.symbol, &number));
    if (c.task) {
      EXPECT_EQ(c.number, number);
    }
  }
}

TEST(TaskKernelTest, FindsTheTasksAmongTheModulesCodeSymbols) {
  std::vector<LinkModule> modules(3);
  for (LinkModule& m : modules) m.input = &kInput;
  modules[0].symbols.code_publics = {"_job2", "___c51_task_2", "___c51_task_0"};
  modules[1].symbols.code_publics = {"_main"};
  // Referenced, not defined: no task of this program.
  modules[1].symbols.references = {"___c51_task_4"};
  modules[2].symbols.code_publics = {"___c51_task_9", "___c51_task_2"};
  EXPECT_EQ((std::vector<uint32_t>{0, 2, 9}), ProgramTasks(modules));
  EXPECT_TRUE(ProgramTasks({modules[1]}).empty());
}

// The text between `from` and the next line that starts with `to`.
std::string Between(const std::string& text, const std::string& from, const std::string& to) {
  const size_t start = text.find(from);
  if (start == std::string::npos) return "";
  const size_t end = text.find("\n" + to, start);
  return text.substr(start + from.size(), end - start - from.size() + 1);
}

TEST(TaskKernelTest, TheTableHasASlotForEveryNumberUpToTheHighestTask) {
  const std::string source = KernelSource({0, 2, 3}, 0x100);
  EXPECT_NE(std::string::npos, source.find("k_count = 4\n"));
  EXPECT_EQ(
      "\t.byte\t___c51_task_0, (___c51_task_0 >> 8)\n"
      "\t.byte\t0, 0\n"
      "\t.byte\t___c51_task_2, (___c51_task_2 >> 8)\n"
      "\t.byte\t___c51_task_3, (___c51_task_3 >> 8)\n",
      Between(source, "k_table:\n", ";"));
  EXPECT_NE(std::string::npos, source.find("\t.globl\t___c51_task_3\n"));
  EXPECT_EQ(std::string::npos, source.find("___c51_task_1"));
  for (const char* blank : {"@COUNT@", "@LAST@", "@GLOBLS@", "@TABLE@"}) {
    EXPECT_EQ(std::string::npos, source.find(blank)) << blank;
  }
}

TEST(TaskKernelTest, TheStacksEndAtTheTopOfInternalRam) {
  EXPECT_NE(std::string::npos, KernelSource({0}, 0x100).find("\nk_last = 0xFF\t"));
  EXPECT_NE(std::string::npos, KernelSource({0}, 0x80).find("\nk_last = 0x7F\t"));
}

}  // namespace
}  // namespace c51::sdcc
