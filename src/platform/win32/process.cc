// Process start on Windows: CreateProcess with a hidden window and
// inherited anonymous pipes. Standard error is read on a second thread
// while this one reads standard output, so a tool that fills one pipe
// while the other is still open cannot stall the two sides.
#include "platform/process.h"

#include <windows.h>

namespace c51 {
namespace {

// A handle closed by its owner's destructor.
class Handle {
 public:
  Handle() = default;
  ~Handle() { Close(); }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;

  HANDLE get() const { return handle_; }
  void Reset(HANDLE handle) {
    Close();
    handle_ = handle;
  }
  void Close() {
    if (handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = nullptr;
  }

 private:
  HANDLE handle_ = nullptr;
};

// Both ends are made inheritable, as the child needs its write end; the
// read end is then kept back, so a tool holds nothing of this side.
bool MakePipe(Handle* read_end, Handle* write_end) {
  SECURITY_ATTRIBUTES attributes = {sizeof(attributes), nullptr, TRUE};
  HANDLE read_handle = nullptr;
  HANDLE write_handle = nullptr;
  if (!CreatePipe(&read_handle, &write_handle, &attributes, 64 * 1024)) return false;
  read_end->Reset(read_handle);
  write_end->Reset(write_handle);
  return SetHandleInformation(read_handle, HANDLE_FLAG_INHERIT, 0) != 0;
}

struct DrainJob {
  HANDLE pipe;
  std::string* text;
};

// Appends everything until a read fails (the tool ended or closed the pipe).
void DrainPipe(HANDLE pipe, std::string* text) {
  constexpr DWORD kChunk = 64 * 1024;
  std::string buffer(kChunk, '\0');
  DWORD n = 0;
  while (ReadFile(pipe, buffer.data(), kChunk, &n, nullptr)) text->append(buffer.data(), n);
}

DWORD WINAPI DrainThread(void* parameter) {
  DrainJob* job = static_cast<DrainJob*>(parameter);
  DrainPipe(job->pipe, job->text);
  return 0;
}

// NTSTATUS codes of facility 0 with error or warning severity (access
// violation 0xC0000005, stack overflow 0xC00000FD, ...) are what an
// unhandled exception leaves as exit code; exit(-1) gives 0xFFFFFFFF and
// stays an exit.
bool IsExceptionCode(DWORD code) {
  return (code & 0xBFFF0000u) == 0x80000000u;
}

}  // namespace

ProcessResult RunProcess(const std::string& command_line, const std::string& working_dir,
                         StreamOrder order, ProcessResult* recycled) {
  ProcessResult result;
  if (recycled != nullptr) {
    result.out.swap(recycled->out);
    result.err.swap(recycled->err);
    result.out.clear();
    result.err.clear();
  }
  Handle out_read, out_write, err_read, err_write;
  if (!MakePipe(&out_read, &out_write) || !MakePipe(&err_read, &err_write)) {
    result.status = ProcessStatus::kPipeFailed;
    result.system_error = static_cast<int>(GetLastError());
    return result;
  }

  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  startup.hStdInput = nullptr;
  startup.hStdOutput = out_write.get();
  startup.hStdError = err_write.get();

  // CreateProcessA may write into the command line.
  std::string writable = command_line;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS,
                      nullptr, working_dir.empty() ? nullptr : working_dir.c_str(), &startup,
                      &info)) {
    result.status = ProcessStatus::kStartFailed;
    result.system_error = static_cast<int>(GetLastError());
    return result;
  }
  Handle process, thread;
  process.Reset(info.hProcess);
  thread.Reset(info.hThread);
  // Only the tool may hold the write ends, or the reads below never end.
  out_write.Close();
  err_write.Close();

  DrainJob err_job = {err_read.get(), &result.err};
  Handle reader;
  reader.Reset(CreateThread(nullptr, 0, DrainThread, &err_job, 0, nullptr));
  DrainPipe(out_read.get(), &result.out);
  if (reader.get() != nullptr) {
    WaitForSingleObject(reader.get(), INFINITE);
  } else {
    // No thread to be had: read in turn, which stalls only a tool that
    // fills standard error before it closes standard output.
    DrainPipe(err_read.get(), &result.err);
  }

  if (order == StreamOrder::kErrAfterOut) {
    result.out += result.err;
    std::string().swap(result.err);
  }

  WaitForSingleObject(process.get(), INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  result.status = IsExceptionCode(code) ? ProcessStatus::kCrashed : ProcessStatus::kExited;
  result.exit_code = static_cast<int>(code);
  return result;
}

}  // namespace c51
