// The User page in the settings sheet: what it decodes from the three
// stored texts, what it encodes when left, the modified flag, the program
// chooser, "Default" and Apply.
#include "settings/pages/user_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "plugin/state.h"
#include "project/node.h"
#include "project/recording_host.h"
#include "settings/headless/headless_backend.h"
#include "settings/input_messages.h"

namespace c51::settings {
namespace {

// Switch, command edit and "..." of program #1 and #2 at each moment:
// before compilation, before build, after build.
struct Program {
  int run;
  int command;
  int browse;
};
constexpr Program kPrograms[3][2] = {
    {{1009, 1017, 1016}, {1011, 1018, 1019}},
    {{1015, 1028, 1029}, {1030, 1031, 1032}},
    {{1033, 1034, 1035}, {1036, 1037, 1038}},
};

class UserPageTest : public ::testing::Test {
 protected:
  UserPageTest() {
    state_.host = &host_;
    session_.state = &state_;
    session_.records = &records_;
    sheet_.AddPage(&page_);
    sheet_.AddPage(&other_);
  }

  // Runs the sheet with the User page shown first.
  void Open(const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script) {
    backend_.sheet_script = [&script](HeadlessSheet& run) { script(run, run.active()); };
    sheet_.DoModal(&backend_);
  }

  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  test::RecordingHost host_;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
  CUserPage page_{&session_};
  CArdelPage other_;
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(UserPageTest, DecodesEachStoredText) {
  struct Case {
    const char* text;
    bool run1;
    const char* command1;
    bool run2;
    const char* command2;
  } cases[] = {
      {"1?make.bat?0??", true, "make.bat", false, ""},
      {"0??0??", false, "", false, ""},
      // Only "0" itself is off; what follows the fourth "?" is ignored.
      {"00?a.exe?x?b.exe?tail", true, "a.exe", true, "b.exe"},
      // Three or five separators: not decoded, the initial values stay.
      {"1?a.exe?1?b.exe", false, "", false, ""},
      {"1?a?b.exe?1?c.exe?", false, "", false, ""},
      {"", false, "", false, ""},
  };
  for (const Case& k : cases) {
    // The text at one moment at a time, the others all on, so that a text
    // shown at the wrong moment shows.
    for (int m = 0; m < 3; ++m) {
      SCOPED_TRACE(std::string(k.text) + " at " + std::to_string(m));
      records_.user = {"1?x?1?y?", "1?x?1?y?", "1?x?1?y?"};
      std::string* texts[] = {&records_.user.before_compile, &records_.user.before_build,
                              &records_.user.after_build};
      *texts[m] = k.text;
      Open([&k, m](HeadlessSheet& run, HeadlessDialog& c) {
        for (int other = 0; other < 3; ++other) {
          const Program& p1 = kPrograms[other][0];
          const Program& p2 = kPrograms[other][1];
          const bool here = other == m;
          EXPECT_EQ(c.GetCheck(p1.run), (here ? k.run1 : true) ? kChecked : kUnchecked);
          EXPECT_EQ(c.GetText(p1.command), here ? k.command1 : "x");
          EXPECT_EQ(c.GetCheck(p2.run), (here ? k.run2 : true) ? kChecked : kUnchecked);
          EXPECT_EQ(c.GetText(p2.command), here ? k.command2 : "y");
        }
        EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
      });
    }
  }
}

TEST_F(UserPageTest, EncodesWhenLeftAndMarksEveryChange) {
  records_.user = {"0??0??", "0??0??", "0??0??"};
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(c.Click(kPrograms[0][1].run));
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    ASSERT_TRUE(run.PressApply());  // unbound: writes nothing, clears the flag
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    ASSERT_TRUE(c.Type(kPrograms[0][1].command, "lint.exe"));
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    ASSERT_TRUE(c.Type(kPrograms[1][0].command, "pre.bat"));
    ASSERT_TRUE(c.Click(kPrograms[2][0].run));
    ASSERT_TRUE(c.Type(kPrograms[2][1].command, "post.exe"));
    ASSERT_TRUE(run.SelectPage(1));
  });
  EXPECT_EQ(records_.user.before_compile, "0??1?lint.exe?");
  EXPECT_EQ(records_.user.before_build, "0?pre.bat?0??");
  EXPECT_EQ(records_.user.after_build, "1??0?post.exe?");
  EXPECT_TRUE(host_.updates.empty());
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    EXPECT_EQ(c.GetText(kPrograms[1][0].command), "pre.bat");
    EXPECT_EQ(c.GetCheck(kPrograms[2][0].run), kChecked);
    EXPECT_EQ(c.GetText(kPrograms[2][1].command), "post.exe");
  });
}

