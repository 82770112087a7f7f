#include "settings/pages/debug_driver.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "options/option_text.h"
#include "platform/dynamic_library.h"
#include "project/abi.h"

namespace c51::settings {
namespace {

using DllUv3CapFn = int(C51_CDECL*)(int code, uintptr_t* block);

constexpr int kSettingsDialog = 1;
constexpr int kPathWord = 1;
constexpr int kBufferWord = 5;

// GBK's first bytes; the byte after one belongs to the same character.
bool IsLeadByte(unsigned char c) {
  return c >= 0x81 && c <= 0xFE;
}

}  // namespace

std::string DriverSettingsKey(std::string_view library_path) {
  std::string key(TrimBlanks(library_path));
  for (size_t i = 0; i < key.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(key[i]);
    if (IsLeadByte(c)) {
      ++i;
    } else if (c >= 'A' && c <= 'Z') {
      key[i] = static_cast<char>(c - 'A' + 'a');
    }
  }
  return key;
}

DriverSettingsStatus RunDriverSettings(const std::string& path, std::string* settings) {
  DynamicLibrary library;
  if (!library.Open(path, nullptr)) return DriverSettingsStatus::kNotLoaded;
  auto capability = reinterpret_cast<DllUv3CapFn>(library.Symbol("DllUv3Cap"));
  if (capability == nullptr) return DriverSettingsStatus::kNoEntry;

  std::vector<char> buffer(kDriverSettingsSize, '\0');
  std::memcpy(buffer.data(), settings->data(), std::min(settings->size(), buffer.size() - 1));
  std::string driver_path = path;
  uintptr_t block[6] = {};
  block[kPathWord] = reinterpret_cast<uintptr_t>(driver_path.c_str());
  block[kBufferWord] = reinterpret_cast<uintptr_t>(buffer.data());
  if (capability(kSettingsDialog, block) != 1) return DriverSettingsStatus::kRejected;
  settings->assign(buffer.begin(), std::find(buffer.begin(), buffer.end(), '\0'));
  return DriverSettingsStatus::kAccepted;
}

}  // namespace c51::settings
