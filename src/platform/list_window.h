// Delivery of one diagnostic line to the host's list window.
#ifndef C51_PLATFORM_LIST_WINDOW_H_
#define C51_PLATFORM_LIST_WINDOW_H_

#include <cstddef>

namespace c51 {

// Sends `size` bytes at `data` (a text and its terminating NUL) to the
// host's list window and returns the receiver's answer, or 0 when nobody
// listens (the line is then lost without any error).
//
// Windows: the top-level window of class "#32770" titled "ListWin" receives
// WM_COPYDATA (identifier 0) through SendMessage.
// POSIX: the environment variable CORVANE_LISTWIN names a datagram socket
// (AF_UNIX, SOCK_DGRAM) that the host has bound; the bytes go out as one
// datagram and the answer is 1. A variable that is unset or names no bound
// socket gives 0.
long SendToListWindow(const char* data, size_t size);

}  // namespace c51

#endif  // C51_PLATFORM_LIST_WINDOW_H_
