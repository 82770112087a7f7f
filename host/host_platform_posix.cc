#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <string.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <iterator>

#include "host/host_platform.h"
#include "host/text_encoding.h"
#include "platform/codepage.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::host {
namespace {

// `native` is the name as the system saw it; messages are local texts.
std::string CallError(const char* call, const std::string& native, int error) {
  return SystemToLocalText(std::string(call) + "(" + native + "): " + strerror(error));
}

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::atomic<void (*)()> g_on_stop{nullptr};
std::atomic<int> g_interrupts{0};
// The user command RunShellCommand waits for; 0 when none.
std::atomic<pid_t> g_shell_command{0};

// The signals that stop a build, and what they were before it.
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[std::size(kStopSignals)];
bool g_installed[std::size(kStopSignals)] = {};

void WriteNotice(const char* text, size_t size) {
  ssize_t ignored = write(STDERR_FILENO, text, size);
  (void)ignored;
}

// Only async-signal-safe calls: atomics, write, kill, _exit.
void HandleStopSignal(int signal) {
  const int saved = errno;
  void (*on_stop)() = g_on_stop.load();
  if (signal == SIGINT && g_interrupts.fetch_add(1) == 0) {
    static const char kNotice[] =
        "\ncorvane-c51: stopping after the current step (Ctrl-C again to quit)\n";
    WriteNotice(kNotice, sizeof kNotice - 1);
    if (on_stop) on_stop();
    errno = saved;
    return;
  }
  static const char kQuit[] = "\ncorvane-c51: ending the running tool and quitting\n";
  WriteNotice(kQuit, sizeof kQuit - 1);
  // However many requests came before, two more end the running tool.
  if (on_stop) {
    on_stop();
    on_stop();
  }
  if (pid_t command = g_shell_command.load(); command > 0) kill(command, signal);
  _exit(128 + signal);
}

// The file a chain of symbolic links ends at (`native` itself when it is
// no link): a link relative to its own folder is taken against that folder.
// Gives up after as many links as the system follows.
std::string LinkTarget(std::string native) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st;
    if (lstat(native.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return native;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 256) + 1, '\0');
    ssize_t n = readlink(native.c_str(), target.data(), target.size());
    if (n < 0 || static_cast<size_t>(n) >= target.size()) return native;
    target.resize(static_cast<size_t>(n));
    if (target.empty() || target[0] != '/') {
      const size_t slash = native.rfind('/');
      target = (slash == std::string::npos ? std::string() : native.substr(0, slash + 1)) + target;
    }
    native = target;
  }
  return native;
}

}  // namespace

bool AtomicWriteFile(const std::string& path, const std::string& contents, std::string* err) {
  // Through a symbolic link the file it points at is replaced; the link
  // stays, so a project shared through it sees the change.
  const std::string native = LinkTarget(NativePath(path));
  size_t slash = native.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? native : native.substr(slash + 1);
  static std::atomic<unsigned> counter{0};

  std::string temp;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temp = (slash == std::string::npos ? "" : folder) + "." + base + ".tmp" +
           std::to_string(getpid()) + "-" + std::to_string(counter++);
    fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    *err = CallError("open", temp, errno);
    return false;
  }
  // A replaced file keeps its permissions.
  struct stat old;
  if (stat(native.c_str(), &old) == 0) fchmod(fd, old.st_mode & 07777);

  const char* failed = nullptr;
  int error = 0;
  if (!WriteAll(fd, contents)) {
    failed = "write";
  } else if (fsync(fd) != 0) {
    failed = "fsync";
  }
  if (failed) error = errno;
  if (close(fd) != 0 && !failed) {
    failed = "close";
    error = errno;
  }
  if (!failed && rename(temp.c_str(), native.c_str()) != 0) {
    *err = CallError("rename", native, errno);
    unlink(temp.c_str());
    return false;
  }
  if (failed) {
    *err = CallError(failed, temp, error);
    unlink(temp.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder's entry.
  int dir = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    fsync(dir);
    close(dir);
  }
  return true;
}

