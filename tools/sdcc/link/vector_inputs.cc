#include "sdcc/link/vector_inputs.h"

#include <algorithm>

namespace c51::sdcc {

namespace {

bool Defines(const LinkModule& m, const std::string& symbol) {
  const std::vector<std::string>& publics = m.symbols.publics;
  return std::find(publics.begin(), publics.end(), symbol) != publics.end();
}

}  // namespace

std::vector<bool> LinkedModules(const std::vector<LinkModule>& modules,
                                const std::string& sdld_map) {
  std::vector<bool> linked;
  for (const LinkModule& m : modules) {
    linked.push_back(!m.from_library || sdld_map.find("[ " + m.file + " ]") != std::string::npos);
  }
  return linked;
}

VectorInputs GatherVectorInputs(const std::vector<LinkModule>& modules,
                                const std::vector<bool>& linked) {
  VectorInputs inputs;
  const LinkModule* main = nullptr;
  for (size_t i = 0; i < modules.size() && main == nullptr; ++i) {
    if (linked[i] && Defines(modules[i], "_main")) main = &modules[i];
  }
  if (main != nullptr) inputs.main_home_size = AreaSize(main->symbols, "HOME");
  for (size_t i = 0; i < modules.size(); ++i) {
    if (!linked[i]) continue;
    const LinkModule& m = modules[i];
    for (const RelInterrupt& interrupt : m.module.interrupts) {
      inputs.routines.push_back(InterruptRoutine{interrupt.number, interrupt.symbol, Shown(m),
                                                 &m == main, Defines(m, interrupt.symbol)});
    }
    for (const RelArea& area : AbsoluteCodeAreas(m.symbols)) {
      inputs.absolute.push_back(CodeRange{area.address, area.address + area.size, Shown(m)});
    }
  }
  return inputs;
}

bool VectorInputsChanged(const std::vector<LinkModule>& modules, const std::vector<bool>& planned,
                         const std::vector<bool>& linked) {
  for (size_t i = 0; i < modules.size(); ++i) {
    if (planned[i] == linked[i]) continue;
    const LinkModule& m = modules[i];
    if (!m.module.interrupts.empty() || !AbsoluteCodeAreas(m.symbols).empty() ||
        Defines(m, "_main")) {
      return true;
    }
  }
  return false;
}

}  // namespace c51::sdcc
