// The objects' times and sizes asked of the disk ahead of the walk, on a
// second thread. A build with nothing to do spends most of its time asking
// the disk about sources and objects, one file after another; with the
// objects' half asked beside the walk, that time is shared by two
// processors.
//
// A stamp asked ahead is only as good as the disk it saw: once anything
// runs in the build (a translation, a user command), the walk asks the disk
// itself again for every object that follows. Whoever comes to an object
// first asks for it, so each is asked once either way.
#ifndef C51_BUILD_STAMP_PREFETCH_H_
#define C51_BUILD_STAMP_PREFETCH_H_

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "build/object_records.h"
#include "platform/fs.h"

namespace c51 {

class StampPrefetch {
 public:
  // Fewer objects than this are not worth a thread.
  static constexpr size_t kMinimumObjects = 64;

  // The objects in `objects` (each record's object path with its cache
  // entry, in the order the walk is likely to meet them) are asked for on a
  // thread of its own, when there are enough of them and a second
  // processor to run it.
  explicit StampPrefetch(std::vector<LoggedRecord> objects);
  ~StampPrefetch();
  StampPrefetch(const StampPrefetch&) = delete;
  StampPrefetch& operator=(const StampPrefetch&) = delete;

  // The stamp of `object`, whose cache entry is `record` (null: none):
  // the one asked ahead when there is one and nothing ran since, else the
  // disk's answer now. Called by the walk's thread only.
  FileStamp StampOf(const ObjectRecord* record, const std::string& object);

  // Something ran that may have changed objects: every later answer is
  // asked of the disk, and the thread stops. Idempotent.
  void Invalidate();

  bool running() const { return thread_.joinable(); }

 private:
  enum : uint8_t { kNotAsked, kAsking, kAsked };
  struct Entry {
    const std::string* path = nullptr;
    FileStamp stamp;
    std::atomic<uint8_t> state{kNotAsked};
  };

  void Run();
  void Stop();
  // The entry of `record`, or null.
  Entry* Find(const ObjectRecord* record);

  std::unique_ptr<Entry[]> entries_;
  size_t count_ = 0;
  // Cache entry => index in entries_, sorted by the entry's address.
  std::vector<std::pair<const ObjectRecord*, uint32_t>> index_;
  std::atomic<bool> stop_{false};
  bool valid_ = true;
  std::thread thread_;
};

}  // namespace c51

#endif  // C51_BUILD_STAMP_PREFETCH_H_