// The stored text ends each field with "?": a command holding one is
// refused when the page is left, with the message and the command, and the
// setting stays as it was. Every other command comes back as typed.
TEST_F(UserPageTest, CommandsRoundTripAndAQuestionMarkIsRefused) {
  struct Case {
    int moment;
    int program;
    const char* typed;
    bool refused;
  } cases[] = {
      {0, 0, "tool /?", true},
      {1, 1, "?", true},
      {2, 0, "a?b.exe", true},
      {2, 1, "tool /h", false},
      {0, 1, "  copy a b  ", false},
      {1, 0, "", false},
      {0, 0, "\xB9\xA4\xBE\xDF.exe", false},  // 工具 (tool)
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.typed);
    const std::string kept = "1?keep.exe?1?also.exe?";
    records_.user = {kept, kept, kept};
    ui_.messages.clear();
    const Program& program = kPrograms[k.moment][k.program];
    bool left = false;
    Open([&](HeadlessSheet& run, HeadlessDialog& c) {
      ASSERT_TRUE(c.Type(program.command, k.typed));
      left = run.SelectPage(1);
    });
    EXPECT_EQ(left, !k.refused);
    if (k.refused) {
      ASSERT_EQ(ui_.messages.size(), 1u);
      EXPECT_EQ(
          ui_.messages[0].text,
          std::string(InputMessageText(InputMessage::kQuestionMarkInCommand, Language::kChinese)) +
              k.typed);
      EXPECT_EQ(records_.user.before_compile, kept);
      EXPECT_EQ(records_.user.before_build, kept);
      EXPECT_EQ(records_.user.after_build, kept);
      continue;
    }
    EXPECT_TRUE(ui_.messages.empty());
    // Shown again as typed, the rest of the setting with it.
    Open([&](HeadlessSheet&, HeadlessDialog& c) {
      EXPECT_EQ(c.GetText(program.command), k.typed);
      EXPECT_EQ(c.GetText(kPrograms[k.moment][1 - k.program].command),
                k.program == 0 ? "also.exe" : "keep.exe");
      EXPECT_EQ(c.GetCheck(program.run), kChecked);
    });
  }
}

TEST_F(UserPageTest, BrowsePutsTheChosenFileBesideItsButton) {
  records_.user = {"1?old.exe?0??", "0??0??", "0??0??"};
  backend_.file_answers = {std::nullopt, "C:\\tools\\sign.bat"};
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(c.Type(kPrograms[0][0].command, "typed.exe"));
    ASSERT_TRUE(run.PressApply());
    // Cancelled: the edit stays, the page is modified all the same.
    ASSERT_TRUE(c.Click(kPrograms[0][0].browse));
    EXPECT_EQ(c.GetText(kPrograms[0][0].command), "typed.exe");
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    ASSERT_TRUE(c.Click(kPrograms[2][1].browse));
    EXPECT_EQ(c.GetText(kPrograms[2][1].command), "C:\\tools\\sign.bat");
    EXPECT_EQ(c.GetText(kPrograms[0][0].command), "typed.exe");
    ASSERT_TRUE(run.SelectPage(1));
  });
  ASSERT_EQ(backend_.chooser_requests.size(), 2u);
  EXPECT_EQ(backend_.chooser_requests[0].kind, ChooserRequest::kFile);
  EXPECT_EQ(backend_.chooser_requests[0].initial, "typed.exe");
  EXPECT_EQ(backend_.chooser_requests[0].filter,
            "Executables (*.exe; *.bat)|*.exe;*.bat|All Files (*.*)|*.*||");
  EXPECT_EQ(backend_.chooser_requests[1].initial, "");
  EXPECT_EQ(records_.user.after_build, "0??0?C:\\tools\\sign.bat?");
}

TEST_F(UserPageTest, DefaultSwitchesEverythingOff) {
  records_.user = {"1?a?1?b?", "1?c?0??", "junk"};
  Open([this](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(run.PressDefault());
    EXPECT_EQ(records_.user.before_compile, "0??0??");
    EXPECT_EQ(records_.user.before_build, "0??0??");
    EXPECT_EQ(records_.user.after_build, "0??0??");
    for (const auto& moment : kPrograms) {
      for (const Program& p : moment) {
        EXPECT_EQ(c.GetCheck(p.run), kUnchecked);
        EXPECT_EQ(c.GetText(p.command), "");
      }
    }
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
  });
}

TEST_F(UserPageTest, ApplyWritesTheThreeTextsWhenBoundAndAsked) {
  NodePtr config = CreateDetachedNode("Configuration");
  page_.Bind(config.get());
  records_.user = {"1?a.exe?0??", "0??0??", "0??0??"};
  // Apply pressed on another page: this page's store flag stays 0.
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(c.Type(kPrograms[1][1].command, "post.exe"));
    ASSERT_TRUE(run.SelectPage(1));
    ASSERT_TRUE(run.PressApply());
  });
  EXPECT_TRUE(host_.updates.empty());
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    ASSERT_TRUE(c.Type(kPrograms[2][1].command, "z.bat"));
    ASSERT_TRUE(run.PressApply());
  });
  ASSERT_EQ(host_.updates.size(), 1u);
  EXPECT_EQ(host_.updates[0].target, config.get());
  EXPECT_EQ(host_.updates[0].attributes,
            (std::vector<std::string>{"BeforeCmp=1?a.exe?0??", "BeforeBuild=0??0?post.exe?",
                                      "AfterBuild=0??0?z.bat?"}));
}

TEST_F(UserPageTest, TemplateInBothLanguages) {
  const DialogTemplate en = UserPageTemplate(Language::kEnglish);
  const DialogTemplate zh = UserPageTemplate(Language::kChinese);
  EXPECT_EQ(en.id, 1002);
  ASSERT_EQ(en.controls.size(), zh.controls.size());
  for (size_t i = 0; i < en.controls.size(); ++i) {
    EXPECT_EQ(en.controls[i].id, zh.controls[i].id) << i;
    EXPECT_EQ(en.controls[i].kind, zh.controls[i].kind) << i;
  }
  // "运行程序 #2" (run program #2)
  EXPECT_EQ(HeadlessDialog(zh, nullptr).GetText(kPrograms[2][1].run),
            "\xD4\xCB\xD0\xD0\xB3\xCC\xD0\xF2 #2");
}

}  // namespace
}  // namespace c51::settings
