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

std::string StackPointerModuleSource(std::string_view symbol) {
  const char* bytes = symbol == "$C_XBP" ? "2" : "1";
  if (symbol != "$C_IBP" && symbol != "$C_PBP" && symbol != "$C_XBP") return std::string();
  const std::string name(symbol);
  return "\t.module\tc51" + name.substr(1) + "\n\t.globl\t" + name + "\n\t.area\tDSEG\t(DATA)\n" +
         name + ":\n\t.ds\t" + bytes + "\n";
}

std::string ConsoleModuleSource(std::string_view symbol) {
  // Bit 0x98 is RI and 0x99 TI (SCON.0, SCON.1); byte 0x99 is SBUF, 0x82
  // and 0x83 DPL and DPH, where sdcc passes and returns a value.
  std::string body;
  if (symbol == "_putchar") {
    body =
        "\tmov\ta,0x82\n"
        "\tcjne\ta,#0x0a,00002$\n"
        "00001$:\n"
        "\tjnb\t0x99,00001$\n"
        "\tclr\t0x99\n"
        "\tmov\t0x99,#0x0d\n"
        "00002$:\n"
        "\tjnb\t0x99,00002$\n"
        "\tclr\t0x99\n"
        "\tmov\t0x99,0x82\n"
        "\tret\n";
  } else if (symbol == "__getkey") {
    body =
        "00001$:\n"
        "\tjnb\t0x98,00001$\n"
        "\tclr\t0x98\n"
        "\tmov\t0x82,0x99\n"
        "\tmov\t0x83,#0x00\n"
        "\tret\n";
  } else if (symbol == "_getchar") {
    body =
        "\t.globl\t__getkey\n"
        "\t.globl\t_putchar\n"
        "\tlcall\t__getkey\n"
        "\tpush\t0x82\n"
        "\tlcall\t_putchar\n"
        "\tpop\t0x82\n"
        "\tmov\t0x83,#0x00\n"
        "\tret\n";
  } else {
    return std::string();
  }
  const std::string name(symbol);
  return "; " + name + " on the serial port, supplied by the linker.\n\t.module\t__console" + name +
         "\n\t.globl\t" + name + "\n\t.area\tCSEG (CODE)\n" + name + ":\n" + body;
}

std::string CallShimSource(std::string_view symbol, std::string_view target) {
  const std::string name(symbol), to(target);
  // 0x82 DPL, 0x83 DPH, 0xF0 B. Every register set here is the caller's to
  // lose in sdcc's convention.
  return "; " + name + " calls " + to +
         ", which takes and returns values as the original compiler passes them.\n"
         "\t.module\t__shim" +
         name + "\n\t.globl\t" + name + "\n\t.globl\t" + to + "\n\t.area\tCSEG (CODE)\n" + name +
         ":\n"
         "\tmov\tr7,0x82\n\tmov\tr6,0x83\n\tmov\tr5,0xf0\n\tmov\tr4,a\n"
         "\tmov\tr1,0x82\n\tmov\tr2,0x83\n\tmov\tr3,0xf0\n"
         "\tlcall\t" +
         to +
         "\n"
         "\tmov\t0x82,r7\n\tmov\t0x83,r6\n\tmov\t0xf0,r5\n\tmov\ta,r4\n"
         "\tret\n";
}

std::string MissingLibraryReason(std::string_view symbol) {
  // sdcc's start-up code (?C_START of a classic start-up file) ends in main().
  if (symbol == "__sdcc_program_startup") return "NO MODULE DEFINES main(), WHICH ?C_START CALLS";
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