bool RunShellCommand(const std::string& command_line, const std::string& directory,
                     int* exit_code) {
  *exit_code = -1;
  std::fflush(nullptr);
  const std::string folder = NativePath(directory);
  const std::string command = LocalToSystemText(command_line);
  // A stop that came between the fork and the store below would end the
  // host without the command (which may already be running and be the one
  // that sent it): it waits until the command's id is known.
  sigset_t stops, previous;
  sigemptyset(&stops);
  for (int signal : kStopSignals) sigaddset(&stops, signal);
  pthread_sigmask(SIG_BLOCK, &stops, &previous);
  pid_t pid = fork();
  if (pid < 0) {
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return false;
  }
  if (pid == 0) {
    // Only async-signal-safe calls between fork and exec.
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (!folder.empty() && chdir(folder.c_str()) != 0) _exit(127);
    execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  // A host that is ended passes the signal on: the command runs in the
  // host's own process group (it may talk to the terminal), which a
  // signal sent to the host alone does not reach.
  g_shell_command.store(pid);
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  // Waited for without reaping first: until it is reaped its id cannot
  // be handed to another process that the handler would then signal.
  siginfo_t ended;
  while (waitid(P_PID, static_cast<id_t>(pid), &ended, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
  }
  g_shell_command.store(0);
  int status = 0;
  pid_t waited;
  while ((waited = waitpid(pid, &status, 0)) < 0 && errno == EINTR) {
  }
  if (waited < 0) return false;
  if (WIFEXITED(status))
    *exit_code = WEXITSTATUS(status);
  else if (WIFSIGNALED(status))
    *exit_code = 128 + WTERMSIG(status);
  return true;
}

void InstallInterruptHandler(void (*on_stop)()) {
  g_on_stop.store(on_stop);
  g_interrupts.store(0);
  struct sigaction action;
  memset(&action, 0, sizeof action);
  action.sa_handler = HandleStopSignal;
  // One handler at a time: a SIGTERM during the first Ctrl-C's handler
  // waits for it to return.
  sigemptyset(&action.sa_mask);
  for (int signal : kStopSignals) sigaddset(&action.sa_mask, signal);
  action.sa_flags = SA_RESTART;
  for (size_t i = 0; i < std::size(kStopSignals); ++i) {
    if (g_installed[i] || sigaction(kStopSignals[i], nullptr, &g_previous[i]) != 0) continue;
    // Started ignoring it (nohup, a background job of a script): so be it.
    if (g_previous[i].sa_handler == SIG_IGN) continue;
    g_installed[i] = sigaction(kStopSignals[i], &action, nullptr) == 0;
  }
}

void RemoveInterruptHandler() {
  for (size_t i = 0; i < std::size(kStopSignals); ++i) {
    if (!g_installed[i]) continue;
    sigaction(kStopSignals[i], &g_previous[i], nullptr);
    g_installed[i] = false;
  }
  g_on_stop.store(nullptr);
}

bool IsTerminal(FILE* stream) {
  return isatty(fileno(stream)) == 1;
}

bool EnableColours(FILE* stream) {
  return IsTerminal(stream);
}

std::string ToStreamEncoding(std::string_view local, FILE*) {
  return LocalToUtf8Lenient(local);
}

std::string NativeTextToUtf8(std::string_view text) {
  return LocalToUtf8Lenient(text);
}

std::vector<std::string> FilesWithSuffix(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  DIR* dir = opendir(NativePath(folder.empty() ? "." : folder).c_str());
  if (!dir) return names;
  const std::string prefix = NativePath(folder.empty() ? "." : folder) + "/";
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    struct stat st;
    if (stat((prefix + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    std::string local;
    // A name the local code page cannot hold could not be opened again.
    if (name.size() > suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
        SystemToLocalStrict(name, &local)) {
      names.push_back(local);
    }
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

struct DiagnosticsListener::Impl {
  std::string folder;  // the temporary folder holding the socket
  std::string socket_path;
  int fd = -1;
};

DiagnosticsListener::DiagnosticsListener() : impl_(new Impl) {}

DiagnosticsListener::~DiagnosticsListener() {
  if (impl_->fd >= 0) {
    close(impl_->fd);
    UnsetEnv("CORVANE_LISTWIN");
  }
  if (!impl_->folder.empty()) RemoveTree(impl_->folder);
  delete impl_;
}

bool DiagnosticsListener::Start(std::string* err) {
  impl_->folder = MakeTempDirectory("corvane-listwin");
  if (impl_->folder.empty()) {
    *err = "cannot make a temporary folder for the import diagnostics";
    return false;
  }
  impl_->socket_path = NativePath(impl_->folder + "listwin");
  sockaddr_un address;
  memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (impl_->socket_path.size() >= sizeof address.sun_path) {
    *err = "socket path too long: " + SystemToLocalText(impl_->socket_path);
    return false;
  }
  memcpy(address.sun_path, impl_->socket_path.data(), impl_->socket_path.size());
  int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) {
    *err = CallError("socket", impl_->socket_path, errno);
    return false;
  }
  if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    *err = CallError("bind", impl_->socket_path, errno);
    close(fd);
    return false;
  }
  // The import runs on this thread, so nothing reads until it returns; room
  // for many lines keeps the sender's non-blocking sends from failing.
  int size = 4 << 20;
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, sizeof size);
  impl_->fd = fd;
  SetEnvBytes("CORVANE_LISTWIN", impl_->socket_path);
  return true;
}

std::vector<std::string> DiagnosticsListener::TakeLines() {
  std::vector<std::string> lines;
  if (impl_->fd < 0) return lines;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    ssize_t n = recv(impl_->fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
    if (n < 0) {
      if (errno == EINTR) continue;
      break;
    }
    std::string line(buffer.data(), static_cast<size_t>(n));
    if (!line.empty() && line.back() == '\0') line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace c51::host
