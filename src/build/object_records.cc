#include "build/object_records.h"

#include <algorithm>
#include <limits>
#include <mutex>
#include <string_view>
#include <vector>

#include "build/command_record.h"
#include "build/dependency_log.h"
#include "build/object_head.h"
#include "build/stamp_prefetch.h"
#include "platform/fs.h"
#include "plugin/build_cache.h"
#include "plugin/state.h"

namespace c51 {
namespace {

// One lock for the record cache and the include table. A process has one
// state; tests that make several share the lock, which only serialises
// what they would not run at once anyway.
std::mutex& RecordsLock() {
  static std::mutex lock;
  return lock;
}

uint32_t IncludeNumber(PluginState* state, std::string_view path) {
  IncludeTable& table = state->caches().include_files;
  auto found = table.numbers.find(path);
  if (found != table.numbers.end()) return found->second;
  const uint32_t number = static_cast<uint32_t>(table.files.size());
  table.files.push_back(IncludeFile{std::string(path)});
  table.numbers.emplace(std::string(path), number);
  return number;
}

int64_t IncludeTime(PluginState* state, uint32_t number) {
  IncludeFile& file = state->caches().include_files.files[number];
  if (file.looked_up != state->build.serial) {
    file.time = ModificationTime(file.path);
    file.looked_up = state->build.serial;
  }
  return file.time;
}

// `record` as read from `head`, stamped with what the object's stamp was
// before the read: an object rewritten meanwhile is read again next time.
ObjectRecord RecordFromHead(PluginState* state, const ObjectHead& head, const FileStamp& stamp) {
  ObjectRecord record;
  record.stamp = stamp;
  record.truncated = head.record.status == RecordStatus::kTruncated;
  record.includes.reserve(head.record.includes.size());
  for (std::string_view include : head.record.includes) {
    record.includes.push_back(IncludeNumber(state, include));
  }
  return record;
}

// The object's record as of its current time and size: read from the
// file when the object is new or changed since it was last read, else
// taken from the cache. Null when the object cannot be read. The caller
// holds the lock.
const ObjectRecord* RecordOf(PluginState* state, const std::string& object, ObjectRecord** slot) {
  ObjectRecord* entry = slot != nullptr ? *slot : nullptr;
  ObjectRecordCache& cache = state->caches().object_records;
  if (entry == nullptr) {
    auto found = cache.find(object);
    if (found != cache.end()) entry = &found->second;
  }
  StampPrefetch* prefetch = state->build.stamp_prefetch;
  const FileStamp stamp = prefetch != nullptr ? prefetch->StampOf(entry, object) : StampOf(object);
  if (entry == nullptr) {
    // A missing object gets no entry: nothing to remember about it.
    if (stamp.time == 0) return nullptr;
    entry = &cache.emplace(object, ObjectRecord()).first->second;
  }
  if (slot != nullptr) *slot = entry;
  if (stamp.time == 0) {
    *entry = ObjectRecord();
    return nullptr;
  }
  if (stamp.time > state->build.newest_object_time) state->build.newest_object_time = stamp.time;
  if (entry->stamp.time == stamp.time && entry->stamp.size == stamp.size) return entry;
  ObjectHead head;
  head.bytes.swap(state->build.object_bytes);
  ReadObjectHead(object, &head);
  const bool readable = head.status == InputFile::Status::kOkay;
  *entry = readable ? RecordFromHead(state, head, stamp) : ObjectRecord();
  state->build.object_bytes.swap(head.bytes);
  return readable ? entry : nullptr;
}

// The name of `key` inside `folder`, or empty when the key is no object of
// that folder.
std::string_view NameInFolder(std::string_view key, std::string_view folder) {
  if (key.size() <= folder.size() || key.compare(0, folder.size(), folder) != 0) return {};
  const std::string_view name = key.substr(folder.size());
  for (char c : name) {
    if (c == '/' || c == '\\' || c == ':') return {};
  }
  return name;
}

// One entry's part of a folder's digest; entries are summed, so their
// order does not matter.
uint64_t EntryDigest(std::string_view name, const ObjectRecord& record) {
  uint64_t h = CombineHash(HashText(name), static_cast<uint64_t>(record.stamp.time));
  h = CombineHash(h, static_cast<uint64_t>(record.stamp.size));
  h = CombineHash(h, record.truncated ? 1 : 0);
  for (uint32_t include : record.includes) h = CombineHash(h, include);
  return h;
}

template <typename Visit>
void ForEachOfFolder(PluginState* state, const std::string& folder, Visit visit) {
  for (const auto& [key, record] : state->caches().object_records) {
    // Nothing is remembered about a missing or unreadable object.
    if (record.stamp.time == 0) continue;
    const std::string_view name = NameInFolder(key, folder);
    if (!name.empty()) visit(name, record);
  }
}

}  // namespace

bool ObjectOutOfDate(PluginState* state, const std::string& object, int64_t source_time,
                     ObjectRecord** slot) {
  std::lock_guard<std::mutex> hold(RecordsLock());
  const ObjectRecord* record = RecordOf(state, object, slot);
  if (record == nullptr) return true;
  if (source_time > record->stamp.time) return true;
  // An object cut short inside its own record cannot be trusted either.
  if (record->truncated) return true;
  for (uint32_t include : record->includes) {
    if (IncludeTime(state, include) > record->stamp.time) return true;
  }
  return false;
}

void RecordObject(PluginState* state, const std::string& object) {
  // The disk is asked before the lock is taken: the walk goes on meanwhile.
  const FileStamp stamp = StampOf(object);
  ObjectHead head;
  if (stamp.time != 0) ReadObjectHead(object, &head);
  const bool readable = stamp.time != 0 && head.status == InputFile::Status::kOkay;
  std::lock_guard<std::mutex> hold(RecordsLock());
  ObjectRecordCache& cache = state->caches().object_records;
  auto found = cache.find(object);
  if (found == cache.end()) {
    if (!readable) return;
    found = cache.emplace(object, ObjectRecord()).first;
  }
  found->second = readable ? RecordFromHead(state, head, stamp) : ObjectRecord();
}

uint64_t LoadDependencyLog(PluginState* state, const std::string& folder,
                           std::vector<LoggedRecord>* logged) {
  std::string bytes;
  if (folder.empty() ||
      ReadWholeFile(folder + kDependencyLogName, &bytes, nullptr) != ReadStatus::kOkay) {
    return 0;
  }
  DependencyLogView log;
  // A log copied from another object folder speaks of other objects.
  if (!ParseDependencyLog(bytes, &log) || log.folder != folder) return 0;
  std::lock_guard<std::mutex> hold(RecordsLock());
  std::vector<uint32_t> numbers;
  numbers.reserve(log.includes.size());
  for (std::string_view include : log.includes) numbers.push_back(IncludeNumber(state, include));
  uint64_t digest = 0;
  std::string key = folder;
  // Grown once rather than rehashed as the entries come.
  state->caches().object_records.reserve(state->caches().object_records.size() +
                                         log.objects.size());
  for (const LoggedObject& object : log.objects) {
    ObjectRecord record;
    record.stamp = object.stamp;
    record.truncated = object.truncated;
    record.includes.reserve(object.count);
    for (uint32_t i = 0; i < object.count; ++i) {
      record.includes.push_back(numbers[log.numbers[object.first + i]]);
    }
    digest += EntryDigest(object.name, record);
    key.resize(folder.size());
    key.append(object.name);
    // What this process read itself is as good as the log's entry; either
    // is checked against the object before it is believed.
    auto [entry, added] = state->caches().object_records.try_emplace(key);
    if (added || entry->second.stamp.time == 0) entry->second = std::move(record);
    if (logged != nullptr) logged->emplace_back(&entry->first, &entry->second);
  }
  return digest;
}

uint64_t DigestOfFolder(PluginState* state, const std::string& folder) {
  std::lock_guard<std::mutex> hold(RecordsLock());
  uint64_t digest = 0;
  ForEachOfFolder(state, folder, [&digest](std::string_view name, const ObjectRecord& record) {
    digest += EntryDigest(name, record);
  });
  return digest;
}

bool SaveDependencyLog(PluginState* state, const std::string& folder) {
  if (folder.empty()) return false;
  std::string bytes;
  {
    std::lock_guard<std::mutex> hold(RecordsLock());
    DependencyLogView log;
    log.folder = folder;
    std::vector<std::pair<std::string_view, const ObjectRecord*>> objects;
    ForEachOfFolder(state, folder, [&objects](std::string_view name, const ObjectRecord& record) {
      objects.emplace_back(name, &record);
    });
    // The same records give the same bytes.
    std::sort(objects.begin(), objects.end());
    // The table's numbers => the log's, which count only the include files
    // the folder's objects name.
    constexpr uint32_t kUnused = std::numeric_limits<uint32_t>::max();
    std::vector<uint32_t> renumbered(state->caches().include_files.files.size(), kUnused);
    for (const auto& [name, record] : objects) {
      LoggedObject object;
      object.name = name;
      object.stamp = record->stamp;
      object.truncated = record->truncated;
      object.first = static_cast<uint32_t>(log.numbers.size());
      object.count = static_cast<uint32_t>(record->includes.size());
      for (uint32_t include : record->includes) {
        if (renumbered[include] == kUnused) {
          renumbered[include] = static_cast<uint32_t>(log.includes.size());
          log.includes.push_back(state->caches().include_files.files[include].path);
        }
        log.numbers.push_back(renumbered[include]);
      }
      log.objects.push_back(object);
    }
    bytes = FormatDependencyLog(log);
  }
  const std::string path = folder + kDependencyLogName;
  const std::string temporary = path + ".tmp";
  if (!WriteWholeFile(temporary, bytes, nullptr) || !MoveFileOver(temporary, path)) {
    RemoveFile(temporary);
    return false;
  }
  return true;
}

DependencyLogScope::DependencyLogScope(PluginState* state)
    : state_(state), folder_(state->output_dir) {
  loaded_ = LoadDependencyLog(state_, folder_, &logged_);
}

DependencyLogScope::~DependencyLogScope() {
  if (folder_.empty() || DigestOfFolder(state_, folder_) == loaded_) return;
  SaveDependencyLog(state_, folder_);
}

}  // namespace c51
