// The ".lnp" command file handed to the linker or the library manager:
// the object list, then the output line, then (for a program) the linker
// control string.
#ifndef C51_OPTIONS_COMMAND_FILE_H_
#define C51_OPTIONS_COMMAND_FILE_H_

#include <string>
#include <string_view>

namespace c51 {

struct ProjectNode;

// Appends one object to `list`: "BANK3 {\"path\"},\n" when the "BankNum"
// of the file's local configuration (its own, else its nearest group's:
// FindLocalConfiguration) is from 0 to `bank_count` - 1, otherwise
// "\"path\",\n". A file configuration without "BankNum" does not look
// further out.
void AppendObjectEntry(std::string* list, const ProjectNode* local_configuration, int bank_count,
                       std::string_view object_path);

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
