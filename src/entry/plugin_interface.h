// The table of 24 function words shared with the host. GetInterface fills
// the plug-in's words (0-11, 20-22); the host fills its services (12-19,
// 23) afterwards. Every entry uses the C calling convention.
#ifndef C51_ENTRY_PLUGIN_INTERFACE_H_
#define C51_ENTRY_PLUGIN_INTERFACE_H_

#include <cstddef>
#include <cstdint>

#include "project/abi.h"

namespace c51 {

struct HostContext;
struct ProjectNode;

struct PluginInterface {
  // Plug-in entries.
  int(C51_CDECL* SetHostContext)(const HostContext* context);               // 0
  void(C51_CDECL* CreateDefaultConfiguration)(ProjectNode* configuration);  // 1
  void(C51_CDECL* OpenConfiguration)(ProjectNode* root, const char* name);  // 2
  int(C51_CDECL* ShowSettings)(ProjectNode* node);                          // 3
  intptr_t(C51_CDECL* ImportProject)(ProjectNode* root, const char* path);  // 4
  int(C51_CDECL* BuildTarget)(int mode);                                    // 5
  int(C51_CDECL* TranslateFile)(ProjectNode* file);                         // 6
  void(C51_CDECL* StopBuild)();                                             // 7
  void(C51_CDECL* CleanTarget)();                                           // 8
  void(C51_CDECL* Notify)(int code, const char* text);                      // 9
  int(C51_CDECL* GetDebugRecord)(void* destination);                        // 10
  void(C51_CDECL* SetDriverSetting)(const char* key, const char* value);    // 11
  // Host services.
  void(C51_CDECL* HostSetDriverSetting)(const char* key, const char* value);    // 12
  void(C51_CDECL* HostUpdateNode)(ProjectNode* target, ProjectNode* detached);  // 13
  ProjectNode*(C51_CDECL* HostAddChild)(ProjectNode* parent, const char* element,
                                        const char* name);  // 14
  uintptr_t host_word15;                                    // 15, never called
  int(C51_CDECL* HostRunCommand)(const char* command_line, int, int, int,
                                 int* exit_code);           // 16
  void(C51_CDECL* HostOutput)(const char* text, int kind);  // 17
  uintptr_t host_word18;                                    // 18, never called
  void(C51_CDECL* HostTranslationDone)();                   // 19
  // Plug-in entries.
  int(C51_CDECL* NextDependency)(const char* source, char* buffer, int size,
                                 int restart);                                // 20
  int(C51_CDECL* NextIncludeDirectory)(char* buffer, int size, int restart);  // 21
  int(C51_CDECL* ReservedEntry)();                                            // 22
  // Host service.
  void(C51_CDECL* HostDeviceChanged)(void* device_record);  // 23
};

static_assert(sizeof(PluginInterface) == 24 * sizeof(void*));
static_assert(offsetof(PluginInterface, SetDriverSetting) == 11 * sizeof(void*) &&
              offsetof(PluginInterface, HostSetDriverSetting) == 12 * sizeof(void*) &&
              offsetof(PluginInterface, HostTranslationDone) == 19 * sizeof(void*) &&
              offsetof(PluginInterface, NextDependency) == 20 * sizeof(void*) &&
              offsetof(PluginInterface, HostDeviceChanged) == 23 * sizeof(void*));
#if C51_ABI_32
static_assert(sizeof(PluginInterface) == 96);
#else
static_assert(sizeof(PluginInterface) == 192);
#endif

// The one exported function's type.
using GetInterfaceFunction = PluginInterface*(C51_CDECL*)();

}  // namespace c51

#endif  // C51_ENTRY_PLUGIN_INTERFACE_H_
