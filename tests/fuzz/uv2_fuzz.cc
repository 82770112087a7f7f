// libFuzzer entry for the uVision 2 line rules: the same bytes read as an
// options file and as a project file. Every line view must lie inside the
// buffer and hold at most 255 characters; an entry's text is a part of one
// line, so it can never be longer.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/uv2_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  c51::ProfileLineReader lines(bytes);
  for (std::string_view line; lines.Next(&line);) {
    if (line.size() > 255) __builtin_trap();
    if (line.data() < bytes.data() || line.data() + line.size() > bytes.data() + size)
      __builtin_trap();
  }
  const int current = c51::CurrentTargetIndex(bytes);
  if (current < 0) __builtin_trap();
  for (int target : {0, 1, current}) {
    c51::Uv2ProjectReader reader(bytes, target);
    for (c51::Uv2Entry entry; reader.Next(&entry);) {
      if (entry.text.size() > 253) __builtin_trap();
      if (entry.kind == c51::Uv2Entry::Kind::kOption && entry.key == nullptr) __builtin_trap();
    }
  }
  return 0;
}
