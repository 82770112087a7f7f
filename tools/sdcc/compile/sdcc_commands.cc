#include "sdcc/compile/sdcc_commands.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/codepage.h"
#include "sdcc/cache_folder.h"
#include "sdcc/run_program.h"
#include "sim/files.h"

namespace c51::sdcc {

namespace {

// Separates the key from the commands in a cache file; no key line is this.
constexpr std::string_view kArrow = "=>\n";

// Everything the learned lines depend on, one item a line: the program,
// which build of it, the variables sdcc reads its folders from, and the
// options. Empty when the lines cannot be kept: a relative program path
// (sdcc derives its include folders from it, so they would depend on the
// current folder), a program that cannot be examined, or a text that
// would break the line format.
std::string CacheKey(const std::string& sdcc, const std::vector<std::string>& options) {
  const std::string identity = FileIdentity(sdcc);
  if (sdcc.empty() || sdcc[0] != '/' || identity.empty()) return std::string();
  std::string key = "c51sdcc commands 1\nprogram " + sdcc + "\nbuild " + identity + "\n";
  for (const char* name : {"SDCC_HOME", "SDCC_INCLUDE"}) {
    const char* value = std::getenv(name);
    key += std::string("env ") + name + (value != nullptr ? "=" + std::string(value) : " unset");
    key += '\n';
  }
  for (const std::string& option : options) key += "option " + option + "\n";
  const size_t lines = static_cast<size_t>(std::count(key.begin(), key.end(), '\n'));
  return lines == 5 + options.size() ? key : std::string();
}

// The cache file's name; the file repeats the key.
std::string CacheFileName(const std::string& key) {
  return HashedCacheName("sdcc", key);
}

// A command in a cache file: the number of words, then each on a line.
void FormatCommand(const ProgramCommand& command, std::string* contents) {
  *contents += std::to_string(1 + command.args.size()) + "\n" + command.program + "\n";
  for (const std::string& arg : command.args) *contents += arg + "\n";
}

// The next line of `contents` from `*pos`; false at the end.
bool NextLine(const std::string& contents, size_t* pos, std::string* line) {
  const size_t end = contents.find('\n', *pos);
  if (end == std::string::npos) return false;
  line->assign(contents, *pos, end - *pos);
  *pos = end + 1;
  return true;
}

bool ParseCommand(const std::string& contents, size_t* pos, ProgramCommand* command) {
  std::string line;
  if (!NextLine(contents, pos, &line)) return false;
  char* end = nullptr;
  const unsigned long count = std::strtoul(line.c_str(), &end, 10);
  if (line.empty() || *end != '\0' || count == 0 || count > contents.size()) return false;
  if (!NextLine(contents, pos, &command->program) || command->program.empty() ||
      command->program[0] != '/') {
    return false;
  }
  command->args.resize(count - 1);
  for (std::string& arg : command->args) {
    if (!NextLine(contents, pos, &arg)) return false;
  }
  return true;
}

// The key, "=>", then the two commands, or "none" when sdcc's lines for
// these options cannot be used; anything else (a file cut short, another
// key with the same hash) is not taken.
constexpr std::string_view kNone = "none\n";

bool ParseCacheFile(const std::string& contents, const std::string& key, SdccCommands* commands) {
  if (contents.compare(0, key.size(), key) != 0 ||
      contents.compare(key.size(), kArrow.size(), kArrow) != 0) {
    return false;
  }
  size_t pos = key.size() + kArrow.size();
  if (contents.compare(pos, std::string::npos, kNone) == 0) {
    *commands = SdccCommands();
    return true;
  }
  return ParseCommand(contents, &pos, &commands->preprocess) &&
         ParseCommand(contents, &pos, &commands->assemble) && pos == contents.size();
}

std::string FormatCacheFile(const std::string& key, const SdccCommands& commands) {
  std::string contents = key + std::string(kArrow);
  if (!commands.known()) return contents + std::string(kNone);
  FormatCommand(commands.preprocess, &contents);
  FormatCommand(commands.assemble, &contents);
  return contents;
}

// The command "sdcc -V" printed as `line`, whose last words must be the
// files `tail` names; false when it is not so.
bool TakeCommand(std::string_view line, const std::vector<std::string>& tail,
                 ProgramCommand* command) {
  std::vector<std::string> words;
  if (!SplitVerboseCommand(line, &words) || words.size() <= tail.size() || words[0][0] != '/' ||
      !std::equal(tail.begin(), tail.end(), words.end() - static_cast<long>(tail.size()))) {
    return false;
  }
  command->program = words[0];
  command->args.assign(words.begin() + 1, words.end() - static_cast<long>(tail.size()));
  return true;
}

enum class Learned {
  kKnown,
  kUnusable,  // sdcc ran but its lines cannot be used for these options
  kNotNow,    // the probe could not be run
};

// Runs "sdcc <options> -c -V probe.c -o probe.rel" on a declaration and
// takes the two lines it prints, the preprocessor's and the assembler's.
// Anything else sdcc says (a warning about these options) would be lost
// without sdcc's driver, so then the lines are unusable.
Learned Learn(const std::string& sdcc, const std::vector<std::string>& options,
              const TempFolder& temp, SdccCommands* commands) {
  std::string err;
  if (!sim::WriteFile(temp.path() + "probe.c", "char c51_probe;\n", &err)) return Learned::kNotNow;
  const std::string source = temp.native() + "probe.c";
  const std::string object = temp.native() + "probe.rel";
  const std::string assembly = temp.native() + "probe.asm";
  std::vector<std::string> args = options;
  args.insert(args.end(), {"-c", "-V", source, "-o", object});
  std::string printed;
  const ProgramRun run = RunProgramKeepingOutput(sdcc, args, &printed);
  if (!run.started) return Learned::kNotNow;
  const size_t first_end = printed.find('\n') + 1;
  if (run.exit_code != 0 || !run.output.empty() || first_end == 0 ||
      !TakeCommand(std::string_view(printed).substr(0, first_end), {source},
                   &commands->preprocess) ||
      !TakeCommand(std::string_view(printed).substr(first_end), {object, assembly},
                   &commands->assemble)) {
    return Learned::kUnusable;
  }
  // Our definitions and folders pass through unchanged; one that does not
  // would mean the line was not split as sdcc escaped it.
  const std::vector<std::string>& words = commands->preprocess.args;
  for (const std::string& option : options) {
    const bool passed = option.compare(0, 2, "-D") != 0 && option.compare(0, 2, "-I") != 0;
    if (!passed && std::find(words.begin(), words.end(), option) == words.end()) {
      return Learned::kUnusable;
    }
  }
  return Learned::kKnown;
}

}  // namespace

bool SplitVerboseCommand(std::string_view printed, std::vector<std::string>* words) {
  words->clear();
  if (printed.size() < 3 || printed.compare(0, 2, "+ ") != 0 || printed.back() != '\n' ||
      printed.find('\n') != printed.size() - 1) {
    return false;
  }
  const std::string_view line = printed.substr(2, printed.size() - 3);
  std::string word;
  bool in_word = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == ' ') {
      if (in_word) words->push_back(std::move(word));
      word.clear();
      in_word = false;
      continue;
    }
    // Quotes and other shell syntax would need a shell to read them; sdcc
    // writes none, so a line with any is not taken.
    if (c == '"' || c == '\'' || c == '\t' || c == '$' || c == '`') return false;
    if (c == '\\') {
      if (++i == line.size()) return false;
      word += line[i];
    } else {
      word += c;
    }
    in_word = true;
  }
  if (in_word) words->push_back(std::move(word));
  return !words->empty();
}

