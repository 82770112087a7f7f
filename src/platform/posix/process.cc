// Process start on POSIX: the Windows command line is cut into arguments
// here, the program starts through posix_spawn without a shell, and both
// pipes are drained together with poll().
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
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "platform/codepage.h"
#include "platform/path.h"

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

class SpawnActions {
 public:
  SpawnActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~SpawnActions() {
    if (ok_) posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  bool ok() const { return ok_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
  bool ok_ = false;
};

class SpawnAttributes {
 public:
  SpawnAttributes() { ok_ = posix_spawnattr_init(&attributes_) == 0; }
  ~SpawnAttributes() {
    if (ok_) posix_spawnattr_destroy(&attributes_);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  bool ok() const { return ok_; }
  posix_spawnattr_t* get() { return &attributes_; }

 private:
  posix_spawnattr_t attributes_;
  bool ok_ = false;
};

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

// One stream's bytes as read: the kernel copies straight into blocks that
// double in size, and the text is put together once at the end, so nothing
// is copied twice on the way however much a tool writes.
class Capture {
 public:
  // Room for the next read; never empty.
  char* space() { return blocks_.back().data.get() + blocks_.back().used; }
  size_t space_size() const { return blocks_.back().size - blocks_.back().used; }
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
    if (space_size() == 0) Grow();
  }
  size_t total() const { return total_; }
  void AppendTo(std::string* text) const {
    for (const Block& block : blocks_) text->append(block.data.get(), block.used);
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
};

// An empty text with room for `size` bytes, advised like the blocks.
void ReserveText(std::string* text, size_t size) {
  std::string fresh;
  fresh.reserve(size);
  AdviseHugePages(fresh.data(), fresh.capacity());
  text->swap(fresh);
}

// One stream's bytes read straight into a text kept from an earlier run:
// its memory is already mapped, so a large output costs no page faults.
// The text is held at its full capacity while reading (growing only past
// it) and cut to what was read by Finish.
class TextCapture {
 public:
  explicit TextCapture(std::string* text) : text_(text) {
    if (text_->capacity() < kFirstSize) text_->reserve(kFirstSize);
    text_->resize(text_->capacity());
  }
  char* space() { return text_->data() + used_; }
  size_t space_size() const { return text_->size() - used_; }
  void Grow() {
    if (space_size() != 0) return;
    text_->resize(std::max(2 * text_->size(), kFirstSize));
    AdviseHugePages(text_->data(), text_->size());
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
  size_t used_ = 0;
};

// Reads both pipes until each reports its end. If poll itself fails, the
// pipes are closed, so the tool sees a broken pipe instead of stalling.
template <typename C>
void Drain(Fd* out_fd, C* out, Fd* err_fd, C* err) {
  Fd* fds[2] = {out_fd, err_fd};
  C* captures[2] = {out, err};
  out->Grow();
  err->Grow();
  while (out_fd->get() >= 0 || err_fd->get() >= 0) {
    pollfd polled[2];
    int which[2];
    nfds_t count = 0;
    for (int s = 0; s < 2; ++s) {
      if (fds[s]->get() < 0) continue;
      polled[count] = {fds[s]->get(), POLLIN, 0};
      which[count++] = s;
    }
    if (poll(polled, count, -1) < 0) {
      if (errno == EINTR) continue;
      out_fd->Close();
      err_fd->Close();
      return;
    }
    for (nfds_t k = 0; k < count; ++k) {
      if (polled[k].revents == 0) continue;
      int s = which[k];
      ssize_t n = read(fds[s]->get(), captures[s]->space(), captures[s]->space_size());
      if (n > 0) {
        captures[s]->Commit(static_cast<size_t>(n));
      } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        fds[s]->Close();
      }
    }
  }
}

// A program's output in the local code page. Output without a byte past
// ASCII, the usual case however large, is left where it is.
void ToLocalText(std::string* text) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text->data());
  const unsigned char* end = p + text->size();
  uint64_t high = 0;
  for (; end - p >= 8; p += 8) {
    uint64_t word;
    std::memcpy(&word, p, 8);
    high |= word;
  }
  for (; p < end; ++p) high |= *p;
  if ((high & 0x8080808080808080ULL) == 0) return;
  *text = SystemToLocalText(*text);
}

}  // namespace

