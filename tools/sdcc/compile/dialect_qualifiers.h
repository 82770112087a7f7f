// A prototype and its function's definition that differ only in "const"
// on a parameter:
//
//   void show(const unsigned char *s);      (a header)
//   void show(unsigned char *s) { ... }     (the source)
//
// The original compiler takes them as one function; sdcc refuses the
// definition ("conflict with previous declaration"). The "const" of such a
// parameter goes from both, which changes no code: a qualifier only limits
// what the source may write through the name.
//
// A parameter that points into code memory ("char code *s") becomes a
// pointer to const in every declaration: sdcc makes the prototype's one
// when a call passes a string, and then refuses the definition.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_QUALIFIERS_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_QUALIFIERS_H_

#include <string_view>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void MatchParameterQualifiers(DialectSource* source);

// An object at file scope declared const with no memory type lies where
// the model's other variables lie, for the original compiler: const only
// forbids writing it by name. sdcc puts it into code memory instead, and
// reads "extern const" objects there, so a header saying "extern unsigned
// char tab[];" for "const unsigned char tab[] = {..};" read RAM at a code
// address, and a buffer written through memset() hung the program. Such
// declarations lose their "const" (pointers, typedefs and objects with a
// memory type keep theirs); every file gets the same, so all agree.
//
// An extern declaration and the definition in one file that differ in
// "volatile" (the original takes them as one object, sdcc refuses the
// definition) both get it.
void MatchObjectQualifiers(DialectSource* source);

// An object at file scope declared once without a memory type and once with
// the model's own ("extern unsigned char w;" in a header, "unsigned char
// data w;" in the source, in the small model): one object to the original
// compiler, two types to sdcc, which refuses the second. The declarations
// without one get the model's word; another memory type than the model's
// is a true mismatch and stays for sdcc to refuse. `model` is "SMALL",
// "COMPACT" or "LARGE".
void MatchDefaultMemoryTypes(DialectSource* source, std::string_view model);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_QUALIFIERS_H_
