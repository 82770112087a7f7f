// Text helpers shared by the control-string builders. Every input is a
// string_view over text that may hold anything; no helper reads past its
// end. Bytes >= 0x80 are opaque and pass through unchanged.
#ifndef C51_OPTIONS_OPTION_TEXT_H_
#define C51_OPTIONS_OPTION_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace c51 {

// Space, tab, line feed, vertical tab, form feed, carriage return.
bool IsBlankByte(char c);

// Without leading and trailing blanks:  "  a b \r\n" => "a b"
std::string_view TrimBlanks(std::string_view text);

// The symbols of a blank-separated list, each followed by ",", the last
// "," removed. A symbol whose upper-case form equals `exclude` (upper-cased
// and trimmed as a whole) is left out.
//   ("A  B=2   C", "b=2") => "A,C";  ("A B", "A B") => "A,B";  ("  ", "") => ""
std::string SymbolList(std::string_view symbols, std::string_view exclude);

// An include path list without the empty elements that joining empty
// scope texts leaves at its ends; empty elements inside stay.
//   ";;C:\inc;" => "C:\inc";  ";;;a;;b; ;" => "a;;b";  " ; " => ""
std::string IncludeList(std::string_view paths);

// "%04X" of `value`: at least four upper-case hex digits.
//   0x8000 => "8000";  0x1F => "001F";  0x12345 => "12345"
std::string FormatHex4(uint32_t value);

// Values past these bounds saturate, so that no parse overflows.
constexpr int64_t kNumberLimit = 0xFFFFFFFFLL;

// The C library's base-0 reading (as strtol): leading blanks, an optional
// sign, "0x"/"0X" hexadecimal, a leading "0" octal, otherwise decimal;
// stops at the first byte that does not fit. `*end` (when not null)
// receives the offset after the last byte used; 0 when nothing converts.
//   "0x8000" => 32768;  "0100" => 64;  "0FFH" => 0;  "-5" => -5;  "x" => 0
int64_t ParseAutoBase(std::string_view text, size_t* end = nullptr);

// An address as the assembler writes it, blanks around it ignored: "0x"
// prefix hexadecimal, trailing "H" hexadecimal, trailing "B" base two (a
// digit other than 0 and 1 makes it 0), otherwise decimal. Reading stops at
// the first byte that does not fit.
//   "0x7F" => 127;  "7FH" => 127;  "101B" => 5;  "102B" => 0;  "255" => 255
int64_t ParseAssemblerNumber(std::string_view text);

}  // namespace c51

#endif  // C51_OPTIONS_OPTION_TEXT_H_
