set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(C51_OBJDUMP i686-w64-mingw32-objdump)
# No emulator: this kernel cannot run 32-bit programs. Only the export check runs.
# Line tables only: full debug information of the Windows objects made their
# compiles a third slower and their files five times larger, and a
# backtrace's functions and lines need no more.
set(CMAKE_C_FLAGS_RELWITHDEBINFO_INIT "-O2 -g1 -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELWITHDEBINFO_INIT "-O2 -g1 -DNDEBUG")
