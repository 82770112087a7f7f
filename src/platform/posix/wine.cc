// Wine prefixes as the build meets them: drive links read from the prefix,
// names mapped both ways, the launcher found and one server kept up.
#include "platform/posix/wine.h"

#include <errno.h>
#include <fcntl.h>
#include <limits.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <mutex>
#include <set>
#include <vector>

#include "platform/path.h"
#include "platform/posix/file_case.h"

extern char** environ;

namespace c51::posix {
namespace {

// How long the server started here stays up after its last program ends:
// long enough to bridge the pauses of a build (a link after the last
// compile, a user command), short enough not to linger for a session.
constexpr char kServerPersistence[] = "-p30";

std::string EnvBytes(const char* name) {
  const char* value = getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

bool IsExecutableFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// `name` found in PATH as posix_spawnp would; empty when it is not there.
std::string FindInPath(const std::string& name) {
  const std::string path = EnvBytes("PATH");
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find(':', start);
    if (end == std::string::npos) end = path.size();
    std::string folder = path.substr(start, end - start);
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + name;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return std::string();
}

std::string WithoutTrailingSlash(std::string folder) {
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder;
}

// True when `folder` (no trailing "/"; "" for the root) is `path` or one of
// its parents.
bool IsParentOf(const std::string& folder, const std::string& path) {
  if (path.size() < folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
  return path.size() == folder.size() || path[folder.size()] == '/';
}

std::string Resolved(const std::string& path) {
  char buffer[PATH_MAX];
  if (realpath(path.c_str(), buffer) == nullptr) return std::string();
  return WithoutTrailingSlash(buffer);
}

// The drives of the current prefix while a match scope lives.
struct DriveCache {
  std::mutex mutex;
  unsigned scope = 0;
  std::string prefix;
  WineDrives drives;
  bool filled = false;
};

DriveCache& Cache() {
  static DriveCache cache;
  return cache;
}

// The cache's drives, read again unless the scope they were read in lives
// on. The caller holds the cache's mutex.
const WineDrives& DrivesLocked(DriveCache* cache) {
  const unsigned scope = LiveMatchScope();
  if (!cache->filled || scope == 0 || scope != cache->scope) {
    cache->prefix = WinePrefix();
    cache->drives = ReadWineDrives(cache->prefix);
    cache->scope = scope;
    cache->filled = true;
  }
  return cache->drives;
}

// Runs `argv` in a session of its own with no stream of ours (a process
// holding a tool's pipe would keep the build waiting for its end), and
// waits for it: the server detaches once it listens, and a program returns
// once the services it started are up.
void RunDetached(std::vector<std::string> argv) {
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  if (posix_spawn_file_actions_init(&actions) != 0) return;
  if (posix_spawnattr_init(&attributes) != 0) {
    posix_spawn_file_actions_destroy(&actions);
    return;
  }
  for (int fd = 0; fd <= 2; ++fd) {
    posix_spawn_file_actions_addopen(&actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
  }
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
  std::vector<char*> pointers;
  for (std::string& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, pointers[0], &actions, &attributes, pointers.data(), environ) == 0) {
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
}

}  // namespace

std::string WinePrefix() {
  std::string prefix = EnvBytes("WINEPREFIX");
  if (prefix.empty()) {
    const std::string home = EnvBytes("HOME");
    if (home.empty()) return std::string();
    prefix = WithoutTrailingSlash(home) + "/.wine";
  }
  return WithoutTrailingSlash(prefix);
}

WineDrives ReadWineDrives(const std::string& prefix) {
  WineDrives drives;
  if (prefix.empty()) return drives;
  const std::string devices = prefix + "/dosdevices/";
  for (int i = 0; i < 26; ++i) {
    const std::string link = devices + static_cast<char>('a' + i) + ":";
    char target[PATH_MAX];
    const ssize_t n = readlink(link.c_str(), target, sizeof target - 1);
    if (n <= 0) continue;
    // "../drive_c" is relative to the folder holding the link.
    const std::string folder =
        LexicalFullPath(std::string(target, static_cast<size_t>(n)), devices, PathStyle::kPosix);
    drives.folder[i] = WithoutTrailingSlash(folder);
    drives.mapped[i] = true;
  }
  return drives;
}

bool HasDriveLetter(std::string_view path) {
  if (path.size() < 2 || path[1] != ':') return false;
  const char letter = static_cast<char>(path[0] | 0x20);
  return letter >= 'a' && letter <= 'z' && (path.size() == 2 || IsPathSeparator(path[2]));
}

bool DrivePathToNative(std::string_view path, const WineDrives& drives, std::string* native) {
  if (!HasDriveLetter(path)) return false;
  const int drive = (path[0] | 0x20) - 'a';
  if (!drives.mapped[drive]) return false;
  std::string out = drives.folder[drive];
  std::string_view rest = path.substr(2);
  while (!rest.empty() && IsPathSeparator(rest.front())) rest.remove_prefix(1);
  out += '/';
  for (char c : rest) out += c == '\\' ? '/' : c;
  *native = std::move(out);
  return true;
}

bool CurrentDrivePathToNative(std::string_view path, std::string* native) {
  if (!HasDriveLetter(path)) return false;
  DriveCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  return DrivePathToNative(path, DrivesLocked(&cache), native);
}

std::string NativeToDrivePath(const std::string& native, const WineDrives& drives) {
  int best = -1;
  size_t best_size = 0;
  std::string rest;
  // The path as written, and with its existing part's links resolved: a
  // prefix reached through a link still maps to its own drives.
  const std::string resolved = Resolved(native);
  for (const std::string* path : {&native, &resolved}) {
    if (path->empty()) continue;
    for (int i = 0; i < 26; ++i) {
      if (!drives.mapped[i]) continue;
      for (const std::string& folder : {drives.folder[i], Resolved(drives.folder[i])}) {
        if (!IsParentOf(folder, *path) || (best >= 0 && folder.size() <= best_size)) continue;
        if (folder.empty() && !drives.folder[i].empty()) continue;  // an unresolvable link
        best = i;
        best_size = folder.size();
        rest = path->substr(folder.size());
      }
    }
  }
  std::string out;
  if (best < 0) {
    out = "Z:";
    rest = native;
  } else {
    out += static_cast<char>('A' + best);
    out += ':';
  }
  if (rest.empty()) rest = "/";
  for (char c : rest) out += c == '/' ? '\\' : c;
  return out;
}

std::string CurrentNativeToDrivePath(const std::string& native) {
  DriveCache& cache = Cache();
  std::lock_guard<std::mutex> lock(cache.mutex);
  return NativeToDrivePath(native, DrivesLocked(&cache));
}

bool IsWindowsProgramFile(const std::string& native) {
  const int fd = open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char head[2] = {0, 0};
  const ssize_t n = read(fd, head, 2);
  close(fd);
  return n == 2 && head[0] == 'M' && head[1] == 'Z';
}

bool FindWineLauncher(std::string* launcher, std::string* missing) {
  const std::string chosen = EnvBytes("CORVANE_WINE");
  if (!chosen.empty()) {
    const std::string found = chosen.find('/') == std::string::npos ? FindInPath(chosen) : chosen;
    if (!found.empty() && IsExecutableFile(found)) {
      *launcher = found;
      return true;
    }
  }
  for (const char* name : {"wine", "wine64"}) {
    const std::string found = FindInPath(name);
    if (!found.empty()) {
      *launcher = found;
      return true;
    }
  }
  *missing = chosen.empty() ? std::string("CORVANE_WINE is not set")
                            : "CORVANE_WINE (\"" + chosen + "\") names no program";
  *missing += ", and neither \"wine\" nor \"wine64\" is on PATH";
  return false;
}

void KeepWineServerUp(const std::string& launcher) {
  const std::string prefix = WinePrefix();
  // Held until the services are up: a tool started side by side meanwhile
  // would start them itself and hold its own pipes open.
  static std::mutex mutex;
  static std::set<std::string> started;
  std::lock_guard<std::mutex> lock(mutex);
  if (!started.insert(prefix).second) return;
  // WINESERVER is wine's own way to name the server; else the one beside
  // the launcher (a link such as /usr/bin/wine points into wine's folder).
  std::string server = EnvBytes("WINESERVER");
  if (server.empty()) {
    for (const std::string& program : {launcher, Resolved(launcher)}) {
      const size_t slash = program.rfind('/');
      if (slash == std::string::npos) continue;
      const std::string beside = program.substr(0, slash + 1) + "wineserver";
      if (IsExecutableFile(beside)) {
        server = beside;
        break;
      }
    }
  }
  if (server.empty()) server = FindInPath("wineserver");
  if (!server.empty() && IsExecutableFile(server)) RunDetached({server, kServerPersistence});
  // The first program in a prefix also starts wine's own services, which
  // stay up with the server and would hold a tool's output pipes open (the
  // build would wait for them to end): started here, they hold none.
  RunDetached({launcher, "cmd", "/c", "exit"});
}

}  // namespace c51::posix