ProcessResult RunProcess(const std::string& command_line, const std::string& working_dir,
                         StreamOrder order, ProcessResult* recycled) {
  ProcessResult result;

  std::vector<std::string> args = SplitWindowsCommandLine(command_line);
  if (args.empty() || args[0].empty()) {
    result.status = ProcessStatus::kStartFailed;
    result.system_error = ENOENT;
    return result;
  }
  std::string program = NativePath(args[0]);
  // CreateProcess takes a relative program path against the caller's
  // folder; posix_spawn would take it against the new working folder.
  if (program.find('/') != std::string::npos && program[0] != '/') program = FullPath(program);

  Fd out_read, out_write, err_read, err_write;
  if (!MakePipe(&out_read, &out_write) || !MakePipe(&err_read, &err_write)) {
    result.status = ProcessStatus::kPipeFailed;
    result.system_error = errno;
    return result;
  }

  SpawnActions actions;
  SpawnAttributes attributes;
  sigset_t empty, defaults;
  sigemptyset(&empty);
  sigemptyset(&defaults);
  // A host that ignores SIGPIPE or blocks signals must not pass that on.
  sigaddset(&defaults, SIGPIPE);
  const std::string directory = NativePath(working_dir);
  int error = 0;
  if (!actions.ok() || !attributes.ok()) error = ENOMEM;
  if (!error) error = posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
  if (!error) error = posix_spawn_file_actions_adddup2(actions.get(), out_write.get(), 1);
  if (!error) error = posix_spawn_file_actions_adddup2(actions.get(), err_write.get(), 2);
  if (!error && !directory.empty()) {
    error = posix_spawn_file_actions_addchdir_np(actions.get(), directory.c_str());
  }
  if (!error) error = posix_spawnattr_setsigmask(attributes.get(), &empty);
  if (!error) error = posix_spawnattr_setsigdefault(attributes.get(), &defaults);
  if (!error) {
    error =
        posix_spawnattr_setflags(attributes.get(), POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }

  // Arguments are passed as written, in the file system's encoding.
  for (size_t i = 1; i < args.size(); ++i) args[i] = LocalToSystemText(args[i]);
  std::vector<char*> argv;
  argv.push_back(program.data());
  for (size_t i = 1; i < args.size(); ++i) argv.push_back(args[i].data());
  argv.push_back(nullptr);

  pid_t pid = -1;
  if (!error) {
    // No separator: looked up in PATH, which the build points at the
    // project folder while tools run.
    error = program.find('/') == std::string::npos
                ? posix_spawnp(&pid, program.c_str(), actions.get(), attributes.get(), argv.data(),
                               environ)
                : posix_spawn(&pid, program.c_str(), actions.get(), attributes.get(), argv.data(),
                              environ);
  }
  if (error) {
    result.status = ProcessStatus::kStartFailed;
    result.system_error = error;
    return result;
  }

  // Only the tool may hold the write ends, or the reads below never end.
  out_write.Close();
  err_write.Close();
  if (recycled != nullptr) {
    // Standard error is read into the spare text: it is never cut to what
    // was read, so the next run finds all of it mapped and nothing to clear.
    std::string err_text;
    result.out.swap(recycled->out);
    err_text.swap(recycled->spare);
    TextCapture out(&result.out), err(&err_text);
    Drain(&out_read, &out, &err_read, &err);
    out.Finish();
    if (order == StreamOrder::kErrAfterOut) {
      result.out.append(err_text.data(), err.total());
    } else {
      result.err.assign(err_text.data(), err.total());
    }
    result.spare.swap(err_text);
  } else {
    Capture out, err;
    Drain(&out_read, &out, &err_read, &err);
    if (order == StreamOrder::kErrAfterOut) {
      ReserveText(&result.out, out.total() + err.total());
      out.AppendTo(&result.out);
      err.AppendTo(&result.out);
    } else {
      ReserveText(&result.out, out.total());
      out.AppendTo(&result.out);
      ReserveText(&result.err, err.total());
      err.AppendTo(&result.err);
    }
  }

  ToLocalText(&result.out);
  ToLocalText(&result.err);

  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) {
      // Someone else reaped the child (a host with SIGCHLD ignored): it ran,
      // its code is lost.
      result.status = ProcessStatus::kExited;
      return result;
    }
  }
  if (WIFSIGNALED(status)) {
    result.status = ProcessStatus::kCrashed;
    result.exit_code = WTERMSIG(status);
  } else {
    result.status = ProcessStatus::kExited;
    result.exit_code = WEXITSTATUS(status);
  }
  return result;
}

}  // namespace c51
