// An up-to-date build through the plug-in's BuildTarget against ninja's
// no-op build of the same tree, timed in one process, interleaved.
//
// The tree: N C files (default 10,000), each including K (10) of H (200)
// headers picked at random, in groups of 100 files; an object per source
// that begins with a dependency record naming its source and headers by
// absolute path, followed by 3 KB of module text (small objects of an 8051
// project run from 1 to 10 KB, so the reader must not take them whole);
// the linked program and its hex file. For ninja the same sources, headers and objects with
// a build.ninja of one edge per object (deps = gcc), built once so that
// .ninja_deps holds every object's headers; its no-op run then reads the
// manifest and the deps log and stats every input and output.
//
// The plug-in side is BuildTarget(0) alone: the host keeps its project tree
// in memory, as an IDE does. A floor shows what the file system costs at
// the least: a stat of each source and an open/read/close of each object's
// head, with the 200 headers stat'ed once; and what stats alone would cost.
//
// With --host, whole processes instead, as a user runs them: the command
// line host's `corvane-c51 build` of the tree's bench.cvproj (it loads the
// plug-in, reads the project file, opens the configuration and builds),
// ninja's no-op and `make -q` over a Makefile that includes the same
// dependency files, alternated round by round. The host's first build
// translates every file with the stand-in (minutes: 10,000 processes).
//
// Usage: uptodate_bench --ninja <path> [--files N] [--headers H]
//                       [--per-file K] [--runs R] [--keep] [--dir D]
//                       [--other-case] [--host <corvane-c51> --make <make>]
// --keep leaves the tree in place; --dir D measures a kept tree again.
// --other-case names every source in the project and every header in the
// records in upper case while the disk holds them in lower case, as
// projects made on Windows often do (the tree must be made with it).
// --windows-names has the records name every header as a Windows compiler
// under wine does, "Z:\TMP\C51BENCH...\INC\H001.H", with a wine prefix in
// the tree whose drive Z: is the root (bench/uptodate_windows_names.sh
// compares it with the same build with POSIX names).
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "entry/plugin_interface.h"
#include "platform/dynamic_library.h"
#include "platform/env.h"
#include "platform/fs.h"
#include "platform/input_file.h"
#include "platform/process.h"
#include "plugin/host_context.h"
#include "project/node.h"

namespace c51 {
namespace {

struct Options {
  int files = 10000;
  int headers = 200;
  int per_file = 10;
  int runs = 15;
  std::string ninja;
  bool keep = false;
  bool other_case = false;
  bool windows_names = false;
  std::string host;  // corvane-c51: time whole processes
  std::string make;  // make, for the whole-process comparison
  std::string dir;   // a tree kept by an earlier run with the same sizes; "" makes a new one
};

bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--keep") {
      options->keep = true;
    } else if (arg == "--other-case") {
      options->other_case = true;
    } else if (arg == "--windows-names") {
      options->windows_names = true;
    } else if (arg == "--dir" && has_value) {
      options->dir = argv[++i];
    } else if (arg == "--host" && has_value) {
      options->host = argv[++i];
    } else if (arg == "--make" && has_value) {
      options->make = argv[++i];
    } else if (arg == "--ninja" && has_value) {
      options->ninja = argv[++i];
    } else if (arg == "--files" && has_value) {
      options->files = std::atoi(argv[++i]);
    } else if (arg == "--headers" && has_value) {
      options->headers = std::atoi(argv[++i]);
    } else if (arg == "--per-file" && has_value) {
      options->per_file = std::atoi(argv[++i]);
    } else if (arg == "--runs" && has_value) {
      options->runs = std::atoi(argv[++i]);
    } else {
      return false;
    }
  }
  return !options->ninja.empty() && options->files > 0 && options->headers > 0 &&
         options->per_file > 0 && options->per_file <= options->headers && options->runs > 0;
}

// `prefix` + `value` with at least `width` digits: ("f", 7, 3) => "f007".
std::string Numbered(const char* prefix, int value, int width) {
  const std::string digits = std::to_string(value);
  std::string text = prefix;
  if (width > static_cast<int>(digits.size())) text.append(width - digits.size(), '0');
  text += digits;
  return text;
}

