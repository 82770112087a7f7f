#include "sdcc/link/sdcc_linker.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/codepage.h"
#include "sdcc/compile/library_frames.h"
#include "sdcc/link/absolute_variables.h"
#include "sdcc/link/assembly_names.h"
#include "sdcc/link/code_overlap.h"
#include "sdcc/link/frame_overlay.h"
#include "sdcc/link/generated_module.h"
#include "sdcc/link/ihx_image.h"
#include "sdcc/link/library_names.h"
#include "sdcc/link/line_records.h"
#include "sdcc/link/link_controls.h"
#include "sdcc/link/link_map.h"
#include "sdcc/link/memory_summary.h"
#include "sdcc/link/rel_symbols.h"
#include "sdcc/link/runtime_library.h"
#include "sdcc/link/sdld_messages.h"
#include "sdcc/link/task_kernel.h"
#include "sdcc/link/vector_inputs.h"
#include "sdcc/link/vector_table.h"
#include "sdcc/rel_object.h"
#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"

namespace c51::sdcc {

namespace {

using c51::sim::kCommonArea;
using c51::sim::LinkCommand;
using c51::sim::LinkInput;
using c51::sim::LinkOutcome;

// Adds messages to the outcome, leaving out the warnings DISABLEWARNING names.
class Reporter {
 public:
  Reporter(LinkOutcome* outcome, std::vector<uint32_t> disabled)
      : outcome_(outcome), disabled_(std::move(disabled)) {}

  void Add(const LinkMessage& message) {
    uint32_t number;
    if (message.kind == LinkMessage::kWarning && MessageNumber(message.code, &number) &&
        std::find(disabled_.begin(), disabled_.end(), number) != disabled_.end()) {
      return;
    }
    const char* lead = message.kind == LinkMessage::kWarning ? "*** WARNING "
                       : message.kind == LinkMessage::kError ? "*** ERROR "
                                                             : "*** FATAL ERROR ";
    outcome_->lines.push_back(lead + message.code + ": " + message.text);
    for (const std::string& detail : message.details) outcome_->lines.push_back("    " + detail);
    if (message.kind == LinkMessage::kWarning) {
      ++outcome_->warnings;
    } else {
      ++outcome_->errors;
    }
    if (message.kind == LinkMessage::kFatal) outcome_->fatal = true;
  }
  void Add(LinkMessage::Kind kind, const std::string& code, const std::string& text,
           std::vector<std::string> details) {
    Add(LinkMessage{kind, code, text, std::move(details)});
  }

