// The Device page with a stand-in for the device-selection library: what
// the library's window is created with, what leaving the page takes over
// into the Target page, and what the settings entry reports after OK.
#include "settings/pages/device_page.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "options/options_tree.h"
#include "platform/dynamic_library.h"
#include "platform/fs.h"
#include "plugin/state.h"
#include "settings/headless/headless_backend.h"
#include "settings/pages/target_page.h"
#include "settings/settings_entry.h"
#include "support/temp_dir.h"

namespace c51::settings {
namespace {

TEST(DeviceClockTest, ReadsTheClockEntryAsPercentI) {
  struct Case {
    const char* cpu;
    int hertz;
  } cases[] = {
      {"IRAM(0-0xFF) IROM(0-0xFFFF) CLOCK(24000000)", 24000000},
      {"CLOCK(0x16E3600) MODP2", 24000000},
      {"CLOCK(030)", 24},              // leading zero: octal
      {"CLOCK( 11059200)", 11059200},  // blanks before the number
      {"CLOCK(12000000", 12000000},    // no ")": to the end
      {"CLOCK(-5)", -5},
      {"CLOCK(99999999999)", INT_MAX},
      {"IROM(0-0xFFFF) CLOCK 12", 0},  // no "(" after it
      {"CLOCK)(12)", 12},              // the "(" after "CLOCK" counts, then its ")"
      {"XCLOCK(5) CLOCK(7)", 5},       // the first "CLOCK" anywhere
      {"CLOCK(abc)", 0},
      {"IROM(0-0xFFFF)", 0},
      {"", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cpu);
    EXPECT_EQ(DeviceClockHertz(c.cpu), c.hertz);
  }
}

TEST(HostFileTest, JoinsWithOneSeparator) {
  EXPECT_EQ(HostFile("C:\\host", "Dravn.dll"), "C:\\host\\Dravn.dll");
  EXPECT_EQ(HostFile("C:\\host\\", "Kelvadb.ini"), "C:\\host\\Kelvadb.ini");
  EXPECT_EQ(HostFile("/opt/host/", "Kelvadb.ini"), "/opt/host/Kelvadb.ini");
}

TEST(DeviceHostValueTest, ReadsTheWordAtByte264) {
  unsigned char record[512] = {};
  const uint32_t value = 0xA1B2C3D4;
  std::memcpy(record + 264, &value, sizeof value);
  record[263] = 0xFF;  // neighbours stay out of it
  record[268] = 0xFF;
  EXPECT_EQ(DeviceHostValue(record), value);
  EXPECT_EQ(DeviceHostValue(nullptr), 0u);
}

class DevicePageTest : public ::testing::Test {
 protected:
  DevicePageTest() {
    state_.host = &host_;
    state_.context.install_dir = folder_.c_str();
    state_.context.toolchain_name = "C51";
    state_.context.device = &host_device_;
    state_.context.device_host_record = host_record_;
    const uint32_t host_value = 4660;
    std::memcpy(host_record_ + 264, &host_value, sizeof host_value);
    state_.target.clock = 12.0;
    session_.state = &state_;
    session_.records = &records_;
  }

  void SetUp() override {
    // Held for the whole test, so that the page's load finds the same
    // library and the test can steer it.
    ASSERT_TRUE(fake_.Open(folder_ + "/Dravn.dll", nullptr));
    select_ = reinterpret_cast<void (*)(const char*, const char*, const char*)>(
        fake_.Symbol("FakeDeviceSelect"));
    report_ = reinterpret_cast<const char* (*)()>(fake_.Symbol("FakeDeviceReport"));
    window_ = reinterpret_cast<void* (*)()>(fake_.Symbol("FakeDeviceWindow"));
    ASSERT_TRUE(select_ && report_ && window_);
    select_(nullptr, nullptr, nullptr);
    report_();
  }

  // The Device and Target pages as the project dialog has them; the
  // script starts on the Target page.
  int Run(const std::function<void(HeadlessSheet&)>& script) {
    device_page_ = std::make_unique<CDevicePage>(&session_);
    target_page_ = std::make_unique<CTargetPage>(&session_);
    device_page_->set_target_page(target_page_.get());
    CArdelPropertySheet sheet("title");
    sheet.AddPage(device_page_.get());
    sheet.AddPage(target_page_.get());
    sheet.SetActivePage(1);
    backend_.sheet_script = script;
    return sheet.DoModal(&backend_);
  }

  std::string folder_ = ExecutableDirectory() + "fakedevice";
  DynamicLibrary fake_;
  void (*select_)(const char*, const char*, const char*) = nullptr;
  const char* (*report_)() = nullptr;
  void* (*window_)() = nullptr;

