// Locals read before they are set. The original compiler gives every local
// of a function that is not reentrant a fixed byte of its own: an interrupt
// routine's keeps its value from one interrupt to the next (and starts at
// the start-up code's zero), a loop's counter declared inside the loop body
// keeps counting. Real firmware relies on it: the widely copied infrared
// decoder tests "if (startflag)" on a local it sets only in the else branch.
// sdcc treats such a read as undefined, keeps the local in a register and
// folds the test away, so the decoder never decodes.
//
// Where sdcc says a local may be used before it is set, the declaration is
// made static, which is what the fixed byte amounts to:
//
//   void ext0(void) interrupt 0 {          void ext0(void) interrupt 0 {
//     unsigned char armed;          =>       static unsigned char armed;
//     if (armed) hits++; else armed = 1;     if (armed) hits++; else armed = 1;
//
// Declarations with an initializer (static would run it once) or a storage
// class, and reentrant functions (their locals are on a stack there too),
// are left as they are.
#ifndef C51_TOOLS_SDCC_COMPILE_UNSET_LOCALS_H_
#define C51_TOOLS_SDCC_COMPILE_UNSET_LOCALS_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// A read sdcc reported: where, as its line markers name the file, and the
// local's name.
struct UnsetRead {
  std::string file;
  int line = 0;
  std::string name;
};

// `text` (sdcc's input, line markers included) with the declarations of
// the locals `reads` names made static; false, and `out` untouched, when
// none could be.
bool MakeUnsetLocalsStatic(std::string_view text, const std::vector<UnsetRead>& reads,
                           std::string* out);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_UNSET_LOCALS_H_
