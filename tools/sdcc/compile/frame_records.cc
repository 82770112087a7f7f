#include "sdcc/compile/frame_records.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <set>
#include <vector>

namespace c51::sdcc {

namespace {

bool IsSymbolByte(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
         u == '$' || u == '.';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() &&
         (s.back() == ' ' || s.back() == '\t' || s.back() == '\r' || s.back() == '\n')) {
    s.remove_suffix(1);
  }
  return s;
}

// The part of a line before its comment; a ";" inside quotes is text.
std::string_view CodePart(std::string_view line) {
  char quote = 0;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote != 0) {
      if (c == '\\') {
        ++i;
      } else if (c == quote) {
        quote = 0;
      }
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == ';') {
      return line.substr(0, i);
    }
  }
  return line;
}

// The symbols of `text`, in order: runs of symbol bytes that do not start
// with a digit ("0x12", "00105$" are numbers and local labels).
std::vector<std::string_view> Symbols(std::string_view text) {
  std::vector<std::string_view> out;
  for (size_t i = 0; i < text.size();) {
    if (!IsSymbolByte(text[i])) {
      if (text[i] == '"' || text[i] == '\'') {  // skip quoted text
        const size_t close = text.find(text[i], i + 1);
        i = close == std::string_view::npos ? text.size() : close + 1;
        continue;
      }
      ++i;
      continue;
    }
    size_t end = i;
    while (end < text.size() && IsSymbolByte(text[end])) ++end;
    if (text[i] < '0' || text[i] > '9') out.push_back(text.substr(i, end - i));
    i = end;
  }
  return out;
}

// "\tlcall\t_f" => "lcall", "_f"; a label before the instruction is skipped.
void SplitInstruction(std::string_view code, std::string_view* mnemonic,
                      std::string_view* operands) {
  code = Trim(code);
  const size_t colon = code.find(':');
  if (colon != std::string_view::npos && code.find_first_of(" \t") > colon) {
    const size_t after = code.find_first_not_of(':', colon);
    code = after == std::string_view::npos ? std::string_view() : Trim(code.substr(after));
  }
  const size_t cut = code.find_first_of(" \t");
  *mnemonic = code.substr(0, cut);
  *operands = cut == std::string_view::npos ? std::string_view() : Trim(code.substr(cut));
}

bool StartsWith(std::string_view s, std::string_view p) {
  return s.size() >= p.size() && s.substr(0, p.size()) == p;
}

// "\t.ds 6" => 6.
bool DsSize(std::string_view code, uint32_t* size) {
  std::string_view mnemonic, operands;
  SplitInstruction(code, &mnemonic, &operands);
  if (mnemonic != ".ds" || operands.empty()) return false;
  uint32_t value = 0;
  for (char c : operands) {
    if (c < '0' || c > '9' || value > 0x10000) return false;
    value = value * 10 + static_cast<uint32_t>(c - '0');
  }
  *size = value;
  return true;
}

// "_name:" or "_name::" alone on the line => "_name".
std::string_view LabelOf(std::string_view code) {
  code = Trim(code);
  const size_t colon = code.find(':');
  if (colon == 0 || colon == std::string_view::npos) return {};
  const std::string_view rest = code.substr(colon);
  if (rest != ":" && rest != "::") return {};
  const std::string_view name = code.substr(0, colon);
  for (char c : name) {
    if (!IsSymbolByte(c)) return {};
  }
  return name;
}

// ";count                     Allocated with name '_f_count_65536_3'"
bool AllocatedName(std::string_view line, std::string* variable, std::string* symbol) {
  constexpr std::string_view kWith = "Allocated with name '";
  if (line.empty() || line[0] != ';') return false;
  const size_t with = line.find(kWith);
  if (with == std::string_view::npos) return false;
  const std::string_view var = Trim(line.substr(1, with - 1));
  const size_t begin = with + kWith.size();
  const size_t end = line.find('\'', begin);
  if (var.empty() || end == std::string_view::npos) return false;
  variable->assign(var);
  symbol->assign(line.substr(begin, end - begin));
  return true;
}

