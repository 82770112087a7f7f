// The host's list window on POSIX is a datagram socket: one line, one
// datagram, so the receiver never has to find line boundaries.
#include "platform/list_window.h"

#include <string.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <string>

#include "platform/env.h"

namespace c51 {

long SendToListWindow(const char* data, size_t size) {
  std::string path;
  // The socket's name as the system holds it.
  if (!data || !GetEnvBytes("CORVANE_LISTWIN", &path) || path.empty()) return 0;
  sockaddr_un address;
  memset(&address, 0, sizeof address);
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return 0;
  memcpy(address.sun_path, path.data(), path.size());

  int fd = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  // MSG_DONTWAIT: a host that stopped reading loses lines rather than
  // stalling the build. MSG_NOSIGNAL: no SIGPIPE into the host process.
  ssize_t sent = sendto(fd, data, size, MSG_DONTWAIT | MSG_NOSIGNAL,
                        reinterpret_cast<const sockaddr*>(&address), sizeof address);
  close(fd);
  return sent >= 0 && static_cast<size_t>(sent) == size ? 1 : 0;
}

}  // namespace c51
