#include "sdcc/link/frame_overlay.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string_view>

#include "sdcc/link/task_kernel.h"
#include "sdcc/link/vector_table.h"

namespace c51::sdcc {

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// Functions sdcc's run-time library (printf, gets, its start-up code) or
// the linker's own console modules call by name, from outside any graph.
constexpr std::string_view kCalledBack[] = {"_putchar", "_getchar", "__getkey",
                                            "__sdcc_external_startup"};

struct Node {
  size_t module = 0;  // index into the link's modules
  const RelFunction* function = nullptr;
  uint32_t size = 0;
  std::vector<size_t> callees;  // nodes, each once
  size_t root = kNone;          // the first root that reaches it
  bool several_roots = false;
  bool private_frame = false;
  FramePlace place = FramePlace::kUnused;
};

// The functions of the linked graphs and the calls between them.
class Graph {
 public:
  Graph(const std::vector<LinkModule>& modules, const std::vector<bool>& linked)
      : own_(modules.size()) {
    for (size_t m = 0; m < modules.size(); ++m) {
      if (!linked[m] || !modules[m].module.call_graph) continue;
      for (const RelFunction& f : modules[m].module.functions) {
        Node node;
        node.module = m;
        node.function = &f;
        for (const RelFrameItem& item : f.frame) node.size += item.size;
        own_[m].emplace(f.symbol, nodes_.size());
        if (f.global) globals_.emplace(f.symbol, nodes_.size());
        nodes_.push_back(std::move(node));
      }
    }
    for (Node& node : nodes_) {
      for (const std::string& callee : node.function->calls)
        AddCall(&node, Resolve(node.module, callee));
    }
    AddPointerCalls(modules, linked);
  }

  // Whether the program's own pointer calls were given their targets.
  bool pointer_calls_known() const { return pointer_calls_known_; }

  // A name as module `m` uses it: its own function of that name, else
  // another module's public one; kNone when the graphs do not have it.
  size_t Resolve(size_t m, const std::string& name) const {
    const auto own = own_[m].find(name);
    if (own != own_[m].end()) return own->second;
    return Global(name);
  }
  size_t Global(const std::string& name) const {
    const auto found = globals_.find(name);
    return found == globals_.end() ? kNone : found->second;
  }

  std::vector<Node>& nodes() { return nodes_; }
  const std::vector<Node>& nodes() const { return nodes_; }
  size_t size() const { return nodes_.size(); }
  const Node& node(size_t i) const { return nodes_[i]; }

 private:
  void AddCall(Node* node, size_t to) {
    if (to != kNone &&
        std::find(node->callees.begin(), node->callees.end(), to) == node->callees.end()) {
      node->callees.push_back(to);
    }
  }

  // A call through a pointer in the program's own modules reaches one of
  // the functions whose address they take (a menu's or a command table's
  // handlers): each such call is a call of every one of them. sdcc's
  // run-time modules keep theirs apart (printf's output function), and a
  // program handing pointers to the run-time library (qsort's comparison)
  // gets no such calls: those functions keep bytes of their own.
  void AddPointerCalls(const std::vector<LinkModule>& modules, const std::vector<bool>& linked) {
    std::vector<size_t> targets, callers;
    for (size_t m = 0; m < modules.size(); ++m) {
      if (!linked[m] || modules[m].runtime) continue;
      for (const std::string& symbol : modules[m].symbols.references) {
        if (symbol == "_qsort" || symbol == "_bsearch" || symbol == "__print_format") return;
      }
    }
    for (size_t m = 0; m < modules.size(); ++m) {
      if (!linked[m] || !modules[m].module.call_graph || modules[m].runtime) continue;
      for (const std::string& name : modules[m].module.taken) {
        const size_t node = Resolve(m, name);
        if (node != kNone) targets.push_back(node);
      }
      for (const auto& [symbol, node] : own_[m]) {
        if (nodes_[node].function->indirect_calls) callers.push_back(node);
      }
    }
    for (size_t caller : callers) {
      for (size_t target : targets) AddCall(&nodes_[caller], target);
    }
    pointer_calls_known_ = !callers.empty();
  }

