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

TEST(RelObject, RefusesForeignCutAndOverlongBlocks) {
  const std::string good = FormatRelModule(Module("M", "abcdef"));
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
