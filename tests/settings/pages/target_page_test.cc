// The Target page as a user meets it in the settings sheet: what it loads
// from the target record and the device, the range checks when it is left,
// what it stores, "Default", the device refresh and Apply.
#include "settings/pages/target_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "plugin/state.h"
#include "project/recording_host.h"
#include "settings/headless/headless_backend.h"
#include "settings/input_messages.h"

namespace c51::settings {
namespace {

// A range text as the page writes it: code range 0 at 0x8000, 0x8000 long.
constexpr char kUpperHalf[] = "{ 0,0,128,0,0,0,128,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0 }";

class TargetPageTest : public ::testing::Test {
 protected:
  TargetPageTest() {
    state_.host = &host_;
    state_.context.device = &device_;
    state_.target.clock = 12.0;
    session_.state = &state_;
    session_.records = &records_;
    session_.clock = &host_clock_;
    sheet_.AddPage(&page_);
    sheet_.AddPage(&other_);
    SetDevice("Acme", "X51", "IRAM(0-0xFF) IROM(0-0xFFFF) XRAM(0-0x7FF) MODP2");
  }

  void SetDevice(const char* vendor, const char* name, const std::string& cpu) {
    cpu_entry_ = "CPU=" + cpu;
    properties_ = {"CLOCK=12000000", cpu_entry_.c_str(), nullptr};
    device_ = {vendor, name, 0, properties_.data()};
  }

  // Runs the sheet with the Target page shown first.
  int Open(const std::function<void(HeadlessSheet&, HeadlessDialog&)>& script,
           Language language = Language::kEnglish) {
    backend_.set_language(language);
    backend_.sheet_script = [&script](HeadlessSheet& run) { script(run, run.active()); };
    return sheet_.DoModal(&backend_);
  }

  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  double host_clock_ = 0.0;
  test::RecordingHost host_;
  std::string cpu_entry_;
  std::vector<const char*> properties_;
  DeviceRecord device_{};
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kEnglish};
  CTargetPage page_{&session_};
  CArdelPage other_;
  CArdelPropertySheet sheet_{"title"};
};

TEST_F(TargetPageTest, LoadsTheRecordAndTheDevice) {
  state_.target.mem_mode = 1;
  state_.target.code_mode = 0;
  state_.target.rtos = 2;
  state_.target.t51_flags = kT51OnChipRom | kT51MultipleDptr;
  // Range 0 in use; range 1 has a start but size 0 (shows nothing); range 2
  // starts at 0.
  MemoryRanges code{};
  code[0] = {0x8000, 0x8000};
  code[1] = {0x1234, 0};
  code[2] = {0, 0x100};
  state_.target.ocm51 = FormatMemoryRanges(code);
  state_.target.ocr51 = "0,1,2";  // no "{": no ranges, the rest still loads
  state_.target.code_bank = "1,8,0x8000,0xBFFF,";
  Open([](HeadlessSheet&, HeadlessDialog& c) {
    EXPECT_EQ(c.GetText(IDC_TARGET_DEVICE), "Acme X51");
    EXPECT_EQ(c.GetText(IDC_TARGET_XTAL), "12.000000");
    EXPECT_EQ(c.GetSelection(IDC_TARGET_MEMORY_MODEL), 1);
    EXPECT_EQ(c.GetSelection(IDC_TARGET_CODE_ROM_SIZE), 0);
    EXPECT_EQ(c.GetSelection(IDC_TARGET_OPERATING_SYSTEM), 2);
    const char* expected_code[3][2] = {{"0x8000", "0x8000"}, {"", ""}, {"0x0", "0x100"}};
    for (int r = 0; r < 3; ++r) {
      EXPECT_EQ(c.GetText(kIdCodeStart[r]), expected_code[r][0]) << r;
      EXPECT_EQ(c.GetText(kIdCodeSize[r]), expected_code[r][1]) << r;
      EXPECT_EQ(c.GetText(kIdXdataStart[r]), "") << r;
      EXPECT_EQ(c.GetText(kIdXdataSize[r]), "") << r;
    }
    EXPECT_EQ(c.GetCheck(IDC_TARGET_CODE_BANKING), kChecked);
    EXPECT_EQ(c.GetText(IDC_TARGET_BANK_COUNT), "8");
    EXPECT_EQ(c.GetText(IDC_TARGET_BANK_START), "0x8000");
    EXPECT_EQ(c.GetText(IDC_TARGET_BANK_END), "0xBFFF");
    EXPECT_TRUE(c.IsEnabled(IDC_TARGET_BANK_COUNT));
    EXPECT_TRUE(c.IsEnabled(IDC_TARGET_BANK_START));
  });
}

TEST_F(TargetPageTest, BankingLoadsOnlyFromFourCommas) {
  struct Case {
    const char* code_bank;
    int checked;
    const char* count;
    const char* start;
    const char* end;
  } cases[] = {
      {"", kUnchecked, "2", "0x0000", "0xFFFF"},
      {"1,4,0x1000,", kUnchecked, "2", "0x0000", "0xFFFF"},  // three commas: ignored
      {"1,4,0,0xFFFF,x,", kUnchecked, "2", "0x0000", "0xFFFF"},
      {"1,3,a,b,", kChecked, "2", "a", "b"},  // unknown count selects "2"
      {"0,16,0x100,0x200,", kUnchecked, "16", "0x100", "0x200"},
      {" 0,64,,,", kChecked, "64", "", ""},  // only "0" itself is off
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.code_bank);
    state_.target.code_bank = k.code_bank;
    Open([&k](HeadlessSheet&, HeadlessDialog& c) {
      EXPECT_EQ(c.GetCheck(IDC_TARGET_CODE_BANKING), k.checked);
      EXPECT_EQ(c.GetText(IDC_TARGET_BANK_COUNT), k.count);
      EXPECT_EQ(c.GetText(IDC_TARGET_BANK_START), k.start);
      EXPECT_EQ(c.GetText(IDC_TARGET_BANK_END), k.end);
      EXPECT_EQ(c.IsEnabled(IDC_TARGET_BANK_COUNT), k.checked == kChecked);
      EXPECT_EQ(c.IsEnabled(IDC_TARGET_BANK_END), k.checked == kChecked);
    });
  }
}