  std::vector<std::map<std::string, size_t>> own_;  // per module
  std::map<std::string, size_t> globals_;           // the first definition wins
  std::vector<Node> nodes_;
  bool pointer_calls_known_ = false;
};

// main() first, then the interrupt routines by number, then, with
// `tasks`, the kernel's tasks by number, each once. A task runs beside the
// others (the kernel switches between them at any tick), so it is a root.
std::vector<size_t> Roots(const std::vector<LinkModule>& modules, const std::vector<bool>& linked,
                          const Graph& graph, bool tasks) {
  std::vector<size_t> roots;
  const size_t main = graph.Global("_main");
  if (main != kNone) roots.push_back(main);
  std::vector<std::pair<uint32_t, size_t>> routines;
  for (size_t m = 0; m < modules.size(); ++m) {
    if (!linked[m] || !modules[m].module.call_graph) continue;
    for (const RelInterrupt& interrupt : modules[m].module.interrupts) {
      const size_t node = graph.Resolve(m, interrupt.symbol);
      if (node != kNone) routines.emplace_back(interrupt.number, node);
    }
  }
  std::stable_sort(routines.begin(), routines.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  if (tasks) {
    std::vector<std::pair<uint32_t, size_t>> entries;
    for (size_t i = 0; i < graph.size(); ++i) {
      uint32_t number = 0;
      if (graph.node(i).function->global && TaskNumber(graph.node(i).function->symbol, &number))
        entries.emplace_back(number, i);
    }
    std::sort(entries.begin(), entries.end());
    routines.insert(routines.end(), entries.begin(), entries.end());
  }
  for (const auto& routine : routines) {
    if (std::find(roots.begin(), roots.end(), routine.second) == roots.end()) {
      roots.push_back(routine.second);
    }
  }
  return roots;
}

// Whether calls lead from node `from` to node `to`.
bool Reaches(const std::vector<Node>& nodes, size_t from, size_t to) {
  std::vector<bool> seen(nodes.size(), false);
  std::vector<size_t> work = {from};
  seen[from] = true;
  while (!work.empty()) {
    const size_t i = work.back();
    work.pop_back();
    if (i == to) return true;
    for (size_t callee : nodes[i].callees) {
      if (!seen[callee]) {
        seen[callee] = true;
        work.push_back(callee);
      }
    }
  }
  return false;
}

// Marks each node with the roots that reach it. A cursor, not recursion:
// call chains may be long.
void MarkReach(const std::vector<size_t>& roots, std::vector<Node>* nodes) {
  std::vector<size_t> seen(nodes->size(), kNone);
  for (size_t r = 0; r < roots.size(); ++r) {
    std::vector<size_t> work = {roots[r]};
    seen[roots[r]] = r;
    while (!work.empty()) {
      Node& node = (*nodes)[work.back()];
      work.pop_back();
      if (node.root == kNone) {
        node.root = r;
      } else if (node.root != r) {
        node.several_roots = true;
      }
      for (size_t callee : node.callees) {
        if (seen[callee] == r) continue;
        seen[callee] = r;
        work.push_back(callee);
      }
    }
  }
}

void MakePrivate(Node* node, FramePlace why) {
  if (node->private_frame) return;
  node->private_frame = true;
  node->place = why;
}

// Marks the nodes that lie on a call cycle (Tarjan's strongly connected
// components, with an explicit stack).
void MarkRecursion(std::vector<Node>* nodes) {
  const size_t n = nodes->size();
  std::vector<size_t> index(n, kNone), low(n, 0);
  std::vector<bool> on_stack(n, false);
  std::vector<size_t> stack;
  size_t next = 0;
  struct Frame {
    size_t node;
    size_t edge;
  };
  for (size_t start = 0; start < n; ++start) {
    if (index[start] != kNone) continue;
    std::vector<Frame> walk = {{start, 0}};
    index[start] = low[start] = next++;
    stack.push_back(start);
    on_stack[start] = true;
    while (!walk.empty()) {
      Frame& top = walk.back();
      const std::vector<size_t>& callees = (*nodes)[top.node].callees;
      if (top.edge < callees.size()) {
        const size_t to = callees[top.edge++];
        if (index[to] == kNone) {
          index[to] = low[to] = next++;
          stack.push_back(to);
          on_stack[to] = true;
          walk.push_back({to, 0});
        } else if (on_stack[to]) {
          low[top.node] = std::min(low[top.node], index[to]);
        }
        continue;
      }
      const size_t v = top.node;
      walk.pop_back();
      if (!walk.empty()) low[walk.back().node] = std::min(low[walk.back().node], low[v]);
      if (low[v] != index[v]) continue;
      std::vector<size_t> component;
      size_t w;
      do {
        w = stack.back();
        stack.pop_back();
        on_stack[w] = false;
        component.push_back(w);
      } while (w != v);
      const std::vector<size_t>& own = (*nodes)[v].callees;
      const bool self_call = std::find(own.begin(), own.end(), v) != own.end();
      if (component.size() < 2 && !self_call) continue;
      for (size_t member : component) MakePrivate(&(*nodes)[member], FramePlace::kRecursive);
    }
  }
}

// Names of functions that code outside the graphs uses: the references of
// modules without a graph, the run-time library's call-backs, and what a
// module with a graph references without calling it or taking its address
// (inline assembly).
std::vector<std::string> OutsideNames(const std::vector<LinkModule>& modules,
                                      const std::vector<bool>& linked,
                                      const std::vector<std::string>& called_from_outside) {
  std::vector<std::string> names(std::begin(kCalledBack), std::end(kCalledBack));
  names.insert(names.end(), called_from_outside.begin(), called_from_outside.end());
  for (size_t m = 0; m < modules.size(); ++m) {
    if (!linked[m]) continue;
    const RelModule& rel = modules[m].module;
    for (const std::string& symbol : modules[m].symbols.references) {
      if (rel.call_graph) {
        const bool taken = std::find(rel.taken.begin(), rel.taken.end(), symbol) != rel.taken.end();
        const bool called =
            std::any_of(rel.functions.begin(), rel.functions.end(), [&](const RelFunction& f) {
              return std::find(f.calls.begin(), f.calls.end(), symbol) != f.calls.end();
            });
        if (taken || called) continue;
      }
      names.push_back(symbol);
    }
  }
  return names;
}

void MarkPrivate(const std::vector<LinkModule>& modules, const std::vector<bool>& linked,
                 const std::vector<std::string>& called_from_outside,
                 const std::vector<size_t>& roots, const Graph& graph, std::vector<Node>* nodes) {
  for (size_t m = 0; m < modules.size(); ++m) {
    if (!linked[m] || !modules[m].module.call_graph) continue;
    // Targets of the program's pointer calls have their callers now.
    if (graph.pointer_calls_known() && !modules[m].runtime) continue;
    for (const std::string& name : modules[m].module.taken) {
      const size_t node = graph.Resolve(m, name);
      if (node != kNone) MakePrivate(&(*nodes)[node], FramePlace::kTaken);
    }
  }
  // A root named from outside is the start-up code jumping to main() or an
  // assembled table's jump to a routine: no caller that is active beside it.
  for (const std::string& name : OutsideNames(modules, linked, called_from_outside)) {
    const size_t node = graph.Global(name);
    if (node != kNone && std::find(roots.begin(), roots.end(), node) == roots.end()) {
      MakePrivate(&(*nodes)[node], FramePlace::kOutside);
    }
  }
  MarkRecursion(nodes);
  for (Node& node : *nodes) {
    if (node.several_roots) MakePrivate(&node, FramePlace::kShared);
  }
  // Whatever a private function calls may be active beside anything too.
  std::vector<size_t> work;
  for (size_t i = 0; i < nodes->size(); ++i) {
    if ((*nodes)[i].private_frame) work.push_back(i);
  }
  while (!work.empty()) {
    const size_t from = work.back();
    work.pop_back();
    for (size_t callee : (*nodes)[from].callees) {
      Node& node = (*nodes)[callee];
      if (node.private_frame) continue;
      MakePrivate(&node, FramePlace::kCallee);
      work.push_back(callee);
    }
  }
}

// Offsets of the overlaid functions within each root's region: the longest
// path from the root, through the region's functions in topological order
// (they form no cycle: those on one are private). Returns each region's size.
std::vector<uint32_t> PlaceRegions(size_t roots, const std::vector<Node>& nodes,
                                   std::vector<uint32_t>* offsets) {
  std::vector<size_t> callers(nodes.size(), 0);
  for (const Node& node : nodes) {
    if (node.place != FramePlace::kOverlaid) continue;
    for (size_t callee : node.callees) {
      if (nodes[callee].place == FramePlace::kOverlaid) ++callers[callee];
    }
  }
  std::vector<uint32_t> sizes(roots, 0);
  std::vector<size_t> ready;
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].place == FramePlace::kOverlaid && callers[i] == 0) ready.push_back(i);
  }
  while (!ready.empty()) {
    const size_t i = ready.back();
    ready.pop_back();
    const Node& node = nodes[i];
    const uint32_t end = (*offsets)[i] + node.size;
    sizes[node.root] = std::max(sizes[node.root], end);
    for (size_t callee : node.callees) {
      if (nodes[callee].place != FramePlace::kOverlaid) continue;
      (*offsets)[callee] = std::max((*offsets)[callee], end);
      if (--callers[callee] == 0) ready.push_back(callee);
    }
  }
  return sizes;
}

