#include "devices/device_catalog.h"

#include <algorithm>

namespace c51::devices {
namespace {

char Lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  if (part.size() > text.size()) return false;
  for (size_t at = 0; at + part.size() <= text.size(); ++at)
    if (EqualIgnoringCase(text.substr(at, part.size()), part)) return true;
  return false;
}

// "*" and "?" over the whole text; backtracks only to the last "*", which
// is enough for a glob without character classes.
bool GlobMatches(std::string_view pattern, std::string_view text) {
  size_t p = 0, t = 0;
  size_t star = std::string_view::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Lower(pattern[p]) == Lower(text[t]))) {
      ++p;
      ++t;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// Insertions, deletions, changes and swaps of neighbours, the slips a
// typed part number shows ("AT89S25" for "AT89S52" is one).
size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t change = d[i - 1][j - 1] + (Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1);
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, change});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
          Lower(a[i - 2]) == Lower(b[j - 1]))
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[a.size()][b.size()];
}

}  // namespace

const DeviceRow* FindDevice(std::string_view name) {
  for (const DeviceRow& row : DeviceRows())
    if (EqualIgnoringCase(row.name, name)) return &row;
  return nullptr;
}

std::vector<const DeviceRow*> MatchDevices(std::string_view pattern) {
  const bool glob = pattern.find_first_of("*?") != std::string_view::npos;
  std::vector<const DeviceRow*> rows;
  for (const DeviceRow& row : DeviceRows()) {
    const bool match =
        glob ? GlobMatches(pattern, row.name)
             : ContainsIgnoringCase(row.name, pattern) || ContainsIgnoringCase(row.vendor, pattern);
    if (match) rows.push_back(&row);
  }
  return rows;
}

std::vector<std::string> CloseDeviceNames(std::string_view name, size_t limit) {
  struct Candidate {
    bool prefix;  // starts with the name: what the user most likely began to type
    size_t distance;
    const char* name;
  };
  const size_t reach = name.size() / 3 + 2;
  std::vector<Candidate> candidates;
  for (const DeviceRow& row : DeviceRows()) {
    const std::string_view row_name = row.name;
    const size_t distance = EditDistance(name, row_name);
    const bool prefix = !name.empty() && row_name.size() > name.size() &&
                        EqualIgnoringCase(row_name.substr(0, name.size()), name);
    if (distance <= reach || prefix) candidates.push_back({prefix, distance, row.name});
  }
  // Stable: equal distances keep the table's order.
  std::stable_sort(candidates.begin(), candidates.end(),
                   [](const Candidate& a, const Candidate& b) {
                     if (a.prefix != b.prefix) return a.prefix;
                     return a.distance < b.distance;
                   });
  std::vector<std::string> names;
  for (const Candidate& c : candidates) {
    if (names.size() == limit) break;
    names.emplace_back(c.name);
  }
  return names;
}

std::vector<std::string> DeviceProperties(const DeviceRow& row) {
  return {std::string("CPU=") + row.cpu, std::string("REGFILE=") + row.header};
}

}  // namespace c51::devices