TEST_F(TargetPageTest, OnChipBoxesFollowTheDevice) {
  struct Case {
    const char* cpu;
    Language language;
    const char* rom;  // the caption; "" for a disabled box
    const char* xram;
    bool dptr;
  } cases[] = {
      {"IRAM(0-0xFF) IROM(0-0xFFFF) MODDP2", Language::kEnglish, "Use On-chip ROM(0-0xFFFF)", "",
       true},
      {"XRAM(0-0x7FF) IROM(0-0x1FFF)", Language::kEnglish, "Use On-chip ROM(0-0x1FFF)",
       "Use On-chip XRAM(0-0x7FF)", false},
      // No ")" after the entry: the caption takes the rest of the text.
      {"IROM(0-0xFFF", Language::kEnglish, "Use On-chip ROM(0-0xFFF", "", false},
      // "使用片内 " (use on-chip) then the entry.
      {"XRAM(0-0xFF)", Language::kChinese, "", "\xCA\xB9\xD3\xC3\xC6\xAC\xC4\xDA XRAM(0-0xFF)",
       false},
      {"", Language::kEnglish, "", "", false},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.cpu);
    SetDevice("Acme", "X51", k.cpu);
    state_.target.t51_flags = kT51OnChipRom | kT51MultipleDptr | kT51OnChipXram;
    Open(
        [&k](HeadlessSheet& run, HeadlessDialog& c) {
          for (auto [id, caption] : {std::pair{IDC_TARGET_ON_CHIP_ROM, k.rom},
                                     std::pair{IDC_TARGET_ON_CHIP_XRAM, k.xram}}) {
            EXPECT_EQ(c.IsEnabled(id), *caption != '\0') << id;
            EXPECT_EQ(c.GetCheck(id), *caption != '\0' ? kChecked : kUnchecked) << id;
            if (*caption != '\0') {
              EXPECT_EQ(c.GetText(id), caption);
            }
          }
          EXPECT_EQ(c.IsEnabled(IDC_TARGET_MULTIPLE_DPTR), k.dptr);
          EXPECT_EQ(c.GetCheck(IDC_TARGET_MULTIPLE_DPTR), k.dptr ? kChecked : kUnchecked);
          EXPECT_TRUE(run.SelectPage(1));
        },
        k.language);
    // What a disabled box shows is what is stored.
    const int expected = (*k.rom ? kT51OnChipRom : 0) | (k.dptr ? kT51MultipleDptr : 0) |
                         (*k.xram ? kT51OnChipXram : 0);
    EXPECT_EQ(state_.target.t51_flags, expected);
  }
}

