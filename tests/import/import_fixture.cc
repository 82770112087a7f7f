#include "import_fixture.h"

#include <cstdlib>

#include "platform/env.h"
#include "platform/fs.h"

#if !defined(_WIN32)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#endif

namespace c51::test {
namespace {

// The POSIX host's list window address.
constexpr const char* kListWin = "CORVANE_LISTWIN";

#if !defined(_WIN32)
constexpr const char kPrefix[] = "import_assert failed : line ";

CheckLine ParseCheck(const std::string& received) {
  CheckLine check;
  std::string line = received.substr(0, received.find('\0'));
  if (line.rfind(kPrefix, 0) != 0) {
    check.text = line;
    return check;
  }
  size_t comma = line.find(", ", sizeof kPrefix - 1);
  if (comma == std::string::npos) return check;
  check.line = std::atoi(line.substr(sizeof kPrefix - 1, comma).c_str());
  check.text = line.substr(comma + 2);
  return check;
}
#endif

}  // namespace

std::string ImportFixture(const std::string& name) {
  return ExecutableDirectory() + "import_data/" + name;
}

void ImportTest::SetUp() {
  ASSERT_FALSE(temp_.path().empty());
  std::string err;
  ASSERT_TRUE(plugin_.Load(&err)) << err;
  table_ = plugin_.table();
  host_.Install(table_);
  host_.project_path = "C:\\work\\blinky\\Blinky.cvproj";
  host_.clock = 24.0;
  table_->SetHostContext(host_.Context());
  had_listwin_ = GetEnv(kListWin, &saved_listwin_);
#if !defined(_WIN32)
  std::string path = temp_.path() + "listwin";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
  listener_ = socket(AF_UNIX, SOCK_DGRAM, 0);
  ASSERT_GE(listener_, 0);
  ASSERT_EQ(bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  SetEnv(kListWin, path);
#else
  UnsetEnv(kListWin);
#endif
}

void ImportTest::TearDown() {
#if !defined(_WIN32)
  if (listener_ >= 0) close(listener_);
#endif
  had_listwin_ ? (void)SetEnv(kListWin, saved_listwin_) : (void)UnsetEnv(kListWin);
}

std::string ImportTest::Stage(const std::vector<std::pair<std::string, std::string>>& copies) {
  std::string first;
  for (const auto& [fixture, name] : copies) {
    std::string contents, err;
    EXPECT_EQ(ReadWholeFile(ImportFixture(fixture), &contents, &err), ReadStatus::kOkay) << err;
    EXPECT_TRUE(WriteWholeFile(temp_.path() + name, contents, &err)) << err;
    if (first.empty()) first = temp_.path() + name;
  }
  return first;
}

std::string ImportTest::Write(const std::string& name, const std::string& contents) {
  std::string err;
  EXPECT_TRUE(WriteWholeFile(temp_.path() + name, contents, &err)) << err;
  return temp_.path() + name;
}

std::string ImportTest::Import(const std::string& path) {
  last_result_ = table_->ImportProject(host_.root(), path.c_str());
  return last_result_ ? std::string(reinterpret_cast<const char*>(last_result_)) : "<null>";
}

std::vector<CheckLine> ImportTest::Checks() {
  std::vector<CheckLine> checks;
#if !defined(_WIN32)
  // Every line was sent before the import returned, so no receive waits.
  char buffer[2048];
  for (;;) {
    ssize_t size = recv(listener_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (size < 0) break;
    checks.push_back(ParseCheck(std::string(buffer, static_cast<size_t>(size))));
  }
#endif
  return checks;
}

std::vector<std::string> ImportTest::CheckTexts() {
  std::vector<std::string> texts;
  for (const CheckLine& check : Checks()) texts.push_back(check.text);
  return texts;
}

std::vector<ProjectNode*> ImportTest::Children(const ProjectNode* node, const char* element) {
  std::vector<ProjectNode*> found;
  if (!node) return found;
  for (ProjectNode* child = node->first_child; child; child = child->next_sibling)
    if (std::string(NodeName(child)) == element) found.push_back(child);
  return found;
}

std::string ImportTest::Shape(const ProjectNode* node, int depth) {
  std::string out(static_cast<size_t>(depth) * 2, ' ');
  out += NodeName(node);
  for (const char* key : {"Name", "RelativePath"}) {
    const char* value = GetAttributeText(node, key);
    if (value) out += std::string(" ") + key + "=" + value;
  }
  out += "\n";
  for (const ProjectNode* child = node->first_child; child; child = child->next_sibling)
    out += Shape(child, depth + 1);
  return out;
}

}  // namespace c51::test
