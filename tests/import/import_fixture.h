// Imports driven through GetInterface: a fresh plug-in per test, the
// in-memory host, fixtures staged in a temporary folder under the names a
// test needs, and (on POSIX) a stand-in for the host's list window that
// collects the failed-check lines.
#ifndef C51_TESTS_IMPORT_IMPORT_FIXTURE_H_
#define C51_TESTS_IMPORT_IMPORT_FIXTURE_H_

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "entry/plugin_interface.h"
#include "support/fake_host.h"
#include "support/temp_dir.h"

namespace c51::test {

// tests/data/import as copied beside the test program.
std::string ImportFixture(const std::string& name);

// A failed check as the list window received it.
struct CheckLine {
  int line = 0;      // the importer's source line; 0 when the line did not parse
  std::string text;  // the check text
};

class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Copies fixtures into the temporary folder: {fixture, new name}. The
  // path of the first copy.
  std::string Stage(const std::vector<std::pair<std::string, std::string>>& copies);
  // Writes `contents` to `name` in the temporary folder; its path.
  std::string Write(const std::string& name, const std::string& contents);
  // Slot 4 with the host's root; the returned text, or "<null>".
  std::string Import(const std::string& path);
  // The lines the list window received since the last call, in order.
  // Empty where the window cannot be stood in for (Windows).
  std::vector<CheckLine> Checks();
  // Check texts alone.
  std::vector<std::string> CheckTexts();

  // The child elements of `node` named `element`, in order.
  static std::vector<ProjectNode*> Children(const ProjectNode* node, const char* element);
  // Element names with "Name" or "RelativePath", indented by depth: the
  // shape of a "Files" tree.
  static std::string Shape(const ProjectNode* node, int depth = 0);

  ScopedTempDir temp_;
  PluginLibrary plugin_;
  PluginInterface* table_ = nullptr;
  FakeHost host_;
  intptr_t last_result_ = 0;

 private:
  int listener_ = -1;
  bool had_listwin_ = false;
  std::string saved_listwin_;
};

}  // namespace c51::test

#endif  // C51_TESTS_IMPORT_IMPORT_FIXTURE_H_
