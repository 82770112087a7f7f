// The device-selection library built next to the test, loaded the way the
// Device page loads it: what entry 6 answers after entry 5, with the
// environment standing for the user's choice.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "devices/device_catalog.h"
#include "devices/selection_library.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "project/device_record.h"
#include "settings/pages/device_library.h"
#include "settings/pages/device_page.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace c51::devices {
namespace {

class SelectionLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    had_choice_ = GetEnv(kSelectionEnvironmentVariable, &saved_choice_);
    ASSERT_TRUE(library_->Load(ExecutableDirectory())) << "Dravn.dll beside the test";
  }
  void TearDown() override {
    if (had_choice_) {
      SetEnv(kSelectionEnvironmentVariable, saved_choice_);
    } else {
      UnsetEnv(kSelectionEnvironmentVariable);
    }
  }

  // Entry 5 on the given current device, then entry 6.
  DeviceRecord* Choose(const char* choice, const char* current = "AT89C52") {
    if (choice != nullptr) {
      SetEnv(kSelectionEnvironmentVariable, choice);
    } else {
      UnsetEnv(kSelectionEnvironmentVariable);
    }
    // No parent: there is no window to make, on any system.
    EXPECT_EQ(library_->CreateSelectionWindow("Atmel", current, 0, "C51", nullptr), nullptr);
    return library_->Selection();
  }

  std::unique_ptr<settings::DeviceLibrary> library_ = std::make_unique<settings::DeviceLibrary>();
  bool had_choice_ = false;
  std::string saved_choice_;
};

TEST_F(SelectionLibraryTest, AnswersTheDeviceTheEnvironmentNames) {
  for (const char* choice : {"STC8H1K08", "stc8h1k08"}) {
    SCOPED_TRACE(choice);
    DeviceRecord* record = Choose(choice);
    ASSERT_NE(record, nullptr);
    EXPECT_STREQ(record->vendor, "STC");
    EXPECT_STREQ(record->device, "STC8H1K08");
    const DeviceRow* row = FindDevice("STC8H1K08");
    ASSERT_NE(row, nullptr);
    ASSERT_NE(FindDeviceProperty(record, "CPU"), nullptr);
    EXPECT_STREQ(FindDeviceProperty(record, "CPU"), row->cpu);
    EXPECT_STREQ(FindDeviceProperty(record, "REGFILE"), "STC8H.H");
    // What the Device page makes of it.
    EXPECT_EQ(settings::DeviceClockHertz(FindDeviceProperty(record, "CPU")), 36000000);
    // Asked again, the same record.
    EXPECT_EQ(library_->Selection(), record);
  }
}

TEST_F(SelectionLibraryTest, NoChoiceOrAnUnknownOneSelectsNothing) {
  EXPECT_EQ(Choose(nullptr), nullptr);
  EXPECT_EQ(Choose(""), nullptr);
  EXPECT_EQ(Choose("AT89X99"), nullptr);
  // Each opening starts afresh: a choice made before does not linger.
  ASSERT_NE(Choose("CH552"), nullptr);
  EXPECT_EQ(Choose(nullptr), nullptr);
}

TEST_F(SelectionLibraryTest, TheRecordOutlivesThePageThatLoadedIt) {
  DeviceRecord* record = Choose("N76E003");
  ASSERT_NE(record, nullptr);
  // The page's library goes with the page; the plug-in then reports the
  // record to the host.
  library_.reset();
  EXPECT_STREQ(record->device, "N76E003");
  EXPECT_STREQ(FindDeviceProperty(record, "REGFILE"), "N76E003.H");
}

#if defined(_WIN32)
// With a parent window the selection is a list of the database's devices,
// the current one selected; a click on another row selects that one.
TEST_F(SelectionLibraryTest, TheListOnWindowsIsTheChoice) {
  UnsetEnv(kSelectionEnvironmentVariable);
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr,
                                nullptr, nullptr, nullptr);
  if (parent == nullptr) GTEST_SKIP() << "no window station to make windows in";
  HWND list =
      static_cast<HWND>(library_->CreateSelectionWindow("Atmel", "AT89C52", 0, "C51", parent));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(DeviceRows().size()));
  const LRESULT current = FindDevice("AT89C52") - DeviceRows().data();
  EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), current);
  EXPECT_EQ(library_->Selection(), nullptr);  // the current device is no choice

  const LRESULT other = FindDevice("CH552") - DeviceRows().data();
  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(other), 0);
  DeviceRecord* record = library_->Selection();
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->device, "CH552");

  SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(current), 0);
  EXPECT_EQ(library_->Selection(), nullptr);
  DestroyWindow(parent);
}
#endif

}  // namespace
}  // namespace c51::devices