TEST_F(TargetPageTest, DeviceRefreshFollowsANewDeviceAndNeedsTheWindow) {
  page_.RefreshDevice();  // before the page exists: nothing happens
  EXPECT_FALSE(page_.modified());
  state_.target.t51_flags = kT51OnChipXram;
  Open([this](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_TARGET_XTAL, "11.0592");
    ASSERT_TRUE(run.SelectPage(1));
    EXPECT_DOUBLE_EQ(state_.target.clock, 11.0592);
    SetDevice("Other", "Y52", "IROM(0-0x7FFF)");
    page_.RefreshDevice();
    EXPECT_EQ(c.GetText(IDC_TARGET_DEVICE), "Other Y52");
    EXPECT_EQ(c.GetText(IDC_TARGET_XTAL), "11.059200");
    EXPECT_FALSE(c.IsEnabled(IDC_TARGET_ON_CHIP_XRAM));
    EXPECT_EQ(c.GetCheck(IDC_TARGET_ON_CHIP_XRAM), kUnchecked);
    EXPECT_EQ(c.GetText(IDC_TARGET_ON_CHIP_ROM), "Use On-chip ROM(0-0x7FFF)");
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    state_.context.device = nullptr;
    page_.RefreshDevice();
    EXPECT_EQ(c.GetText(IDC_TARGET_DEVICE), "");
    EXPECT_FALSE(c.IsEnabled(IDC_TARGET_ON_CHIP_ROM));
  });
}

TEST_F(TargetPageTest, RangesAreCheckedWhenThePageIsLeft) {
  const MessageId kOk = MessageId::kCount;
  struct Case {
    int range;  // which of the three ranges is typed into
    const char* code_start;
    const char* code_size;
    const char* xdata_start;
    const char* xdata_size;
    MessageId message;  // kOk: the page is left
    const char* message_tail;
  } cases[] = {
      {0, "0", "0x10000", "", "", kOk, ""},
      {0, "0x8000", "0x8001", "", "", MessageId::kProgramMemoryOutOfRange, ""},
      {1, "0x1000", "", "", "", MessageId::kProgramMemoryOutOfRange, ""},
      {2, "", "0x100", "", "", kOk, ""},
      {0, "0x10000", "", "", "", MessageId::kInvalidInterruptVector, "0x10000"},
      {1, "-1", "0x10", "", "", MessageId::kInvalidInterruptVector, "-1"},
      // Sizes that would wrap round to a small end in 32 bits.
      {0, "1", "0xFFFFFFFF", "", "", MessageId::kProgramMemoryOutOfRange, ""},
      {0, "1", "-1", "", "", MessageId::kProgramMemoryOutOfRange, ""},
      {2, "0x10", "99999999999999999999", "", "", MessageId::kProgramMemoryOutOfRange, ""},
      {0, "010", "0x10", "0xFF00", "0x100", kOk, ""},
      {2, "", "", "0x10000", "1", MessageId::kInvalidStartAddress, "0x10000"},
      {1, "", "", "0xFF00", "0x101", MessageId::kXdataOutOfRange, ""},
      {0, "", "", "0x10", "", MessageId::kXdataOutOfRange, ""},
      // The code checks come first.
      {0, "0x8000", "0x9000", "0x1FFFF", "1", MessageId::kProgramMemoryOutOfRange, ""},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::string(k.code_start) + "/" + k.code_size + " " + k.xdata_start + "/" +
                 k.xdata_size);
    ui_.messages.clear();
    state_.target.ocm51 = kUpperHalf;  // range 0, valid unless typed into
    state_.target.mem_mode = 0;
    bool left = false;
    Open([&](HeadlessSheet& run, HeadlessDialog& c) {
      c.Type(kIdCodeStart[k.range], k.code_start);
      c.Type(kIdCodeSize[k.range], k.code_size);
      c.Type(kIdXdataStart[k.range], k.xdata_start);
      c.Type(kIdXdataSize[k.range], k.xdata_size);
      c.Choose(IDC_TARGET_MEMORY_MODEL, 2);
      left = run.SelectPage(1);
    });
    EXPECT_EQ(state_.target.mem_mode, 2);  // stored before any check
    EXPECT_EQ(left, k.message == kOk);
    if (k.message == kOk) {
      EXPECT_TRUE(ui_.messages.empty());
      continue;
    }
    EXPECT_EQ(state_.target.ocm51, kUpperHalf);  // nothing else changed
    ASSERT_EQ(ui_.messages.size(), 1u);
    EXPECT_EQ(ui_.messages[0].text,
              std::string(MessageText(k.message, Language::kEnglish)) + k.message_tail);
    EXPECT_EQ(ui_.messages[0].icon, MessageIcon::kNone);
    EXPECT_EQ(ui_.messages[0].buttons, MessageButtons::kOk);
  }
}

