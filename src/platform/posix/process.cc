// Process start on POSIX: the Windows command line is cut into arguments
// here, a Windows program is handed to wine, the program starts through posix_spawn without a shell
// as the leader of a process group of its own (so a stop reaches everything it started), and both
// pipes are drained together with poll(), keeping at most ProcessOptions::keep bytes of each.
#include "platform/process.h"

#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/codepage.h"
#include "platform/path.h"
#include "platform/posix/wine.h"
#include "platform/process_output.h"

extern char** environ;

namespace c51 {
namespace {

// A file descriptor closed by its owner's destructor.
class Fd {
 public:
  Fd() = default;
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;

  int get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

// A pipe whose ends stay out of every other program this process starts.
// False with errno on failure.
bool MakePipe(Fd* read_end, Fd* write_end) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  read_end->Reset(fds[0]);
  write_end->Reset(fds[1]);
  // A host started with a standard stream closed hands out 0, 1 or 2 here;
  // dup2 onto the same number would keep the close-on-exec flag, and the
  // tool would start with that stream closed.
  for (Fd* end : {read_end, write_end}) {
    if (end->get() > 2) continue;
    int moved = fcntl(end->get(), F_DUPFD_CLOEXEC, 3);
    if (moved < 0) return false;
    end->Reset(moved);
  }
#ifdef F_SETPIPE_SZ
  // A larger pipe lets a chatty tool run on while this side copies; the
  // kernel may refuse, which only costs speed.
  fcntl(read_end->get(), F_SETPIPE_SZ, 1 << 20);
#endif
  return true;
}

// One of posix_spawn's argument objects, destroyed when it goes out of
// scope if its init succeeded.
template <typename T, int (*Init)(T*), int (*Destroy)(T*)>
class SpawnObject {
 public:
  SpawnObject() { ok_ = Init(&object_) == 0; }
  ~SpawnObject() {
    if (ok_) Destroy(&object_);
  }
  SpawnObject(const SpawnObject&) = delete;
  SpawnObject& operator=(const SpawnObject&) = delete;
  bool ok() const { return ok_; }
  T* get() { return &object_; }

 private:
  T object_;
  bool ok_ = false;
};

using SpawnActions = SpawnObject<posix_spawn_file_actions_t, posix_spawn_file_actions_init,
                                 posix_spawn_file_actions_destroy>;
using SpawnAttributes =
    SpawnObject<posix_spawnattr_t, posix_spawnattr_init, posix_spawnattr_destroy>;

// Large blocks are held in transparent huge pages, which the kernel here
// gives only on request: under a hypervisor each 4 KB page fault costs
// several microseconds, more than copying the page's bytes out of the pipe.
constexpr size_t kHugeAdviceFrom = 4u << 20;

void AdviseHugePages(char* data, size_t size) {
  if (size < kHugeAdviceFrom) return;
#ifdef MADV_HUGEPAGE
  const uintptr_t page = static_cast<uintptr_t>(sysconf(_SC_PAGESIZE));
  uintptr_t start = (reinterpret_cast<uintptr_t>(data) + page - 1) & ~(page - 1);
  uintptr_t end = (reinterpret_cast<uintptr_t>(data) + size) & ~(page - 1);
  if (end > start) madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
#else
  (void)data;
#endif
}

// One stream's bytes as read, up to `limit`: the kernel copies straight
// into blocks that double in size, and the text is put together once at the
// end, so nothing is copied twice on the way however much a tool writes.
class Capture {
 public:
  explicit Capture(size_t limit) : limit_(limit) {}

  // Room for the next read; never empty before `full()`.
  char* space() { return blocks_.back().data.get() + blocks_.back().used; }
  size_t space_size() const {
    return std::min(blocks_.back().size - blocks_.back().used, limit_ - total_);
  }
  bool full() const { return total_ >= limit_; }
  void Grow() {
    size_t size = blocks_.empty() ? kFirstBlock : std::min(2 * blocks_.back().size, kLastBlock);
    // Huge pages cover only the whole aligned 2 MB spans of a block.
    std::align_val_t alignment{size >= kHugeAdviceFrom ? kHugeAlignment
                                                       : alignof(std::max_align_t)};
    char* data = static_cast<char*>(::operator new(size, alignment));
    blocks_.push_back({BlockData(data, FreeAligned{alignment}), size, 0});
    AdviseHugePages(data, size);
  }
  void Commit(size_t n) {
    blocks_.back().used += n;
    total_ += n;
    if (!full() && blocks_.back().used == blocks_.back().size) Grow();
  }
  size_t total() const { return total_; }
  // Appends the bytes to `text`, releasing each block once copied: the
  // bytes are held twice only one block at a time.
  void MoveTo(std::string* text) {
    for (Block& block : blocks_) {
      text->append(block.data.get(), block.used);
      block.data.reset();
    }
    blocks_.clear();
  }

