// Helpers shared by the build tests: a host double that records output and
// command runs, and the way to the child_tool program built beside them.
#ifndef C51_TESTS_BUILD_BUILD_TEST_SUPPORT_H_
#define C51_TESTS_BUILD_BUILD_TEST_SUPPORT_H_

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/fs.h"
#include "project/host_services.h"

namespace c51::test {

// Records Output and RunCommand; RunCommand answers from `run_answers`
// (first to last; success with code 0 once they are used up).
class FakeHostServices : public HostServices {
 public:
  struct Answer {
    bool ok;
    int exit_code;
  };

  void UpdateNode(ProjectNode*, ProjectNode*) override {}
  ProjectNode* AddChild(ProjectNode*, const char*, const char*) override { return nullptr; }
  bool RunCommand(const char* command_line, int* exit_code) override {
    commands.push_back(command_line);
    Answer answer{true, 0};
    if (!run_answers.empty()) {
      answer = run_answers.front();
      run_answers.pop_front();
    }
    *exit_code = answer.exit_code;
    return answer.ok;
  }
  void Output(const char* text, int kind) override { outputs.emplace_back(text, kind); }
  void TranslationDone() override {}
  void SetDriverSetting(const char*, const char*) override {}
  void DeviceChanged(void*) override {}

  std::vector<std::pair<std::string, int>> outputs;  // text, kind
  std::vector<std::string> commands;
  std::deque<Answer> run_answers;
};

// The child_tool program next to the test program.
inline std::string ChildToolPath() {
  return ExecutableDirectory() + C51_CHILD_TOOL_NAME;
}

inline std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// A command line that runs child_tool with `actions`.
inline std::string ChildCommand(const std::string& actions) {
  return Quoted(ChildToolPath()) + " " + actions;
}

}  // namespace c51::test

#endif  // C51_TESTS_BUILD_BUILD_TEST_SUPPORT_H_
