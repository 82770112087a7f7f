// A file system path held on the stack when it is short. The build stats
// and opens every source and object, and a heap copy of each name showed
// up in its profile. Private to the POSIX platform files.
#ifndef C51_PLATFORM_POSIX_PATH_TEXT_H_
#define C51_PLATFORM_POSIX_PATH_TEXT_H_

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace c51::posix {

class PathText {
 public:
  PathText() { inline_[0] = '\0'; }
  PathText(const PathText&) = delete;
  PathText& operator=(const PathText&) = delete;

  // Becomes `head` followed by `tail`.
  void Assign(std::string_view head, std::string_view tail = {}) {
    const size_t size = head.size() + tail.size();
    char* out = Reserve(size);
    // An empty view may hold a null pointer, which memcpy must not get.
    if (!head.empty()) std::memcpy(out, head.data(), head.size());
    if (!tail.empty()) std::memcpy(out + head.size(), tail.data(), tail.size());
    out[size] = '\0';
    size_ = size;
  }

  // Room for `size` bytes and the terminator; the caller fills them and
  // calls SetSize.
  char* Reserve(size_t size) {
    if (size < sizeof inline_) {
      data_ = inline_;
    } else {
      heap_.resize(size);
      data_ = heap_.data();
    }
    return data_;
  }
  void SetSize(size_t size) {
    size_ = size;
    data_[size] = '\0';
  }

  const char* c_str() const { return data_; }
  std::string_view view() const { return std::string_view(data_, size_); }

 private:
  char inline_[512];
  std::string heap_;
  char* data_ = inline_;
  size_t size_ = 0;
};

// NativeSpelling (path.h) into `out`; a plain ASCII path takes one pass
// and no heap.
void SpellNative(const std::string& path, PathText* out);

}  // namespace c51::posix

#endif  // C51_PLATFORM_POSIX_PATH_TEXT_H_
