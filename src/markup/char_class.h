// Byte classes for the markup scanner, the element-name rules and entity
// decoding. Always index with an unsigned char (ByteClass does the cast).
//
// Multi-byte text is GBK: a lead byte 0x81-0xFE followed by a trail byte
// 0x40-0x7E or 0x80-0xFE is one character. Only a real trail byte is taken
// with its lead, so a broken pair never swallows a 0 or any markup byte
// below 0x40 ("<", ">", quotes, "=", "/", blanks).
#ifndef C51_MARKUP_CHAR_CLASS_H_
#define C51_MARKUP_CHAR_CLASS_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace c51::markup {

enum : uint16_t {
  kBlank = 1 << 0,         // blank, tab, CR, LF
  kTagNameEnd = 1 << 1,    // ends a start tag's name: blank, "/", ">", 0
  kElemNameEnd = 1 << 2,   // ends a name in element search: blank, "<>=\/?!", 0
  kTagNameStart = 1 << 3,  // may follow "<" in a start tag: letter, "_", ":", above 0x60
  kLeadByte = 1 << 4,      // 0x81-0xFE
  kTrailByte = 1 << 5,     // 0x40-0x7E, 0x80-0xFE
  kTextEnd = 1 << 6,       // "<" or 0: where skipped text stops
  kTagInner = 1 << 7,      // a byte the start-tag loop must look at: ">", "=", quotes, 0
  kQuoteEnd = 1 << 8,      // ends a run inside quotes: both quotes, 0
  kPlainName = 1 << 9,     // continues a name under every rule: not a stop, not a lead byte
};

constexpr std::array<uint16_t, 256> MakeByteClasses() {
  std::array<uint16_t, 256> t{};
  for (int c = 0; c < 256; ++c) {
    uint16_t v = 0;
    bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    if (blank) v |= kBlank;
    if (blank || c == '/' || c == '>' || c == 0) v |= kTagNameEnd;
    if (blank || c == '<' || c == '>' || c == '=' || c == '\\' || c == '/' || c == '?' ||
        c == '!' || c == 0) {
      v |= kElemNameEnd;
    }
    if ((c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c > 0x60) v |= kTagNameStart;
    if (c >= 0x81 && c <= 0xFE) v |= kLeadByte;
    if ((c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE)) v |= kTrailByte;
    if (c == '<' || c == 0) v |= kTextEnd;
    if (c == '>' || c == '=' || c == '"' || c == '\'' || c == 0) v |= kTagInner;
    if (c == '"' || c == '\'' || c == 0) v |= kQuoteEnd;
    if (!(v & (kTagNameEnd | kElemNameEnd | kLeadByte))) v |= kPlainName;
    t[static_cast<size_t>(c)] = v;
  }
  return t;
}

inline constexpr std::array<uint16_t, 256> kByteClasses = MakeByteClasses();

inline uint16_t ByteClass(char c) {
  return kByteClasses[static_cast<unsigned char>(c)];
}

inline bool IsBlank(char c) {
  return (ByteClass(c) & kBlank) != 0;
}

// Bytes in the character that starts at `p`, in a text that ends with a 0.
inline size_t UnitLength(const char* p) {
  return (ByteClass(p[0]) & kLeadByte) && (ByteClass(p[1]) & kTrailByte) ? 2 : 1;
}

// The same inside a bounded text: a lead byte in the last place stands alone.
inline size_t UnitLength(std::string_view s, size_t i) {
  return i + 1 < s.size() && (ByteClass(s[i]) & kLeadByte) && (ByteClass(s[i + 1]) & kTrailByte)
             ? 2
             : 1;
}

}  // namespace c51::markup

#endif  // C51_MARKUP_CHAR_CLASS_H_
