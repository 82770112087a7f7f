// The ".lnp" command file handed to the linker or the library manager:
// the object list, then the output line, then (for a program) the linker
// control string.
#ifndef C51_OPTIONS_COMMAND_FILE_H_
#define C51_OPTIONS_COMMAND_FILE_H_

#include <string>

namespace c51 {

struct ConfigurationRef;
struct ProjectNode;

// Appends one object to `list`: "BANK3 {\"path\"},\n" when the file's
// stored code bank ("BankNum" of its own or its nearest group's
// configuration) is below the current configuration's bank count,
// otherwise "\"path\",\n".
void AppendObjectEntry(std::string* list, const ProjectNode* file, const std::string& object_path,
                       ConfigurationRef* ref);

// What the command file names besides the objects.
struct CommandFileInputs {
  std::string object_dir;             // relative to the project folder, as for the objects
  std::string output_name;            // without extension
  std::string linker_control_string;  // BuildLinkerControlString (programs only)
};

// The command file's text. The last entry's "," becomes a blank. A
// library: "TRANSFER \n", the list, then TO "<dir><title>.lib" and "\n".
// A program: the list, TO "<dir><name>" and "\n", then the control string.
//   program, one object => "\"main.obj\" \nTO \"demo\"\n" + control string
std::string BuildCommandFileText(const std::string& object_list, bool library,
                                 const CommandFileInputs& inputs);

// Where the command file lies: object directory + output name title +
// ".lnp":  (".\Debug\", "demo") => ".\Debug\demo.lnp"
std::string CommandFilePath(const std::string& object_dir, const std::string& output_name);

}  // namespace c51

#endif  // C51_OPTIONS_COMMAND_FILE_H_
