#include "markup/doc_file.h"

#include <cstdint>
#include <cstring>

#include "markup/char_class.h"
#include "markup/element_name.h"
#include "markup/entities.h"
#include "markup/node_scanner.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"
#include "platform/fs.h"

namespace c51 {
namespace {

bool IsUtf8Name(const std::string& encoding) {
  static constexpr char kUtf8[] = "utf-8";
  return StartsWithIgnoringCase(encoding, kUtf8);
}

// Conversions run on pieces of about this many bytes: the conversion's
// own intermediate copy then stays small, and pieces of plain ASCII need
// none at all.
constexpr size_t kPieceBytes = size_t{1} << 20;

bool IsAscii(std::string_view bytes) {
  constexpr uint64_t kHighBits = 0x8080808080808080ull;
  size_t i = 0;
  for (; i + 8 <= bytes.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes.data() + i, 8);
    if (word & kHighBits) return false;
  }
  for (; i < bytes.size(); ++i)
    if (static_cast<unsigned char>(bytes[i]) >= 0x80) return false;
  return true;
}

// True when the local code page writes every ASCII character as itself,
// as all code pages holding the plug-in's texts do; asked rather than
// assumed, so that any other still gets an exact conversion.
bool LocalKeepsAscii() {
  std::string ascii(128, '\0');
  for (size_t i = 0; i < ascii.size(); ++i) ascii[i] = static_cast<char>(i);
  std::string local;
  return ConvertCodePage(ascii, kCodePageUtf8, kCodePageLocal, &local) && local == ascii;
}

// Where the piece starting at `start` ends: before the first ASCII byte
// kPieceBytes on. No UTF-8 sequence holds an ASCII byte, and an encoder
// that shifts between character sets is back in its first one before it,
// so converting the pieces one by one gives the bytes converting the whole
// would.
size_t PieceEnd(std::string_view text, size_t start) {
  size_t end = start + kPieceBytes;
  while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
  return end < text.size() ? end : text.size();
}

void ConvertUtf8ToLocal(std::string* text) {
  // Nothing to do (and no second copy of a large file) when the local code
  // page is UTF-8 itself.
  if (LocalCodePage() == kCodePageUtf8) return;
  std::string local;
  if (!LocalKeepsAscii()) {
    // A file that is not valid UTF-8 after all (say, GBK without a
    // declaration) is kept as read rather than thrown away.
    if (ConvertCodePage(*text, kCodePageUtf8, kCodePageLocal, &local)) *text = std::move(local);
    return;
  }
  if (IsAscii(*text)) return;
  local.reserve(text->size());
  std::string piece, converted;
  for (size_t start = 0, end; start < text->size(); start = end) {
    end = PieceEnd(*text, start);
    std::string_view bytes(text->data() + start, end - start);
    if (IsAscii(bytes)) {
      local.append(bytes);
      continue;
    }
    piece.assign(bytes);
    // One piece that is not UTF-8 makes the whole file not UTF-8: kept as read.
    if (!ConvertCodePage(piece, kCodePageUtf8, kCodePageLocal, &converted)) return;
    local.append(converted);
  }
  *text = std::move(local);
}

}  // namespace

bool ReadDocFile(const std::string& path, std::string* text, std::string* result) {
  std::string data;
  std::string error;
  if (ReadWholeFile(path, &data, &error) != ReadStatus::kOkay) {
    *result = error.substr(0, error.find_first_of("\r\n"));
    return false;
  }
  size_t size = data.size();
  std::string encoding = DeclaredEncoding(data);
  if (encoding.empty() || IsUtf8Name(encoding)) ConvertUtf8ToLocal(&data);
  *text = std::move(data);
  *result = std::to_string(size) + " bytes";
  return true;
}

std::string DeclaredEncoding(const std::string& text) {
  size_t lt = text.find('<');
  if (lt == std::string::npos || lt + 1 >= text.size() || text[lt + 1] != '?') return {};
  size_t close = text.find("?>", lt + 1);
  if (close == std::string::npos) return {};
  return FirstNodeAttribute(text.substr(lt, close + 2 - lt), "encoding");
}

std::string FirstNodeAttribute(const std::string& text, std::string_view name) {
  using markup::IsBlank;
  MarkupNode node;
  NodeScanner scanner(text);
  scanner.Next(&node);
  const char* s = text.c_str() + node.start;
  const char* end = s + node.length;
  if (node.length < 2 || *s != '<') return {};
  // Past "<" and the "?", "!" or "/" of other node kinds, then the name.
  const char* p = s + 1;
  if (*p == '?' || *p == '!' || *p == '/') ++p;
  std::string_view node_name = ElementNameAt(p);
  p = node_name.data() + node_name.size();
  for (;;) {
    while (p < end && IsBlank(*p)) ++p;
    if (p >= end) return {};
    // Never empty here: p is inside the node, before its end.
    std::string_view attribute = ElementNameAt(p);
    p = attribute.data() + attribute.size();
    while (p < end && IsBlank(*p)) ++p;
    std::string_view value;
    if (p < end && *p == '=') {
      ++p;
      while (p < end && IsBlank(*p)) ++p;
      const char* v = p;
      if (p < end && (*p == '"' || *p == '\'')) {
        char quote = *p++;
        v = p;
        while (p < end && *p != quote) ++p;
        value = std::string_view(v, static_cast<size_t>(p - v));
        if (p < end) ++p;
      } else {
        while (p < end && !IsBlank(*p) && *p != '>') ++p;
        value = std::string_view(v, static_cast<size_t>(p - v));
      }
    }
    if (ElementNameMatches(attribute, name, false)) return DecodeEntities(value);
  }
}

}  // namespace c51
