// The property sheet's rules as a scripted user meets them: when pages
// initialise, load and store, what Apply, OK, Cancel and "Default" do, and
// when Apply can be pressed at all.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/ardel_property_sheet.h"
#include "settings/headless/headless_backend.h"

namespace c51::settings {
namespace {

// Logs every call the sheet makes as "<name>:<call>".
class LoggingPage : public CArdelPage {
 public:
  LoggingPage(std::string name, std::vector<std::string>* log, int template_id = 900)
      : CArdelPage(template_id), name_(std::move(name)), log_(log) {}

  DialogTemplate Template(Language) const override {
    DialogTemplate t;
    t.id = template_id();
    t.caption = name_;
    t.controls = {{10, ControlKind::kEdit, kStyleNone, "", {}}};
    return t;
  }
  bool OnInitDialog() override {
    Log("init");
    if (modify_on_init) SetModified();
    return true;
  }
  bool OnSetActive() override {
    Log("set");
    return true;
  }
  bool OnKillActive() override {
    Log("kill");
    return leave;
  }
  bool OnApply() override {
    Log(store_flag() ? "apply+store" : "apply");
    return true;
  }
  void OnReset() override { Log("reset"); }
  void OnDefault() override { Log("default"); }
  void OnControl(int id, Notification code) override {
    if (id == 10 && code == Notification::kTextChanged) SetModified();
  }

  bool leave = true;
  bool modify_on_init = false;

 private:
  void Log(const char* what) { log_->push_back(name_ + ":" + what); }
  std::string name_;
  std::vector<std::string>* log_;
};

class SheetTest : public ::testing::Test {
 protected:
  SheetTest() : a_("a", &log_), b_("b", &log_), c_("c", &log_) {
    sheet_.AddPage(&a_);
    sheet_.AddPage(&b_);
    sheet_.AddPage(&c_);
  }
  int Run(std::function<void(HeadlessSheet&)> script) {
    backend_.sheet_script = std::move(script);
    return sheet_.DoModal(&backend_);
  }