// ";Allocation info for local variables in function 'f'" => "f".
bool AllocationHeader(std::string_view line, std::string* function) {
  constexpr std::string_view kHead = ";Allocation info for local variables in function '";
  if (!StartsWith(line, kHead)) return false;
  const size_t end = line.find('\'', kHead.size());
  if (end == std::string_view::npos) return false;
  function->assign(line.substr(kHead.size(), end - kHead.size()));
  return true;
}

// ";\t function f" => "f".
bool FunctionComment(std::string_view line, std::string* function) {
  if (line.empty() || line[0] != ';') return false;
  std::string_view rest = Trim(line.substr(1));
  if (!StartsWith(rest, "function ")) return false;
  rest = Trim(rest.substr(9));
  if (rest.empty() || rest.find_first_of(" \t") != std::string_view::npos) return false;
  function->assign(rest);
  return true;
}

bool IsCall(std::string_view mnemonic) {
  return mnemonic == "lcall" || mnemonic == "acall" || mnemonic == "ljmp" || mnemonic == "ajmp" ||
         mnemonic == "sjmp";
}

struct DataItem {
  size_t label_line = 0;
  size_t ds_line = 0;
  uint32_t size = 0;
  bool overlay = false;  // in OSEG, else DSEG
};

// The most a record may say a variable or frame item takes (rel_object.h).
constexpr uint32_t kMostItemBytes = 0x100;

// The space of a record's LOCAL line for sdcc's area `area`; 0 for an area
// whose items are no such locals.
char LocalSpace(std::string_view area) {
  if (area == "XSEG") return 'X';
  if (area == "PSEG") return 'P';
  if (area == "BSEG") return 'B';
  return 0;
}