 private:
  LinkOutcome* outcome_;
  std::vector<uint32_t> disabled_;
};

std::string DefaultOutput(const LinkCommand& command) {
  const std::string& first = command.inputs.front().path;
  return std::string(WithoutExtension(first, sim::kToolBreaks));
}

// Reads every input; false after a fatal error. The original run-time
// libraries are left out when they are not ours to read.
bool LoadInputs(const LinkCommand& command, c51::sim::FileSource* files, Reporter* report,
                std::vector<LinkModule>* modules) {
  for (const LinkInput& input : command.inputs) {
    std::string bytes, err;
    const bool runtime = IsClassicRuntimeLibrary(input.path);
    if (files->Read(input.path, &bytes) != c51::sim::ReadResult::kOkay) {
      if (runtime) continue;
      report->Add(LinkMessage::kFatal, "L210",
                  "I/O ERROR ON INPUT FILE:", {"FILE:    " + input.path});
      return false;
    }
    std::vector<RelModule> read;
    if (!ParseRelModules(bytes, &read, &err)) {
      if (runtime) continue;
      report->Add(LinkMessage::kFatal, "L211", "INVALID OBJECT FILE",
                  {"FILE:    " + input.path, "REASON:  " + err});
      return false;
    }
    if (read.empty()) {
      if (runtime) continue;
      report->Add(LinkMessage::kFatal, "L211", "INVALID OBJECT FILE",
                  {"FILE:    " + input.path, "REASON:  NO MODULES"});
      return false;
    }
    if (input.bank != kCommonArea) {
      report->Add(LinkMessage::kError, "L130", "CODE BANKING NOT SUPPORTED BY THIS LINKER",
                  {"FILE:    " + input.path, "BANK:    " + std::to_string(input.bank)});
    }
    const bool library = bytes.compare(0, kRelLibraryHeader.size(), kRelLibraryHeader) == 0;
    for (RelModule& rel : read) {
      LinkModule module;
      module.input = &input;
      module.from_library = library;
      module.module = std::move(rel);
      if (!ScanRel(module.module.rel, &module.symbols, &err)) {
        report->Add(
            LinkMessage::kFatal, "L211", "INVALID OBJECT FILE",
            {"FILE:    " + input.path, "MODULE:  " + module.module.name, "REASON:  " + err});
        return false;
      }
      if (IsBankedModule(module.symbols)) {
        report->Add(LinkMessage::kError, "L130", "CODE BANKING NOT SUPPORTED BY THIS LINKER",
                    {"MODULE:  " + Shown(module), "REASON:  BANKED OBJECT"});
      }
      modules->push_back(std::move(module));
    }
  }
  return true;
}

// The model of the first compiled object decides; assembled modules fit any.
std::vector<std::string> LinkModel(const std::vector<LinkModule>& modules) {
  const LinkModule* chosen = nullptr;
  for (const LinkModule& m : modules) {
    if (!m.from_library && !m.symbols.options.empty()) {
      chosen = &m;
      break;
    }
  }
  if (chosen == nullptr && !modules.empty()) chosen = &modules.front();
  if (chosen == nullptr) return ModelArguments("", "");
  return ModelArguments(chosen->symbols.options, chosen->module.model);
}

// Writes the relocatables and one list file per library into `scratch`;
// returns the sdcc arguments naming them (objects first, then `*libraries`
// arguments). False with `err`.
bool WriteScratch(const TempFolder& scratch, const std::vector<const LinkInput*>& inputs,
                  std::vector<LinkModule>* modules, std::vector<std::string>* args,
                  size_t* library_args, std::string* err) {
  const std::string& folder = scratch.path();
  std::vector<std::string> libraries;
  for (size_t i = 0; i < inputs.size(); ++i) {
    const std::string library = "l" + std::to_string(i) + ".lib";
    std::string list;
    int index = 0;
    for (LinkModule& m : *modules) {
      if (m.input != inputs[i]) continue;
      const std::string tag = std::to_string(i) + "m" + std::to_string(index++) + ".rel";
      m.file = (m.from_library ? "l" : "o") + tag;
      if (!c51::sim::WriteFile(folder + m.file, m.module.rel, err)) return false;
      if (m.from_library) {
        list += m.file + "\n";
        continue;
      }
      // The sdcc driver has sdld update each object's listing; without one
      // beside the object sdld fails, so an empty listing stands in.
      const std::string listing = folder + m.file.substr(0, m.file.size() - 4) + ".lst";
      if (!c51::sim::WriteFile(listing, "", err)) return false;
      args->push_back(scratch.native() + m.file);
    }
    if (!list.empty()) {
      if (!c51::sim::WriteFile(folder + library, list, err)) return false;
      libraries.push_back(scratch.native() + library);
    }
  }
  *library_args = libraries.size();
  args->insert(args->end(), libraries.begin(), libraries.end());
  return true;
}

// Library modules sdld will take: those defining a symbol that a module
// already taken references, until nothing more comes in. A guess that
// spares a second link in the usual case; sdld's map has the last word.
std::vector<bool> PredictLinked(const std::vector<LinkModule>& modules) {
  std::vector<bool> linked(modules.size(), false);
  std::set<std::string> wanted, defined;
  auto take = [&](size_t i) {
    linked[i] = true;
    const RelSymbols& s = modules[i].symbols;
    wanted.insert(s.references.begin(), s.references.end());
    defined.insert(s.publics.begin(), s.publics.end());
  };
  for (size_t i = 0; i < modules.size(); ++i) {
    if (!modules[i].from_library) take(i);
  }
  for (bool more = true; more;) {
    more = false;
    for (size_t i = 0; i < modules.size(); ++i) {
      const auto& publics = modules[i].symbols.publics;
      if (linked[i] || std::none_of(publics.begin(), publics.end(), [&](const std::string& p) {
            return wanted.count(p) != 0 && defined.count(p) == 0;
          })) {
        continue;
      }
      take(i);
      more = true;
    }
  }
  return linked;
}

// sdcc's formatted output and the like, built so that their locals are
// frames too (library_frames.h), as library modules of `input` ahead of
// sdcc's own: only when the program's modules hand their frames over.
// True when printf's engine came in, whose locals `on_stack` places.
bool AddFramedLibrary(const std::string& sdcc, const std::vector<std::string>& model,
                      const LinkInput* input, bool on_stack, std::vector<LinkModule>* modules) {
  bool graphs = false, floats = false;
  std::set<std::string> named;
  for (const LinkModule& m : *modules) {
    graphs = graphs || m.module.call_graph;
    floats = floats || m.module.float_formats;
    named.insert(m.symbols.references.begin(), m.symbols.references.end());
  }
  if (!graphs) return false;
  bool engine = false;
  for (RelModule& rel : FramedLibraryModules(sdcc, model, floats, named, on_stack)) {
    engine = engine || rel.name == "PRINTF_LARGE";
    LinkModule module;
    module.input = input;
    module.from_library = true;
    module.runtime = true;
    module.module = std::move(rel);
    std::string err;
    if (ScanRel(module.module.rel, &module.symbols, &err)) modules->push_back(std::move(module));
  }
  return engine;
}

// Functions that modules without a call graph call, which the plan cannot
// see: the jumps the linker writes (sin to sinf) and sdcc's own modules
// (assert calling printf).
std::vector<std::string> CalledFromLinkerModules(const std::vector<LinkModule>& modules) {
  std::set<std::string> named;
  for (const LinkModule& m : modules) {
    named.insert(m.symbols.references.begin(), m.symbols.references.end());
  }
  std::vector<std::string> out = CalledBySdccLibrary(named);
  for (const std::string& symbol : named) {
    const std::string target = FloatAlias(symbol);
    if (!target.empty()) out.push_back(target);
  }
  return out;
}

const LinkModule* FindByRelName(const std::vector<LinkModule>& modules, const std::string& name) {
  for (const LinkModule& m : modules) {
    if (m.symbols.module == name) return &m;
  }
  return nullptr;
}

// sdcc's debug records of a name ("G$SDA$0_0$0", a function's end
// "XG$helper$0$0"): defined twice when the name is.
bool IsDebugSymbol(std::string_view symbol) {
  if (symbol.size() > 3 && symbol[0] == 'X') symbol.remove_prefix(1);
  return symbol.size() > 2 && symbol[1] == '$' &&
         (symbol[0] == 'G' || symbol[0] == 'L' || symbol[0] == 'F' || symbol[0] == 'C');
}

// Whether the program's own module `m` defines `symbol` publicly: in its
// relocatable, or as a variable the linker lays for it.
bool DefinesPublic(const LinkModule& m, const std::string& symbol) {
  if (m.from_library) return false;
  const auto& publics = m.symbols.publics;
  if (std::find(publics.begin(), publics.end(), symbol) != publics.end()) return true;
  return std::any_of(m.module.data.begin(), m.module.data.end(),
                     [&](const RelDataItem& item) { return item.global && item.symbol == symbol; });
}

void ReportDefinedTwice(const std::string& symbol, const std::vector<LinkModule>& modules,
                        Reporter* report) {
  std::vector<std::string> details = {"SYMBOL:  " + DisplaySymbol(symbol)};
  for (const LinkModule& m : modules) {
    if (DefinesPublic(m, symbol)) details.push_back("MODULE:  " + Shown(m));
  }
  report->Add(LinkMessage::kError, "L104", "MULTIPLE PUBLIC DEFINITIONS", details);
}

// sdcc passes a function's second and later parameters in memory named
// after it ("_show_PARM_2"): where the function itself is unresolved in the
// same module, the user has one missing function, not one per parameter.
bool ParameterOfUnresolved(const SdldMessage& message, const std::vector<SdldMessage>& messages) {
  const size_t parm = message.symbol.rfind("_PARM_");
  if (parm == std::string::npos || parm == 0 ||
      message.symbol.find_first_not_of("0123456789", parm + 6) != std::string::npos) {
    return false;
  }
  const std::string function = message.symbol.substr(0, parm);
  return std::any_of(messages.begin(), messages.end(), [&](const SdldMessage& other) {
    return other.kind == SdldMessage::kUnresolved && other.module == message.module &&
           other.symbol == function;
  });
}

void ReportSdld(const std::vector<SdldMessage>& messages, const std::vector<LinkModule>& modules,
                Reporter* report) {
  // A name defined twice is one error, not one more per debug record of it.
  const bool plain_twice = std::any_of(messages.begin(), messages.end(), [](const SdldMessage& m) {
    return m.kind == SdldMessage::kMultiple && !IsDebugSymbol(m.symbol);
  });
  for (const SdldMessage& message : messages) {
    switch (message.kind) {
      case SdldMessage::kUnresolved: {
        if (ParameterOfUnresolved(message, messages)) break;
        std::vector<std::string> details = {"SYMBOL:  " + DisplaySymbol(message.symbol)};
        const LinkModule* user =
            message.module.empty() ? nullptr : FindByRelName(modules, message.module);
        // sdcc's start-up module has no name.
        details.push_back("MODULE:  " + (user != nullptr          ? Shown(*user)
                                         : message.module.empty() ? "SDCC'S START-UP CODE"
                                                                  : message.module));
        const std::string reason = MissingLibraryReason(message.symbol);
        if (!reason.empty()) details.push_back("REASON:  " + reason);
        report->Add(LinkMessage::kWarning, "L1", "UNRESOLVED EXTERNAL SYMBOL", details);
        break;
      }
      case SdldMessage::kMultiple:
        if (plain_twice && IsDebugSymbol(message.symbol)) break;
        ReportDefinedTwice(message.symbol, modules, report);
        break;
      case SdldMessage::kOverflow:
        report->Add(LinkMessage::kError, "L107", "ADDRESS SPACE OVERFLOW",
                    {"SPACE:   " + message.space, "REASON:  " + message.text});
        break;
      case SdldMessage::kOtherError:
        report->Add(LinkMessage::kError, "L221", "SDCC LINK ERROR", {"REASON:  " + message.text});
        break;
      case SdldMessage::kOtherWarning:
        report->Add(LinkMessage::kWarning, "L222", "SDCC LINK WARNING",
                    {"REASON:  " + message.text});
        break;
    }
  }
}

std::vector<const RelSymbols*> AllSymbols(const std::vector<LinkModule>& modules) {
  std::vector<const RelSymbols*> symbols;
  for (const LinkModule& m : modules) symbols.push_back(&m.symbols);
  return symbols;
}

// Whether sdld found no room in internal RAM.
bool ShortOfData(const std::string& output) {
  for (const SdldMessage& m : ParseSdldOutput(output)) {
    if (m.kind == SdldMessage::kOverflow && m.space == "DATA") return true;
  }
  return false;
}

std::string LastLine(const std::string& text) {
  std::string_view view = c51::sim::Trim(text);
  const size_t cut = view.find_last_of('\n');
  return std::string(cut == std::string_view::npos ? view : view.substr(cut + 1));
}

// Bytes of stack printf needs, measured in the simulator: its engine with
// its locals as frames about 23 (28 formatting a float), on the stack about
// 55 (85); an interrupt routine that calls functions pushes about 20 on
// top of it, and the calls down to printf a few more.
constexpr int kPrintfStackFramed = 28;
constexpr int kPrintfStackOnStack = 56;
constexpr int kPrintfFloatFramed = 5;
constexpr int kPrintfFloatOnStack = 30;
constexpr int kInterruptStack = 20;
constexpr int kCallsToPrintf = 8;

struct LinkResult {
  bool engine = false;      // printf's engine was built for the link
  bool floats = false;      // it formats floats
  bool interrupts = false;  // the program has interrupt routines
  int stack_left = -1;      // bytes; -1 when the memory summary did not say
};

int PrintfStackNeed(const LinkResult& result, bool on_stack) {
  int need = on_stack ? kPrintfStackOnStack : kPrintfStackFramed;
  if (result.floats) need += on_stack ? kPrintfFloatOnStack : kPrintfFloatFramed;
  if (result.interrupts) need += kInterruptStack;
  return need + kCallsToPrintf;
}

// The stack overflowing into the variables is silent on the part: said
// when a program that formats output leaves less than printf needs.
void WarnOfShortStack(const LinkResult& result, bool on_stack, const LinkControls& controls,
                      LinkOutcome* outcome) {
  const int need = PrintfStackNeed(result, on_stack);
  if (outcome->errors != 0 || !result.engine || result.stack_left < 0 ||
      result.stack_left >= need) {
    return;
  }
  Reporter(outcome, controls.disabled_warnings)
      .Add(LinkMessage::kWarning, "L227", "STACK SPACE MAY OVERFLOW",
           {"REASON:  " + std::to_string(result.stack_left) +
            " BYTES OF STACK LEFT; PRINTF NEEDS ABOUT " + std::to_string(need) +
            (on_stack ? " (ITS LOCALS ARE ON THE STACK: DATA IS TOO SHORT FOR THEM)" : "")});
}

// The address of `symbol` in sdld's map; false when it is not there.
bool MapAddress(const std::string& sdld_map, const std::vector<LinkModule>& modules,
                const std::string& symbol, uint32_t* address) {
  std::vector<std::string> names = {"c51keep"};
  for (const LinkModule& m : modules) names.push_back(m.symbols.module);
  for (const MapSymbol& s : ReadMapSymbols(sdld_map, names)) {
    if (s.name == symbol) {
      *address = s.value;
      return true;
    }
  }
  return false;
}

// Points the vectors of the routines `kept` names at their keepers
// (frame_overlay.h): a vector is a jump to the routine, whichever module
// wrote it (sdcc writes those of routines beside main(), in its own area).
// The routines whose vector was not such a jump come back.
std::vector<std::string> KeepOperands(const KeptOperands& kept,
                                      const std::vector<InterruptRoutine>& routines,
                                      const std::vector<LinkModule>& modules,
                                      const std::string& sdld_map, uint32_t code_base,
                                      std::vector<c51::sim::HexChunk>* runs) {
  std::vector<std::string> unkept;
  for (const std::string& routine : kept.routines) {
    uint32_t body = 0, keeper = 0;
    auto r = std::find_if(routines.begin(), routines.end(),
                          [&](const InterruptRoutine& i) { return i.symbol == routine; });
    bool done = r != routines.end() && MapAddress(sdld_map, modules, routine, &body) &&
                MapAddress(sdld_map, modules, KeeperSymbol(routine), &keeper);
    const uint32_t vector = done ? code_base + 8 * r->number + 3 : 0;
    bool patched = false;
    for (c51::sim::HexChunk& chunk : *runs) {
      if (!done || vector < chunk.address || vector + 3 > chunk.address + chunk.bytes.size())
        continue;
      uint8_t* jump = chunk.bytes.data() + (vector - chunk.address);
      if (jump[0] == 0x02 && jump[1] == (body >> 8) && jump[2] == (body & 0xFF)) {
        jump[1] = static_cast<uint8_t>(keeper >> 8);
        jump[2] = static_cast<uint8_t>(keeper & 0xFF);
        patched = true;
      }
    }
    if (!patched) unkept.push_back(routine);
  }
  return unkept;
}

// Generated modules assembled in `scratch`, each again only when its
// source changed: a link may take several passes over the same ones.
class GeneratedModules {
 public:
  explicit GeneratedModules(const TempFolder& scratch) : scratch_(scratch) {}

