#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "host/host_platform.h"
#include "host/text_encoding.h"
#include "platform/ascii_case.h"
#include "platform/codepage.h"

namespace c51::host {
namespace {

// "call(path): reason", as the POSIX side reports it.
std::string CallError(const char* call, const std::string& path, DWORD error) {
  char* text = nullptr;
  DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = n && text ? std::string(text, n) : "error " + std::to_string(error);
  if (text) LocalFree(text);
  while (!reason.empty() &&
         (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' '))
    reason.pop_back();
  return std::string(call) + "(" + path + "): " + reason;
}

std::atomic<void (*)()> g_on_stop{nullptr};
std::atomic<int> g_interrupts{0};

void WriteNotice(const char* text, DWORD size) {
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, size, &written, nullptr);
}

BOOL WINAPI HandleConsoleEvent(DWORD event) {
  void (*on_stop)() = g_on_stop.load();
  const bool interrupt = event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT;
  if (interrupt && g_interrupts.fetch_add(1) == 0) {
    static const char kNotice[] =
        "\ncorvane-c51: stopping after the current step (Ctrl-C again to quit)\n";
    WriteNotice(kNotice, sizeof kNotice - 1);
    if (on_stop) on_stop();
    return TRUE;
  }
  if (interrupt) {
    static const char kQuit[] = "\ncorvane-c51: ending the running tool and quitting\n";
    WriteNotice(kQuit, sizeof kQuit - 1);
  }
  // A second interrupt, or the console closing, logoff or shutdown: two
  // more requests end the running tool's job, then the default handler
  // ends the process.
  if (on_stop) {
    on_stop();
    on_stop();
  }
  return FALSE;
}

HANDLE StreamHandle(FILE* stream) {
  if (stream == stdout) return GetStdHandle(STD_OUTPUT_HANDLE);
  if (stream == stderr) return GetStdHandle(STD_ERROR_HANDLE);
  return INVALID_HANDLE_VALUE;
}

bool EndsWithIgnoringCase(const std::string& name, const std::string& suffix) {
  if (name.size() <= suffix.size()) return false;
  return EqualsIgnoringCase(std::string_view(name).substr(name.size() - suffix.size()), suffix);
}

}  // namespace

bool AtomicWriteFile(const std::string& path, const std::string& contents, std::string* err) {
  static std::atomic<unsigned> counter{0};
  std::string temp;
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && file == INVALID_HANDLE_VALUE; ++attempt) {
    temp = path + ".tmp" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
    if (file == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (file == INVALID_HANDLE_VALUE) {
    *err = CallError("CreateFile", temp, GetLastError());
    return false;
  }
  const char* failed = nullptr;
  DWORD error = 0;
  size_t done = 0;
  while (!failed && done < contents.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, contents.data() + done, chunk, &written, nullptr)) {
      failed = "WriteFile";
      error = GetLastError();
    }
    done += written;
  }
  if (!failed && !FlushFileBuffers(file)) {
    failed = "FlushFileBuffers";
    error = GetLastError();
  }
  CloseHandle(file);
  if (failed) {
    *err = CallError(failed, temp, error);
    DeleteFileA(temp.c_str());
    return false;
  }
  if (!MoveFileExA(temp.c_str(), path.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    *err = CallError("MoveFileEx", path, GetLastError());
    DeleteFileA(temp.c_str());
    return false;
  }
  return true;
}

bool RunShellCommand(const std::string& command_line, const std::string& directory,
                     int* exit_code) {
  *exit_code = -1;
  std::fflush(nullptr);
  // /s keeps cmd from guessing which quotation marks to strip: it removes
  // exactly the outer pair added here.
  std::string line = "cmd.exe /s /c \"" + command_line + "\"";
  STARTUPINFOA startup;
  ZeroMemory(&startup, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  ZeroMemory(&process, sizeof process);
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr,
                      directory.empty() ? nullptr : directory.c_str(), &startup, &process)) {
    return false;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  *exit_code = static_cast<int>(code);
  return true;
}

