// A stand-in for a debug driver library. Its settings dialog needs no
// state: what it does depends on the settings text it receives.
//   "reject..."  answers 0 and leaves the buffer alone;
//   "overflow"   fills the whole buffer without a terminating zero;
//   anything else accepts with "code=<code>;path=<word 1>;was=<text>".
// Built a second time without DllUv3Cap.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "project/abi.h"

#if defined(_WIN32)
#define FAKE_EXPORT extern "C" __declspec(dllexport)
#else
#define FAKE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {
constexpr size_t kBufferSize = 8192;
}

#if !defined(FAKE_WITHOUT_DLLUV3CAP)
// The block's words are pointer-sized: word 1 the driver's path, word 5
// the settings buffer.
FAKE_EXPORT int C51_CDECL DllUv3Cap(int code, uintptr_t* block) {
  const char* path = reinterpret_cast<const char*>(block[1]);
  char* buffer = reinterpret_cast<char*>(block[5]);
  const void* zero = std::memchr(buffer, 0, kBufferSize);
  const size_t length = zero ? static_cast<const char*>(zero) - buffer : kBufferSize;
  const std::string was(buffer, length);
  if (was.compare(0, 6, "reject") == 0) return 0;
  if (was == "overflow") {
    std::memset(buffer, 'x', kBufferSize);
    return 1;
  }
  std::string reply =
      "code=" + std::to_string(code) + ";path=" + (path ? path : "<null>") + ";was=" + was;
  reply.resize(std::min(reply.size(), kBufferSize - 1));
  std::memcpy(buffer, reply.c_str(), reply.size() + 1);
  return 1;
}
#endif

// Keeps the library a valid one when DllUv3Cap is left out.
FAKE_EXPORT int FakeDriverVersion() {
  return 1;
}