// `symbol` at `at`: from the block's base, or an address in free cells.
std::string Definition(const std::string& symbol, uint32_t at, const OverlayPlan& plan) {
  if (!plan.in_cells) return symbol + " == " + kOverlayBase + " + " + std::to_string(at) + "\n";
  char address[16];
  snprintf(address, sizeof address, "0x%02X", static_cast<unsigned>(at));
  return symbol + " == " + address + "\n";
}

// Each frame item's symbol at its place.
std::string Definitions(const std::vector<Node>& nodes, const OverlayPlan& plan) {
  std::string defs;
  std::set<std::string> defined;
  for (size_t i = 0; i < nodes.size(); ++i) {
    uint32_t at = plan.functions[i].offset;
    for (const RelFrameItem& item : nodes[i].function->frame) {
      // The compiler makes frame symbols unique; a module linked twice is
      // sdld's to report, not a reason to make sdas8051 fail here.
      if (defined.insert(item.symbol).second) defs += Definition(item.symbol, at, plan);
      at += item.size;
    }
  }
  return defs;
}

// Each variable's symbols at its place; over the empty block's base with
// `at_base` (the probe, which leaves the variables out).
std::string VariableDefinitions(const OverlayPlan& plan, bool at_base) {
  std::string defs;
  for (const PlacedVariable& v : plan.variables) {
    const uint32_t at = at_base ? 0 : v.offset;
    defs += Definition(v.symbol, at, plan);
    for (const std::string& alias : v.aliases) defs += Definition(alias, at, plan);
  }
  return defs;
}

// The variables of module `m` as that module had them: one piece of DSEG
// that sdld lays where it fits, as it lays each module's own.
std::string VariablesSource(const OverlayPlan& plan, size_t m, const std::string& shown) {
  std::string source = "; The variables of " + shown + " in DATA, laid by sdld as its own.\n" +
                       "\t.module\t" + kVariablesModule + std::to_string(m) +
                       "\n\t.area\tDSEG    (DATA)\n";
  for (const PlacedVariable& v : plan.variables) {
    if (v.module != m) continue;
    for (const std::string& alias : v.aliases) source += alias + "::\n";
    source += v.symbol + "::\n\t.ds\t" + std::to_string(v.size) + "\n";
  }
  return source;
}

std::string BlockSource(const std::string& defs, uint32_t size) {
  return std::string("; The frames of functions, overlaid by the linker.\n") + "\t.module\t" +
         kOverlayModule + "\n\t.area\tDSEG    (DATA)\n" + kOverlayBase + "::\n\t.ds\t" +
         std::to_string(size) + "\n" + defs;
}

// Runs [start, end) of the cells the frames take.
std::vector<std::pair<uint32_t, uint32_t>> TakenRuns(const DataCells& taken) {
  std::vector<std::pair<uint32_t, uint32_t>> runs;
  for (uint32_t a = 0; a < taken.size(); ++a) {
    if (!taken[a]) continue;
    if (!runs.empty() && runs.back().second == a) {
      runs.back().second = a + 1;
    } else {
      runs.emplace_back(a, a + 1);
    }
  }
  return runs;
}

// The frames in an absolute area, one reservation per run of cells, so that
// sdld lays everything else around them.
std::string CellsSource(const std::string& defs, const DataCells& taken) {
  std::string source =
      std::string("; The frames of functions, overlaid by the linker in free cells.\n") +
      "\t.module\t" + kOverlayModule + "\n\t.area\tOABS    (ABS,DATA)\n";
  char line[64];
  const auto runs = TakenRuns(taken);
  for (const auto& [start, end] : runs) {
    snprintf(line, sizeof line, "\t.org\t0x%02X\n\t.ds\t%u\n", static_cast<unsigned>(start),
             static_cast<unsigned>(end - start));
    source += line;
  }
  snprintf(line, sizeof line, "%s == 0x%02X\n", kOverlayBase,
           static_cast<unsigned>(runs.empty() ? 0 : runs.front().first));
  return source + line + defs;
}

// The first address at or above `from` where `size` cells are free and not
// yet taken; `limit` when there is none.
uint32_t FirstFit(const DataCells& free_cells, const DataCells& taken, uint32_t from,
                  uint32_t size) {
  const uint32_t limit = static_cast<uint32_t>(free_cells.size());
  if (size == 0) return std::min(from, limit);
  uint32_t run = 0;
  for (uint32_t a = from; a < limit; ++a) {
    run = free_cells[a] && !taken[a] ? run + 1 : 0;
    if (run >= size) return a + 1 - size;
  }
  return limit;
}

