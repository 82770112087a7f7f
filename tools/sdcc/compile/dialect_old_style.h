// Old-style function definitions, which sdcc refuses ("Old style C
// declaration. IGNORED"), in prototype form, on the lines they were on:
//
//   int add(a, b)          =>  int add(int a, char *b)
//   char *b;               =>
//   {                      =>  {
//
// A name the declarations leave out is an int, as C has it. A list that is
// not one (a name declared twice or not in the list) is left for sdcc.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_OLD_STYLE_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_OLD_STYLE_H_

#include <string>
#include <vector>

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void RewriteOldStyleDefinitions(DialectSource* source);

// A list that types some parameters and names others bare ("void
// show(unsigned char row, date);"), or a definition's list of names with no
// declarations ("char read(add) {"), which the original takes: the bare
// names are ints, as an old-style list's undeclared names are.
void TypeBareParameterNames(DialectSource* source);

// Old-style declarations say nothing of the parameters ("char f();"), but
// sdcc reads "()" as "(void)" and refuses every call with arguments ("too
// many parameters"). A file-scope declaration with "()" of a function this
// file calls with arguments, or defines with parameters, gets the
// parameter list of the definition: this file's, else the one `find` finds
// in another file (named in `consulted`, which the object then depends
// on). With neither, it is an issue that says what to write.
void CompleteEmptyParameterLists(DialectSource* source, const DefinitionFinder& find,
                                 std::vector<std::string>* consulted);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_OLD_STYLE_H_
