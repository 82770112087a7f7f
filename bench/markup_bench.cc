// Parse throughput of MarkupDoc (the parse that Load runs after reading the
// file) against pugixml's in-place parse (default flags) on the same bytes,
// with memchr over the buffer as the floor. Each measurement starts from a
// fresh copy of the document, made outside the timed region, and both
// parsers run their repetitions interleaved in random order (the default
// here); the summary at the end gives medians, their range and the ratios.
//
// Document shape, modelled on uVision project files (the test fixture
// tests/data/markup/project.uvproj has 398 elements in 17.7 KB, 44 bytes
// per element): CRLF lines, two-space indentation 4 to 16 levels deep, one
// element per line, about two thirds of them leaves holding short values
// ("0", "1", "0x8000", a path or a define). The file is a Project with a
// Header and Targets; every target carries the full option tree (common
// options, user commands, the C51/Ax51/Lx51 groups, on-chip memories,
// about 190 elements) and a Groups tree of 8 groups of 24 files (each
// File: name, type, path; every fourth one also a FileOption block; every
// other group name and some paths in GBK). Targets repeat until the wanted
// size is reached.
//
// By default freed memory stays in the process between repetitions, so
// both parsers run on warm allocator memory and the figures compare parsing;
// --cold_memory lets the C library return it, and each parse then also pays
// the page faults of fresh memory (a first Load in a new process does).
//
//   build/pd-release/bin/markup_bench [--cold_memory]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include <pugixml.hpp>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "markup/markup_doc.h"

namespace c51 {
namespace {

class Writer {
 public:
  Writer(std::string* out, int depth) : out_(*out), depth_(depth) {}
  void Open(const char* name) {
    Indent();
    out_ += '<';
    out_ += name;
    out_ += ">\r\n";
    ++depth_;
  }
  void Close(const char* name) {
    --depth_;
    Indent();
    out_ += "</";
    out_ += name;
    out_ += ">\r\n";
  }
  void Leaf(const char* name, const std::string& value) {
    Indent();
    out_ += '<';
    out_ += name;
    out_ += '>';
    out_ += value;
    out_ += "</";
    out_ += name;
    out_ += ">\r\n";
  }
  void Leaves(const std::vector<const char*>& names, int seed) {
    static const char* const kValues[] = {"0", "1", "0", "2", "0x8000", "0", "1", ""};
    for (size_t i = 0; i < names.size(); ++i) Leaf(names[i], kValues[(i + seed) % 8]);
  }

