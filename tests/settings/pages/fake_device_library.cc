// A stand-in for the host maker's device-selection library. Its table's
// entry 5 records what it was called with and hands out an opaque window
// handle; entry 6 answers the device the test chose with
// FakeDeviceSelect, or none. The test keeps the library loaded while the
// page uses it, so both see the same state.
#include <cstdint>
#include <string>
#include <vector>

#include "project/abi.h"
#include "project/device_record.h"

#if defined(_WIN32)
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

struct Selection {
  std::string vendor;
  std::string name;
  std::vector<std::string> properties;
  std::vector<const char*> property_pointers;
  c51::DeviceRecord record{};
};

Selection g_selection;
bool g_selected = false;
int g_windows_created = 0;
int g_selection_calls = 0;
std::string g_create_arguments;
char g_window = 0;  // its address is the window handle

std::string Text(const char* text) {
  return text ? text : "<null>";
}

[[maybe_unused]] void* C51_CDECL CreateSelectionWindow(const char* vendor, const char* device,
                                                       uintptr_t host_value, const char* toolchain,
                                                       void* parent) {
  ++g_windows_created;
  g_create_arguments = Text(vendor) + "|" + Text(device) + "|" + std::to_string(host_value) + "|" +
                       Text(toolchain) + "|" + (parent ? "parent" : "<null>");
  return &g_window;
}

[[maybe_unused]] c51::DeviceRecord* C51_CDECL CurrentSelection() {
  ++g_selection_calls;
  return g_selected ? &g_selection.record : nullptr;
}

}  // namespace

#if !defined(FAKE_WITHOUT_GETINTERFACE)
FAKE_EXPORT void C51_CDECL GetInterface(uintptr_t* table) {
  for (int i = 0; i < 7; ++i) table[i] = 0;
  table[5] = reinterpret_cast<uintptr_t>(CreateSelectionWindow);
  table[6] = reinterpret_cast<uintptr_t>(CurrentSelection);
}
#endif

// The device entry 6 answers from now on: vendor, name and the properties
// ("KEY=value" texts separated by "\n"). A null vendor: no selection.
FAKE_EXPORT void FakeDeviceSelect(const char* vendor, const char* name, const char* properties) {
  g_selected = vendor != nullptr;
  if (!g_selected) return;
  Selection& s = g_selection;
  s.vendor = vendor;
  s.name = name ? name : "";
  s.properties.clear();
  std::string list = properties ? properties : "";
  for (size_t begin = 0; begin <= list.size();) {
    size_t end = list.find('\n', begin);
    if (end == std::string::npos) end = list.size();
    if (end > begin) s.properties.push_back(list.substr(begin, end - begin));
    begin = end + 1;
  }
  s.property_pointers.clear();
  for (const std::string& p : s.properties) s.property_pointers.push_back(p.c_str());
  s.property_pointers.push_back(nullptr);
  s.record = c51::DeviceRecord{s.vendor.c_str(), s.name.c_str(), 0, s.property_pointers.data()};
}

// "<windows created>|<selection calls>|<entry 5's arguments>", then resets.
FAKE_EXPORT const char* FakeDeviceReport() {
  static std::string report;
  report = std::to_string(g_windows_created) + "|" + std::to_string(g_selection_calls) + "|" +
           g_create_arguments;
  g_windows_created = 0;
  g_selection_calls = 0;
  g_create_arguments.clear();
  return report.c_str();
}

// The handle entry 5 hands out.
FAKE_EXPORT void* FakeDeviceWindow() {
  return &g_window;
}
