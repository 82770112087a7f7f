// Calling conventions of the binary contract with the host. On 32-bit
// Windows the host's compiler calls member functions with __thiscall and
// plain functions with __cdecl; everywhere else the platform's C convention
// is the only one.
#ifndef C51_PROJECT_ABI_H_
#define C51_PROJECT_ABI_H_

#if defined(_WIN32) && defined(__i386__)
#define C51_CDECL __attribute__((cdecl))
#define C51_THISCALL __attribute__((thiscall))
#else
#define C51_CDECL
#define C51_THISCALL
#endif

// True when the layouts are the 32-bit ones the host was written for.
#define C51_ABI_32 (__SIZEOF_POINTER__ == 4)

#endif  // C51_PROJECT_ABI_H_