// "_sum_PARM_2" for function "sum": sdcc's name for a parameter passed in
// memory, which its allocation list leaves out when it is a bit.
bool IsParameterOf(std::string_view symbol, std::string_view function) {
  const size_t prefix = function.size() + 7;
  if (symbol.size() <= prefix || symbol[0] != '_' ||
      symbol.substr(1, function.size()) != function ||
      symbol.substr(function.size() + 1, 6) != "_PARM_") {
    return false;
  }
  return std::all_of(symbol.begin() + static_cast<std::ptrdiff_t>(prefix), symbol.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string ModuleTag(std::string_view source) {
  uint32_t hash = 2166136261u;
  for (char c : source) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 16777619u;
  }
  static const char kHex[] = "0123456789abcdef";
  std::string out(8, '0');
  for (int i = 7; i >= 0; --i, hash >>= 4) out[static_cast<size_t>(i)] = kHex[hash & 15];
  return out;
}

void ExternalizeFrames(std::string_view assembly, const FunctionLocals& locals,
                       std::string_view tag, std::string* out, RelModule* module) {
  std::vector<std::string_view> lines;
  for (size_t pos = 0; pos < assembly.size();) {
    size_t end = assembly.find('\n', pos);
    end = end == std::string_view::npos ? assembly.size() : end + 1;
    lines.push_back(assembly.substr(pos, end - pos));
    pos = end;
  }

  std::set<std::string, std::less<>> globals;
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> allocated;
  std::map<std::string, DataItem, std::less<>> data;  // in DSEG and OSEG
  // In XSEG, PSEG and BSEG, with their LocalSpace.
  std::map<std::string, std::pair<DataItem, char>, std::less<>> outside;
  std::vector<std::string> order;  // functions as their code comes
  std::map<std::string, RelFunction> functions;
  std::set<std::string> taken;
  std::set<std::string, std::less<>> code_labels, other_labels;
  std::string area, allocating, current;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string_view line = Trim(lines[i]);
    std::string name, variable, symbol;
    if (AllocationHeader(line, &name)) {
      allocating = name;
      continue;
    }
    if (!allocating.empty() && AllocatedName(line, &variable, &symbol)) {
      allocated[allocating].emplace_back(variable, symbol);
      continue;
    }
    if (FunctionComment(line, &name)) {
      current = name;
      if (functions.emplace(name, RelFunction{"_" + name, true, {}, {}, false}).second) {
        order.push_back(name);
      }
      continue;
    }
    const std::string_view code = CodePart(line);
    if (Trim(code).empty()) continue;
    allocating.clear();
    std::string_view mnemonic, operands;
    SplitInstruction(code, &mnemonic, &operands);
    if (mnemonic == ".area") {
      const std::vector<std::string_view> words = Symbols(operands);
      area = words.empty() ? std::string() : std::string(words[0]);
      continue;
    }
    if (mnemonic == ".globl") {
      for (std::string_view s : Symbols(operands)) globals.emplace(s);
      continue;
    }
    const std::string_view label = LabelOf(code);
    if (!label.empty()) {
      (area == "CSEG" ? code_labels : other_labels).emplace(label);
      // "_count::" is public, .globl or not.
      if (Trim(code).ends_with("::")) globals.emplace(label);
      uint32_t size = 0;
      // A data item: its label, then ".ds n" on the next line.
      if ((area == "DSEG" || area == "OSEG") && i + 1 < lines.size() &&
          DsSize(CodePart(lines[i + 1]), &size)) {
        data[std::string(label)] = DataItem{i, i + 1, size, area == "OSEG"};
      } else if (LocalSpace(area) != 0 && i + 1 < lines.size() &&
                 DsSize(CodePart(lines[i + 1]), &size) && size > 0) {
        outside[std::string(label)] = {DataItem{i, i + 1, size, false}, LocalSpace(area)};
      }
      continue;
    }
    if (IsCall(mnemonic)) {
      // A call of a label of its own is sdcc's call through a pointer
      // (the label pushes the address and returns to it).
      const std::vector<std::string_view> target = Symbols(operands);
      if (current.empty() || target.size() > 1 || (!target.empty() && target[0][0] != '_')) {
        continue;
      }
      RelFunction& f = functions[current];
      if (target.empty()) {
        if (mnemonic == "lcall" || mnemonic == "acall") f.indirect_calls = true;
      } else if (target[0] == "__sdcc_call_dptr") {
        f.indirect_calls = true;
      } else if (std::find(f.calls.begin(), f.calls.end(), target[0]) == f.calls.end()) {
        f.calls.emplace_back(target[0]);
      }
      continue;
    }
    // An address used as a value: "#_f", "#(_f >> 8)", ".byte _f, (_f >> 8)".
    const bool data_words = mnemonic == ".byte" || mnemonic == ".db" || mnemonic == ".dw" ||
                            mnemonic == ".word" || mnemonic == ".3byte";
    for (size_t hash = data_words ? 0 : operands.find('#'); hash != std::string_view::npos;
         hash = operands.find('#', hash + 1)) {
      std::string_view value = operands.substr(hash);
      if (!data_words) value = value.substr(0, value.find(','));
      for (std::string_view s : Symbols(value)) {
        if (s[0] == '_') taken.emplace(s);
      }
      if (data_words) break;
    }
  }

  // Each function's automatic locals that sdcc laid into DSEG or OSEG.
  std::map<std::string, std::string, std::less<>> renamed;
  std::vector<bool> dropped(lines.size(), false);
  std::map<size_t, std::string> globl_at;
  // Takes the item `symbol` out of the source; the name the code uses for
  // it now, tagged unless other modules know it.
  auto take_out = [&](const std::string& symbol, const DataItem& item) {
    const std::string new_name =
        globals.count(symbol) != 0 ? symbol : symbol + "$" + std::string(tag);
    renamed[symbol] = new_name;
    const size_t at = item.label_line;
    dropped[at] = dropped[item.ds_line] = true;
    // sdcc's debug label for the item ("Lmain.f$buf$1_0$12==.") goes too.
    if (at > 0 && Trim(CodePart(lines[at - 1])).size() > 3 &&
        Trim(lines[at - 1]).substr(Trim(lines[at - 1]).size() - 3) == "==.") {
      dropped[at - 1] = true;
    }
    globl_at[at] = new_name;
    return new_name;
  };
  for (const std::string& name : order) {
    RelFunction& f = functions[name];
    f.global = globals.count(f.symbol) != 0;
    const auto list = allocated.find(name);
    if (list == allocated.end()) continue;
    for (const auto& [variable, symbol] : list->second) {
      const auto item = data.find(symbol);
      if (item == data.end() || renamed.count(symbol) != 0 || !locals.IsAutomatic(name, variable)) {
        continue;
      }
      f.frame.push_back(RelFrameItem{take_out(symbol, item->second), item->second.size});
    }
  }
  // Automatic locals and memory-passed parameters outside DATA stay where
  // sdcc put them, public under a tagged name: the linker saves them around
  // an interrupt routine that shares the function with other code.
  std::map<size_t, std::string> globl_before;
  for (const std::string& name : order) {
    RelFunction& f = functions[name];
    std::vector<std::pair<size_t, const std::string*>> own;
    const auto list = allocated.find(name);
    for (const auto& [symbol, entry] : outside) {
      bool automatic = IsParameterOf(symbol, name);
      if (!automatic && list != allocated.end()) {
        for (const auto& [variable, allocated_symbol] : list->second) {
          if (allocated_symbol == symbol && locals.IsAutomatic(name, variable)) automatic = true;
        }
      }
      if (automatic && renamed.count(symbol) == 0)
        own.emplace_back(entry.first.label_line, &symbol);
    }
    std::sort(own.begin(), own.end());
    for (const auto& [line, symbol] : own) {
      const auto& [item, space] = outside.find(*symbol)->second;
      std::string new_name = *symbol;
      if (globals.count(*symbol) == 0) {
        new_name += "$" + std::string(tag);
        globl_before[line] = new_name;
      }
      renamed[*symbol] = new_name;
      // Larger than a record says is larger than any stack keeps anyway.
      f.locals.push_back(RelLocalItem{space, new_name, std::min(item.size, kMostItemBytes)});
    }
  }
  // The rest of DSEG (globals, statics, the locals of functions the C text
  // did not show) is the linker's to lay, each item with bytes of its own,
  // in the module's order. OSEG keeps what is left in it: its items share.
  std::vector<std::pair<size_t, const std::string*>> variables;
  for (const auto& [symbol, item] : data) {
    if (!item.overlay && renamed.count(symbol) == 0 && item.size > 0 &&
        item.size <= kMostItemBytes) {
      variables.emplace_back(item.label_line, &symbol);
    }
  }
  std::sort(variables.begin(), variables.end());
  module->data.clear();
  for (const auto& [line, symbol] : variables) {
    const DataItem& item = data.find(*symbol)->second;
    module->data.push_back(
        RelDataItem{take_out(*symbol, item), item.size, globals.count(*symbol) != 0});
  }
  // What the module defines outside its code (variables, strings) is no
  // function; an address of something defined elsewhere may be one.
  for (auto it = taken.begin(); it != taken.end();) {
    it = other_labels.count(*it) != 0 || data.count(*it) != 0 ? taken.erase(it) : std::next(it);
  }

  module->call_graph = true;
  module->functions.clear();
  for (const std::string& name : order) module->functions.push_back(std::move(functions[name]));
  module->taken.assign(taken.begin(), taken.end());

  out->clear();
  out->reserve(assembly.size() + 64 * globl_at.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    if (dropped[i]) {
      const auto g = globl_at.find(i);
      if (g != globl_at.end()) out->append("\t.globl " + g->second + "\n");
      continue;
    }
    const auto before = globl_before.find(i);
    if (before != globl_before.end()) out->append("\t.globl " + before->second + "\n");
    const std::string_view line = lines[i];
    const std::string_view code = CodePart(line);
    size_t copied = 0;
    for (std::string_view s : Symbols(code)) {
      const auto r = renamed.find(s);
      if (r == renamed.end() || r->second == r->first) continue;
      const size_t at = static_cast<size_t>(s.data() - line.data());
      out->append(line.substr(copied, at - copied));
      out->append(r->second);
      copied = at + s.size();
    }
    out->append(line.substr(copied));
  }
}

}  // namespace c51::sdcc
