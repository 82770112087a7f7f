#include "build/dependency_log.h"

#include <cstring>

#include "build/command_record.h"

namespace c51 {
namespace {

constexpr char kMagic[8] = {'C', '5', '1', 'D', 'E', 'P', 'S', '\x1A'};
constexpr uint32_t kVersion = 1;
// Magic, version, checksum.
constexpr size_t kHeaderSize = 8 + 4 + 8;
// The least bytes an include path and an object take: a length, and a
// length, time, size, flags and count.
constexpr size_t kMinInclude = 4;
constexpr size_t kMinObject = 4 + 8 + 8 + 1 + 4;

void PutU32(std::string* out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out->push_back(static_cast<char>(value >> (8 * i)));
}

void PutU64(std::string* out, uint64_t value) {
  for (int i = 0; i < 8; ++i) out->push_back(static_cast<char>(value >> (8 * i)));
}

void PutText(std::string* out, std::string_view text) {
  PutU32(out, static_cast<uint32_t>(text.size()));
  out->append(text);
}

// Every read checks the bytes left first; a failed read leaves the cursor
// where it was and makes every later read fail too.
class Cursor {
 public:
  explicit Cursor(std::string_view bytes) : rest_(bytes) {}

  bool ok() const { return ok_; }
  size_t left() const { return rest_.size(); }

  uint64_t Number(size_t width) {
    if (!Have(width)) return 0;
    uint64_t value = 0;
    for (size_t i = 0; i < width; ++i) {
      value |= static_cast<uint64_t>(static_cast<unsigned char>(rest_[i])) << (8 * i);
    }
    rest_.remove_prefix(width);
    return value;
  }
  uint32_t U32() { return static_cast<uint32_t>(Number(4)); }
  int64_t I64() { return static_cast<int64_t>(Number(8)); }

  std::string_view Text() {
    const uint32_t n = U32();
    if (!Have(n)) return {};
    const std::string_view text = rest_.substr(0, n);
    rest_.remove_prefix(n);
    return text;
  }

  // A count of entries of at least `each` bytes: more than the bytes left
  // could hold is damage, caught before anything is reserved for them.
  uint32_t Count(size_t each) {
    const uint32_t n = U32();
    if (ok_ && n > rest_.size() / each) ok_ = false;
    return ok_ ? n : 0;
  }

 private:
  bool Have(size_t n) {
    if (ok_ && rest_.size() < n) ok_ = false;
    return ok_;
  }

  std::string_view rest_;
  bool ok_ = true;
};

bool PlainName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    if (c == '/' || c == '\\' || c == ':' || c == '\0') return false;
  }
  return true;
}

}  // namespace

std::string FormatDependencyLog(const DependencyLogView& log) {
  std::string body;
  size_t estimate = 16 + log.folder.size() + 4 * log.numbers.size();
  for (std::string_view include : log.includes) estimate += 4 + include.size();
  for (const LoggedObject& object : log.objects) estimate += kMinObject + object.name.size();
  body.reserve(estimate);
  PutText(&body, log.folder);
  PutU32(&body, static_cast<uint32_t>(log.includes.size()));
  for (std::string_view include : log.includes) PutText(&body, include);
  PutU32(&body, static_cast<uint32_t>(log.objects.size()));
  for (const LoggedObject& object : log.objects) {
    PutText(&body, object.name);
    PutU64(&body, static_cast<uint64_t>(object.stamp.time));
    PutU64(&body, static_cast<uint64_t>(object.stamp.size));
    body.push_back(object.truncated ? 1 : 0);
    PutU32(&body, object.count);
    for (uint32_t i = 0; i < object.count; ++i) PutU32(&body, log.numbers[object.first + i]);
  }
  std::string file(kMagic, sizeof kMagic);
  file.reserve(kHeaderSize + body.size());
  PutU32(&file, kVersion);
  PutU64(&file, HashText(body));
  return file + body;
}

bool ParseDependencyLog(std::string_view bytes, DependencyLogView* log) {
  *log = DependencyLogView();
  if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
    return false;
  }
  Cursor header(bytes.substr(sizeof kMagic));
  if (header.U32() != kVersion) return false;
  const uint64_t checksum = header.Number(8);
  const std::string_view body = bytes.substr(kHeaderSize);
  // A flipped bit anywhere, also inside a name, would make the log vouch
  // for a wrong header: only the checksum catches those.
  if (HashText(body) != checksum) return false;

  Cursor in(body);
  log->folder = in.Text();
  const uint32_t include_count = in.Count(kMinInclude);
  log->includes.reserve(include_count);
  for (uint32_t i = 0; i < include_count && in.ok(); ++i) log->includes.push_back(in.Text());
  const uint32_t object_count = in.Count(kMinObject);
  log->objects.reserve(object_count);
  // At most this many numbers fit in what is left; memory reserved and
  // never touched costs nothing, growing the vector step by step would.
  log->numbers.reserve(in.left() / 4);
  for (uint32_t i = 0; i < object_count && in.ok(); ++i) {
    LoggedObject object;
    object.name = in.Text();
    object.stamp.time = in.I64();
    object.stamp.size = in.I64();
    const uint64_t flags = in.Number(1);
    object.count = in.Count(4);
    object.first = static_cast<uint32_t>(log->numbers.size());
    if (!in.ok() || !PlainName(object.name) || flags > 1) return false;
    object.truncated = flags == 1;
    for (uint32_t k = 0; k < object.count; ++k) {
      const uint32_t number = in.U32();
      if (number >= include_count) return false;
      log->numbers.push_back(number);
    }
    log->objects.push_back(object);
  }
  return in.ok() && in.left() == 0;
}

}  // namespace c51