  bool AssembleOnce(const std::string& title, const std::string& source, std::string* err) {
    const auto done = sources_.find(title);
    if (done != sources_.end() && done->second == source) return true;
    if (!AssembleGenerated(scratch_, title, source, err)) return false;
    sources_[title] = source;
    return true;
  }

 private:
  const TempFolder& scratch_;
  std::map<std::string, std::string> sources_;
};

// Frames and locals an interrupt routine shares are pushed around it, at
// most this many bytes: beyond, the stack of a 128-byte part would not
// hold them.
constexpr uint32_t kMaxKeptFrameBytes = 24;

// L15 for each function whose frame an interrupt routine shares unkept.
void ReportSharedFrames(const SharedFrames& f, const std::string& reason, Reporter* report) {
  for (size_t i = 0; i < f.functions.size(); ++i) {
    // Where the bytes lie, unless only in DATA, the frames' home.
    const std::string& spaces = f.spaces[i];
    const std::string where = spaces == "DATA" ? std::string() : " (" + spaces + ")";
    report->Add(
        LinkMessage::kWarning, "L15", "MULTIPLE CALL TO SEGMENT",
        {"SEGMENT: " + DisplaySymbol(f.functions[i]) + where,
         "CALLER1: " + DisplaySymbol(f.routine), "CALLER2: " + DisplaySymbol(f.others[i]), reason});
  }
}

// The end of internal RAM the program is linked for: what "--iram-size"
// says, else 256 bytes.
uint32_t InternalRamTop(const std::vector<std::string>& sdcc_args) {
  for (size_t i = 0; i + 1 < sdcc_args.size(); ++i) {
    if (sdcc_args[i] == "--iram-size") return static_cast<uint32_t>(std::stoul(sdcc_args[i + 1]));
  }
  return 0x100;
}

// A program with tasks gets the kernel, assembled in `scratch`, as a module
// of `input`: it stands in for main() and owns timer 0's interrupt. False
// with `err` when it does not assemble.
bool AddTaskKernel(const TempFolder& scratch, const std::vector<std::string>& sdcc_args,
                   const LinkInput* input, std::vector<LinkModule>* modules, std::string* err) {
  const std::vector<uint32_t> tasks = ProgramTasks(*modules);
  if (tasks.empty()) return true;
  if (!AssembleGenerated(scratch, "kernel", KernelSource(tasks, InternalRamTop(sdcc_args)), err))
    return false;
  LinkModule module;
  module.input = input;
  module.module.name = "KERNEL";
  module.module.tool = "A51";
  module.module.interrupts.push_back(RelInterrupt{kKernelTickInterrupt, kKernelTick});
  if (c51::sim::ReadFile(scratch.path() + "kernel.rel", &module.module.rel) !=
          c51::sim::ReadResult::kOkay ||
      !ScanRel(module.module.rel, &module.symbols, err)) {
    if (err->empty()) *err = "CAN'T READ THE KERNEL MODULE";
    return false;
  }
  modules->push_back(std::move(module));
  return true;
}

// A classic start-up file (its reset jump to ?C_START, which is sdcc's
// start-up here) beside assembly of the user's own at the reset address
// ("ORG 0" with "LJMP MAIN"): the original linker warns of the overlap and
// the user's code takes the address. Here the start-up module is left out,
// as nothing could reach it, and the overlap is a warning.
void LeaveOutDisplacedStartup(uint32_t code_base, std::vector<LinkModule>* modules,
                              Reporter* report) {
  const std::vector<bool> all(modules->size(), true);
  const std::vector<CodeRange> absolute = GatherVectorInputs(*modules, all).absolute;
  auto reset_range = [&](const LinkModule& m) -> const CodeRange* {
    for (const CodeRange& r : absolute) {
      if (r.owner == Shown(m) && r.start <= code_base && code_base < r.end) return &r;
    }
    return nullptr;
  };
  for (size_t i = 0; i < modules->size(); ++i) {
    const LinkModule& startup = (*modules)[i];
    if (startup.from_library || !startup.symbols.options.empty()) continue;
    const auto& refs = startup.symbols.references;
    if (std::find(refs.begin(), refs.end(), "__sdcc_gsinit_startup") == refs.end()) continue;
    const CodeRange* jump = reset_range(startup);
    if (jump == nullptr) continue;
    for (const LinkModule& other : *modules) {
      const CodeRange* own = &other == &startup ? nullptr : reset_range(other);
      if (own == nullptr) continue;
      report->Add(LinkMessage::kWarning, "L5", "CODE SPACE MEMORY OVERLAP",
                  {"FROM:    " + AddressText(code_base),
                   "TO:      " + AddressText(std::min(jump->end, own->end) - 1),
                   "REASON:  " + Shown(startup) + " LEFT OUT: " + Shown(other) +
                       " HOLDS THE RESET ADDRESS"});
      modules->erase(modules->begin() + static_cast<std::ptrdiff_t>(i));
      return;
    }
  }
}

// One link of `modules` with the library built for it, its messages,
// program and map into `outcome`.
LinkResult LinkProgram(const LinkCommand& command, const LinkControls& controls,
                       const std::string& sdcc, std::vector<LinkModule> modules, bool on_stack,
                       LinkOutcome* outcome);

}  // namespace

LinkOutcome LinkWithSdcc(const LinkCommand& given, c51::sim::FileSource* files) {
  // One object named twice (a source listed in two groups) is one module:
  // linked twice, each of its symbols would be defined twice.
  LinkCommand command = given;
  std::set<std::string> seen;
  std::erase_if(command.inputs, [&](const LinkInput& input) {
    // The same file however spelled: letter case matters no more than on
    // the system the project comes from.
    return !seen.insert(c51::sim::ToUpper(c51::sim::AbsolutePath(input.path))).second;
  });
  LinkOutcome outcome;
  outcome.output = command.output.empty() ? DefaultOutput(command) : command.output;
  outcome.map_path = WithExtension(outcome.output, "M51");
  for (const c51::sim::Control& control : command.controls) {
    if (control.name == "NOPRINT") outcome.map_path.clear();
    if (control.name == "PRINT" && control.has_argument) {
      outcome.map_path = std::string(c51::sim::Unquote(control.argument));
    }
  }
  const LinkControls controls = MapLinkControls(command.controls);
  Reporter report(&outcome, controls.disabled_warnings);
  for (const LinkMessage& message : controls.messages) report.Add(message);

  std::vector<LinkModule> modules;
  if (!LoadInputs(command, files, &report, &modules)) return outcome;
  if (outcome.errors > 0) return outcome;  // refused before anything runs
  LeaveOutDisplacedStartup(controls.code_base, &modules, &report);

  const std::string sdcc = FindSdccProgram("sdcc");
  if (sdcc.empty()) {
    report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC",
               {"REASON:  sdcc NOT FOUND ON PATH OR IN C51_SDCC_BIN"});
    return outcome;
  }
  // printf's engine keeps its locals as frames, as the original library
  // keeps them in the overlay; when that leaves the program short of DATA,
  // it keeps them on the stack instead.
  LinkOutcome framed = outcome;
  const LinkResult first = LinkProgram(command, controls, sdcc, modules, false, &framed);
  if (framed.errors == 0 || !first.engine) {
    WarnOfShortStack(first, false, controls, &framed);
    return framed;
  }
  LinkOutcome stacked = outcome;
  const LinkResult second = LinkProgram(command, controls, sdcc, modules, true, &stacked);
  WarnOfShortStack(second, true, controls, &stacked);
  return stacked;
}

