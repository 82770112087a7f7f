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
// Then hostile shapes of both formats, each putting nearly all of its
// bytes (--size_mb, 100 by default) into one construct: one group of
// millions of files, millions of groups, one target name of the whole
// size (plain, and as character references to a Chinese character). These
// once took time quadratic in their size, or a code page conversion per
// reference; the rows show seconds per import and MB/s.
//
//   build/<release>/bin/import_bench [--size_mb=N] [--benchmark_filter=Shape]
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "entry/import_entry.h"
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

// A target with the full option tree and `groups` inside its Groups.
std::string Target(const std::string& name, const std::string& groups) {
  std::string out = "<Target>\r\n";
  Leaf(&out, "TargetName", name);
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
  out += groups;
  return out + "</Groups>\r\n</Target>\r\n";
}

// The Groups of target `index`: the first one's nested tree, one small
// group for the others.
std::string NestedGroups(int index) {
  std::string out;
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
  return out;
}

std::string Project(const std::string& targets) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n<Project>\r\n";
  Leaf(&out, "Header", "### uVision Project, (C) Keil Software");
  out += "<Targets>\r\n";
  out += targets;
  return out + "</Targets>\r\n</Project>\r\n";
}

std::string Project() {
  std::string targets;
  for (int t = 0; t < kTargets; ++t) targets += Target(Numbered("T", t), NestedGroups(t));
  return Project(targets);
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
    if (!node) return nullptr;
    ProjectNode* raw = node.release();
    if (name) SetAttributeText(raw, "Name", name);
    // The last child sits in a link word, as in a real host: appending to a
    // group of millions of files must not walk them.
    auto* last = reinterpret_cast<ProjectNode*>(parent->reserved1);
    (last ? last->next_sibling : parent->first_child) = raw;
    parent->reserved1 = reinterpret_cast<uintptr_t>(raw);
    raw->parent = parent;
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

// ---- Hostile shapes ----

size_t g_shape_bytes = size_t{100} << 20;  // --size_mb
constexpr int kOptionTargets = 10000;

enum class Shape {
  kUv2OneGroup,             // "File" lines of one group
  kUv2ManyGroups,           // "Group" lines
  kUv2HugeTargetName,       // one "Target" line (cut to 255 characters on reading)
  kUv2OptionsOfLastTarget,  // 10,000 targets, then the last one's "Options" block
  kUvprojOneGroup,          // File elements of one group
  kUvprojManyGroups,        // Group elements, a file each
  kUvprojHugeTargetName,    // one TargetName of plain text
  kUvprojTargetNameOfRefs,  // one TargetName of "&#x4E2D;" references
  kUv2ManyTargets,          // "Target" lines, all past the first 10,000 left out
  kUvprojManyTargets,       // whole Target elements, likewise
  kShapeCount,
};

bool IsUv2(Shape shape) {
  return shape <= Shape::kUv2OptionsOfLastTarget || shape == Shape::kUv2ManyTargets;
}

// `unit(n)` appended for n = 0, 1, ... until `out` holds `bytes`.
template <typename Unit>
void FillTo(std::string* out, size_t bytes, const Unit& unit) {
  for (int n = 0; out->size() < bytes; ++n) out->append(unit(n));
}

constexpr char kUv2Head[] =
    "### uVision2 Project, (C) Keil Software\r\n### Do not modify !\r\n\r\n"
    "Target (Debug), 0x0000 // Tools: 'MCS-51'\r\n\r\n";

// The project text of `shape`, about `bytes` long. Lines and elements are
// those of the example projects, numbered so that no two are alike.
std::string ShapeText(Shape shape, size_t bytes) {
  std::string out;
  out.reserve(bytes + 4096);
  switch (shape) {
    case Shape::kUv2OneGroup:
      out = kUv2Head;
      out += "Group (Source)\r\n\r\n";
      FillTo(&out, bytes, [](int n) {
        std::string name = Numbered("file", n) + ".c";
        return "File 1,1,<.\\src\\" + name + "><" + name + ">\r\n";
      });
      return out;
    case Shape::kUv2ManyGroups:
      out = kUv2Head;
      FillTo(&out, bytes, [](int n) { return "Group (" + Numbered("Group ", n) + ")\r\n"; });
      return out + "File 1,1,<.\\src\\main.c><main.c>\r\n";
    case Shape::kUv2HugeTargetName:
      out = "### uVision2 Project, (C) Keil Software\r\nTarget (";
      out.append(bytes, 't');
      return out + "), 0x0000\r\n";
    case Shape::kUv2OptionsOfLastTarget:
      // Targets are few (each becomes a whole configuration); the option
      // lines, each once a walk over all of them, take the bytes.
      out = "### uVision2 Project, (C) Keil Software\r\n";
      for (int n = 0; n < kOptionTargets; ++n) out += "Target (" + Numbered("T", n) + ")\r\n";
      out += "Options " + std::to_string(kOptionTargets) + ",0,0\r\n";
      FillTo(&out, bytes, [](int n) { return " OutDir (" + Numbered(".\\out", n) + "\\)\r\n"; });
      return out + "EndOpt\r\n";
    case Shape::kUvprojOneGroup: {
      std::string files = "<Group>\r\n";
      Leaf(&files, "GroupName", "Source");
      files += "<Files>\r\n";
      FillTo(&files, bytes, [](int n) {
        std::string name = Numbered("file", n) + ".c", file = "<File>\r\n";
        Leaf(&file, "FileName", name);
        Leaf(&file, "FileType", "1");
        Leaf(&file, "FilePath", ".\\src\\" + name);
        return file + "</File>\r\n";
      });
      return Project(Target("Debug", files + "</Files>\r\n</Group>\r\n"));
    }
    case Shape::kUvprojManyGroups: {
      std::string groups;
      FillTo(&groups, bytes, [](int n) {
        std::string group = "<Group>\r\n";
        Leaf(&group, "GroupName", Numbered("Group ", n));
        return group + Files(n, 1) + "</Group>\r\n";
      });
      return Project(Target("Debug", groups));
    }
    case Shape::kUvprojHugeTargetName:
      return Project(Target(std::string(bytes, 't'), ""));
    case Shape::kUvprojTargetNameOfRefs: {
      std::string name;
      FillTo(&name, bytes, [](int) { return std::string("&#x4E2D;"); });
      return Project(Target(name, ""));
    }
    case Shape::kUv2ManyTargets:
      out = "### uVision2 Project, (C) Keil Software\r\n";
      FillTo(&out, bytes, [](int n) {
        return "Target (" + Numbered("T", n) + "), 0x0000 // Tools: 'MCS-51'\r\n";
      });
      return out;
    case Shape::kUvprojManyTargets: {
      std::string targets;
      FillTo(&targets, bytes, [](int n) { return Target(Numbered("T", n), ""); });
      return Project(targets);
    }
    case Shape::kShapeCount:
      break;
  }
  return out;
}

// The shapes' files, written on first use and removed when the process
// ends: a project and, for uVision 2, an options file making target 1
// current.
class ShapeFiles {
 public:
  ShapeFiles() : folder_(MakeTempDirectory("import_shapes")) {}
  ~ShapeFiles() { RemoveTree(folder_); }

  // The project's path; `*bytes` the size of what the import reads.
  std::string Get(Shape shape, size_t* bytes) {
    Entry& entry = entries_[static_cast<size_t>(shape)];
    if (entry.path.empty()) {
      bool uv2 = IsUv2(shape);
      std::string base = folder_ + Numbered("shape", static_cast<int>(shape));
      std::string text = ShapeText(shape, g_shape_bytes), err;
      entry.bytes = text.size();
      entry.path = base + (uv2 ? ".uv2" : ".uvproj");
      if (!WriteWholeFile(entry.path, text, &err)) std::fprintf(stderr, "%s\n", err.c_str());
      if (uv2) {
        // The first target is current; for kUv2OptionsOfLastTarget the
        // last, as no line is marked.
        std::string options = "### uVision2 Project, (C) Keil Software\r\n";
        if (shape == Shape::kUv2OptionsOfLastTarget) {
          for (int n = 0; n < kOptionTargets; ++n) options += " OPTFL 1,4,0\r\n";
        } else {
          options += " OPTFL 1,4,1\r\n";
        }
        entry.bytes += options.size();
        if (!WriteWholeFile(base + ".opt", options, &err))
          std::fprintf(stderr, "%s\n", err.c_str());
      }
    }
    *bytes = entry.bytes;
    return entry.path;
  }

 private:
  struct Entry {
    std::string path;
    size_t bytes = 0;
  };
  std::string folder_;
  Entry entries_[static_cast<size_t>(Shape::kShapeCount)];
};

void BM_ImportShape(benchmark::State& state, Shape shape) {
  static ShapeFiles files;
  size_t bytes = 0;
  const std::string path = files.Get(shape, &bytes);
  MemoryHost host;
  PluginState plugin;
  HeadlessInterface ui;
  plugin.host = &host;
  plugin.ui = &ui;
  for (auto _ : state) {
    state.PauseTiming();
    NodePtr root = CreateDetachedNode("CorvaneProject");
    state.ResumeTiming();
    if (!ImportProject(&plugin, root.get(), path.c_str())) state.SkipWithError("import failed");
    state.PauseTiming();
    root.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["MB"] = static_cast<double>(bytes) / (1 << 20);
}
BENCHMARK_CAPTURE(BM_ImportShape, Uv2OneGroup, Shape::kUv2OneGroup)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, Uv2ManyGroups, Shape::kUv2ManyGroups)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, Uv2HugeTargetName, Shape::kUv2HugeTargetName)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, Uv2OptionsOfLastTarget, Shape::kUv2OptionsOfLastTarget)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, UvprojOneGroup, Shape::kUvprojOneGroup)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, UvprojManyGroups, Shape::kUvprojManyGroups)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, UvprojHugeTargetName, Shape::kUvprojHugeTargetName)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, UvprojTargetNameOfRefs, Shape::kUvprojTargetNameOfRefs)
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, Uv2ManyTargets, Shape::kUv2ManyTargets)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_ImportShape, UvprojManyTargets, Shape::kUvprojManyTargets)
    ->Unit(benchmark::kSecond);

}  // namespace
}  // namespace c51

int main(int argc, char** argv) {
  // --size_mb=N sizes the hostile shapes; a quick run takes a few MB.
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    constexpr char kSize[] = "--size_mb=";
    if (std::strncmp(argv[i], kSize, sizeof kSize - 1) == 0) {
      double mb = std::atof(argv[i] + sizeof kSize - 1);
      if (mb > 0) c51::g_shape_bytes = static_cast<size_t>(mb * (1 << 20));
    } else {
      args.push_back(argv[i]);
    }
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
