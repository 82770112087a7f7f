// Texts made from the host's debug option record.
#include "project/debug_record.h"

#include <cstring>

#include "project/node.h"

namespace c51 {

std::string DriverText(const DebugOptionRecord& record) {
  // The host may have filled the field to its last byte without a NUL.
  const char* text = record.driver_text;
  const void* nul = std::memchr(text, '\0', sizeof record.driver_text);
  size_t length = nul != nullptr ? static_cast<size_t>(static_cast<const char*>(nul) - text)
                                 : sizeof record.driver_text;
  return std::string(text, length);
}

std::string FormatDebugOptions(const DebugOptionRecord& record) {
  const int32_t words[] = {record.use_simulator,   record.driver_index, record.sim_load_app,
                           record.sim_run_to_main, record.hw_load_app,  record.hw_run_to_main};
  std::string text;
  for (int32_t word : words) {
    text += FormatInt(word);
    text += ',';
  }
  text += '(';
  text += DriverText(record);
  text += ')';
  return text;
}

DebugOptionRecord InitialDebugRecord() {
  DebugOptionRecord record{};
  record.use_simulator = 1;
  record.driver_index = -1;
  record.sim_load_app = 1;
  record.sim_run_to_main = 1;
  record.hw_load_app = 1;
  record.hw_run_to_main = 0;
  return record;
}

}  // namespace c51
