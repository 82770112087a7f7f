// Resolving and building the compiler control string for one file of a
// large project. The build does this once per C file, so the cost must
// grow with the file's depth, not with the size of the project.
//
// Shape: 100 groups nested one in another, 100 files in each (10,000
// files). Every group stores compiler options (a define, an include path,
// a level); every tenth file has options of its own. Real projects are far
// shallower (a few levels, tens of files per group); this is the worst case
// the build must still handle quickly. Hosts append a group's
// configuration when it is first stored, usually after the files, so the
// "late" variant puts it last among the group's children and every lookup
// on the way out scans a whole group; "early" puts it first.
#include <benchmark/benchmark.h>

#include <string>
#include <utility>
#include <vector>

#include "options/c51_control_string.h"
#include "options/option_inputs.h"
#include "project/node.h"
#include "project/scopes.h"

namespace c51 {
namespace {

constexpr int kDepth = 100;
constexpr int kFilesPerGroup = 100;

ProjectNode* Add(ProjectNode* parent, const char* element, const char* name = nullptr) {
  NodePtr node = CreateDetachedNode(element);
  ProjectNode* raw = node.get();
  if (name != nullptr) SetAttributeText(raw, "Name", name);
  AdoptChild(parent, std::move(node));
  return raw;
}

ProjectNode* AddC51Tool(ProjectNode* owner, const char* element, const std::string& define,
                        const std::string& include, int flags) {
  ProjectNode* tool = Add(Add(owner, element, "Debug"), "Tool", "C51Tool");
  SetAttributeInt(tool, "C51FL", flags);
  SetAttributeText(tool, "C51DEF", define.c_str());
  SetAttributeText(tool, "INCC5", include.c_str());
  return tool;
}

struct Project {
  NodePtr root;
  ConfigurationRef ref;
  std::vector<const ProjectNode*> files;  // outermost group first
};

Project MakeProject(bool configuration_last) {
  Project project;
  project.root = CreateDetachedNode("CorvaneProject");
  ProjectNode* config = Add(Add(project.root.get(), "Configurations"), "Configuration", "Debug");
  SetAttributeText(config, "MemMode", "2");
  ProjectNode* tool = Add(config, "Tool", "C51Tool");
  SetAttributeText(tool, "C51FL", "4853008");
  SetAttributeText(tool, "C51DEF", "PROJ=1");
  SetAttributeText(tool, "INCC5", "C:\\inc");
  project.ref.root = project.root.get();
  project.ref.name = "Debug";

  ProjectNode* parent = Add(project.root.get(), "Files");
  std::string path;
  for (int g = 0; g < kDepth; ++g) {
    std::string name = "g";
    name += std::to_string(g);
    std::string define = "G";
    define += name;
    ProjectNode* group = Add(parent, "Filter", name.c_str());
    path += name;
    path += '\\';
    // Each group sets a level of its own; the emphasis stays inherited.
    const int flags = 9347754 - ((g % 10) << 14);
    if (!configuration_last) AddC51Tool(group, "FilterConfiguration", define, name, flags);
    for (int f = 0; f < kFilesPerGroup; ++f) {
      std::string file_path = path;
      file_path += 'f';
      file_path += std::to_string(f);
      file_path += ".c";
      ProjectNode* file = Add(group, "File");
      SetAttributeText(file, "RelativePath", file_path.c_str());
      if (f % 10 == 0) AddC51Tool(file, "FileConfiguration", "OWN", "", 9347754);
      project.files.push_back(file);
    }
    if (configuration_last) AddC51Tool(group, "FilterConfiguration", define, name, flags);
    parent = group;
  }
  return project;
}

// Built once per placement; every benchmark run reads the same tree.
const Project& SharedProject(bool configuration_last) {
  static const Project early = MakeProject(false);
  static const Project late = MakeProject(true);
  return configuration_last ? late : early;
}

BuildInputs InputsFor(const Project& project) {
  BuildInputs inputs;
  inputs.configuration = const_cast<ConfigurationRef*>(&project.ref);
  inputs.listing[0] = 1;
  inputs.listing_dir = ".\\Debug\\";
  inputs.object_dir = ".\\Debug\\";
  inputs.output_name = "demo";
  return inputs;
}

// One file after another, all 10,000: the average cost per file of a
// full build's compiler strings. Arg: 1 = group configuration last.
void BM_C51ControlStringPerFile(benchmark::State& state) {
  const Project& project = SharedProject(state.range(0) != 0);
  const BuildInputs inputs = InputsFor(project);
  size_t next = 0;
  for (auto _ : state) {
    std::string text = BuildC51ControlString(project.files[next], inputs);
    benchmark::DoNotOptimize(text);
    next = next + 1 == project.files.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_C51ControlStringPerFile)->Arg(0)->Arg(1);

// The file with the most ancestors: the worst single file.
void BM_C51ControlStringDeepestFile(benchmark::State& state) {
  const Project& project = SharedProject(state.range(0) != 0);
  const BuildInputs inputs = InputsFor(project);
  const ProjectNode* file = project.files.back();
  for (auto _ : state) {
    std::string text = BuildC51ControlString(file, inputs);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_C51ControlStringDeepestFile)->Arg(0)->Arg(1);

// Floor: only finding each ancestor's group configuration, the lookups
// the resolution cannot avoid.
void BM_AncestorLookupsDeepestFile(benchmark::State& state) {
  const Project& project = SharedProject(state.range(0) != 0);
  ConfigurationRef ref = project.ref;
  const ProjectNode* file = project.files.back();
  for (auto _ : state) {
    int found = 0;
    for (const ProjectNode* up = file->parent; up != nullptr; up = up->parent) {
      found += FindGroupConfiguration(up, &ref) != nullptr;
    }
    benchmark::DoNotOptimize(found);
  }
}
BENCHMARK(BM_AncestorLookupsDeepestFile)->Arg(0)->Arg(1);

}  // namespace
}  // namespace c51

BENCHMARK_MAIN();
