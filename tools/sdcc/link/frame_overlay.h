// Where the locals of compiled functions go. A module that carries its call
// graph leaves its functions' locals and memory-passed parameters (their
// "frames") to the linker, which overlays the frames of functions that can
// never be active at once, as the original small-model toolchain does:
// 128 bytes of DATA hold a mid-size program only that way.
//
// The roots are main(), every interrupt routine and every task of the
// kernel (task_kernel.h). A function reached from
// one root only lies in that root's region, above every function that can
// be active while it runs (the longest call path to it); siblings share
// bytes. A call through a pointer in the program's own modules is a call of
// every function their modules take the address of. A function gets bytes
// of its own (private) when it can be active beside anything: reached from
// two roots, recursive, named by code the graph does not cover (assembly,
// objects without a graph, sdcc's library calling putchar back), or taken
// where no pointer call of the program accounts for it (the run-time
// library's own, or handed to qsort); and so does everything it calls. Functions nothing reaches
// never run and share the block's first bytes.
//
// The linker defines every frame symbol in one module of its own:
//
//   .module __overlay
//   .area DSEG (DATA)
//   __overlay_base::
//     .ds 20
//   _show_buf$1f2e3d == __overlay_base + 4
//
// The compiled modules' other variables in DATA (rel_object.h's DATA lines)
// are the linker's too. Each has bytes of its own; a module's lie as the
// module had them, one piece of DSEG in a module of the linker's per
// module, which sdld lays as it laid the module's own:
//
//   .module __vars3
//   .area DSEG (DATA)
//   _buf::
//     .ds 80
//
// A library module is linked when the program names one of its variables,
// as when the module still defined it: the overlay module names one of its
// public symbols for sdld to take it by.
#ifndef C51_TOOLS_SDCC_LINK_FRAME_OVERLAY_H_
#define C51_TOOLS_SDCC_LINK_FRAME_OVERLAY_H_

#include <cstdint>
#include <string>
#include <vector>

#include "sdcc/link/link_module.h"