 private:
  static constexpr size_t kFirstBlock = 64 * 1024;
  static constexpr size_t kLastBlock = 16u << 20;
  static constexpr size_t kHugeAlignment = 2u << 20;
  struct FreeAligned {
    std::align_val_t alignment;
    void operator()(char* data) const { ::operator delete(data, alignment); }
  };
  using BlockData = std::unique_ptr<char, FreeAligned>;
  struct Block {
    BlockData data;
    size_t size;
    size_t used;
  };
  std::vector<Block> blocks_;
  size_t total_ = 0;
  size_t limit_;
};

// An empty text with room for exactly `size` bytes (a fresh text's
// capacity is not rounded up), advised like the blocks.
void ReserveText(std::string* text, size_t size) {
  std::string fresh;
  fresh.reserve(size);
  AdviseHugePages(fresh.data(), fresh.capacity());
  text->swap(fresh);
}

// One stream's bytes, up to `limit`, read straight into a text kept from an
// earlier run: its memory is already mapped, so a large output costs no
// page faults. The text is held at its full capacity while reading (growing
// only past it, and never past `limit`) and cut to what was read by Finish.
class TextCapture {
 public:
  TextCapture(std::string* text, size_t limit) : text_(text), limit_(limit) {
    if (text_->capacity() < kFirstSize) text_->reserve(kFirstSize);
    text_->resize(text_->capacity());
  }
  char* space() { return text_->data() + used_; }
  size_t space_size() const { return std::min(text_->size(), limit_) - used_; }
  bool full() const { return used_ >= limit_; }
  void Grow() {
    if (full() || used_ < text_->size()) return;
    // A fresh text of the new size: growing in place would round the
    // capacity up to twice the old one, past `limit`.
    std::string grown;
    ReserveText(&grown, std::min(std::max(2 * text_->size(), kFirstSize), limit_));
    grown.assign(text_->data(), used_);
    std::string().swap(*text_);
    grown.resize(grown.capacity());
    text_->swap(grown);
  }
  void Commit(size_t n) {
    used_ += n;
    Grow();
  }
  size_t total() const { return used_; }
  void Finish() { text_->resize(used_); }

 private:
  static constexpr size_t kFirstSize = 64 * 1024;
  std::string* text_;
  size_t limit_;
  size_t used_ = 0;
};

// The program until it is reaped. Its group id is withdrawn from the
// control first: once reaped, the id may be handed to another process.
class Child {
 public:
  Child(pid_t pid, ProcessControl* control) : pid_(pid), control_(control) {}
  ~Child() { Reap(); }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  // False when someone else reaped it (a host with SIGCHLD ignored): it
  // ran, its status is lost.
  bool Reap() {
    if (state_ == kRunning) {
      if (control_ != nullptr) control_->Detach();
      state_ = kLost;
      int status = 0;
      while (waitpid(pid_, &status, 0) < 0) {
        if (errno != EINTR) return false;
      }
      status_ = status;
      state_ = kReaped;
    }
    return state_ == kReaped;
  }
  int status() const { return status_; }