// The record the compiler puts in front of an object.
std::string DependencyRecord(const std::string& source, const std::vector<std::string>& headers) {
  std::string body =
      "\x03"
      "C51";
  auto entry = [&body](int type, const std::string& name) {
    body += static_cast<char>(type);
    body += std::string(5, '\0');
    body += static_cast<char>(name.size());
    body += name;
  };
  entry(1, source);
  for (const std::string& header : headers) entry(2, header);
  std::string record = "\x70";
  record += static_cast<char>(body.size() & 0xFF);
  record += static_cast<char>(body.size() >> 8);
  record += '\xFF';
  return record + body;
}

bool Write(const std::string& path, const std::string& text) {
  std::string err;
  if (WriteWholeFile(path, text, &err)) return true;
  std::fprintf(stderr, "%s\n", err.c_str());
  return false;
}

struct Tree {
  std::string dir;  // ends in "/"
  std::vector<std::string> sources;
  std::vector<std::string> objects;
  std::vector<std::string> headers;
  std::vector<std::string> recorded_headers;  // as the objects' records name them
};

// The name after the tree's folder in upper case: "/t/inc/h001.h" => "/t/INC/H001.H".
std::string UpperAfter(const std::string& dir, const std::string& path) {
  std::string out = path;
  for (size_t i = dir.size(); i < out.size(); ++i) {
    if (out[i] >= 'a' && out[i] <= 'z') out[i] = static_cast<char>(out[i] - 'a' + 'A');
  }
  return out;
}

// `path` as a Windows compiler under wine records it: "/t/inc/h001.h" =>
// "Z:\T\INC\H001.H".
std::string WindowsName(const std::string& path) {
  std::string out = "Z:";
  for (char c : path) {
    out += c == '/' ? '\\' : c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  return out;
}

// The names MakeTree writes.
void NameTree(const Options& options, Tree* tree) {
  for (int h = 0; h < options.headers; ++h) {
    tree->headers.push_back(tree->dir + "inc/" + Numbered("h", h, 3) + ".h");
    tree->recorded_headers.push_back(options.windows_names ? WindowsName(tree->headers.back())
                                     : options.other_case
                                         ? UpperAfter(tree->dir, tree->headers.back())
                                         : tree->headers.back());
  }
  for (int i = 0; i < options.files; ++i) {
    const std::string name = Numbered("f", i, 5);
    tree->sources.push_back(tree->dir + "src/" + name + ".c");
    tree->objects.push_back(tree->dir + "Debug/" + name + ".obj");
  }
}

// The path a project's "File" holds for source `i`.
std::string ProjectSourcePath(const Options& options, int i) {
  return Numbered(options.other_case ? ".\\SRC\\F" : ".\\src\\f", i, 5) +
         (options.other_case ? ".C" : ".c");
}

// The project file of the host's side: what MakeProject builds in memory.
std::string ProjectFileText(const Options& options) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<CorvaneProject Name=\"bench\" ActiveConfiguration=\"Debug\">\n"
      "  <Configurations>\n"
      "    <Configuration Name=\"Debug\" OutputName=\"bench\" />\n"
      "  </Configurations>\n"
      "  <Files>\n";
  for (int i = 0; i < options.files; ++i) {
    if (i % 100 == 0) {
      if (i > 0) text += "    </Filter>\n";
      text += "    <Filter Name=\"" + Numbered("g", i / 100, 1) + "\">\n";
    }
    text += "      <File RelativePath=\"" + ProjectSourcePath(options, i) + "\" />\n";
  }
  return text + "    </Filter>\n  </Files>\n</CorvaneProject>\n";
}

// make's side: every object named, its dependencies from the same files
// ninja's first build read.
std::string MakefileText(const Options& options) {
  std::string objects, includes;
  for (int i = 0; i < options.files; ++i) {
    const std::string name = Numbered("f", i, 5);
    objects += " \\\n  Debug/" + name + ".obj";
    includes += " \\\n  deps/" + name + ".d";
  }
  // Without make's built-in rules, which would look for ways to make every
  // source and header from version control files.
  return "MAKEFLAGS += --no-builtin-rules\n.SUFFIXES:\n.PHONY: all\nall:" + objects +
         "\n\nDebug/%.obj: src/%.c\n\tcp stash/$*.obj $@\n\ninclude" + includes + "\n";
}