SdccCommands FindSdccCommands(const std::string& sdcc, const std::vector<std::string>& options,
                              const TempFolder& temp) {
  const std::string key = CacheKey(sdcc, options);
  // Without a place to keep them, learning the lines costs more than it
  // saves.
  const std::string folder = key.empty() ? std::string() : CacheFolder();
  if (folder.empty()) return SdccCommands();
  const std::string name = CacheFileName(key);
  SdccCommands commands;
  std::string contents;
  if (ReadCacheFile(folder, name, &contents) && ParseCacheFile(contents, key, &commands)) {
    return commands;
  }
  commands = SdccCommands();
  const Learned learned = Learn(sdcc, options, temp, &commands);
  if (learned == Learned::kNotNow) return SdccCommands();
  // Unusable lines are kept too: every run would probe again for nothing.
  if (learned == Learned::kUnusable) commands = SdccCommands();
  WriteCacheFile(folder, name, FormatCacheFile(key, commands));
  return commands;
}

void ForgetSdccCommands(const std::string& sdcc, const std::vector<std::string>& options) {
  const std::string key = CacheKey(sdcc, options);
  const std::string folder = key.empty() ? std::string() : CacheFolder();
  if (!folder.empty()) RemoveCacheFile(folder, CacheFileName(key));
}