// Addresses for the frames in free cells. A root's functions go in call
// order, each at the first free run above every caller's frame: what can
// be active together never shares a cell, siblings still do, and no two
// roots or private frames share any. False when a frame finds no room.
bool PlaceInCells(size_t roots, const std::vector<Node>& nodes, const DataCells& free_cells,
                  bool private_first, std::vector<uint32_t>* addresses, DataCells* all_taken) {
  const uint32_t limit = static_cast<uint32_t>(free_cells.size());
  DataCells taken(limit, false);
  auto take = [&](uint32_t at, uint32_t size) {
    for (uint32_t a = at; a < at + size; ++a) taken[a] = true;
  };
  auto place_private = [&]() {
    for (size_t i = 0; i < nodes.size(); ++i) {
      if (!nodes[i].private_frame) continue;
      const uint32_t at = FirstFit(free_cells, taken, 0, nodes[i].size);
      if (at + nodes[i].size > limit) return false;
      (*addresses)[i] = at;
      take(at, nodes[i].size);
    }
    return true;
  };
  if (private_first && !place_private()) return false;
  std::vector<size_t> callers(nodes.size(), 0);
  for (const Node& node : nodes) {
    if (node.place != FramePlace::kOverlaid) continue;
    for (size_t callee : node.callees) {
      if (nodes[callee].place == FramePlace::kOverlaid) ++callers[callee];
    }
  }
  std::vector<uint32_t> low(nodes.size(), 0);
  for (size_t r = 0; r < roots; ++r) {
    DataCells region(limit, false);
    std::vector<size_t> ready;
    for (size_t i = 0; i < nodes.size(); ++i) {
      if (nodes[i].place == FramePlace::kOverlaid && nodes[i].root == r && callers[i] == 0) {
        ready.push_back(i);
      }
    }
    while (!ready.empty()) {
      const size_t i = ready.back();
      ready.pop_back();
      const Node& node = nodes[i];
      const uint32_t at = FirstFit(free_cells, taken, low[i], node.size);
      if (at + node.size > limit) return false;
      (*addresses)[i] = at;
      for (uint32_t a = at; a < at + node.size; ++a) region[a] = true;
      for (size_t callee : node.callees) {
        if (nodes[callee].place != FramePlace::kOverlaid) continue;
        low[callee] = std::max(low[callee], at + node.size);
        if (--callers[callee] == 0) ready.push_back(callee);
      }
    }
    for (uint32_t a = 0; a < limit; ++a) taken[a] = taken[a] || region[a];
  }
  if (!private_first && !place_private()) return false;
  // Functions nothing calls never run: their symbols only need a value.
  uint32_t first = 0;
  while (first < limit && !taken[first]) ++first;
  for (size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].place == FramePlace::kUnused) (*addresses)[i] = first < limit ? first : 0;
  }
  *all_taken = std::move(taken);
  return true;
}

// The cells of `free_cells` that `taken` leaves.
DataCells Without(const DataCells& free_cells, const DataCells& taken) {
  DataCells left = free_cells;
  for (size_t a = 0; a < left.size() && a < taken.size(); ++a) left[a] = left[a] && !taken[a];
  return left;
}

// Addresses for the variables in free cells, each in the first run that
// holds it, the largest first: the long runs go to the arrays only they
// hold, and the small variables fill the holes the bit area and the
// register banks leave, low, where they keep the stack's room above them.
// False when one finds no room.
bool PlaceVariables(const std::vector<PlacedVariable>& variables, const DataCells& free_cells,
                    DataCells* taken, std::vector<uint32_t>* addresses) {
  const uint32_t limit = static_cast<uint32_t>(free_cells.size());
  std::vector<size_t> order(variables.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return variables[a].size > variables[b].size; });
  for (size_t i : order) {
    const uint32_t size = variables[i].size;
    const uint32_t at = FirstFit(free_cells, *taken, 0, size);
    if (at + size > limit) return false;
    (*addresses)[i] = at;
    for (uint32_t a = at; a < at + size; ++a) (*taken)[a] = true;
  }
  return true;
}

// Frames and variables in free cells, never sharing a cell: the variables
// first, then the frames in what they leave; failing that, the frames
// first (their chains may leave holes a variable fits). `taken` gets every
// cell either takes.
bool PlaceAllInCells(size_t roots, const std::vector<Node>& nodes,
                     const std::vector<PlacedVariable>& variables, const DataCells& free_cells,
                     std::vector<uint32_t>* frame_addresses,
                     std::vector<uint32_t>* variable_addresses, DataCells* taken) {
  auto frames = [&](const DataCells& free, DataCells* frame_cells) {
    return PlaceInCells(roots, nodes, free, false, frame_addresses, frame_cells) ||
           PlaceInCells(roots, nodes, free, true, frame_addresses, frame_cells);
  };
  for (bool variables_first : {true, false}) {
    DataCells variable_cells(free_cells.size(), false), frame_cells;
    const bool placed =
        variables_first
            ? PlaceVariables(variables, free_cells, &variable_cells, variable_addresses) &&
                  frames(Without(free_cells, variable_cells), &frame_cells)
            : frames(free_cells, &frame_cells) &&
                  PlaceVariables(variables, Without(free_cells, frame_cells), &variable_cells,
                                 variable_addresses);
    if (!placed) continue;
    *taken = variable_cells;
    for (size_t a = 0; a < taken->size() && a < frame_cells.size(); ++a) {
      (*taken)[a] = (*taken)[a] || frame_cells[a];
    }
    return true;
  }
  return false;
}

// A public symbol sdld takes library module `m` for: one of its functions
// when it has one.
std::string AnchorOf(const LinkModule& m) {
  for (const std::vector<std::string>* names : {&m.symbols.code_publics, &m.symbols.publics}) {
    for (const std::string& name : *names) {
      if (name.find('$') == std::string::npos) return name;
    }
  }
  return std::string();
}

