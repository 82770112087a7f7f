#include "sdcc/compile/preprocessor_command.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "sdcc/cache_folder.h"
#include "sdcc/run_program.h"
#include "sim/files.h"

namespace c51::sdcc {

namespace {

// Separates the key from the command in a cache file; no key line is this.
constexpr std::string_view kArrow = "=>\n";

// Everything the learned line depends on, one item a line: the program,
// which build of it, the variables sdcc reads its folders from, and the
// options. Empty when the line cannot be kept: a relative program path
// (sdcc derives its include folders from it, so they would depend on the
// current folder), a program that cannot be examined, or a text that
// would break the line format.
std::string CacheKey(const std::string& sdcc, const std::vector<std::string>& options) {
  const std::string identity = FileIdentity(sdcc);
  if (sdcc.empty() || sdcc[0] != '/' || identity.empty()) return std::string();
  std::string key = "c51sdcc preprocessor 1\nprogram " + sdcc + "\nbuild " + identity + "\n";
  for (const char* name : {"SDCC_HOME", "SDCC_INCLUDE"}) {
    const char* value = std::getenv(name);
    key += std::string("env ") + name + (value != nullptr ? "=" + std::string(value) : " unset");
    key += '\n';
  }
  for (const std::string& option : options) key += "option " + option + "\n";
  const size_t lines = static_cast<size_t>(std::count(key.begin(), key.end(), '\n'));
  return lines == 5 + options.size() ? key : std::string();
}

// The cache file's name: the key's 64-bit FNV-1a hash. The file repeats
// the key, so two keys with one hash only take turns.
std::string CacheFileName(const std::string& key) {
  uint64_t hash = 14695981039346656037ULL;
  for (char c : key) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 1099511628211ULL;
  }
  char name[32];
  snprintf(name, sizeof name, "sdcpp-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

// key, "=>", then the program and each argument on a line of its own.
bool ParseCacheFile(const std::string& contents, const std::string& key,
                    PreprocessorCommand* command) {
  if (contents.compare(0, key.size(), key) != 0 ||
      contents.compare(key.size(), kArrow.size(), kArrow) != 0) {
    return false;
  }
  std::vector<std::string> words;
  size_t pos = key.size() + kArrow.size();
  while (pos < contents.size()) {
    const size_t end = contents.find('\n', pos);
    if (end == std::string::npos) return false;  // cut short
    words.push_back(contents.substr(pos, end - pos));
    pos = end + 1;
  }
  if (words.empty() || words[0].empty() || words[0][0] != '/') return false;
  command->program = words[0];
  command->args.assign(words.begin() + 1, words.end());
  return true;
}

std::string FormatCacheFile(const std::string& key, const PreprocessorCommand& command) {
  std::string contents = key + std::string(kArrow) + command.program + "\n";
  for (const std::string& arg : command.args) contents += arg + "\n";
  return contents;
}

// Runs "sdcc <options> -E -V probe.c -o probe.i" on an empty file and takes
// the line it prints. Anything else sdcc says about these options (a
// warning) would be lost without sdcc, so then nothing is learned.
bool Learn(const std::string& sdcc, const std::vector<std::string>& options, const TempFolder& temp,
           PreprocessorCommand* command) {
  std::string err;
  if (!sim::WriteFile(temp.path() + "probe.c", "", &err)) return false;
  const std::string input = temp.native() + "probe.c", output = temp.native() + "probe.i";
  std::vector<std::string> args = options;
  args.insert(args.end(), {"-E", "-V", input, "-o", output});
  std::string printed;
  const ProgramRun run = RunProgramKeepingOutput(sdcc, args, &printed);
  std::vector<std::string> words;
  if (!run.started || run.exit_code != 0 || !run.output.empty() ||
      !SplitVerboseCommand(printed, &words) || words.size() < 3 || words[0][0] != '/' ||
      words[words.size() - 2] != input || words.back() != output) {
    return false;
  }
  words.resize(words.size() - 2);
  // Our definitions and folders pass through unchanged; one that does not
  // would mean the line was not split as sdcc escaped it.
  for (const std::string& option : options) {
    const bool passed = option.compare(0, 2, "-D") != 0 && option.compare(0, 2, "-I") != 0;
    if (!passed && std::find(words.begin(), words.end(), option) == words.end()) return false;
  }
  command->program = words[0];
  command->args.assign(words.begin() + 1, words.end());
  return true;
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

PreprocessorCommand FindPreprocessorCommand(const std::string& sdcc,
                                            const std::vector<std::string>& options,
                                            const TempFolder& temp) {
  PreprocessorCommand command;
  const std::string key = CacheKey(sdcc, options);
  // Without a place to keep it, learning the line costs more than it saves.
  const std::string folder = key.empty() ? std::string() : CacheFolder();
  if (folder.empty()) return command;
  const std::string name = CacheFileName(key);
  std::string contents;
  if (ReadCacheFile(folder, name, &contents) && ParseCacheFile(contents, key, &command)) {
    return command;
  }
  command = PreprocessorCommand();
  if (!Learn(sdcc, options, temp, &command)) return PreprocessorCommand();
  WriteCacheFile(folder, name, FormatCacheFile(key, command));
  return command;
}

void ForgetPreprocessorCommand(const std::string& sdcc, const std::vector<std::string>& options) {
  const std::string key = CacheKey(sdcc, options);
  const std::string folder = key.empty() ? std::string() : CacheFolder();
  if (!folder.empty()) RemoveCacheFile(folder, CacheFileName(key));
}

}  // namespace c51::sdcc
