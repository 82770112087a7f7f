// The toolchain command: which toolchain a build here would use, why, and
// whether it can run.
#include <string>

#include "host/commands.h"
#include "host/host_platform.h"
#include "host/toolchain_report.h"
#include "platform/fs.h"
#include "platform/path.h"

namespace c51::host {

int CommandToolchain(Session* session) {
  std::string option = session->command().Value("toolchain");
  if (!option.empty()) {
    option = FullPath(option);
    if (!IsDirectory(option)) {
      session->Error("--toolchain " + option + ": no such folder");
      return kExitUsage;
    }
  }
  ToolchainReport report;
  std::string err;
  if (!FindToolchain(ExecutableDirectory(), option, &report, &err)) {
    session->Error(err);
    return kExitUsage;
  }
  PrintText(stdout, FormatToolchainReport(report, CurrentDirectory()));
  if (!report.complete()) {
    std::string missing;
    for (const ToolStatus& tool : report.tools)
      if (tool.required && !tool.found) missing += (missing.empty() ? "" : ", ") + tool.name;
    session->Error("the toolchain lacks " + missing + "; a build cannot run");
    return kExitBuildFailed;
  }
  return kExitSuccess;
}

}  // namespace c51::host
