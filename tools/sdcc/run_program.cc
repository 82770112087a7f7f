#include "sdcc/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/codepage.h"

extern char** environ;

namespace c51::sdcc {

namespace {

bool IsExecutable(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Closes a descriptor when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { Reset(); }
  int get() const { return fd_; }
  void Reset(int fd = -1) {
    if (fd_ >= 0) close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

}  // namespace

std::string FindSdccProgram(std::string_view name) {
  const char* bin = std::getenv("C51_SDCC_BIN");
  if (bin != nullptr && *bin != '\0') {
    std::string path = std::string(bin) + "/" + std::string(name);
    return IsExecutable(path) ? path : std::string();
  }
  const char* path_list = std::getenv("PATH");
  std::string_view rest = path_list != nullptr ? path_list : "/usr/bin:/bin";
  while (true) {
    size_t colon = rest.find(':');
    std::string_view dir = rest.substr(0, colon);
    std::string candidate = dir.empty() ? "." : std::string(dir);
    candidate += '/';
    candidate += name;
    if (IsExecutable(candidate)) return candidate;
    if (colon == std::string_view::npos) break;
    rest.remove_prefix(colon + 1);
  }
#ifdef C51_SDCC_DEFAULT_BIN
  constexpr const char* kFallbacks[] = {C51_SDCC_DEFAULT_BIN, "/usr/local/bin", "/usr/bin"};
#else
  constexpr const char* kFallbacks[] = {"/usr/local/bin", "/usr/bin"};
#endif
  for (const char* folder : kFallbacks) {
    std::string candidate = std::string(folder) + "/" + std::string(name);
    if (IsExecutable(candidate)) return candidate;
  }
  return std::string();
}

namespace {

// Reads what is there on `fd` into `out`; false at the end of the stream
// or on an error that is not an interruption.
bool Drain(int fd, std::string* out) {
  char buffer[16384];
  while (true) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      out->append(buffer, static_cast<size_t>(n));
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    return false;
  }
}

// Starts the program with standard output on `out_fd` and standard error
// on `err_fd`, reads both pipes until they close (the program would stall
// on a full one we do not read) and waits for it.
ProgramRun Run(const std::string& program, const std::vector<std::string>& args,
               std::string* standard_output) {
  ProgramRun run;
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return run;
  Fd err_read(fds[0]);
  Fd err_write(fds[1]);
  Fd out_read, out_write;
  if (standard_output != nullptr) {
    if (pipe2(fds, O_CLOEXEC) != 0) return run;
    out_read.Reset(fds[0]);
    out_write.Reset(fds[1]);
  }

  std::vector<std::string> argv_text;
  argv_text.push_back(program);
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argv_text) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(
      &actions, standard_output != nullptr ? out_write.get() : err_write.get(), 1);
  posix_spawn_file_actions_adddup2(&actions, err_write.get(), 2);
  pid_t pid;
  int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return run;
  err_write.Reset();
  out_write.Reset();

  std::string errors;
  if (standard_output == nullptr) {
    while (Drain(err_read.get(), &errors)) {
    }
  } else {
    pollfd polled[2] = {{out_read.get(), POLLIN, 0}, {err_read.get(), POLLIN, 0}};
    std::string* sinks[2] = {standard_output, &errors};
    int open_count = 2;
    while (open_count > 0) {
      if (poll(polled, 2, -1) < 0) {
        if (errno == EINTR) continue;
        break;
      }
      for (int i = 0; i < 2; ++i) {
        if (polled[i].fd < 0 || polled[i].revents == 0) continue;
        if (!Drain(polled[i].fd, sinks[i])) {
          polled[i].fd = -1;  // poll skips negative descriptors
          --open_count;
        }
      }
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  run.started = true;
  if (WIFEXITED(status)) {
    run.exit_code = WEXITSTATUS(status);
  } else if (WIFSIGNALED(status)) {
    run.exit_code = 128 + WTERMSIG(status);
  }
  // posix_spawn reports a missing program through the child on some
  // systems: exit 127 with nothing written.
  if (run.exit_code == 127 && errors.empty() &&
      (standard_output == nullptr || standard_output->empty())) {
    run.started = false;
  }
  run.output = SystemToLocalText(errors);
  return run;
}

}  // namespace

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& args) {
  return Run(program, args, nullptr);
}

ProgramRun RunProgramKeepingOutput(const std::string& program, const std::vector<std::string>& args,
                                   std::string* standard_output) {
  standard_output->clear();
  return Run(program, args, standard_output);
}

}  // namespace c51::sdcc
