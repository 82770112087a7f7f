// libFuzzer entry for the tool output filters: any captured text, through
// both compiler layouts and the linker filter. Each line is also scanned
// with the diagnostic formats both by hand and by the C library's sscanf,
// and the two must agree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "build/output_filter.h"
#include "build/scan_format.h"
#include "platform/ascii_case.h"

namespace {

struct Format {
  const char* text;
  const char* kinds;  // per assigned conversion: s or d
};

const Format kFormats[] = {
    {"*** ERROR%s%*[^0-9]%d%*s%[^:]:%[^\n]", "sdss"},
    {"*** WARNING%s%*[^0-9]%d%*s%[^:]:%[^\n]", "sdss"},
    {"*** ERROR%s%*[^(](%[^,],%*[^0-9]%d):%[^\n]", "ssds"},
    {"*** WARNING%s%*[^(](%[^,],%*[^0-9]%d):%[^\n]", "ssds"},
};

// The C library leaves a number past int undefined; such lines are not
// compared.
bool HasLongDigitRun(const std::string& line) {
  size_t run = 0;
  for (char c : line) {
    run = c >= '0' && c <= '9' ? run + 1 : 0;
    if (run > 9) return true;
  }
  return false;
}

void CompareWithLibrary(const std::string& line) {
  if (HasLongDigitRun(line)) return;
  for (const Format& format : kFormats) {
    std::vector<std::vector<char>> texts(4, std::vector<char>(line.size() + 1, '\0'));
    int numbers[4] = {};
    void* args[4];
    for (int i = 0; i < 4; ++i) {
      args[i] = format.kinds[i] == 'd' ? static_cast<void*>(&numbers[i])
                                       : static_cast<void*>(texts[i].data());
    }
    int expected = std::sscanf(line.c_str(), format.text, args[0], args[1], args[2], args[3]);
    if (expected < 0) expected = 0;
    std::vector<c51::ScanField> fields;
    int assigned = c51::ScanFormat(line, format.text, &fields);
    if (assigned != expected || fields.size() != static_cast<size_t>(assigned)) __builtin_trap();
    for (int i = 0; i < assigned; ++i) {
      bool same = format.kinds[i] == 'd' ? fields[i].number == numbers[i]
                                         : fields[i].text == texts[i].data();
      if (!same) __builtin_trap();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view captured(reinterpret_cast<const char*>(data), size);
  c51::FilterResult c51 = c51::FilterCompilerOutput(captured, c51::MessageLayout::kC51, "C:\\P\\");
  c51::FilterResult a51 = c51::FilterCompilerOutput(captured, c51::MessageLayout::kA51, "/p/");
  c51::FilterResult linker = c51::FilterLinkerOutput(captured);
  const std::vector<std::string> lines = c51::SplitToolLines(captured);
  // No filter makes lines of its own, and counts never go negative.
  for (const c51::FilterResult* result : {&c51, &a51, &linker}) {
    if (result->lines.size() > lines.size()) __builtin_trap();
    if (result->errors < 0 || result->warnings < 0) __builtin_trap();
    if (result->errors > 0 && result != &linker && result->success) __builtin_trap();
  }
  for (const std::string& line : lines) CompareWithLibrary(c51::ToUpperAscii(line));
  return 0;
}
