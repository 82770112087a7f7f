#include "markup/entities.h"

#include <cstdint>

#include "platform/codepage.h"

namespace c51 {
namespace {

// The five named entities with ";", and their characters, in one order.
constexpr std::string_view kEntityNames[] = {"lt;", "amp;", "gt;", "apos;", "quot;"};
constexpr char kEntityChars[] = {'<', '&', '>', '\'', '"'};

// A numeric reference may put its ";" at most this far after the "#".
constexpr size_t kMaxReferenceChars = 7;

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
  }
  out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
}

// Appends character `code` in the local code page. False when it has none.
bool AppendCharacter(uint32_t code, std::string* out) {
  if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
  if (code < 0x80) {  // ASCII is the same in every local code page
    out->push_back(static_cast<char>(code));
    return true;
  }
  std::string utf8;
  AppendUtf8(code, &utf8);
  std::string local;
  // The conversion writes "?" for what the code page lacks.
  if (!ConvertCodePage(utf8, kCodePageUtf8, kCodePageLocal, &local) || local.empty() ||
      local == "?") {
    return false;
  }
  out->append(local);
  return true;
}

// The value of a run of digits, or false when it is empty, holds anything
// else or exceeds the Unicode range.
bool ParseNumber(std::string_view digits, bool hex, uint32_t* value) {
  if (digits.empty()) return false;
  uint32_t v = 0;
  for (char ch : digits) {
    unsigned char c = static_cast<unsigned char>(ch);
    uint32_t d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (hex && c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (hex && c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      return false;
    }
    v = v * (hex ? 16 : 10) + d;
    if (v > 0x10FFFF) return false;
  }
  *value = v;
  return true;
}

// Decodes the reference whose "&" is at `amp`. Returns the bytes it spans,
// 0 when it is not one (the "&" is then copied as it is).
size_t DecodeReference(std::string_view text, size_t amp, std::string* out) {
  std::string_view rest = text.substr(amp + 1);
  if (!rest.empty() && rest[0] == '#') {
    size_t semicolon = rest.substr(1, kMaxReferenceChars).find(';');
    if (semicolon == std::string_view::npos) return 0;
    std::string_view digits = rest.substr(1, semicolon);
    bool hex = !digits.empty() && digits[0] == 'x';
    if (hex) digits.remove_prefix(1);
    uint32_t code = 0;
    if (!ParseNumber(digits, hex, &code) || !AppendCharacter(code, out)) return 0;
    return semicolon + 3;  // "&", "#", the characters, ";"
  }
  for (size_t i = 0; i < std::size(kEntityNames); ++i) {
    if (rest.substr(0, kEntityNames[i].size()) == kEntityNames[i]) {
      out->push_back(kEntityChars[i]);
      return kEntityNames[i].size() + 1;
    }
  }
  return 0;
}

}  // namespace

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  // "&" is below every GBK trail byte, so a byte search steps over
  // multi-byte characters correctly.
  for (size_t amp; (amp = text.find('&', i)) != std::string_view::npos;) {
    out.append(text.substr(i, amp - i));
    size_t used = DecodeReference(text, amp, &out);
    if (used == 0) {
      out.push_back('&');
      used = 1;
    }
    i = amp + used;
  }
  out.append(text.substr(i));
  return out;
}

}  // namespace c51
