// Code page conversions through UTF-16, the way every Windows program
// converts between ANSI code pages.
#include "platform/codepage.h"

#include <windows.h>

#include <climits>

namespace c51 {

int LocalCodePage() {
  return static_cast<int>(GetACP());
}

bool ConvertCodePage(const std::string& in, int from, int to, std::string* out) {
  out->clear();
  if (in.size() > static_cast<size_t>(INT_MAX)) return false;
  UINT source = from == kCodePageLocal ? CP_ACP : static_cast<UINT>(from);
  UINT target = to == kCodePageLocal ? CP_ACP : static_cast<UINT>(to);
  if (!IsValidCodePage(source == CP_ACP ? GetACP() : source) ||
      !IsValidCodePage(target == CP_ACP ? GetACP() : target)) {
    return false;
  }
  if (in.empty()) return true;

  int length = static_cast<int>(in.size());
  int wide_length =
      MultiByteToWideChar(source, MB_ERR_INVALID_CHARS, in.data(), length, nullptr, 0);
  if (wide_length <= 0) return false;
  std::wstring wide(static_cast<size_t>(wide_length), L'\0');
  if (MultiByteToWideChar(source, MB_ERR_INVALID_CHARS, in.data(), length, wide.data(),
                          wide_length) != wide_length) {
    return false;
  }

  // No best fit: a character the target lacks becomes the default "?"
  // rather than a look-alike. UTF-8 accepts neither flag nor default.
  DWORD flags = target == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  int narrow_length =
      WideCharToMultiByte(target, flags, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (narrow_length <= 0) return false;
  std::string narrow(static_cast<size_t>(narrow_length), '\0');
  if (WideCharToMultiByte(target, flags, wide.data(), wide_length, narrow.data(), narrow_length,
                          nullptr, nullptr) != narrow_length) {
    return false;
  }
  *out = std::move(narrow);
  return true;
}

// The file system, the command line and the console speak the ANSI code
// page, as the plug-in's texts do.
std::string LocalToSystemText(std::string_view local) {
  return std::string(local);
}

std::string SystemToLocalText(std::string_view system) {
  return std::string(system);
}

bool SystemToLocalStrict(std::string_view system, std::string* local) {
  local->assign(system);
  return true;
}

}  // namespace c51
