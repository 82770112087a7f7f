// The assembler's options: the packed "A51FL" word and the keys of the
// "A51Tool" node at each scope.
//
// "A51FL": three switches (0 off, 1 on, 2 inherit), each read modulo 3:
//   bits 0-1 useMpl, 2-3 useStandardMacros, 6-7 defineSfrNames.
#ifndef C51_OPTIONS_A51_OPTIONS_H_
#define C51_OPTIONS_A51_OPTIONS_H_

#include <string>

#include "options/tool_scope.h"

namespace c51 {

class HostServices;
struct ConfigurationRef;
struct ProjectNode;

// 0x44: standard macros and SFR names on, MPL off.
constexpr int kA51ProjectFlags = 68;
// 0x8A: all three switches at inherit.
constexpr int kA51InheritFlags = 138;
constexpr int kA51InheritSwitch = 2;

// The decoded "A51FL"; member defaults are the project's.
struct A51Options {
  int useMpl = 0;             // the MPL macro processor
  int useStandardMacros = 1;  // the standard macro processor
  int defineSfrNames = 1;     // predefine the 8051 SFR names
};

// At the project scope the switches come from bits 0, 2 and 6 alone; at
// group and file scope from their two-bit fields modulo 3.
A51Options DecodeA51Flags(int flags, OptionScope scope);

// Each switch of `working` still at inherit takes `outer`'s.
void InheritA51Options(const A51Options& outer, A51Options* working);

// A switch outside its range or still at inherit takes the project default.
void SettleA51Options(A51Options* options);

// useStandardMacros·4 + useMpl + defineSfrNames·64; every other bit 0. A
// switch outside 0..2 is stored as inherit.
int EncodeA51Flags(const A51Options& options);

// The keys of one scope's "A51Tool" as stored.
struct A51Record {
  int flags = kA51ProjectFlags;  // "A51FL"
  std::string set;               // "A51SET": blank-separated symbols
  std::string reset;             // "A51RST": group and file scope only
  std::string misc;              // "A51MSC": copied as typed
  std::string include;           // "INCA5": ";"-separated paths
};

A51Record DefaultA51Record(OptionScope scope);

// The record of the "A51Tool" node `tool` (may be null); missing keys keep
// the scope's defaults.
A51Record ReadA51Record(const ProjectNode* tool, OptionScope scope);

// The five keys in one HostUpdateNode call on `tool`.
bool WriteA51Record(HostServices* host, ProjectNode* tool, const A51Record& record);

// Writes at the scope of `node`, creating the scope's configuration and
// "A51Tool" when missing; false, with nothing written, when the host could
// not create them.
bool StoreA51Record(HostServices* host, ProjectNode* node, ConfigurationRef* ref,
                    const A51Record& record);

}  // namespace c51

#endif  // C51_OPTIONS_A51_OPTIONS_H_