bool MakeTree(const Options& options, Tree* tree) {
  for (const char* folder : {"src", "inc", "Debug", "deps", "stash", "C51/BIN"}) {
    if (!CreateDirectories(tree->dir + folder)) return false;
  }
  // Every tool is the stand-in (uptodate_bench_tool.cc), which the first
  // build of the plug-in runs to record the commands.
  std::string tool_program;
  if (ReadWholeFile(ExecutableDirectory() + "uptodate_bench_tool", &tool_program, nullptr) !=
      ReadStatus::kOkay) {
    std::fprintf(stderr, "uptodate_bench_tool is missing beside the benchmark\n");
    return false;
  }
  for (const char* tool : {"C51.exe", "A51.exe", "BL51.exe", "Lib51.exe", "OH51.exe"}) {
    const std::string path = tree->dir + "C51/BIN/" + tool;
    if (!Write(path, tool_program) || chmod(path.c_str(), 0755) != 0) return false;
  }
  for (int h = 0; h < options.headers; ++h) {
    if (!Write(tree->headers[h], Numbered("#define H", h, 1) + "\n")) return false;
  }
  std::string manifest = "rule cc\n  command = cp $dep $out.d\n  depfile = $out.d\n  deps = gcc\n";
  uint32_t seed = 12345;
  auto random = [&seed](int below) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(below));
  };
  const std::string module(3072, 'm');
  std::vector<std::vector<std::string>> includes(options.files);
  for (int i = 0; i < options.files; ++i) {
    const std::string name = Numbered("f", i, 5);
    std::vector<int> picked;
    while (static_cast<int>(picked.size()) < options.per_file) {
      int h = random(options.headers);
      if (std::find(picked.begin(), picked.end(), h) == picked.end()) picked.push_back(h);
    }
    std::string text, depfile = "Debug/" + name + ".obj: src/" + name + ".c";
    for (int h : picked) {
      const std::string header = Numbered("h", h, 3) + ".h";
      text += "#include \"../inc/" + header + "\"\n";
      depfile += " inc/" + header;
      includes[i].push_back(tree->recorded_headers[h]);
    }
    if (!Write(tree->sources[i], text + "int " + name + ";\n")) return false;
    if (!Write(tree->dir + "deps/" + name + ".d", depfile + "\n")) return false;
    manifest +=
        "build Debug/" + name + ".obj: cc src/" + name + ".c\n  dep = deps/" + name + ".d\n";
  }
  // Objects after every source and header: all of them up to date.
  for (int i = 0; i < options.files; ++i) {
    const std::string object = DependencyRecord(tree->sources[i], includes[i]) + module;
    if (!Write(tree->objects[i], object)) return false;
    if (!Write(tree->dir + "stash/" + Numbered("f", i, 5) + ".obj", object)) return false;
  }
  if (!Write(tree->dir + "Debug/bench", "SIMABS 1\nEND\n")) return false;
  // The hex file after the program, as a build leaves them.
  if (!Write(tree->dir + "Debug/bench.hex", ":00000001FF\n")) return false;
  return Write(tree->dir + "build.ninja", manifest) &&
         Write(tree->dir + "bench.cvproj", ProjectFileText(options)) &&
         Write(tree->dir + "Makefile", MakefileText(options));
}

// ---- A host of the least kind: the tree in memory, output counted ----

int g_lines = 0;
int g_tool_lines = 0;  // "compiling", "assembling", "linking": none expected

void C51_CDECL HostOutput(const char* text, int) {
  ++g_lines;
  for (const char* start : {"compiling ", "assembling ", "linking"}) {
    if (std::strncmp(text, start, std::strlen(start)) == 0) ++g_tool_lines;
  }
}

int C51_CDECL HostRunCommand(const char*, int, int, int, int* exit_code) {
  *exit_code = 0;
  return 1;
}

