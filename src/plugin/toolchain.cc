#include "plugin/toolchain.h"

#include <vector>

#include "platform/fs.h"
#include "platform/path.h"
#include "platform/registry.h"
#include "plugin/state.h"

namespace c51 {
namespace {

// Pieces between separators, empty ones kept.
std::vector<std::string> SplitKeepingEmpty(const std::string& text, char separator) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    size_t end = text.find(separator, start);
    if (end == std::string::npos) {
      pieces.push_back(text.substr(start));
      return pieces;
    }
    pieces.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

bool EndsWithSeparator(const std::string& path) {
  return !path.empty() && IsPathSeparator(path.back());
}

}  // namespace

bool ChooseToolchainEntry(const std::string& kc51, const std::string& name, ToolchainEntry* entry) {
  std::vector<std::string> entries = SplitKeepingEmpty(kc51, '*');
  // The piece after the last "*" is an entry only when it holds something.
  if (entries.back().empty()) entries.pop_back();
  for (const std::string& text : entries) {
    std::vector<std::string> fields = SplitKeepingEmpty(text, '|');
    if (!name.empty() && fields[0] != name) continue;
    entry->fill(std::string());
    for (size_t i = 0; i < fields.size() && i < entry->size(); ++i) (*entry)[i] = fields[i];
    return true;
  }
  return false;
}

bool InstallRootFromCommand(const std::string& command, std::string* root) {
  size_t p = command.rfind('\\');
  if (p == std::string::npos || p <= 2) return false;
  // Drop the opening quotation mark and the program's file name.
  std::string folder = command.substr(1, p - 1);
  size_t q = folder.rfind('\\');
  if (q == std::string::npos || q <= 2) return false;
  *root = folder.substr(0, q + 1);
  return true;
}

void LocateToolchain(PluginState* state) {
  ToolchainPaths& paths = state->toolchain;
  if (paths.located) return;

  const HostContext& context = state->context;
  std::string program_dir;
  std::string root;
  std::string kc51;
  ToolchainEntry entry;
  if (state->preferences.GetValue(context.install_dir ? context.install_dir : "", "ToolChain",
                                  "KC51", &kc51) &&
      ChooseToolchainEntry(kc51, context.toolchain_name ? context.toolchain_name : "", &entry)) {
    std::string folders = entry[4];
    for (char& c : folders)
      if (c == '?') c = ';';
    program_dir = folders.substr(0, folders.find(';'));
    if (!program_dir.empty()) {
      if (!EndsWithSeparator(program_dir)) program_dir += '\\';
      // The folder above "BIN\".
      if (program_dir.size() > 5) root = program_dir.substr(0, program_dir.size() - 4);
    }
  }
  paths.program_dir = program_dir;
  paths.library_dir = root + "LIB\\";
  paths.include_dir = root + "INC\\";

  if (PathExists(paths.program_dir + "C51.exe")) {
    paths.located = true;
  } else {
    std::string command;
    std::string install_root;
    if (ReadClassesRootDefault("UV2FILE\\Shell\\open\\command", &command) &&
        InstallRootFromCommand(command, &install_root)) {
      install_root = ShortPath(install_root);
      if (!EndsWithSeparator(install_root)) install_root += '\\';
      paths.program_dir = install_root + "C51\\BIN\\";
      paths.library_dir = install_root + "C51\\LIB\\";
      paths.include_dir = install_root + "C51\\INC\\";
    }
  }

  paths.compiler = paths.program_dir + "C51.exe";
  paths.assembler = paths.program_dir + "A51.exe";
  paths.library_manager = paths.program_dir + "Lib51.exe";
  paths.linker = paths.program_dir + "BL51.exe";
  paths.hex_converter = paths.program_dir + "OH51.exe";
}

}  // namespace c51
