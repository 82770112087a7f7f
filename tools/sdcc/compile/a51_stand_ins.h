// Puts the translation between the include mirror and sdas8051: after the
// mirror has written its stand-ins (<temp>/i0/ the source, <temp>/i1/... the
// headers, see include_mirror.h), each one in classic syntax or a C register
// header is replaced by its sdas8051 translation. A stand-in that links to
// the user's file is unlinked first: the user's file is never written.
//
// Which files are translated: the source when it is not in sdas8051's
// syntax (DetectAsmSyntax); a C register header always (so "#include
// <reg52.h>" works in both syntaxes); a classic header when the source is
// classic. sdas8051 files stay exactly as they are.
#ifndef C51_TOOLS_SDCC_COMPILE_A51_STAND_INS_H_
#define C51_TOOLS_SDCC_COMPILE_A51_STAND_INS_H_

#include <string>
#include <vector>

#include "sdcc/compile/include_mirror.h"

namespace c51::sdcc {

struct StandInIssue {
  std::string file;  // the stand-in, as the programs print it: NameOf maps it back
  int line = 0;
  std::string text;
};

struct StandInTranslation {
  bool classic_source = false;
  std::string prelude;  // for the file assembled before the source
  std::vector<StandInIssue> issues;
};

// `folder` is the mirror's folder (system text, ending in "/"). False with
// `err` when a stand-in cannot be read or written.
bool TranslateStandIns(const std::string& folder, const std::vector<std::string>& set_symbols,
                       StandInTranslation* result, std::string* err);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_A51_STAND_INS_H_
