// Code page conversions through iconv. Windows code page numbers name the
// encodings, so callers write the same numbers on every platform.
#include "platform/codepage.h"

#include <errno.h>
#include <iconv.h>

#include <string_view>

#include "platform/env.h"

namespace c51 {
namespace {

// The iconv name of a code page number; glibc knows most Windows code pages
// as "CP<number>".
std::string IconvName(int code_page) {
  switch (code_page) {
    case kCodePageGbk:
      return "GBK";
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
  std::string configured;
  if (GetEnv("C51_LOCAL_CODEPAGE", &configured) && !configured.empty() && configured.size() <= 5) {
    int number = 0;
    bool digits = true;
    for (char c : configured) {
      unsigned char u = static_cast<unsigned char>(c);
      if (u < '0' || u > '9') digits = false;
      number = number * 10 + (u - '0');
    }
    if (digits && number > 0) return number;
  }
  return kCodePageUtf8;
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

}  // namespace c51
