#include "sdcc/rel_object.h"

#include <gtest/gtest.h>

#include "sim/dependency_record.h"

namespace c51::sdcc {
namespace {

RelModule Module(std::string name, std::string rel) {
  RelModule m;
  m.name = std::move(name);
  m.source = "/p/" + m.name + ".c";
  m.tool = "C51";
  m.model = "SMALL";
  m.rel = std::move(rel);
  return m;
}

TEST(RelObject, ObjectAndLibraryRoundTripWithAnyRelocatableBytes) {
  // Bytes that look like block syntax must stay inside the relocatable.
  const std::string tricky = "XL2\nH 9 areas\nEND\nSDCCOBJ 1\n\r\n" + std::string(1, '\0');
  std::string record =
      c51::sim::BuildDependencyRecord("C51", {{c51::sim::kSourceEntry, 0, "m.c"}}, nullptr);
  std::string object = record + FormatRelModule(Module("MAIN", tricky));
  std::vector<RelModule> read;
  std::string err;
  ASSERT_TRUE(ParseRelModules(object, &read, &err)) << err;
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].rel, tricky);
  EXPECT_EQ(read[0].name, "MAIN");
  EXPECT_EQ(read[0].source, "/p/MAIN.c");
  EXPECT_EQ(read[0].model, "SMALL");

  std::string library = std::string(kRelLibraryHeader) + FormatRelModule(Module("A", "")) +
                        FormatRelModule(Module("B", "x"));
  ASSERT_TRUE(ParseRelModules(library, &read, &err)) << err;
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0].rel, "");
  EXPECT_EQ(read[1].name, "B");
  EXPECT_EQ(read[1].rel, "x");
}

TEST(RelObject, InterruptLinesRoundTripAndOldObjectsLoadWithout) {
  RelModule isr = Module("TIMER", "XL3\n");
  isr.interrupts = {{1, "_t0"}, {255, "_last"}};
  const std::string block = FormatRelModule(isr);
  EXPECT_NE(block.find("MODEL SMALL\nINTERRUPT 1 _t0\nINTERRUPT 255 _last\nREL 4\n"),
            std::string::npos)
      << block;
  std::vector<RelModule> read;
  std::string err;
  ASSERT_TRUE(ParseRelModules(block + FormatRelModule(Module("MAIN", "")), &read, &err)) << err;
  ASSERT_EQ(read.size(), 2u);
  ASSERT_EQ(read[0].interrupts.size(), 2u);
  EXPECT_EQ(read[0].interrupts[1].number, 255u);
  EXPECT_EQ(read[0].interrupts[1].symbol, "_last");
  EXPECT_EQ(read[0].rel, "XL3\n");
  EXPECT_TRUE(read[1].interrupts.empty());

  // An object written before interrupts were recorded.
  const std::string old =
      "SDCCOBJ 1\nMODULE M\nSOURCE m.c\nTOOL C51\nMODEL SMALL\nREL 2\nab\nEND\n";
  ASSERT_TRUE(ParseRelModules(old, &read, &err)) << err;
  ASSERT_EQ(read.size(), 1u);
  EXPECT_TRUE(read[0].interrupts.empty());
  EXPECT_EQ(read[0].rel, "ab");

  for (const char* bad : {"INTERRUPT 256 _x", "INTERRUPT 1", "INTERRUPT x _t0", "INTERRUPT 1 _a _b",
                          "INTERRUPT -1 _x", "INTERRUPT  1 _x"}) {
    std::string text = old;
    text.insert(text.find("REL "), std::string(bad) + "\n");
    EXPECT_FALSE(ParseRelModules(text, &read, &err)) << bad;
  }
}

TEST(RelObject, AbsoluteVariablesRoundTripAndBadLinesAreRefused) {
  RelModule m = Module("MAIN", "XL3\n");
  m.interrupts = {{1, "_t0"}};
  m.absolutes = {{'D', 0x30, 1, "_keep"}, {'X', 0x8000, 600, "_big"}, {'I', 0xF0, 16, "_tab"}};
  const std::string block = FormatRelModule(m);
  EXPECT_NE(block.find("INTERRUPT 1 _t0\nABSOLUTE D 0030 1 _keep\nABSOLUTE X 8000 600 _big\n"
                       "ABSOLUTE I 00F0 16 _tab\nREL 4\n"),
            std::string::npos)
      << block;
  std::vector<RelModule> read;
  std::string err;
  ASSERT_TRUE(ParseRelModules(block, &read, &err)) << err;
  ASSERT_EQ(read.size(), 1u);
  ASSERT_EQ(read[0].absolutes.size(), 3u);
  EXPECT_EQ(read[0].absolutes[1].space, 'X');
  EXPECT_EQ(read[0].absolutes[1].address, 0x8000u);
  EXPECT_EQ(read[0].absolutes[1].size, 600u);
  EXPECT_EQ(read[0].absolutes[1].symbol, "_big");
  EXPECT_EQ(read[0].interrupts.size(), 1u);

  const std::string plain =
      "SDCCOBJ 1\nMODULE M\nSOURCE m.c\nTOOL C51\nMODEL SMALL\nREL 2\nab\nEND\n";
  for (const char* bad : {"ABSOLUTE C 0030 1 _x", "ABSOLUTE D 0030 0 _x", "ABSOLUTE D 10000 1 _x",
                          "ABSOLUTE D 0030 1", "ABSOLUTE D 00G0 1 _x", "ABSOLUTE D 0030 1 _a _b",
                          "ABSOLUTE DD 0030 1 _x", "ABSOLUTE D 0030 70000 _x"}) {
    std::string text = plain;
    text.insert(text.find("REL "), std::string(bad) + "\n");
    EXPECT_FALSE(ParseRelModules(text, &read, &err)) << bad;
  }
}

