// Which locals of each function are static. sdcc names a function's static
// locals as it names its automatic ones ("_tick_count_65536_12") and lays
// both into the module's data area, but only the automatic ones may share
// memory with other functions' locals: a static keeps its value between
// calls. The C text tells them apart.
#ifndef C51_TOOLS_SDCC_COMPILE_STATIC_LOCALS_H_
#define C51_TOOLS_SDCC_COMPILE_STATIC_LOCALS_H_

#include <map>
#include <set>
#include <string>
#include <string_view>

namespace c51::sdcc {

struct FunctionLocals {
  // Every function body found, by its C name, with each identifier of the
  // static declarations inside it (a declaration's type names and the names
  // in its initializer come along: too many is safe, too few is not).
  std::map<std::string, std::set<std::string>> statics;

  // True when `function`'s body was found and `name` is not static there.
  bool IsAutomatic(const std::string& function, const std::string& name) const;
};

// Reads sdcc's input (the rewritten text, line markers included).
FunctionLocals FindFunctionLocals(std::string_view text);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_STATIC_LOCALS_H_
