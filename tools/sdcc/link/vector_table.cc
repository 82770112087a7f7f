#include "sdcc/link/vector_table.h"

#include <algorithm>
#include <cstdio>
#include <map>

#include "sdcc/link/rel_symbols.h"

namespace c51::sdcc {

namespace {

constexpr uint32_t kJumpSize = 3;  // ljmp
constexpr uint32_t kCodeEnd = 0x10000;
constexpr char kTableOwner[] = "INTERRUPT VECTOR TABLE";

uint32_t VectorAddress(uint32_t base, uint32_t number) {
  return base + 3 + 8 * number;
}

// The user's absolute code that shares a byte with [start, end); null when
// none does.
const CodeRange* Taken(const std::vector<CodeRange>& absolute, uint32_t start, uint32_t end) {
  for (const CodeRange& range : absolute) {
    if (range.start < end && start < range.end) return &range;
  }
  return nullptr;
}

std::string VectorDetail(uint32_t base, uint32_t number) {
  return "VECTOR:  " + AddressText(VectorAddress(base, number)) + " (INTERRUPT " +
         std::to_string(number) + ")";
}

std::string MapLine(uint32_t address, const std::string& what, const std::string& symbol,
                    const std::string& module) {
  char row[160];
  snprintf(row, sizeof row, "  %s     %-10s %-33s %s", AddressText(address).c_str(), what.c_str(),
           symbol.c_str(), module.c_str());
  std::string line = row;
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

class Planner {
 public:
  Planner(const std::vector<CodeRange>& absolute, uint32_t base, VectorPlan* plan)
      : absolute_(absolute), base_(base), plan_(plan) {}

  // One routine per number, the first named; the others are errors.
  std::map<uint32_t, const InterruptRoutine*> ByNumber(
      const std::vector<InterruptRoutine>& routines) {
    std::map<uint32_t, std::vector<const InterruptRoutine*>> all;
    for (const InterruptRoutine& routine : routines) {
      std::vector<const InterruptRoutine*>& same = all[routine.number];
      const bool repeated = std::any_of(same.begin(), same.end(), [&](const InterruptRoutine* r) {
        return r->symbol == routine.symbol && r->module == routine.module;
      });
      if (!repeated) same.push_back(&routine);
    }
    std::map<uint32_t, const InterruptRoutine*> chosen;
    for (const auto& [number, same] : all) {
      chosen[number] = same.front();
      if (same.size() < 2) continue;
      LinkMessage message{LinkMessage::kError,
                          "L223",
                          "INTERRUPT NUMBER USED TWICE",
                          {VectorDetail(base_, number)}};
      for (const InterruptRoutine* r : same) {
        message.details.push_back("SYMBOL:  " + DisplaySymbol(r->symbol));
        message.details.push_back("MODULE:  " + r->module);
      }
      plan_->messages.push_back(std::move(message));
    }
    return chosen;
  }

  // Places `code` at `address` unless the user's code is there; false then.
  bool Place(uint32_t address, uint32_t size, const std::string& code) {
    if (Taken(absolute_, address, address + size) != nullptr) return false;
    if (address + size > kCodeEnd) {
      plan_->messages.push_back({LinkMessage::kError,
                                 "L107",
                                 "ADDRESS SPACE OVERFLOW",
                                 {"SPACE:   CODE", "REASON:  INTERRUPT VECTOR ABOVE 0xFFFF"}});
      return false;
    }
    char org[32];
    snprintf(org, sizeof org, "\t.org\t0x%04X\n", static_cast<unsigned>(address));
    body_ += org;
    body_ += code;
    plan_->entries.push_back(CodeRange{address, address + size, kTableOwner});
    plan_->home_base = std::max(plan_->home_base, address + size);
    return true;
  }

  void Routine(uint32_t number, const InterruptRoutine& routine) {
    const uint32_t address = VectorAddress(base_, number);
    if (const CodeRange* user = Taken(absolute_, address, address + kJumpSize)) {
      plan_->messages.push_back(
          {LinkMessage::kWarning,
           "L225",
           "INTERRUPT VECTOR TAKEN BY ABSOLUTE CODE",
           {VectorDetail(base_, number), "SYMBOL:  " + DisplaySymbol(routine.symbol),
            "MODULE:  " + routine.module, "CODE:    " + user->owner}});
      return;
    }
    if (!routine.is_public) {
      plan_->messages.push_back(
          {LinkMessage::kError,
           "L226",
           "INTERRUPT ROUTINE NOT PUBLIC",
           {VectorDetail(base_, number), "SYMBOL:  " + DisplaySymbol(routine.symbol),
            "MODULE:  " + routine.module,
            "REASON:  A STATIC ROUTINE CANNOT BE REACHED FROM THE VECTOR"}});
      return;
    }
    if (!Place(address, kJumpSize, "\tljmp\t" + routine.symbol + "\n")) return;
    globals_ += "\t.globl\t" + routine.symbol + "\n";
    plan_->map_lines.push_back(
        MapLine(address, std::to_string(number), DisplaySymbol(routine.symbol), routine.module));
  }

  // As sdcc's own table does, a vector below the highest one that nobody
  // uses returns at once.
  void Unused(uint32_t number) { Place(VectorAddress(base_, number), 1, "\treti\n"); }

  void Reset() {
    if (!Place(base_, kJumpSize, std::string("\tljmp\t") + kStartupSymbol + "\n")) return;
    globals_ += std::string("\t.globl\t") + kStartupSymbol + "\n";
    plan_->map_lines.push_back(MapLine(base_, "RESET", kStartupSymbol, ""));
  }

  std::string Source() const {
    if (body_.empty()) return std::string();
    return "; The interrupt vectors, laid down by the linker.\n"
           "\t.module\t__vectors\n" +
           globals_ + "\t.area\t__VECTORS (ABS,CODE)\n" + body_;
  }

 private:
  const std::vector<CodeRange>& absolute_;
  uint32_t base_;
  VectorPlan* plan_;
  std::string globals_;
  std::string body_;
};

}  // namespace

std::string AddressText(uint32_t address) {
  char text[16];
  snprintf(text, sizeof text, "%04XH", static_cast<unsigned>(address));
  return text;
}

VectorPlan PlanVectorTable(const std::vector<InterruptRoutine>& routines,
                           const std::vector<CodeRange>& absolute, uint32_t base,
                           uint32_t main_home_size) {
  VectorPlan plan;
  Planner planner(absolute, base, &plan);
  const std::map<uint32_t, const InterruptRoutine*> chosen = planner.ByNumber(routines);
  // sdcc's table serves while every routine is in the main module and
  // nothing of the user's sits where sdld would put it.
  const bool outside_main =
      std::any_of(routines.begin(), routines.end(),
                  [](const InterruptRoutine& routine) { return !routine.in_main_module; });
  const bool home_taken =
      main_home_size > 0 && Taken(absolute, base, base + main_home_size) != nullptr;
  if (!outside_main && !home_taken) return plan;

  planner.Reset();
  const uint32_t highest = chosen.empty() ? 0 : chosen.rbegin()->first;
  for (uint32_t number = 0; !chosen.empty() && number <= highest; ++number) {
    const auto found = chosen.find(number);
    if (found != chosen.end()) {
      planner.Routine(number, *found->second);
    } else {
      planner.Unused(number);
    }
  }
  plan.source = planner.Source();
  if (plan.source.empty()) {
    plan.map_lines.clear();
    plan.home_base = 0;
  }
  // The user's code among the vectors, or too close above the last one for
  // HOME to fit between, would leave HOME another gap to fall into.
  std::vector<CodeRange> sorted = absolute;
  std::sort(sorted.begin(), sorted.end(),
            [](const CodeRange& a, const CodeRange& b) { return a.start < b.start; });
  for (const CodeRange& range : sorted) {
    if (plan.home_base != 0 && range.start < plan.home_base + main_home_size &&
        range.end > plan.home_base) {
      plan.home_base = range.end;
    }
  }
  return plan;
}

}  // namespace c51::sdcc
