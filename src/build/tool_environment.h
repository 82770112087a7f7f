// The environment the toolchain programs inherit from the plug-in's
// process: "C51LIB", "C51INC" and "PATH".
#ifndef C51_BUILD_TOOL_ENVIRONMENT_H_
#define C51_BUILD_TOOL_ENVIRONMENT_H_

#include <string>

namespace c51 {

struct PluginState;

// The folder name that a device's "REGFILE" entry or a configuration's
// "RGF" encloses in "(<" and ">)", trimmed; "" when the text holds no "("
// with a ")" after it more than three characters on.
//   "(<Atmel>)" => "Atmel";  "x(< Phil ips >)" => "Phil ips";  "(<>)" => ""
//   "(<a)" => "";  "REG51.H" => "";  null => ""
std::string IncludeSubdirectory(const char* text);

// "C51INC": the include folder, and after ";" its sub-folder when there is
// one:
//   ("C:\K\INC\", "")      => "C:\K\INC\"
//   ("C:\K\INC\", "Atmel") => "C:\K\INC\;C:\K\INC\Atmel\"
std::string CompilerIncludeVariable(const std::string& include_dir,
                                    const std::string& subdirectory);

// A control string as the program `program` names its folders: each
// folder of every "INCDIR" list (any letter case, with or without a blank
// before "(") by PathForProgram, so that a Windows program under wine
// finds an absolute POSIX folder the user typed. Everything else, and the
// whole text for any other program, unchanged.
//   Windows program, prefix Z: = "/":
//     "SMALL INCDIR (/opt/inc;src) DEBUG" => "SMALL INCDIR (Z:\opt\inc;src) DEBUG"
std::string ControlsForProgram(const std::string& program, const std::string& controls);

// Sets "C51LIB" to the toolchain's library folder and "C51INC" to
// `compiler_include`, and points "PATH" at the project folder for as long
// as the object lives (on POSIX the project folder first, then the old
// "PATH": see ToolSearchPath). The old "PATH" comes back when Restore is called or
// the object goes, whichever is first; a "PATH" that was unset is removed
// again. "C51LIB" and "C51INC" stay: nothing but the tools reads them.
// The folders are written as the compiler takes them (PathForProgram): for
// a Windows toolchain under wine, on the prefix's drives; and as wine does
// not pass "PATH" on, "WINEPATH" (which it puts first in the program's
// "PATH") names the project folder too, and is restored like "PATH".
class ToolEnvironment {
 public:
  ToolEnvironment(const PluginState& state, const std::string& compiler_include);
  ~ToolEnvironment();
  ToolEnvironment(const ToolEnvironment&) = delete;
  ToolEnvironment& operator=(const ToolEnvironment&) = delete;

  void Restore();

 private:
  bool restored_ = false;
  bool had_path_ = false;
  // The whole value, however long: a cut copy would shorten the user's PATH
  // for the rest of the process.
  std::string saved_path_;
  bool set_wine_path_ = false;
  bool had_wine_path_ = false;
  std::string saved_wine_path_;
};

}  // namespace c51

#endif  // C51_BUILD_TOOL_ENVIRONMENT_H_
