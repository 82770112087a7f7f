#include "tools/tool_runner.h"

#include <vector>

#include "platform/codepage.h"
#include "platform/path.h"
#include "sim/command_line.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <errno.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace c51::test {

#ifdef _WIN32

bool RunCommandLine(const std::string& command_line, const std::string& cwd, ToolRun* run,
                    std::string* err) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  HANDLE read_end = nullptr;
  HANDLE write_end = nullptr;
  if (!CreatePipe(&read_end, &write_end, &inherit, 0)) {
    *err = "CreatePipe failed";
    return false;
  }
  SetHandleInformation(read_end, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = write_end;
  startup.hStdError = write_end;
  startup.hStdInput = nullptr;
  PROCESS_INFORMATION process{};
  std::vector<char> line(command_line.begin(), command_line.end());
  line.push_back('\0');
  const BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      cwd.empty() ? nullptr : cwd.c_str(), &startup, &process);
  CloseHandle(write_end);
  if (!started) {
    CloseHandle(read_end);
    *err = "CreateProcess failed: " + command_line;
    return false;
  }
  run->output.clear();
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(read_end, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    run->output.append(chunk, got);
  }
  CloseHandle(read_end);
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  run->exit_code = static_cast<int>(code);
  run->system_output = run->output;
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return true;
}

#else

bool RunCommandLine(const std::string& command_line, const std::string& cwd, ToolRun* run,
                    std::string* err) {
  std::vector<std::string> args = sim::SplitWindowsCommandLine(LocalToSystemText(command_line));
  if (args.empty()) {
    *err = "empty command line";
    return false;
  }
  for (char& c : args[0]) {
    if (c == '\\') c = '/';
  }
  const std::string native_cwd = cwd.empty() ? std::string() : NativePath(cwd);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  int fds[2];
  if (pipe(fds) != 0) {
    *err = "pipe failed";
    return false;
  }
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    *err = "fork failed";
    return false;
  }
  if (pid == 0) {
    dup2(fds[1], 1);
    dup2(fds[1], 2);
    close(fds[0]);
    close(fds[1]);
    if (!native_cwd.empty() && chdir(native_cwd.c_str()) != 0) _exit(126);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  run->output.clear();
  char chunk[4096];
  ssize_t got;
  while ((got = read(fds[0], chunk, sizeof chunk)) != 0) {
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) break;
    run->output.append(chunk, static_cast<size_t>(got));
  }
  close(fds[0]);
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) {
    *err = "waitpid failed";
    return false;
  }
  run->exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -2;
  run->system_output = run->output;
  run->output = SystemToLocalText(run->system_output);
  return true;
}

#endif

}  // namespace c51::test
