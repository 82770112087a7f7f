// Makes sdcc's preprocessor and sdas8051 open the files the Windows tools
// would open. Those programs look names up exactly as written and in their
// own order; our users' sources spell names in any letter case, with "\",
// with blanks inside "< >", and count on the current folder being searched.
//
// So every include is resolved here first (sim/include_search.h, the same
// rules as the simulated tools; conditionals are not evaluated, so every
// include line counts; a "< >" name found in no include folder is then
// looked for where a quoted one is, as the Windows compiler does, unless
// sdcc's library has it; a name with a folder no folder holds, such as
// "STC/STC8H.H", by its own name in the include folders), and the programs
// get a stand-in for each file reached: in a folder of its own under the
// temporary build folder,
//   <temp>/i0/main.c     the source, every include line naming a stand-in
//   <temp>/i1/REG52.H    a link to the header, when it includes nothing
//   <temp>/i2/cfg.h      a copy whose include lines name stand-ins
// Include lines are rewritten in place ('#include "<temp>/i1/REG52.H"',
// '.include "..."'), so every line keeps its number; a name nobody can
// find is left as written, for the program to report. Conditionals on the
// names sdcc defines for itself (SDCC, __SDCC_mcs51) read them as undefined,
// as the Windows compiler has them. Stand-ins carry the
// file's own name (so sdcc's debug records name it) unless that name is
// not plain ASCII; the programs' line markers and messages then name
// stand-ins, which NameOf maps back to the files as found.
#ifndef C51_TOOLS_SDCC_COMPILE_INCLUDE_MIRROR_H_
#define C51_TOOLS_SDCC_COMPILE_INCLUDE_MIRROR_H_

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "sim/include_search.h"

namespace c51::sdcc {

struct MirrorSettings {
  // kC: "#include"; kAssembly: sdas8051's ".include", and "$INCLUDE (...)"
  // and "#include" as the assembler of the Windows toolchain writes them.
  sim::Dialect dialect = sim::Dialect::kC;
  std::vector<std::string> include_dirs;  // as written: INCDIR, then C51INC
  std::string cwd;                        // the current folder
  // sdcc's own header folders (ending in a separator). A C include found
  // nowhere else whose name one of them holds in another letter case
  // ("<STDIO.H>") is written with that spelling, for sdcc's preprocessor
  // to find there as it finds its headers. Its library's headers come
  // before a project's "< >" header of the same name, its register
  // headers (the "mcs51" folder) after it.
  std::vector<std::string> system_dirs = {};
};

// The first include line whose file is nowhere: the assembler's fatal block.
struct MissingInclude {
  std::string name;       // as written
  std::string includer;   // as found
  int line = 0;           // 1-based
  std::string line_text;  // trimmed
};

class IncludeMirror {
 public:
  // Reads everything `source` (as given, its text `source_text`) includes
  // and writes the stand-ins under `folder` (a text of ours ending in a
  // separator). False with `err` when a stand-in cannot be written.
  bool Build(const std::string& source, const std::string& source_text,
             const MirrorSettings& settings, const std::string& folder, std::string* err);

  // The source's stand-in, for the programs' command line (system text).
  const std::string& source_stand_in() const { return files_[0].stand_in; }

  // The file as found behind a name a program printed: the source as
  // given, a header as its includer's folder or an include folder joined
  // with its name (".\inc\cfg.h"); anything else converted to our text.
  std::string NameOf(std::string_view printed) const;

  // Every header reached, first inclusion first, as found.
  std::vector<std::string> Headers() const;
  const MissingInclude& missing() const { return missing_; }  // name empty: none

  // Includes of one part's register header found nowhere, for which the
  // family's header stood in (family_headers.h): `name` as written, the
  // includer and line, and in `line_text` the header that stood in.
  const std::vector<MissingInclude>& family_stand_ins() const { return family_stand_ins_; }

  // Replaces each stand-in's path in `text` by the full path of its file.
  void RestoreNames(std::string* text) const;

 private:
  struct File {
    std::string found;     // as found (ours)
    std::string stand_in;  // what the programs are given (system text)
  };
  std::vector<File> files_;                              // [0] the source
  std::unordered_map<std::string, size_t> by_stand_in_;  // stand_in => index
  MissingInclude missing_;
  std::vector<MissingInclude> family_stand_ins_;
};

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_INCLUDE_MIRROR_H_