  const char* host_properties_[2] = {"CPU=IRAM(0-0xFF) XRAM(0-0x7FF)", nullptr};
  DeviceRecord host_device_{"Acme", "X51", 0, host_properties_};
  unsigned char host_record_[512] = {};
  test::RecordingServices host_;
  PluginState state_;
  SettingsRecords records_;
  SettingsSession session_;
  HeadlessInterface ui_;
  HeadlessBackend backend_{&ui_, Language::kEnglish};
  std::unique_ptr<CDevicePage> device_page_;
  std::unique_ptr<CTargetPage> target_page_;
};

TEST_F(DevicePageTest, ShowingThePageHostsTheLibraryWindow) {
  Run([this](HeadlessSheet& run) {
    // Nothing is created before the page is shown.
    EXPECT_EQ(std::string(report_()), "0|0|");
    EXPECT_TRUE(backend_.embedded_windows.empty());
    ASSERT_TRUE(run.SelectPage(0));
    // The current device, the host value, the toolchain; no native window
    // without windows.
    EXPECT_EQ(std::string(report_()), "1|0|Acme|X51|4660|C51|<null>");
    ASSERT_EQ(backend_.embedded_windows.size(), 1u);
    EXPECT_EQ(backend_.embedded_windows[0].first, device_page_.get());
    EXPECT_EQ(backend_.embedded_windows[0].second, window_());
    ASSERT_TRUE(run.SelectPage(1));
    ASSERT_TRUE(run.SelectPage(0));
    EXPECT_EQ(std::string(report_()), "0|1|");  // created once, asked once
  });
}

TEST_F(DevicePageTest, LeavingThePageTakesTheSelectionOver) {
  struct Case {
    const char* cpu;
    const char* crystal;
    double clock;
  } cases[] = {
      {"CPU=IROM(0-0xFFFF) CLOCK(24000000)", "24.000000", 24.0},
      {"CPU=IROM(0-0x7FFF) CLOCK(0xA8C000)", "11.059200", 11.0592},
      {"CPU=IROM(0-0xFFFF)", "0.000000", 0.0},  // no clock: crystal 0
      {"REGFILE=x.h", "0.000000", 0.0},         // no CPU text at all
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cpu);
    state_.target.clock = 12.0;
    records_.chosen_device = nullptr;
    Run([&](HeadlessSheet& run) {
      ASSERT_TRUE(run.SelectPage(0));
      select_("Nova", "N52", c.cpu);
      ASSERT_TRUE(run.SelectPage(1));
      HeadlessDialog& target = *run.controls(1);
      EXPECT_EQ(target.GetText(IDC_TARGET_DEVICE), "Nova N52");
      EXPECT_EQ(target.GetText(IDC_TARGET_XTAL), c.crystal);
      // The on-chip boxes follow the new device, not the host's.
      const bool rom = std::strstr(c.cpu, "IROM") != nullptr;
      EXPECT_EQ(target.IsEnabled(IDC_TARGET_ON_CHIP_ROM), rom);
      EXPECT_FALSE(target.IsEnabled(IDC_TARGET_ON_CHIP_XRAM));
      EXPECT_TRUE(run.IsButtonEnabled(kIdApply));
    });
    EXPECT_DOUBLE_EQ(state_.target.clock, c.clock);
    // The library's record of the new device, reported to the host after OK.
    ASSERT_NE(records_.chosen_device, nullptr);
    EXPECT_STREQ(static_cast<const DeviceRecord*>(records_.chosen_device)->device, "N52");
  }
}

TEST_F(DevicePageTest, NoSelectionKeepsTheDeviceInForce) {
  Run([&](HeadlessSheet& run) {
    ASSERT_TRUE(run.SelectPage(0));
    ASSERT_TRUE(run.SelectPage(1));  // nothing selected yet
    HeadlessDialog& target = *run.controls(1);
    EXPECT_EQ(target.GetText(IDC_TARGET_DEVICE), "Acme X51");
    EXPECT_EQ(target.GetText(IDC_TARGET_XTAL), "12.000000");
    EXPECT_EQ(records_.chosen_device, nullptr);

    ASSERT_TRUE(run.SelectPage(0));
    select_("Nova", "N52", "CPU=CLOCK(24000000)");
    ASSERT_TRUE(run.SelectPage(1));
    ASSERT_TRUE(run.SelectPage(0));
    select_(nullptr, nullptr, nullptr);
    ASSERT_TRUE(run.SelectPage(1));
    EXPECT_EQ(target.GetText(IDC_TARGET_DEVICE), "Nova N52");
    EXPECT_EQ(target.GetText(IDC_TARGET_XTAL), "24.000000");
  });
  // The device reported is the one the Target page shows.
  ASSERT_NE(records_.chosen_device, nullptr);
  EXPECT_STREQ(static_cast<DeviceRecord*>(records_.chosen_device)->device, "N52");
}

TEST_F(DevicePageTest, WithoutAUsableLibraryThePageIsBlank) {
  test::ScopedTempDir empty;
  const std::string without = ExecutableDirectory() + "fakedevice_without_getinterface";
  const char* folders[] = {empty.path().c_str(), without.c_str(), "", nullptr};
  select_("Nova", "N52", "CPU=CLOCK(24000000)");
  for (const char* folder : folders) {
    SCOPED_TRACE(folder ? folder : "<null>");
    state_.context.install_dir = folder;
    backend_.embedded_windows.clear();
    Run([&](HeadlessSheet& run) {
      ASSERT_TRUE(run.SelectPage(0));
      ASSERT_TRUE(run.SelectPage(1));
      EXPECT_EQ(run.controls(1)->GetText(IDC_TARGET_DEVICE), "Acme X51");
      EXPECT_TRUE(run.PressOk());
    });
    EXPECT_TRUE(backend_.embedded_windows.empty());
    EXPECT_EQ(std::string(report_()), "0|0|");
    EXPECT_EQ(state_.target.clock, 12.0);
    EXPECT_EQ(records_.chosen_device, nullptr);
  }
}

// The entry reports the chosen device after OK, and only then.
class DeviceReportTest : public DevicePageTest {
 protected:
  class Host : public test::RecordingServices {
   public:
    void DeviceChanged(void* record) override { changed.push_back(record); }
    std::vector<void*> changed;
  };

