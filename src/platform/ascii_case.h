// ASCII letter case: the only case the system ever folds. File names,
// keywords and keys made on Windows differ from ours in ASCII case alone.
// Bytes from 0x80 up never change, so UTF-8 text folds safely; a GBK
// character's trail byte can be an ASCII letter, so GBK text is compared
// with its lead bytes in mind (the profile reader does) or not folded.
#ifndef C51_PLATFORM_ASCII_CASE_H_
#define C51_PLATFORM_ASCII_CASE_H_

#include <string>
#include <string_view>

namespace c51 {

//   'a' => 'A';  'Z' => 'Z';  '1' => '1';  '\xB0' => '\xB0'
constexpr char ToUpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

//   'A' => 'a';  'z' => 'z';  '_' => '_';  '\xC4' => '\xC4'
constexpr char ToLowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

//   "Main.c" => "MAIN.C";  "\xB0\xA1x" => "\xB0\xA1X"
inline std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToUpperAscii(c);
  return out;
}

//   "REG52.H" => "reg52.h";  "" => ""
inline std::string ToLowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = ToLowerAscii(c);
  return out;
}

//   ("Main.C", "mAIN.c") => true;  ("a", "ab") => false;  ("\xB0", "\xB0") => true
constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
  }
  return true;
}

//   ("OPTFL 1,4,0", "optfl") => true;  ("OPT", "OPTFL") => false;  ("x", "") => true
constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace c51

#endif  // C51_PLATFORM_ASCII_CASE_H_
