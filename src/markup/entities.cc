#include "markup/entities.h"

#include <algorithm>
#include <cstring>

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

// The local form of a character beyond ASCII; empty when the code page has
// none (the conversion writes "?" for those).
std::string LocalForm(uint32_t code) {
  std::string utf8;
  AppendUtf8(code, &utf8);
  std::string local;
  if (!ConvertCodePage(utf8, kCodePageUtf8, kCodePageLocal, &local) || local == "?") return {};
  return local;
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

// What the "&" at `amp` starts.
struct Reference {
  size_t length = 0;  // bytes spanned; 0 when it is no reference
  char named = 0;     // a named entity's character; 0 for a numeric one
  uint32_t code = 0;  // a numeric reference's character: 1 to 0x10FFFF, no surrogate
};

Reference ReadReference(std::string_view text, size_t amp) {
  Reference ref;
  std::string_view rest = text.substr(amp + 1);
  if (!rest.empty() && rest[0] == '#') {
    size_t semicolon = rest.substr(1, kMaxReferenceChars).find(';');
    if (semicolon == std::string_view::npos) return ref;
    std::string_view digits = rest.substr(1, semicolon);
    bool hex = !digits.empty() && digits[0] == 'x';
    if (hex) digits.remove_prefix(1);
    uint32_t code = 0;
    if (!ParseNumber(digits, hex, &code) || code == 0 || (code >= 0xD800 && code <= 0xDFFF))
      return ref;
    ref.code = code;
    ref.length = semicolon + 3;  // "&", "#", the characters, ";"
    return ref;
  }
  for (size_t i = 0; i < std::size(kEntityNames); ++i) {
    if (rest.substr(0, kEntityNames[i].size()) == kEntityNames[i]) {
      ref.named = kEntityChars[i];
      ref.length = kEntityNames[i].size() + 1;
      return ref;
    }
  }
  return ref;
}

// The next "&" from `from` on, npos when none. "&" is below every GBK trail
// byte, so a byte search steps over multi-byte characters correctly.
size_t NextAmpersand(std::string_view text, size_t from) {
  if (from >= text.size()) return std::string_view::npos;
  const void* hit = std::memchr(text.data() + from, '&', text.size() - from);
  return hit ? static_cast<size_t>(static_cast<const char*>(hit) - text.data())
             : std::string_view::npos;
}

}  // namespace

void EntityDecoder::Collect(std::string_view text) {
  for (size_t amp = NextAmpersand(text, 0); amp != std::string_view::npos;) {
    Reference ref = ReadReference(text, amp);
    if (ref.length == 0) {
      amp = NextAmpersand(text, amp + 1);
      continue;
    }
    if (ref.named == 0 && ref.code >= 0x80) {
      codes_.push_back(ref.code);
      if (codes_.size() >= compact_at_) {
        std::sort(codes_.begin(), codes_.end());
        codes_.erase(std::unique(codes_.begin(), codes_.end()), codes_.end());
        // Twice the distinct count: each compaction pays for itself.
        compact_at_ = std::max(kMinCompactAt, 2 * codes_.size());
      }
    }
    amp = NextAmpersand(text, amp + ref.length);
  }
}

void EntityDecoder::Convert() {
  std::sort(codes_.begin(), codes_.end());
  codes_.erase(std::unique(codes_.begin(), codes_.end()), codes_.end());
  forms_.clear();
  forms_.resize(codes_.size());
  if (codes_.empty()) return;
  // All characters in one conversion, each followed by a line feed: no code
  // page uses that byte inside a character, so the pieces between line
  // feeds are the characters' forms.
  std::string utf8;
  for (uint32_t code : codes_) {
    AppendUtf8(code, &utf8);
    utf8.push_back('\n');
  }
  std::string local;
  // Fails only for an unknown code page: then no reference is decoded.
  if (!ConvertCodePage(utf8, kCodePageUtf8, kCodePageLocal, &local)) return;
  size_t count = static_cast<size_t>(std::count(local.begin(), local.end(), '\n'));
  if (count != codes_.size() || local.empty() || local.back() != '\n') {
    // A code page that moved or swallowed a line feed: one at a time.
    for (size_t i = 0; i < codes_.size(); ++i) forms_[i] = LocalForm(codes_[i]);
    return;
  }
  size_t start = 0;
  for (size_t i = 0; i < codes_.size(); ++i) {
    size_t end = local.find('\n', start);
    std::string_view form(local.data() + start, end - start);
    if (form != "?") forms_[i].assign(form);
    start = end + 1;
  }
}

void EntityDecoder::Append(std::string_view text, std::string* out) const {
  size_t i = 0;
  for (size_t amp = NextAmpersand(text, 0); amp != std::string_view::npos;
       amp = NextAmpersand(text, i)) {
    out->append(text.substr(i, amp - i));
    Reference ref = ReadReference(text, amp);
    const std::string* form = nullptr;
    if (ref.length != 0 && ref.named == 0 && ref.code >= 0x80) {
      auto found = std::lower_bound(codes_.begin(), codes_.end(), ref.code);
      if (found != codes_.end() && *found == ref.code) {
        form = &forms_[static_cast<size_t>(found - codes_.begin())];
      }
      // A character the code page lacks: the reference stays as written.
      if (form == nullptr || form->empty()) ref.length = 0;
    }
    if (ref.length == 0) {
      out->push_back('&');
      i = amp + 1;
      continue;
    }
    if (ref.named != 0) {
      out->push_back(ref.named);
    } else if (form != nullptr) {
      out->append(*form);
    } else {
      out->push_back(static_cast<char>(ref.code));  // ASCII is the same in every code page
    }
    i = amp + ref.length;
  }
  out->append(text.substr(i));
}

std::string DecodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  EntityDecoder decoder;
  decoder.Collect(text);
  decoder.Convert();
  decoder.Append(text, &out);
  return out;
}

}  // namespace c51
