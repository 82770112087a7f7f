// The user's own commands around a build ("BeforeCmp", "BeforeBuild",
// "AfterBuild"), run through the host.
#ifndef C51_BUILD_USER_COMMANDS_H_
#define C51_BUILD_USER_COMMANDS_H_

namespace c51 {

struct PluginState;

// Runs what a user-command value enables: for each of its two commands
// that is switched on and not empty, "User Command #n:<command>\r\n" goes to
// the output window (kind 0) and the host runs it; a failed run adds
// "--- Error: User command terminated,Exit code = <code>\r\n" and the next
// command still runs. A null or empty value, or one without exactly four
// "?", runs nothing.
//   "1?make.bat?0?post.bat?" => runs make.bat only
//   "00?a?0?b?"              => runs a ("00" is not "0")
void RunUserCommands(PluginState* state, const char* value);

}  // namespace c51

#endif  // C51_BUILD_USER_COMMANDS_H_