// The modules whose variables the plan lays: the linked ones, and a library
// module that is not linked but defines a variable a linked module names
// and nothing linked defines. sdld linked such a module while it defined
// the variable; it links it now for the public symbol of it that the
// generated module names (`anchors`, also for a linked library module
// whose variables other modules name, so that it stays linked).
std::vector<bool> ModulesOfVariables(const std::vector<LinkModule>& modules,
                                     const std::vector<bool>& linked,
                                     std::vector<std::string>* anchors) {
  std::map<std::string, std::vector<size_t>, std::less<>> named;  // by the linked modules
  std::set<std::string, std::less<>> defined;
  for (size_t m = 0; m < modules.size(); ++m) {
    if (!linked[m]) continue;
    for (const std::string& symbol : modules[m].symbols.references) named[symbol].push_back(m);
    defined.insert(modules[m].symbols.publics.begin(), modules[m].symbols.publics.end());
    if (!modules[m].module.call_graph) continue;
    for (const RelDataItem& item : modules[m].module.data) {
      if (item.global) defined.insert(item.symbol);
    }
  }
  auto named_by_another = [&](size_t m, const std::string& symbol) {
    const auto found = named.find(symbol);
    return found != named.end() && std::any_of(found->second.begin(), found->second.end(),
                                               [&](size_t r) { return r != m; });
  };
  std::vector<bool> laid = linked;
  for (size_t m = 0; m < modules.size(); ++m) {
    const LinkModule& module = modules[m];
    if (!module.from_library || !module.module.call_graph) continue;
    bool wanted = false;
    for (const RelDataItem& item : module.module.data) {
      wanted = wanted || (item.global && named_by_another(m, item.symbol) &&
                          (linked[m] || defined.count(item.symbol) == 0));
    }
    if (!wanted) continue;
    if (!linked[m]) {
      laid[m] = true;
      for (const RelDataItem& item : module.module.data) {
        if (item.global) defined.insert(item.symbol);
      }
    }
    const std::string anchor = AnchorOf(module);
    if (!anchor.empty()) anchors->push_back(anchor);
  }
  return laid;
}

// The variables of the modules `laid` marks, in link order; a public one
// that an earlier module defines is laid once and named in `twice`.
std::vector<PlacedVariable> Variables(const std::vector<LinkModule>& modules,
                                      const std::vector<bool>& laid,
                                      std::vector<std::string>* twice) {
  std::vector<PlacedVariable> variables;
  std::set<std::string, std::less<>> seen;
  for (size_t m = 0; m < modules.size(); ++m) {
    if (!laid[m] || !modules[m].module.call_graph) continue;
    for (const RelDataItem& item : modules[m].module.data) {
      if (!seen.insert(item.symbol).second) {
        if (item.global && std::find(twice->begin(), twice->end(), item.symbol) == twice->end())
          twice->push_back(item.symbol);
        continue;
      }
      PlacedVariable v{item.symbol, m, item.global, item.size, 0, {}};
      for (const auto& [alias, symbol] : modules[m].variable_aliases) {
        if (symbol == item.symbol) v.aliases.push_back(alias);
      }
      variables.push_back(std::move(v));
    }
  }
  return variables;
}

const char* PlaceText(FramePlace place) {
  switch (place) {
    case FramePlace::kOverlaid:
      return "";
    case FramePlace::kUnused:
      return "UNUSED";
    case FramePlace::kShared:
      return "OWN: SHARED";
    case FramePlace::kTaken:
      return "OWN: POINTER";
    case FramePlace::kRecursive:
      return "OWN: RECURSION";
    case FramePlace::kOutside:
      return "OWN: OUTSIDE";
    case FramePlace::kCallee:
      return "OWN: CALLEE";
  }
  return "";
}

bool HasSpace(const std::vector<RelLocalItem>& locals, char space) {
  return std::any_of(locals.begin(), locals.end(),
                     [&](const RelLocalItem& item) { return item.space == space; });
}

// "DATA, XDATA, BIT": where a function's frame and locals lie.
std::string SpacesText(bool frame, const std::vector<RelLocalItem>& locals) {
  std::string out = frame ? "DATA" : "";
  for (const auto& [space, name] :
       {std::pair<char, const char*>{'X', "XDATA"}, {'P', "PDATA"}, {'B', "BIT"}}) {
    if (HasSpace(locals, space)) out += std::string(out.empty() ? "" : ", ") + name;
  }
  return out;
}

// Each byte or bit of `locals` the keeper moves, in order: "X" and the
// address expression, or "B" and a group of up to eight bits.
struct LocalMove {
  char space;
  std::vector<std::string> operands;  // one for a byte, the group's bits
};

std::vector<LocalMove> LocalMoves(const std::vector<RelLocalItem>& locals) {
  std::vector<LocalMove> moves;
  for (const RelLocalItem& item : locals) {
    if (item.space == 'B') {
      for (uint32_t b = 0; b < item.size; ++b) {
        const std::string bit = b == 0 ? item.symbol : item.symbol + "+" + std::to_string(b);
        if (moves.empty() || moves.back().space != 'B' || moves.back().operands.size() == 8)
          moves.push_back(LocalMove{'B', {}});
        moves.back().operands.push_back(bit);
      }
      continue;
    }
    for (uint32_t b = 0; b < item.size; ++b) {
      moves.push_back(LocalMove{
          item.space, {b == 0 ? item.symbol : "(" + item.symbol + "+" + std::to_string(b) + ")"}});
    }
  }
  return moves;
}

// The keeper's lines pushing `locals` (KeptOperands).
std::string SaveLocals(const std::vector<RelLocalItem>& locals) {
  if (locals.empty()) return std::string();
  std::string out = "\tpush\tacc\n\tpush\tpsw\n";
  if (HasSpace(locals, 'X')) out += "\tpush\tdpl\n\tpush\tdph\n";
  if (HasSpace(locals, 'P')) out += "\tmov\ta,r0\n\tpush\tacc\n";
  for (const LocalMove& move : LocalMoves(locals)) {
    if (move.space == 'X') {
      out += "\tmov\tdptr,#" + move.operands[0] + "\n\tmovx\ta,@dptr\n";
    } else if (move.space == 'P') {
      out += "\tmov\tr0,#" + move.operands[0] + "\n\tmovx\ta,@r0\n";
    } else {
      for (const std::string& bit : move.operands) out += "\tmov\tc," + bit + "\n\trlc\ta\n";
    }
    out += "\tpush\tacc\n";
  }
  return out;
}

// The lines popping them back, in reverse.
std::string RestoreLocals(const std::vector<RelLocalItem>& locals) {
  if (locals.empty()) return std::string();
  std::string out;
  const std::vector<LocalMove> moves = LocalMoves(locals);
  for (size_t m = moves.size(); m-- > 0;) {
    const LocalMove& move = moves[m];
    out += "\tpop\tacc\n";
    if (move.space == 'X') {
      out += "\tmov\tdptr,#" + move.operands[0] + "\n\tmovx\t@dptr,a\n";
    } else if (move.space == 'P') {
      out += "\tmov\tr0,#" + move.operands[0] + "\n\tmovx\t@r0,a\n";
    } else {
      for (size_t b = move.operands.size(); b-- > 0;)
        out += "\trrc\ta\n\tmov\t" + move.operands[b] + ",c\n";
    }
  }
  if (HasSpace(locals, 'P')) out += "\tpop\tacc\n\tmov\tr0,a\n";
  if (HasSpace(locals, 'X')) out += "\tpop\tdph\n\tpop\tdpl\n";
  return out + "\tpop\tpsw\n\tpop\tacc\n";
}