 private:
  enum State { kRunning, kReaped, kLost };
  pid_t pid_;
  ProcessControl* control_;
  State state_ = kRunning;
  int status_ = 0;
};

// Reads both pipes, keeping what the captures take and throwing the rest
// away, until each pipe reports its end. A byte on `wake` says the program
// was killed with its group: then the program is reaped, what the pipes
// hold already is read, and whoever else may still hold them open (a
// process that left the group) is not waited for. If poll itself fails,
// the pipes are closed, so the tool sees a broken pipe instead of stalling.
template <typename C>
void Drain(Fd* out_fd, C* out, Fd* err_fd, C* err, uint64_t dropped[2], const Fd* wake,
           Child* child) {
  Fd* fds[2] = {out_fd, err_fd};
  C* captures[2] = {out, err};
  // Bytes past the kept ones land here; allocated only for such a stream.
  constexpr size_t kDiscardSize = 1u << 20;
  std::unique_ptr<char[]> discard;
  out->Grow();
  err->Grow();
  // One read from stream `s`; the bytes it gave.
  auto read_once = [&](int s) -> size_t {
    C* capture = captures[s];
    const bool keeping = !capture->full();
    if (!keeping && !discard) discard.reset(new char[kDiscardSize]);
    ssize_t n = read(fds[s]->get(), keeping ? capture->space() : discard.get(),
                     keeping ? capture->space_size() : kDiscardSize);
    if (n > 0) {
      if (keeping) {
        capture->Commit(static_cast<size_t>(n));
      } else {
        dropped[s] += static_cast<uint64_t>(n);
      }
      return static_cast<size_t>(n);
    }
    if (n == 0 || (errno != EINTR && errno != EAGAIN)) fds[s]->Close();
    return 0;
  };
  while (out_fd->get() >= 0 || err_fd->get() >= 0) {
    pollfd polled[3];
    int which[3];
    nfds_t count = 0;
    for (int s = 0; s < 2; ++s) {
      if (fds[s]->get() < 0) continue;
      polled[count] = {fds[s]->get(), POLLIN, 0};
      which[count++] = s;
    }
    if (wake != nullptr) {
      polled[count] = {wake->get(), POLLIN, 0};
      which[count++] = 2;
    }
    if (poll(polled, count, -1) < 0) {
      if (errno == EINTR) continue;
      out_fd->Close();
      err_fd->Close();
      return;
    }
    for (nfds_t k = 0; k < count; ++k) {
      if (polled[k].revents == 0) continue;
      if (which[k] < 2) {
        read_once(which[k]);
        continue;
      }
      child->Reap();
      // A writer outside the group could keep the pipes full for ever: a
      // few pipefuls are all that was there when the group ended.
      for (int s = 0; s < 2; ++s) {
        for (size_t budget = 4u << 20; fds[s]->get() >= 0;) {
          pollfd ready = {fds[s]->get(), POLLIN, 0};
          if (poll(&ready, 1, 0) <= 0) break;
          const size_t n = read_once(s);
          if (n >= budget) break;
          budget -= n;
        }
      }
      out_fd->Close();
      err_fd->Close();
      return;
    }
  }
}

bool IsAscii(const std::string& text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
  const unsigned char* end = p + text.size();
  uint64_t high = 0;
  for (; end - p >= 8; p += 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    high |= word;
  }
  for (; p < end; ++p) high |= *p;
  return (high & 0x8080808080808080ULL) == 0;
}

// A program's output in the local code page. Output without a byte past
// ASCII, the usual case however large, is left where it is. Other output is
// converted in place, some lines at a time: SystemToLocalText decides line
// by line anyway, and a line's local text is no longer than its UTF-8, so
// a large output needs no second copy.
void ToLocalText(std::string* text) {
  if (IsAscii(*text)) return;
  constexpr size_t kPiece = 1u << 20;
  size_t read = 0;
  size_t written = 0;
  while (read < text->size()) {
    size_t end = read + kPiece < text->size() ? text->find('\n', read + kPiece) : text->npos;
    end = end == text->npos ? text->size() : end + 1;
    std::string local = SystemToLocalText(std::string_view(*text).substr(read, end - read));
    if (local.size() > end - read) {
      // A local code page that needs more bytes: the rest goes the long way.
      local += SystemToLocalText(std::string_view(*text).substr(end));
      text->resize(written);
      text->append(local);
      return;
    }
    std::memmove(text->data() + written, local.data(), local.size());
    written += local.size();
    read = end;
  }
  text->resize(written);
}

// The signals a host stops a build with stay blocked from just before the
// program starts until its group is published, so a handler never runs
// in between and misses the new program.
class StopSignalsBlocked {
 public:
  StopSignalsBlocked() {
    sigset_t stop;
    sigemptyset(&stop);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stop, signal);
    pthread_sigmask(SIG_BLOCK, &stop, &previous_);
  }
  ~StopSignalsBlocked() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  StopSignalsBlocked(const StopSignalsBlocked&) = delete;
  StopSignalsBlocked& operator=(const StopSignalsBlocked&) = delete;

