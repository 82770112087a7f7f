// Reading the first bytes of a file, and its modification time, through one
// open handle: a build that looks at thousands of object files pays for one
// path lookup per file instead of two, and never reads more than it needs.
#ifndef C51_PLATFORM_INPUT_FILE_H_
#define C51_PLATFORM_INPUT_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

namespace c51 {

class InputFile {
 public:
  enum class Status { kOkay, kNotFound, kOtherError };

  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Opens `path` ("\" or "/" separators) for reading, sharing it with
  // writers; a file already held is closed first. Folders count as
  // kOtherError.
  Status Open(const std::string& path);
  void Close();
  bool is_open() const { return handle_ != kClosed; }

  // Last modification time on the scale of ModificationTime (fs.h); 0 when
  // the file is not open or the time cannot be read.
  int64_t ModificationTime() const;

  // Reads up to `size` bytes at the current position into `buffer`; the
  // count read, 0 at the end of the file or on an error.
  size_t Read(char* buffer, size_t size);

 private:
  static constexpr intptr_t kClosed = -1;
  intptr_t handle_ = kClosed;  // file descriptor, or HANDLE
  // POSIX reads the time with the check that the file is no folder, in
  // the same call; -1 until then.
  int64_t time_ = -1;
};

}  // namespace c51

#endif  // C51_PLATFORM_INPUT_FILE_H_
