// The objects' dependency records as the up-to-date check sees them: read
// from an object once per version of it (its time and size), kept in the
// state's cache for the rest of the process and, between processes, in
// the object folder's dependency log (dependency_log.h). A logged entry
// vouches for its object only while the object still has the time and
// size it was read at; any other object is read again. A build therefore
// decides the same with the log, without it, or with a damaged one: only
// the number of objects opened differs.
//
// The cache is read and changed under one lock, so the up-to-date checks
// of the walk and the records of translations that finish on other
// threads (RecordObject) may overlap.
#ifndef C51_BUILD_OBJECT_RECORDS_H_
#define C51_BUILD_OBJECT_RECORDS_H_

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace c51 {

struct ObjectRecord;
struct PluginState;

// True when `object` (an absolute path) is out of date for a source last
// changed at `source_time`: the object is missing or cannot be read, is
// older than the source, has a record cut short, or names an include file
// changed after it. Include file times are looked up once per build
// (BuildProgress::serial). `slot`, when given, keeps the object's cache
// entry from one call to the next (null: not found yet).
bool ObjectOutOfDate(PluginState* state, const std::string& object, int64_t source_time,
                     ObjectRecord** slot = nullptr);

// Reads the record of `object`, which a translation has just made (or
// removed), into the cache, so that the log saved after the build holds
// it. Safe to call from any thread while a build runs.
void RecordObject(PluginState* state, const std::string& object);

// A logged object's path and its entry in the cache. Both stay where they
// are: the cache never drops an entry.
using LoggedRecord = std::pair<const std::string*, const ObjectRecord*>;

// Fills the cache from the log of `folder` (the absolute object folder,
// ending in a separator): each logged object the cache holds nothing for
// gets the logged record. A log that is missing, damaged or written for
// another folder adds nothing. Returns a digest of what the log held;
// `logged`, when given, gets its objects in the log's order.
uint64_t LoadDependencyLog(PluginState* state, const std::string& folder,
                           std::vector<LoggedRecord>* logged = nullptr);

// A digest of the cache's records of the objects in `folder`, comparable
// with what LoadDependencyLog returned.
uint64_t DigestOfFolder(PluginState* state, const std::string& folder);

// Writes the cache's records of the objects in `folder` to its log: to a
// file beside it first, then over it, so a reader never sees half a log.
// False when it could not be written (the next build reads the objects
// again, nothing worse).
bool SaveDependencyLog(PluginState* state, const std::string& folder);

// Loads the log of the state's object folder for the build's walk, and
// writes it back when the walk ends, however it ends, if the records of
// the folder differ from what it held.
class DependencyLogScope {
 public:
  explicit DependencyLogScope(PluginState* state);
  ~DependencyLogScope();
  DependencyLogScope(const DependencyLogScope&) = delete;
  DependencyLogScope& operator=(const DependencyLogScope&) = delete;

  // The log's objects, in its order; handed out once.
  std::vector<LoggedRecord> TakeLogged() { return std::move(logged_); }

 private:
  PluginState* state_;
  std::string folder_;
  uint64_t loaded_ = 0;
  std::vector<LoggedRecord> logged_;
};

}  // namespace c51

#endif  // C51_BUILD_OBJECT_RECORDS_H_
