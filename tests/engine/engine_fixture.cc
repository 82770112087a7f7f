#include "engine/engine_fixture.h"

#include <chrono>
#include <filesystem>

#include "platform/codepage.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/path.h"
#include "project/node.h"

namespace c51::test {
namespace {

const char kSeparator = NativePathStyle() == PathStyle::kWindows ? '\\' : '/';

// Keeps the permissions: the programs must stay executable.
bool CopyFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  std::filesystem::copy_file(FsPath(from), FsPath(to),
                             std::filesystem::copy_options::overwrite_existing, ec);
  return !ec;
}

}  // namespace

std::string SimToolBin() {
  return ExecutableDirectory() + "simtool" + kSeparator + "C51" + kSeparator + "BIN" + kSeparator;
}

std::string CopyToolchain(const std::string& root, const std::vector<std::string>& omit) {
  const std::string from = ExecutableDirectory() + "simtool" + kSeparator + "C51" + kSeparator;
  const std::string to = root + "C51" + kSeparator;
  for (const char* folder : {"BIN", "INC", "LIB"}) CreateDirectories(to + folder);
  for (const char* tool : {"C51.exe", "A51.exe", "BL51.exe", "Lib51.exe", "OH51.exe"}) {
    bool skip = false;
    for (const std::string& name : omit) skip = skip || name == tool;
    if (!skip) CopyFile(from + "BIN" + kSeparator + tool, to + "BIN" + kSeparator + tool);
  }
  for (const char* header : {"REG51.H", "REG52.H"}) {
    CopyFile(from + "INC" + kSeparator + header, to + "INC" + kSeparator + header);
  }
  CopyFile(from + "LIB" + kSeparator + "C51S.LIB", to + "LIB" + kSeparator + "C51S.LIB");
  return to + "BIN" + kSeparator;
}

void EngineTest::SetUp() {
  ASSERT_FALSE(temp_.path().empty());
  project_ = temp_.path();
  had_path_ = GetEnv("PATH", &saved_path_);
  std::string err;
  ASSERT_TRUE(plugin_.Load(&err)) << err;
  table_ = plugin_.table();
  host_.Install(table_);
  host_.install_dir = ExecutableDirectory() + "fakehost";
  UseToolchain(SimToolBin());
  // The defaults first, so that a test's own keys override them.
  config_ = host_.AddConfiguration("Debug");
  host_.project_path = project_ + "proj.cvproj";
  table_->SetHostContext(host_.Context());
  table_->CreateDefaultConfiguration(config_);
  host_.calls.clear();
}

void EngineTest::TearDown() {
  UnsetEnv("FAKE_PREFERENCE_VALUE");
  // A failing test must not leave the next one without its PATH.
  if (had_path_) SetEnv("PATH", saved_path_);
}

void EngineTest::UseProjectFolder(const std::string& name) {
  project_ = temp_.path() + name + kSeparator;
  ASSERT_TRUE(CreateDirectories(project_));
}

void EngineTest::UseToolchain(const std::string& bin) {
  // Read by the stand-in store as it is: a local text, as a real store gives.
  SetEnvBytes("FAKE_PREFERENCE_VALUE", "C51|a|b|c|" + bin + "|e*");
}

void EngineTest::Write(const std::string& relative, const std::string& text) {
  const std::string path = project_ + relative;
  const size_t slash = path.find_last_of("\\/");
  CreateDirectories(path.substr(0, slash));
  std::string err;
  ASSERT_TRUE(WriteWholeFile(path, text, &err)) << err;
}

std::string EngineTest::Read(const std::string& relative) {
  std::string bytes, err;
  ReadWholeFile(project_ + relative, &bytes, &err);
  return bytes;
}

bool EngineTest::Exists(const std::string& relative) {
  return PathExists(project_ + relative);
}

ProjectNode* EngineTest::Files() {
  ProjectNode* files = FirstChildNamed(host_.root(), "Files");
  return files ? files : host_.Add(host_.root(), "Files");
}

ProjectNode* EngineTest::AddFile(ProjectNode* parent, const std::string& relative) {
  ProjectNode* file = host_.Add(parent, "File");
  std::string path = ".\\" + relative;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  host_.Set(file, "RelativePath", path.c_str());
  return file;
}

ProjectNode* EngineTest::Configure(ProjectNode* node,
                                   const std::vector<std::pair<const char*, const char*>>& keys) {
  const char* element =
      TextEquals(node->name, "File") ? "FileConfiguration" : "FilterConfiguration";
  ProjectNode* scope = host_.Add(node, element, "Debug");
  for (const auto& [key, value] : keys) host_.Set(scope, key, value);
  return scope;
}

void EngineTest::Open() {
  host_.project_path = project_ + "proj.cvproj";
  table_->SetHostContext(host_.Context());
  table_->OpenConfiguration(host_.root(), "Debug");
  Clear();
}

int EngineTest::Build(int rebuild_all) {
  Clear();
  return table_->BuildTarget(rebuild_all);
}

std::vector<std::string> EngineTest::Lines() const {
  std::vector<std::string> lines;
  for (const HostCall& call : host_.calls) {
    if (call.service == "Output" && call.args[1] == "1") lines.push_back(call.args[0]);
  }
  return lines;
}

std::vector<std::string> EngineTest::LinesStartingWith(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const std::string& line : Lines()) {
    if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
  }
  return lines;
}

bool EngineTest::HasLine(const std::string& line) const {
  for (const std::string& l : Lines()) {
    if (l == line) return true;
  }
  return false;
}

}  // namespace c51::test