ProjectNode* Add(ProjectNode* parent, const char* element, const char* name = nullptr) {
  NodePtr node = CreateDetachedNode(element);
  ProjectNode* raw = node.get();
  if (name != nullptr) SetAttributeText(raw, "Name", name);
  AdoptChild(parent, std::move(node));
  return raw;
}

NodePtr MakeProject(const Options& options) {
  NodePtr root = CreateDetachedNode("CorvaneProject");
  SetAttributeText(root.get(), "Name", "bench");
  ProjectNode* config = Add(Add(root.get(), "Configurations"), "Configuration", "Debug");
  SetAttributeText(config, "OutputName", "bench");
  ProjectNode* files = Add(root.get(), "Files");
  ProjectNode* group = nullptr;
  // Groups of 100 files, as sources are usually kept by module.
  for (int i = 0; i < options.files; ++i) {
    if (i % 100 == 0) group = Add(files, "Filter", Numbered("g", i / 100, 1).c_str());
    SetAttributeText(Add(group, "File"), "RelativePath", ProjectSourcePath(options, i).c_str());
  }
  return root;
}

// ---- Timing ----

double Milliseconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

struct Series {
  const char* name;
  std::vector<double> ms;

  double Median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    const size_t n = sorted.size();
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
  }
  void Print() const {
    std::printf("%-36s median %8.1f ms   range %8.1f .. %8.1f ms\n", name, Median(),
                *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()));
  }
};

// The least the file system work can cost.
double Floor(const Tree& tree) {
  const auto start = std::chrono::steady_clock::now();
  int64_t sum = 0;
  for (const std::string& header : tree.headers) sum += ModificationTime(header);
  char buffer[4096];
  for (size_t i = 0; i < tree.sources.size(); ++i) {
    sum += ModificationTime(tree.sources[i]);
    InputFile object;
    if (object.Open(tree.objects[i]) == InputFile::Status::kOkay) {
      sum += object.ModificationTime();
      sum += static_cast<int64_t>(object.Read(buffer, sizeof buffer));
    }
  }
  const double ms = Milliseconds(std::chrono::steady_clock::now() - start);
  return sum == 0 ? -1 : ms;
}

// What the times alone cost: a stat of each source and each object, as a
// build that kept the records from one run to the next would need.
double StatFloor(const Tree& tree) {
  const auto start = std::chrono::steady_clock::now();
  int64_t sum = 0;
  for (const std::string& header : tree.headers) sum += ModificationTime(header);
  for (size_t i = 0; i < tree.sources.size(); ++i) {
    sum += ModificationTime(tree.sources[i]) - ModificationTime(tree.objects[i]);
  }
  const double ms = Milliseconds(std::chrono::steady_clock::now() - start);
  return sum == 0 ? -1 : ms;
}

std::string Quote(const std::string& text) {
  return "\"" + text + "\"";
}

