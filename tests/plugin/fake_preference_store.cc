// A stand-in for the host maker's preference store library. It answers
// every value request with the text of the environment variable
// FAKE_PREFERENCE_VALUE (no value when unset) and counts what the plug-in
// does with it.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#if defined(_WIN32)
#include <windows.h>
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

struct ValueRecord {
  const char* text;
  uintptr_t reserved;
  void (*release)(void* record);
};

int g_released = 0;
int g_opened_mode = -1;
std::string g_section;
std::string g_key;
std::string g_value;
ValueRecord g_record;

bool ReadValue(std::string* value) {
#if defined(_WIN32)
  char buffer[4096];
  DWORD n = GetEnvironmentVariableA("FAKE_PREFERENCE_VALUE", buffer, sizeof buffer);
  if (n == 0 || n >= sizeof buffer) return false;
  value->assign(buffer, n);
  return true;
#else
  const char* text = std::getenv("FAKE_PREFERENCE_VALUE");
  if (!text) return false;
  *value = text;
  return true;
#endif
}

void Release(void* record) {
  if (record == &g_record) {
    ++g_released;
    g_record.text = "released";
  }
}

void* OpenSection(const char* const* name_word, int mode) {
  g_section = *name_word;
  g_opened_mode = mode;
  return &g_section;
}

void* GetValue(void* section, const char* key) {
  if (section != &g_section) return nullptr;
  g_key = key;
  if (!ReadValue(&g_value)) return nullptr;
  g_record = ValueRecord{g_value.c_str(), 0, Release};
  return &g_record;
}

[[maybe_unused]] void* g_table[8] = {
    reinterpret_cast<void*>(OpenSection), nullptr, nullptr, nullptr,
    reinterpret_cast<void*>(GetValue),    nullptr, nullptr, nullptr};

}  // namespace

#if !defined(FAKE_WITHOUT_GETOPTI)
FAKE_EXPORT void* const* GetOPTI() {
  return g_table;
}
#endif

// What the tests read back: "<section>|<key>|<mode>|<releases>".
FAKE_EXPORT const char* FakeStoreReport() {
  static std::string report;
  report = g_section + "|" + g_key + "|" + std::to_string(g_opened_mode) + "|" +
           std::to_string(g_released);
  return report.c_str();
}
