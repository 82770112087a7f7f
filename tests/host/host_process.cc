#include "host_process.h"

#include <dirent.h>
#include <errno.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "platform/fs.h"

namespace c51::test {

HostProcess::~HostProcess() {
  if (pid_ > 0) {
    kill(static_cast<pid_t>(pid_), SIGKILL);
    int status;
    while (waitpid(static_cast<pid_t>(pid_), &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (pipe_ >= 0) close(pipe_);
}

bool HostProcess::Start(const std::vector<std::string>& args, std::string* err) {
  std::vector<std::string> texts = {ExecutableDirectory() + "corvane-c51"};
  texts.insert(texts.end(), args.begin(), args.end());
  // Made before fork: the child may only make async-signal-safe calls.
  std::vector<char*> argv;
  for (std::string& text : texts) argv.push_back(text.data());
  argv.push_back(nullptr);
  int ends[2];
  if (pipe(ends) != 0) {
    *err = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    *err = std::string("fork: ") + std::strerror(errno);
    close(ends[0]);
    close(ends[1]);
    return false;
  }
  if (pid == 0) {
    if (file_size_limit_ >= 0) {
      const rlimit limit{static_cast<rlim_t>(file_size_limit_),
                         static_cast<rlim_t>(file_size_limit_)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
    }
    if (ignore_file_size_signal_) {
      struct sigaction ignore {};
      ignore.sa_handler = SIG_IGN;
      if (sigaction(SIGXFSZ, &ignore, nullptr) != 0) _exit(126);
    }
    dup2(ends[1], STDOUT_FILENO);
    dup2(ends[1], STDERR_FILENO);
    close(ends[0]);
    close(ends[1]);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(ends[1]);
  pid_ = static_cast<int>(pid);
  pipe_ = ends[0];
  return true;
}

bool HostProcess::ReadSome() {
  if (pipe_ < 0) return false;
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipe_, buffer, sizeof buffer)) < 0 && errno == EINTR) {
  }
  if (n <= 0) return false;
  output_.append(buffer, static_cast<size_t>(n));
  return true;
}

bool HostProcess::Interrupt() {
  return Signal(SIGINT);
}

bool HostProcess::Signal(int signal) {
  return pid_ > 0 && kill(static_cast<pid_t>(pid_), signal) == 0;
}

int HostProcess::Wait() {
  while (ReadSome()) {
  }
  if (pid_ <= 0) return -1;
  int status = 0;
  pid_t done;
  rusage usage{};
  while ((done = wait4(static_cast<pid_t>(pid_), &status, 0, &usage)) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  peak_kib_ = usage.ru_maxrss;
  return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HostProcess::WaitForLine(const std::string& text) {
  for (;;) {
    size_t end;
    while ((end = output_.find('\n', searched_)) != std::string::npos) {
      const bool found = std::string_view(output_).substr(searched_, end - searched_).find(text) !=
                         std::string_view::npos;
      searched_ = end + 1;
      if (found) return true;
    }
    if (!ReadSome()) return false;
  }
}

bool ProcessRunning(int pid) {
  if (kill(static_cast<pid_t>(pid), 0) != 0) return false;
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  std::getline(stat, line);
  // "pid (name) state ...": the name may hold anything, ") " included.
  const size_t name_end = line.rfind(") ");
  if (name_end == std::string::npos || name_end + 2 >= line.size()) return true;
  const char state = line[name_end + 2];
  return state != 'Z' && state != 'X';
}

namespace {

// The parent's process id from /proc/<pid>/stat, "pid (name) state ppid
// ..."; -1 when it cannot be read.
int ParentOf(const std::string& pid) {
  std::ifstream stat("/proc/" + pid + "/stat");
  std::string line;
  std::getline(stat, line);
  const size_t name_end = line.rfind(") ");
  if (name_end == std::string::npos || name_end + 4 >= line.size()) return -1;
  return std::atoi(line.c_str() + name_end + 4);
}

std::string NameOf(const std::string& pid) {
  std::ifstream comm("/proc/" + pid + "/comm");
  std::string name;
  std::getline(comm, name);
  return name;
}

}  // namespace

int WaitForChild(int parent, const std::string& name) {
  for (int i = 0; i < 6000; ++i) {
    const std::unique_ptr<DIR, int (*)(DIR*)> proc(opendir("/proc"), &closedir);
    while (const dirent* entry = proc ? readdir(proc.get()) : nullptr) {
      const std::string pid = entry->d_name;
      if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
      // A child carries the parent's name until it has started the program.
      if (ParentOf(pid) == parent && NameOf(pid) == name && ProcessRunning(std::atoi(pid.c_str())))
        return std::atoi(pid.c_str());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

bool WaitForProcessEnd(int pid) {
  for (int i = 0; i < 6000; ++i) {
    if (!ProcessRunning(pid)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

}  // namespace c51::test
