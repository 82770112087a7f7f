#include "host/text_encoding.h"

#include "platform/codepage.h"

namespace c51::host {
namespace {

constexpr char32_t kByteEscapeBase = 0xF700;

bool IsAsciiText(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if (u == 0 || u >= 0x80) return false;
  }
  return true;
}

// The longest character of the code pages in use (UTF-8's four bytes).
constexpr size_t kMaxCharacterBytes = 4;

// The UTF-8 form of the local code page's character at the start of
// `bytes`, when one converts both ways to the same bytes; its length in
// `size`.
bool ConvertOneCharacter(std::string_view bytes, int code_page, std::string* utf8, size_t* size) {
  for (size_t n = 1; n <= kMaxCharacterBytes && n <= bytes.size(); ++n) {
    const std::string piece(bytes.substr(0, n));
    std::string back;
    if (ConvertCodePage(piece, code_page, kCodePageUtf8, utf8) && !utf8->empty() &&
        ConvertCodePage(*utf8, kCodePageUtf8, code_page, &back) && back == piece) {
      *size = n;
      return true;
    }
  }
  return false;
}

// Walks `bytes`; `on_other` receives each byte that is not part of a
// character of the local code page.
template <typename OnOther>
std::string ConvertLocal(std::string_view bytes, OnOther on_other) {
  const int code_page = LocalCodePage();
  std::string out;
  // Whole-text conversion first: it is exact for nearly every text and
  // needs one conversion instead of one per character.
  std::string whole, back;
  if (bytes.find('\0') == std::string_view::npos &&
      ConvertCodePage(std::string(bytes), code_page, kCodePageUtf8, &whole) &&
      ConvertCodePage(whole, kCodePageUtf8, code_page, &back) && back == bytes) {
    return whole;
  }
  size_t i = 0;
  while (i < bytes.size()) {
    unsigned char u = static_cast<unsigned char>(bytes[i]);
    if (u != 0 && u < 0x80) {
      out.push_back(static_cast<char>(u));
      ++i;
      continue;
    }
    std::string utf8;
    size_t size = 0;
    if (u != 0 && ConvertOneCharacter(bytes.substr(i), code_page, &utf8, &size)) {
      out += utf8;
      i += size;
      continue;
    }
    on_other(u, &out);
    ++i;
  }
  return out;
}

// "GBK" for the usual code page, else its number.
std::string CodePageName(int code_page) {
  return code_page == kCodePageGbk ? std::string("GBK") : "code page " + std::to_string(code_page);
}

}  // namespace

bool DecodeUtf8(std::string_view text, size_t* i, char32_t* code_point) {
  unsigned char u = static_cast<unsigned char>(text[*i]);
  int extra;
  char32_t value;
  if (u < 0x80) {
    extra = 0;
    value = u;
  } else if (u >= 0xC2 && u <= 0xDF) {
    extra = 1;
    value = u & 0x1F;
  } else if (u >= 0xE0 && u <= 0xEF) {
    extra = 2;
    value = u & 0x0F;
  } else if (u >= 0xF0 && u <= 0xF4) {
    extra = 3;
    value = u & 0x07;
  } else {
    return false;
  }
  if (*i + static_cast<size_t>(extra) >= text.size() && extra > 0) return false;
  for (int k = 1; k <= extra; ++k) {
    unsigned char c = static_cast<unsigned char>(text[*i + k]);
    if ((c & 0xC0) != 0x80) return false;
    value = (value << 6) | (c & 0x3F);
  }
  static const char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (value < kMinimum[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return false;
  *i += static_cast<size_t>(extra) + 1;
  *code_point = value;
  return true;
}

void AppendUtf8(char32_t cp, std::string* out) {
  if (cp < 0x80) {
    out->push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string TreeTextToUtf8(std::string_view bytes) {
  if (IsAsciiText(bytes)) return std::string(bytes);
  return ConvertLocal(
      bytes, [](unsigned char u, std::string* out) { AppendUtf8(kByteEscapeBase + u, out); });
}

std::string LocalToUtf8Lenient(std::string_view bytes) {
  if (IsAsciiText(bytes)) return std::string(bytes);
  return ConvertLocal(
      bytes, [](unsigned char u, std::string* out) { out->push_back(static_cast<char>(u)); });
}

namespace {

// Converts one run of characters that are neither ASCII nor byte escapes.
bool RunToLocal(const std::string& run, std::string* bytes, std::string* err) {
  const int code_page = LocalCodePage();
  std::string local, back;
  if (ConvertCodePage(run, kCodePageUtf8, code_page, &local) &&
      ConvertCodePage(local, code_page, kCodePageUtf8, &back) && back == run) {
    *bytes += local;
    return true;
  }
  // Find the character to name in the message.
  size_t i = 0;
  while (i < run.size()) {
    size_t start = i;
    char32_t cp;
    DecodeUtf8(run, &i, &cp);
    std::string character = run.substr(start, i - start);
    if (!ConvertCodePage(character, kCodePageUtf8, code_page, &local) ||
        !ConvertCodePage(local, code_page, kCodePageUtf8, &back) || back != character) {
      *err = "the character \"" + character + "\" has no " + CodePageName(code_page) + " form";
      return false;
    }
  }
  *err = "text has no " + CodePageName(code_page) + " form";
  return false;
}

}  // namespace

bool Utf8ToTreeText(std::string_view utf8, std::string* bytes, std::string* err) {
  bytes->clear();
  std::string run;
  size_t i = 0;
  while (i < utf8.size()) {
    size_t start = i;
    char32_t cp;
    if (!DecodeUtf8(utf8, &i, &cp)) {
      *err = "invalid UTF-8 at byte " + std::to_string(start);
      return false;
    }
    bool plain = cp >= 0x80 && (cp < kByteEscapeBase || cp > kByteEscapeBase + 0xFF);
    if (plain) {
      run.append(utf8.substr(start, i - start));
      continue;
    }
    if (!run.empty()) {
      if (!RunToLocal(run, bytes, err)) return false;
      run.clear();
    }
    bytes->push_back(static_cast<char>(cp < 0x80 ? cp : cp - kByteEscapeBase));
  }
  return run.empty() || RunToLocal(run, bytes, err);
}

std::string UvisionTextForTree(std::string_view utf8) {
  std::string bytes, err;
  return Utf8ToTreeText(utf8, &bytes, &err) ? bytes : std::string(utf8);
}

}  // namespace c51::host
