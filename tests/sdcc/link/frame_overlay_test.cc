// Where the linker puts the functions' frames, planned from hand-made call
// graphs: which functions share bytes, which keep their own, and the
// offsets the generated module gives each frame symbol. Then a program
// whose modules name their locals as externals, as the compiler writes
// them, linked by BL51 and run in ucsim's 8051 simulator (skipped without
// sdcc or the simulator).
#include "sdcc/link/frame_overlay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fs.h"
#include "s51_ports.h"
#include "sdcc/run_program.h"
#include "sim/dependency_record.h"
#include "support/temp_dir.h"

namespace c51::sdcc {
namespace {

using Strings = std::vector<std::string>;

const c51::sim::LinkInput kInput{"x.obj"};

// A function with one frame item of `size` bytes named after it.
RelFunction Fn(const std::string& symbol, uint32_t size, Strings calls = {}, bool global = true) {
  RelFunction f{symbol, global, {}, std::move(calls), false};
  if (size > 0) f.frame.push_back({symbol + "_frame", size});
  return f;
}

RelFunction Static(const std::string& symbol, uint32_t size, Strings calls = {}) {
  return Fn(symbol, size, std::move(calls), false);
}

LinkModule Graph(const std::string& name, std::vector<RelFunction> functions, Strings taken = {},
                 std::vector<RelInterrupt> interrupts = {}) {
  LinkModule m;
  m.input = &kInput;
  m.module.name = name;
  m.module.call_graph = true;
  m.module.functions = std::move(functions);
  m.module.taken = std::move(taken);
  m.module.interrupts = std::move(interrupts);
  for (const RelFunction& f : m.module.functions) {
    for (const std::string& callee : f.calls) m.symbols.references.push_back(callee);
  }
  for (const std::string& t : m.module.taken) m.symbols.references.push_back(t);
  return m;
}

// A module without a graph (assembly, an old object) using `references`.
LinkModule Foreign(const std::string& name, Strings references) {
  LinkModule m;
  m.input = &kInput;
  m.module.name = name;
  m.symbols.references = std::move(references);
  return m;
}

const char* PlaceName(FramePlace place) {
  switch (place) {
    case FramePlace::kOverlaid:
      return "in";
    case FramePlace::kUnused:
      return "unused";
    case FramePlace::kShared:
      return "shared";
    case FramePlace::kTaken:
      return "taken";
    case FramePlace::kRecursive:
      return "recursive";
    case FramePlace::kOutside:
      return "outside";
    case FramePlace::kCallee:
      return "callee";
  }
  return "?";
}

// "_main in _main @0, _g shared @9, ..." in link order; "MODULE." before a
// static function's name.
std::string Layout(const OverlayPlan& plan) {
  std::string out;
  for (const FunctionFrame& f : plan.functions) {
    if (!out.empty()) out += ", ";
    if (f.module.find("(A)") != std::string::npos) out += "A.";
    if (f.module.find("(B)") != std::string::npos) out += "B.";
    out += f.symbol + " " + PlaceName(f.place);
    if (f.place == FramePlace::kOverlaid) out += " " + plan.regions[f.region].root;
    out += " @" + std::to_string(f.offset);
  }
  return out;
}

// "_main 0+9, _t0 9+4" for the regions, then "= <block size>".
std::string Regions(const OverlayPlan& plan) {
  std::string out;
  for (const OverlayRegion& r : plan.regions) {
    out += r.root + " " + std::to_string(r.start) + "+" + std::to_string(r.size) + ", ";
  }
  return out + "= " + std::to_string(plan.size);
}

OverlayPlan PlanAll(const std::vector<LinkModule>& modules) {
  return PlanFrameOverlay(modules, std::vector<bool>(modules.size(), true));
}

TEST(FrameOverlayTest, PlacesEachFrameWhereNothingActiveBesideItLies) {
  const struct {
    const char* name;
    std::vector<LinkModule> modules;
    const char* layout;
    const char* regions;
  } kCases[] = {
      {"a chain stacks",
       {Graph("M", {Fn("_main", 2, {"_a"}), Fn("_a", 3, {"_b"}), Fn("_b", 4)})},
       "_main in _main @0, _a in _main @2, _b in _main @5",
       "_main 0+9, = 9"},
      {"siblings share, a common callee lies above the longest path",
       {Graph("M", {Fn("_main", 2, {"_a", "_b"}), Fn("_a", 3, {"_c"}), Fn("_b", 5, {"_c"}),
                    Fn("_c", 1)})},
       "_main in _main @0, _a in _main @2, _b in _main @2, _c in _main @7",
       "_main 0+8, = 8"},
      {"main and an interrupt: the shared function and what it calls are private",
       {Graph("M", {Fn("_main", 2, {"_h", "_m"}), Fn("_h", 3, {"_k"}), Fn("_k", 1), Fn("_m", 6)}),
        Graph("T", {Fn("_t0", 4, {"_h", "_i"}), Fn("_i", 2)}, {}, {{1, "_t0"}})},
       "_main in _main @0, _h shared @14, _k shared @17, _m in _main @2, _t0 in _t0 @8, "
       "_i in _t0 @12",
       "_main 0+8, _t0 8+6, = 18"},
      {"interrupts follow main by number; two interrupts share a function",
       {Graph("M", {Fn("_main", 1)}),
        Graph("T", {Fn("_t1", 2, {"_s"}), Fn("_t0", 3, {"_s"}), Fn("_s", 1)}, {},
              {{3, "_t1"}, {1, "_t0"}})},
       "_main in _main @0, _t1 in _t1 @4, _t0 in _t0 @1, _s shared @6",
       "_main 0+1, _t0 1+3, _t1 4+2, = 7"},
      {"a function whose address is taken is private, so is what it calls",
       {Graph("M", {Fn("_main", 2, {"_a"}), Fn("_a", 2), Fn("_cb", 3, {"_d"}), Fn("_d", 2)},
              {"_cb"})},
       "_main in _main @0, _a in _main @2, _cb taken @4, _d callee @7",
       "_main 0+4, = 9"},
      {"a function taken in another module",
       {Graph("M", {Fn("_main", 1, {"_a"}), Fn("_a", 2)}), Graph("K", {}, {"_a"})},
       "_main in _main @0, _a taken @1",
       "_main 0+1, = 3"},
      {"the program's calls through pointers reach every function it takes",
       {Graph("M", {Fn("_main", 1, {"_run"})}), Graph("S", {[] {
                                                    RelFunction f = Fn("_run", 2);
                                                    f.indirect_calls = true;
                                                    return f;
                                                  }()}),
        Graph("T", {}, {"_c1", "_c2"}), Graph("H", {Fn("_c1", 3, {"_d"}), Fn("_c2", 4), Fn("_d", 1)})},
       "_main in _main @0, _run in _main @1, _c1 in _main @3, _c2 in _main @3, _d in _main @6",
       "_main 0+7, = 7"},
      {"a program handing pointers to qsort keeps the taken functions apart",
       {[] {
          LinkModule m = Graph("M", {Fn("_main", 1, {"_run"}), [] {
                                       RelFunction f = Fn("_run", 2);
                                       f.indirect_calls = true;
                                       return f;
                                     }()},
                               {"_c1"});
          m.symbols.references.push_back("_qsort");
          return m;
        }(),
        Graph("H", {Fn("_c1", 3)})},
       "_main in _main @0, _run in _main @1, _c1 taken @3",
       "_main 0+3, = 6"},
      {"the run-time library's pointer calls stay its own",
       {Graph("M", {Fn("_main", 1, {"_run", "_pf"}), [] {
                      RelFunction f = Fn("_run", 2);
                      f.indirect_calls = true;
                      return f;
                    }()},
              {"_c1"}),
        Graph("H", {Fn("_c1", 3)}), [] {
          LinkModule m = Graph("PF", {[] {
                                        RelFunction f = Fn("_pf", 5);
                                        f.indirect_calls = true;
                                        return f;
                                      }(),
                                      Fn("_out", 2)},
                               {"_out"});
          m.from_library = m.runtime = true;
          return m;
        }()},
       "_main in _main @0, _run in _main @1, _c1 in _main @3, _pf in _main @1, _out taken @6",
       "_main 0+6, = 8"},
      {"recursion and a cycle are private, so is what they call",
       {Graph("M", {Fn("_main", 1, {"_r", "_p"}), Fn("_r", 2, {"_r", "_z"}), Fn("_p", 3, {"_q"}),
                    Fn("_q", 4, {"_p"}), Fn("_z", 1)})},
       "_main in _main @0, _r recursive @1, _p recursive @3, _q recursive @6, _z callee @10",
       "_main 0+1, = 11"},
      {"a function an assembly module names is private; main it may name",
       {Graph("M", {Fn("_main", 1, {"_a", "_f"}), Fn("_a", 2), Fn("_f", 3, {"_g"}), Fn("_g", 1)}),
        Foreign("ASM", {"_f", "_main", "_elsewhere"})},
       "_main in _main @0, _a in _main @1, _f outside @3, _g callee @6",
       "_main 0+3, = 7"},
      {"what sdcc's library calls back is private",
       {Graph("M", {Fn("_main", 1, {"_putchar"}), Fn("_putchar", 2)})},
       "_main in _main @0, _putchar outside @1",
       "_main 0+1, = 3"},
      {"a module's reference that is neither call nor pointer (inline assembly)",
       {Graph("M", {Fn("_main", 1, {"_a"}), Fn("_a", 2)}), [] {
          LinkModule m = Graph("N", {Fn("_n", 2)});
          m.symbols.references.push_back("_a");
          return m;
        }()},
       "_main in _main @0, _a outside @1, _n unused @0",
       "_main 0+1, = 3"},
      {"two modules' static _delay stay apart",
       {Graph("A", {Fn("_main", 1, {"_delay", "_b"}), Static("_delay", 3)}),
        Graph("B", {Fn("_b", 2, {"_delay"}), Static("_delay", 5)})},
       "A._main in _main @0, A._delay in _main @1, B._b in _main @1, B._delay in _main @3",
       "_main 0+8, = 8"},
      {"a static function shadows a public one of the same name",
       {Graph("A", {Fn("_main", 1, {"_delay", "_b"}), Static("_delay", 3)}),
        Graph("B", {Fn("_b", 2, {"_delay"}), Fn("_delay", 5)})},
       "A._main in _main @0, A._delay in _main @1, B._b in _main @1, B._delay in _main @3",
       "_main 0+8, = 8"},
      {"callees outside the graphs are ignored",
       {Graph("M", {Fn("_main", 1, {"_printf", "_a"}), Fn("_a", 2, {"__mulint"})})},
       "_main in _main @0, _a in _main @1",
       "_main 0+3, = 3"},
      {"functions nothing reaches share the block's start",
       {Graph("M", {Fn("_main", 2, {"_a"}), Fn("_a", 2), Fn("_dead", 5, {"_a", "_dead2"}),
                    Fn("_dead2", 1)})},
       "_main in _main @0, _a in _main @2, _dead unused @0, _dead2 unused @0",
       "_main 0+4, = 4"},
      {"main calling an interrupt routine: both roots reach it",
       {Graph("M", {Fn("_main", 1, {"_t0"}), Fn("_t0", 2, {"_x"}), Fn("_x", 1)}, {},
              {{1, "_t0"}})},
       "_main in _main @0, _t0 shared @1, _x shared @3",
       "_main 0+1, _t0 1+0, = 4"},
      {"each task of the kernel is a root; a function two tasks call is private",
       {Graph("M",
              {Fn("_job1", 3, {"_show"}), Fn("_job0", 2, {"_show", "_calc"}), Fn("_show", 4),
               Fn("_calc", 1), Fn("___c51_task_1", 0, {"_job1"}),
               Fn("___c51_task_0", 0, {"_job0"})}),
        Foreign("KERNEL", {"___c51_task_0", "___c51_task_1"})},
       "_job1 in ___c51_task_1 @3, _job0 in ___c51_task_0 @0, _show shared @6, "
       "_calc in ___c51_task_0 @2, ___c51_task_1 in ___c51_task_1 @3, "
       "___c51_task_0 in ___c51_task_0 @0",
       "___c51_task_0 0+3, ___c51_task_1 3+3, = 10"},
      {"a static function of a task's name is no task",
       {Graph("M", {Fn("_main", 1), Static("___c51_task_0", 1)})},
       "_main in _main @0, ___c51_task_0 unused @0",
       "_main 0+1, = 1"},
      {"an interrupt routine in a module without a graph is no root",
       {Graph("M", {Fn("_main", 1, {"_a"}), Fn("_a", 1)}), [] {
          LinkModule m = Foreign("ASM", {});
          m.module.interrupts.push_back({1, "_t0"});
          return m;
        }()},
       "_main in _main @0, _a in _main @1",
       "_main 0+2, = 2"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const OverlayPlan plan = PlanAll(c.modules);
    EXPECT_EQ(Layout(plan), c.layout);
    EXPECT_EQ(Regions(plan), c.regions);
  }
}

// The linker's jump from sin to sinf and sdcc's own modules carry no graph:
// what they call is named to the plan, or it would look unused and share
// the bytes of the functions active while it runs.
TEST(FrameOverlayTest, FunctionsCalledFromTheLinkersOwnModulesArePrivate) {
  LinkModule library = Graph("SINCOSF", {Fn("_sinf", 1, {"_sincosf"}), Fn("_sincosf", 6)});
  library.from_library = true;
  const std::vector<LinkModule> modules = {Graph("M", {Fn("_main", 2, {"_sin"})}), library};
  const std::vector<bool> all(modules.size(), true);
  EXPECT_EQ(Layout(PlanFrameOverlay(modules, all)),
            "_main in _main @0, _sinf unused @0, _sincosf unused @0");
  const OverlayPlan plan = PlanFrameOverlay(modules, all, {"_sinf"});
  EXPECT_EQ(Layout(plan), "_main in _main @0, _sinf outside @2, _sincosf callee @3");
  EXPECT_EQ(Regions(plan), "_main 0+2, = 9");
}

TEST(FrameOverlayTest, OnlyLinkedModulesCount) {
  std::vector<LinkModule> modules = {
      Graph("M", {Fn("_main", 1, {"_a"}), Fn("_a", 2)}),
      Foreign("ASM", {"_a"}),
      Graph("L", {Fn("_lib", 4, {"_a"})}, {"_a"}),
  };
  // Neither the assembly module nor the library module is linked: _a stays
  // overlaid and _lib's frame is not defined.
  const OverlayPlan plan = PlanFrameOverlay(modules, {true, false, false});
  EXPECT_EQ(Layout(plan), "_main in _main @0, _a in _main @1");
  EXPECT_EQ(plan.source.find("_lib_frame"), std::string::npos) << plan.source;
  // Linked, the library module's frame is defined and its pointer makes _a
  // private.
  const OverlayPlan linked = PlanFrameOverlay(modules, {true, false, true});
  EXPECT_EQ(Layout(linked), "_main in _main @0, _a taken @1, _lib unused @0");
  EXPECT_NE(linked.source.find("_lib_frame == __overlay_base + 0\n"), std::string::npos);
}

TEST(FrameOverlayTest, TheModuleDefinesEveryFrameSymbol) {
  RelFunction main = Fn("_main", 0, {"_show"});
  main.frame = {{"_main_i$1", 1}, {"_main_buf$2", 4}};
  RelFunction show = Fn("_show", 0);
  show.frame = {{"_show_PARM_2", 2}, {"_show_n$3", 1}};
  RelFunction dead = Fn("_dead", 0);
  dead.frame = {{"_dead_x$4", 2}};
  const OverlayPlan plan = PlanAll({Graph("M", {main, show, dead})});
  EXPECT_EQ(plan.source,
            "; The frames of functions, overlaid by the linker.\n"
            "\t.module\t__overlay\n"
            "\t.area\tDSEG    (DATA)\n"
            "__overlay_base::\n"
            "\t.ds\t8\n"
            "_main_i$1 == __overlay_base + 0\n"
            "_main_buf$2 == __overlay_base + 1\n"
            "_show_PARM_2 == __overlay_base + 5\n"
            "_show_n$3 == __overlay_base + 7\n"
            "_dead_x$4 == __overlay_base + 0\n");
  EXPECT_EQ(plan.frames_size, 10u);

  // No graph, or graphs without frames: no module, the link as before.
  EXPECT_EQ(PlanAll({Foreign("ASM", {"_main"})}).source, "");
  EXPECT_EQ(PlanAll({Graph("M", {Fn("_main", 0, {"_a"}), Fn("_a", 0)})}).source, "");
}

TEST(FrameOverlayTest, ARelinkFollowsTheModulesThePlanDependsOn) {
  const std::vector<LinkModule> modules = {
      Graph("M", {Fn("_main", 1, {"_a"}), Fn("_a", 2)}),
      Graph("L", {Fn("_lib", 4)}),
      Foreign("ASM", {"_a"}),
      Foreign("OTHER", {"_sinf"}),
  };
  const struct {
    const char* name;
    std::vector<bool> planned, linked;
    bool changed;
  } kCases[] = {
      {"same modules", {true, false, false, false}, {true, false, false, false}, false},
      {"a module with a graph came in",
       {true, false, false, false},
       {true, true, false, false},
       true},
      {"a module with a graph went out",
       {true, true, false, false},
       {true, false, false, false},
       true},
      {"a module naming a function of a graph came in",
       {true, false, false, false},
       {true, false, true, false},
       true},
      {"an unrelated module came in",
       {true, false, false, false},
       {true, false, false, true},
       false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(OverlayInputsChanged(modules, c.planned, c.linked), c.changed);
  }
  // Without any graph the link is the old one: nothing to plan again.
  const std::vector<LinkModule> old = {Foreign("A", {"_a"}), Foreign("B", {})};
  EXPECT_FALSE(OverlayInputsChanged(old, {true, false}, {true, true}));
}

TEST(FrameOverlayTest, TheMapListsFramesByAddressWithTheirRegionOrReason) {
  const OverlayPlan plan =
      PlanAll({Graph("M", {Fn("_main", 2, {"_h"}), Fn("_h", 3), Fn("_none", 0)}),
               Graph("T", {Fn("_t0", 1, {"_h"})}, {}, {{1, "_t0"}})});
  EXPECT_EQ(
      OverlayMapLines(plan, 0x21),
      Strings({"  0021H     2     main             main                              x.obj (M)",
               "  0023H     1     t0               t0                                x.obj (T)",
               "  0024H     3     OWN: SHARED      h                                 x.obj (M)"}));
  EXPECT_EQ(OverlaySummary(plan, 0x21), "6 BYTES AT 0021H HOLD 6 BYTES OF FRAMES");
}

TEST(FrameOverlayTest, ArithmeticCalledFromTwoRootsIsNamed) {
  const struct {
    const char* name;
    std::vector<LinkModule> modules;
    const char* shared;  // "helper root other; ..."
  } kCases[] = {
      {"main alone", {Graph("M", {Fn("_main", 1, {"__mullong", "__divuint"})})}, ""},
      {"an interrupt routine alone",
       {Graph("M", {Fn("_main", 1, {"_show"}), Fn("_show", 1)}),
        Graph("T", {Fn("_t0", 1, {"__divuint"})}, {}, {{1, "_t0"}})},
       ""},
      {"both, through functions of their own",
       {Graph("M", {Fn("_main", 1, {"_calc"}), Fn("_calc", 1, {"__mullong"})}),
        Graph("T", {Fn("_t0", 1, {"_load"}), Fn("_load", 2, {"__divulong"})}, {}, {{1, "_t0"}})},
       "__divulong _t0 _main; "},
      {"two interrupt routines, main without",
       {Graph("M", {Fn("_main", 1)}),
        Graph("T", {Fn("_t0", 1, {"__modsint"}), Fn("_t1", 1, {"__mulint"})}, {},
              {{1, "_t0"}, {3, "_t1"}})},
       "__mulint _t1 _t0; "},
      {"other library calls are not counted",
       {Graph("M", {Fn("_main", 1, {"__fsmul"})}),
        Graph("T", {Fn("_t0", 1, {"__fsmul", "_printf"})}, {}, {{1, "_t0"}})},
       ""},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    std::string shared;
    for (const SharedArithmetic& a :
         ArithmeticOfSeveralRoots(c.modules, std::vector<bool>(c.modules.size(), true))) {
      shared += a.helper + " " + a.root + " " + a.other + "; ";
    }
    EXPECT_EQ(shared, c.shared);
  }
}

// An interrupt routine keeps the frames it shares with main(): those of
// what both reach (and what those call), not its own nor main's alone; a
// routine whose shared frames exceed the limit keeps those that fit, in plan
// order, and the rest are reported.
TEST(FrameOverlayTest, FramesAnInterruptRoutineSharesAreKeptAroundIt) {
  const std::vector<LinkModule> modules = {
      Graph("M", {Fn("_main", 2, {"_show", "_own"}), Fn("_show", 3, {"_digit"}), Fn("_digit", 1),
                  Fn("_own", 2)}),
      Graph("T", {Fn("_t0", 2, {"_show", "_tick"}), Fn("_tick", 5), Fn("_t1", 1, {"_own"})}, {},
            {{1, "_t0"}, {3, "_t1"}}),
  };
  const std::vector<bool> linked(modules.size(), true);
  const OverlayPlan plan = PlanFrameOverlay(modules, linked, {}, nullptr);
  ASSERT_EQ(2u, plan.shared.size());
  EXPECT_EQ("_t0", plan.shared[0].routine);
  EXPECT_EQ((std::vector<std::string>{"_show", "_digit"}), plan.shared[0].functions);
  EXPECT_EQ((std::vector<std::string>{"_main", "_main"}), plan.shared[0].others);
  EXPECT_EQ(4u, plan.shared[0].cells.size());
  EXPECT_EQ((std::vector<std::string>{"_own"}), plan.shared[1].functions);

  const KeptOperands kept = OperandsToKeep({}, modules, linked, plan, 3);
  ASSERT_EQ((std::vector<std::string>{"_t0", "_t1"}), kept.routines);
  ASSERT_EQ(1u, kept.too_large.size());
  EXPECT_EQ("_t0", kept.too_large[0].routine);
  EXPECT_EQ((std::vector<std::string>{"_digit"}), kept.too_large[0].functions);
  const std::string source = KeeperSource(kept);
  std::string pushes;
  for (size_t at = source.find("push\t"); at != std::string::npos;
       at = source.find("push\t", at + 1)) {
    pushes += source.substr(at + 5, source.find('\n', at) - at - 5) + " ";
  }
  std::string expected;
  for (uint32_t cell : plan.shared[0].function_cells[0]) {
    expected += "__overlay_base+" + std::to_string(cell) + " ";
  }
  const uint32_t own = plan.shared[1].cells[0];
  for (uint32_t b = 0; b < 2; ++b) expected += "__overlay_base+" + std::to_string(own + b) + " ";
  EXPECT_EQ(expected, pushes) << source;
  EXPECT_NE(
      std::string::npos,
      source.find("lcall\t_t1\n\tjbc\tea,00001$\n\tljmp\t00002$\n00001$:\n\tpop\t__overlay_base+" +
                  std::to_string(own + 1) + "\n"))
      << source;
}

// Beyond the stack's share, sdcc's arithmetic is kept before the program's
// own functions: the original's works in registers and is never lost,
// where its linker warns of shared functions as this one does.
TEST(FrameOverlayTest, ArithmeticIsKeptFirstWhenNotAllFits) {
  RelFunction big = Fn("_big", 0);
  big.locals = {{'X', "_big_buf$1f", 6}};
  RelFunction mod = Fn("__moduint", 0);
  mod.locals = {{'X', "__moduint_PARM_2", 5}};
  const std::vector<LinkModule> modules = {
      Graph("M",
            {Fn("_main", 1, {"_big", "__moduint"}), big, mod, Fn("_t0", 0, {"_big", "__moduint"})},
            {}, {{1, "_t0"}}),
  };
  const std::vector<bool> linked(modules.size(), true);
  const OverlayPlan plan = PlanFrameOverlay(modules, linked, {}, nullptr);
  ASSERT_EQ(1u, plan.shared.size());
  // Both would take 4 + 11 bytes; 12 hold either alone: the arithmetic's.
  const KeptOperands kept = OperandsToKeep({}, modules, linked, plan, 12);
  ASSERT_EQ(1u, kept.kept.size());
  EXPECT_EQ((Strings{"__moduint"}), kept.kept[0].functions);
  ASSERT_EQ(1u, kept.too_large.size());
  EXPECT_EQ((Strings{"_big"}), kept.too_large[0].functions);
}

// Locals outside DATA count as shared as frames do, a function with only
// them included; each byte is read into the stack and written back after
// the routine, each bit moved itself, and the registers doing it are kept.
TEST(FrameOverlayTest, LocalsOutsideDataAnInterruptRoutineSharesAreKeptAroundIt) {
  RelFunction sum = Fn("_sum", 0);
  sum.locals = {{'X', "_sum_PARM_2", 1}, {'X', "_sum_s$1f", 2}};
  RelFunction pick = Fn("_pick", 1);
  pick.locals = {{'B', "_pick_PARM_1", 1}, {'P', "_pick_n$1f", 1}};
  RelFunction own = Fn("_own", 0);
  own.locals = {{'X', "_own_buf$1f", 20}};
  const std::vector<LinkModule> modules = {
      Graph("M",
            {Fn("_main", 2, {"_sum", "_pick", "_own"}), sum, pick, own,
             Fn("_t0", 0, {"_sum", "_pick"}), Fn("_t1", 0, {"_own"})},
            {}, {{1, "_t0"}, {3, "_t1"}}),
  };
  const std::vector<bool> linked(modules.size(), true);
  const OverlayPlan plan = PlanFrameOverlay(modules, linked, {}, nullptr);
  ASSERT_EQ(2u, plan.shared.size());
  EXPECT_EQ((Strings{"_sum", "_pick"}), plan.shared[0].functions);
  EXPECT_EQ((Strings{"XDATA", "DATA, PDATA, BIT"}), plan.shared[0].spaces);
  EXPECT_EQ(1u, plan.shared[0].cells.size());
  ASSERT_EQ(4u, plan.shared[0].locals.size());
  EXPECT_EQ("_pick_n$1f", plan.shared[0].locals[3].symbol);

  // Two bytes of A and PSW, two of DPTR, one of R0, four bytes, one of bits.
  EXPECT_EQ(10u, LocalsStackBytes(plan.shared[0].locals));
  EXPECT_EQ(24u, LocalsStackBytes(plan.shared[1].locals));
  const KeptOperands kept = OperandsToKeep({}, modules, linked, plan, 11);
  ASSERT_EQ((Strings{"_t0"}), kept.routines);
  ASSERT_EQ(1u, kept.too_large.size());
  EXPECT_EQ((Strings{"_own"}), kept.too_large[0].functions);
  // One more DATA cell than the limit holds: _sum's bytes alone are kept.
  const KeptOperands fewer = OperandsToKeep({}, modules, linked, plan, 10);
  ASSERT_EQ((Strings{"_t0"}), fewer.routines);
  ASSERT_EQ(2u, fewer.too_large.size());
  EXPECT_EQ((Strings{"_pick"}), fewer.too_large[0].functions);
  EXPECT_EQ((Strings{"_sum"}), fewer.kept[0].functions);

  const std::string source = KeeperSource(kept);
  const std::string cell = "__overlay_base+" + std::to_string(plan.shared[0].cells[0]);
  const std::string restore =
      "\tpop\tacc\n\tmov\tr0,#_pick_n$1f\n\tmovx\t@r0,a\n"
      "\tpop\tacc\n\trrc\ta\n\tmov\t_pick_PARM_1,c\n"
      "\tpop\tacc\n\tmov\tdptr,#(_sum_s$1f+1)\n\tmovx\t@dptr,a\n"
      "\tpop\tacc\n\tmov\tdptr,#_sum_s$1f\n\tmovx\t@dptr,a\n"
      "\tpop\tacc\n\tmov\tdptr,#_sum_PARM_2\n\tmovx\t@dptr,a\n"
      "\tpop\tacc\n\tmov\tr0,a\n\tpop\tdph\n\tpop\tdpl\n\tpop\tpsw\n\tpop\tacc\n"
      "\tpop\t" +
      cell + "\n";
  // Interrupts that were on stay off while the bytes go back.
  const std::string expected =
      "__c51_keep_t0::\n\tpush\t" + cell +
      "\n"
      "\tpush\tacc\n\tpush\tpsw\n\tpush\tdpl\n\tpush\tdph\n\tmov\ta,r0\n\tpush\tacc\n"
      "\tmov\tdptr,#_sum_PARM_2\n\tmovx\ta,@dptr\n\tpush\tacc\n"
      "\tmov\tdptr,#_sum_s$1f\n\tmovx\ta,@dptr\n\tpush\tacc\n"
      "\tmov\tdptr,#(_sum_s$1f+1)\n\tmovx\ta,@dptr\n\tpush\tacc\n"
      "\tmov\tc,_pick_PARM_1\n\trlc\ta\n\tpush\tacc\n"
      "\tmov\tr0,#_pick_n$1f\n\tmovx\ta,@r0\n\tpush\tacc\n"
      "\tlcall\t_t0\n\tjbc\tea,00001$\n\tljmp\t00002$\n00001$:\n" +
      restore + "\torl\t0xa8,#0x80\n\tret\n00002$:\n" + restore + "\tret\n";
  EXPECT_NE(std::string::npos, source.find(expected)) << source;
  for (const char* named : {"_sum_PARM_2", "_sum_s$1f", "_pick_PARM_1", "_pick_n$1f"}) {
    EXPECT_NE(std::string::npos, source.find(std::string("\t.globl\t") + named + "\n")) << named;
  }
}

// Bits go eight to a byte, the last of a group first back.
TEST(FrameOverlayTest, KeptBitsGoEightToAByte) {
  KeptOperands kept;
  kept.routines = {"_t0"};
  kept.frame_cells = {{}};
  kept.locals = {{}};
  for (int b = 0; b < 9; ++b) kept.locals[0].push_back({'B', "_b" + std::to_string(b), 1});
  EXPECT_EQ(4u, LocalsStackBytes(kept.locals[0]));
  const std::string source = KeeperSource(kept);
  std::string saves, restores;
  for (size_t at = source.find("\tmov\tc,"); at != std::string::npos;
       at = source.find("\tmov\tc,", at + 1)) {
    saves += source.substr(at + 7, source.find('\n', at) - at - 7) + " ";
  }
  for (size_t at = source.find(",c\n"); at != std::string::npos; at = source.find(",c\n", at + 1)) {
    const size_t begin = source.rfind('\t', at) + 1;
    restores += source.substr(begin, at - begin) + " ";
  }
  EXPECT_EQ("_b0 _b1 _b2 _b3 _b4 _b5 _b6 _b7 _b8 ", saves);
  // Once with interrupts turned off, once with them off already.
  EXPECT_EQ("_b8 _b7 _b6 _b5 _b4 _b3 _b2 _b1 _b0 _b8 _b7 _b6 _b5 _b4 _b3 _b2 _b1 _b0 ", restores);
  size_t pushes = 0;
  for (size_t at = source.find("push\tacc"); at != std::string::npos;
       at = source.find("push\tacc", at + 1)) {
    ++pushes;
  }
  EXPECT_EQ(3u, pushes) << source;  // A itself, then two bytes of bits
}

// DATA cells free in [start, end) pairs, the rest taken.
DataCells Free(std::vector<std::pair<uint32_t, uint32_t>> runs) {
  DataCells cells(0x80, false);
  for (const auto& [start, end] : runs) {
    for (uint32_t a = start; a < end; ++a) cells[a] = true;
  }
  return cells;
}

TEST(FrameOverlayTest, InFreeCellsEachFrameTakesTheFirstRunAboveItsCallers) {
  const struct {
    const char* name;
    std::vector<LinkModule> modules;
    DataCells free;
    const char* layout;  // addresses after "@"
    uint32_t cells;      // taken
  } kCases[] = {
      {"a chain whose block fits neither hole",
       {Graph("M", {Fn("_main", 2, {"_a"}), Fn("_a", 20, {"_b"}), Fn("_b", 12)})},
       Free({{0x08, 0x20}, {0x71, 0x80}}),
       "_main in _main @8, _a in _main @10, _b in _main @113",
       34},
      {"siblings still share",
       {Graph("M", {Fn("_main", 1, {"_a", "_b"}), Fn("_a", 10), Fn("_b", 10)})},
       Free({{0x08, 0x13}}),
       "_main in _main @8, _a in _main @9, _b in _main @9",
       11},
      {"roots and private frames share nothing",
       {Graph("M", {Fn("_main", 4, {"_h"}), Fn("_h", 2)}),
        Graph("T", {Fn("_t0", 4, {"_h"})}, {}, {{1, "_t0"}})},
       Free({{0x08, 0x0C}, {0x30, 0x36}}),
       "_main in _main @8, _h shared @52, _t0 in _t0 @48",
       10},
      {"a callee never lies below its caller's frame, even where a sibling left room",
       {Graph("M", {Fn("_main", 3, {"_a", "_b"}), Fn("_a", 4, {"_c"}), Fn("_b", 1), Fn("_c", 2)})},
       Free({{0x08, 0x10}, {0x40, 0x48}}),
       "_main in _main @8, _a in _main @11, _b in _main @11, _c in _main @64",
       9},
      {"functions nothing calls take the first taken cell",
       {Graph("M", {Fn("_main", 2), Fn("_dead", 30)})},
       Free({{0x30, 0x40}}),
       "_main in _main @48, _dead unused @48",
       2},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const OverlayPlan plan =
        PlanFrameOverlay(c.modules, std::vector<bool>(c.modules.size(), true), {}, &c.free);
    ASSERT_TRUE(plan.in_cells);
    EXPECT_EQ(Layout(plan), c.layout);
    EXPECT_EQ(plan.size, c.cells);
  }
}

TEST(FrameOverlayTest, InFreeCellsTheModuleReservesWhatTheFramesTake) {
  RelFunction main = Fn("_main", 0, {"_show"});
  main.frame = {{"_main_i$1", 1}, {"_main_buf$2", 4}};
  RelFunction show = Fn("_show", 0);
  show.frame = {{"_show_PARM_2", 2}};
  const std::vector<LinkModule> modules = {Graph("M", {main, show})};
  const DataCells free = Free({{0x1B, 0x20}, {0x62, 0x64}});
  const OverlayPlan plan = PlanFrameOverlay(modules, {true}, {}, &free);
  EXPECT_EQ(plan.source,
            "; The frames of functions, overlaid by the linker in free cells.\n"
            "\t.module\t__overlay\n"
            "\t.area\tOABS    (ABS,DATA)\n"
            "\t.org\t0x1B\n\t.ds\t5\n"
            "\t.org\t0x62\n\t.ds\t2\n"
            "__overlay_base == 0x1B\n"
            "_main_i$1 == 0x1B\n"
            "_main_buf$2 == 0x1C\n"
            "_show_PARM_2 == 0x62\n");
  EXPECT_EQ(OverlaySummary(plan, 0), "7 BYTES AT 001BH-001FH, 0062H-0063H HOLD 7 BYTES OF FRAMES");
  // The probe keeps every symbol over an empty block.
  EXPECT_NE(plan.probe_source.find("\t.ds\t0\n_main_i$1 == __overlay_base + 0\n"),
            std::string::npos)
      << plan.probe_source;

  // One cell short: the plan is the block's, for sdld to report.
  const DataCells short_cells = Free({{0x1B, 0x20}, {0x62, 0x63}});
  const OverlayPlan block = PlanFrameOverlay(modules, {true}, {}, &short_cells);
  EXPECT_FALSE(block.in_cells);
  EXPECT_EQ(block.size, 7u);
  EXPECT_NE(block.source.find(".area\tDSEG"), std::string::npos);
}

// `m` with variables in DATA, in its order.
LinkModule WithData(LinkModule m, std::vector<RelDataItem> data) {
  m.module.call_graph = true;
  m.module.data = std::move(data);
  return m;
}

// "_buf@33 _n$1@8" for the variables the plan lays, in link order.
std::string VariableLayout(const OverlayPlan& plan) {
  std::string out;
  for (const PlacedVariable& v : plan.variables) {
    if (!out.empty()) out += " ";
    out += v.symbol + "@" + std::to_string(v.offset);
  }
  return out;
}

TEST(FrameOverlayTest, EachModulesVariablesAreOnePieceOfItsOwnBesideTheFrames) {
  const std::vector<LinkModule> modules = {
      WithData(Graph("M", {Fn("_main", 2)}), {{"_buf", 80, true}, {"_n$1f", 2, false}}),
      Foreign("ASM", {"_buf"}),
      WithData(Graph("K", {}), {{"_tab", 5, true}}),
  };
  const OverlayPlan plan = PlanAll(modules);
  // The frames' block is what it was.
  EXPECT_EQ(plan.source,
            "; The frames of functions, overlaid by the linker.\n"
            "\t.module\t__overlay\n"
            "\t.area\tDSEG    (DATA)\n"
            "__overlay_base::\n"
            "\t.ds\t2\n"
            "_main_frame == __overlay_base + 0\n");
  EXPECT_EQ(OverlaySummary(plan, 0x21), "2 BYTES AT 0021H HOLD 2 BYTES OF FRAMES");
  EXPECT_EQ(plan.variables_size, 87u);
  ASSERT_EQ(plan.variable_sources.size(), 2u);
  EXPECT_EQ(plan.variable_sources[0].module, 0u);
  EXPECT_EQ(plan.variable_sources[0].source,
            "; The variables of x.obj (M) in DATA, laid by sdld as its own.\n"
            "\t.module\t__vars0\n"
            "\t.area\tDSEG    (DATA)\n"
            "_buf::\n\t.ds\t80\n"
            "_n$1f::\n\t.ds\t2\n");
  EXPECT_EQ(plan.variable_sources[1].module, 2u);
  EXPECT_NE(plan.variable_sources[1].source.find("\t.module\t__vars2\n"), std::string::npos);
  // The probe leaves them out, their symbols still defined.
  EXPECT_NE(plan.probe_source.find("\t.ds\t0\n_main_frame == __overlay_base + 0\n"
                                   "_buf == __overlay_base + 0\n_n$1f == __overlay_base + 0\n"
                                   "_tab == __overlay_base + 0\n"),
            std::string::npos)
      << plan.probe_source;

  // Variables and no frame: still the linker's, with a module to probe with.
  const OverlayPlan only = PlanAll({WithData(Graph("D", {}), {{"_big", 100, true}})});
  EXPECT_FALSE(only.source.empty());
  ASSERT_EQ(only.variable_sources.size(), 1u);
  EXPECT_NE(only.probe_source.find("_big == __overlay_base + 0\n"), std::string::npos);
}

TEST(FrameOverlayTest, InFreeCellsVariablesTakeTheFirstRunThatHoldsThemTheLargestFirst) {
  const struct {
    const char* name;
    std::vector<LinkModule> modules;
    DataCells free;
    const char* variables;
    const char* frames;
    uint32_t cells;
  } kCases[] = {
      {"an array larger than the room under the bits goes above them",
       {WithData(Graph("M", {Fn("_main", 0)}),
                 {{"_buf", 80, true}, {"_buf2", 20, true}, {"_flag", 2, true}})},
       Free({{0x08, 0x20}, {0x21, 0x80}}),
       "_buf@33 _buf2@8 _flag@28",
       "_main in _main @0",
       102},
      {"two modules' variables, then the frames in the holes they leave",
       {WithData(Graph("M", {Fn("_main", 2, {"_a"}), Fn("_a", 3)}), {{"_x", 60, true}}),
        WithData(Graph("N", {}), {{"_y", 30, true}, {"_k$2", 1, false}})},
       Free({{0x08, 0x20}, {0x21, 0x80}}),
       "_x@33 _y@93 _k$2@8",
       "_main in _main @9, _a in _main @11",
       96},
      {"the frames first when the variables would take the run they need",
       {WithData(Graph("M", {Fn("_main", 4)}), {{"_v", 2, true}})},
       Free({{0x08, 0x0C}, {0x30, 0x32}}),
       "_v@48",
       "_main in _main @8",
       6},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const OverlayPlan plan =
        PlanFrameOverlay(c.modules, std::vector<bool>(c.modules.size(), true), {}, &c.free);
    ASSERT_TRUE(plan.in_cells);
    EXPECT_EQ(VariableLayout(plan), c.variables);
    EXPECT_EQ(Layout(plan), c.frames);
    EXPECT_EQ(plan.size, c.cells);
    EXPECT_TRUE(plan.variable_sources.empty());
  }

  const std::vector<LinkModule> modules = {
      WithData(Graph("M", {Fn("_main", 1)}), {{"_buf", 30, true}, {"_n$1", 1, false}})};
  const DataCells free = Free({{0x08, 0x20}, {0x21, 0x40}});
  const OverlayPlan plan = PlanFrameOverlay(modules, {true}, {}, &free);
  ASSERT_TRUE(plan.in_cells);
  EXPECT_EQ(plan.source,
            "; The frames of functions, overlaid by the linker in free cells.\n"
            "\t.module\t__overlay\n"
            "\t.area\tOABS    (ABS,DATA)\n"
            "\t.org\t0x08\n\t.ds\t2\n"
            "\t.org\t0x21\n\t.ds\t30\n"
            "__overlay_base == 0x08\n"
            "_main_frame == 0x09\n"
            "_buf == 0x21\n"
            "_n$1 == 0x08\n");
  EXPECT_EQ(OverlaySummary(plan, 0),
            "32 BYTES AT 0008H-0009H, 0021H-003EH HOLD 1 BYTES OF FRAMES AND 31 BYTES OF "
            "VARIABLES");
  // No room for them all: the block's plan, for sdld to report.
  const DataCells short_cells = Free({{0x08, 0x20}, {0x21, 0x3E}});
  EXPECT_FALSE(PlanFrameOverlay(modules, {true}, {}, &short_cells).in_cells);
}

// A library module whose variable the program names comes in whole, as it
// did while it defined the variable: sdld takes it for a public symbol of
// it that the overlay module names.
TEST(FrameOverlayTest, ALibraryModuleComesInForAVariableTheProgramNames) {
  LinkModule uart =
      WithData(Graph("UART", {Fn("_uart_start", 1)}), {{"_rx", 16, true}, {"_head$9", 1, false}});
  uart.from_library = true;
  uart.symbols.publics = {"G$uart_start$0$0", "_uart_start"};
  uart.symbols.code_publics = uart.symbols.publics;
  LinkModule spare = WithData(Graph("SPARE", {Fn("_spare", 1)}), {{"_unused", 4, true}});
  spare.from_library = true;
  spare.symbols.publics = spare.symbols.code_publics = {"_spare"};
  LinkModule main = Graph("M", {Fn("_main", 1)});
  main.symbols.references = {"_rx"};
  const std::vector<LinkModule> modules = {main, uart, spare};
  for (const std::vector<bool>& linked :
       {std::vector<bool>{true, false, false}, std::vector<bool>{true, true, false}}) {
    SCOPED_TRACE(linked[1] ? "linked" : "not yet linked");
    const OverlayPlan plan = PlanFrameOverlay(modules, linked);
    EXPECT_EQ(VariableLayout(plan), "_rx@0 _head$9@0");
    EXPECT_NE(plan.source.find("\t.globl\t_uart_start\n"), std::string::npos) << plan.source;
    EXPECT_NE(plan.probe_source.find("\t.globl\t_uart_start\n"), std::string::npos);
    EXPECT_EQ(plan.source.find("_spare"), std::string::npos) << plan.source;
  }
  // A module of the program defining it first: the library's stays out.
  const std::vector<LinkModule> own = {WithData(main, {{"_rx", 2, true}}), uart};
  const OverlayPlan plan = PlanFrameOverlay(own, {true, false});
  EXPECT_EQ(VariableLayout(plan), "_rx@0");
  EXPECT_EQ(plan.source.find("_uart_start"), std::string::npos) << plan.source;

  // Whether the library module is linked changes the plan, and so does a
  // module without a graph that names its variable.
  EXPECT_TRUE(OverlayInputsChanged(modules, {true, false, false}, {true, true, false}));
  const std::vector<LinkModule> with_assembly = {Graph("M", {Fn("_main", 0)}), uart,
                                                 Foreign("ASM", {"_rx"})};
  EXPECT_TRUE(OverlayInputsChanged(with_assembly, {true, false, false}, {true, false, true}));
}

TEST(FrameOverlayTest, APublicVariableOfTwoModulesIsLaidOnceAndNamed) {
  LinkModule a = WithData(Graph("A", {Fn("_main", 1)}), {{"_buf", 4, true}, {"_n$a", 1, false}});
  a.variable_aliases = {{"BUF", "_buf"}};
  const LinkModule b = WithData(Graph("B", {}), {{"_buf", 4, true}, {"_n$b", 1, false}});
  const OverlayPlan plan = PlanAll({a, b});
  EXPECT_EQ(VariableLayout(plan), "_buf@0 _n$a@0 _n$b@0");
  EXPECT_EQ(plan.defined_twice, Strings{"_buf"});
  // Assembly's name for it lies at the same place.
  ASSERT_EQ(plan.variable_sources.size(), 2u);
  EXPECT_NE(plan.variable_sources[0].source.find("BUF::\n_buf::\n\t.ds\t4\n"), std::string::npos)
      << plan.variable_sources[0].source;
  const DataCells free = Free({{0x30, 0x40}});
  const OverlayPlan cells = PlanFrameOverlay({a, b}, {true, true}, {}, &free);
  ASSERT_TRUE(cells.in_cells);
  EXPECT_NE(cells.source.find("_buf == 0x30\nBUF == 0x30\n"), std::string::npos) << cells.source;
}

// main() and f1() call g(); main() also calls f2() in another module,
// which calls g() too and takes a parameter in memory. Each function fills
// its locals, calls, and checks them afterwards: frames that are active at
// once must not share a byte. Port 1 ends as 0xA5, or as the number of the
// function that found its locals changed. The areas come in the order sdcc
// writes them, so its start-up code runs through to main().
constexpr char kMainSource[] = R"(	.module main
	.globl _main
	.globl _f1
	.globl _f2
	.globl _g
	.globl _main_a$1
	.globl _main_b$2
	.globl _f1_buf$3
	.globl _f2_PARM_2
	.area REG_BANK_0 (REL,OVR,DATA)
	.ds 8
	.area SSEG
__start__stack:
	.ds 1
	.area HOME (CODE)
	.area GSINIT0 (CODE)
	.area GSINIT1 (CODE)
	.area GSINIT2 (CODE)
	.area GSINIT3 (CODE)
	.area GSINIT4 (CODE)
	.area GSINIT5 (CODE)
	.area GSINIT (CODE)
	.area GSFINAL (CODE)
	.area CSEG (CODE)
	.area HOME (CODE)
__interrupt_vect:
	ljmp __sdcc_gsinit_startup
	.area GSINIT (CODE)
	.globl __sdcc_gsinit_startup
	.globl __sdcc_program_startup
	.globl __start__stack
	.area GSFINAL (CODE)
	ljmp __sdcc_program_startup
	.area HOME (CODE)
__sdcc_program_startup:
	ljmp _main
	.area CSEG (CODE)
_main:
	mov _main_a$1,#0x11
	mov _main_b$2,#0x22
	lcall _f1
	mov _f2_PARM_2,#0x55
	lcall _f2
	mov a,_main_a$1
	cjne a,#0x11,00001$
	mov a,_main_b$2
	cjne a,#0x22,00001$
	mov 0x90,#0xA5
	sjmp .
00001$:
	mov 0x90,#0x01
	sjmp .
_f1:
	mov _f1_buf$3,#0x31
	mov (_f1_buf$3 + 1),#0x32
	mov (_f1_buf$3 + 2),#0x33
	mov (_f1_buf$3 + 3),#0x34
	lcall _g
	mov a,_f1_buf$3
	cjne a,#0x31,00002$
	mov a,(_f1_buf$3 + 1)
	cjne a,#0x32,00002$
	mov a,(_f1_buf$3 + 2)
	cjne a,#0x33,00002$
	mov a,(_f1_buf$3 + 3)
	cjne a,#0x34,00002$
	ret
00002$:
	mov 0x90,#0x02
	sjmp .
)";

constexpr char kLibSource[] = R"(	.module lib
	.globl _f2
	.globl _g
	.globl _f2_PARM_2
	.globl _f2_buf$4
	.globl _g_buf$5
	.area CSEG (CODE)
_f2:
	mov _f2_buf$4,#0x41
	mov (_f2_buf$4 + 1),#0x42
	mov (_f2_buf$4 + 2),#0x43
	mov (_f2_buf$4 + 3),#0x44
	lcall _g
	mov a,_f2_PARM_2
	cjne a,#0x55,00003$
	mov a,_f2_buf$4
	cjne a,#0x41,00003$
	mov a,(_f2_buf$4 + 1)
	cjne a,#0x42,00003$
	mov a,(_f2_buf$4 + 2)
	cjne a,#0x43,00003$
	mov a,(_f2_buf$4 + 3)
	cjne a,#0x44,00003$
	ret
00003$:
	mov 0x90,#0x03
	sjmp .
_g:
	mov _g_buf$5,#0xEE
	mov (_g_buf$5 + 1),#0xEE
	mov (_g_buf$5 + 2),#0xEE
	mov (_g_buf$5 + 3),#0xEE
	ret
)";

// The frames laid end to end: main 2, f1 4, f2 5, g 4.
constexpr uint32_t kAllFrames = 15;
constexpr uint32_t kRegisterBank = 8;

class FrameOverlaySdccTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    sdas_ = FindSdccProgram("sdas8051");
    s51_ = FindSdccProgram("s51");
    bin_ = ExecutableDirectory() + "sdcctool/C51/BIN/";
    if (FindSdccProgram("sdcc").empty() || sdas_.empty()) GTEST_SKIP() << "sdcc is not installed";
    if (s51_.empty()) GTEST_SKIP() << "the simulator s51 (sdcc-ucsim) is not installed";
  }

