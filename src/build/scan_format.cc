#include "build/scan_format.h"

#include <climits>

namespace c51 {
namespace {

// The "C" locale's isspace, over unsigned bytes.
bool IsSpace(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// A %[...] set, parsed from the format; `end` is the position after "]".
struct CharSet {
  bool member[256] = {};
  size_t end = 0;
  bool valid = false;
};

CharSet ParseSet(std::string_view format, size_t pos) {
  CharSet set;
  bool negate = pos < format.size() && format[pos] == '^';
  if (negate) ++pos;
  size_t start = pos;
  // "]" right after "[" or "[^" belongs to the set, as in the C library.
  while (pos < format.size() && (format[pos] != ']' || pos == start)) {
    unsigned char low = static_cast<unsigned char>(format[pos]);
    if (pos + 2 < format.size() && format[pos + 1] == '-' && format[pos + 2] != ']') {
      unsigned char high = static_cast<unsigned char>(format[pos + 2]);
      for (unsigned c = low; c <= high; ++c) set.member[c] = true;
      pos += 3;
    } else {
      set.member[low] = true;
      ++pos;
    }
  }
  if (pos >= format.size()) return set;  // no closing "]"
  if (negate) {
    for (bool& m : set.member) m = !m;
  }
  set.end = pos + 1;
  set.valid = true;
  return set;
}

}  // namespace

int ScanFormat(std::string_view input, std::string_view format, std::vector<ScanField>* fields) {
  size_t nul = input.find('\0');
  if (nul != std::string_view::npos) input = input.substr(0, nul);
  auto at = [&input](size_t i) { return static_cast<unsigned char>(input[i]); };
  auto skip_space = [&](size_t* i) {
    while (*i < input.size() && IsSpace(at(*i))) ++*i;
  };

  int assigned = 0;
  size_t in = 0;
  size_t f = 0;
  while (f < format.size()) {
    unsigned char fc = static_cast<unsigned char>(format[f]);
    if (IsSpace(fc)) {
      skip_space(&in);
      ++f;
      continue;
    }
    if (fc != '%') {
      if (in >= input.size() || input[in] != format[f]) return assigned;
      ++in;
      ++f;
      continue;
    }
    ++f;
    bool store = true;
    if (f < format.size() && format[f] == '*') {
      store = false;
      ++f;
    }
    if (f >= format.size()) return assigned;
    ScanField field;
    char conversion = format[f++];
    if (conversion == 's') {
      skip_space(&in);
      size_t start = in;
      while (in < input.size() && !IsSpace(at(in))) ++in;
      if (in == start) return assigned;
      if (store) field.text.assign(input.substr(start, in - start));
    } else if (conversion == 'd') {
      skip_space(&in);
      bool negative = false;
      if (in < input.size() && (input[in] == '+' || input[in] == '-'))
        negative = input[in++] == '-';
      if (in >= input.size() || !IsDigit(at(in))) return assigned;
      long long value = 0;
      for (; in < input.size() && IsDigit(at(in)); ++in) {
        // Past int the value only needs to stay past it.
        if (value <= INT_MAX) value = value * 10 + (at(in) - '0');
      }
      if (negative) value = -value;
      field.number = value > INT_MAX   ? INT_MAX
                     : value < INT_MIN ? INT_MIN
                                       : static_cast<int>(value);
    } else if (conversion == '[') {
      CharSet set = ParseSet(format, f);
      if (!set.valid) return assigned;
      f = set.end;
      size_t start = in;
      while (in < input.size() && set.member[at(in)]) ++in;
      if (in == start) return assigned;
      if (store) field.text.assign(input.substr(start, in - start));
    } else {
      return assigned;
    }
    if (store) {
      fields->push_back(std::move(field));
      ++assigned;
    }
  }
  return assigned;
}

}  // namespace c51
