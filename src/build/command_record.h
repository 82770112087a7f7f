// What made each output of a build: a fingerprint of the command that
// translated each object and of the command file of the last link, kept
// in one file in the object folder. A step whose command differs from the
// one its output was made with runs again, like a step whose inputs are
// newer: a changed define or memory model retranslates, an object added
// to the project relinks.
//
// The file, "<object folder>.c51commands", one output a line after a
// first line naming the format:
//   c51commands 1
//   <16 lower-case hex digits> <output name>
// A later line for the same name replaces an earlier one; a line of 16
// zeros forgets the name (its step started and may not have ended). A
// file that is missing, of another format or unreadable holds nothing, so
// every step runs; a line that does not parse is skipped.
#ifndef C51_BUILD_COMMAND_RECORD_H_
#define C51_BUILD_COMMAND_RECORD_H_

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/fs.h"

namespace c51 {

// A 64-bit hash of `text`, the same on every platform and in every run.
uint64_t HashText(std::string_view text);
// `seed` followed by `value`: order matters, so pieces cannot trade places.
uint64_t CombineHash(uint64_t seed, uint64_t value);

class CommandRecord {
 public:
  static constexpr const char* kFileName = ".c51commands";

  // Takes the record of `folder` (ending in a separator): read from its
  // file unless this record already holds that folder's file as it is on
  // disk now.
  void Load(const std::string& folder);

  // The fingerprint `output` was last made with; false when there is none.
  bool Find(std::string_view output, uint64_t* fingerprint) const;
  // Where that fingerprint is kept (null: none), for a caller that asks
  // about the same output build after build: valid while generation()
  // stays the same.
  const uint64_t* Slot(std::string_view output) const;
  uint64_t generation() const { return generation_; }
  void Set(std::string_view output, uint64_t fingerprint);
  void Forget(std::string_view output);
  // Forgets `output` on disk at once, before the step that makes it runs:
  // a process ended with its tool (a kill, a power cut) leaves a record
  // that makes the next build take the step again, instead of one that
  // vouches for an output cut in the middle. One short line appended, read
  // as a fingerprint no command has; the next Save rewrites the file.
  void MarkStarting(std::string_view output);

  // Writes the record back when it changed since Load: to a file beside
  // it first, then over it, so a reader never sees half a record. False
  // when it could not be written (the next build then runs the steps
  // again, nothing worse).
  bool Save();

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  std::string folder_;
  FileStamp stamp_;  // of the file as last read or written; time 0: none
  bool changed_ = false;
  // Counts changes that may move or remove an entry or add one.
  uint64_t generation_ = 1;
  std::unordered_map<std::string, uint64_t, Hash, std::equal_to<>> entries_;
};

// Saves the record when the build that loaded it ends, however it ends.
class CommandRecordSaver {
 public:
  explicit CommandRecordSaver(CommandRecord* record) : record_(record) {}
  ~CommandRecordSaver() { record_->Save(); }
  CommandRecordSaver(const CommandRecordSaver&) = delete;
  CommandRecordSaver& operator=(const CommandRecordSaver&) = delete;

 private:
  CommandRecord* record_;
};

}  // namespace c51

#endif  // C51_BUILD_COMMAND_RECORD_H_