// For each interrupt routine, the frames of the functions it reaches that
// another root reaches too (`several_roots`, set by MarkReach).
std::vector<SharedFrames> FramesSharedWithInterrupts(const std::vector<LinkModule>& modules,
                                                     const std::vector<bool>& linked,
                                                     const Graph& graph,
                                                     const std::vector<size_t>& roots,
                                                     const OverlayPlan& plan) {
  std::vector<SharedFrames> out;
  const std::vector<Node>& nodes = graph.nodes();
  for (size_t m = 0; m < modules.size(); ++m) {
    if (!linked[m] || !modules[m].module.call_graph) continue;
    for (const RelInterrupt& interrupt : modules[m].module.interrupts) {
      const size_t routine = graph.Resolve(m, interrupt.symbol);
      if (routine == kNone) continue;
      SharedFrames shared;
      shared.routine = nodes[routine].function->symbol;
      std::vector<bool> seen(nodes.size(), false);
      std::vector<size_t> work = {routine};
      seen[routine] = true;
      std::vector<size_t> found;
      while (!work.empty()) {
        const size_t i = work.back();
        work.pop_back();
        if (i != routine && nodes[i].several_roots &&
            (nodes[i].size > 0 || !nodes[i].function->locals.empty())) {
          found.push_back(i);
        }
        for (size_t callee : nodes[i].callees) {
          if (!seen[callee]) {
            seen[callee] = true;
            work.push_back(callee);
          }
        }
      }
      std::sort(found.begin(), found.end());
      for (size_t i : found) {
        shared.functions.push_back(nodes[i].function->symbol);
        // The first root reaching it, unless that is this routine: then
        // any other root that does.
        std::string other;
        for (size_t r : roots) {
          if (r == routine || !Reaches(nodes, r, i)) continue;
          other = nodes[r].function->symbol;
          break;
        }
        shared.others.push_back(other);
        shared.function_cells.emplace_back();
        for (uint32_t b = 0; b < nodes[i].size; ++b) {
          shared.cells.push_back(plan.functions[i].offset + b);
          shared.function_cells.back().push_back(plan.functions[i].offset + b);
        }
        const std::vector<RelLocalItem>& locals = nodes[i].function->locals;
        shared.locals.insert(shared.locals.end(), locals.begin(), locals.end());
        shared.function_locals.push_back(locals);
        shared.spaces.push_back(SpacesText(nodes[i].size > 0, locals));
      }
      if (!shared.functions.empty()) out.push_back(std::move(shared));
    }
  }
  return out;
}

// sdcc's run-time arithmetic for ints and longs.
const std::set<std::string, std::less<>> kArithmetic = {
    "__mulint",  "__divuint",  "__moduint",  "__divsint",  "__modsint",
    "__mullong", "__divulong", "__modulong", "__divslong", "__modslong"};

// The functions `picked` of `frames` (indices in its order), as frames of
// their own.
SharedFrames PartOf(const SharedFrames& frames, const std::vector<size_t>& picked) {
  SharedFrames part;
  part.routine = frames.routine;
  for (size_t i : picked) {
    part.functions.push_back(frames.functions[i]);
    part.others.push_back(frames.others[i]);
    part.spaces.push_back(frames.spaces[i]);
    part.function_cells.push_back(frames.function_cells[i]);
    part.function_locals.push_back(frames.function_locals[i]);
    part.cells.insert(part.cells.end(), frames.function_cells[i].begin(),
                      frames.function_cells[i].end());
    part.locals.insert(part.locals.end(), frames.function_locals[i].begin(),
                       frames.function_locals[i].end());
  }
  return part;
}

}  // namespace

OverlayPlan PlanFrameOverlay(const std::vector<LinkModule>& modules,
                             const std::vector<bool>& linked,
                             const std::vector<std::string>& called_from_outside,
                             const DataCells* free_cells) {
  OverlayPlan plan;
  Graph graph(modules, linked);
  std::vector<Node>& nodes = graph.nodes();
  const std::vector<size_t> roots = Roots(modules, linked, graph, true);
  MarkReach(roots, &nodes);
  MarkPrivate(modules, linked, called_from_outside, roots, graph, &nodes);
  for (Node& node : nodes) {
    if (!node.private_frame && node.root != kNone) node.place = FramePlace::kOverlaid;
  }
  std::vector<uint32_t> offsets(nodes.size(), 0);
  const std::vector<uint32_t> sizes = PlaceRegions(roots.size(), nodes, &offsets);
  uint32_t at = 0;
  for (size_t r = 0; r < roots.size(); ++r) {
    plan.regions.push_back(OverlayRegion{nodes[roots[r]].function->symbol, at, sizes[r]});
    at += sizes[r];
  }
  for (size_t i = 0; i < nodes.size(); ++i) {
    const Node& node = nodes[i];
    FunctionFrame frame{node.function->symbol, Shown(modules[node.module]), node.size, node.place};
    if (node.place == FramePlace::kOverlaid) {
      frame.region = node.root;
      frame.offset = plan.regions[node.root].start + offsets[i];
    } else if (node.private_frame) {
      frame.offset = at;
      at += node.size;
    }
    plan.frames_size += node.size;
    plan.functions.push_back(std::move(frame));
  }
  plan.size = at;
  std::vector<std::string> anchors;
  plan.variables =
      Variables(modules, ModulesOfVariables(modules, linked, &anchors), &plan.defined_twice);
  for (const PlacedVariable& v : plan.variables) plan.variables_size += v.size;
  const std::string frame_defs = Definitions(nodes, plan);
  if (frame_defs.empty() && plan.variables.empty()) {
    // Locals outside DATA may be shared all the same.
    plan.shared = FramesSharedWithInterrupts(modules, linked, graph, roots, plan);
    return plan;
  }
  std::string named;
  for (const std::string& anchor : anchors) named += "\t.globl\t" + anchor + "\n";
  plan.source = BlockSource(frame_defs, plan.size) + named;
  plan.probe_source = BlockSource(frame_defs + VariableDefinitions(plan, true), 0) + named;
  for (const PlacedVariable& v : plan.variables) {
    if (plan.variable_sources.empty() || plan.variable_sources.back().module != v.module) {
      plan.variable_sources.push_back(VariableModule{v.module, std::string()});
    }
  }
  for (VariableModule& piece : plan.variable_sources) {
    piece.source = VariablesSource(plan, piece.module, Shown(modules[piece.module]));
  }
  std::vector<uint32_t> addresses(nodes.size(), 0), variable_addresses(plan.variables.size(), 0);
  DataCells taken;
  if (free_cells != nullptr && PlaceAllInCells(roots.size(), nodes, plan.variables, *free_cells,
                                               &addresses, &variable_addresses, &taken)) {
    plan.in_cells = true;
    plan.size = static_cast<uint32_t>(std::count(taken.begin(), taken.end(), true));
    for (OverlayRegion& region : plan.regions) region.start = 0;
    for (size_t i = 0; i < nodes.size(); ++i) plan.functions[i].offset = addresses[i];
    for (size_t i = 0; i < plan.variables.size(); ++i) {
      plan.variables[i].offset = variable_addresses[i];
    }
    plan.source =
        CellsSource(Definitions(nodes, plan) + VariableDefinitions(plan, false), taken) + named;
    plan.variable_sources.clear();
  }
  plan.shared = FramesSharedWithInterrupts(modules, linked, graph, roots, plan);
  return plan;
}

