// Importing a large uVision 4 project against parsing the same file: the
// import's own cost (navigation, data copies, node writes) is the
// difference. Both load the file from disk, so both pay the same read.
//
// Project shape: 3 targets, each with the full option tree the import
// reads; the first target's Groups hold 20 groups, each with 10 nested
// groups of 100 files (20,000 files, a path each); the other targets carry
// one small group, which the import skips. The host is an in-memory one
// that builds detached nodes, as a real host's tree would be built.
//
//   build/<release>/bin/import_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <utility>

#include "import/uvproj_importer.h"
#include "markup/markup_doc.h"
#include "platform/fs.h"
#include "plugin/state.h"
#include "project/host_services.h"
#include "project/node.h"

namespace c51 {
namespace {

constexpr int kTargets = 3;
constexpr int kOuterGroups = 20;
constexpr int kInnerGroups = 10;
constexpr int kFilesPerGroup = 100;
constexpr int kFiles = kOuterGroups * kInnerGroups * kFilesPerGroup;

void Leaf(std::string* out, const char* name, const std::string& value) {
  // Appended piece by piece: GCC 12 warns falsely about chained operator+.
  out->append("<").append(name).append(">").append(value);
  out->append("</").append(name).append(">\r\n");
}

// "f" + 12 => "f12", built by appending (see Leaf).
std::string Numbered(const char* prefix, int number) {
  std::string text(prefix);
  text.append(std::to_string(number));
  return text;
}

std::string Files(int group, int count) {
  std::string out = "<Files>\r\n";
  for (int i = 0; i < count; ++i) {
    std::string name = Numbered("f", group);
    name.append(Numbered("_", i)).append(".c");
    out += "<File>\r\n";
    Leaf(&out, "FileName", name);
    Leaf(&out, "FileType", "1");
    std::string path = ".\\src\\g";
    path.append(std::to_string(group)).append("\\").append(name);
    Leaf(&out, "FilePath", path);
    out += "</File>\r\n";
  }
  return out + "</Files>\r\n";
}

std::string Target(int index) {
  std::string out = "<Target>\r\n";
  Leaf(&out, "TargetName", Numbered("T", index));
  out += "<TargetOption>\r\n<TargetCommonOption>\r\n";
  Leaf(&out, "CreateExecutable", "1");
  for (const char* user : {"BeforeCompile", "BeforeMake", "AfterMake"}) {
    out.append("<").append(user).append(">\r\n");
    Leaf(&out, "RunUserProg1", "0");
    Leaf(&out, "UserProg1Name", "");
    out.append("</").append(user).append(">\r\n");
  }
  out += "</TargetCommonOption>\r\n<Target51>\r\n<Target51Misc>\r\n";
  Leaf(&out, "useCB", "0");
  Leaf(&out, "cBanks", "0");
  out += "<OnChipMemories>\r\n<RCB>\r\n";
  Leaf(&out, "StartAddress", "0x0");
  Leaf(&out, "Size", "0xFFFF");
  out += "</RCB>\r\n</OnChipMemories>\r\n</Target51Misc>\r\n<C51>\r\n";
  for (const char* key :
       {"RegisterColoring", "VariablesInOrder", "IntegerPromotion", "uAregs", "UseInterruptVector",
        "Fuzzy", "Optimize", "WarningLevel", "SizeSpeed", "InterruptVectorAddress"})
    Leaf(&out, key, "1");
  std::string controls = "<VariousControls>\r\n";
  for (const char* key : {"MiscControls", "Define", "Undefine", "IncludePath"})
    Leaf(&controls, key, "");
  controls += "</VariousControls>\r\n";
  out += controls + "</C51>\r\n<Ax51>\r\n";
  for (const char* key : {"UseMpl", "UseStandard", "UseMod51"}) Leaf(&out, key, "0");
  out += controls + "</Ax51>\r\n<Lx51>\r\n";
  for (const char* key :
       {"UseMemoryFromTarget", "OverlayString", "MiscControls", "DisableWarningNumbers",
        "CodeBaseAddress", "XDataBaseAddress", "PDataBaseAddress", "BitBaseAddress",
        "DataBaseAddress", "IDataBaseAddress", "Precede", "Stack", "CodeSegmentName",
        "XDataSegmentName", "BitSegmentName", "DataSegmentName", "IDataSegmentName"})
    Leaf(&out, key, "0");
  out += "</Lx51>\r\n</Target51>\r\n</TargetOption>\r\n<Groups>\r\n";
  int outer_groups = index == 0 ? kOuterGroups : 1;
  for (int g = 0; g < outer_groups; ++g) {
    out += "<Group>\r\n";
    Leaf(&out, "GroupName", Numbered("G", g));
    for (int n = 0; index == 0 && n < kInnerGroups; ++n) {
      int number = g * kInnerGroups + n;
      out += "<Group>\r\n";
      Leaf(&out, "GroupName", Numbered("N", number));
      out.append(Files(number, kFilesPerGroup)).append("</Group>\r\n");
    }
    if (index != 0) out += Files(g, 3);
    out += "</Group>\r\n";
  }
  return out + "</Groups>\r\n</Target>\r\n";
}

std::string Project() {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n<Project>\r\n";
  Leaf(&out, "Header", "### uVision Project, (C) Keil Software");
  out += "<Targets>\r\n";
  for (int t = 0; t < kTargets; ++t) out += Target(t);
  return out + "</Targets>\r\n</Project>\r\n";
}

// Builds the tree in detached nodes, applying each update as a host does.
class MemoryHost final : public HostServices {
 public:
  void UpdateNode(ProjectNode* target, ProjectNode* detached) override {
    const NodeAttribute* head = &detached->attributes;
    for (const NodeAttribute* a = head->next; a != head; a = a->next)
      SetAttributeText(target, a->name.data, a->value.data);
  }
  ProjectNode* AddChild(ProjectNode* parent, const char* element, const char* name) override {
    NodePtr node = CreateDetachedNode(element);
    ProjectNode* raw = node.get();
    if (name) SetAttributeText(raw, "Name", name);
    AdoptChild(parent, std::move(node));
    return raw;
  }
  bool RunCommand(const char*, int*) override { return false; }
  void Output(const char*, int) override {}
  void TranslationDone() override {}
  void SetDriverSetting(const char*, const char*) override {}
  void DeviceChanged(void*) override {}
};

// The generated project on disk for the life of the process; its folder
// goes when the process ends.
struct GeneratedProject {
  GeneratedProject() : folder(MakeTempDirectory("import_bench")), path(folder + "Big.uvproj") {
    std::string err;
    if (!WriteWholeFile(path, Project(), &err)) std::fprintf(stderr, "%s\n", err.c_str());
  }
  ~GeneratedProject() { RemoveTree(folder); }
  std::string folder;
  std::string path;
};

const std::string& ProjectPath() {
  static const GeneratedProject project;
  return project.path;
}

void BM_LoadOnly(benchmark::State& state) {
  const std::string& path = ProjectPath();
  for (auto _ : state) {
    MarkupDoc doc;
    if (!doc.Load(path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(doc.next_free());
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_LoadOnly)->Unit(benchmark::kMillisecond);

void BM_Import(benchmark::State& state) {
  const std::string& path = ProjectPath();
  MemoryHost host;
  PluginState plugin;
  HeadlessInterface ui;
  plugin.host = &host;
  plugin.ui = &ui;
  for (auto _ : state) {
    state.PauseTiming();
    NodePtr root = CreateDetachedNode("CorvaneProject");
    state.ResumeTiming();
    UvprojImporter importer(&plugin, root.get(), path);
    std::string name;
    if (!importer.Import(&name)) state.SkipWithError("import failed");
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kFiles);
}
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace c51

BENCHMARK_MAIN();
