#include "plugin/preference_store.h"

#include <cstdint>

#include "project/abi.h"

namespace c51 {
namespace {

using GetOptiFunction = void* const*(C51_CDECL*)();
// Entry 0: the section name is passed through a word that holds it.
using OpenSectionFunction = void*(C51_CDECL*)(const char* const* name_word, int mode);
// Entry 4: null when the section has no such value.
using GetValueFunction = void*(C51_CDECL*)(void* section, const char* key);
using ReleaseFunction = void(C51_CDECL*)(void* record);

// What entry 4 returns: the text, a word of the store's, and the function
// that frees the record once the text has been copied.
struct ValueRecord {
  const char* text;
  uintptr_t reserved;
  ReleaseFunction release;
};

template <typename F>
F FunctionAt(void* const* table, int index) {
  return reinterpret_cast<F>(reinterpret_cast<uintptr_t>(table[index]));
}

}  // namespace

bool PreferenceStore::Load(const std::string& install_dir) {
  if (table_) return true;
  // Without an installation folder the path would name a root folder.
  if (install_dir.empty()) return false;
  if (!library_.Open(install_dir + "\\opt\\Mirelsk.dll", nullptr)) return false;
  auto get_opti =
      reinterpret_cast<GetOptiFunction>(reinterpret_cast<uintptr_t>(library_.Symbol("GetOPTI")));
  if (get_opti) table_ = get_opti();
  if (!table_) library_.Close();
  return table_ != nullptr;
}

bool PreferenceStore::GetValue(const std::string& install_dir, const char* section, const char* key,
                               std::string* value) {
  if (!Load(install_dir)) return false;
  auto open_section = FunctionAt<OpenSectionFunction>(table_, 0);
  auto get_value = FunctionAt<GetValueFunction>(table_, 4);
  if (!open_section || !get_value) return false;
  const char* name_word = section;
  void* handle = open_section(&name_word, 1);
  void* found = get_value(handle, key);
  if (!found) return false;
  auto* record = static_cast<ValueRecord*>(found);
  value->assign(record->text ? record->text : "");
  if (record->release) record->release(found);
  return true;
}

}  // namespace c51