 private:
  sigset_t previous_;
};

// The pipe a kill wakes the reader through. Never blocks the writer: a
// full pipe already says what one more byte would.
bool MakeWakePipe(Fd* read_end, Fd* write_end) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  read_end->Reset(fds[0]);
  write_end->Reset(fds[1]);
  return true;
}

// The program to start and its arguments: the command line cut by the
// Windows rules, the program named as the file system knows it, the
// arguments in the file system's encoding as written. False when the line
// names no program.
bool ProgramAndArguments(const std::string& command_line, std::string* program,
                         std::vector<std::string>* args) {
  *args = SplitWindowsCommandLine(command_line);
  if (args->empty() || (*args)[0].empty()) return false;
  *program = NativePath((*args)[0]);
  // CreateProcess takes a relative program path against the caller's
  // folder; posix_spawn would take it against the new working folder.
  if (program->find('/') != std::string::npos && (*program)[0] != '/') {
    *program = FullPath(*program);
  }
  for (size_t i = 1; i < args->size(); ++i) (*args)[i] = LocalToSystemText((*args)[i]);
  return true;
}

// A Windows program runs as the first argument of the wine launcher. False,
// with `problem` saying what is missing, when there is no launcher.
bool ThroughWine(std::string* program, std::vector<std::string>* args, std::string* problem) {
  if (program->find('/') == std::string::npos || !posix::IsWindowsProgramFile(*program)) {
    return true;
  }
  std::string launcher, missing;
  if (!posix::FindWineLauncher(&launcher, &missing)) {
    *problem = "a Windows program needs wine: " + missing;
    return false;
  }
  posix::KeepWineServerUp(launcher);
  args->insert(args->begin() + 1, *program);
  *program = launcher;
  return true;
}

// Where `mark` begins a line of `text`, the rest of that line; npos else.
size_t LineStartingWith(const std::string& text, std::string_view mark) {
  for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
    if (at == 0 || text[at - 1] == '\n') return at + mark.size();
  }
  return std::string::npos;
}

// Wine ends a Windows program that does not handle an exception having
// said so on standard error ("wine: Unhandled page fault at address ...",
// "wine: Unhandled exception 0xc0000409 in thread ..."), and the debugger
// it starts reports on standard output ("Unhandled exception: page fault
// in 64-bit code ..."). The exit status is no guide: usually the code's low
// byte, but a debugger that lets go first leaves the process killed with 0.
// Such a run counts as a crash, with the exception's code. False for any
// other run.
bool WineCrash(const ProcessResult& result, int* code) {
  if (result.status != ProcessStatus::kExited) return false;
  const std::pair<const std::string*, std::string_view> kMarks[] = {
      {&result.err, "wine: Unhandled "},
      {&result.out, "wine: Unhandled "},
      {&result.out, "Unhandled exception: "},
  };
  for (const auto& [text, mark] : kMarks) {
    const size_t rest = LineStartingWith(*text, mark);
    if (rest == std::string::npos) continue;
    const std::string_view what = std::string_view(*text).substr(rest);
    constexpr std::pair<std::string_view, uint32_t> kKnown[] = {
        {"page fault", 0xC0000005u},
        {"illegal instruction", 0xC000001Du},
        {"stack overflow", 0xC00000FDu},
        {"divide by zero", 0xC0000094u},
        {"privileged instruction", 0xC0000096u},
    };
    uint32_t exception = 0xC0000000u | static_cast<uint32_t>(result.exit_code & 0xFF);
    for (const auto& [name, value] : kKnown) {
      if (what.substr(0, name.size()) == name) exception = value;
    }
    if (what.substr(0, 12) == "exception 0x") {
      exception =
          static_cast<uint32_t>(std::strtoul(std::string(what.substr(12, 8)).c_str(), nullptr, 16));
    }
    *code = static_cast<int>(exception);
    return true;
  }
  return false;
}

