// The debug option record in the project file: its initial values, a round
// trip through the file, old and damaged elements, and no change to a tree
// that already holds the record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/debug_options.h"
#include "host/host_tree.h"
#include "host/project_file.h"

namespace c51::host {
namespace {

std::string Words(const DebugOptionRecord& r) {
  return std::to_string(r.use_simulator) + "," + std::to_string(r.driver_index) + "," +
         std::to_string(r.sim_load_app) + "," + std::to_string(r.sim_run_to_main) + "," +
         std::to_string(r.hw_load_app) + "," + std::to_string(r.hw_run_to_main) + ",(" +
         DriverText(r) + ")";
}

// The record read from a project document.
DebugOptionRecord FromDocument(const std::string& xml) {
  HostTree tree;
  std::string err;
  EXPECT_EQ(ParseProject(xml, DefaultXmlBackend(), &tree, &err), LoadStatus::kOkay) << err;
  return ReadDebugOptions(tree.root());
}

TEST(DebugOptionsTest, ANewProjectStartsWithTheInitialRecord) {
  EXPECT_EQ(Words(InitialDebugRecord()), "1,-1,1,1,1,0,()");
  HostTree tree;
  tree.NewRoot("CorvaneProject");
  EXPECT_EQ(Words(ReadDebugOptions(tree.root())), "1,-1,1,1,1,0,()");
}

TEST(DebugOptionsTest, KeepsTheRecordThroughTheProjectFile) {
  DebugOptionRecord record = InitialDebugRecord();
  record.use_simulator = 0;
  record.driver_index = 2;
  record.sim_run_to_main = 0;
  record.hw_run_to_main = 1;
  const std::string driver = "BIN\\MON51.DLL \"quoted\" <&>";
  std::memcpy(record.driver_text, driver.c_str(), driver.size() + 1);
  std::strcpy(record.output_path, "C:\\not\\a\\setting\\");

  HostTree tree;
  tree.NewRoot("CorvaneProject");
  StoreDebugOptions(&tree, record);
  std::string xml, err;
  ASSERT_TRUE(SerializeProject(tree.root(), DefaultXmlBackend(), &xml, &err)) << err;
  EXPECT_NE(xml.find("<DebugOptions Version=\"1\" UseSimulator=\"0\" DriverIndex=\"2\" "
                     "SimulatorLoad=\"1\" SimulatorRunToMain=\"0\" EmulatorLoad=\"1\" "
                     "EmulatorRunToMain=\"1\" Driver=\"BIN\\MON51.DLL &quot;quoted&quot; "
                     "&lt;&amp;"),
            std::string::npos)
      << xml;
  const DebugOptionRecord loaded = FromDocument(xml);
  EXPECT_EQ(Words(loaded), "0,2,1,0,1,1,(" + driver + ")");
  EXPECT_TRUE(SameDebugOptions(loaded, record));
  EXPECT_STREQ(loaded.output_path, "");
}

TEST(DebugOptionsTest, ReadsOldAndDamagedElementsFieldByField) {
  struct Case {
    const char* element;
    const char* words;
  } cases[] = {
      // A project file from before the record was kept.
      {"", "1,-1,1,1,1,0,()"},
      {"<DebugOptions Version=\"1\" UseSimulator=\"0\"/>", "0,-1,1,1,1,0,()"},
      {"<DebugOptions UseSimulator=\"x\" DriverIndex=\"99999999999\" SimulatorLoad=\"0\"/>",
       "1,-1,0,1,1,0,()"},
      {"<DebugOptions DriverIndex=\"-7\" EmulatorRunToMain=\" 1\" Driver=\"d.dll\"/>",
       "1,-7,1,1,1,0,(d.dll)"},
      // A later version's element: the fields this one knows.
      {"<DebugOptions Version=\"2\" EmulatorLoad=\"0\" Extra=\"1\"/>", "1,-1,1,1,0,0,()"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.element);
    EXPECT_EQ(Words(FromDocument(std::string("<CorvaneProject Name=\"p\">") + c.element +
                                 "</CorvaneProject>")),
              c.words);
  }
  // A driver text longer than its field is cut, still terminated.
  const DebugOptionRecord long_driver = FromDocument(
      "<CorvaneProject><DebugOptions Driver=\"" + std::string(3000, 'x') + "\"/></CorvaneProject>");
  EXPECT_EQ(DriverText(long_driver), std::string(2047, 'x'));
}

TEST(DebugOptionsTest, StoringTheSameRecordChangesNothing) {
  HostTree tree;
  tree.NewRoot("CorvaneProject");
  DebugOptionRecord record = InitialDebugRecord();
  StoreDebugOptions(&tree, record);
  EXPECT_TRUE(tree.modified());
  tree.set_modified(false);
  StoreDebugOptions(&tree, record);
  EXPECT_FALSE(tree.modified());
  record.hw_load_app = 0;
  EXPECT_FALSE(SameDebugOptions(record, ReadDebugOptions(tree.root())));
  StoreDebugOptions(&tree, record);
  EXPECT_TRUE(tree.modified());
  EXPECT_TRUE(SameDebugOptions(record, ReadDebugOptions(tree.root())));
}

}  // namespace
}  // namespace c51::host