  std::string At(const std::string& name) const { return dir_.path() + name; }
  std::string Read(const std::string& name) const {
    std::string text, err;
    ReadWholeFile(At(name), &text, &err);
    return text;
  }
  void Write(const std::string& name, const std::string& text) {
    std::string err;
    ASSERT_TRUE(WriteWholeFile(At(name), text, &err)) << err;
  }

  // Assembles `source` and wraps it with `functions` as "<name>.obj".
  void Object(const std::string& name, const char* source, std::vector<RelFunction> functions) {
    ASSERT_NO_FATAL_FAILURE(Write(name + ".asm", source));
    const ProgramRun run = RunProgram(sdas_, {"-plosff", At(name + ".rel"), At(name + ".asm")});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    RelModule module{c51::sim::ToUpper(name), At(name + ".c"), "C51", "SMALL", Read(name + ".rel")};
    module.call_graph = true;
    module.functions = std::move(functions);
    const std::string record = c51::sim::BuildDependencyRecord(
        "C51", {{c51::sim::kSourceEntry, 0, At(name + ".c")}}, nullptr);
    ASSERT_NO_FATAL_FAILURE(Write(name + ".obj", record + FormatRelModule(module)));
  }

  // Runs a tool on a command file, ended with a NUL as the build writes it.
  ProgramRun Tool(const char* tool, const std::string& command) {
    Write("cmd.lnp", command + std::string(1, '\0'));
    return RunProgram(bin_ + tool, {"@" + At("cmd.lnp")});
  }

