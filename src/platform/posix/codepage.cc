// Code page conversions through iconv. Windows code page numbers name the
// encodings, so callers write the same numbers on every platform.
#include "platform/codepage.h"

#include <errno.h>
#include <iconv.h>
#include <stdlib.h>

#include <map>
#include <memory>
#include <mutex>
#include <string_view>
#include <utility>

namespace c51 {
namespace {

// The iconv name of a code page number; glibc knows most Windows code pages
// as "CP<number>".
std::string IconvName(int code_page) {
  switch (code_page) {
    case kCodePageGbk:
      // Windows' 936 has the euro sign at 0x80; glibc's GBK does not.
      return "CP936";
    case kCodePageUtf8:
      return "UTF-8";
    case 54936:
      return "GB18030";
    case 20127:
      return "ASCII";
    default:
      return "CP" + std::to_string(code_page);
  }
}

// Owns one iconv descriptor.
class Converter {
 public:
  Converter(const std::string& to, const std::string& from)
      : cd_(iconv_open(to.c_str(), from.c_str())) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

 private:
  iconv_t cd_;
};

// Runs `in` through `cd` into `out`. Stops at the first byte sequence the
// descriptor rejects and returns how many input bytes it consumed.
size_t RunIconv(iconv_t cd, std::string_view in, std::string* out) {
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char chunk[4096];
  while (src_left > 0) {
    char* dst = chunk;
    size_t dst_left = sizeof chunk;
    size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
    out->append(chunk, static_cast<size_t>(dst - chunk));
    if (rc == static_cast<size_t>(-1) && errno != E2BIG) break;
  }
  return in.size() - src_left;
}

}  // namespace

int LocalCodePage() {
  // getenv, not GetEnv: GetEnv converts through this code page.
  const char* configured = getenv("C51_LOCAL_CODEPAGE");
  if (configured != nullptr && configured[0] != '\0') {
    int number = 0;
    size_t length = 0;
    bool digits = true;
    for (; configured[length] != '\0' && length <= 5; ++length) {
      unsigned char u = static_cast<unsigned char>(configured[length]);
      if (u < '0' || u > '9') digits = false;
      number = number * 10 + (u - '0');
    }
    if (digits && length <= 5 && number > 0) return number;
  }
  return kCodePageGbk;
}

bool ConvertCodePage(const std::string& in, int from, int to, std::string* out) {
  out->clear();
  if (from == kCodePageLocal) from = LocalCodePage();
  if (to == kCodePageLocal) to = LocalCodePage();
  // iconv reports invalid input and unmappable characters alike (EILSEQ).
  // Decoding to UTF-32 first tells them apart: that step only fails on
  // invalid input; the encoding step then turns each unmappable code point
  // into "?".
  Converter decode("UTF-32LE", IconvName(from));
  Converter encode(IconvName(to), "UTF-32LE");
  if (!decode.ok() || !encode.ok()) return false;
  std::string wide;
  if (RunIconv(decode.get(), in, &wide) != in.size()) return false;

  std::string result;
  std::string_view rest = wide;
  while (!rest.empty()) {
    size_t used = RunIconv(encode.get(), rest, &result);
    rest.remove_prefix(used);
    if (rest.empty()) break;
    result.push_back('?');
    rest.remove_prefix(rest.size() < 4 ? rest.size() : 4);
  }
  // Flush any shift state of stateful encodings.
  char tail[16];
  char* dst = tail;
  size_t dst_left = sizeof tail;
  iconv(encode.get(), nullptr, nullptr, &dst, &dst_left);
  result.append(tail, static_cast<size_t>(dst - tail));
  *out = std::move(result);
  return true;
}

namespace {

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Direct conversions for the edge of the process, one descriptor per pair
// kept for the process: file names cross it on every stat of a non-ASCII
// path, and opening a descriptor costs more than converting a name.
// False when `in` is not valid in `from` or holds a character `to` lacks.
bool ConvertExact(std::string_view in, int from, int to, std::string* out) {
  // Static, not thread_local: this code may live in a library that is
  // unloaded before its threads end; a static's destructor runs when the
  // library goes, a thread's would run after its code is gone.
  static std::mutex mutex;
  static std::map<std::pair<int, int>, std::unique_ptr<Converter>> converters;
  std::lock_guard<std::mutex> lock(mutex);
  std::unique_ptr<Converter>& slot = converters[{from, to}];
  if (!slot) slot = std::make_unique<Converter>(IconvName(to), IconvName(from));
  if (!slot->ok()) return false;
  iconv(slot->get(), nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  out->clear();
  if (RunIconv(slot->get(), in, out) != in.size()) return false;
  char tail[16];
  char* dst = tail;
  size_t dst_left = sizeof tail;
  if (iconv(slot->get(), nullptr, nullptr, &dst, &dst_left) == static_cast<size_t>(-1)) {
    return false;
  }
  out->append(tail, static_cast<size_t>(dst - tail));
  return true;
}

}  // namespace

std::string LocalToSystemText(std::string_view local) {
  // ASCII first: every stat of the build passes here, and the code page is
  // an environment lookup.
  if (IsAscii(local)) return std::string(local);
  const int code_page = LocalCodePage();
  std::string out;
  if (code_page == kCodePageUtf8 || !ConvertExact(local, code_page, kCodePageUtf8, &out)) {
    return std::string(local);
  }
  return out;
}

bool SystemToLocalStrict(std::string_view system, std::string* local) {
  if (IsAscii(system)) {
    local->assign(system);
    return true;
  }
  const int code_page = LocalCodePage();
  if (code_page == kCodePageUtf8) {
    // Validation only: UTF-8 to UTF-8 fails on malformed input.
    if (ConvertExact(system, kCodePageUtf8, kCodePageUtf8, local)) return true;
    local->clear();
    return false;
  }
  if (ConvertExact(system, kCodePageUtf8, code_page, local)) return true;
  local->clear();
  return false;
}

std::string SystemToLocalText(std::string_view system) {
  if (IsAscii(system)) return std::string(system);
  std::string whole;
  if (SystemToLocalStrict(system, &whole)) return whole;
  // Line by line: a tool's output may mix its own UTF-8 messages with
  // lines it echoed from a GBK source.
  std::string out, line;
  out.reserve(system.size());
  while (!system.empty()) {
    size_t end = system.find('\n');
    end = end == std::string_view::npos ? system.size() : end + 1;
    std::string_view piece = system.substr(0, end);
    if (SystemToLocalStrict(piece, &line)) {
      out += line;
    } else {
      out.append(piece);
    }
    system.remove_prefix(end);
  }
  return out;
}

}  // namespace c51
