// Assignments sdcc refuses for their types where the Windows compiler
// converts the value: a pointer stored in an integer ("int a = &tab[0];",
// "addr = buf;"), or a pointer of one memory space stored in a pointer to
// another ("idata struct S *p = (struct S *)(buf + i);", where sdcc drops
// the cast to a generic pointer and finds xdata against idata). sdcc stops
// with "indirections to different types assignment" and names both types;
// the translation is made again with the conversion written out:
//
//   a = &tab[0];              =>  a = (int)(&tab[0]);
//   p = (struct S *)(buf+i);  =>  p = (struct S __idata *)((struct S *)(buf+i));
//
// Only where each refused assignment of a line can be told apart (as many
// "=" on the line as refusals) and every target type has a C spelling.
#ifndef C51_TOOLS_SDCC_COMPILE_ASSIGNMENT_CASTS_H_
#define C51_TOOLS_SDCC_COMPILE_ASSIGNMENT_CASTS_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// One assignment sdcc refused: where, as its line markers name the file,
// and the types in sdcc's words ("const-unsigned-char code* code").
struct RefusedAssignment {
  std::string file;
  int line = 0;
  std::string from;
  std::string to;
};

// The pairs of types in the text of sdcc's message, as the message reader
// joins them ("...; from type 'A'; to type 'B'; from type ..."), in order.
std::vector<RefusedAssignment> RefusedAssignments(const std::string& file, int line,
                                                  std::string_view text);

// The C spelling of sdcc's type for a cast: an integer ("unsigned-int
// fixed" => "unsigned int") or a pointer to a non-pointer ("struct S idata*
// fixed" => "struct S __idata *"); empty for anything else.
std::string CastTypeOf(std::string_view sdcc_type);

// `text` (sdcc's input, line markers included) with each of `refused`
// converted by a cast; false, and `out` untouched, when any cannot be.
bool CastRefusedAssignments(std::string_view text, const std::vector<RefusedAssignment>& refused,
                            std::string* out);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_ASSIGNMENT_CASTS_H_