// What the program starts with: standard input from /dev/null, the pipes'
// write ends as standard output and error, `directory` (when not empty) as
// its folder, no blocked or ignored signals, a process group of its own.
// 0, or the error number.
int SetUpSpawn(const Fd& out_write, const Fd& err_write, const std::string& directory,
               SpawnActions* actions, SpawnAttributes* attributes) {
  if (!actions->ok() || !attributes->ok()) return ENOMEM;
  sigset_t empty, defaults;
  sigemptyset(&empty);
  sigemptyset(&defaults);
  // A host that ignores SIGPIPE or blocks signals must not pass that on;
  // nor SIGINT, which is how a stop asks the tool to end.
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGINT);
  int error = posix_spawn_file_actions_addopen(actions->get(), 0, "/dev/null", O_RDONLY, 0);
  if (!error) error = posix_spawn_file_actions_adddup2(actions->get(), out_write.get(), 1);
  if (!error) error = posix_spawn_file_actions_adddup2(actions->get(), err_write.get(), 2);
  if (!error && !directory.empty()) {
    error = posix_spawn_file_actions_addchdir_np(actions->get(), directory.c_str());
  }
  if (!error) error = posix_spawnattr_setsigmask(attributes->get(), &empty);
  if (!error) error = posix_spawnattr_setsigdefault(attributes->get(), &defaults);
  // A group of its own: a stop reaches the tool and whatever it started,
  // and the terminal's Ctrl-C reaches only the host, which passes it on.
  if (!error) error = posix_spawnattr_setpgroup(attributes->get(), 0);
  if (!error) {
    error = posix_spawnattr_setflags(
        attributes->get(), POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
  }
  return error;
}

// Starts the program and publishes its group to `control` (when given)
// before a stop signal can be handled. 0 with `*pid` set, or the error
// number.
int Spawn(std::string* program, std::vector<std::string>* args, const std::string& working_dir,
          const Fd& out_write, const Fd& err_write, ProcessControl* control, const Fd& wake_write,
          pid_t* pid) {
  SpawnActions actions;
  SpawnAttributes attributes;
  const int error =
      SetUpSpawn(out_write, err_write, NativePath(working_dir), &actions, &attributes);
  if (error) return error;
  std::vector<char*> argv;
  argv.push_back(program->data());
  for (size_t i = 1; i < args->size(); ++i) argv.push_back((*args)[i].data());
  argv.push_back(nullptr);

  StopSignalsBlocked blocked;
  // No separator: looked up in PATH, which the build points at the project
  // folder while tools run.
  const int spawned = program->find('/') == std::string::npos
                          ? posix_spawnp(pid, program->c_str(), actions.get(), attributes.get(),
                                         argv.data(), environ)
                          : posix_spawn(pid, program->c_str(), actions.get(), attributes.get(),
                                        argv.data(), environ);
  if (!spawned && control != nullptr) control->Attach(*pid, wake_write.get());
  return spawned;
}

// Both streams read into the texts of an earlier run (options.recycled),
// whose memory is already mapped.
void CollectIntoRecycled(Fd* out_read, Fd* err_read, const Fd* wake, Child* child,
                         const ProcessOptions& options, uint64_t dropped[2],
                         ProcessResult* result) {
  ProcessResult* recycled = options.recycled;
  // Standard error is read into the spare text: it is never cut to what was
  // read, so the next run finds all of it mapped and nothing to clear.
  std::string err_text;
  result->out.swap(recycled->out);
  err_text.swap(recycled->spare);
  TextCapture out(&result->out, options.keep), err(&err_text, options.keep);
  Drain(out_read, &out, err_read, &err, dropped, wake, child);
  out.Finish();
  result->out.resize(KeptLength(result->out, &dropped[0]));
  const std::string_view err_kept(err_text.data(),
                                  KeptLength({err_text.data(), err.total()}, &dropped[1]));
  if (options.order == StreamOrder::kErrAfterOut) {
    AppendBounded(&result->out, err_kept);
  } else {
    result->err.assign(err_kept);
  }
  result->spare.swap(err_text);
}

