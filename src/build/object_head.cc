#include "build/object_head.h"

#include <algorithm>

namespace c51 {
namespace {

// One read covers the records compilers write for ordinary sources (a few
// dozen include paths); a longer record costs a second read.
constexpr size_t kFirstRead = 4096;

// Reads until `want` bytes are in `bytes` or the file ends.
void ReadUpTo(InputFile* file, size_t want, std::string* bytes) {
  while (bytes->size() < want) {
    const size_t have = bytes->size();
    bytes->resize(want);
    const size_t n = file->Read(bytes->data() + have, want - have);
    bytes->resize(have + n);
    if (n == 0) return;
  }
}

}  // namespace

void ReadObjectHead(const std::string& path, ObjectHead* head) {
  head->bytes.clear();
  head->record = DependencyRecord();
  head->time = 0;
  InputFile file;
  head->status = file.Open(path);
  if (head->status != InputFile::Status::kOkay) return;
  head->time = file.ModificationTime();
  // A single read: a short count from a file means its end, and asking again
  // would cost a call per object.
  head->bytes.resize(kFirstRead);
  head->bytes.resize(file.Read(head->bytes.data(), kFirstRead));
  const std::string& bytes = head->bytes;
  if (bytes.size() >= 4 && static_cast<unsigned char>(bytes[0]) == 0x70 &&
      static_cast<unsigned char>(bytes[3]) == 0xFF) {
    const size_t body = static_cast<unsigned char>(bytes[1]) |
                        static_cast<size_t>(static_cast<unsigned char>(bytes[2])) << 8;
    ReadUpTo(&file, std::min(4 + body, kDependencyRecordMaxBytes), &head->bytes);
  }
  head->record = ReadDependencyRecord(head->bytes);
}

}  // namespace c51
