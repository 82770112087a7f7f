// As much of C's types as adding an initializer's left-out braces needs:
// which object is an array of how many of what, and what a struct or union
// holds. The tokens are read in order, so a struct, union, enum or typedef
// is known from its definition on, whichever file it is in (sdcc's own
// headers included: stdint.h's typedefs are used everywhere).
//
//   struct p { int a; char b[2]; };    struct p: a scalar, an array of 2 chars
//   typedef unsigned char row[8];      row: an array of 8 chars
//   enum { N = 4 };                    N: 4, for dimensions
//   unsigned char code font[][8] = {   font: an array of arrays of 8 chars
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_TYPES_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_TYPES_H_

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

struct CType;
using CTypeRef = std::shared_ptr<const CType>;

struct CType {
  enum class Kind { kScalar, kArray, kRecord, kUnknown };
  Kind kind = Kind::kUnknown;
  bool character = false;         // kScalar: char, signed char, unsigned char
  bool is_union = false;          // kRecord
  bool complete = false;          // kRecord: its members are known
  long count = -1;                // kArray: -1 when the dimension is empty or no number
  std::string dimension;          // kArray: as written
  CTypeRef element;               // kArray
  std::vector<CTypeRef> members;  // kRecord, in order; unnamed bit-fields left out
  std::string name;               // for messages: "struct p", a typedef's or unknown name
};

class CDeclarations {
 public:
  explicit CDeclarations(const DialectSource& source) : s_(source) {}

  // Learns what starts at token `i`: a struct, union or enum body, or a
  // typedef. Call it for every token, in order.
  void Learn(size_t i);

  // The type of the object declared just before the "=" at `assign`, as in
  // "static char code t[2][3] = ..." or "int a = 1, t[] = ..."; null when
  // the declaration does not read as one.
  CTypeRef TypeBefore(size_t assign) const;

  bool EnumConstant(std::string_view name, uint32_t* value) const;

  // The type of the one object tokens [first, last) declare ("PAIR p",
  // "struct pt *q", "TIME get_time"), and the token of its name (kNone when
  // unnamed); null when they do not read as one declaration.
  CTypeRef DeclaredType(size_t first, size_t last, size_t* name) const;

 private:
  struct Step {
    enum class Kind { kArray, kPointer, kFunction };
    Kind kind = Kind::kPointer;
    long count = -1;
    std::string dimension;
  };
  struct Declarator {
    size_t name = DialectSource::kNone;
    std::vector<Step> steps;  // from the name outwards
  };

  CTypeRef Specifiers(size_t* pos, size_t end, bool* is_typedef) const;
  CTypeRef Record(size_t* pos, size_t end) const;
  CTypeRef Body(size_t open, bool is_union, const std::string& name) const;
  void Enum(size_t* pos, size_t end) const;
  bool ParseDeclarator(size_t* pos, size_t end, Declarator* d) const;
  CTypeRef Derive(CTypeRef base, const std::vector<Step>& steps) const;
  void Typedef(size_t i);
  size_t DeclarationStart(size_t assign) const;
  size_t SkipInitializer(size_t pos) const;

  const DialectSource& s_;
  // Filled while reading: a body is read once, however often it is reached.
  mutable std::map<size_t, CTypeRef> bodies_;  // the "{" of a struct or union
  mutable std::map<std::string, CTypeRef, std::less<>> tags_;
  mutable std::map<std::string, uint32_t, std::less<>> enums_;
  mutable std::map<size_t, bool> enum_bodies_;
  std::map<std::string, CTypeRef, std::less<>> typedefs_;
};

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_TYPES_H_
