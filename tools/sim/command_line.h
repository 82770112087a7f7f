// The tools' own command lines. The build starts them with one text that
// the operating system (Windows), or the POSIX runner standing in for it,
// splits by the Windows argument rules; the tools split their raw command
// line the same way so that both platforms see the same arguments.
#ifndef C51_TOOLS_SIM_COMMAND_LINE_H_
#define C51_TOOLS_SIM_COMMAND_LINE_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sim {

// Splits a command line by the Windows argument rules. The first element is
// the program: up to the closing quotation mark when it starts with one,
// else up to the first blank or tab; "\" is literal there. For the others:
//   a "b c" d      => [a] [b c] [d]
//   OBJECT(".\x")  => [OBJECT(.\x)]
//   a\\\"b         => [a\"b]        (2n+1 "\" before a quotation mark: n and a literal mark)
//   "a\\" b        => [a\] [b]      (2n "\" before a quotation mark: n, the mark toggles quoting)
//   a\b\           => [a\b\]        ("\" not before a quotation mark is literal)
//   "a""b"         => [a"b]         (a doubled mark inside quotation marks is one literal mark)
//   ""             => []            (an empty quoted argument is kept)
std::vector<std::string> SplitWindowsCommandLine(std::string_view line);

// The arguments after the program name, as texts of ours (the local code
// page). Windows: the raw command line split as above. Elsewhere argv, which
// the starting process split already, converted from the system's text.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Joins arguments with single blanks: the control string as the build wrote
// it, less the quotation marks the split removed.
std::string JoinArguments(const std::vector<std::string>& args, size_t first);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_COMMAND_LINE_H_