  DeviceReportTest() {
    state_.host = &reporting_host_;
    state_.configuration = tree_.ref;
    state_.context.default_clock = &default_clock_;
    state_.context.project_path = "/p/demo.cvproj";
  }

  int Show(const std::function<void(HeadlessSheet&)>& script) {
    backend_.sheet_script = script;
    return RunProjectDialog(&state_, tree_.root.get(), &backend_, &records_);
  }

  test::ProjectTree tree_;
  Host reporting_host_;
  double default_clock_ = 12.0;
};

TEST_F(DeviceReportTest, OkAfterAChoiceReportsTheDevice) {
  select_("Nova", "N52", "CPU=IROM(0-0xFFFF) CLOCK(24000000)");
  void* reported_record = nullptr;
  EXPECT_EQ(Show([&](HeadlessSheet& run) {
              ASSERT_TRUE(run.SelectPage(0));
              ASSERT_TRUE(run.SelectPage(1));
              EXPECT_EQ(run.active().GetText(IDC_TARGET_XTAL), "24.000000");
              reported_record = records_.chosen_device;
              EXPECT_TRUE(run.PressOk());
            }),
            1);
  ASSERT_EQ(reporting_host_.changed.size(), 1u);
  EXPECT_EQ(reporting_host_.changed[0], reported_record);
  EXPECT_STREQ(static_cast<DeviceRecord*>(reporting_host_.changed[0])->vendor, "Nova");
  // The record reported is the plug-in's own copy: the library's answer
  // goes with the library (here: is overwritten by the next choice).
  select_("Other", "Q9", "CPU=CLOCK(1000000)");
  EXPECT_STREQ(static_cast<DeviceRecord*>(reporting_host_.changed[0])->device, "N52");
  EXPECT_STREQ(FindDeviceProperty(static_cast<DeviceRecord*>(reporting_host_.changed[0]), "CPU"),
               "IROM(0-0xFFFF) CLOCK(24000000)");
  // The new crystal is written with the target keys and becomes the
  // host's default clock.
  EXPECT_STREQ(GetAttributeText(tree_.config, "SIMCLK"), "24.000000");
  EXPECT_EQ(default_clock_, 24.0);
}

TEST_F(DeviceReportTest, NothingIsReportedWithoutAChoiceOrAfterCancel) {
  select_("Nova", "N52", "CPU=CLOCK(24000000)");
  struct Case {
    const char* what;
    bool visit_device_page;
    bool ok;
    const char* library_calls;  // windows created | selections asked
  } cases[] = {
      {"device page never shown", false, true, "0|0|"},
      {"cancel after a choice", true, false, "1|1|"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    reporting_host_.changed.clear();
    EXPECT_EQ(Show([&](HeadlessSheet& run) {
                if (c.visit_device_page) {
                  ASSERT_TRUE(run.SelectPage(0));
                  ASSERT_TRUE(run.SelectPage(1));
                }
                EXPECT_TRUE(c.ok ? run.PressOk() : run.PressCancel());
              }),
              0);
    EXPECT_TRUE(reporting_host_.changed.empty());
    EXPECT_EQ(std::string(report_()).substr(0, 4), c.library_calls);
  }
}

}  // namespace
}  // namespace c51::settings
