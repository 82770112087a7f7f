// Error texts for Win32 calls, shared by the win32/ files.
#ifndef C51_PLATFORM_WIN32_ERROR_H_
#define C51_PLATFORM_WIN32_ERROR_H_

#include <string>

namespace c51 {

// The system's message for a GetLastError() code, without the trailing
// line break FormatMessage adds.
std::string Win32ErrorText(unsigned long code);

// "call(path): message", the form every platform file uses.
std::string Win32CallError(const char* call, const std::string& path, unsigned long code);

}  // namespace c51

#endif  // C51_PLATFORM_WIN32_ERROR_H_
