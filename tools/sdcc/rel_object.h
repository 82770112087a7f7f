// What the SDCC-backed compiler and assembler put into an object file after
// the dependency record, what its library manager collects and what its
// linker reads back: one block per module, the SDCC relocatable kept whole.
//
//   SDCCOBJ 1
//   MODULE MAIN
//   SOURCE /p/main.c
//   TOOL C51
//   MODEL SMALL
//   INTERRUPT 1 _t0             one line per interrupt routine defined here
//   ABSOLUTE X 0100 2 _mark     a variable placed at a fixed address: space
//                               (D data, I idata, X xdata), address, size
//   CALLGRAPH                   the compiler's record of its functions follows
//   DATA G _buf 80              a variable in DATA the linker places, its size;
//                               G: public, L: the module's own (static)
//   FUNCTION G _show            G and L as for DATA
//   FRAME _show_buf$1f2e3d 6    its locals, which the linker places
//   LOCAL X _show_n$1f2e3d 2    a local it keeps in XDATA (X), PDATA (P) or
//                               as bits (B, the size counting bits)
//   CALL _lcd_put               a function it calls by name
//   INDIRECT                    it calls through a pointer
//   TAKEN _on_key               a function whose address the module takes
//   FLOATFORMAT                 a text of the module reads as a printf format of a float
//   REL 1234
//   <1234 bytes: the relocatable sdcc or sdas8051 wrote>
//   END
//
// A library is "SDCCLIB 1" and a line end followed by module blocks. The
// relocatable goes in with its byte count, not line by line, so nothing in
// it can end the block early. The INTERRUPT lines tell the linker which
// vectors to lay down; objects written before them have none and still load.
//
// sdcc gives a variable placed with _at_ an address and no room: the
// ABSOLUTE lines tell the linker what to keep other variables off.
//
// The call graph lets the linker overlay the locals of functions that are
// never active at once, as the original toolchain does: the compiler leaves
// a FRAME's bytes out of the module (its code names them as externals) and
// the linker defines every one. A module without CALLGRAPH keeps its locals.
//
// Locals and memory-passed parameters the module keeps in XDATA, PDATA or
// the bit area are LOCAL lines: they stay in the module, public, so the
// linker can save them around an interrupt routine that shares them.
//
// The module's other variables in DATA (its globals, its file's and its
// functions' statics) go the same way, as DATA lines: sdld would lay all
// modules' DATA as one block, which the bit area splits; the linker lays
// each variable where it fits. A module without DATA lines keeps its DATA.
#ifndef C51_TOOLS_SDCC_REL_OBJECT_H_
#define C51_TOOLS_SDCC_REL_OBJECT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// An interrupt routine: its number (the vector is at 3 + 8 * number) and its
// symbol in the relocatable ("_t0").
struct RelInterrupt {
  uint32_t number = 0;
  std::string symbol;
};

// A variable at a fixed address in internal or external RAM.
struct RelAbsolute {
  char space = 'D';  // 'D' data, 'I' idata, 'X' xdata
  uint32_t address = 0;
  uint32_t size = 0;
  std::string symbol;  // "_mark"
};

// "X 0100 2 _mark" => the variable; false when the text does not read so.
bool ParseRelAbsolute(std::string_view text, RelAbsolute* absolute);
// The same text for `absolute`.
std::string FormatRelAbsolute(const RelAbsolute& absolute);

// A local of a function, or a parameter passed in memory, that the linker
// places: the symbol the module's code uses and its size in bytes.
struct RelFrameItem {
  std::string symbol;
  uint32_t size = 0;
};

// A variable of the module in DATA that the linker places: the symbol the
// module's code uses, its size in bytes and whether other modules name it.
struct RelDataItem {
  std::string symbol;
  uint32_t size = 0;
  bool global = true;
};

// A local or memory-passed parameter that stays in its module, outside
// DATA: the public symbol the linker reaches it by, its space ('X' xdata,
// 'P' pdata, 'B' a bit) and its size in bytes, or in bits for 'B'.
struct RelLocalItem {
  char space = 'X';
  std::string symbol;
  uint32_t size = 0;
};

struct RelFunction {
  std::string symbol;  // "_show"
  bool global = true;  // false: static, known by this name only in its module
  std::vector<RelFrameItem> frame;
  std::vector<std::string> calls;  // direct callees as the module names them
  bool indirect_calls = false;
  std::vector<RelLocalItem> locals = {};  // defaulted: older initialisers stay valid
};

struct RelModule {
  std::string name;                           // the source's title, upper-cased
  std::string source;                         // the source file as named on the command line
  std::string tool;                           // "C51" or "A51"
  std::string model;                          // "SMALL", "COMPACT" or "LARGE"
  std::string rel;                            // the relocatable's bytes
  std::vector<RelInterrupt> interrupts = {};  // defaulted: older initialisers stay valid
  bool call_graph = false;                    // the three below are known
  std::vector<RelFunction> functions = {};
  std::vector<std::string> taken = {};  // functions whose address is taken
  bool float_formats = false;           // "%f", "%e" or "%g" in a string
  std::vector<RelAbsolute> absolutes = {};
  std::vector<RelDataItem> data = {};  // with the call graph, in the module's order
};

constexpr std::string_view kRelLibraryHeader = "SDCCLIB 1\n";

// sdcc's highest interrupt number.
constexpr uint32_t kMaxInterrupt = 255;

std::string FormatRelModule(const RelModule& module);

// The call graph's lines (CALLGRAPH first), each ended by "\n"; empty when
// the module has none. The compiler's assembly output carries them as
// comments for the assembler to put into the object.
std::string FormatCallGraph(const RelModule& module);

// Takes one call graph line (without its end) into `module`; false when it
// is not one or is malformed. A FRAME, LOCAL, CALL or INDIRECT line needs a
// FUNCTION before it; a DATA line does not.
bool ParseCallGraphLine(std::string_view line, RelModule* module);

// Every module of an object or library file, a leading dependency record
// skipped. False with `err` when the bytes are not one of ours or are cut.
bool ParseRelModules(std::string_view bytes, std::vector<RelModule>* modules, std::string* err);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_REL_OBJECT_H_
