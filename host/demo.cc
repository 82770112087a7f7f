// c51-demo: loads the plug-in library the way a host does and prints the
// table it hands out. A preview of the host until corvane-c51 exists.
#include <cstdint>
#include <cstdio>
#include <string>

#include "entry/plugin_interface.h"
#include "platform/dynamic_library.h"
#include "platform/fs.h"

namespace {

const char* const kSlotNames[24] = {
    "SetHostContext",       "CreateDefaultConfiguration",
    "OpenConfiguration",    "ShowSettings",
    "ImportProject",        "BuildTarget",
    "TranslateFile",        "StopBuild",
    "CleanTarget",          "Notify",
    "GetDebugRecord",       "SetDriverSetting",
    "HostSetDriverSetting", "HostUpdateNode",
    "HostAddChild",         "(host word 15)",
    "HostRunCommand",       "HostOutput",
    "(host word 18)",       "HostTranslationDone",
    "NextDependency",       "NextIncludeDirectory",
    "ReservedEntry",        "HostDeviceChanged",
};

bool IsHostWord(int slot) {
  return (slot >= 12 && slot <= 19) || slot == 23;
}

}  // namespace

int main(int argc, char** argv) {
#if defined(_WIN32)
  const char* file = "c51plugin.dll";
#else
  const char* file = "libc51plugin.so";
#endif
  const std::string path = argc > 1 ? argv[1] : c51::ExecutableDirectory() + file;
  c51::DynamicLibrary library;
  std::string err;
  if (!library.Open(path, &err)) {
    std::fprintf(stderr, "c51-demo: %s\n", err.c_str());
    return 2;
  }
  auto get_interface = reinterpret_cast<c51::GetInterfaceFunction>(
      reinterpret_cast<uintptr_t>(library.Symbol("GetInterface")));
  if (!get_interface) {
    std::fprintf(stderr, "c51-demo: %s exports no GetInterface\n", path.c_str());
    return 2;
  }
  c51::PluginInterface* table = get_interface();
  const auto* words = reinterpret_cast<const uintptr_t*>(table);
  std::printf("%s\nGetInterface() -> table of 24 words\n\n", path.c_str());
  std::printf("slot  filled by  entry                       state\n");
  for (int slot = 0; slot < 24; ++slot) {
    const char* state = IsHostWord(slot) ? "left for the host" : words[slot] ? "filled" : "EMPTY";
    std::printf("%4d  %-9s  %-26s  %s\n", slot, IsHostWord(slot) ? "host" : "plug-in",
                kSlotNames[slot], state);
  }
  std::printf("\nReservedEntry() = %d\n", table->ReservedEntry());
  return 0;
}