  test::ScopedTempDir dir_{"c51overlay"};
  std::string sdas_, s51_, bin_;
};

TEST_F(FrameOverlaySdccTest, FramesActiveAtOnceKeepTheirValuesAndSiblingsShare) {
  ASSERT_NO_FATAL_FAILURE(
      Object("main", kMainSource,
             {{"_main", true, {{"_main_a$1", 1}, {"_main_b$2", 1}}, {"_f1", "_f2"}, false},
              {"_f1", true, {{"_f1_buf$3", 4}}, {"_g"}, false}}));
  ASSERT_NO_FATAL_FAILURE(
      Object("lib", kLibSource,
             {{"_f2", true, {{"_f2_PARM_2", 1}, {"_f2_buf$4", 4}}, {"_g"}, false},
              {"_g", true, {{"_g_buf$5", 4}}, {}, false}}));
  ASSERT_EQ(Tool("Lib51.exe", "TRANSFER \"" + At("lib.obj") + "\" TO \"" + At("lib.lib") + "\"")
                .exit_code,
            0);
  // The second module as an object, and from a library, whose frames the
  // plan takes in once sdld has linked the module.
  for (const char* second : {"lib.obj", "lib.lib"}) {
    SCOPED_TRACE(second);
    const ProgramRun link = Tool(
        "BL51.exe", "\"" + At("main.obj") + "\", \"" + At(second) + "\" TO \"" + At("prog") + "\"");
    ASSERT_EQ(link.exit_code, 0) << link.output;
    EXPECT_NE(link.output.find("0 WARNING(S),  0 ERROR(S)"), std::string::npos) << link.output;
    const size_t size_at = link.output.find("Program Size: data=");
    ASSERT_NE(size_at, std::string::npos) << link.output;
    const uint32_t data = static_cast<uint32_t>(std::stoul(link.output.substr(size_at + 19)));
    EXPECT_LT(data, kRegisterBank + kAllFrames) << link.output;
    const std::string map = Read("prog.M51");
    EXPECT_NE(map.find("FUNCTION FRAMES:  11 BYTES AT "), std::string::npos) << map;

    const ProgramRun hex =
        RunProgram(bin_ + "OH51.exe", {At("prog"), "HEXFILE(" + At("prog.hex") + ")"});
    ASSERT_EQ(hex.exit_code, 0) << hex.output;
    std::string output;
    const std::vector<int> p1 = SampleP1(s51_, At("prog.hex"), dir_.path(), 1, 5000, &output);
    ASSERT_EQ(p1.size(), 1u) << output;
    EXPECT_EQ(p1[0], 0xA5) << map;
  }
}

}  // namespace
}  // namespace c51::sdcc
