// A project on disk built through GetInterface: a fresh copy of the plug-in
// per test, the in-memory host, and the simulated toolchain found through
// the host's preference store stand-in.
#ifndef C51_TESTS_ENGINE_ENGINE_FIXTURE_H_
#define C51_TESTS_ENGINE_ENGINE_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entry/plugin_interface.h"
#include "support/fake_host.h"
#include "support/fs_path.h"
#include "support/temp_dir.h"

namespace c51::test {

// The folder of the simulated toolchain's programs beside the test program.
std::string SimToolBin();

// Copies the simulated toolchain (programs, INC, LIB) below `root`, leaving
// out the programs named in `omit`; the new BIN folder.
std::string CopyToolchain(const std::string& root, const std::vector<std::string>& omit);

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The project folder: the temporary folder itself unless a test calls
  // UseProjectFolder before anything else.
  void UseProjectFolder(const std::string& name);
  // Answers the preference store with a toolchain whose programs are in `bin`.
  void UseToolchain(const std::string& bin);

  // Writes a file below the project folder (folders made as needed).
  void Write(const std::string& relative, const std::string& text);
  std::string Read(const std::string& relative);
  bool Exists(const std::string& relative);
  // A "File" node with ".\" + `relative` as its path ("\" separators).
  ProjectNode* AddFile(ProjectNode* parent, const std::string& relative);
  ProjectNode* Files();
  // A "FileConfiguration"/"FilterConfiguration" for "Debug" with the pairs.
  ProjectNode* Configure(ProjectNode* node,
                         const std::vector<std::pair<const char*, const char*>>& keys);

  // Hands the context over and opens "Debug" (its defaults were written
  // when the test began).
  void Open();
  int Build(int rebuild_all = 0);

  // The kind-1 output lines since the last Clear.
  std::vector<std::string> Lines() const;
  // Lines starting with `prefix`.
  std::vector<std::string> LinesStartingWith(const std::string& prefix) const;
  bool HasLine(const std::string& line) const;
  void Clear() { host_.calls.clear(); }

  ScopedTempDir temp_;
  std::string project_;  // the project folder, ending in a separator
  PluginLibrary plugin_;
  PluginInterface* table_ = nullptr;
  FakeHost host_;
  ProjectNode* config_ = nullptr;
  bool had_path_ = false;
  std::string saved_path_;
};

}  // namespace c51::test

#endif  // C51_TESTS_ENGINE_ENGINE_FIXTURE_H_
