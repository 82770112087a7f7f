// The start of an object file as the build looks at it: its modification
// time and its dependency record, read through one open handle without
// reading the rest of the object.
#ifndef C51_BUILD_OBJECT_HEAD_H_
#define C51_BUILD_OBJECT_HEAD_H_

#include <cstdint>
#include <string>

#include "build/dependency_record.h"
#include "platform/input_file.h"

namespace c51 {

struct ObjectHead {
  ObjectHead() = default;
  // `record` points into `bytes`: the pair is never copied or moved.
  ObjectHead(const ObjectHead&) = delete;
  ObjectHead& operator=(const ObjectHead&) = delete;

  InputFile::Status status = InputFile::Status::kNotFound;
  int64_t time = 0;   // modification time (fs.h scale); 0 unless kOkay
  std::string bytes;  // the file's first bytes: at least the whole record when there is one
  DependencyRecord record;
};

// Opens `path` and reads its time and its record. A record whose header
// promises more bytes than the file holds comes back as kTruncated.
void ReadObjectHead(const std::string& path, ObjectHead* head);

}  // namespace c51

#endif  // C51_BUILD_OBJECT_HEAD_H_
