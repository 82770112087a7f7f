// Reading the device's "CPU" description, a blank-separated run of
// features such as "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0x3FFF) MODP2".
// The text comes from the host's device database and may be malformed;
// an entry without its brackets counts as absent.
#ifndef C51_OPTIONS_CPU_TEXT_H_
#define C51_OPTIONS_CPU_TEXT_H_

#include <cstdint>
#include <string_view>

namespace c51 {

// The text between the first "(" after the first `key` and the next ")".
// False when `key`, the "(" or the ")" is missing.
//   ("IRAM(0-0xFF) X", "IRAM") => "0-0xFF";  ("IRAM(0-0xFF", "IRAM") => false
bool FindCpuEntry(std::string_view cpu, std::string_view key, std::string_view* inside);

// How the last address of the IRAM entry is written.
enum class NumberNotation {
  kAssembler,  // "0x" prefix, or a trailing H or B (the build's reading)
  kAutoBase,   // "0x" prefix, leading 0 octal, else decimal (the pages')
};

// The on-chip RAM size: the IRAM entry's last address (after its "-") plus
// 1; 256 without a complete IRAM entry.
//   "IRAM(0-0xFF)" => 256;  "IRAM(0-7FH)" => 128 (assembler), 8 (auto base)
int64_t OnChipRamSize(std::string_view cpu, NumberNotation notation);

// The `key` entry read as "(" start "-" last ")", both numbers with base
// auto-detection. False when the entry or its "-" is missing.
//   ("IROM(0-0xFFF)", "IROM") => 0, 4095
bool ReadCpuRange(std::string_view cpu, std::string_view key, int64_t* start, int64_t* last);

}  // namespace c51

#endif  // C51_OPTIONS_CPU_TEXT_H_
