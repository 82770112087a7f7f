// Opening a configuration on a state of the test's own, over host-built
// trees and real folders.
#include "plugin/open_configuration.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/fs.h"
#include "platform/path.h"
#include "plugin/basic_entries.h"
#include "plugin/state.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace c51::test {
namespace {

// The trailing separator the platform's absolute paths end in.
std::string Sep() {
  return NativePathStyle() == PathStyle::kWindows ? "\\" : "/";
}

class OpenConfigurationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(dir_.path().empty());
    saved_cwd_ = CurrentDirectory();
    host_.project_path = dir_.path() + "proj.cvproj";
    SetHostContext(&state_, host_.Context());
    config_ = host_.AddConfiguration("Debug");
  }
  void TearDown() override { ChangeCurrentDirectory(saved_cwd_); }

  // The temporary folder as the OS spells it, without its separator.
  std::string Folder() const {
    std::string folder = ShortPath(FullPath(dir_.path()));
    if (IsPathSeparator(folder.back())) folder.pop_back();
    return folder;
  }

  ScopedTempDir dir_;
  std::string saved_cwd_;
  FakeHost host_;
  PluginState state_;
  ProjectNode* config_ = nullptr;
};

TEST_F(OpenConfigurationTest, DefaultFoldersAreMadeBelowTheProject) {
  OpenConfiguration(&state_, host_.root(), "Debug");
  EXPECT_EQ(state_.project_dir, Folder());
  EXPECT_EQ(state_.output_dir, Folder() + Sep() + "Debug" + Sep());
  EXPECT_EQ(state_.listing_dir, state_.output_dir);
  EXPECT_EQ(state_.output_dir_relative, ".\\Debug\\");
  EXPECT_EQ(state_.listing_dir_relative, ".\\Debug\\");
  EXPECT_EQ(state_.output_name, "proj");
  EXPECT_TRUE(IsDirectory(state_.output_dir));
  // Relative folders in the tree are taken from the project folder.
  EXPECT_EQ(ShortPath(CurrentDirectory()), Folder());
  EXPECT_FALSE(host_.TreeChangedBehindServices());
}

// The project folder itself: no prefix for objects, ".\" for listings.
TEST_F(OpenConfigurationTest, TheProjectFolderAsOutputAndListingFolder) {
  host_.Set(config_, "OutputDirectory", ".\\");
  host_.Set(config_, "ListingDirectory", ".");
  host_.Set(config_, "OutputName", "firmware");
  OpenConfiguration(&state_, host_.root(), "Debug");
  EXPECT_EQ(state_.output_dir_relative, "");
  EXPECT_EQ(state_.listing_dir_relative, ".\\");
  EXPECT_EQ(state_.output_dir, Folder() + Sep());
  EXPECT_EQ(state_.output_name, "firmware");
}

TEST_F(OpenConfigurationTest, FoldersOutsideTheProjectAndNested) {
  ScopedTempDir other("c51other");
  std::string other_name = ShortPath(FullPath(other.path()));
  other_name.pop_back();
  other_name = other_name.substr(other_name.find_last_of("\\/") + 1);
  host_.Set(config_, "OutputDirectory", (other.path() + "out").c_str());
  host_.Set(config_, "ListingDirectory", ".\\lst\\deep\\");
  OpenConfiguration(&state_, host_.root(), "Debug");
  EXPECT_EQ(state_.output_dir_relative, "..\\" + other_name + "\\out\\");
  EXPECT_EQ(state_.listing_dir_relative, ".\\lst\\deep\\");
  EXPECT_TRUE(IsDirectory(other.path() + "out"));
  EXPECT_TRUE(IsDirectory(dir_.path() + "lst/deep"));
}

TEST_F(OpenConfigurationTest, ListingSwitchesFromOptlt) {
  struct Case {
    const char* optlt;
    ListingSwitches expected;
  };
  const Case cases[] = {
      // An empty field moves the later values forward; the end stays 0.
      {"1,,1,0,2", {1, 1, 0, 2}},
      {",,,1", {1}},
      {"1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,7,7",
       {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
      {"", {}},
      {"x,2", {0, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.optlt);
    state_.listing.fill(9);
    host_.Set(config_, "OPTLT", c.optlt);
    OpenConfiguration(&state_, host_.root(), "Debug");
    EXPECT_EQ(state_.listing, c.expected);
  }
}

TEST_F(OpenConfigurationTest, AMissingConfigurationKeepsTheFolders) {
  OpenConfiguration(&state_, host_.root(), "Debug");
  const std::string output = state_.output_dir;
  OpenConfiguration(&state_, host_.root(), "Nope");
  EXPECT_EQ(state_.configuration.name, "Nope");
  EXPECT_EQ(state_.output_dir, output);
  EXPECT_EQ(FindCurrentConfiguration(&state_.configuration), nullptr);
}

TEST_F(OpenConfigurationTest, AnEmptyNameAdoptsTheFirstNamedConfiguration) {
  ProjectNode* configs = config_->parent;
  // A configuration without "Name" is passed over.
  ProjectNode* nameless = host_.Add(configs, "Configuration");
  configs->first_child = nameless;
  nameless->next_sibling = config_;
  config_->next_sibling = nullptr;
  OpenConfiguration(&state_, host_.root(), "");
  EXPECT_EQ(state_.configuration.name, "Debug");
  EXPECT_EQ(state_.output_dir_relative, ".\\Debug\\");
}

TEST_F(OpenConfigurationTest, NotifyChangesTheLookupButNotTheFolders) {
  ProjectNode* release = host_.AddConfiguration("Release");
  OpenConfiguration(&state_, host_.root(), "Debug");
  const std::string output = state_.output_dir;
  Notify(&state_, 1, "Release");
  EXPECT_EQ(FindCurrentConfiguration(&state_.configuration), config_);
  Notify(&state_, 2, "Release");
  EXPECT_EQ(FindCurrentConfiguration(&state_.configuration), release);
  EXPECT_EQ(state_.output_dir, output);
}

}  // namespace
}  // namespace c51::test
