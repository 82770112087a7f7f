// libFuzzer entry for the object files' dependency record reader. libFuzzer
// hands over a buffer of exactly `size` bytes, so a read past it is caught
// by the address sanitizer; the names must also lie inside the body.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "build/dependency_record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  c51::DependencyRecord record = c51::ReadDependencyRecord(bytes);
  if (record.status != c51::RecordStatus::kRead && !record.includes.empty()) __builtin_trap();
  if (record.status == c51::RecordStatus::kRead) {
    const size_t body_end = 4 + (data[1] | static_cast<size_t>(data[2]) << 8);
    if (body_end > size) __builtin_trap();
    for (std::string_view name : record.includes) {
      if (name.data() < bytes.data() + 4 + 1) __builtin_trap();
      if (name.data() + name.size() > bytes.data() + body_end) __builtin_trap();
    }
  }
  return 0;
}
