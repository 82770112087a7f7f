#include "sdcc/link/assembly_names.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "platform/ascii_case.h"

namespace c51::sdcc {

namespace {

bool Assembled(const LinkModule& m) {
  return m.symbols.options.empty();
}

// The program's own modules: not the run-time library the linker builds.
bool Own(const LinkModule& m) {
  return !m.runtime;
}

bool Contains(const std::vector<std::string>& list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

// True when a function of a C module calls `symbol`; true as well when the
// module has no call graph to tell (the symbol may be a function).
bool CalledFromC(const std::vector<LinkModule>& modules, std::string_view symbol) {
  for (const LinkModule& m : modules) {
    if (Assembled(m) || !Contains(m.symbols.references, symbol)) continue;
    if (!m.module.call_graph) return true;
    for (const RelFunction& f : m.module.functions) {
      if (Contains(f.calls, symbol)) return true;
    }
  }
  return false;
}

// The module's public variables that the linker lays: they are no longer
// among the relocatable's definitions.
std::vector<std::string> LaidVariables(const LinkModule& m) {
  std::vector<std::string> names;
  if (!m.module.call_graph) return names;
  for (const RelDataItem& item : m.module.data) {
    if (item.global) names.push_back(item.symbol);
  }
  return names;
}

// What module `m` defines publicly, wherever it is laid.
std::vector<std::string> Defined(const LinkModule& m) {
  std::vector<std::string> names = m.symbols.publics;
  const std::vector<std::string> laid = LaidVariables(m);
  names.insert(names.end(), laid.begin(), laid.end());
  return names;
}

void AddAlias(LinkModule* m, const std::string& symbol, const std::string& alias) {
  if (Contains(LaidVariables(*m), symbol)) {
    m->variable_aliases.emplace_back(alias, symbol);
    m->symbols.publics.push_back(alias);
    return;
  }
  if (!AddSymbolAlias(&m->module.rel, symbol, alias)) return;
  m->symbols.publics.push_back(alias);
  if (Contains(m->symbols.code_publics, symbol)) m->symbols.code_publics.push_back(alias);
}

// The module's references to `from` name `to` instead: in the relocatable,
// its symbol lists and its call graph.
void RenameReference(LinkModule* m, const std::string& from, const std::string& to) {
  const std::string key = "\nS " + from + " Ref";
  for (size_t at = m->module.rel.find(key); at != std::string::npos;
       at = m->module.rel.find(key, at + 1)) {
    m->module.rel.replace(at + 3, from.size(), to);
  }
  std::replace(m->symbols.references.begin(), m->symbols.references.end(), from, to);
  for (RelFunction& f : m->module.functions) {
    std::replace(f.calls.begin(), f.calls.end(), from, to);
  }
  std::replace(m->module.taken.begin(), m->module.taken.end(), from, to);
}

}  // namespace

bool AddSymbolAlias(std::string* rel, std::string_view symbol, std::string_view alias) {
  const std::string key = "\nS " + std::string(symbol) + " Def";
  const size_t at = rel->find(key);
  if (at == std::string::npos) return false;
  const size_t end = rel->find('\n', at + 1);
  const std::string value = rel->substr(at + key.size(), end - at - key.size());
  rel->insert(end == std::string::npos ? rel->size() : end,
              "\nS " + std::string(alias) + " Def" + value);
  // "H <areas> areas <symbols> global symbols", in the file's radix (hex).
  const size_t header = rel->find("\nH ");
  if (header == std::string::npos) return true;
  const size_t areas = rel->find(" areas ", header);
  const size_t global = rel->find(" global symbols", header);
  if (areas == std::string::npos || global == std::string::npos || global < areas) return true;
  const size_t first = areas + 7;
  unsigned long count = std::strtoul(rel->substr(first, global - first).c_str(), nullptr, 16);
  char text[16];
  std::snprintf(text, sizeof text, "%lX", count + 1);
  rel->replace(first, global - first, text);
  return true;
}

std::vector<ReverseCall> BridgeAssemblyNames(std::vector<LinkModule>* modules) {
  std::set<std::string> defined;
  for (const LinkModule& m : *modules) {
    for (const std::string& name : Defined(m)) defined.insert(name);
  }
  std::vector<ReverseCall> calls;
  // C's names the assembly defines.
  for (const LinkModule& c : *modules) {
    if (Assembled(c) || !Own(c)) continue;
    for (const std::string& ref : c.symbols.references) {
      if (ref.size() < 2 || ref[0] != '_' || defined.count(ref) != 0) continue;
      const std::string_view name = std::string_view(ref).substr(1);
      for (LinkModule& a : *modules) {
        if (!Assembled(a) || !Own(a)) continue;
        auto found =
            std::find_if(a.symbols.publics.begin(), a.symbols.publics.end(),
                         [&](const std::string& p) { return EqualsIgnoringCase(p, name); });
        if (found == a.symbols.publics.end()) continue;
        // A function C calls goes through the call shim, which moves values.
        if (Contains(a.symbols.code_publics, *found) && CalledFromC(*modules, ref)) break;
        const std::string symbol = *found;
        AddAlias(&a, symbol, ref);
        defined.insert(ref);
        break;
      }
    }
  }
  // The assembly's names C defines.
  for (const LinkModule& a : *modules) {
    if (!Assembled(a) || !Own(a)) continue;
    for (const std::string& ref : a.symbols.references) {
      if (defined.count(ref) != 0 || ref.empty()) continue;
      for (LinkModule& c : *modules) {
        if (Assembled(c) || !Own(c)) continue;
        const std::vector<std::string> publics = Defined(c);
        auto found = std::find_if(publics.begin(), publics.end(), [&](const std::string& p) {
          if (p.size() < 2 || p[0] != '_') return false;
          const std::string_view name = std::string_view(p).substr(1);
          return EqualsIgnoringCase(name, ref) ||
                 (ref[0] == '_' && EqualsIgnoringCase(name, std::string_view(ref).substr(1)));
        });
        if (found == publics.end()) continue;
        const std::string target = *found;
        // An interrupt routine named in assembly is a vector's jump target:
        // it takes nothing and must be entered with every register intact.
        const bool routine = std::any_of(c.module.interrupts.begin(), c.module.interrupts.end(),
                                         [&](const RelInterrupt& i) { return i.symbol == target; });
        if (Contains(c.symbols.code_publics, target) && !routine) {
          calls.push_back(ReverseCall{ref, target});
        } else {
          AddAlias(&c, target, ref);
        }
        defined.insert(ref);
        break;
      }
    }
  }
  // C's names another C module spells in another letter case: a call with
  // no prototype in scope ("key_scan()" for Key_Scan), a prototype spelled
  // unlike the definition, which the original linker, ignoring case,
  // resolves. Only a single candidate is taken. The referring module takes
  // the definition's spelling, so that its calls join the call graph and
  // its writes of the parameters sdcc passes in memory ("_Key_Scan_PARM_2",
  // which the linker may define among the frames) reach the function's.
  for (LinkModule& user : *modules) {
    if (Assembled(user) || !Own(user)) continue;
    std::vector<std::pair<std::string, std::string>> renames;
    for (const std::string& ref : user.symbols.references) {
      if (ref.size() < 2 || ref[0] != '_' || defined.count(ref) != 0) continue;
      std::string target;
      int candidates = 0;
      for (const LinkModule& c : *modules) {
        if (Assembled(c) || !Own(c)) continue;
        for (const std::string& p : Defined(c)) {
          if (p.size() < 2 || p[0] != '_' || !EqualsIgnoringCase(p, ref)) continue;
          ++candidates;
          target = p;
        }
      }
      if (candidates == 1) renames.emplace_back(ref, target);
    }
    for (const auto& [ref, target] : renames) {
      const std::string parameter = ref + "_PARM_";
      for (const std::string& r : std::vector<std::string>(user.symbols.references)) {
        if (r == ref) {
          RenameReference(&user, r, target);
        } else if (r.compare(0, parameter.size(), parameter) == 0) {
          RenameReference(&user, r, target + r.substr(ref.size()));
        }
      }
    }
  }
  return calls;
}

std::string ReverseCallSource(const ReverseCall& call) {
  return "\t.module c51rev\n\t.globl " + call.symbol + "\n\t.globl " + call.target +
         "\n\t.area CSEG (CODE)\n" + call.symbol +
         ":\n\tmov dpl,r7\n\tmov dph,r6\n\tmov b,r5\n\tmov a,r4\n\tlcall " + call.target +
         "\n\tmov r7,dpl\n\tmov r6,dph\n\tmov r5,b\n\tmov r4,a\n\tret\n";
}

}  // namespace c51::sdcc