namespace {

LinkResult LinkProgram(const LinkCommand& command, const LinkControls& controls,
                       const std::string& sdcc, std::vector<LinkModule> modules, bool on_stack,
                       LinkOutcome* outcome_out) {
  LinkOutcome& outcome = *outcome_out;
  Reporter report(&outcome, controls.disabled_warnings);
  LinkResult result;
  TempFolder scratch;
  std::vector<std::string> args = {"-mmcs51"};
  const std::vector<std::string> model = LinkModel(modules);
  const LinkInput sdcc_library{"sdcc library", kCommonArea};
  result.engine = AddFramedLibrary(sdcc, model, &sdcc_library, on_stack, &modules);
  for (const LinkModule& m : modules) {
    result.floats = result.floats || m.module.float_formats;
    result.interrupts = result.interrupts || !m.module.interrupts.empty();
  }
  const LinkInput kernel{"task kernel", kCommonArea};
  std::vector<const LinkInput*> sources;
  for (const LinkInput& input : command.inputs) sources.push_back(&input);
  sources.push_back(&sdcc_library);
  sources.push_back(&kernel);
  args.insert(args.end(), model.begin(), model.end());
  args.insert(args.end(), controls.sdcc_args.begin(), controls.sdcc_args.end());
  args.insert(args.end(), {"-o", scratch.native() + "out.ihx"});
  std::string err, aliases;
  size_t library_args = 0;
  // Names assembly for the original toolchain shares with C, before the
  // relocatables are written.
  KeepLineRecordsApart(&modules);
  const std::vector<ReverseCall> reverse_calls = BridgeAssemblyNames(&modules);
  if (scratch.path().empty() ||
      !AddTaskKernel(scratch, controls.sdcc_args, &kernel, &modules, &err) ||
      !WriteScratch(scratch, sources, &modules, &args, &library_args, &err) ||
      !WriteAliasLibrary(scratch, AllSymbols(modules), &aliases, &err)) {
    report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC",
               {"REASON:  " + (err.empty() ? std::string("NO SCRATCH FOLDER") : err)});
    return result;
  }
  for (size_t i = 0; i < reverse_calls.size(); ++i) {
    const std::string title = "reverse" + std::to_string(i);
    if (!AssembleGenerated(scratch, title, ReverseCallSource(reverse_calls[i]), &err)) {
      report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC", {"REASON:  " + err});
      return result;
    }
    args.insert(args.end() - static_cast<std::ptrdiff_t>(library_args),
                scratch.native() + title + ".rel");
  }
  const size_t objects_end = args.size() - library_args;
  if (!aliases.empty()) args.push_back(aliases);
  // The driver leaves the long long library out; sdld takes from it only
  // what a module calls.
  args.insert(args.end(), {"-l", "liblonglong"});

