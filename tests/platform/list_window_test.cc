#include "platform/list_window.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "platform/env.h"
#include "support/temp_dir.h"

namespace c51 {
namespace {

const char kLine[] = "main.c(12): error C141: syntax error";

#ifdef _WIN32
std::string g_received;

LRESULT CALLBACK ListWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COPYDATA) {
    auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lparam);
    g_received.assign(static_cast<const char*>(data->lpData), data->cbData);
    return data->dwData == 0 ? 5 : 6;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

// A hidden top-level window of the dialog class with the host's title.
// Its procedure is replaced after creation: the dialog class's own needs a
// dialog template. SendMessage within one thread calls it directly.
TEST(ListWindowTest, DeliversCopyData) {
  EXPECT_EQ(0, SendToListWindow(kLine, sizeof kLine));  // nobody listening
  HWND window = CreateWindowExA(0, "#32770", "ListWin", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  if (!window) GTEST_SKIP() << "no display driver to create windows with";
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ListWindowProc));
  g_received.clear();
  EXPECT_EQ(5, SendToListWindow(kLine, sizeof kLine));
  EXPECT_EQ(std::string(kLine, sizeof kLine), g_received);
  DestroyWindow(window);
}
#else
TEST(ListWindowTest, DeliversOneDatagram) {
  test::ScopedTempDir dir("c51lw");
  ASSERT_FALSE(dir.path().empty());
  std::string path = dir.path() + "listwin.sock";
  int fd = socket(AF_UNIX, SOCK_DGRAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address = {};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  ASSERT_EQ(0, bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address));

  ASSERT_TRUE(SetEnv("CORVANE_LISTWIN", path));
  EXPECT_EQ(1, SendToListWindow(kLine, sizeof kLine));
  EXPECT_EQ(1, SendToListWindow("second", 7));
  char buffer[256];
  ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
  ASSERT_EQ(static_cast<ssize_t>(sizeof kLine), n);  // the NUL travels too
  EXPECT_EQ(0, std::memcmp(kLine, buffer, sizeof kLine));
  n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
  ASSERT_EQ(7, n);
  EXPECT_STREQ("second", buffer);
  close(fd);

  // The socket file is left behind with nobody bound: the line is lost.
  EXPECT_EQ(0, SendToListWindow(kLine, sizeof kLine));
  ASSERT_TRUE(SetEnv("CORVANE_LISTWIN", dir.path() + "missing.sock"));
  EXPECT_EQ(0, SendToListWindow(kLine, sizeof kLine));
  ASSERT_TRUE(UnsetEnv("CORVANE_LISTWIN"));
  EXPECT_EQ(0, SendToListWindow(kLine, sizeof kLine));
}
#endif

}  // namespace
}  // namespace c51