 private:
  void Indent() { out_.append(static_cast<size_t>(2 * depth_), ' '); }
  std::string& out_;
  int depth_;
};

const std::vector<const char*> kCommonOption = {"Device",
                                                "Vendor",
                                                "Cpu",
                                                "FlashUtilSpec",
                                                "StartupFile",
                                                "DeviceId",
                                                "OutputDirectory",
                                                "OutputName",
                                                "CreateExecutable",
                                                "CreateLib",
                                                "CreateHexFile",
                                                "DebugInformation",
                                                "BrowseInformation",
                                                "ListingPath",
                                                "HexFormatSelection",
                                                "Merge32K",
                                                "CreateBatchFile"};
const std::vector<const char*> kUserProgram = {"RunUserProg1",       "RunUserProg2",
                                               "UserProg1Name",      "UserProg2Name",
                                               "UserProg1Dos16Mode", "UserProg2Dos16Mode"};
const std::vector<const char*> kCommonProperty = {
    "UseCPPCompiler",        "RVCTCodeConst",  "RVCTZI",         "RVCTOtherData",
    "ModuleSelection",       "IncludeInBuild", "AlwaysBuild",    "GenerateAssemblyFile",
    "AssembleAssemblyFile",  "PublicsOnly",    "StopOnExitCode", "CustomArgument",
    "IncludeLibraryModules", "BankNo"};
const std::vector<const char*> kDllOption = {
    "SimDllName",    "SimDllArguments",    "SimDlgDll",    "SimDlgDllArguments",
    "TargetDllName", "TargetDllArguments", "TargetDlgDll", "TargetDlgDllArguments"};
const std::vector<const char*> kTarget51Misc = {"MemoryModel",
                                                "RTOS",
                                                "RomSize",
                                                "DataHold",
                                                "XDataHold",
                                                "UseOnchipRom",
                                                "UseOnchipArithmetic",
                                                "UseMultipleDPTR",
                                                "UseOnchipXram",
                                                "HadIRAM",
                                                "HadXRAM",
                                                "HadIROM",
                                                "Moda2",
                                                "Moddp2",
                                                "Modp2",
                                                "Mod510",
                                                "Mod320",
                                                "Modx32",
                                                "ModC812",
                                                "Mod517dp",
                                                "Mod517au",
                                                "Mode2",
                                                "useCB",
                                                "useXB",
                                                "useL251",
                                                "useA251",
                                                "Mx51",
                                                "ModC2",
                                                "ModH2",
                                                "Mdu_R515",
                                                "Mdu_F120",
                                                "Psoc",
                                                "hadIIC",
                                                "hadSPI",
                                                "hadSPI2",
                                                "ModAB2",
                                                "cBanks",
                                                "xBanks"};
const std::vector<const char*> kMemories = {"Ocm1", "Ocm2", "Ocm3", "Ocm4", "Ocm5", "Ocm6",
                                            "IRO",  "RCB",  "RXX",  "Ocr1", "Ocr2", "Ocr3"};
const std::vector<const char*> kMemory = {"Type", "StartAddress", "Size"};
const std::vector<const char*> kC51 = {
    "RegisterColoring", "VariablesInOrder",   "IntegerPromotion",
    "uAregs",           "UseInterruptVector", "Fuzzy",
    "Optimize",         "WarningLevel",       "SizeSpeed",
    "ObjectExtend",     "ACallAJmp",          "InterruptVectorAddress"};
const std::vector<const char*> kVariousControls = {"MiscControls", "Define", "Undefine",
                                                   "IncludePath"};
const std::vector<const char*> kAx51 = {"UseMpl", "UseStandard", "UseCase", "UseMod51"};
const std::vector<const char*> kLx51 = {"useFile",
                                        "linkonly",
                                        "UseMemoryFromTarget",
                                        "CaseSensitiveSymbols",
                                        "WarningLevel",
                                        "DataOverlaying",
                                        "OverlayString",
                                        "MiscControls",
                                        "DisableWarningNumbers",
                                        "LinkerCmdFile",
                                        "AssemblerCmdFile",
                                        "CodeBaseAddress",
                                        "XDataBaseAddress",
                                        "PDataBaseAddress",
                                        "BitBaseAddress",
                                        "DataBaseAddress",
                                        "IDataBaseAddress",
                                        "Precede",
                                        "Stack",
                                        "CodeSegmentName",
                                        "XDataSegmentName",
                                        "BitSegmentName",
                                        "DataSegmentName",
                                        "IDataSegmentName"};

void WriteTarget(Writer* w, int index) {
  w->Open("Target");
  w->Leaf("TargetName", "Target " + std::to_string(index));
  w->Leaf("ToolsetNumber", "0x0");
  w->Leaf("ToolsetName", "MCS-51");
  w->Open("TargetOption");
  w->Open("TargetCommonOption");
  w->Leaves(kCommonOption, index);
  for (const char* step : {"BeforeCompile", "BeforeMake", "AfterMake"}) {
    w->Open(step);
    w->Leaves(kUserProgram, index);
    w->Close(step);
  }
  w->Leaf("SelectedForBatchBuild", "0");
  w->Close("TargetCommonOption");
  w->Open("CommonProperty");
  w->Leaves(kCommonProperty, index);
  w->Close("CommonProperty");
  w->Open("DllOption");
  w->Leaves(kDllOption, index);
  w->Close("DllOption");
  w->Open("Target51");
  w->Open("Target51Misc");
  w->Leaves(kTarget51Misc, index);
  w->Open("OnChipMemories");
  for (const char* memory : kMemories) {
    w->Open(memory);
    w->Leaves(kMemory, index);
    w->Close(memory);
  }
  w->Close("OnChipMemories");
  w->Close("Target51Misc");
  for (const char* tool : {"C51", "Ax51"}) {
    w->Open(tool);
    w->Leaves(tool[0] == 'C' ? kC51 : kAx51, index);
    w->Open("VariousControls");
    w->Leaf("MiscControls", "");
    w->Leaf("Define", "DEBUG=1, BOARD_REV=2");
    w->Leaf("Undefine", "");
    w->Leaf("IncludePath", "..\\inc;.\\drivers;..\\common\\include");
    w->Close("VariousControls");
    w->Close(tool);
  }
  w->Open("Lx51");
  w->Leaves(kLx51, index);
  w->Close("Lx51");
  w->Close("Target51");
  w->Close("TargetOption");

  w->Open("Groups");
  for (int g = 0; g < 8; ++g) {
    w->Open("Group");
    // Every other group name in GBK ("source code").
    w->Leaf("GroupName",
            g % 2 ? "\xD4\xB4\xB4\xFA\xC2\xEB " + std::to_string(g) : "Group " + std::to_string(g));
    w->Open("Files");
    for (int f = 0; f < 24; ++f) {
      std::string name = "module_" + std::to_string(g) + "_" + std::to_string(f) + ".c";
      w->Open("File");
      w->Leaf("FileName", name);
      w->Leaf("FileType", "1");
      w->Leaf("FilePath", (f % 5 ? ".\\src\\" : ".\\src\\\xC7\xFD\xB6\xAF\\") + name);
      if (f % 4 == 0) {
        w->Open("FileOption");
        w->Open("CommonProperty");
        w->Leaves(kCommonProperty, f);
        w->Close("CommonProperty");
        w->Close("FileOption");
      }
      w->Close("File");
    }
    w->Close("Files");
    w->Close("Group");
  }
  w->Close("Groups");
  w->Close("Target");
}

std::string MakeProject(size_t size) {
  std::string out;
  out.reserve(size + (1 << 20));
  out +=
      "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\" ?>\r\n"
      "<Project xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
      "xsi:noNamespaceSchemaLocation=\"project_proj.xsd\">\r\n\r\n"
      "  <SchemaVersion>1.1</SchemaVersion>\r\n\r\n"
      "  <Header>### uVision Project, (C) Keil Software</Header>\r\n\r\n";
  Writer w(&out, 1);
  w.Open("Targets");
  for (int t = 0; out.size() < size; ++t) WriteTarget(&w, t);
  w.Close("Targets");
  out += "\r\n</Project>\r\n";
  return out;
}

const std::string& Project(int megabytes) {
  static std::map<int, std::string> cache;
  std::string& text = cache[megabytes];
  if (text.empty()) text = MakeProject(static_cast<size_t>(megabytes) << 20);
  return text;
}

void BM_MarkupDoc(benchmark::State& state) {
  const std::string& source = Project(static_cast<int>(state.range(0)));
  MarkupDoc doc;
  bool ok = true;
  for (auto _ : state) {
    state.PauseTiming();
    doc.AssignText();  // free the previous document outside the timing
    std::string text = source;
    state.ResumeTiming();
    ok = doc.AssignText(std::move(text)) && ok;
  }
  if (!ok) state.SkipWithError(doc.GetResultText().c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
  doc.AssignText(source);
  double elements = doc.next_free() - 1;
  state.counters["elements"] = elements;
  state.counters["table_B/elem"] = static_cast<double>(doc.table().allocated_bytes()) / elements;
}

void BM_Pugixml(benchmark::State& state) {
  const std::string& source = Project(static_cast<int>(state.range(0)));
  pugi::xml_document doc;
  bool ok = true;
  for (auto _ : state) {
    state.PauseTiming();
    doc.reset();
    std::string text = source;
    state.ResumeTiming();
    ok = doc.load_buffer_inplace(text.data(), text.size()) && ok;
    benchmark::DoNotOptimize(doc.first_child());
  }
  if (!ok) state.SkipWithError("pugixml parse failed");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

void BM_MemchrFloor(benchmark::State& state) {
  const std::string& source = Project(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    std::string text = source;
    state.ResumeTiming();
    benchmark::DoNotOptimize(std::memchr(text.data(), '\x01', text.size()));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.size()));
}

double Min(const std::vector<double>& v) {
  return *std::min_element(v.begin(), v.end());
}
double Max(const std::vector<double>& v) {
  return *std::max_element(v.begin(), v.end());
}

void Configure(benchmark::internal::Benchmark* b) {
  b->Arg(10)
      ->Arg(100)
      ->Unit(benchmark::kMillisecond)
      ->Repetitions(15)
      ->ReportAggregatesOnly(true)
      ->ComputeStatistics("min", Min)
      ->ComputeStatistics("max", Max)
      ->UseRealTime();
}

BENCHMARK(BM_MarkupDoc)->Apply(Configure);
BENCHMARK(BM_Pugixml)->Apply(Configure);
BENCHMARK(BM_MemchrFloor)->Apply(Configure);

// Prints the usual table, then per size the median throughput with its
// range for each contender and the ratios against pugixml.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate) continue;
      auto it = run.counters.find("bytes_per_second");
      if (it == run.counters.end()) continue;
      Row& row = rows_[run.run_name.function_name + "/" + run.run_name.args];
      double gbps = it->second.value / 1e9;
      if (run.aggregate_name == "median") row.median = gbps;
      if (run.aggregate_name == "min") row.low = gbps;
      if (run.aggregate_name == "max") row.high = gbps;
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nThroughput in GB/s (10^9 bytes): median [min, max]\n");
    for (const auto& [name, row] : rows_) {
      std::printf("  %-20s %6.2f [%.2f, %.2f]\n", name.c_str(), row.median, row.low, row.high);
    }
    for (const char* size : {"10", "100"}) {
      const Row& ours = rows_["BM_MarkupDoc/" + std::string(size)];
      const Row& peer = rows_["BM_Pugixml/" + std::string(size)];
      const Row& floor = rows_["BM_MemchrFloor/" + std::string(size)];
      if (ours.median > 0 && peer.median > 0) {
        std::printf("  %s MB: MarkupDoc / pugixml = %.2f, MarkupDoc / memchr = %.2f\n", size,
                    ours.median / peer.median, floor.median > 0 ? ours.median / floor.median : 0);
      }
    }
  }

 private:
  struct Row {
    double median = 0, low = 0, high = 0;
  };
  std::map<std::string, Row> rows_;
};

}  // namespace
}  // namespace c51

int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  auto cold = std::find_if(args.begin(), args.end(),
                           [](const char* a) { return std::strcmp(a, "--cold_memory") == 0; });
  if (cold != args.end()) {
    args.erase(cold);
  } else {
#if defined(__GLIBC__)
    // Keep freed memory: no trimming, and blocks up to 32 MiB from the heap.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
  }
  // Interleave the contenders' repetitions unless told otherwise.
  static char interleave[] = "--benchmark_enable_random_interleaving=true";
  args.insert(args.begin() + 1, interleave);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  c51::SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
