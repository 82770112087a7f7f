// Object stamps asked ahead on a second thread: the same answers as the
// disk's, for the path asked about only, and the disk's again once
// something ran.
#include "build/stamp_prefetch.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/fs.h"
#include "plugin/build_cache.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

class StampPrefetchTest : public testing::Test {
 protected:
  // `count` files of different sizes, each with a cache entry.
  void MakeObjects(size_t count) {
    paths_.clear();
    records_.assign(count, ObjectRecord());
    for (size_t i = 0; i < count; ++i) {
      paths_.push_back(dir_.path() + "o" + std::to_string(i) + ".obj");
      ASSERT_TRUE(WriteWholeFile(paths_.back(), std::string(i + 1, 'x'), nullptr));
    }
  }
  std::vector<std::pair<const std::string*, const ObjectRecord*>> Logged() const {
    std::vector<std::pair<const std::string*, const ObjectRecord*>> logged;
    for (size_t i = 0; i < paths_.size(); ++i) logged.emplace_back(&paths_[i], &records_[i]);
    return logged;
  }

  test::ScopedTempDir dir_{"c51prefetch"};
  std::vector<std::string> paths_;
  std::vector<ObjectRecord> records_;
};

TEST_F(StampPrefetchTest, AnswersAsTheDiskDoesForThePathAskedAbout) {
  for (size_t count : {size_t{3}, StampPrefetch::kMinimumObjects, size_t{500}}) {
    SCOPED_TRACE(count);
    ASSERT_NO_FATAL_FAILURE(MakeObjects(count));
    // A path that is nobody's, and one given with another's entry.
    const std::string stranger = dir_.path() + "stranger.obj";
    ASSERT_TRUE(WriteWholeFile(stranger, "12345678901234567890abc", nullptr));
    StampPrefetch prefetch(Logged());
    if (count < StampPrefetch::kMinimumObjects) {
      EXPECT_FALSE(prefetch.running());
    }
    // From the end, against the thread's order, and from the start.
    for (size_t i = count; i-- > count / 2;) {
      EXPECT_EQ(prefetch.StampOf(&records_[i], paths_[i]).size, static_cast<int64_t>(i + 1));
    }
    for (size_t i = 0; i < count / 2; ++i) {
      const FileStamp stamp = prefetch.StampOf(&records_[i], paths_[i]);
      EXPECT_EQ(stamp.size, static_cast<int64_t>(i + 1));
      EXPECT_EQ(stamp.time, StampOf(paths_[i]).time);
    }
    EXPECT_EQ(prefetch.StampOf(&records_[0], stranger).size, 23);
    ObjectRecord unknown;
    EXPECT_EQ(prefetch.StampOf(&unknown, stranger).size, 23);
    EXPECT_EQ(prefetch.StampOf(nullptr, paths_[1]).size, 2);
    EXPECT_EQ(prefetch.StampOf(nullptr, dir_.path() + "missing.obj").time, 0);
  }
}

TEST_F(StampPrefetchTest, OnceSomethingRanTheDiskIsAskedAgain) {
  ASSERT_NO_FATAL_FAILURE(MakeObjects(300));
  StampPrefetch prefetch(Logged());
  EXPECT_EQ(prefetch.StampOf(&records_[0], paths_[0]).size, 1);
  // Time for the thread to ask about them all (a few hundred stats), so
  // that what it saw is out of date below.
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  prefetch.Invalidate();
  EXPECT_FALSE(prefetch.running());
  ASSERT_TRUE(WriteWholeFile(paths_[299], "changed", nullptr));
  ASSERT_TRUE(RemoveFile(paths_[150]));
  EXPECT_EQ(prefetch.StampOf(&records_[299], paths_[299]).size, 7);
  EXPECT_EQ(prefetch.StampOf(&records_[150], paths_[150]).time, 0);
  prefetch.Invalidate();
  EXPECT_EQ(prefetch.StampOf(&records_[2], paths_[2]).size, 3);
}

}  // namespace
}  // namespace c51
