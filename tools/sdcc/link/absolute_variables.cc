#include "sdcc/link/absolute_variables.h"

#include <algorithm>
#include <cstdio>

namespace c51::sdcc {

namespace {

constexpr uint32_t kInternalEnd = 0x100;
constexpr uint32_t kExternalEnd = 0x10000;

// Sorts `ranges` and joins those that share or touch bytes.
std::vector<AbsoluteRange> Merged(std::vector<AbsoluteRange> ranges) {
  std::stable_sort(
      ranges.begin(), ranges.end(),
      [](const AbsoluteRange& a, const AbsoluteRange& b) { return a.start < b.start; });
  std::vector<AbsoluteRange> out;
  for (AbsoluteRange& range : ranges) {
    if (!out.empty() && range.start <= out.back().end) {
      out.back().end = std::max(out.back().end, range.end);
    } else {
      out.push_back(std::move(range));
    }
  }
  return out;
}

void AddArea(const char* area, const std::vector<AbsoluteRange>& ranges, std::string* source) {
  if (ranges.empty()) return;
  *source += std::string("\t.area\t") + area + "\n";
  for (const AbsoluteRange& range : ranges) {
    char line[64];
    snprintf(line, sizeof line, "\t.org\t0x%04X\n\t.ds\t%u\n", static_cast<unsigned>(range.start),
             static_cast<unsigned>(range.end - range.start));
    *source += line;
  }
}

}  // namespace

AbsolutePlan PlanAbsoluteVariables(const std::vector<LinkModule>& modules,
                                   const std::vector<bool>& linked) {
  std::vector<AbsoluteRange> internal, external;
  for (size_t i = 0; i < modules.size(); ++i) {
    if (!linked[i]) continue;
    for (const RelAbsolute& variable : modules[i].module.absolutes) {
      const bool in_xdata = variable.space == 'X';
      const uint32_t limit = in_xdata ? kExternalEnd : kInternalEnd;
      if (variable.address >= limit) continue;
      const uint32_t end = std::min(limit, variable.address + variable.size);
      (in_xdata ? external : internal)
          .push_back(AbsoluteRange{variable.address, end, variable.symbol, Shown(modules[i])});
    }
  }
  AbsolutePlan plan;
  plan.internal = Merged(std::move(internal));
  plan.external = Merged(std::move(external));
  if (plan.internal.empty() && plan.external.empty()) return plan;
  plan.source =
      "; The variables placed at fixed addresses, kept clear by the linker.\n"
      "\t.module\t__absolute\n";
  AddArea("IABS (ABS,DATA)", plan.internal, &plan.source);
  AddArea("XABS (ABS,XDATA)", plan.external, &plan.source);
  return plan;
}

bool AbsoluteInputsChanged(const std::vector<LinkModule>& modules, const std::vector<bool>& planned,
                           const std::vector<bool>& linked) {
  for (size_t i = 0; i < modules.size(); ++i) {
    if (planned[i] != linked[i] && !modules[i].module.absolutes.empty()) return true;
  }
  return false;
}

}  // namespace c51::sdcc