TEST(RelObject, CallGraphRoundTripsAndMalformedLinesAreRefused) {
  RelModule m = Module("LCD", "XL3\n");
  m.interrupts = {{1, "_t0"}};
  m.call_graph = true;
  m.functions = {
      {"_show", true, {{"_show_buf$1f2e3d", 6}, {"_show_PARM_2", 1}}, {"_put", "__divuint"}, true},
      {"_put", false, {}, {}, false}};
  m.taken = {"_on_key"};
  m.float_formats = true;
  std::vector<RelModule> read;
  std::string err;
  ASSERT_TRUE(ParseRelModules(FormatRelModule(m) + FormatRelModule(Module("B", "")), &read, &err))
      << err;
  ASSERT_EQ(read.size(), 2u);
  const RelModule& r = read[0];
  EXPECT_TRUE(r.call_graph);
  ASSERT_EQ(r.functions.size(), 2u);
  EXPECT_EQ(r.functions[0].symbol, "_show");
  EXPECT_TRUE(r.functions[0].global);
  ASSERT_EQ(r.functions[0].frame.size(), 2u);
  EXPECT_EQ(r.functions[0].frame[0].symbol, "_show_buf$1f2e3d");
  EXPECT_EQ(r.functions[0].frame[0].size, 6u);
  EXPECT_EQ(r.functions[0].calls, (std::vector<std::string>{"_put", "__divuint"}));
  EXPECT_TRUE(r.functions[0].indirect_calls);
  EXPECT_FALSE(r.functions[1].global);
  EXPECT_FALSE(r.functions[1].indirect_calls);
  EXPECT_EQ(r.taken, std::vector<std::string>{"_on_key"});
  EXPECT_TRUE(r.float_formats);
  EXPECT_FALSE(read[1].float_formats);
  EXPECT_EQ(r.interrupts.size(), 1u);
  EXPECT_EQ(r.rel, "XL3\n");
  EXPECT_FALSE(read[1].call_graph);
  EXPECT_EQ(FormatCallGraph(read[1]), "");

  const std::string good = FormatRelModule(Module("M", "ab"));
  for (const char* bad :
       {"CALLGRAPH\nCALL _x", "CALLGRAPH\nFRAME _x 1", "FUNCTION G _f", "CALLGRAPH\nFUNCTION X _f",
        "CALLGRAPH\nFUNCTION G", "CALLGRAPH\nFUNCTION G _a _b",
        "CALLGRAPH\nFUNCTION G _f\nFRAME _x", "CALLGRAPH\nFUNCTION G _f\nFRAME _x -1",
        "CALLGRAPH\nFUNCTION G _f\nFRAME _x 1k", "CALLGRAPH\nFUNCTION G _f\nFRAME _x 999",
        "CALLGRAPH\nTAKEN", "CALLGRAPH\nBOGUS", "FLOATFORMAT"}) {
    std::string text = good;
    text.insert(text.find("REL "), std::string(bad) + "\n");
    EXPECT_FALSE(ParseRelModules(text, &read, &err)) << bad;
  }
}

