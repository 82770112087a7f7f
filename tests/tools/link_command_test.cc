#include "sim/link_command.h"

#include <gtest/gtest.h>

namespace c51::sim {
namespace {

std::string Inputs(const LinkCommand& command) {
  std::string out;
  for (const LinkInput& input : command.inputs) {
    out += input.bank == kCommonArea ? "" : "B" + std::to_string(input.bank) + ":";
    out += input.path + ";";
  }
  return out;
}

TEST(LinkCommandTest, ReadsTheBuildsCommandFiles) {
  // A banked program as the build writes it: the last entry's comma became a
  // blank, the controls follow the TO line, a NUL ends the text.
  std::string program =
      "\".\\Obj\\main.obj\",\n"
      "BANK1 {\".\\Obj\\b one.obj\"},\n"
      "BANK12 {\".\\Obj\\b12.obj\"},\n"
      "\"C:\\lib\\x.lib\" \n"
      "TO \".\\Obj\\prog\"\n"
      "BankArea(0x8000,0xFFFF)\n"
      "RAMSIZE(256)\n"
      "CODE( 0x0000-0x7FFF )\n";
  program += '\0';
  program += "GARBAGE AFTER THE NUL";
  LinkCommand command;
  std::string err;
  ASSERT_TRUE(ParseLinkCommand(program, &command, &err)) << err;
  EXPECT_FALSE(command.transfer);
  EXPECT_EQ(".\\Obj\\main.obj;B1:.\\Obj\\b one.obj;B12:.\\Obj\\b12.obj;C:\\lib\\x.lib;",
            Inputs(command));
  EXPECT_EQ(".\\Obj\\prog", command.output);
  ASSERT_EQ(3u, command.controls.size());
  EXPECT_EQ("BANKAREA", command.controls[0].name);
  EXPECT_EQ("0x0000-0x7FFF", command.controls[2].argument);

  LinkCommand library;
  std::string transfer = "TRANSFER \n\"a.obj\",\n\"b.obj\" \nTO \".\\x.lib\"\n";
  transfer += '\0';
  ASSERT_TRUE(ParseLinkCommand(transfer, &library, &err)) << err;
  EXPECT_TRUE(library.transfer);
  EXPECT_EQ("a.obj;b.obj;", Inputs(library));
  EXPECT_EQ(".\\x.lib", library.output);
  EXPECT_TRUE(library.controls.empty());
}

TEST(LinkCommandTest, AcceptsHandWrittenForms) {
  struct Case {
    const char* text;
    const char* inputs;
    const char* output;
  };
  const Case cases[] = {
      {"a.obj, b.obj TO prog RAMSIZE(128)", "a.obj;b.obj;", "prog"},
      {"a.obj,&\r\n b.obj to \"p q\"", "a.obj;b.obj;", "p q"},
      {"COMMON {a.obj, b.obj}, BANK0{c.obj}", "a.obj;b.obj;B0:c.obj;", ""},
      {"\"TO\" TO x", "TO;", "x"},
      {"a.obj,\nTO x", "a.obj;", "x"},
      {"\"a.obj\" \nTO \"p\"\n\nRAMSIZE(256)\n", "a.obj;", "p"},  // no banking: empty line
      {"BANKX.obj, BANK1.obj", "BANKX.obj;BANK1.obj;", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    LinkCommand command;
    std::string err;
    ASSERT_TRUE(ParseLinkCommand(c.text, &command, &err)) << err;
    EXPECT_EQ(c.inputs, Inputs(command));
    EXPECT_EQ(c.output, command.output);
  }
}

TEST(LinkCommandTest, RejectsBrokenCommands) {
  struct Case {
    const char* text;
    const char* err;
  };
  const Case cases[] = {
      {"", "NO INPUT FILES"},
      {"TO x", "NO INPUT FILES"},
      {"a.obj b.obj", "MISSING ',' BETWEEN FILE NAMES"},
      {", a.obj", "MISSING FILE NAME BEFORE ','"},
      {"BANK1 {a.obj", "MISSING '}'"},
      {"BANK64 {a.obj}", "BANK NUMBER OUT OF RANGE"},
      {"BANK1 a.obj", "MISSING '{' AFTER BANK"},
      {"\"a.obj", "UNTERMINATED FILE NAME"},
      {"a.obj TO", "MISSING FILE NAME"},
      {"a.obj TO x RAMSIZE(", "UNBALANCED PARENTHESES IN CONTROLS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    LinkCommand command;
    std::string err;
    EXPECT_FALSE(ParseLinkCommand(c.text, &command, &err));
    EXPECT_EQ(c.err, err);
  }
}

TEST(LinkCommandTest, EveryPrefixOfACommandFileIsHandled) {
  const std::string text =
      "\"a.obj\",\nBANK3 {\"b.obj\"} \nTO \".\\p\"\nRAMSIZE(256)\nXDATA( 0x0 , ?XD )\n";
  for (size_t n = 0; n <= text.size(); ++n) {
    LinkCommand command;
    std::string err;
    if (!ParseLinkCommand(text.substr(0, n), &command, &err)) {
      EXPECT_FALSE(err.empty()) << n;
    }
  }
}

}  // namespace
}  // namespace c51::sim