namespace c51::sdcc {

// Why a function's frame lies where it does.
enum class FramePlace {
  kOverlaid,   // in its root's region, shared with functions never active beside it
  kUnused,     // nothing calls it: the block's first bytes
  kShared,     // reached from two roots (main and an interrupt, two interrupts)
  kTaken,      // called through a pointer, by callers nobody knows
  kRecursive,  // in a call cycle
  kOutside,    // named by code outside the graph
  kCallee,     // called by a function of the kinds above
};

struct OverlayRegion {
  std::string root;    // "_main", "_t0"
  uint32_t start = 0;  // from the block's start
  uint32_t size = 0;
};

struct FunctionFrame {
  std::string symbol;  // "_show"
  std::string module;  // "<file> (<MODULE>)"
  uint32_t size = 0;   // its frame items together
  FramePlace place = FramePlace::kUnused;
  size_t region = 0;    // index into OverlayPlan::regions when kOverlaid
  uint32_t offset = 0;  // of its first item, from the block's start
};

// The frames an interrupt routine shares with code it may interrupt: those
// of functions reached from it and from another root (main() calling
// show(a, b) while the timer's routine calls it too: sdcc passes b in
// show's frame, not in a register).
// The locals sdcc keeps outside DATA (the large model's in XDATA, the
// compact model's in PDATA, bit parameters) are shared the same way.
struct SharedFrames {
  std::string routine;                 // "_t0"
  std::vector<std::string> functions;  // "_show", with frames or locals, in plan order
  std::vector<std::string> others;     // per function, another root reaching it: "_main"
  std::vector<std::string> spaces;     // per function, where its shared bytes lie: "DATA, BIT"
  std::vector<uint32_t> cells;         // their bytes in DATA: offsets from the block, or addresses
  std::vector<RelLocalItem> locals;    // their locals outside DATA
  // Per function, its part of `cells` and `locals`.
  std::vector<std::vector<uint32_t>> function_cells = {};
  std::vector<std::vector<RelLocalItem>> function_locals = {};
};

// A variable of a compiled module, laid by the linker.
struct PlacedVariable {
  std::string symbol;  // "_buf"
  size_t module = 0;   // index into the link's modules
  bool global = true;  // named by other modules, not tagged
  uint32_t size = 0;
  uint32_t offset = 0;               // its address, when the plan lies in free cells
  std::vector<std::string> aliases;  // its names in assembly ("TICKS"), at the same place
};

// The sdas8051 source of the piece of DSEG holding one module's variables.
struct VariableModule {
  size_t module = 0;  // index into the link's modules
  std::string source;
};

struct OverlayPlan {
  std::vector<OverlayRegion> regions;     // main's first, then the interrupts' by number
  std::vector<FunctionFrame> functions;   // every function of the linked graphs, in link order
  std::vector<PlacedVariable> variables;  // by module, each module's in its order
  uint32_t size = 0;                      // the block
  uint32_t frames_size = 0;               // every frame laid end to end
  uint32_t variables_size = 0;
  // Public variables two modules define: laid once, for the link to report.
  std::vector<std::string> defined_twice;
  // Each module's variables, in link order; none when they lie in free cells.
  std::vector<VariableModule> variable_sources;
  // The sdas8051 source of the module defining the frame symbols; empty
  // when no linked module has a frame or a variable to place.
  std::string source;
  // The same symbols and the variables' over an empty block, in place of
  // all of the above: a link with it shows which cells everything else takes.
  std::string probe_source;
  // Set when the frames and variables lie in given free cells: offsets are
  // addresses, regions are not contiguous, and `size` counts the cells taken.
  bool in_cells = false;
  std::vector<SharedFrames> shared;  // by routine, each with at least one frame
};

// The cells 00H-7FH of DATA, true where frames may go.
using DataCells = std::vector<bool>;

// The symbol the block starts at.
constexpr char kOverlayBase[] = "__overlay_base";
// The generated module's name, as sdld's map shows it.
constexpr char kOverlayModule[] = "__overlay";
// The variables' modules' names, the module's index after it.
constexpr char kVariablesModule[] = "__vars";

// Plans from the modules `linked` marks. `called_from_outside` names more
// functions that code without a graph calls: modules the linker takes
// from sdcc's own library or writes itself (a jump from sin to sinf).
//
// sdld wants the block in one piece, where the original linker places each
// function's frame for itself: a program whose DATA is split by a large
// buffer and the bit area may have room for every frame and no piece as
// large as the block. Given `free_cells` (what a link with the probe
// source left free), each variable goes to the first free run that holds
// it, the largest first, and each frame to the first free run at or above
// the frames of its callers, in an absolute area; when even that does not
// fit, the plan is the block's.
OverlayPlan PlanFrameOverlay(const std::vector<LinkModule>& modules,
                             const std::vector<bool>& linked,
                             const std::vector<std::string>& called_from_outside = {},
                             const DataCells* free_cells = nullptr);

// True when `linked` differs from `planned` in a module the plan depends on:
// one with a call graph, or one without that names a function or a public
// variable of a graph.
bool OverlayInputsChanged(const std::vector<LinkModule>& modules, const std::vector<bool>& planned,
                          const std::vector<bool>& linked);

// sdcc's run-time arithmetic for ints and longs (__mulint, __divuint,
// __mullong, __divulong, their modulo and signed forms) keeps its operands
// in one overlay segment that nothing saves: main() dividing while an
// interrupt routine multiplies gets a wrong result. A call of it from a
// root's functions, when another root's functions call it too.
struct SharedArithmetic {
  std::string helper;  // "__divuint", as the first such function calls it
  std::string root;    // "_t0": the root whose functions call it
  std::string other;   // "_main": another root whose functions call one of them
};

// One entry per root after the first whose functions call the arithmetic.
std::vector<SharedArithmetic> ArithmeticOfSeveralRoots(const std::vector<LinkModule>& modules,
                                                       const std::vector<bool>& linked);

// The interrupt routines of `shared` (main() excluded) and the bytes of the
// arithmetic's overlay segment to keep around each: 4 when a long form is
// called anywhere, else 2; then, from `plan`, the frames each routine
// shares. The vector of such a routine jumps to a module of the linker's
// that pushes the bytes, calls the routine (whose RETI returns there) and
// pops them, so whatever it interrupted finds its operands again:
//
//   __c51_keep_t0:  push s_OSEG ... push s_OSEG+3
//                   push __overlay_base+12 ...   (show's frame)
//                   lcall _t0
//                   pop ... pop s_OSEG
//                   ret
//
// Locals outside DATA are read into the stack after the frames: each byte
// of XDATA through DPTR, of PDATA through R0 (as sdcc's code reaches it, in
// the page P2 names), each bit itself, eight to a byte, never the byte
// holding it (the routine may set another bit of it for good). A and PSW,
// and DPTR or R0 when used, are kept first, the routine having pushed none
// of them yet:
//
//                   push acc, push psw, push dpl, push dph
//                   mov dptr,#_sum_s$1f2e3d  movx a,@dptr  push acc
//                   mov c,_pick_PARM_1  rlc a  push acc
//
// A routine whose shared bytes, with those registers, exceed
// `max_frame_bytes` keeps as many functions' as the stack holds, sdcc's int
// and long arithmetic first (the original's works in registers, so nothing
// of it is ever lost), then the others in plan order; the rest come back in
// `too_large`, the kept ones in `kept`.
struct KeptOperands {
  std::vector<std::string> routines;  // "_t0"
  uint32_t bytes = 0;
  std::vector<std::vector<std::string>> frame_cells;  // per routine: "__overlay_base+12", "0x3A"
  std::vector<std::vector<RelLocalItem>> locals;      // per routine
  std::vector<SharedFrames> kept;
  std::vector<SharedFrames> too_large;
};

// The stack bytes keeping `locals` takes, the registers included.
uint32_t LocalsStackBytes(const std::vector<RelLocalItem>& locals);
KeptOperands OperandsToKeep(const std::vector<SharedArithmetic>& shared,
                            const std::vector<LinkModule>& modules, const std::vector<bool>& linked,
                            const OverlayPlan& plan, uint32_t max_frame_bytes);

// The wrapper's name and its sdas8051 source.
std::string KeeperSymbol(const std::string& routine);
std::string KeeperSource(const KeptOperands& kept);

// The map's rows, one per function with a frame, by address, the block at
// `base`: "  0008H     4     main            show    main.obj (MAIN)".
std::vector<std::string> OverlayMapLines(const OverlayPlan& plan, uint32_t base);

// The map's line above them: "20 BYTES AT 0008H HOLD 28 BYTES OF FRAMES",
// for frames in free cells "20 BYTES AT 0008H-0017H, 0062H-0065H HOLD ...",
// there ending in " AND 102 BYTES OF VARIABLES" when variables lie in them too.
std::string OverlaySummary(const OverlayPlan& plan, uint32_t base);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_FRAME_OVERLAY_H_
