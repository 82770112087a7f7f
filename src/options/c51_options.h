// The compiler's options: the packed "C51FL" word and the keys of the
// "C51Tool" node at each scope.
//
// "C51FL" fields (bit 0 least significant), each with an inherit value
// that group and file scopes use to defer to the enclosing scope:
//   bits 0-1 regFile, 2-3 keepOrder, 4-5 intPromote, 6-7 noAbsRegs,
//   8-9 intVector (0 off, 1 on, 2 inherit); 10-13 floatFuzzy (0-7, 8);
//   14-17 optimizeLevel (0-9, 10); 18-19 warningLevel (0-2, 3);
//   20-21 unused (0); 22-25 emphasis (0 size, 1 speed, 2).
#ifndef C51_OPTIONS_C51_OPTIONS_H_
#define C51_OPTIONS_C51_OPTIONS_H_

#include <string>

#include "options/tool_scope.h"

namespace c51 {

class HostServices;
struct ConfigurationRef;
struct ProjectNode;

// 0x4A0D10: level 8, speed, warnings 2, fuzzy 3, vectors and promotion on.
constexpr int kC51ProjectFlags = 4853008;
// 0x8EA2AA: every field at its inherit value.
constexpr int kC51InheritFlags = 9347754;

constexpr int kC51InheritSwitch = 2;
constexpr int kC51InheritFuzzy = 8;
constexpr int kC51InheritLevel = 10;
constexpr int kC51InheritWarning = 3;
constexpr int kC51InheritEmphasis = 2;

// The decoded "C51FL"; member defaults are the project's.
struct C51Options {
  int regFile = 0;     // global register coloring
  int keepOrder = 0;   // keep variables in order
  int intPromote = 1;  // ANSI integer promotion
  int noAbsRegs = 0;   // no absolute register access
  int intVector = 1;   // interrupt vectors at the "C51VA" address
  int floatFuzzy = 3;  // bits rounded for float compare
  int optimizeLevel = 8;
  int warningLevel = 2;
  int emphasis = 1;  // 0 favor size, 1 favor speed
};

// Every field at its inherit value.
C51Options InheritingC51Options();

// Fields reduced modulo their value counts (a level field holding 13
// reads 2). At the project scope regFile and intVector come from their
// low bit alone; at group and file scope both always read as inherit:
// they are project-wide.
C51Options DecodeC51Flags(int flags, OptionScope scope);

// The project's word as the build completes a file's options from it: the
// five switches from bits 0, 8, 4, 6 and 2, the levels from their fields.
// A level field holding its inherit value, which the project never stores
// on purpose, reads as the project default.
C51Options ReadProjectC51Flags(int flags);

// Each field of `working` still at its inherit value takes `outer`'s.
void InheritC51Options(const C51Options& outer, C51Options* working);

// Any field outside its range or still at inherit, which only an
// inconsistent project word leaves behind, takes the project default.
void SettleC51Options(C51Options* options);

// level·2^14 + emphasis·2^22 + warnings·2^18 + fuzzy·2^10 + regFile +
// noAbsRegs·2^6 + intVector·2^8 + keepOrder·2^2 + intPromote·2^4. A field
// outside its range (a list with nothing selected gives -1) is stored as
// its inherit value.
int EncodeC51Flags(const C51Options& options);

// The keys of one scope's "C51Tool" as stored.
struct C51Record {
  int flags = kC51ProjectFlags;  // "C51FL"
  int vector_address = 0;        // "C51VA"; read from the project only
  std::string define;            // "C51DEF": blank-separated symbols
  std::string undefine;          // "C51UDF": group and file scope only
  std::string misc;              // "C51MSC": copied as typed
  std::string include;           // "INCC5": ";"-separated paths
};

// What a scope holds before anything is stored: the project's defaults, or
// all-inherit at group and file scope.
C51Record DefaultC51Record(OptionScope scope);

// The record of the "C51Tool" node `tool` (may be null); missing keys keep
// the scope's defaults.
C51Record ReadC51Record(const ProjectNode* tool, OptionScope scope);

// The six keys in one HostUpdateNode call on `tool`.
bool WriteC51Record(HostServices* host, ProjectNode* tool, const C51Record& record);

// Writes the record at the scope of `node` (the project root, a "Filter" or
// a "File"), creating the scope's configuration and "C51Tool" when
// missing. False, with nothing written, when the host could not create
// them.
bool StoreC51Record(HostServices* host, ProjectNode* node, ConfigurationRef* ref,
                    const C51Record& record);

}  // namespace c51

#endif  // C51_OPTIONS_C51_OPTIONS_H_
