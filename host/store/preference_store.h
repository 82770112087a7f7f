// The host's preference store, "opt\Mirelsk.dll" in the host's install
// folder (on Linux an ELF shared object under that name). The plug-in asks
// it where the toolchain is: GetOPTI returns a table whose entry 0 opens a
// section and entry 4 reads a value. It answers one section, "ToolChain",
// and one key, "KC51", with a single toolchain entry
//   "<kToolchainName>||||<program folder>|*"
// The program folder is the first of:
//   1. the folder the host set through SetToolchainFolder (--toolchain);
//   2. the environment variable CORVANE_C51_TOOLCHAIN;
//   3. the first line of the preferences file "corvane-c51/toolchain" in the
//      user's configuration folder ($XDG_CONFIG_HOME, else ~/.config;
//      %APPDATA% on Windows);
//   4. POSIX: the installation the file association names (the registry
//      read of platform/registry.h: UV2FILE_OPEN_COMMAND, else the wine
//      prefix's registry), "<root>/C51/BIN" two folders above the program
//      it starts, when that holds C51.exe;
//   5. the bundled simulated toolchain, simtool/C51/BIN beside the folder
//      "opt" that holds this library.
// A folder given in 1-3 may be the toolchain's root or its program folder:
// when it holds C51/BIN, that is the program folder; else when it holds
// BIN, that one; else the folder itself.
#ifndef C51_HOST_STORE_PREFERENCE_STORE_H_
#define C51_HOST_STORE_PREFERENCE_STORE_H_

#include <cstdint>

#include "project/abi.h"

namespace c51::host {

// HostContext word 8 and the name of the store's one toolchain entry.
constexpr char kToolchainName[] = "C51";

constexpr char kToolchainEnvironmentVariable[] = "CORVANE_C51_TOOLCHAIN";

// The library's exports.
constexpr char kGetOptiSymbol[] = "GetOPTI";
constexpr char kSetToolchainFolderSymbol[] = "SetToolchainFolder";

// The table GetOPTI returns, as far as it is a contract: entry 0 opens a
// section, entry 4 gets a value. Entries 1-3 (close, set, remove) do
// nothing: the store is read-only.
using GetOptiFunction = void* const*(C51_CDECL*)();
using OpenSectionFunction = void*(C51_CDECL*)(const char* const* name_word, int mode);
using GetValueFunction = void*(C51_CDECL*)(void* section, const char* key);
// A null or empty folder clears what an earlier call set.
using SetToolchainFolderFunction = void(C51_CDECL*)(const char* folder);

// What GetValue returns; `release` frees it once the text has been copied.
struct StoreValue {
  const char* text;
  uintptr_t reserved;
  void(C51_CDECL* release)(void* record);
};

}  // namespace c51::host

#endif  // C51_HOST_STORE_PREFERENCE_STORE_H_
