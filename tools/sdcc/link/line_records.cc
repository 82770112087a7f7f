#include "sdcc/link/line_records.h"

#include <algorithm>
#include <set>
#include <string>

namespace c51::sdcc {

namespace {

// C's and assembly's line records ("C$...", "A$...").
bool IsLineRecord(const std::string& name) {
  return name.size() > 2 && (name[0] == 'C' || name[0] == 'A') && name[1] == '$';
}

}  // namespace

void KeepLineRecordsApart(std::vector<LinkModule>* modules) {
  std::set<std::string> seen;
  for (size_t m = 0; m < modules->size(); ++m) {
    LinkModule& module = (*modules)[m];
    for (std::string& name : module.symbols.publics) {
      if (!IsLineRecord(name) || seen.insert(name).second) continue;
      const std::string unique = name + "$" + std::to_string(m);
      const std::string key = "\nS " + name + " Def";
      const size_t at = module.module.rel.find(key);
      if (at == std::string::npos) continue;
      module.module.rel.replace(at + 3, name.size(), unique);
      std::replace(module.symbols.code_publics.begin(), module.symbols.code_publics.end(), name,
                   unique);
      name = unique;
    }
  }
}

}  // namespace c51::sdcc
