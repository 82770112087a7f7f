// The profile (INI) reader for systems without GetPrivateProfileString. It
// follows that function's observable rules, so project and tool files read
// the same on every platform. Bytes >= 0x80 are opaque: GBK names and values
// pass through unchanged.
#include "platform/profile.h"

#include <optional>
#include <string_view>

#include "platform/ascii_case.h"
#include "platform/fs.h"

namespace c51 {
namespace {

// The blanks GetPrivateProfileString trims; ^Z is a DOS end-of-file mark
// that old files still carry.
bool IsBlank(char c) {
  unsigned char u = static_cast<unsigned char>(c);
  return u == ' ' || u == '\t' || u == '\r' || u == '\n' || u == '\v' || u == '\f' || u == 0x1a;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// ASCII letters compare ignoring case. A byte >= 0x80 starts a multi-byte
// character; it and the byte after it compare exactly, because a GBK trail
// byte may look like an ASCII letter.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    unsigned char x = static_cast<unsigned char>(a[i]);
    unsigned char y = static_cast<unsigned char>(b[i]);
    if (x >= 0x80) {
      if (x != y) return false;
      if (i + 1 < a.size() && a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (ToLowerAscii(a[i]) != ToLowerAscii(b[i])) return false;
  }
  return true;
}

struct KeyLine {
  std::string_view name;   // trimmed
  std::string_view value;  // trimmed, quotes still on
  bool has_value;          // false for a line without "="
};

// Calls `visit` for each key line of the first section named `section`, in
// file order, until it returns false. The text is walked by a cursor that
// never reads past its end.
template <typename Visit>
void ForEachKeyLine(std::string_view text, std::string_view section, Visit visit) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // UTF-8 mark
  section = Trim(section);
  bool inside = false;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      // The last "]" closes the name; a line without one is no header.
      size_t close = line.rfind(']');
      if (close != std::string_view::npos && close != 0) {
        // Only the first section of that name counts: stop at its end.
        if (inside) return;
        inside = SameName(Trim(line.substr(1, close - 1)), section);
        continue;
      }
    }
    if (!inside) continue;
    size_t equals = line.find('=');
    KeyLine key;
    key.has_value = equals != std::string_view::npos;
    key.name = Trim(line.substr(0, equals));
    key.value = key.has_value ? Trim(line.substr(equals + 1)) : std::string_view();
    if (!visit(key)) return;
  }
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// GetPrivateProfileString drops trailing spaces from the default it
// returns, but never its first character.
std::string TrimmedFallback(const std::string& fallback) {
  size_t end = fallback.size();
  while (end > 1 && fallback[end - 1] == ' ') --end;
  return fallback.substr(0, end);
}

}  // namespace

std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
  std::string wanted(Trim(key));
  std::string text;
  if (wanted.empty() || ReadWholeFile(file, &text, nullptr) != ReadStatus::kOkay) {
    return TrimmedFallback(fallback);
  }
  // The first line with the name decides, even when it has no value.
  std::optional<KeyLine> found;
  ForEachKeyLine(text, section, [&](const KeyLine& line) {
    if (!SameName(line.name, wanted)) return true;
    found = line;
    return false;
  });
  if (!found || !found->has_value) return TrimmedFallback(fallback);
  return std::string(Unquote(found->value));
}

std::vector<std::string> ReadProfileKeys(const std::string& file, const std::string& section) {
  std::vector<std::string> keys;
  std::string text;
  if (ReadWholeFile(file, &text, nullptr) != ReadStatus::kOkay) return keys;
  ForEachKeyLine(text, section, [&](const KeyLine& line) {
    // Lines without "=" and nameless ones are no keys to list.
    if (line.has_value && !line.name.empty()) keys.emplace_back(line.name);
    return true;
  });
  return keys;
}

}  // namespace c51
