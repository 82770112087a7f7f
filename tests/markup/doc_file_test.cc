#include "markup/doc_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "markup/doc_invariants.h"
#include "markup/element_name.h"
#include "markup/markup_doc.h"
#include "markup/markup_test_util.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

using test::Local;
using test::MarkupFixture;

std::string FileBytes(const std::string& path) {
  std::string bytes;
  EXPECT_EQ(ReadStatus::kOkay, ReadWholeFile(path, &bytes, nullptr)) << path;
  return bytes;
}

// Every element below the top one in document order, read with the
// navigation calls: "path/of/names=data" for elements without child
// elements, the bare path for the others.
std::vector<std::string> Dump(MarkupDoc* doc) {
  std::vector<std::string> lines;
  doc->RewindPos();
  if (!doc->FindElem()) return lines;
  std::vector<std::string> path = {
      std::string(ElementNameAt(doc->text().c_str() + doc->elem(doc->current_pos()).start + 1))};
  for (;;) {
    if (doc->FindChildElem()) {
      std::string here = path.back() + "/" + std::string(doc->GetChildName());
      if (doc->elem(doc->child_pos()).first_child == 0) {
        lines.push_back(here + "=" + doc->GetChildData());
      } else {
        lines.push_back(here);
        path.push_back(here);
        doc->EnterElem();
      }
    } else if (path.size() > 1) {
      path.pop_back();
      doc->LeaveElem();
    } else {
      return lines;
    }
  }
}

// True when `expected` occurs in `lines` in this order.
::testing::AssertionResult InOrder(const std::vector<std::string>& lines,
                                   const std::vector<std::string>& expected) {
  size_t at = 0;
  for (const std::string& want : expected) {
    while (at < lines.size() && lines[at] != want) ++at;
    if (at == lines.size())
      return ::testing::AssertionFailure() << "missing or out of order: " << want;
    ++at;
  }
  return ::testing::AssertionSuccess();
}

class DocFileTest : public ::testing::Test {
 protected:
  test::ScopedLocalCodePage gbk_{"936"};  // where the platform lets a process choose
  test::ScopedTempDir temp_;

  std::string Write(const std::string& name, const std::string& bytes) {
    EXPECT_TRUE(WriteWholeFile(temp_.path() + name, bytes, nullptr));
    return temp_.path() + name;
  }
};

TEST_F(DocFileTest, ProjectFilesRoundTrip) {
#ifndef _WIN32
  ASSERT_EQ("\xD4\xB4\xB4\xFA\xC2\xEB", Local("源代码"));
#endif
  std::string path = MarkupFixture("project.uvproj");
  MarkupDoc doc;
  ASSERT_TRUE(doc.Load(path)) << doc.GetResultText();
  EXPECT_EQ(std::to_string(FileBytes(path).size()) + " bytes", doc.GetResultText());
  EXPECT_EQ("", test::CheckDocInvariants(doc));
  std::vector<std::string> lines = Dump(&doc);
  EXPECT_EQ(static_cast<size_t>(doc.next_free() - 2), lines.size());  // all but the top
  const std::string t = "Project/Targets/Target/";
  const std::string options = t + "TargetOption/";
  const std::string group = t + "Groups/Group/";
  EXPECT_TRUE(
      InOrder(lines, {
                         "Project/Header=### uVision Project, (C) Keil Software",
                         t + "TargetName=Debug",
                         options + "TargetCommonOption/CreateExecutable=1",
                         options + "TargetCommonOption/AfterMake/UserProg1Name="
                                   "copy .\\Obj\\Debug\\blinky.hex \"..\\out\\blinky (debug).hex\"",
                         options + "TargetCommonOption/AfterMake/UserProg2Name=echo <done>",
                         options + "Target51/Target51Misc/cBanks=3",
                         options + "Target51/Target51Misc/OnChipMemories/RCB/StartAddress=0x8000",
                         options + "Target51/C51/Optimize=8",
                         options + "Target51/C51/VariousControls/Define=DEBUG=1, BOARD_REV=2",
                         options + "Target51/Lx51/MiscControls=REMOVEUNUSED",
                         group + "GroupName=Startup",
                         Local(group + "GroupName=源代码"),
                         Local(group + "Files/File/FilePath=.\\src\\驱动\\串口.c"),
                         group + "Group/GroupName=Board & HAL",
                         group + "Group/Files/File/FilePath=..\\common\\board.h",
                         t + "TargetName=Release",
                         options + "Target51/C51/Optimize=9",
                         group + "GroupName=Release only",
                     }));

  ASSERT_TRUE(doc.Load(MarkupFixture("project.uvopt"))) << doc.GetResultText();
  EXPECT_TRUE(InOrder(Dump(&doc), {
                                      "ProjectOpt/Target/TargetName=Debug",
                                      "ProjectOpt/Target/TargetOption/OPTFL/IsCurrentTarget=0",
                                      "ProjectOpt/Target/TargetName=Release",
                                      "ProjectOpt/Target/TargetOption/OPTFL/IsCurrentTarget=1",
                                      "ProjectOpt/Target/TargetName=Flash & Test",
                                      "ProjectOpt/Group/File/FilenameWithoutPath=STARTUP.A51",
                                  }));
}