  // The vector table and the frames' places depend on the library modules
  // linked, which only sdld's map tells: linked again when they were not
  // the ones assumed.
  std::vector<bool> planned = PredictLinked(modules);
  std::vector<std::string> called_from_outside = CalledFromLinkerModules(modules);
  for (const ReverseCall& call : reverse_calls) called_from_outside.push_back(call.target);
  VectorInputs inputs;
  VectorPlan plan;
  OverlayPlan overlay;
  AbsolutePlan absolutes;
  ProgramRun run;
  std::string sdld_map;
  std::vector<SharedArithmetic> shared;
  KeptOperands kept;
  // Outside the small model sdcc's library keeps the arithmetic's operands
  // in XDATA or PDATA under its modules' own names, which no keeper reaches
  // (its stack-auto build keeps them on the stack, where nothing shares them).
  const bool arithmetic_unkeepable =
      std::find(model.begin(), model.end(), "--model-small") == model.end() &&
      std::find(model.begin(), model.end(), "--stack-auto") == model.end();
  // Frames go in one block first. When DATA is short, a probe with an empty
  // block shows the cells everything else leaves, and the frames are laid
  // in them one by one (frame_overlay.h).
  enum class Frames { kBlock, kProbe, kCells } frames = Frames::kBlock;
  bool probed = false;
  bool idata_tried = false, idata_high = false;
  DataCells free_cells;
  GeneratedModules variables_assembled(scratch);
  for (;;) {
    for (int pass = 0; pass < 2; ++pass) {
      inputs = GatherVectorInputs(modules, planned);
      shared = ArithmeticOfSeveralRoots(modules, planned);
      // Arithmetic built with frames is a function like any other: its
      // frames are kept with theirs.
      if (arithmetic_unkeepable) {
        std::erase_if(shared, [&](const SharedArithmetic& a) {
          return std::any_of(modules.begin(), modules.end(), [&](const LinkModule& m) {
            return m.runtime && std::find(m.symbols.publics.begin(), m.symbols.publics.end(),
                                          a.helper) != m.symbols.publics.end();
          });
        });
      }
      plan = PlanVectorTable(inputs.routines, inputs.absolute, controls.code_base,
                             inputs.main_home_size);
      std::vector<std::string> pass_args = args;
      if (idata_high) pass_args.insert(pass_args.end(), {"--idata-loc", "0x80"});
      if (!plan.source.empty()) {
        if (!AssembleGenerated(scratch, "vectors", plan.source, &err)) {
          report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC", {"REASON:  " + err});
          return result;
        }
        // After the objects, before the libraries.
        pass_args.insert(pass_args.begin() + static_cast<std::ptrdiff_t>(objects_end),
                         scratch.native() + "vectors.rel");
        // After sdcc's own "-b HOME", which it overrides.
        char home[32];
        snprintf(home, sizeof home, "-Wl-bHOME=0x%04X", static_cast<unsigned>(plan.home_base));
        pass_args.insert(pass_args.begin() + 1, home);
      }
      overlay = PlanFrameOverlay(modules, planned, called_from_outside,
                                 frames == Frames::kCells ? &free_cells : nullptr);
      kept = OperandsToKeep(arithmetic_unkeepable ? std::vector<SharedArithmetic>() : shared,
                            modules, planned, overlay, kMaxKeptFrameBytes);
      if (!kept.routines.empty()) {
        if (!AssembleGenerated(scratch, "keep", KeeperSource(kept), &err)) {
          report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC", {"REASON:  " + err});
          return result;
        }
        pass_args.insert(pass_args.begin() + static_cast<std::ptrdiff_t>(objects_end),
                         scratch.native() + "keep.rel");
      }
      if (!overlay.source.empty()) {
        const std::string& source =
            frames == Frames::kProbe ? overlay.probe_source : overlay.source;
        // The program's own modules' variables before the frames, the
        // library's after them, as their modules came.
        std::vector<std::string> own, library;
        for (const VariableModule& piece :
             frames == Frames::kProbe ? std::vector<VariableModule>() : overlay.variable_sources) {
          const std::string title = kVariablesModule + std::to_string(piece.module);
          if (!variables_assembled.AssembleOnce(title, piece.source, &err)) {
            report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC", {"REASON:  " + err});
            return result;
          }
          (modules[piece.module].from_library ? library : own)
              .push_back(scratch.native() + title + ".rel");
        }
        if (!AssembleGenerated(scratch, "overlay", source, &err)) {
          report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC", {"REASON:  " + err});
          return result;
        }
        std::vector<std::string> generated = std::move(own);
        generated.push_back(scratch.native() + "overlay.rel");
        generated.insert(generated.end(), library.begin(), library.end());
        pass_args.insert(pass_args.begin() + static_cast<std::ptrdiff_t>(objects_end),
                         generated.begin(), generated.end());
      }
      absolutes = PlanAbsoluteVariables(modules, planned);
      if (!absolutes.source.empty()) {
        if (!AssembleGenerated(scratch, "absolute", absolutes.source, &err)) {
          report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC", {"REASON:  " + err});
          return result;
        }
        pass_args.insert(pass_args.begin() + static_cast<std::ptrdiff_t>(objects_end),
                         scratch.native() + "absolute.rel");
      }
      for (const char* output : {"out.ihx", "out.map", "out.mem"}) {
        c51::sim::RemoveFile(scratch.path() + output);
      }
      run = RunProgram(sdcc, pass_args);
      if (!run.started) {
        report.Add(LinkMessage::kFatal, "L220", "CAN'T RUN SDCC",
                   {"REASON:  CAN'T START " + SystemToLocalText(sdcc)});
        return result;
      }
      sdld_map.clear();
      c51::sim::ReadFile(scratch.path() + "out.map", &sdld_map);
      const std::vector<bool> linked = LinkedModules(modules, sdld_map);
      if (!VectorInputsChanged(modules, planned, linked) &&
          !OverlayInputsChanged(modules, planned, linked) &&
          !AbsoluteInputsChanged(modules, planned, linked)) {
        break;
      }
      planned = linked;
    }
    const bool short_of_data = ShortOfData(run.output);
    if (frames == Frames::kBlock && !probed && !overlay.source.empty() && short_of_data) {
      probed = true;
      frames = Frames::kProbe;
      continue;
    }
    if (frames == Frames::kProbe) {
      std::string probe_memory;
      c51::sim::ReadFile(scratch.path() + "out.mem", &probe_memory);
      free_cells = ReadMemorySummary(probe_memory).free_data;
      // Short even without the frames: the block's link says so best.
      frames = short_of_data || free_cells.empty() ? Frames::kBlock : Frames::kCells;
      continue;
    }
    // The last link: in cells, or the block. sdld lays IDATA variables in
    // the first free cells, below 80H, where the original puts them after
    // DATA and the frames: with 256 bytes, once more with IDATA from 80H.
    if (short_of_data && !idata_tried && InternalRamTop(controls.sdcc_args) == 0x100) {
      idata_tried = idata_high = true;
      probed = false;
      frames = Frames::kBlock;
      continue;
    }
    if (short_of_data && idata_high) {
      // No better: the plain block's failure is the one to report.
      idata_high = false;
      probed = true;
      frames = Frames::kBlock;
      continue;
    }
    break;
  }
  for (const LinkMessage& message : plan.messages) report.Add(message);
  const std::vector<SdldMessage> messages = ParseSdldOutput(run.output);
  // Our build of sdcc's formatted output comes first on purpose; that sdcc's
  // own library defines the same names is no news for the user.
  const std::string framed_list = "found more than once:; Library: '" + scratch.native() + "l" +
                                  std::to_string(command.inputs.size()) + ".lib'";
  std::vector<SdldMessage> shown;
  for (const SdldMessage& m : messages) {
    if (m.kind != SdldMessage::kOtherWarning || m.text.find(framed_list) == std::string::npos) {
      shown.push_back(m);
    }
  }
  ReportSdld(shown, modules, &report);
  // A variable two modules define is one the linker lays once: sdld does not see it twice.
  for (const std::string& symbol : overlay.defined_twice) {
    if (std::none_of(shown.begin(), shown.end(), [&](const SdldMessage& m) {
          return m.kind == SdldMessage::kMultiple && m.symbol == symbol;
        })) {
      ReportDefinedTwice(symbol, modules, &report);
    }
  }
  if (run.exit_code != 0 && messages.empty()) {
    report.Add(
        LinkMessage::kError, "L221", "SDCC LINK ERROR",
        {"REASON:  EXIT CODE " + std::to_string(run.exit_code) + ": " + LastLine(run.output)});
  }
  if (!sdld_map.empty()) {
    std::vector<CodeRange> code = RelocatedCodeAreas(sdld_map);
    code.insert(code.end(), inputs.absolute.begin(), inputs.absolute.end());
    code.insert(code.end(), plan.entries.begin(), plan.entries.end());
    for (const LinkMessage& message : CheckCodeOverlaps(std::move(code))) report.Add(message);
  }

