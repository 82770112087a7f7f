// The compiler hands its functions' locals to the linker: which locals are
// static (kept), what sdcc's own output becomes, and what the record holds.
#include "sdcc/compile/frame_records.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "sdcc/compile/float_formats.h"
#include "sdcc/compile/library_frames.h"
#include "sdcc/compile/static_locals.h"
#include "sdcc/run_program.h"
#include "sdcc/temp_folder.h"
#include "sim/files.h"
#include "support/scoped_env.h"

namespace c51::sdcc {
namespace {

TEST(StaticLocals, TellsStaticFromAutomaticPerFunction) {
  const FunctionLocals locals = FindFunctionLocals(
      "# 1 \"m.c\"\n"
      "struct pt { int x; } origin = { 1 };\n"
      "char buf[sizeof(int)] = { 0 };\n"
      "int proto(int a);\n"
      "void tick(void) __interrupt(1) __using(1) { static unsigned char n; unsigned char k; n++; "
      "}\n"
      "int sum(int a) { static int total = 0, runs; int i; { static char deep[2] = {1, 2}; } "
      "return total + a + i; }\n"
      "void (*pick(int i))(void) { static int x; return 0; }\n"
      "void after(void) { char c; }\n");
  struct Row {
    const char* function;
    const char* name;
    bool automatic;
  } rows[] = {
      {"tick", "k", true},
      {"tick", "n", false},
      {"sum", "i", true},
      {"sum", "a", true},
      {"sum", "total", false},
      {"sum", "runs", false},
      {"sum", "deep", false},
      {"after", "c", true},
      // No body found: nothing counts as automatic there.
      {"pick", "x", false},
      {"pick", "i", false},
      {"proto", "a", false},
      {"origin", "x", false},
      {"buf", "x", false},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(locals.IsAutomatic(r.function, r.name), r.automatic) << r.function << " " << r.name;
  }
}

// A hand-made piece of sdcc's output: a static function's parameter, a
// public function's parameter, a static local, a debug label.
constexpr char kAssembly[] =
    "\t.module m\n"
    "\t.globl _shown\n"
    "\t.globl _shown_PARM_2\n"
    "\t.area DSEG    (DATA)\n"
    "_count::\n"
    "\t.ds 2\n"
    "Lm.shown$keep$1_0$3==.\n"
    "_shown_keep_65536_3:\n"
    "\t.ds 1\n"
    "_shown_PARM_2:\n"
    "\t.ds 1\n"
    "Lm.shown$buf$1_0$3==.\n"
    "_shown_buf_65536_3:\n"
    "\t.ds 4\n"
    "_put_PARM_2:\n"
    "\t.ds 1\n"
    "\t.area\tOSEG    (OVR,DATA)\n"
    "_put_i_65536_9:\n"
    "\t.ds 1\n"
    "\t.area CSEG    (CODE)\n"
    ";Allocation info for local variables in function 'put'\n"
    ";b                         Allocated with name '_put_PARM_2'\n"
    ";i                         Allocated with name '_put_i_65536_9'\n"
    ";\t function put\n"
    "_put:\n"
    "\tmov\t_put_i_65536_9,dpl ; _put_i_65536_9 in a comment stays\n"
    "\tret\n"
    ";Allocation info for local variables in function 'shown'\n"
    ";keep                      Allocated with name '_shown_keep_65536_3'\n"
    ";b                         Allocated with name '_shown_PARM_2'\n"
    ";buf                       Allocated with name '_shown_buf_65536_3'\n"
    ";\t function shown\n"
    "_shown:\n"
    "\tmov\tr0,#_shown_buf_65536_3\n"
    "\tmov\t(_shown_buf_65536_3 + 1),_shown_keep_65536_3\n"
    "\tmov\t_put_PARM_2,_shown_PARM_2\n"
    "\tmov\tdptr,#_handler\n"
    "\tmov\tr1,#_count\n"
    "\tlcall\t_put\n"
    "\tlcall\t__sdcc_call_dptr\n"
    "\tlcall\t_put\n"
    "\tljmp\t_elsewhere\n"
    "00101$:\n"
    "\tsjmp\t00101$\n"
    "\t.area CONST   (CODE)\n"
    "_table:\n"
    "\t.byte _other, (_other >> 8)\n"
    "__str_0:\n"
    "\t.ascii \"a;b\"\n";

TEST(FrameRecords, LocalsLeaveTheModuleAndTheGraphIsRecorded) {
  FunctionLocals locals;
  locals.statics["shown"] = {"keep"};
  locals.statics["put"] = {};
  std::string out;
  RelModule m;
  ExternalizeFrames(kAssembly, locals, "abcd1234", &out, &m);

  ASSERT_TRUE(m.call_graph);
  ASSERT_EQ(m.functions.size(), 2u);
  const RelFunction& put = m.functions[0];
  const RelFunction& shown = m.functions[1];
  EXPECT_EQ(put.symbol, "_put");
  EXPECT_FALSE(put.global);
  ASSERT_EQ(put.frame.size(), 2u);
  EXPECT_EQ(put.frame[0].symbol, "_put_PARM_2$abcd1234");
  EXPECT_EQ(put.frame[1].symbol, "_put_i_65536_9$abcd1234");
  EXPECT_EQ(put.frame[1].size, 1u);

  EXPECT_EQ(shown.symbol, "_shown");
  EXPECT_TRUE(shown.global);
  ASSERT_EQ(shown.frame.size(), 2u);
  EXPECT_EQ(shown.frame[0].symbol, "_shown_PARM_2");  // public: other modules write it
  EXPECT_EQ(shown.frame[1].symbol, "_shown_buf_65536_3$abcd1234");
  EXPECT_EQ(shown.frame[1].size, 4u);
  EXPECT_EQ(shown.calls, (std::vector<std::string>{"_put", "_elsewhere"}));
  EXPECT_TRUE(shown.indirect_calls);
  EXPECT_FALSE(put.indirect_calls);
  EXPECT_EQ(m.taken, (std::vector<std::string>{"_handler", "_other"}));

  // The storage is gone, the uses are renamed; the static is no frame but
  // a variable of the module, as the public _count is.
  EXPECT_EQ(out.find("_shown_buf_65536_3:"), std::string::npos) << out;
  EXPECT_EQ(out.find("Lm.shown$buf"), std::string::npos) << out;
  EXPECT_NE(out.find("\t.globl _shown_buf_65536_3$abcd1234\n"), std::string::npos);
  EXPECT_NE(out.find("mov\tr0,#_shown_buf_65536_3$abcd1234\n"), std::string::npos);
  EXPECT_NE(out.find("(_shown_buf_65536_3$abcd1234 + 1),_shown_keep_65536_3$abcd1234\n"),
            std::string::npos);
  ASSERT_EQ(m.data.size(), 2u);
  EXPECT_EQ(m.data[0].symbol, "_count");
  EXPECT_TRUE(m.data[0].global);
  EXPECT_EQ(m.data[1].symbol, "_shown_keep_65536_3$abcd1234");
  EXPECT_FALSE(m.data[1].global);
  EXPECT_NE(out.find("mov\t_put_PARM_2$abcd1234,_shown_PARM_2\n"), std::string::npos);
  EXPECT_NE(out.find("mov\t_put_i_65536_9$abcd1234,dpl ; _put_i_65536_9 in a comment"),
            std::string::npos);
  EXPECT_NE(out.find(".ascii \"a;b\"\n"), std::string::npos);
  EXPECT_EQ(out.find("_shown_PARM_2:\n"), std::string::npos);

  // A function whose body the C text did not show has no frame: its
  // locals in DSEG are variables of their own, those in OSEG stay.
  FunctionLocals unknown;
  ExternalizeFrames(kAssembly, unknown, "abcd1234", &out, &m);
  EXPECT_TRUE(m.functions[0].frame.empty());
  EXPECT_TRUE(m.functions[1].frame.empty());
  EXPECT_EQ(m.functions[1].calls.size(), 2u);  // the graph is still known
  std::string variables;
  for (const RelDataItem& item : m.data) variables += item.symbol + " ";
  EXPECT_EQ(variables,
            "_count _shown_keep_65536_3$abcd1234 _shown_PARM_2 _shown_buf_65536_3$abcd1234 "
            "_put_PARM_2$abcd1234 ");
  EXPECT_NE(out.find("\t.area\tOSEG    (OVR,DATA)\n_put_i_65536_9:\n\t.ds 1\n"), std::string::npos)
      << out;
}

// sdcc's DATA as it writes it with debug records: a public array, a file's
// static, a function's static; beside them what is not the linker's to lay.
constexpr char kVariables[] =
    "\t.module m\n"
    "\t.globl _buf\n"
    "\t.globl _fixed\n"
    "\t.area DSEG    (DATA)\n"
    "G$buf$0_0$0==.\n"
    "_buf::\n"
    "\t.ds 80\n"
    "Fm$sbuf$0_0$0==.\n"
    "_sbuf:\n"
    "\t.ds 8\n"
    "G$fixed$0_0$0 == 0x0030\n"
    "_fixed\t=\t0x0030\n"
    "Lm.tick$n$1_0$2==.\n"
    "_tick_n_65536_2:\n"
    "\t.ds 1\n"
    "_huge:\n"
    "\t.ds 300\n"
    "\t.area\tOSEG    (OVR,DATA)\n"
    "_leaf_t_65536_3:\n"
    "\t.ds 2\n"
    "\t.area ISEG    (DATA)\n"
    "_ib::\n"
    "\t.ds 4\n"
    "\t.area BSEG    (BIT)\n"
    "_flag::\n"
    "\t.ds 1\n"
    "\t.area CSEG    (CODE)\n"
    ";\t function tick\n"
    "_tick:\n"
    "\tinc\t_tick_n_65536_2\n"
    "\tmov\ta,(_sbuf + 0x0001)\n"
    "\tmov\t_buf,a\n"
    "\tmov\tr0,#_sbuf\n"
    "\tmov\t_fixed,_ib\n"
    "\tret\n";

TEST(FrameRecords, DataVariablesGoToTheLinkerInTheModulesOrder) {
  std::string out;
  RelModule m;
  ExternalizeFrames(kVariables, FunctionLocals(), "t1", &out, &m);
  ASSERT_EQ(m.data.size(), 3u) << out;
  const struct {
    const char* symbol;
    uint32_t size;
    bool global;
  } kExpected[] = {{"_buf", 80, true}, {"_sbuf$t1", 8, false}, {"_tick_n_65536_2$t1", 1, false}};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(m.data[i].symbol, kExpected[i].symbol);
    EXPECT_EQ(m.data[i].size, kExpected[i].size);
    EXPECT_EQ(m.data[i].global, kExpected[i].global);
  }
  EXPECT_NE(out.find("\t.area DSEG    (DATA)\n\t.globl _buf\n\t.globl _sbuf$t1\n"
                     "G$fixed$0_0$0 == 0x0030\n_fixed\t=\t0x0030\n\t.globl _tick_n_65536_2$t1\n"
                     "_huge:\n\t.ds 300\n"),
            std::string::npos)
      << out;
  // The debug labels go with their variables.
  for (const char* gone : {"G$buf$", "Fm$sbuf$", "Lm.tick$n$", "_buf::", "\t.ds 80", "\t.ds 8\n"})
    EXPECT_EQ(out.find(gone), std::string::npos) << gone;
  // What sdld lays as before stays as sdcc wrote it.
  for (const char* kept : {"_leaf_t_65536_3:\n\t.ds 2\n", "_ib::\n\t.ds 4\n", "_flag::\n\t.ds 1\n"})
    EXPECT_NE(out.find(kept), std::string::npos) << kept;
  EXPECT_NE(out.find("\tinc\t_tick_n_65536_2$t1\n\tmov\ta,(_sbuf$t1 + 0x0001)\n\tmov\t_buf,a\n"
                     "\tmov\tr0,#_sbuf$t1\n\tmov\t_fixed,_ib\n"),
            std::string::npos)
      << out;

