// The decimal texts every setting is stored in. Conversions do not depend
// on the C locale: a host that switched LC_NUMERIC to a comma locale must
// still read and write "24.000000".
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>
#include <system_error>

#include "project/node.h"

namespace c51 {

namespace {

// The blanks isspace knows in the "C" locale, whatever locale is active.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// from_chars leaves its output alone when the value does not fit; strtod
// gives HUGE_VAL or 0 then. Which one follows from the decimal magnitude.
double OutOfRangeValue(const char* p) {
  long magnitude = 0;  // position of the first non-zero digit, from the point
  bool seen_nonzero = false;
  bool after_point = false;
  for (; IsDigit(*p) || (*p == '.' && !after_point); ++p) {
    if (*p == '.') {
      after_point = true;
    } else if (!seen_nonzero) {
      if (*p != '0') {
        seen_nonzero = true;
      } else if (after_point) {
        --magnitude;
      }
    } else if (!after_point) {
      ++magnitude;
    }
  }
  if (*p == 'e' || *p == 'E') magnitude += ParseInt(p + 1);
  return magnitude > 0 ? HUGE_VAL : 0.0;
}

}  // namespace

int ParseInt(const char* text) {
  if (text == nullptr) return 0;
  const char* p = text;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  // Accumulate up to one past INT_MAX, where both directions saturate.
  constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
  long long value = 0;
  for (; IsDigit(*p); ++p) {
    value = value * 10 + (*p - '0');
    if (value > kLimit) value = kLimit;
  }
  if (negative) return static_cast<int>(-value);
  return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

double ParseDouble(const char* text) {
  if (text == nullptr) return 0.0;
  const char* p = text;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  const char* end = p + std::strlen(p);
  double value = 0.0;
  std::from_chars_result result;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && (IsHexDigit(p[2]) || p[2] == '.')) {
    result = std::from_chars(p + 2, end, value, std::chars_format::hex);
    if (result.ec == std::errc::result_out_of_range) {
      const char* exponent = std::strpbrk(p, "pP");
      value = exponent != nullptr && ParseInt(exponent + 1) < 0 ? 0.0 : HUGE_VAL;
    }
  } else if (IsDigit(*p) || *p == '.' || *p == 'i' || *p == 'I' || *p == 'n' || *p == 'N') {
    result = std::from_chars(p, end, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) value = OutOfRangeValue(p);
  } else {
    // A second sign or anything else: nothing converts, as with atof.
    return 0.0;
  }
  if (result.ec == std::errc::invalid_argument) value = 0.0;
  return negative ? -value : value;
}

std::string FormatDouble(double value) {
  // "%f" of the largest double has 309 digits before the point.
  char buffer[400];
  std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  if (result.ec != std::errc()) return std::string();
  size_t length = static_cast<size_t>(result.ptr - buffer);
  // The stored text is limited to 255 characters.
  if (length > 255) length = 255;
  return std::string(buffer, length);
}

std::string FormatInt(int value) {
  char buffer[16];
  std::to_chars_result result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, static_cast<size_t>(result.ptr - buffer));
}

}  // namespace c51