// The crystal must be a clock the page can store and read back; the bank
// area texts go between the commas of "CodeBank". Either refused keeps
// the page, with its message followed by the text as typed, and leaves
// the clock and the banking as they were.
TEST_F(TargetPageTest, ValuesTheStoredFormCannotHoldAreRefused) {
  struct Case {
    int id;
    const char* typed;
    bool left;
    double clock;           // stored when left
    const char* code_bank;  // stored when left
  } cases[] = {
      {IDC_TARGET_XTAL, "nan", false, 0, nullptr},
      {IDC_TARGET_XTAL, "-nan", false, 0, nullptr},
      {IDC_TARGET_XTAL, "inf", false, 0, nullptr},
      {IDC_TARGET_XTAL, "-Infinity", false, 0, nullptr},
      {IDC_TARGET_XTAL, "1e999", false, 0, nullptr},
      {IDC_TARGET_XTAL, "-1", false, 0, nullptr},
      {IDC_TARGET_XTAL, "2147.483648", false, 0, nullptr},
      {IDC_TARGET_XTAL, "2147.483647", true, 2147.483647, "1,4,0x0000,0xFFFF,"},
      {IDC_TARGET_XTAL, "0", true, 0.0, "1,4,0x0000,0xFFFF,"},
      {IDC_TARGET_XTAL, "", true, 0.0, "1,4,0x0000,0xFFFF,"},
      {IDC_TARGET_XTAL, "24MHz", true, 24.0, "1,4,0x0000,0xFFFF,"},
      {IDC_TARGET_BANK_START, "0x00,00", false, 0, nullptr},
      {IDC_TARGET_BANK_END, ",", false, 0, nullptr},
      {IDC_TARGET_BANK_END, "0x7FFF ", true, 12.0, "1,4,0x0000,0x7FFF ,"},
      {IDC_TARGET_BANK_START, "", true, 12.0, "1,4,,0xFFFF,"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(std::to_string(k.id) + " \"" + k.typed + "\"");
    ui_.messages.clear();
    state_.target.clock = 12.0;
    state_.target.code_bank = "1,4,0x0000,0xFFFF,";
    bool left = false;
    Open([&](HeadlessSheet& run, HeadlessDialog& c) {
      ASSERT_TRUE(c.Type(k.id, k.typed));
      left = run.SelectPage(1);
    });
    EXPECT_EQ(left, k.left);
    if (k.left) {
      EXPECT_TRUE(ui_.messages.empty());
      EXPECT_EQ(state_.target.clock, k.clock);
      EXPECT_EQ(state_.target.code_bank, k.code_bank);
      // What is stored reads back as it was: the banking shows again.
      EXPECT_EQ(BankCount(state_.target.code_bank.c_str()), 4);
      continue;
    }
    EXPECT_EQ(state_.target.clock, 12.0);
    EXPECT_EQ(state_.target.code_bank, "1,4,0x0000,0xFFFF,");
    ASSERT_EQ(ui_.messages.size(), 1u);
    const InputMessage message =
        k.id == IDC_TARGET_XTAL ? InputMessage::kInvalidCrystal : InputMessage::kCommaInBankArea;
    EXPECT_EQ(ui_.messages[0].text,
              std::string(InputMessageText(message, Language::kEnglish)) + k.typed);
    EXPECT_EQ(ui_.messages[0].buttons, MessageButtons::kOk);
  }
}

TEST_F(TargetPageTest, MessagesAreInTheInterfaceLanguage) {
  Open(
      [](HeadlessSheet& run, HeadlessDialog& c) {
        c.Type(kIdXdataStart[0], "0x12345");
        EXPECT_FALSE(run.SelectPage(1));
      },
      Language::kChinese);
  // "无效起始地址 " (invalid start address) directly followed by the text.
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, std::string{"\xCE\xDE\xD0\xA7\xC6\xF0\xCA\xBC\xB5\xD8\xD6\xB7 "
                                              "0x12345"});
}

