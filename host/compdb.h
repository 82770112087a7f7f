// compile_commands.json for clangd: one entry per C file of the project,
// with the defines and include folders the file's scopes resolve to, in the
// form clangd reads:
//   {"directory": "<project folder>", "file": "<absolute source>",
//    "arguments": ["clang", "-xc", "-DX", "-I<folder>", "-include",
//                  "<keyword header>", "<absolute source>"]}
// The keyword header turns the C51 language extensions into plain C as far
// as the preprocessor can (see KeywordHeader).
#ifndef C51_HOST_COMPDB_H_
#define C51_HOST_COMPDB_H_

#include <string>
#include <vector>

namespace c51 {
struct ProjectNode;
}

namespace c51::host {

struct CompileEntry {
  std::string directory;
  std::string file;
  std::vector<std::string> arguments;
};

// The C files of the project under configuration `config`. Include folders
// are made absolute against `project_folder`; `extra_includes` (the
// toolchain's, from the plug-in) follow the file's own, without repeats.
std::vector<CompileEntry> CompileEntries(ProjectNode* root, const std::string& config,
                                         const std::string& project_folder,
                                         const std::vector<std::string>& extra_includes,
                                         const std::string& header_path);

// The define list as the compiler gets it: the resolved text cut at blanks
// and commas, without the symbols equal (ignoring case) to the file's
// undefine text:  ("A B=2, C", "c") => {"A", "B=2"}
std::vector<std::string> DefineSymbols(const std::string& define, const std::string& undefine);

// The include list: cut at ";", each trimmed, empty pieces dropped.
std::vector<std::string> IncludeFolders(const std::string& include);

std::string CompileCommandsJson(const std::vector<CompileEntry>& entries);

// A JSON string literal; bytes >= 0x80 pass as they are (UTF-8).
std::string JsonString(const std::string& text);

// The generated header's text.
std::string KeywordHeader();

}  // namespace c51::host

#endif  // C51_HOST_COMPDB_H_
