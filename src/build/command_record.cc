#include "build/command_record.h"

#include <cstring>

namespace c51 {
namespace {

constexpr char kHeader[] = "c51commands 1\n";

// splitmix64's finaliser: every input bit reaches every output bit.
uint64_t Mix(uint64_t x) {
  x ^= x >> 30;
  x *= 0xbf58476d1ce4e5b9u;
  x ^= x >> 27;
  x *= 0x94d049bb133111ebu;
  x ^= x >> 31;
  return x;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "<16 hex digits> <name>"; false for anything else.
bool ParseLine(std::string_view line, uint64_t* fingerprint, std::string_view* name) {
  if (line.size() < 18 || line[16] != ' ') return false;
  uint64_t value = 0;
  for (size_t i = 0; i < 16; ++i) {
    const int digit = HexValue(line[i]);
    if (digit < 0) return false;
    value = value << 4 | static_cast<uint64_t>(digit);
  }
  *fingerprint = value;
  *name = line.substr(17);
  return true;
}

}  // namespace

uint64_t HashText(std::string_view text) {
  // Eight bytes at a time, read as little-endian (every target of ours is).
  uint64_t h = 0x9e3779b97f4a7c15u ^ text.size();
  size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    h = (h ^ Mix(word)) * 0x9e3779b97f4a7c15u;
  }
  uint64_t tail = 0;
  for (size_t shift = 0; i < text.size(); ++i, shift += 8) {
    tail |= static_cast<uint64_t>(static_cast<unsigned char>(text[i])) << shift;
  }
  return Mix(h ^ Mix(tail));
}

uint64_t CombineHash(uint64_t seed, uint64_t value) {
  return Mix(seed * 0x9e3779b97f4a7c15u + value);
}

void CommandRecord::Load(const std::string& folder) {
  const std::string path = folder + kFileName;
  const FileStamp stamp = StampOf(path);
  // Held already; also when it could not be written, in which case what
  // this process made is still known to it.
  if (folder == folder_ && stamp.time == stamp_.time && stamp.size == stamp_.size) return;
  folder_ = folder;
  stamp_ = stamp;
  changed_ = false;
  entries_.clear();
  ++generation_;
  std::string text;
  if (stamp.time == 0 || ReadWholeFile(path, &text, nullptr) != ReadStatus::kOkay) return;
  const std::string_view header = kHeader;
  if (text.compare(0, header.size(), header) != 0) return;
  std::string_view rest = std::string_view(text).substr(header.size());
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    // A last line without its end may have been cut short.
    if (end == std::string_view::npos) break;
    uint64_t fingerprint = 0;
    std::string_view name;
    if (!ParseLine(rest.substr(0, end), &fingerprint, &name)) {
      // Skipped.
    } else if (fingerprint == 0) {
      entries_.erase(std::string(name));  // a step that started and never ended
    } else {
      entries_.insert_or_assign(std::string(name), fingerprint);
    }
    rest.remove_prefix(end + 1);
  }
}

const uint64_t* CommandRecord::Slot(std::string_view output) const {
  auto found = entries_.find(output);
  return found == entries_.end() ? nullptr : &found->second;
}

bool CommandRecord::Find(std::string_view output, uint64_t* fingerprint) const {
  auto found = entries_.find(output);
  if (found == entries_.end()) return false;
  *fingerprint = found->second;
  return true;
}

void CommandRecord::Set(std::string_view output, uint64_t fingerprint) {
  auto found = entries_.find(output);
  if (found != entries_.end()) {
    if (found->second == fingerprint) return;
    found->second = fingerprint;
  } else {
    entries_.emplace(std::string(output), fingerprint);
    ++generation_;
  }
  changed_ = true;
}

void CommandRecord::Forget(std::string_view output) {
  auto found = entries_.find(output);
  if (found == entries_.end()) return;
  entries_.erase(found);
  ++generation_;
  changed_ = true;
}

void CommandRecord::MarkStarting(std::string_view output) {
  auto found = entries_.find(output);
  // Nothing on disk vouches for an output the record does not hold.
  if (found == entries_.end() || folder_.empty()) return;
  entries_.erase(found);
  ++generation_;
  changed_ = true;
  const std::string path = folder_ + kFileName;
  std::string line(16, '0');
  line += ' ';
  line += output;
  line += '\n';
  // The file as this record last read or wrote it gets the line; a file
  // changed by someone else meanwhile is left alone, and so is a missing
  // one (no header, no record).
  const FileStamp now = StampOf(path);
  if (now.time == 0 || now.time != stamp_.time || now.size != stamp_.size) return;
  if (AppendToFile(path, line)) stamp_ = StampOf(path);
}

bool CommandRecord::Save() {
  if (!changed_ || folder_.empty()) return true;
  std::string text = kHeader;
  text.reserve(text.size() + entries_.size() * 32);
  static const char kDigits[] = "0123456789abcdef";
  for (const auto& [name, fingerprint] : entries_) {
    char hex[17];
    for (int i = 0; i < 16; ++i) hex[i] = kDigits[(fingerprint >> (60 - 4 * i)) & 0xf];
    hex[16] = ' ';
    text.append(hex, sizeof hex);
    text += name;
    text += '\n';
  }
  const std::string path = folder_ + kFileName;
  const std::string temporary = path + ".tmp";
  if (!WriteWholeFile(temporary, text, nullptr) || !MoveFileOver(temporary, path)) {
    RemoveFile(temporary);
    return false;
  }
  changed_ = false;
  stamp_ = StampOf(path);
  return true;
}

}  // namespace c51
