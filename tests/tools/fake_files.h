// Files held in memory for the scanner and the linker.
#ifndef C51_TESTS_TOOLS_FAKE_FILES_H_
#define C51_TESTS_TOOLS_FAKE_FILES_H_

#include <map>
#include <string>
#include <vector>

#include "sim/files.h"

namespace c51::sim {

class FakeFileSource : public FileSource {
 public:
  void Add(const std::string& path, const std::string& bytes) { files_[path] = bytes; }

  ReadResult Read(const std::string& path, std::string* bytes) override {
    reads_.push_back(path);
    auto it = files_.find(path);
    if (it == files_.end()) return ReadResult::kNotFound;
    *bytes = it->second;
    return ReadResult::kOkay;
  }
  int64_t Time(const std::string& path) override { return files_.count(path) != 0 ? 1000 : 0; }

  // Every path asked for, in order: shows the search order.
  const std::vector<std::string>& reads() const { return reads_; }

 private:
  std::map<std::string, std::string> files_;
  std::vector<std::string> reads_;
};

}  // namespace c51::sim

#endif  // C51_TESTS_TOOLS_FAKE_FILES_H_