  // Another file's static of the same name stays apart; the public one is
  // the same variable.
  RelModule other;
  ExternalizeFrames(kVariables, FunctionLocals(), "t2", &out, &other);
  ASSERT_EQ(other.data.size(), 3u);
  EXPECT_EQ(other.data[0].symbol, "_buf");
  EXPECT_EQ(other.data[1].symbol, "_sbuf$t2");
}

// A large-model piece: parameters and locals in XSEG, a bit parameter in
// BSEG, a local in PSEG, a global and a static local beside them.
constexpr char kOutsideData[] =
    "\t.module m\n"
    "\t.globl _sum\n"
    "\t.globl _sum_PARM_2\n"
    "\t.area BSEG    (BIT)\n"
    "_pick_PARM_1:\n"
    "\t.ds 1\n"
    "_flag::\n"
    "\t.ds 1\n"
    "\t.area PSEG    (PAG,XDATA)\n"
    "_pick_k_65536_7:\n"
    "\t.ds 3\n"
    "\t.area XSEG    (XDATA)\n"
    "_fails::\n"
    "\t.ds 1\n"
    "_sum_PARM_2:\n"
    "\t.ds 1\n"
    "_sum_a_65536_1:\n"
    "\t.ds 1\n"
    "_sum_runs_65536_2:\n"
    "\t.ds 2\n"
    "_sum_s_65536_2:\n"
    "\t.ds 2\n"
    "_sum_PARM_2x:\n"
    "\t.ds 1\n"
    "\t.area CSEG    (CODE)\n"
    ";Allocation info for local variables in function 'sum'\n"
    ";b                         Allocated with name '_sum_PARM_2'\n"
    ";a                         Allocated with name '_sum_a_65536_1'\n"
    ";runs                      Allocated with name '_sum_runs_65536_2'\n"
    ";s                         Allocated with name '_sum_s_65536_2'\n"
    ";\t function sum\n"
    "_sum:\n"
    "\tmov\tdptr,#_sum_a_65536_1\n"
    "\tmov\tdptr,#(_sum_s_65536_2 + 1)\n"
    "\tmov\tdptr,#_sum_PARM_2\n"
    "\tret\n"
    ";Allocation info for local variables in function 'pick'\n"
    ";k                         Allocated with name '_pick_k_65536_7'\n"
    ";\t function pick\n"
    "_pick:\n"
    "\tjnb\t_pick_PARM_1,00101$\n"
    "\tmov\tr0,#_pick_k_65536_7\n"
    "00101$:\n"
    "\tret\n";

TEST(FrameRecords, LocalsOutsideDataStayPublicAndAreRecorded) {
  FunctionLocals locals;
  locals.statics["sum"] = {"runs"};
  locals.statics["pick"] = {};
  std::string out;
  RelModule m;
  ExternalizeFrames(kOutsideData, locals, "t1", &out, &m);
  ASSERT_EQ(m.functions.size(), 2u) << out;
  auto text = [](const std::vector<RelLocalItem>& items) {
    std::string s;
    for (const RelLocalItem& item : items)
      s += std::string(1, item.space) + " " + item.symbol + " " + std::to_string(item.size) + "; ";
    return s;
  };
  // The static local, the global and a name that only starts like a
  // parameter are no locals.
  EXPECT_EQ(text(m.functions[0].locals),
            "X _sum_PARM_2 1; X _sum_a_65536_1$t1 1; X _sum_s_65536_2$t1 2; ");
  EXPECT_EQ(text(m.functions[1].locals), "B _pick_PARM_1$t1 1; P _pick_k_65536_7$t1 3; ");
  EXPECT_TRUE(m.functions[0].frame.empty());
  // They stay in place, public, and the code names them so.
  for (const char* kept :
       {"\t.globl _pick_PARM_1$t1\n_pick_PARM_1$t1:\n\t.ds 1\n_flag::\n",
        "\t.globl _pick_k_65536_7$t1\n_pick_k_65536_7$t1:\n\t.ds 3\n",
        "_fails::\n\t.ds 1\n_sum_PARM_2:\n\t.ds 1\n\t.globl "
        "_sum_a_65536_1$t1\n_sum_a_65536_1$t1:\n",
        "_sum_runs_65536_2:\n\t.ds 2\n\t.globl _sum_s_65536_2$t1\n_sum_s_65536_2$t1:\n",
        "\tmov\tdptr,#_sum_a_65536_1$t1\n\tmov\tdptr,#(_sum_s_65536_2$t1 + 1)\n"
        "\tmov\tdptr,#_sum_PARM_2\n",
        "\tjnb\t_pick_PARM_1$t1,00101$\n\tmov\tr0,#_pick_k_65536_7$t1\n"}) {
    EXPECT_NE(out.find(kept), std::string::npos) << kept << "\n" << out;
  }
}

TEST(FloatFormats, FindsConversionsOfFloatsInStringsOnly) {
  struct Row {
    const char* text;
    bool expected;
  } rows[] = {
      {"char *s = \"%f\";", true},
      {"p(\"T=%6.2f C\");", true},
      {"p(\"%-08.3lf\");", true},
      {"p(\"%e %G\");", true},
      {"p(\"%*.*g\");", true},
      {"p(\"%%f 100%%\");", false},
      {"p(\"%d %u %bx %s %ld\");", false},
      {"int f; /* %f */ f = 1;", false},
      {"char c = '%'; int f;", false},
      {"p(\"50%\");", false},
      {"p(\"%%%f\");", true},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(HasFloatFormat(std::string("# 1 \"m.c\"\n") + r.text), r.expected) << r.text;
  }
}

TEST(FrameRecords, ModuleTagsDifferPerSource) {
  EXPECT_EQ(ModuleTag("/p/a.c").size(), 8u);
  EXPECT_EQ(ModuleTag("/p/a.c"), ModuleTag("/p/a.c"));
  EXPECT_NE(ModuleTag("/p/a.c"), ModuleTag("/q/a.c"));
}

// sdcc's real output: the format the transformation reads must be the one
// this sdcc writes, and what comes out must assemble.
TEST(FrameRecords, SdccOutputAssemblesWithItsFramesExternal) {
  const std::string sdcc = FindSdccProgram("sdcc");
  const std::string sdas = FindSdccProgram("sdas8051");
  if (sdcc.empty() || sdas.empty()) GTEST_SKIP() << "sdcc is not installed";
  TempFolder dir;
  ASSERT_FALSE(dir.path().empty());
  const std::string c =
      "typedef void (*fn)(void);\n"
      "unsigned char g;\n"
      "static unsigned char add(unsigned char a, unsigned char b, unsigned char c) { unsigned "
      "char t[3]; t[0] = a; t[1] = b; t[2] = c; return t[a & 1] + t[2]; }\n"
      "void a(void) { g++; }\n"
      "__code fn table[] = { a };\n"
      "unsigned char run(unsigned char i, unsigned char j) { static unsigned char keep; "
      "volatile unsigned char v[4]; v[i & 3] = j; keep += v[0]; table[0](); return add(v[1], "
      "keep, j) + add(i, j, 1); }\n"
      "void main(void) { g = run(1, 2); }\n";
  std::string err;
  ASSERT_TRUE(sim::WriteFile(dir.path() + "m.c", c, &err)) << err;
  ProgramRun run =
      RunProgram(sdcc, {"-mmcs51", "-S", dir.native() + "m.c", "-o", dir.native() + "m.asm"});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  std::string assembly, out;
  ASSERT_EQ(sim::ReadFile(dir.path() + "m.asm", &assembly), sim::ReadResult::kOkay);
  RelModule m;
  ExternalizeFrames(assembly, FindFunctionLocals("# 1 \"m.c\"\n" + c), "t1", &out, &m);
  auto find = [&](const std::string& symbol) -> const RelFunction* {
    for (const RelFunction& f : m.functions) {
      if (f.symbol == symbol) return &f;
    }
    return nullptr;
  };
  const RelFunction* run_f = find("_run");
  const RelFunction* add_f = find("_add");
  ASSERT_NE(run_f, nullptr);
  ASSERT_NE(add_f, nullptr);
  EXPECT_FALSE(add_f->global);
  EXPECT_TRUE(run_f->indirect_calls);
  EXPECT_NE(std::find(run_f->calls.begin(), run_f->calls.end(), "_add"), run_f->calls.end());
  EXPECT_NE(std::find(m.taken.begin(), m.taken.end(), "_a"), m.taken.end());
  auto has_frame = [](const RelFunction& f, const std::string& prefix) {
    return std::any_of(f.frame.begin(), f.frame.end(), [&](const RelFrameItem& item) {
      return item.symbol.compare(0, prefix.size(), prefix) == 0;
    });
  };
  EXPECT_TRUE(has_frame(*run_f, "_run_v_"));
  EXPECT_TRUE(has_frame(*run_f, "_run_PARM_2"));
  EXPECT_FALSE(has_frame(*run_f, "_run_keep_"));
  EXPECT_TRUE(has_frame(*add_f, "_add_PARM_2$t1"));
  EXPECT_TRUE(has_frame(*add_f, "_add_t_"));
  // The public g and run's static keep are variables the linker lays.
  ASSERT_EQ(m.data.size(), 2u) << out;
  EXPECT_EQ(m.data[0].symbol, "_g");
  EXPECT_TRUE(m.data[0].global);
  EXPECT_EQ(m.data[1].symbol.compare(0, 10, "_run_keep_"), 0) << m.data[1].symbol;
  EXPECT_EQ(m.data[1].symbol.substr(m.data[1].symbol.size() - 3), "$t1");
  EXPECT_FALSE(m.data[1].global);

  ASSERT_TRUE(sim::WriteFile(dir.path() + "x.asm", out, &err)) << err;
  run = RunProgram(sdas, {"-plosgffw", dir.native() + "x.rel", dir.native() + "x.asm"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  std::string rel;
  ASSERT_EQ(sim::ReadFile(dir.path() + "x.rel", &rel), sim::ReadResult::kOkay);
  EXPECT_NE(rel.find("S _run_PARM_2 Ref"), std::string::npos) << rel;
  EXPECT_NE(rel.find("S _add_PARM_2$t1 Ref"), std::string::npos) << rel;
  EXPECT_NE(rel.find("S _g Ref"), std::string::npos) << rel;
  EXPECT_NE(rel.find("A DSEG size 0 "), std::string::npos) << rel;
}

}  // namespace
}  // namespace c51::sdcc

namespace c51::sdcc {
namespace {

TEST(LibraryFrames, FormattedOutputIsBuiltWithItsFramesAndKept) {
  const std::string sdcc = FindSdccProgram("sdcc");
  if (sdcc.empty() || SdccLibrarySources(sdcc).empty()) {
    GTEST_SKIP() << "sdcc or its library sources are not installed";
  }
  TempFolder cache;
  ASSERT_FALSE(cache.path().empty());
  test::ScopedEnv cache_env("C51_SDCC_CACHE", cache.native());

  const std::set<std::string> named = {"_sprintf", "_main", "_sin"};
  EXPECT_TRUE(FramedLibraryModules(sdcc, {"--model-small", "--stack-auto"}, false, named).empty());
  EXPECT_TRUE(FramedLibraryModules(sdcc, {"--model-small"}, false, {"_main", "_puts"}).empty());
  for (bool on_stack : {true, false}) {
    for (bool floats : {false, true}) {
      SCOPED_TRACE(std::string(on_stack ? "on the stack" : "in frames") +
                   (floats ? ", floats" : ""));
      const std::vector<RelModule> modules =
          FramedLibraryModules(sdcc, {"--model-small"}, floats, named, on_stack);
      ASSERT_EQ(modules.size(), 6u);  // the printf group and sin's
      const RelModule& engine = modules[0];
      EXPECT_TRUE(engine.call_graph);
      uint32_t frame_bytes = 0;
      bool indirect = false;
      for (const RelFunction& f : engine.functions) {
        for (const RelFrameItem& item : f.frame) frame_bytes += item.size;
        indirect = indirect || (f.symbol == "__output_char" && f.indirect_calls);
      }
      // On the stack, what the engine still has in DATA (its statics and
      // the frames of its entry's parameters) is small; in frames, its
      // locals are frames the overlay shares.
      const size_t dseg = engine.rel.find("A DSEG size ");
      ASSERT_NE(dseg, std::string::npos);
      const uint32_t statics = std::stoul(engine.rel.substr(dseg + 12, 4), nullptr, 16);
      EXPECT_GT(frame_bytes, 0u);
      if (on_stack) {
        EXPECT_LE(frame_bytes + statics, 26u) << frame_bytes << " + " << statics;
      } else {
        EXPECT_GE(frame_bytes, 30u);
        EXPECT_LE(statics, 13u);
      }
      EXPECT_TRUE(indirect);
      EXPECT_NE(engine.rel.find("S __print_format Def"), std::string::npos);
      EXPECT_EQ(engine.rel.find("S ___fsmul Ref") != std::string::npos ||
                    engine.rel.find("S ___fs2ulong Ref") != std::string::npos,
                floats);
      EXPECT_NE(modules[1].rel.find("S _sprintf Def"), std::string::npos);
      EXPECT_NE(modules[2].rel.find("S _printf Def"), std::string::npos);
      // Kept: the second call reads the cache, with the same result.
      EXPECT_EQ(modules[3].name, "SINCOSF");
      EXPECT_NE(modules[3].rel.find("S _sincosf Def"), std::string::npos);
      EXPECT_FALSE(modules[3].functions.empty());
      const std::vector<RelModule> again =
          FramedLibraryModules(sdcc, {"--model-small"}, floats, named, on_stack);
      ASSERT_EQ(again.size(), 6u);
      EXPECT_EQ(again[0].rel, engine.rel);
      EXPECT_EQ(FormatCallGraph(again[0]), FormatCallGraph(engine));
    }
  }
  // The other models keep the engine as sdcc wrote it (its locals are in
  // external RAM there), floats included.
  for (const char* model : {"--model-large", "--model-medium"}) {
    const std::vector<RelModule> modules = FramedLibraryModules(sdcc, {model}, true, named);
    ASSERT_EQ(modules.size(), 6u) << model;
    EXPECT_NE(modules[0].rel.find("S ___fs2ulong Ref"), std::string::npos) << model;
  }
  int kept = 0;
  for (const auto& entry : std::filesystem::directory_iterator(cache.path())) {
    kept += entry.path().filename().string().rfind("sdcclib-", 0) == 0;
  }
  // Small printf with and without floats, its locals on the stack or in
  // frames; sin's; and two models' both.
  EXPECT_EQ(kept, 9);

  // The string and memory functions hand their locals over as frames, and
  // keep no overlay segment of their own in DATA.
  const std::vector<RelModule> strings = FramedLibraryModules(
      sdcc, {"--model-small"}, false, {"_main", "___memcpy", "_strcmp", "_strstr", "_memmove"});
  ASSERT_EQ(strings.size(), 4u);
  for (const RelModule& m : strings) {
    SCOPED_TRACE(m.name);
    EXPECT_TRUE(m.call_graph);
    uint32_t frame_bytes = 0;
    for (const RelFunction& f : m.functions) {
      for (const RelFrameItem& item : f.frame) frame_bytes += item.size;
    }
    EXPECT_GT(frame_bytes, 0u);
    const size_t oseg = m.rel.find("A OSEG size ");
    ASSERT_NE(oseg, std::string::npos);
    EXPECT_EQ(std::stoul(m.rel.substr(oseg + 12, 4), nullptr, 16), 0u);
  }
}

}  // namespace
}  // namespace c51::sdcc