TEST(RelObject, DataLinesRoundTripWithoutAFunctionAndMalformedOnesAreRefused) {
  RelModule m = Module("DISPLAY", "XL3\n");
  m.call_graph = true;
  m.data = {{"_buf", 80, true}, {"_n$1f2e3d", 2, false}, {"_last", 256, true}};
  m.functions = {{"_show", true, {{"_show_i$1f2e3d", 1}}, {}, false}};
  const std::string block = FormatRelModule(m);
  EXPECT_NE(block.find("CALLGRAPH\nDATA G _buf 80\nDATA L _n$1f2e3d 2\nDATA G _last 256\n"
                       "FUNCTION G _show\n"),
            std::string::npos)
      << block;
  std::vector<RelModule> read;
  std::string err;
  ASSERT_TRUE(ParseRelModules(block, &read, &err)) << err;
  ASSERT_EQ(read.size(), 1u);
  ASSERT_EQ(read[0].data.size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(read[0].data[i].symbol, m.data[i].symbol);
    EXPECT_EQ(read[0].data[i].size, m.data[i].size);
    EXPECT_EQ(read[0].data[i].global, m.data[i].global);
  }
  ASSERT_EQ(read[0].functions.size(), 1u);
  EXPECT_EQ(read[0].functions[0].frame.size(), 1u);

  // A DATA line after a function's lines is the module's, not the function's.
  RelModule graph;
  for (const char* line : {"CALLGRAPH", "FUNCTION L _f", "DATA L _k$1 3", "FRAME _f_x$1 2"}) {
    ASSERT_TRUE(ParseCallGraphLine(line, &graph)) << line;
  }
  ASSERT_EQ(graph.data.size(), 1u);
  EXPECT_FALSE(graph.data[0].global);
  EXPECT_EQ(graph.functions[0].frame.size(), 1u);

  const std::string good = FormatRelModule(Module("M", "ab"));
  for (const char* bad :
       {"DATA G _x 1", "CALLGRAPH\nDATA _x 1", "CALLGRAPH\nDATA X _x 1", "CALLGRAPH\nDATA G _x",
        "CALLGRAPH\nDATA G _x 257", "CALLGRAPH\nDATA G _a _b 1", "CALLGRAPH\nDATA G _x 1k",
        "CALLGRAPH\nDATA G  _x 1"}) {
    std::string text = good;
    text.insert(text.find("REL "), std::string(bad) + "\n");
    EXPECT_FALSE(ParseRelModules(text, &read, &err)) << bad;
  }
}

// Locals kept in XDATA, PDATA or bits go with their function, space and
// size; a line of another space, without a size or a function is refused.
TEST(RelObject, LocalLinesRoundTripWithTheirFunction) {
  RelModule m = Module("SUM", "XL3\n");
  m.call_graph = true;
  m.functions = {
      {"_sum", true, {}, {"_put"}, false, {{'X', "_sum_PARM_2", 1}, {'X', "_sum_s$1f", 2}}},
      {"_pick", false, {}, {}, false, {{'B', "_pick_PARM_1$1f", 1}, {'P', "_pick_n$1f", 3}}}};
  const std::string block = FormatRelModule(m);
  EXPECT_NE(block.find("FUNCTION G _sum\nLOCAL X _sum_PARM_2 1\nLOCAL X _sum_s$1f 2\nCALL _put\n"
                       "FUNCTION L _pick\nLOCAL B _pick_PARM_1$1f 1\nLOCAL P _pick_n$1f 3\n"),
            std::string::npos)
      << block;
  std::vector<RelModule> read;
  std::string err;
  ASSERT_TRUE(ParseRelModules(block, &read, &err)) << err;
  ASSERT_EQ(read.size(), 1u);
  ASSERT_EQ(read[0].functions.size(), 2u);
  for (size_t f = 0; f < 2; ++f) {
    const std::vector<RelLocalItem>& want = m.functions[f].locals;
    const std::vector<RelLocalItem>& got = read[0].functions[f].locals;
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
      EXPECT_EQ(got[i].space, want[i].space);
      EXPECT_EQ(got[i].symbol, want[i].symbol);
      EXPECT_EQ(got[i].size, want[i].size);
    }
  }

  const std::string good = FormatRelModule(Module("M", "ab"));
  for (const char* bad :
       {"CALLGRAPH\nLOCAL X _x 1", "CALLGRAPH\nFUNCTION G _f\nLOCAL D _x 1",
        "CALLGRAPH\nFUNCTION G _f\nLOCAL X _x", "CALLGRAPH\nFUNCTION G _f\nLOCAL X _x 0",
        "CALLGRAPH\nFUNCTION G _f\nLOCAL X _x 257", "CALLGRAPH\nFUNCTION G _f\nLOCAL _x 1",
        "CALLGRAPH\nFUNCTION G _f\nLOCAL XX _x 1"}) {
    std::string text = good;
    text.insert(text.find("REL "), std::string(bad) + "\n");
    EXPECT_FALSE(ParseRelModules(text, &read, &err)) << bad;
  }
}

TEST(RelObject, RefusesForeignCutAndOverlongBlocks) {
  RelModule module = Module("M", "abcdef");
  module.interrupts = {{2, "_x"}};
  const std::string good = FormatRelModule(module);
  std::vector<RelModule> read;
  std::string err;
  // Only the last line end may go.
  for (size_t cut = 1; cut + 1 < good.size(); ++cut) {
    EXPECT_FALSE(ParseRelModules(good.substr(0, cut), &read, &err)) << cut;
  }
  EXPECT_FALSE(ParseRelModules("SIMOBJ 1\nMODULE M\n", &read, &err));
  std::string lying = good;
  lying.replace(lying.find("REL 6"), 5, "REL 99999999999999999999");
  EXPECT_FALSE(ParseRelModules(lying, &read, &err));
  lying = good;
  lying.replace(lying.find("REL 6"), 5, "REL 60");
  EXPECT_FALSE(ParseRelModules(lying, &read, &err));
}

}  // namespace
}  // namespace c51::sdcc