  std::vector<std::string> log_;
  LoggingPage a_, b_, c_;
  CArdelPropertySheet sheet_{"title"};
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kChinese};
};

using Log = std::vector<std::string>;

TEST_F(SheetTest, PagesInitialiseOnFirstActivationAndOnlyShownPagesApply) {
  sheet_.SetActivePage(1);
  int result = Run([](HeadlessSheet& run) {
    EXPECT_EQ(run.active_index(), 1);
    EXPECT_EQ(run.controls(0), nullptr);
    EXPECT_TRUE(run.SelectPage(2));
    EXPECT_TRUE(run.SelectPage(1));
    EXPECT_TRUE(run.PressOk());
  });
  EXPECT_EQ(result, kResultOk);
  EXPECT_EQ(log_, (Log{"b:init", "b:set", "b:kill", "c:init", "c:set", "c:kill", "b:set", "b:kill",
                       "b:apply", "c:apply"}));
}

TEST_F(SheetTest, APageThatRefusesToBeLeftStays) {
  int result = Run([this](HeadlessSheet& run) {
    a_.leave = false;
    EXPECT_FALSE(run.SelectPage(1));
    EXPECT_EQ(run.active_index(), 0);
    EXPECT_FALSE(run.PressOk());
    EXPECT_FALSE(run.closed());
    a_.leave = true;
    EXPECT_TRUE(run.SelectPage(1));
  });
  // Left open by the script: the run ends as Cancel, resetting what was shown.
  EXPECT_EQ(result, kResultCancel);
  EXPECT_EQ(log_, (Log{"a:init", "a:set", "a:kill", "a:kill", "a:kill", "b:init", "b:set",
                       "a:reset", "b:reset"}));
  EXPECT_EQ(b_.store_flag(), 0);
}

TEST_F(SheetTest, ApplySetsTheActivePagesStoreFlagAndCancelKeepsWhatItWrote) {
  int result = Run([this](HeadlessSheet& run) {
    run.SelectPage(1);
    run.SelectPage(0);
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    EXPECT_FALSE(run.PressApply());  // nothing changed: the button is disabled
    ASSERT_TRUE(run.active().Type(10, "x"));
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    log_.clear();
    EXPECT_TRUE(run.PressApply());
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    EXPECT_FALSE(a_.modified());
    EXPECT_TRUE(run.PressCancel());
  });
  EXPECT_EQ(result, kResultCancel);
  EXPECT_EQ(log_, (Log{"a:kill", "a:apply+store", "b:apply", "a:set", "a:reset", "b:reset"}));
  EXPECT_EQ(a_.store_flag(), 1);
  EXPECT_EQ(b_.store_flag(), 0);
  EXPECT_EQ(c_.store_flag(), 0);
}

TEST_F(SheetTest, ApplyStartsDisabledEvenWhenTheFirstPageChangesWhileLoading) {
  a_.modify_on_init = true;
  b_.modify_on_init = true;
  Run([](HeadlessSheet& run) {
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    run.SelectPage(1);
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
  });
}

TEST_F(SheetTest, TheDefaultButtonSitsLeftOfOkAndReachesTheActivePage) {
  Run([this](HeadlessSheet& run) {
    ASSERT_TRUE(run.HasButton(kIdDefault));
    // "默认值" (default values)
    EXPECT_EQ(run.ButtonText(kIdDefault), "\xC4\xAC\xC8\xCF\xD6\xB5");
    Rect ok, def;
    ASSERT_TRUE(run.FindButton(kIdOk, &ok));
    ASSERT_TRUE(run.FindButton(kIdDefault, &def));
    EXPECT_EQ(def.right, ok.left - 80);
    EXPECT_EQ(def.width(), ok.width());
    EXPECT_EQ(def.top, ok.top);
    EXPECT_EQ(def.bottom, ok.bottom);
    run.SelectPage(2);
    log_.clear();
    EXPECT_TRUE(run.PressDefault());
    EXPECT_TRUE(run.PressDefault());  // never disables itself
    EXPECT_EQ(log_, (Log{"c:default", "c:default"}));
    EXPECT_EQ(sheet_.caption_text(), "Corvane Settings");
  });
}

TEST(DefaultButtonRectTest, FollowsOk) {
  EXPECT_EQ(DefaultButtonRect(Rect{200, 10, 275, 33}), (Rect{45, 10, 120, 33}));
}

// A frame without Apply gets no "Default" button.
class NoApplyFrame : public SheetFrame {
 public:
  bool FindButton(int id, Rect* rect) const override {
    if (id != kIdOk) return false;
    if (rect) *rect = Rect{100, 0, 175, 20};
    return true;
  }
  void EnableButton(int, bool) override { ++enables; }
  void CreateButton(int, const std::string&, const Rect&) override { ++creates; }
  void PageModified(CArdelPage*, bool) override {}
  CArdelPage* ActivePage() const override { return nullptr; }
  int enables = 0;
  int creates = 0;
};

TEST(SheetFrameTest, NoApplyButtonNoDefaultButton) {
  CArdelPropertySheet sheet("t");
  NoApplyFrame frame;
  sheet.OnInitDialog(&frame);
  EXPECT_EQ(frame.creates, 0);
  EXPECT_EQ(frame.enables, 0);
  EXPECT_EQ(sheet.caption_text(), "Corvane Settings");
  // "Default" with no active page does nothing; Apply is left to the platform.
  EXPECT_TRUE(sheet.OnCommand(kIdDefault));
  EXPECT_FALSE(sheet.OnCommand(kIdApply));
}

// A plain dialog: OK asks it, a script that leaves it open cancels it.
class AskingDialog : public ModalDialog {
 public:
  DialogTemplate Template(Language) const override {
    return DialogTemplate{208, "d", {{10, ControlKind::kEdit, kStyleNone, "", {}}}};
  }
  bool OnInitDialog() override {
    controls().SetText(10, "start");
    return true;
  }
  bool OnOK() override {
    text = controls().GetText(10);
    return !text.empty();
  }
  std::string text;
};

TEST(ModalDialogTest, OkAsksTheDialogAndCancelIsTheDefaultEnd) {
  HeadlessInterface ui;
  HeadlessBackend backend(&ui, Language::kEnglish);
  AskingDialog dialog;
  backend.dialog_scripts.push_back([](HeadlessDialogRun& run) {
    EXPECT_EQ(run.controls().GetText(10), "start");
    run.controls().Type(10, "");
    EXPECT_FALSE(run.PressOk());
    run.controls().Type(10, "done");
    EXPECT_TRUE(run.PressOk());
  });
  EXPECT_EQ(dialog.DoModal(&backend), kResultOk);
  EXPECT_EQ(dialog.text, "done");
  EXPECT_FALSE(dialog.HasWindow());
  EXPECT_EQ(dialog.DoModal(&backend), kResultCancel);  // no script left
}

}  // namespace
}  // namespace c51::settings
