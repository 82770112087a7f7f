#include "sdcc/link/library_names.h"

#include <algorithm>

namespace c51::sdcc {

namespace {

// float f(float) in sdcc's library as f + "f".
constexpr std::string_view kOneArgument[] = {
    "sin",  "cos", "tan", "asin",  "acos", "atan", "sinh", "cosh",
    "tanh", "exp", "log", "log10", "sqrt", "fabs", "ceil", "floor",
};
// Float versions that take more than one argument.
constexpr std::string_view kMoreArguments[] = {"pow", "atan2", "frexp", "ldexp", "modf"};
// Not in sdcc's library under any name.
constexpr std::string_view kAbsent[] = {"scanf", "sscanf", "vscanf", "vsscanf", "fmod", "strtod"};
// sdcc's printf and gets call these; the program supplies them.
constexpr std::string_view kProgramDefines[] = {"putchar", "getchar"};

template <size_t N>
bool In(const std::string_view (&names)[N], std::string_view name) {
  return std::find(std::begin(names), std::end(names), name) != std::end(names);
}

// "_sscanf" and "_sscanf_PARM_2" => "sscanf"; empty for a symbol that is no
// C function's.
std::string_view FunctionName(std::string_view symbol) {
  if (symbol.size() < 2 || symbol[0] != '_') return std::string_view();
  symbol.remove_prefix(1);
  const size_t parm = symbol.find("_PARM_");
  if (parm != std::string_view::npos) symbol = symbol.substr(0, parm);
  return symbol;
}

}  // namespace

std::string FloatAlias(std::string_view symbol) {
  if (symbol.size() < 2 || symbol[0] != '_' || !In(kOneArgument, symbol.substr(1))) {
    return std::string();
  }
  return std::string(symbol) + "f";
}

std::string AliasModuleSource(std::string_view symbol, std::string_view target) {
  const std::string name(symbol), to(target);
  return "; " + name + " is " + to + ", supplied by the linker.\n\t.module\t__alias" + name +
         "\n\t.globl\t" + name + "\n\t.globl\t" + to + "\n\t.area\tCSEG (CODE)\n" + name +
         ":\n\tljmp\t" + to + "\n";
}

std::string MissingLibraryReason(std::string_view symbol) {
  const std::string_view name = FunctionName(symbol);
  if (name.empty()) return std::string();
  const std::string text(name);
  if (In(kAbsent, name)) return "SDCC'S LIBRARY HAS NO " + text;
  if (In(kMoreArguments, name) || In(kOneArgument, name)) {
    return "SDCC'S LIBRARY HAS NO " + text + ", ONLY ITS FLOAT VERSION " + text + "f";
  }
  if (In(kProgramDefines, name)) {
    return "SDCC'S LIBRARY HAS NO " + text + ": THE PROGRAM MUST DEFINE IT";
  }
  return std::string();
}

}  // namespace c51::sdcc
