// Structs and unions passed to or returned from functions by value, which
// sdcc refuses ("cannot pass structure ... as function argument", "Function
// cannot return aggregate"). The original compiler copies them; here the
// caller passes the object's address and the function makes its own copy,
// and a function returns the address of a copy of its result that it keeps,
// as a function that is not reentrant keeps every local:
//
//   TIME add(TIME t, char m);   =>  TIME *add(TIME *t, char m);
//   TIME add(TIME t, char m) {  =>  TIME *add(TIME *__c51_t, char m) { static TIME
//                                     __c51_result; TIME t; t = *__c51_t;
//     t.min += m;                     t.min += m;
//     return t;                       { __c51_result = t; return &__c51_result; }
//   }                               }
//   now = add(now, 1);          =>  now = (*add(&(now), 1));
//   show(add(now, 1).min);      =>  show((*add(&(now), 1)).min);
//
// The functions are those the file declares (a header's prototype counts),
// so every file that sees the prototype passes and takes them alike. An
// argument whose address cannot be taken (a conditional, an assignment) is
// reported, as is a function pointer to such a function.
#ifndef C51_TOOLS_SDCC_COMPILE_DIALECT_STRUCT_VALUES_H_
#define C51_TOOLS_SDCC_COMPILE_DIALECT_STRUCT_VALUES_H_

#include "sdcc/compile/dialect_source.h"

namespace c51::sdcc {

void BridgeStructValues(DialectSource* source);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_DIALECT_STRUCT_VALUES_H_