ProgramRun RunPreprocessor(const std::string& sdcc, const std::vector<std::string>& options,
                           const SdccCommands& commands, const std::string& source,
                           const TempFolder& temp, std::string* text, bool* have_text) {
  if (commands.known()) {
    std::vector<std::string> args = commands.preprocess.args;
    args.push_back(source);
    ProgramRun run = RunProgramKeepingOutput(commands.preprocess.program, args, text);
    *have_text = run.started;
    if (run.started) return run;
    ForgetSdccCommands(sdcc, options);
  }
  std::vector<std::string> args = options;
  args.insert(args.end(), {"-E", source, "-o", temp.native() + "pre.i"});
  ProgramRun run = RunProgram(sdcc, args);
  *have_text = run.started && sim::ReadFile(temp.path() + "pre.i", text) == sim::ReadResult::kOkay;
  return run;
}

ProgramRun RunCompiler(const std::string& sdcc, const std::vector<std::string>& options,
                       const SdccCommands& commands, const std::string& c_path,
                       const std::string& stem, bool to_assembly,
                       const std::function<void(std::string*)>& edit) {
  const std::string assembly = stem + ".asm", object = stem + ".rel";
  ProgramCommand assembler = commands.assemble;
  if (!commands.known() && edit) {
    // The edit needs the assembler apart from the driver: with the flags
    // sdcc's driver gives it for this port.
    const std::string sdas = FindSdccProgram("sdas8051");
    const bool debug = std::find(options.begin(), options.end(), "--debug") != options.end();
    if (!sdas.empty()) assembler = ProgramCommand{sdas, {debug ? "-plosgffwy" : "-plosgffw"}};
  }
  const bool assemble_here = !to_assembly && !assembler.program.empty();
  std::vector<std::string> args = options;
  if (to_assembly || assemble_here) {
    args.insert(args.end(), {"-S", c_path, "-o", assembly});
  } else {
    args.insert(args.end(), {"-c", c_path, "-o", object});
  }
  ProgramRun run = RunProgram(sdcc, args);
  if (!assemble_here || !run.started || run.exit_code != 0) return run;
  if (edit) {
    std::string text, err;
    const std::string local = SystemToLocalText(assembly);
    if (sim::ReadFile(local, &text) != sim::ReadResult::kOkay) return run;
    edit(&text);
    if (!sim::WriteFile(local, text, &err)) {
      run.output += err + "\n";
      run.exit_code = 1;
      return run;
    }
  }
  std::vector<std::string> assemble = assembler.args;
  assemble.insert(assemble.end(), {object, assembly});
  const ProgramRun assembled = RunProgram(assembler.program, assemble);
  if (!assembled.started) {
    // Kept lines naming a program that is gone are learnt again next time;
    // without any assembler of our own, sdcc's driver does it all.
    if (commands.known()) ForgetSdccCommands(sdcc, options);
    return RunCompiler(sdcc, options, SdccCommands(), c_path, stem, to_assembly,
                       commands.known() ? edit : std::function<void(std::string*)>());
  }
  run.output += assembled.output;
  // sdcc's driver ends so when its assembler fails.
  if (assembled.exit_code != 0) run.exit_code = 1;
  return run;
}

}  // namespace c51::sdcc