  std::string text;
  if (c51::sim::ReadFile(scratch.path() + "out.ihx", &text) == c51::sim::ReadResult::kOkay) {
    std::vector<c51::sim::HexChunk> runs;
    if (!ReadIntelHex(text, &runs, &err)) {
      report.Add(LinkMessage::kError, "L221", "SDCC LINK ERROR", {"REASON:  " + err});
    } else {
      const std::vector<std::string> unkept =
          KeepOperands(kept, inputs.routines, modules, sdld_map, controls.code_base, &runs);
      for (const SharedFrames& f : kept.too_large) {
        ReportSharedFrames(f,
                           "REASON:  ITS FRAME IS SHARED WITH CODE THE ROUTINE INTERRUPTS, "
                           "AND TOO LARGE TO KEEP ON THE STACK",
                           &report);
      }
      for (const SharedFrames& f : kept.kept) {
        if (std::find(unkept.begin(), unkept.end(), f.routine) == unkept.end()) continue;
        ReportSharedFrames(f, "REASON:  ITS FRAME IS SHARED WITH CODE THE ROUTINE INTERRUPTS",
                           &report);
      }
      for (const SharedArithmetic& s : shared) {
        if (!arithmetic_unkeepable &&
            std::find(unkept.begin(), unkept.end(), s.root) == unkept.end()) {
          continue;
        }
        report.Add(LinkMessage::kWarning, "L15", "MULTIPLE CALL TO SEGMENT",
                   {"SEGMENT: " + DisplaySymbol(s.helper) + " (SDCC LIBRARY)",
                    "CALLER1: " + DisplaySymbol(s.root), "CALLER2: " + DisplaySymbol(s.other),
                    arithmetic_unkeepable
                        ? "REASON:  SDCC'S INT AND LONG ARITHMETIC KEEPS ITS OPERANDS IN EXTERNAL "
                          "RAM IN THIS MODEL, WHICH AN INTERRUPT ROUTINE USING IT OVERWRITES"
                        : "REASON:  SDCC'S INT AND LONG ARITHMETIC KEEPS ITS OPERANDS IN ONE "
                          "PLACE, WHICH AN INTERRUPT ROUTINE USING IT OVERWRITES"});
      }
      const std::string title = c51::sim::ToUpper(FileTitle(outcome.output, sim::kToolBreaks));
      for (c51::sim::HexChunk& chunk : runs) {
        if (chunk.address + chunk.bytes.size() > 0x10000) {
          report.Add(LinkMessage::kError, "L107", "ADDRESS SPACE OVERFLOW",
                     {"SPACE:   CODE", "REASON:  CODE ABOVE 0xFFFF"});
          break;
        }
        outcome.code += static_cast<uint32_t>(chunk.bytes.size());
        outcome.program.segments.push_back(
            {kCommonArea, chunk.address, std::move(chunk.bytes), title});
      }
    }
  } else if (outcome.errors == 0) {
    report.Add(LinkMessage::kError, "L221", "SDCC LINK ERROR",
               {"REASON:  NO PROGRAM WRITTEN: " + LastLine(run.output)});
  }
  std::string memory;
  if (c51::sim::ReadFile(scratch.path() + "out.mem", &memory) == c51::sim::ReadResult::kOkay) {
    const MemoryUse use = ReadMemorySummary(memory);
    outcome.data = use.data;
    outcome.xdata = use.xdata;
    result.stack_left = use.stack;
  }
  if (!outcome.map_path.empty()) {
    std::vector<std::string> names, included;
    const std::vector<bool> linked = LinkedModules(modules, sdld_map);
    for (size_t i = 0; i < modules.size(); ++i) {
      names.push_back(modules[i].symbols.module);
      if (linked[i]) included.push_back("  " + Shown(modules[i]));
    }
    // The variables the linker laid show under the modules that define them.
    SymbolOwners owners;
    for (const PlacedVariable& v : overlay.variables) {
      if (!v.global) continue;
      owners.emplace(v.symbol, modules[v.module].symbols.module);
      for (const std::string& alias : v.aliases) {
        owners.emplace(alias, modules[v.module].symbols.module);
      }
    }
    MapContents contents{std::string(kLinkerBanner), std::move(included),
                         ReadMapSymbols(sdld_map, names, owners), memory, plan.map_lines};
    if (overlay.frames_size > 0 || overlay.in_cells) {
      uint32_t base = 0;
      for (const MapSymbol& symbol : ReadMapSymbols(sdld_map, {kOverlayModule})) {
        if (symbol.name == kOverlayBase && !overlay.in_cells) base = symbol.value;
      }
      contents.frames_summary = OverlaySummary(overlay, base);
      contents.frames = OverlayMapLines(overlay, base);
    }
    outcome.map = FormatLinkMap(outcome, contents);
  }
  return result;
}

}  // namespace

}  // namespace c51::sdcc
