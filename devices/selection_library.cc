// The device-selection library's exports (see selection_library.h). It
// carries no part of the plug-in's core: the device record is a plain
// layout, and the few system calls it needs are made here.
#include "devices/selection_library.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "devices/device_catalog.h"
#include "project/abi.h"
#include "project/device_record.h"

#if defined(_WIN32)
#include <windows.h>
#define SELECTION_EXPORT extern "C" __declspec(dllexport)
#else
#define SELECTION_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace c51::devices {
namespace {

constexpr int kCreateWindowEntry = 5;
constexpr int kSelectionEntry = 6;
constexpr int kTableEntries = 7;

// One device's record and the texts it points into, made once; the
// library is never unloaded, so the record stays where it is.
struct Record {
  std::vector<std::string> properties;
  std::vector<const char*> property_pointers;
  DeviceRecord record{};
};

std::vector<Record>& Records() {
  static std::vector<Record> records = [] {
    std::vector<Record> made(DeviceRows().size());
    for (size_t i = 0; i < made.size(); ++i) {
      const DeviceRow& row = DeviceRows()[i];
      Record& r = made[i];
      r.properties = DeviceProperties(row);
      for (const std::string& p : r.properties) r.property_pointers.push_back(p.c_str());
      r.property_pointers.push_back(nullptr);
      r.record = DeviceRecord{row.vendor, row.name, 0, r.property_pointers.data()};
    }
    return made;
  }();
  return records;
}

int RowIndex(const DeviceRow* row) {
  return row == nullptr ? -1 : static_cast<int>(row - DeviceRows().data());
}

// The row chosen since the selection was opened; -1 for none.
int g_selected = -1;

std::string EnvironmentValue(const char* name) {
#if defined(_WIN32)
  // The C runtime's copy of the environment misses SetEnvironmentVariable.
  DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size == 0) return std::string();
  std::string value(size, '\0');
  size = GetEnvironmentVariableA(name, value.data(), size);
  value.resize(size);
  return value;
#else
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
#endif
}

#if defined(_WIN32)
HWND g_list = nullptr;
int g_shown = -1;  // the row the list showed selected when it was made

// A list of every device, "<vendor>  <name>", in table order, the current
// device selected. The Device page makes it a child of its frame and
// sizes it; it goes with the page.
HWND CreateDeviceList(HWND parent, int current) {
  HWND list = CreateWindowExA(
      WS_EX_CLIENTEDGE, "LISTBOX", "",
      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0,
      300, 200, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (list == nullptr) return nullptr;
  SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
  for (const DeviceRow& row : DeviceRows()) {
    const std::string item = std::string(row.vendor) + "  " + row.name;
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  if (current >= 0) SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
  return list;
}

// While the list exists it is the choice: the row it showed at first
// (the current device) is no choice, any other row is.
void TakeListSelection() {
  if (g_list == nullptr || !IsWindow(g_list)) return;
  const LRESULT index = SendMessageA(g_list, LB_GETCURSEL, 0, 0);
  g_selected = index == LB_ERR || index == g_shown ? -1 : static_cast<int>(index);
}
#endif

void* C51_CDECL OpenSelection(const char* /*vendor*/, const char* device, uintptr_t /*host_value*/,
                              const char* /*toolchain*/, void* parent) {
  g_selected = -1;
  const std::string chosen = EnvironmentValue(kSelectionEnvironmentVariable);
  if (!chosen.empty()) {
    g_selected = RowIndex(FindDevice(chosen));
    if (g_selected < 0) {
      std::fprintf(stderr, "Dravn: no device \"%s\" in the device database\n", chosen.c_str());
    }
  }
#if defined(_WIN32)
  g_list = nullptr;
  if (parent == nullptr) return nullptr;
  // A device chosen through the environment shows selected and counts as
  // chosen; else the current device shows and does not.
  const int current = RowIndex(device != nullptr ? FindDevice(device) : nullptr);
  g_shown = g_selected >= 0 ? -1 : current;
  g_list = CreateDeviceList(static_cast<HWND>(parent), g_selected >= 0 ? g_selected : current);
  return g_list;
#else
  // No window system to make a list in: the environment is the only way
  // to choose.
  (void)device;
  (void)parent;
  return nullptr;
#endif
}

DeviceRecord* C51_CDECL Selection() {
#if defined(_WIN32)
  TakeListSelection();
#endif
  if (g_selected < 0) return nullptr;
  return &Records()[static_cast<size_t>(g_selected)].record;
}

}  // namespace
}  // namespace c51::devices

SELECTION_EXPORT void C51_CDECL GetInterface(uintptr_t* table) {
#if defined(_WIN32)
  // The records handed out must outlive the page that loaded the library
  // (a plug-in may report the selection after the page is gone): once
  // loaded, the library stays until the process ends.
  HMODULE self = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCSTR>(&GetInterface), &self);
#endif
  for (int i = 0; i < c51::devices::kTableEntries; ++i) table[i] = 0;
  table[c51::devices::kCreateWindowEntry] =
      reinterpret_cast<uintptr_t>(&c51::devices::OpenSelection);
  table[c51::devices::kSelectionEntry] = reinterpret_cast<uintptr_t>(&c51::devices::Selection);
}
