// Whether the dialog changed a group of keys: the entry writes a group
// only when what the pages stored differs from what was loaded.
#ifndef C51_SETTINGS_RECORD_COMPARE_H_
#define C51_SETTINGS_RECORD_COMPARE_H_

#include "options/a51_options.h"
#include "options/c51_options.h"
#include "options/linker_options.h"
#include "project/config_keys.h"
#include "settings/settings_records.h"

namespace c51::settings {

bool SameTarget(const TargetRecord& a, const TargetRecord& b);
// Output and listing folders, output name, executable and library switches.
bool SameOutput(const OutputRecord& a, const OutputRecord& b);
bool SameCompiler(const C51Record& a, const C51Record& b);
bool SameAssembler(const A51Record& a, const A51Record& b);
// "LX51FL" and the thirteen memory texts.
bool SameLinkerLocate(const LinkerOptions& a, const LinkerOptions& b);
// Overlay, misc and disabled warnings.
bool SameLinkerMisc(const LinkerOptions& a, const LinkerOptions& b);
// "IncBld", "GenAsm", "AsmAsm", "BankNum".
bool SameFileSwitches(const FileRecord& a, const FileRecord& b);

}  // namespace c51::settings

#endif  // C51_SETTINGS_RECORD_COMPARE_H_
