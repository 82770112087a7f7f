// Variables in bdata and the bits declared on them. A variable in bdata is
// an ordinary one in data; sdcc has no bits that alias a byte, so each bit
// declared on it becomes an operation on the variable where it is used:
//
//   sbit f = flags^3;     (gone)
//   if (f)                if (((flags & 0x08) != 0))
//   f = 1; f = 0;         (flags |= 0x08); (flags &= ~0x08);
//   f = x;                ((x) ? (flags |= 0x08) : (flags &= ~0x08));
//   if (_testbit_(f))     if (__c51_testbit_f())
//
// _testbit_ calls a function that tests and clears the bit with interrupts
// off, as the single instruction the original compiler emits cannot be
// interrupted between the two. It is declared after the sbit declaration
// and defined at the end of the file.
//
// The width, 1, 2 or 4 bytes, comes from the declaration's type words or the
// plain typedefs they name (u16, WORD, uint32_t). Bits are numbered from the
// variable's first byte in memory, which holds the high byte of an int or
// long in the original compiler; sdcc keeps the low byte first, so the bit
// is taken from the value: "w^0" of an int is value bit 8, "w^15" value
// bit 7, "l^31" of a long value bit 7.
//
// An element of a one-dimensional bdata array with a constant index takes
// bits the same way: "sbit up = keys[1]^7;" is bit 7 of keys[1].
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_BDATA_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_BDATA_H_

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

class BdataBits {
 public:
  explicit BdataBits(DialectSource* source) : s_(*source) {}

  // Notes the names the declaration holding the word "bdata" at `i` declares.
  void Declare(size_t i);
  // "NAME = value" at `at`, the value ending before `stop`, in the sbit
  // declaration whose ";" is at `end`. True when the value is a bit of a
  // bdata variable: it is recorded, or reported when it cannot be one.
  bool Sbit(size_t at, size_t stop, size_t end);
  bool IsBit(std::string_view name) const { return bits_.count(name) != 0; }
  // Rewrites the use of a recorded bit at `i`; the last token it handled.
  size_t Use(size_t i);
  // Declares and defines the test-and-clear functions the uses call.
  void Finish();

 private:
  struct Variable {
    int width = 1;          // of one element
    int dimensions = 0;     // 0 for a plain variable
    uint32_t elements = 0;  // of a one-dimensional array; 0 when not known
  };
  struct Bit {
    std::string target;  // "flags", "keys[1]"
    std::string mask;    // "0x08", "0x0100u"
    size_t end = 0;      // the ";" of its sbit declaration
    bool tested = false;
  };

  int Width(std::string_view word);
  bool Target(const std::string& name, size_t first, size_t last, std::string* target, int* width);
  static std::string Mask(int width, uint32_t bit);
  bool InTestbit(size_t i, size_t* call, size_t* close) const;

  DialectSource& s_;
  TypedefWords typedefs_;
  bool typedefs_read_ = false;
  std::map<std::string, Variable, std::less<>> variables_;
  std::map<std::string, Bit, std::less<>> bits_;
};

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_BDATA_H_
