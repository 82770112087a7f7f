// File system services on Windows, through the ANSI functions so that
// project texts in the local code page reach the kernel unchanged.
#include "platform/fs.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/path.h"
#include "platform/win32/error.h"

// <windows.h> renames SetCurrentDirectory to SetCurrentDirectoryA, which
// would define the wrong function below.

namespace c51 {
namespace {

bool IsRootOrEmpty(const std::string& path) {
  if (path.empty()) return true;
  if (path.size() <= 3 && path.size() >= 2 && path[1] == ':') return true;  // "C:", "C:\"
  if (path.size() == 1 && IsPathSeparator(path[0])) return true;
  // "\\server\share": two separators, then no further separator after the share.
  if (path.size() > 2 && IsPathSeparator(path[0]) && IsPathSeparator(path[1])) {
    size_t seps = 0;
    for (size_t i = 2; i < path.size(); ++i) {
      if (IsPathSeparator(path[i]) && i + 1 < path.size()) ++seps;
    }
    return seps < 2;
  }
  return false;
}

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && IsPathSeparator(path.back()) && !IsRootOrEmpty(path)) path.pop_back();
  return path;
}

DWORD Attributes(const std::string& path) {
  return GetFileAttributesA(path.c_str());
}

void RemoveTreeEntries(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = entry.cFileName;
    if (name == "." || name == "..") continue;
    std::string child = folder + "\\" + name;
    // Read-only entries refuse deletion until the attribute is cleared.
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
      SetFileAttributesA(child.c_str(), entry.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY);
    }
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      // A junction is removed as a link, never followed out of the tree.
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) RemoveTreeEntries(child);
      RemoveDirectoryA(child.c_str());
    } else {
      DeleteFileA(child.c_str());
    }
  } while (FindNextFileA(find, &entry));
  FindClose(find);
}

}  // namespace

bool PathExists(const std::string& path) {
  return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileStamp StampOf(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  FileStamp stamp;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return stamp;
  }
  stamp.time =
      static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                           data.ftLastWriteTime.dwLowDateTime);
  stamp.size =
      static_cast<int64_t>((static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
  return stamp;
}

int64_t ModificationTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<int64_t>((static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                              data.ftLastWriteTime.dwLowDateTime);
}

bool CreateDirectories(const std::string& path) {
  std::string folder = WithoutTrailingSeparators(path);
  if (folder.empty()) return false;
  // Create each prefix that ends before a separator, then the whole path;
  // roots and existing parents are skipped or answer "already exists".
  for (size_t i = 1; i <= folder.size(); ++i) {
    if (i < folder.size() && !IsPathSeparator(folder[i])) continue;
    if (IsPathSeparator(folder[i - 1])) continue;
    std::string prefix = folder.substr(0, i);
    if (IsRootOrEmpty(prefix)) continue;
    if (!CreateDirectoryA(prefix.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS &&
        !IsDirectory(prefix)) {
      return false;
    }
  }
  return IsDirectory(folder);
}

std::string CurrentDirectory() {
  std::vector<char> buffer(MAX_PATH);
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n == 0) return std::string();
    if (n < buffer.size()) return std::string(buffer.data(), n);
    buffer.resize(n);
  }
  return std::string();
}

bool ChangeCurrentDirectory(const std::string& path) {
  return SetCurrentDirectoryA(path.c_str());
}

bool RemoveFile(const std::string& path) {
  return DeleteFileA(path.c_str());
}

bool MoveFileOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

ReadStatus ReadWholeFile(const std::string& path, std::string* contents, std::string* err) {
  // Share everything: an editor or the build may hold the file open.
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (err) *err = Win32CallError("open", path, error);
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadStatus::kNotFound
                                                                          : ReadStatus::kOtherError;
  }
  LARGE_INTEGER size;
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileSizeEx(file, &size) || size.QuadPart < 0) {
    if (err) *err = "read(" + path + "): not a regular file";
    CloseHandle(file);
    return ReadStatus::kOtherError;
  }
  std::string data;
  if (static_cast<uint64_t>(size.QuadPart) < data.max_size()) {
    data.reserve(static_cast<size_t>(size.QuadPart));
  }
  std::vector<char> chunk(64 * 1024);
  for (;;) {
    DWORD n = 0;
    if (!ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &n, nullptr)) {
      if (err) *err = Win32CallError("read", path, GetLastError());
      CloseHandle(file);
      return ReadStatus::kOtherError;
    }
    if (n == 0) break;
    data.append(chunk.data(), n);
  }
  CloseHandle(file);
  *contents = std::move(data);
  return ReadStatus::kOkay;
}

bool AppendToFile(const std::string& path, const std::string& text) {
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD n = 0;
  const bool whole = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &n, nullptr) &&
                     n == text.size();
  return CloseHandle(file) && whole;
}

bool WriteWholeFile(const std::string& path, const std::string& contents, std::string* err) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    if (err) *err = Win32CallError("open", path, GetLastError());
    return false;
  }
  size_t done = 0;
  while (done < contents.size()) {
    // WriteFile counts in DWORD: write large contents in pieces.
    DWORD piece = static_cast<DWORD>(std::min<size_t>(contents.size() - done, 1u << 30));
    DWORD n = 0;
    if (!WriteFile(file, contents.data() + done, piece, &n, nullptr)) {
      if (err) *err = Win32CallError("write", path, GetLastError());
      CloseHandle(file);
      return false;
    }
    done += n;
  }
  if (!CloseHandle(file)) {
    if (err) *err = Win32CallError("close", path, GetLastError());
    return false;
  }
  return true;
}

std::string ExecutableDirectory() {
  std::vector<char> buffer(MAX_PATH);
  // GetModuleFileName truncates and returns the buffer size when too small.
  while (buffer.size() <= 32768) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      std::string exe(buffer.data(), n);
      size_t slash = exe.find_last_of("\\/");
      return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
  return std::string();
}

std::string MakeTempDirectory(const std::string& prefix) {
  char base[MAX_PATH + 1];
  DWORD n = GetTempPathA(sizeof base, base);
  if (n == 0 || n > MAX_PATH) return std::string();
  std::string folder(base, n);
  if (!IsPathSeparator(folder.back())) folder.push_back('\\');
  // No mkdtemp here: try names until one is new. The process id keeps
  // parallel test programs apart, the counter calls within one process.
  static LONG counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    LONG serial = InterlockedIncrement(&counter);
    std::string candidate = folder + prefix + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(GetTickCount()) + "-" + std::to_string(serial);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) return candidate + "\\";
    if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
  }
  return std::string();
}

bool RemoveTree(const std::string& path) {
  std::string folder = WithoutTrailingSeparators(path);
  DWORD attributes = Attributes(folder);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetFileAttributesA(folder.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    DeleteFileA(folder.c_str());
  } else {
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) RemoveTreeEntries(folder);
    RemoveDirectoryA(folder.c_str());
  }
  return Attributes(folder) == INVALID_FILE_ATTRIBUTES;
}

}  // namespace c51
