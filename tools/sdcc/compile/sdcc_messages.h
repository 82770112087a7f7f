// Reads what sdcc, its preprocessor and sdas8051 print, so the tools can
// report it in their own layout:
//   main.c:9: error 20: Undefined identifier 'x'        sdcc
//   main.c:5: syntax error: token -> '}' ; column 1     sdcc
//   main.c:1:10: fatal error: gone.h: No such file or directory   preprocessor
//   main.c:3:2: error: #error stop                      preprocessor
//   s.asm:10: Error: <u> undefined symbol encountered during assembly   sdas8051
// sdcc's numbers become our compiler's codes where one means the same
// (error 20 => C202 undefined identifier); the others get kGenericCode with
// sdcc's number kept in the text. Lines that are no message (progress,
// "removing x.rel") are dropped; an indented or file-less line that follows
// a message continues it. sdcc's implicit declaration of a called function
// is a local of the caller to its flow analysis, which then warns that
// this 'auto' variable may be used before initialization: that warning is
// dropped, the implicit declaration's own stays.
#ifndef C51_TOOLS_SDCC_COMPILE_SDCC_MESSAGES_H_
#define C51_TOOLS_SDCC_COMPILE_SDCC_MESSAGES_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// sdcc's messages without a counterpart among the compiler's codes. Errors
// and warnings get different ones: the code is all that tells a warning
// once the plug-in has rewritten the line.
constexpr std::string_view kGenericCompilerCode = "C999";
constexpr std::string_view kGenericCompilerWarningCode = "C998";
constexpr std::string_view kGenericAssemblerCode = "#A99";
// A call with no prototype before it.
constexpr std::string_view kMissingPrototypeCode = "C206";

struct ToolMessage {
  enum class Kind { kError, kWarning, kMissingInclude };
  Kind kind = Kind::kError;
  std::string file;  // as the tool printed it; empty when it named none
  int line = 0;      // 0 when it named none
  std::string code;  // "C202", "#A45"
  std::string text;  // kMissingInclude: the header's name
  int number = 0;    // sdcc's number of the message; 0 when it printed none
};

std::vector<ToolMessage> ParseCompilerOutput(std::string_view output);
std::vector<ToolMessage> ParseAssemblerOutput(std::string_view output);

// The local a "may be used before initialization" warning names; false for
// any other message.
bool UsedBeforeSet(const ToolMessage& m, std::string* local);

// Whether `m` is sdcc's refusal of an assignment between types it will not
// convert ("indirections to different types assignment"), its types joined
// to its text.
bool RefusesAssignment(const ToolMessage& m);

// sdcc says "excess elements in array of chars initializer" of an unsigned
// char array that a string fills exactly too ("uchar day[7][3] = {"Mon",
// ...}"), which is legal C the original compiler takes silently: such
// warnings go where every string of the array's initializer in `text`
// (sdcc's input) fits its innermost dimension.
void DropExactStringFits(std::string_view text, std::vector<ToolMessage>* messages);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_SDCC_MESSAGES_H_