TEST_F(DocFileTest, ResultTextsOfLoad) {
  MarkupDoc doc;
  EXPECT_FALSE(doc.Load(MarkupFixture("empty.xml")));
  EXPECT_EQ("0 bytes, Empty document", doc.GetResultText());
  ASSERT_TRUE(doc.Load(Write("2k.xml", "<a>" + std::string(2048 - 7, 'x') + "</a>")));
  EXPECT_EQ("2048 bytes", doc.GetResultText());
  // A file cut short: its open elements' children pile up beside the root.
  std::string damaged = MarkupFixture("damaged.uvproj");
  EXPECT_FALSE(doc.Load(damaged));
  EXPECT_EQ(std::to_string(FileBytes(damaged).size()) + " bytes, Root element has sibling",
            doc.GetResultText());
  EXPECT_EQ("", test::CheckDocInvariants(doc));

  // A file that cannot be read leaves the previous document in place.
  ASSERT_TRUE(doc.Load(Write("ok.xml", "<kept/>")));
  for (const std::string& bad : {temp_.path() + "missing.xml", temp_.path()}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(doc.Load(bad));
    EXPECT_NE("", doc.GetResultText());
    EXPECT_EQ(std::string::npos, doc.GetResultText().find_first_of("\r\n"));
    EXPECT_EQ("<kept/>", doc.text());
    EXPECT_TRUE(doc.FindElem("kept"));
    doc.RewindPos();
  }
}

TEST_F(DocFileTest, Utf8DocumentsAreConvertedOthersKeepTheirBytes) {
  // "é" in UTF-8 is also a valid GBK pair, so a wrong conversion shows.
  ASSERT_NE("\xC3\xA9", Local("\xC3\xA9"));
  struct Case {
    std::string declaration;
    bool converted;
  } cases[] = {
      {"", true},
      {"<?xml version=\"1.0\" encoding=\"utf-8\"?>", true},
      {"<?xml version='1.0' encoding='Utf-8-with-more'?>", true},
      {"<?xml version=\"1.0\"?>", true},
      {"<!-- first --><?xml version=\"1.0\" encoding=\"GB2312\"?>", true},
      {"<?xml version=\"1.0\" encoding=\"UTF8\"?>", false},
      {"<?xml version=\"1.0\" encoding=\"windows-1252\"?>", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.declaration);
    std::string text = c.declaration + "<a>caf\xC3\xA9</a>";
    MarkupDoc doc;
    ASSERT_TRUE(doc.Load(Write("enc.xml", text)));
    EXPECT_EQ(c.converted ? Local(text) : text, doc.text());
  }
}