// The processor time (user + system) the waited-for children used so far:
// on a shared machine the wall time also counts the time a process waited
// for a processor.
double ChildrenCpuMilliseconds() {
  struct rusage usage;
  if (getrusage(RUSAGE_CHILDREN, &usage) != 0) return 0;
  auto ms = [](const struct timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Whole processes: the host's build, ninja's no-op and make -q, each run
// once per round in that order.
int RunProcesses(const Options& options, const Tree& tree, bool first) {
  const std::string host = Quote(options.host) + " --toolchain " + Quote(tree.dir + "C51") +
                           " build -p " + Quote(tree.dir + "bench.cvproj");
  const std::string ninja_command = Quote(options.ninja) + " -C " + Quote(tree.dir);
  const std::string make = Quote(options.make) + " -q -C " + Quote(tree.dir);
  if (first) {
    std::printf("first host build (translates every file with the stand-in) ...\n");
    std::fflush(stdout);
    ProcessResult built = RunProcess(host, "");
    if (built.status != ProcessStatus::kExited || built.exit_code != 0) {
      std::fprintf(stderr, "the host's first build failed:\n%s%s\n", built.out.c_str(),
                   built.err.c_str());
      return 1;
    }
    std::printf("first ninja build (fills .ninja_deps) ...\n");
    std::fflush(stdout);
    built = RunProcess(ninja_command, "");
    if (built.status != ProcessStatus::kExited || built.exit_code != 0) {
      std::fprintf(stderr, "ninja failed:\n%s%s\n", built.out.c_str(), built.err.c_str());
      return 1;
    }
  }
  Series plugin{"corvane-c51 build (process)", {}};
  Series ninja{"ninja no-op (process)", {}};
  Series make_q{"make -q (process)", {}};
  Series plugin_cpu{"corvane-c51 build (processor time)", {}};
  Series ninja_cpu{"ninja no-op (processor time)", {}};
  Series make_cpu{"make -q (processor time)", {}};
  for (int run = 0; run < options.runs; ++run) {
    double cpu = ChildrenCpuMilliseconds();
    auto start = std::chrono::steady_clock::now();
    ProcessResult result = RunProcess(host, "");
    plugin.ms.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    plugin_cpu.ms.push_back(ChildrenCpuMilliseconds() - cpu);
    if (result.status != ProcessStatus::kExited || result.exit_code != 0 ||
        result.out.find("compiling ") != std::string::npos ||
        result.out.find("linking") != std::string::npos) {
      std::fprintf(stderr, "the host's build was not a no-op:\n%s%s\n", result.out.c_str(),
                   result.err.c_str());
      return 1;
    }
    cpu = ChildrenCpuMilliseconds();
    start = std::chrono::steady_clock::now();
    result = RunProcess(ninja_command, "");
    ninja.ms.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    ninja_cpu.ms.push_back(ChildrenCpuMilliseconds() - cpu);
    if (result.out.find("no work to do") == std::string::npos) {
      std::fprintf(stderr, "ninja's build was not a no-op:\n%s\n", result.out.c_str());
      return 1;
    }
    cpu = ChildrenCpuMilliseconds();
    start = std::chrono::steady_clock::now();
    result = RunProcess(make, "");
    make_q.ms.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    make_cpu.ms.push_back(ChildrenCpuMilliseconds() - cpu);
    if (result.status != ProcessStatus::kExited || result.exit_code != 0) {
      std::fprintf(stderr, "make -q says the tree is not up to date:\n%s%s\n", result.out.c_str(),
                   result.err.c_str());
      return 1;
    }
  }
  plugin.Print();
  ninja.Print();
  make_q.Print();
  plugin_cpu.Print();
  ninja_cpu.Print();
  make_cpu.Print();
  std::printf("ratio corvane-c51 / ninja (medians): %.2f (target: at most 0.50)\n",
              plugin.Median() / ninja.Median());
  std::printf("ratio corvane-c51 / ninja (processor time medians): %.2f\n",
              plugin_cpu.Median() / ninja_cpu.Median());
  std::printf("ratio corvane-c51 / make -q (medians): %.2f\n", plugin.Median() / make_q.Median());
  return 0;
}

int Run(const Options& options) {
  Tree tree;
  const bool reuse = !options.dir.empty();
  tree.dir = reuse ? options.dir : MakeTempDirectory("c51bench");
  if (tree.dir.empty()) return 1;
  if (tree.dir.back() != '/') tree.dir += '/';
  NameTree(options, &tree);
  if (!reuse) {
    std::printf("generating %d sources, %d headers, %d includes each in %s\n", options.files,
                options.headers, options.per_file, tree.dir.c_str());
    if (!MakeTree(options, &tree)) return 1;
  }

  if (!options.host.empty()) {
    const int status = RunProcesses(options, tree, !reuse);
    if (status == 0 && !options.keep && !reuse) RemoveTree(tree.dir);
    return status;
  }

  DynamicLibrary library;
  std::string err;
  if (!library.Open(ExecutableDirectory() + "libc51plugin.so", &err)) {
    std::fprintf(stderr, "%s\n", err.c_str());
    return 1;
  }
  auto get_interface = reinterpret_cast<GetInterfaceFunction>(
      reinterpret_cast<uintptr_t>(library.Symbol("GetInterface")));
  PluginInterface* table = get_interface();
  table->HostOutput = HostOutput;
  table->HostRunCommand = HostRunCommand;
  // The toolchain through the file association's stand-in: <dir>C51/BIN/.
  SetEnv("UV2FILE_OPEN_COMMAND", "\"" + tree.dir + "UV4/Uv4.exe\"");
  if (options.windows_names) {
    // The drives the recorded names are on.
    const std::string prefix = tree.dir + "wineprefix";
    CreateDirectories(prefix + "/dosdevices");
    if (symlink("/", (prefix + "/dosdevices/z:").c_str()) != 0 && errno != EEXIST) {
      std::fprintf(stderr, "cannot link drive Z: in %s\n", prefix.c_str());
      return 1;
    }
    SetEnv("WINEPREFIX", prefix);
    // A name that found nothing would be skipped, and time nothing.
    if (!PathExists(tree.recorded_headers.back())) {
      std::fprintf(stderr, "%s names no file\n", tree.recorded_headers.back().c_str());
      return 1;
    }
  }
  const std::string project_path = tree.dir + "bench.cvproj";
  HostContext context{};
  context.project_path = project_path.c_str();
  table->SetHostContext(&context);
  NodePtr root = MakeProject(options);
  table->OpenConfiguration(root.get(), "Debug");

  if (!reuse) {
    // The first build translates everything (no record of its commands yet)
    // with the stand-in, which puts back the objects made above.
    std::printf("first plug-in build (records the commands) ...\n");
    std::fflush(stdout);
    if (table->BuildTarget(0) != 1) {
      std::fprintf(stderr, "the plug-in's first build failed\n");
      return 1;
    }
    std::printf("first ninja build (fills .ninja_deps) ...\n");
    std::fflush(stdout);
    ProcessResult first = RunProcess("\"" + options.ninja + "\" -C \"" + tree.dir + "\"", "");
    if (first.status != ProcessStatus::kExited || first.exit_code != 0) {
      std::fprintf(stderr, "ninja failed:\n%s%s\n", first.out.c_str(), first.err.c_str());
      return 1;
    }
  }

  Series plugin{options.windows_names ? "plug-in BuildTarget (Windows names)"
                : options.other_case  ? "plug-in BuildTarget (other case)"
                                      : "plug-in BuildTarget (up to date)",
                {}};
  Series ninja{"ninja no-op (process)", {}};
  Series floor{"floor: stat + object head reads", {}};
  Series stat_floor{"stats only (no record reads)", {}};
  for (int run = 0; run < options.runs; ++run) {
    g_lines = g_tool_lines = 0;
    auto start = std::chrono::steady_clock::now();
    const int built = table->BuildTarget(0);
    plugin.ms.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    if (built != 1 || g_tool_lines != 0 || g_lines != 2) {
      std::fprintf(stderr, "the plug-in's build was not a no-op (result %d, %d lines)\n", built,
                   g_lines);
      return 1;
    }
    start = std::chrono::steady_clock::now();
    ProcessResult noop = RunProcess("\"" + options.ninja + "\" -C \"" + tree.dir + "\"", "");
    ninja.ms.push_back(Milliseconds(std::chrono::steady_clock::now() - start));
    if (noop.out.find("no work to do") == std::string::npos) {
      std::fprintf(stderr, "ninja's build was not a no-op:\n%s\n", noop.out.c_str());
      return 1;
    }
    floor.ms.push_back(Floor(tree));
    stat_floor.ms.push_back(StatFloor(tree));
  }
  plugin.Print();
  ninja.Print();
  floor.Print();
  stat_floor.Print();
  std::printf("ratio plug-in / ninja (medians): %.2f (target: at most 0.50)\n",
              plugin.Median() / ninja.Median());
  if (!options.keep && !reuse) RemoveTree(tree.dir);
  return 0;
}

}  // namespace
}  // namespace c51

int main(int argc, char** argv) {
  c51::Options options;
  if (!c51::ParseOptions(argc, argv, &options)) {
    std::fprintf(stderr,
                 "usage: uptodate_bench --ninja <path> [--files N] [--headers H] [--per-file K] "
                 "[--runs R] [--keep] [--dir D] [--other-case] [--windows-names] "
                 "[--host <corvane-c51> --make <make>]\n");
    return 2;
  }
  return c51::Run(options);
}