std::vector<SharedArithmetic> ArithmeticOfSeveralRoots(const std::vector<LinkModule>& modules,
                                                       const std::vector<bool>& linked) {
  Graph graph(modules, linked);
  const std::vector<Node>& nodes = graph.nodes();
  // The kernel's tasks are left out: its switch is no interrupt routine
  // that a keeper could wrap.
  const std::vector<size_t> roots = Roots(modules, linked, graph, false);
  // The first arithmetic call each root's functions make.
  std::vector<std::string> helper(roots.size());
  for (size_t r = 0; r < roots.size(); ++r) {
    std::vector<bool> seen(nodes.size(), false);
    std::vector<size_t> work = {roots[r]};
    seen[roots[r]] = true;
    while (!work.empty() && helper[r].empty()) {
      const Node& node = nodes[work.back()];
      work.pop_back();
      for (const std::string& call : node.function->calls) {
        if (kArithmetic.count(call) != 0) {
          helper[r] = call;
          break;
        }
      }
      for (size_t callee : node.callees) {
        if (!seen[callee]) {
          seen[callee] = true;
          work.push_back(callee);
        }
      }
    }
  }
  std::vector<SharedArithmetic> shared;
  size_t first = roots.size();
  for (size_t r = 0; r < roots.size(); ++r) {
    if (helper[r].empty()) continue;
    if (first == roots.size()) {
      first = r;
      continue;
    }
    shared.push_back(SharedArithmetic{helper[r], nodes[roots[r]].function->symbol,
                                      nodes[roots[first]].function->symbol});
  }
  return shared;
}

KeptOperands OperandsToKeep(const std::vector<SharedArithmetic>& shared,
                            const std::vector<LinkModule>& modules, const std::vector<bool>& linked,
                            const OverlayPlan& plan, uint32_t max_frame_bytes) {
  KeptOperands kept;
  auto add = [&](const std::string& root) -> size_t {
    const auto at = std::find(kept.routines.begin(), kept.routines.end(), root);
    if (at != kept.routines.end()) return static_cast<size_t>(at - kept.routines.begin());
    kept.routines.push_back(root);
    kept.frame_cells.emplace_back();
    kept.locals.emplace_back();
    return kept.routines.size() - 1;
  };
  for (const SharedFrames& frames : plan.shared) {
    // The arithmetic first, then the others in plan order, while they fit.
    std::vector<size_t> order(frames.functions.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_partition(order.begin(), order.end(),
                          [&](size_t i) { return kArithmetic.count(frames.functions[i]) != 0; });
    std::vector<size_t> fit, left;
    for (size_t i : order) {
      std::vector<size_t> more = fit;
      more.push_back(i);
      const SharedFrames trial = PartOf(frames, more);
      if (trial.cells.size() + LocalsStackBytes(trial.locals) <= max_frame_bytes) {
        fit = std::move(more);
      } else {
        left.push_back(i);
      }
    }
    std::sort(fit.begin(), fit.end());
    std::sort(left.begin(), left.end());
    if (!left.empty()) kept.too_large.push_back(PartOf(frames, left));
    if (fit.empty()) continue;
    kept.kept.push_back(PartOf(frames, fit));
    const SharedFrames& part = kept.kept.back();
    const size_t r = add(frames.routine);
    kept.locals[r] = part.locals;
    std::vector<std::string>& cells = kept.frame_cells[r];
    for (uint32_t cell : part.cells) {
      char text[32];
      if (plan.in_cells) {
        snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(cell));
      } else {
        snprintf(text, sizeof text, "%s+%u", kOverlayBase, static_cast<unsigned>(cell));
      }
      cells.push_back(text);
    }
  }
  if (shared.empty()) return kept;
  for (const SharedArithmetic& s : shared) {
    if (s.root != "_main") add(s.root);
    if (s.other != "_main") add(s.other);
  }
  kept.bytes = 2;
  for (size_t m = 0; m < modules.size(); ++m) {
    if (!linked[m] || !modules[m].module.call_graph) continue;
    for (const RelFunction& f : modules[m].module.functions) {
      for (const std::string& call : f.calls) {
        if (call.size() > 4 && call.compare(call.size() - 4, 4, "long") == 0 &&
            call.compare(0, 2, "__") == 0) {
          kept.bytes = 4;
        }
      }
    }
  }
  return kept;
}

uint32_t LocalsStackBytes(const std::vector<RelLocalItem>& locals) {
  if (locals.empty()) return 0;
  uint32_t bytes = 2 + (HasSpace(locals, 'X') ? 2 : 0) + (HasSpace(locals, 'P') ? 1 : 0);
  uint32_t bits = 0;
  for (const RelLocalItem& item : locals) {
    if (item.space == 'B') {
      bits += item.size;
    } else {
      bytes += item.size;
    }
  }
  return bytes + (bits + 7) / 8;
}