// Large files are converted a piece at a time: characters across the
// pieces' boundaries, long runs without ASCII and a damaged sequence far
// from the start must come out as converting the whole file at once.
TEST_F(DocFileTest, LargeFilesConvertAsOneText) {
  const std::string zhong = "\xE4\xB8\xAD";  // a Chinese character in UTF-8
  std::string runs;                          // runs of 1 to 7 characters between ASCII bytes
  for (int i = 0; runs.size() < (3u << 20); ++i) {
    for (int k = 0; k <= i % 7; ++k) runs += zhong;
    runs += i % 5 == 0 ? "\r\n" : "x";
  }
  std::string no_ascii;  // 3 MiB of non-ASCII without a break
  while (no_ascii.size() < (3u << 20)) no_ascii += zhong;
  struct Case {
    const char* what;
    std::string text;
    bool converted;
  } cases[] = {
      {"runs", "<a>" + runs + "</a>", true},
      {"no ASCII", "<a>" + no_ascii + "</a>", true},
      {"ASCII", "<a>" + std::string(3u << 20, 'y') + "</a>", true},
      {"damaged late", "<a>" + runs + "\xE4\xB8" + "</a>", false},
      {"damaged in a long run", "<a>" + no_ascii + "\xB8" + zhong + "</a>", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MarkupDoc doc;
    ASSERT_TRUE(doc.Load(Write("big.xml", c.text)));
    std::string whole;
    ASSERT_EQ(c.converted, ConvertCodePage(c.text, kCodePageUtf8, kCodePageLocal, &whole));
    EXPECT_TRUE(doc.text() == (c.converted ? whole : c.text));
  }
}

TEST_F(DocFileTest, EncodingFixtures) {
  std::string gbk = MarkupFixture("declared_gb2312.xml");
  MarkupDoc doc;
  ASSERT_TRUE(doc.Load(gbk));
  EXPECT_EQ(FileBytes(gbk), doc.text());
  EXPECT_TRUE(InOrder(Dump(&doc), {"Groups/Group/GroupName=\xC7\xFD\xB6\xAF\xB3\xCC\xD0\xF2"}));
  // UTF-8 behind a byte-order mark: converted.
  ASSERT_TRUE(doc.Load(MarkupFixture("utf8_bom.xml"))) << doc.GetResultText();
  EXPECT_TRUE(InOrder(Dump(&doc), {Local("Groups/Group/GroupName=驱动程序")}));
#ifndef _WIN32
  test::ScopedLocalCodePage utf8("65001");  // UTF-8: nothing to convert, the mark stays
  ASSERT_TRUE(doc.Load(MarkupFixture("utf8_bom.xml")));
  EXPECT_EQ(0, doc.text().compare(0, 8, "\xEF\xBB\xBF<?xml"));
#endif
}

TEST(DeclaredEncodingTest, ReadsTheLeadingDeclaration) {
  struct Case {
    std::string text;
    std::string encoding;
  } cases[] = {
      {"<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?><a/>", "UTF-8"},
      {"\xEF\xBB\xBF  <?xml encoding = 'GBK'?>", "GBK"},
      {"<?xml encoding=GBK?>", "GBK?"},  // unquoted: up to a blank or ">"
      {"<?xml encoding=\"a&amp;b\"?>", "a&b"},
      {"<?xml xencoding=\"x\" encodings=\"y\" encoding=\"z\"?>", "z"},
      {"<?xml encoding?>", ""},
      {"<?xml encoding=\"GBK\"", ""},
      {"<!-- c --><?xml encoding=\"GBK\"?>", ""},
      {"<a encoding=\"GBK\"/>", ""},
      {"<?>", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(c.encoding, DeclaredEncoding(c.text));
  }
  EXPECT_EQ("a>b", FirstNodeAttribute("<a\n v\n =\n 'a>b' w>", "v"));
  EXPECT_EQ("", FirstNodeAttribute("<a v w='2'>", "v"));
  EXPECT_EQ("", FirstNodeAttribute("text <a v='1'>", "v"));
}

}  // namespace
}  // namespace c51