// Both streams read into growing blocks, then put together once.
void CollectIntoBlocks(Fd* out_read, Fd* err_read, const Fd* wake, Child* child,
                       const ProcessOptions& options, uint64_t dropped[2], ProcessResult* result) {
  const bool joined = options.order == StreamOrder::kErrAfterOut;
  Capture out(options.keep), err(options.keep);
  Drain(out_read, &out, err_read, &err, dropped, wake, child);
  ReserveText(&result->out, out.total() + (joined ? err.total() : 0));
  out.MoveTo(&result->out);
  result->out.resize(KeptLength(result->out, &dropped[0]));
  std::string* err_into = joined ? &result->out : &result->err;
  if (!joined) ReserveText(err_into, err.total());
  const size_t err_at = err_into->size();
  err.MoveTo(err_into);
  err_into->resize(err_at + KeptLength(std::string_view(*err_into).substr(err_at), &dropped[1]));
}

// How the program ended, from its wait status; a program someone else
// reaped ran, and counts as exited with 0.
void SetEndStatus(bool reaped, int status, ProcessResult* result) {
  if (!reaped) {
    result->status = ProcessStatus::kExited;
  } else if (WIFSIGNALED(status)) {
    result->status = ProcessStatus::kCrashed;
    result->exit_code = WTERMSIG(status);
  } else {
    result->status = ProcessStatus::kExited;
    result->exit_code = WEXITSTATUS(status);
  }
}

}  // namespace

void ProcessControl::Act(int stop_number) {
  const pid_t group = static_cast<pid_t>(target_.load());
  if (group <= 0) return;
  // Called from signal handlers: errno belongs to the code interrupted.
  const int saved = errno;
  if (stop_number == 1) {
    kill(-group, SIGINT);
  } else {
    kill(-group, SIGKILL);
    const int wake = static_cast<int>(wake_.load());
    if (wake >= 0) {
      ssize_t ignored = write(wake, "", 1);
      (void)ignored;
    }
  }
  errno = saved;
}

int CurrentProcessId() {
  return static_cast<int>(getpid());
}

ProcessResult RunProcess(const std::string& command_line, const std::string& working_dir,
                         const ProcessOptions& options) {
  // The program may rename or replace folders that the file-name caches
  // hold: they forget them when it starts and again once it has ended.
  struct FoldersForgotten {
    FoldersForgotten() { FileNameMatchScope::FoldersMayHaveChanged(); }
    ~FoldersForgotten() { FileNameMatchScope::FoldersMayHaveChanged(); }
  } folders_forgotten;
  ProcessResult result;
  ProcessControl* control = options.control;
  if (control != nullptr) control->Reset();

  std::string program;
  std::vector<std::string> args;
  if (!ProgramAndArguments(command_line, &program, &args)) {
    result.status = ProcessStatus::kStartFailed;
    result.system_error = ENOENT;
    return result;
  }
  const std::string named_program = program;
  if (!ThroughWine(&program, &args, &result.start_problem)) {
    result.status = ProcessStatus::kStartFailed;
    result.system_error = ENOENT;
    return result;
  }

  Fd out_read, out_write, err_read, err_write, wake_read, wake_write;
  if (!MakePipe(&out_read, &out_write) || !MakePipe(&err_read, &err_write) ||
      (control != nullptr && !MakeWakePipe(&wake_read, &wake_write))) {
    result.status = ProcessStatus::kPipeFailed;
    result.system_error = errno;
    return result;
  }

  pid_t pid = -1;
  const int error =
      Spawn(&program, &args, working_dir, out_write, err_write, control, wake_write, &pid);
  if (error) {
    result.status = ProcessStatus::kStartFailed;
    result.system_error = error;
    return result;
  }
  Child child(pid, control);

  // Only the tool may hold the write ends, or the reads below never end.
  out_write.Close();
  err_write.Close();
  const Fd* wake = control != nullptr ? &wake_read : nullptr;
  uint64_t dropped[2] = {0, 0};
  if (options.recycled != nullptr) {
    CollectIntoRecycled(&out_read, &err_read, wake, &child, options, dropped, &result);
  } else {
    CollectIntoBlocks(&out_read, &err_read, wake, &child, options, dropped, &result);
  }
  result.out_dropped = dropped[0];
  result.err_dropped = dropped[1];
  const bool reaped = child.Reap();

  ToLocalText(&result.out);
  ToLocalText(&result.err);
  SetEndStatus(reaped, child.status(), &result);
  int exception = 0;
  if (program != named_program && WineCrash(result, &exception)) {
    result.status = ProcessStatus::kCrashed;
    result.exit_code = exception;
  }
  return result;
}

}  // namespace c51