std::string KeeperSymbol(const std::string& routine) {
  return "__c51_keep" + routine;
}

std::string KeeperSource(const KeptOperands& kept) {
  if (kept.routines.empty()) return std::string();
  bool base = false;
  for (const std::vector<std::string>& cells : kept.frame_cells) {
    for (const std::string& cell : cells) base = base || cell.rfind(kOverlayBase, 0) == 0;
  }
  std::string source =
      "; Interrupt routines that use sdcc's int and long arithmetic, or\n"
      "; functions' frames and locals, which code they interrupt uses too:\n"
      "; those bytes are kept around them.\n"
      "\t.module\tc51keep\n";
  if (base) source += "\t.globl\t" + std::string(kOverlayBase) + "\n";
  if (kept.bytes > 0) source += "\t.globl\ts_OSEG\n";
  std::set<std::string> named;
  for (const std::vector<RelLocalItem>& locals : kept.locals) {
    for (const RelLocalItem& item : locals) {
      if (named.insert(item.symbol).second) source += "\t.globl\t" + item.symbol + "\n";
    }
  }
  source += "\t.area\tCSEG\t(CODE)\n";
  for (size_t r = 0; r < kept.routines.size(); ++r) {
    const std::string& routine = kept.routines[r];
    const std::vector<std::string>& cells = kept.frame_cells[r];
    source += "\t.globl\t" + routine + "\n" + KeeperSymbol(routine) + "::\n";
    for (uint32_t b = 0; b < kept.bytes; ++b)
      source += "\tpush\ts_OSEG+" + std::to_string(b) + "\n";
    for (const std::string& cell : cells) source += "\tpush\t" + cell + "\n";
    source += SaveLocals(kept.locals[r]);
    source += "\tlcall\t" + routine + "\n";
    std::string restore = RestoreLocals(kept.locals[r]);
    for (size_t c = cells.size(); c-- > 0;) restore += "\tpop\t" + cells[c] + "\n";
    for (uint32_t b = kept.bytes; b-- > 0;) restore += "\tpop\ts_OSEG+" + std::to_string(b) + "\n";
    // The routine's RETI ends the interrupt before the bytes are back: one
    // pending then (a routine that takes longer than its timer's period)
    // would enter the keeper again before it is done, and again, until the
    // stack overflows. The one instruction the 8051 runs after RETI turns
    // interrupts off, if they were on, until the end; the one it runs after
    // turning them on again (a write of IE, 0xA8, which simulators honour
    // as the part does, where some let an interrupt in after "setb ea") is
    // the return.
    // (A long jump: the bytes to write back may be more than a short one spans.)
    source += "\tjbc\tea,00001$\n\tljmp\t00002$\n00001$:\n" + restore +
              "\torl\t0xa8,#0x80\n\tret\n00002$:\n" + restore + "\tret\n";
  }
  return source;
}

bool OverlayInputsChanged(const std::vector<LinkModule>& modules, const std::vector<bool>& planned,
                          const std::vector<bool>& linked) {
  std::set<std::string_view> names;  // the graphs' public functions and variables
  bool variables = false;
  for (size_t i = 0; i < modules.size(); ++i) {
    if (!modules[i].module.call_graph) continue;
    // A library module's variables count linked or not: naming one may take it in.
    for (const RelDataItem& item : modules[i].module.data) {
      variables = true;
      if (item.global) names.insert(item.symbol);
    }
    if (!(planned[i] || linked[i])) continue;
    for (const RelFunction& f : modules[i].module.functions) {
      if (f.global) names.insert(f.symbol);
    }
  }
  if (names.empty() && !variables) return false;
  for (size_t i = 0; i < modules.size(); ++i) {
    if (planned[i] == linked[i]) continue;
    if (modules[i].module.call_graph) return true;
    for (const std::string& symbol : modules[i].symbols.references) {
      if (names.count(symbol) > 0) return true;
    }
  }
  return false;
}

std::vector<std::string> OverlayMapLines(const OverlayPlan& plan, uint32_t base) {
  std::vector<const FunctionFrame*> shown;
  for (const FunctionFrame& f : plan.functions) {
    if (f.size > 0) shown.push_back(&f);
  }
  std::stable_sort(shown.begin(), shown.end(), [](const FunctionFrame* a, const FunctionFrame* b) {
    return a->offset < b->offset;
  });
  std::vector<std::string> lines;
  char row[200];
  for (const FunctionFrame* f : shown) {
    const std::string where = f->place == FramePlace::kOverlaid
                                  ? DisplaySymbol(plan.regions[f->region].root)
                                  : PlaceText(f->place);
    snprintf(row, sizeof row, "  %s     %-5u %-16s %-33s %s", AddressText(base + f->offset).c_str(),
             static_cast<unsigned>(f->size), where.c_str(), DisplaySymbol(f->symbol).c_str(),
             f->module.c_str());
    lines.push_back(row);
  }
  return lines;
}

std::string OverlaySummary(const OverlayPlan& plan, uint32_t base) {
  std::string where = AddressText(base);
  if (plan.in_cells) {
    DataCells taken(0x80, false);
    auto take = [&](uint32_t at, uint32_t size) {
      for (uint32_t a = at; a < at + size && a < taken.size(); ++a) taken[a] = true;
    };
    for (const FunctionFrame& f : plan.functions) {
      if (f.place != FramePlace::kUnused) take(f.offset, f.size);
    }
    for (const PlacedVariable& v : plan.variables) take(v.offset, v.size);
    where.clear();
    for (const auto& [start, end] : TakenRuns(taken)) {
      if (!where.empty()) where += ", ";
      where += AddressText(start) + "-" + AddressText(end - 1);
    }
  }
  std::string summary = std::to_string(plan.size) + " BYTES AT " + where + " HOLD " +
                        std::to_string(plan.frames_size) + " BYTES OF FRAMES";
  if (plan.in_cells && plan.variables_size > 0) {
    summary += " AND " + std::to_string(plan.variables_size) + " BYTES OF VARIABLES";
  }
  return summary;
}

}  // namespace c51::sdcc
