// The preference store library. It is loaded by the plug-in, so it
// carries its own few system calls rather than the core; on POSIX the
// platform layer converts what it hands out to the local code page, the
// plug-in's texts.
#include "host/store/preference_store.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/ascii_case.h"
#include "support/path_text.h"

#if defined(_WIN32)
#include <windows.h>
#define STORE_EXPORT __declspec(dllexport)
#else
#include <dlfcn.h>

#include "platform/codepage.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "platform/registry.h"
#define STORE_EXPORT __attribute__((visibility("default")))
#endif

namespace c51::host {
namespace {

#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool IsSeparator(char c) {
  return c == '/' || c == '\\';
}

bool GetEnvironment(const char* name, std::string* value) {
#if defined(_WIN32)
  // The C runtime's copy of the environment misses SetEnvironmentVariable.
  DWORD n = GetEnvironmentVariableA(name, nullptr, 0);
  if (n == 0) return false;
  std::string text(n, '\0');
  n = GetEnvironmentVariableA(name, text.data(), n);
  text.resize(n);
  *value = text;
#else
  if (!c51::GetEnv(name, value)) return false;
#endif
  return !value->empty();
}

bool IsDirectory(const std::string& path) {
#if defined(_WIN32)
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
  return c51::IsDirectory(path);
#endif
}

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
  return path;
}

std::string Join(const std::string& folder, const char* name) {
  std::string path = folder;
  if (!path.empty() && !IsSeparator(path.back())) path += kSeparator;
  return path + name;
}

// The folder this library was loaded from, without a trailing separator.
std::string LibraryFolder() {
  std::string path;
#if defined(_WIN32)
  HMODULE module = nullptr;
  if (GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          reinterpret_cast<LPCSTR>(&LibraryFolder), &module)) {
    char buffer[MAX_PATH + 1];
    DWORD n = GetModuleFileNameA(module, buffer, sizeof buffer);
    if (n > 0 && n < sizeof buffer) path.assign(buffer, n);
  }
#else
  Dl_info info;
  if (dladdr(reinterpret_cast<void*>(&LibraryFolder), &info) && info.dli_fname)
    path = c51::SystemToLocalText(info.dli_fname);
#endif
  return ParentFolder(path);
}

std::string PreferencesFile() {
  std::string base;
#if defined(_WIN32)
  if (!GetEnvironment("APPDATA", &base)) return std::string();
#else
  if (!GetEnvironment("XDG_CONFIG_HOME", &base) || !IsSeparator(base[0])) {
    if (!GetEnvironment("HOME", &base)) return std::string();
    base = Join(base, ".config");
  }
#endif
  return Join(Join(base, "corvane-c51"), "toolchain");
}

// The first line that is not blank, trimmed.
bool ReadPreferredFolder(std::string* folder) {
  std::string file = PreferencesFile();
  if (file.empty()) return false;
#if defined(_WIN32)
  FILE* stream = std::fopen(file.c_str(), "rb");
#else
  FILE* stream = std::fopen(c51::NativePath(file).c_str(), "rb");
#endif
  if (!stream) return false;
  std::string line;
  bool found = false;
  for (int c; !found && (c = std::fgetc(stream)) != EOF;) {
    if (c != '\n') {
      line.push_back(static_cast<char>(c));
      continue;
    }
    found = line.find_first_not_of(" \t\r") != std::string::npos;
    if (!found) line.clear();
  }
  std::fclose(stream);
  size_t first = line.find_first_not_of(" \t\r");
  if (first == std::string::npos) return false;
  size_t last = line.find_last_not_of(" \t\r");
  *folder = line.substr(first, last - first + 1);
#if !defined(_WIN32)
  // Written by the user in an editor: UTF-8.
  *folder = c51::SystemToLocalText(*folder);
#endif
  return true;
}

std::string g_host_folder;  // set by SetToolchainFolder

#if !defined(_WIN32)
// The program folder of the installation the file association names
// (UV2FILE_OPEN_COMMAND, else the wine prefix's registry): the root two
// folders above the program it starts, "<root>/C51/BIN", when that holds
// the compiler. A toolchain installed under wine is found with no option.
bool RegisteredProgramFolder(std::string* folder) {
  std::string command;
  if (!c51::ReadClassesRootDefault("UV2FILE\\Shell\\open\\command", &command)) return false;
  const bool quoted = !command.empty() && command[0] == '"';
  const size_t from = quoted ? 1 : 0;
  const size_t to = command.find(quoted ? '"' : ' ', from);
  const std::string program =
      command.substr(from, to == std::string::npos ? std::string::npos : to - from);
  const std::string root = ParentFolder(ParentFolder(program));
  if (root.empty()) return false;
  const std::string bin = Join(Join(root, "C51"), "BIN");
  if (!c51::PathExists(Join(bin, "C51.exe"))) return false;
  *folder = c51::NativePath(bin);
  return true;
}
#endif

// The program folder, found as the header describes.
std::string ProgramFolder() {
  std::string folder = g_host_folder;
  if (folder.empty() && !GetEnvironment(kToolchainEnvironmentVariable, &folder) &&
      !ReadPreferredFolder(&folder)) {
#if !defined(_WIN32)
    if (RegisteredProgramFolder(&folder)) return folder;
#endif
    const std::string install = ParentFolder(LibraryFolder());
    return Join(Join(Join(install, "simtool"), "C51"), "BIN");
  }
  folder = WithoutTrailingSeparators(folder);
  if (IsDirectory(Join(Join(folder, "C51"), "BIN"))) return Join(Join(folder, "C51"), "BIN");
  if (IsDirectory(Join(folder, "BIN"))) return Join(folder, "BIN");
  return folder;
}

int g_toolchain_section;  // the one section's handle is its address

void* C51_CDECL OpenSection(const char* const* name_word, int) {
  if (!name_word || !*name_word || !EqualsIgnoringCase(*name_word, "ToolChain")) return nullptr;
  return &g_toolchain_section;
}

int C51_CDECL CloseSection(void*) {
  return 1;
}

int C51_CDECL SetValue(void*, const char*, const char*) {
  return 0;
}

int C51_CDECL RemoveValue(void*, const char*) {
  return 0;
}

void C51_CDECL ReleaseValue(void* record) {
  auto* value = static_cast<StoreValue*>(record);
  if (!value) return;
  delete[] value->text;
  delete value;
}

void* C51_CDECL GetValue(void* section, const char* key) {
  if (section != &g_toolchain_section || !key || !EqualsIgnoringCase(key, "KC51")) return nullptr;
  try {
    std::string text = std::string(kToolchainName) + "||||" + ProgramFolder() + "|*";
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return new StoreValue{copy, 0, ReleaseValue};
  } catch (...) {
    // Nothing may unwind into the caller; no answer instead.
    return nullptr;
  }
}

template <typename F>
void* Word(F function) {
  return reinterpret_cast<void*>(reinterpret_cast<uintptr_t>(function));
}

void* const g_table[] = {Word(OpenSection), Word(CloseSection), Word(SetValue),
                         Word(RemoveValue), Word(GetValue),     nullptr};

}  // namespace
}  // namespace c51::host

extern "C" STORE_EXPORT void* const* C51_CDECL GetOPTI() {
  return c51::host::g_table;
}

extern "C" STORE_EXPORT void C51_CDECL SetToolchainFolder(const char* folder) {
  try {
    c51::host::g_host_folder = folder ? folder : "";
  } catch (...) {
  }
}
