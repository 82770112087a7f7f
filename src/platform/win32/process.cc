// Process start on Windows: CreateProcess with a hidden window and
// inherited anonymous pipes, in a job object that ends everything the tool
// started when the job is closed (by this side, or by the system when the
// caller ends). Standard error is read on a second thread while this one
// reads standard output, so a tool that fills one pipe while the other is
// still open cannot stall the two sides.
#include "platform/process.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <mutex>

#include "platform/process_output.h"

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

// One stream's kept bytes and how many more it carried.
struct Stream {
  HANDLE pipe;
  std::string* text;
  size_t keep;
  uint64_t dropped = 0;
};

// Reads until a read fails (the tool ended or closed the pipe), keeping at
// most `keep` bytes. The text grows to exactly `keep` at most: doubling
// past it would hold memory the cap is meant to spare.
void DrainPipe(Stream* stream) {
  constexpr DWORD kChunk = 64 * 1024;
  std::string buffer(kChunk, '\0');
  std::string& text = *stream->text;
  DWORD n = 0;
  while (ReadFile(stream->pipe, buffer.data(), kChunk, &n, nullptr)) {
    const size_t room = stream->keep - std::min(stream->keep, text.size());
    const size_t kept = std::min<size_t>(room, n);
    if (text.size() + kept > text.capacity()) {
      text.reserve(std::min(std::max(2 * text.capacity(), text.size() + kept), stream->keep));
    }
    text.append(buffer.data(), kept);
    stream->dropped += n - kept;
  }
}

DWORD WINAPI DrainThread(void* parameter) {
  DrainPipe(static_cast<Stream*>(parameter));
  return 0;
}

// NTSTATUS codes of facility 0 with error or warning severity (access
// violation 0xC0000005, stack overflow 0xC00000FD, ...) are what an
// unhandled exception leaves as exit code; exit(-1) gives 0xFFFFFFFF and
// stays an exit.
bool IsExceptionCode(DWORD code) {
  return (code & 0xBFFF0000u) == 0x80000000u;
}

// What a killed tool ends with: the code Ctrl-C leaves, so the run reads
// as one ended from outside.
constexpr UINT kStoppedExitCode = 0xC000013Au;  // STATUS_CONTROL_C_EXIT

// A job whose processes all end when its last handle closes; null when
// the system refuses one.
HANDLE MakeKillOnCloseJob() {
  HANDLE job = CreateJobObjectA(nullptr, nullptr);
  if (job == nullptr) return nullptr;
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  if (!SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
    CloseHandle(job);
    return nullptr;
  }
  return job;
}

// Held from the making of a run's pipes until its tool holds their write
// ends alone.
std::mutex& StartMutex() {
  static std::mutex mutex;
  return mutex;
}

// CreateProcessA, suspended, with inherited handles. A start that fails
// with ERROR_INTERNAL_ERROR is tried again after a pause: wine reports it
// now and then when several programs start in quick succession, and the
// same command starts on the next try. Any other error is final.
DWORD StartSuspended(const std::string& command_line, const std::string& working_dir,
                     STARTUPINFOA* startup, PROCESS_INFORMATION* info) {
  constexpr DWORD kPausesMs[] = {20, 100, 400};
  for (size_t attempt = 0;; ++attempt) {
    // CreateProcessA may write into the command line: a fresh copy each try.
    std::string writable = command_line;
    if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, TRUE,
                       NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED, nullptr,
                       working_dir.empty() ? nullptr : working_dir.c_str(), startup, info)) {
      return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_INTERNAL_ERROR || attempt == std::size(kPausesMs)) return error;
    Sleep(kPausesMs[attempt]);
  }
}

}  // namespace

void ProcessControl::Act(int stop_number) {
  // There is no gentle way into a hidden program; the first request only
  // stops the build after it.
  if (stop_number < 2) return;
  HANDLE target = reinterpret_cast<HANDLE>(target_.load());
  if (target == nullptr) return;
  // The target is the job, or the process itself where no job could be had.
  if (!TerminateJobObject(target, kStoppedExitCode)) TerminateProcess(target, kStoppedExitCode);
}

int CurrentProcessId() {
  return static_cast<int>(GetCurrentProcessId());
}

ProcessResult RunProcess(const std::string& command_line, const std::string& working_dir,
                         const ProcessOptions& options) {
  ProcessResult result;
  ProcessControl* control = options.control;
  if (control != nullptr) control->Reset();
  // Standard error is read apart, into the spare text when there is one.
  std::string err_text;
  if (ProcessResult* recycled = options.recycled) {
    result.out.swap(recycled->out);
    err_text.swap(recycled->spare);
    result.out.clear();
    err_text.clear();
  }
  // Every inheritable handle of the process goes to a program started
  // while it is open: a tool started beside this one would hold this one's
  // write ends, and its output would not end before that tool ended. The
  // write ends live only while this lock is held. (Declared before them:
  // they close before it opens again on every way out.)
  std::unique_lock<std::mutex> starting(StartMutex());
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

  Handle job;
  job.Reset(MakeKillOnCloseJob());
  // CreateProcessA may write into the command line. The program starts
  // suspended so it is in the job before it can start anything.
  PROCESS_INFORMATION info = {};
  const DWORD start_error = StartSuspended(command_line, working_dir, &startup, &info);
  if (start_error != ERROR_SUCCESS) {
    result.status = ProcessStatus::kStartFailed;
    result.system_error = static_cast<int>(start_error);
    return result;
  }
  Handle process, thread;
  process.Reset(info.hProcess);
  thread.Reset(info.hThread);
  // Windows before 8 refuses a job inside another one (a caller that runs
  // in a job itself); the tool then runs without, and a stop ends only it.
  if (job.get() != nullptr && !AssignProcessToJobObject(job.get(), process.get())) job.Close();
  if (control != nullptr) {
    control->Attach(reinterpret_cast<intptr_t>(job.get() != nullptr ? job.get() : process.get()),
                    -1);
  }
  ResumeThread(thread.get());
  // Only the tool may hold the write ends, or the reads below never end.
  // Its job admits no breakaway, so once the job is ended nothing else
  // holds them.
  out_write.Close();
  err_write.Close();
  starting.unlock();

  Stream out{out_read.get(), &result.out, options.keep};
  Stream err{err_read.get(), &err_text, options.keep};
  Handle reader;
  reader.Reset(CreateThread(nullptr, 0, DrainThread, &err, 0, nullptr));
  DrainPipe(&out);
  if (reader.get() != nullptr) {
    WaitForSingleObject(reader.get(), INFINITE);
  } else {
    // No thread to be had: read in turn, which stalls only a tool that
    // fills standard error before it closes standard output.
    DrainPipe(&err);
  }
  WaitForSingleObject(process.get(), INFINITE);
  if (control != nullptr) control->Detach();

  result.out.resize(KeptLength(result.out, &out.dropped));
  err_text.resize(KeptLength(err_text, &err.dropped));
  result.out_dropped = out.dropped;
  result.err_dropped = err.dropped;
  if (options.order == StreamOrder::kErrAfterOut) {
    AppendBounded(&result.out, err_text);
    result.spare.swap(err_text);
  } else {
    result.err.swap(err_text);
  }

  DWORD code = 0;
  GetExitCodeProcess(process.get(), &code);
  result.status = IsExceptionCode(code) ? ProcessStatus::kCrashed : ProcessStatus::kExited;
  result.exit_code = static_cast<int>(code);
  return result;
}

}  // namespace c51
