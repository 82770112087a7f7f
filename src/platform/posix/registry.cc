// POSIX has no registry. The one value the plug-in reads, the command that
// opens project files, comes from the environment in the registry's form,
// else from the registry a wine prefix keeps in its text files: a toolchain
// installed under wine is then found as Windows finds it.
#include "platform/registry.h"

#include <cstdint>
#include <string_view>

#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/posix/wine.h"

namespace c51 {
namespace {

constexpr char kOpenCommandKey[] = "UV2FILE\\Shell\\open\\command";

// HKEY_CLASSES_ROOT is the user's classes over the machine's.
constexpr const char* kRegistryFiles[] = {"user.reg", "system.reg"};

// Where HKEY_CLASSES_ROOT lives in both files, as their key lines write it
// (each "\" doubled).
constexpr char kClassesKey[] = "Software\\\\Classes\\\\";

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    *out += static_cast<char>(code);
  } else if (code < 0x800) {
    *out += static_cast<char>(0xC0 | (code >> 6));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *out += static_cast<char>(0xE0 | (code >> 12));
    *out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = ToLowerAscii(c);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The text of a quoted value, from after its opening quote, with wine's
// escapes undone: "\\", "\"", the C letters, "\xHHHH" (a UTF-16 unit) and
// octal. False when the closing quote is missing.
bool Unquote(std::string_view text, std::string* out) {
  out->clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '"') return true;
    if (c != '\\' || i + 1 == text.size()) {
      *out += c;
      continue;
    }
    const char e = text[++i];
    switch (e) {
      case 'n':
        *out += '\n';
        break;
      case 'r':
        *out += '\r';
        break;
      case 't':
        *out += '\t';
        break;
      case 'a':
        *out += '\a';
        break;
      case 'b':
        *out += '\b';
        break;
      case 'f':
        *out += '\f';
        break;
      case 'v':
        *out += '\v';
        break;
      case 'e':
        *out += '\x1b';
        break;
      case 'x': {
        uint32_t code = 0;
        int digits = 0;
        for (; digits < 4 && i + 1 < text.size() && HexDigit(text[i + 1]) >= 0; ++digits) {
          code = code * 16 + static_cast<uint32_t>(HexDigit(text[++i]));
        }
        AppendUtf8(code, out);
        break;
      }
      default:
        if (e >= '0' && e <= '7') {
          uint32_t code = static_cast<uint32_t>(e - '0');
          for (int digits = 1;
               digits < 3 && i + 1 < text.size() && text[i + 1] >= '0' && text[i + 1] <= '7';
               ++digits) {
            code = code * 8 + static_cast<uint32_t>(text[++i] - '0');
          }
          AppendUtf8(code, out);
        } else {
          *out += e;  // "\\", "\"" and anything else: the character itself
        }
    }
  }
  return false;
}

// A "hex(1):" or "hex(2):" value, its lines already joined: UTF-16LE bytes
// as "41,00,42,00,00,00", ending at the first NUL.
bool FromHexString(std::string_view text, std::string* out) {
  out->clear();
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ',' || c == ' ' || c == '\t') continue;
    if (i + 1 >= text.size() || HexDigit(c) < 0 || HexDigit(text[i + 1]) < 0) return false;
    bytes += static_cast<char>(HexDigit(c) * 16 + HexDigit(text[i + 1]));
    ++i;
  }
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const uint32_t code = static_cast<unsigned char>(bytes[i]) |
                          (static_cast<uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8);
    if (code == 0) break;
    AppendUtf8(code, out);
  }
  return true;
}

// The value after "@=" (the default value), in UTF-8. Takes the string
// forms: "...", str:"...", str(2):"...", hex(1): and hex(2):.
bool DefaultValue(std::string_view value, std::string* out) {
  for (std::string_view tag : {"str:", "str(2):"}) {
    if (value.substr(0, tag.size()) == tag) value.remove_prefix(tag.size());
  }
  if (!value.empty() && value[0] == '"') return Unquote(value.substr(1), out);
  for (std::string_view tag : {"hex(1):", "hex(2):"}) {
    if (value.substr(0, tag.size()) == tag) return FromHexString(value.substr(tag.size()), out);
  }
  return false;
}

// The next line of `file` from `*start` on, without its line end; a line
// ending in "\\" goes on in the next one (how long hex values are written),
// whose leading blanks are dropped.
std::string NextLine(std::string_view file, size_t* start) {
  std::string line;
  while (*start < file.size()) {
    size_t end = file.find('\n', *start);
    if (end == std::string_view::npos) end = file.size();
    std::string_view piece = file.substr(*start, end - *start);
    *start = end + 1;
    if (!line.empty()) {
      while (!piece.empty() && (piece.front() == ' ' || piece.front() == '\t')) {
        piece.remove_prefix(1);
      }
    }
    if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
    if (piece.empty() || piece.back() != '\\') {
      line.append(piece);
      break;
    }
    piece.remove_suffix(1);
    line.append(piece);
  }
  return line;
}

// The default value of `key` (a key line's text, "\\" doubled) in the text
// of a registry file.
bool FindDefaultValue(std::string_view file, std::string_view key, std::string* value) {
  bool in_key = false;
  size_t start = 0;
  while (start < file.size()) {
    const std::string line = NextLine(file, &start);
    if (!line.empty() && line[0] == '[') {
      const size_t close = line.find(']');
      in_key = close != std::string::npos &&
               EqualsIgnoringCase(std::string_view(line).substr(1, close - 1), key);
      continue;
    }
    if (in_key && line.compare(0, 2, "@=") == 0) {
      return DefaultValue(std::string_view(line).substr(2), value);
    }
  }
  return false;
}

// The open command from the prefix's registry, with the program's Windows
// path turned into the file system path it maps to.
bool ReadFromWinePrefix(std::string* value) {
  const std::string prefix = posix::WinePrefix();
  if (prefix.empty()) return false;
  std::string key = kClassesKey;
  for (char c : std::string_view(kOpenCommandKey)) {
    key += c;
    if (c == '\\') key += '\\';
  }
  for (const char* name : kRegistryFiles) {
    std::string file;
    std::string err;
    // The prefix's path is in the file system's bytes; ours are local.
    if (ReadWholeFile(SystemToLocalText(prefix + "/" + name), &file, &err) != ReadStatus::kOkay) {
      continue;
    }
    std::string command;
    if (!FindDefaultValue(file, key, &command)) continue;
    // "C:\Keil\UV4\Uv4.exe" "%1": the program, quoted or up to a blank.
    const bool quoted = !command.empty() && command[0] == '"';
    const size_t from = quoted ? 1 : 0;
    size_t to = command.find(quoted ? '"' : ' ', from);
    if (to == std::string::npos) to = command.size();
    std::string native;
    if (!posix::DrivePathToNative(std::string_view(command).substr(from, to - from),
                                  posix::ReadWineDrives(prefix), &native)) {
      continue;
    }
    for (char& c : native) {
      if (c == '/') c = '\\';
    }
    *value = SystemToLocalText("\"" + native + "\"" + command.substr(quoted ? to + 1 : to));
    return true;
  }
  return false;
}

}  // namespace

bool ReadClassesRootDefault(const std::string& subkey, std::string* value) {
  if (!EqualsIgnoringCase(subkey, kOpenCommandKey)) return false;
  std::string command;
  if (!GetEnv("UV2FILE_OPEN_COMMAND", &command)) return ReadFromWinePrefix(value);
  for (char& c : command) {
    if (c == '/') c = '\\';
  }
  *value = std::move(command);
  return true;
}

}  // namespace c51