TEST_F(TargetPageTest, StoresEveryValueWhenLeft) {
  SetDevice("Acme", "X51", "IROM(0-0xFFF) XRAM(0-0xFF) MODP2");
  Open([this](HeadlessSheet& run, HeadlessDialog& c) {
    c.Choose(IDC_TARGET_MEMORY_MODEL, 2);
    c.Choose(IDC_TARGET_CODE_ROM_SIZE, 1);
    c.Choose(IDC_TARGET_OPERATING_SYSTEM, 1);
    c.Click(IDC_TARGET_ON_CHIP_ROM);
    c.Click(IDC_TARGET_ON_CHIP_XRAM);
    c.Type(IDC_TARGET_XTAL, "  24.5MHz");
    c.Type(kIdCodeStart[0], "0x8000");
    c.Type(kIdCodeSize[0], "32768");
    c.Type(kIdXdataStart[2], "0");
    c.Type(kIdXdataSize[2], "0x10000");
    EXPECT_FALSE(c.IsEnabled(IDC_TARGET_BANK_COUNT));
    c.Click(IDC_TARGET_CODE_BANKING);
    EXPECT_TRUE(c.IsEnabled(IDC_TARGET_BANK_COUNT));
    EXPECT_TRUE(c.IsEnabled(IDC_TARGET_BANK_START));
    c.ChooseText(IDC_TARGET_BANK_COUNT, "32");
    c.Type(IDC_TARGET_BANK_END, "0xffff");
    ASSERT_TRUE(run.SelectPage(1));
    run.PressCancel();
  });
  const TargetRecord& t = state_.target;
  EXPECT_EQ(t.mem_mode, 2);
  EXPECT_EQ(t.code_mode, 1);
  EXPECT_EQ(t.rtos, 1);
  EXPECT_EQ(t.t51_flags, kT51OnChipRom | kT51OnChipXram);
  EXPECT_DOUBLE_EQ(t.clock, 24.5);
  EXPECT_EQ(t.ocm51, kUpperHalf);
  EXPECT_EQ(t.ocr51, "{ 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,1,0 }");
  EXPECT_EQ(t.code_bank, "1,32,0x0000,0xffff,");
}

TEST_F(TargetPageTest, AListWithoutASelectionKeepsTheStoredValue) {
  state_.target.rtos = 7;  // no such entry: the list shows nothing
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    EXPECT_EQ(c.GetSelection(IDC_TARGET_OPERATING_SYSTEM), -1);
    EXPECT_TRUE(run.SelectPage(1));
  });
  EXPECT_EQ(state_.target.rtos, 7);
}

TEST_F(TargetPageTest, DefaultResetsModelsAndSwitchesOnly) {
  state_.target.t51_flags = kT51OnChipRom | kT51MultipleDptr | kT51OnChipXram;
  state_.target.mem_mode = 2;
  state_.target.code_mode = 0;
  state_.target.rtos = 2;
  state_.target.code_bank = "1,4,0x0000,0xFFFF,";
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_TARGET_XTAL, "33");
    EXPECT_TRUE(run.PressApply());  // unbound: stores, writes nothing
    EXPECT_FALSE(run.IsButtonEnabled(kIdApply));
    c.Type(kIdCodeStart[1], "0x100");
    EXPECT_TRUE(run.PressDefault());
    EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    EXPECT_EQ(c.GetCheck(IDC_TARGET_ON_CHIP_ROM), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_TARGET_ON_CHIP_XRAM), kUnchecked);
    EXPECT_EQ(c.GetCheck(IDC_TARGET_MULTIPLE_DPTR), kUnchecked);
    EXPECT_EQ(c.GetText(IDC_TARGET_XTAL), "33.000000");  // the clock stored by Apply
    EXPECT_EQ(c.GetSelection(IDC_TARGET_MEMORY_MODEL), 0);
    EXPECT_EQ(c.GetSelection(IDC_TARGET_CODE_ROM_SIZE), 2);
    EXPECT_EQ(c.GetSelection(IDC_TARGET_OPERATING_SYSTEM), 2);
    EXPECT_EQ(c.GetText(kIdCodeStart[1]), "0x100");
    EXPECT_EQ(c.GetCheck(IDC_TARGET_CODE_BANKING), kChecked);
    EXPECT_EQ(c.GetText(IDC_TARGET_BANK_COUNT), "4");
  });
  EXPECT_TRUE(host_.updates.empty());
}

