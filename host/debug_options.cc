#include "host/debug_options.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

namespace c51::host {
namespace {

constexpr char kElement[] = "DebugOptions";
constexpr char kVersion[] = "Version";
constexpr char kDriver[] = "Driver";
constexpr char kCurrentVersion[] = "1";

struct Field {
  const char* name;
  int32_t DebugOptionRecord::*member;
};

constexpr Field kFields[] = {
    {"UseSimulator", &DebugOptionRecord::use_simulator},
    {"DriverIndex", &DebugOptionRecord::driver_index},
    {"SimulatorLoad", &DebugOptionRecord::sim_load_app},
    {"SimulatorRunToMain", &DebugOptionRecord::sim_run_to_main},
    {"EmulatorLoad", &DebugOptionRecord::hw_load_app},
    {"EmulatorRunToMain", &DebugOptionRecord::hw_run_to_main},
};

bool ParseWord(std::string_view text, int32_t* value) {
  const std::string digits(text);
  // strtoll would also take leading blanks and a "+".
  if (digits.empty() || !(digits[0] == '-' || (digits[0] >= '0' && digits[0] <= '9'))) return false;
  char* end = nullptr;
  errno = 0;
  const long long parsed = std::strtoll(digits.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
  *value = static_cast<int32_t>(parsed);
  return true;
}

void SetDriver(std::string_view text, DebugOptionRecord* record) {
  std::memset(record->driver_text, 0, sizeof record->driver_text);
  std::memcpy(record->driver_text, text.data(),
              std::min(text.size(), sizeof record->driver_text - 1));
}

}  // namespace

DebugOptionRecord ReadDebugOptions(const ProjectNode* root) {
  DebugOptionRecord record = InitialDebugRecord();
  const ProjectNode* node = root ? ChildNamed(root, kElement) : nullptr;
  if (!node) return record;
  std::string_view text;
  for (const Field& field : kFields) {
    int32_t value = 0;
    if (FindAttributeView(node, field.name, &text) && ParseWord(text, &value))
      record.*field.member = value;
  }
  if (FindAttributeView(node, kDriver, &text)) SetDriver(text, &record);
  return record;
}

bool SameDebugOptions(const DebugOptionRecord& a, const DebugOptionRecord& b) {
  for (const Field& field : kFields)
    if (a.*field.member != b.*field.member) return false;
  return DriverText(a) == DriverText(b);
}

void StoreDebugOptions(HostTree* tree, const DebugOptionRecord& record) {
  if (!tree->root()) return;
  ProjectNode* node = ChildNamed(tree->root(), kElement);
  auto set = [&](const char* name, const std::string& value) {
    std::string_view old;
    if (FindAttributeView(node, name, &old) && old == value) return;
    tree->SetAttribute(node, name, value);
  };
  if (!node && !(node = tree->AppendChild(tree->root(), kElement))) return;
  set(kVersion, kCurrentVersion);
  for (const Field& field : kFields) set(field.name, std::to_string(record.*field.member));
  set(kDriver, DriverText(record));
}

}  // namespace c51::host