void InstallInterruptHandler(void (*on_stop)()) {
  g_on_stop = on_stop;
  g_interrupts = 0;
  SetConsoleCtrlHandler(HandleConsoleEvent, TRUE);
}

void RemoveInterruptHandler() {
  SetConsoleCtrlHandler(HandleConsoleEvent, FALSE);
  g_on_stop = nullptr;
}

bool IsTerminal(FILE* stream) {
  DWORD mode = 0;
  return GetConsoleMode(StreamHandle(stream), &mode) != 0;
}

bool EnableColours(FILE* stream) {
  HANDLE handle = StreamHandle(stream);
  DWORD mode = 0;
  if (!GetConsoleMode(handle, &mode)) return false;
  constexpr DWORD kVirtualTerminal = 0x0004;  // ENABLE_VIRTUAL_TERMINAL_PROCESSING
  return (mode & kVirtualTerminal) || SetConsoleMode(handle, mode | kVirtualTerminal);
}

std::string ToStreamEncoding(std::string_view gbk, FILE* stream) {
  int target = IsTerminal(stream) ? static_cast<int>(GetConsoleOutputCP()) : kCodePageLocal;
  std::string out;
  if (ConvertCodePage(std::string(gbk), kCodePageGbk, target, &out)) return out;
  return std::string(gbk);
}

std::string NativeTextToUtf8(std::string_view text) {
  std::string out;
  if (ConvertCodePage(std::string(text), kCodePageLocal, kCodePageUtf8, &out)) return out;
  return std::string(text);
}

std::vector<std::string> FilesWithSuffix(const std::string& folder, const std::string& suffix) {
  std::vector<std::string> names;
  std::string pattern = (folder.empty() ? std::string(".") : folder);
  if (pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
  pattern += "*";
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA(pattern.c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = data.cFileName;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWithIgnoringCase(name, suffix))
      names.push_back(name);
  } while (FindNextFileA(find, &data));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

struct DiagnosticsListener::Impl {
  HWND window = nullptr;
  WNDPROC dialog_procedure = nullptr;  // the "#32770" class's own procedure
  std::vector<std::string> lines;
};

namespace {

const char kListenerProperty[] = "corvane-c51.listener";

// Lines arrive through SendMessage from the importer on this same thread,
// so the call comes straight here without a message loop.
LRESULT CALLBACK ListenerProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  auto* impl = static_cast<DiagnosticsListener::Impl*>(GetPropA(window, kListenerProperty));
  if (!impl) return DefWindowProcA(window, message, wparam, lparam);
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    if (data && data->lpData) {
      std::string line(static_cast<const char*>(data->lpData), data->cbData);
      if (!line.empty() && line.back() == '\0') line.pop_back();
      impl->lines.push_back(std::move(line));
    }
    return TRUE;
  }
  return CallWindowProcA(impl->dialog_procedure, window, message, wparam, lparam);
}

}  // namespace

DiagnosticsListener::DiagnosticsListener() : impl_(new Impl) {}

DiagnosticsListener::~DiagnosticsListener() {
  if (impl_->window) {
    SetWindowLongPtrA(impl_->window, GWLP_WNDPROC,
                      reinterpret_cast<LONG_PTR>(impl_->dialog_procedure));
    RemovePropA(impl_->window, kListenerProperty);
    DestroyWindow(impl_->window);
  }
  delete impl_;
}

bool DiagnosticsListener::Start(std::string* err) {
  // The dialog class is registered by the system; a window of it that is
  // never shown is found by FindWindow all the same.
  HWND window = CreateWindowExA(0, "#32770", "ListWin", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) {
    *err = CallError("CreateWindowEx", "ListWin", GetLastError());
    return false;
  }
  SetPropA(window, kListenerProperty, impl_);
  impl_->dialog_procedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListenerProcedure)));
  impl_->window = window;
  return true;
}

std::vector<std::string> DiagnosticsListener::TakeLines() {
  std::vector<std::string> lines;
  lines.swap(impl_->lines);
  return lines;
}

}  // namespace c51::host