TEST_F(TargetPageTest, ApplyWritesTheEightKeysAndTheHostClockOnlyWhenAsked) {
  NodePtr root = CreateDetachedNode("CorvaneProject");
  ProjectNode* config = test::AddNode(root.get(), "Configuration", "Debug");
  page_.Bind(config);
  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_TARGET_XTAL, "20");
    EXPECT_TRUE(run.SelectPage(1));
    EXPECT_TRUE(run.PressApply());  // Apply on another page: the Target page writes nothing
  });
  EXPECT_TRUE(host_.updates.empty());
  EXPECT_EQ(host_clock_, 0.0);

  Open([](HeadlessSheet& run, HeadlessDialog& c) {
    c.Type(IDC_TARGET_XTAL, "22.1184");
    EXPECT_TRUE(run.PressApply());
    EXPECT_TRUE(run.PressCancel());
  });
  ASSERT_EQ(host_.updates.size(), 1u);
  EXPECT_EQ(host_.updates[0].target, config);
  EXPECT_EQ(
      host_.updates[0].attributes,
      (std::vector<std::string>{"CodeMode=2", "MemMode=0", "RTOS=0", "T51FL=0", "SIMCLK=22.118400",
                                "OCM51=" + state_.target.ocm51, "OCR51=" + state_.target.ocr51,
                                "CodeBank=0,2,0x0000,0xFFFF,"}));
  EXPECT_EQ(state_.target.ocm51, "{ 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0 }");
  EXPECT_DOUBLE_EQ(host_clock_, 22.1184);
}

TEST_F(TargetPageTest, BothTemplatesCarryTheSameControlsAndLists) {
  const DialogTemplate english = page_.Template(Language::kEnglish);
  const DialogTemplate chinese = page_.Template(Language::kChinese);
  EXPECT_EQ(english.id, 163);
  EXPECT_EQ(english.caption, "Target");
  ASSERT_EQ(english.controls.size(), chinese.controls.size());
  for (size_t i = 0; i < english.controls.size(); ++i) {
    EXPECT_EQ(english.controls[i].id, chinese.controls[i].id) << i;
    EXPECT_EQ(english.controls[i].kind, chinese.controls[i].kind) << i;
    EXPECT_EQ(english.controls[i].items.size(), chinese.controls[i].items.size()) << i;
  }
  // The bank counts are stored as shown, so both languages show the same.
  EXPECT_EQ(HeadlessDialog(chinese, nullptr).Find(IDC_TARGET_BANK_COUNT)->items,
            (std::vector<std::string>{"2", "4", "8", "16", "32", "64"}));
}

TEST(ParseTypedUnsignedTest, ReadsLikeTheCLibraryWithoutWrapping) {
  struct Case {
    const char* text;
    uint32_t value;
  } cases[] = {{"", 0},
               {"0x8000", 0x8000},
               {"0X1f", 0x1F},
               {"010", 8},
               {"09", 0},
               {"  42 ", 42},
               {"0x", 0},
               {"12ab", 12},
               {"+7", 7},
               {"-0", 0},
               {"-1", 0xFFFFFFFF},
               {"-0x10000", 0xFFFFFFFF},
               {"4294967295", 0xFFFFFFFF},
               {"4294967296", 0xFFFFFFFF},
               {"x1", 0}};
  for (const Case& k : cases) EXPECT_EQ(ParseTypedUnsigned(k.text), k.value) << k.text;
}

}  // namespace
}  // namespace c51::settings
