#include "platform/posix/folder_handles.h"

#include <fcntl.h>
#include <unistd.h>

#include <iterator>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <string_view>

namespace c51::posix {
namespace {

// A build looks into a handful of folders (sources, headers, objects);
// more would only be scanned for nothing.
constexpr size_t kHandles = 8;

struct FolderHandle {
  std::string folder;  // with its trailing "/"; empty: unused
  int fd = -1;         // -1: the folder could not be opened, stat by path
};

// Stats through a handle share the lock, so that threads asking about
// files at once do not wait for each other; opening or closing a handle
// takes it alone.
std::shared_mutex g_mutex;
int g_depth = 0;
FolderHandle g_handles[kHandles];
size_t g_next = 0;

void CloseAll() {
  for (FolderHandle& handle : g_handles) {
    if (handle.fd >= 0) close(handle.fd);
    handle.fd = -1;
    handle.folder.clear();
  }
  g_next = 0;
}

// The handle of `folder`, or null.
FolderHandle* Find(std::string_view folder) {
  for (FolderHandle& handle : g_handles) {
    if (handle.folder == folder) return &handle;
  }
  return nullptr;
}

}  // namespace

void BeginFolderHandles() {
  std::lock_guard<std::shared_mutex> lock(g_mutex);
  ++g_depth;
}

void EndFolderHandles() {
  std::lock_guard<std::shared_mutex> lock(g_mutex);
  if (--g_depth == 0) CloseAll();
}

void DropFolderHandles() {
  std::lock_guard<std::shared_mutex> lock(g_mutex);
  CloseAll();
}

int StatThroughFolder(const char* path, size_t size, struct stat* st) {
  const std::string_view text(path, size);
  const size_t slash = text.rfind('/');
  // Absolute paths only (the current folder may change), and a last
  // component that is a name.
  if (slash == std::string_view::npos || slash == 0 || text[0] != '/' || slash + 1 == size) {
    return stat(path, st);
  }
  const std::string_view folder = text.substr(0, slash + 1);
  const std::string_view name = text.substr(slash + 1);
  if (name == "." || name == "..") return stat(path, st);
  {
    std::shared_lock<std::shared_mutex> lock(g_mutex);
    if (g_depth == 0) return stat(path, st);
    // Used under the lock: a drop on another thread must not close it
    // while it is in use.
    if (const FolderHandle* found = Find(folder); found != nullptr && found->fd >= 0) {
      return fstatat(found->fd, path + slash + 1, st, 0);
    }
  }
  {
    std::lock_guard<std::shared_mutex> lock(g_mutex);
    if (g_depth == 0) return stat(path, st);
    FolderHandle* found = Find(folder);
    if (found == nullptr) {
      found = &g_handles[g_next];
      g_next = (g_next + 1) % std::size(g_handles);
      if (found->fd >= 0) close(found->fd);
      found->folder.assign(folder);
      found->fd = open(found->folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    if (found->fd >= 0) return fstatat(found->fd, path + slash + 1, st, 0);
  }
  return stat(path, st);
}

}  // namespace c51::posix
