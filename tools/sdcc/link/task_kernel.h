// The small real-time kernel the linker adds to a program with tasks
// (RTX51TNY.H). The compiler turns "void job(void) _task_ 2" into job()
// and a function "__c51_task_2" that jumps to it; the linker finds those
// among the modules' code symbols and assembles a kernel module that names
// each in its table of tasks. The kernel replaces main(): at reset it
// starts task 0 and runs the ready tasks round robin, each for 5 ticks of
// timer 0 (10000 machine cycles apiece) unless it waits first.
//
// Each task has a stack of its own in the internal RAM above the program's
// data, packed one above the other by task number; the free space lies
// above the running task's stack, so it has all of it for its calls and
// the interrupts, and a task switch moves the stacks between the two
// tasks. A task switched away by the tick leaves its registers on its
// stack; one that waits in a call leaves only its return address (sdcc's
// code keeps nothing in registers across a call):
//
//   SP ->  R7 ... R0, PSW, DPH, DPL, B, ACC     (13 bytes, after a tick)
//          the address it goes on at            (2 bytes)
//
// A new task's stack holds its entry above the address of the kernel's end
// of a task, so a task function that returns is deleted.
#ifndef C51_TOOLS_SDCC_LINK_TASK_KERNEL_H_
#define C51_TOOLS_SDCC_LINK_TASK_KERNEL_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sdcc/link/link_module.h"

namespace c51::sdcc {

// The kernel's timer 0 routine: interrupt 1.
constexpr char kKernelTick[] = "__c51_kernel_tick";
constexpr uint32_t kKernelTickInterrupt = 1;

// The highest task number the kernel takes.
constexpr uint32_t kHighestTask = 15;

// "___c51_task_2" => 2; false for any other symbol.
bool TaskNumber(std::string_view symbol, uint32_t* number);

// The task numbers the code symbols of `modules` register, ascending, each
// once.
std::vector<uint32_t> ProgramTasks(const std::vector<LinkModule>& modules);

// The sdas8051 source of the kernel for `tasks` (not empty), the internal
// RAM ending below `iram_top` (0x100 or 0x80).
std::string KernelSource(const std::vector<uint32_t>& tasks, uint32_t iram_top);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_TASK_KERNEL_H_
