// Translating project files: what a file is, whether it is out of date,
// the compiler and assembler runs, and its entry in the linker's object
// list. The build walks the whole tree with these; the host can also ask
// for one file.
#ifndef C51_BUILD_TRANSLATION_H_
#define C51_BUILD_TRANSLATION_H_

#include <string>
#include <string_view>

namespace c51 {

struct PluginState;
struct ProjectNode;

enum class FileKind {
  kIgnored,
  kCSource,         // "c"
  kAssemblySource,  // "asm", "a51", "src", "s"
  kObject,          // "obj", "lib", "rel": linked as they are
};

// By the extension of the path's name, ignoring case:
//   ".\src\main.C" => kCSource;  "start.A51", "vec.s" => kAssemblySource;
//   "C51S.LIB" => kObject;  "readme" => kIgnored;  "a.c\readme" => kIgnored
FileKind KindOfFile(std::string_view path);

// The project folder joined with a file's "RelativePath", as the full-path
// rules make it (LexicalFullPath in the platform's style); an absolute
// path stays absolute. The usual ".\dir\name.c" is joined without the
// general rules, which cost more than the rest of an up-to-date check.
//   ("/p", ".\src\a.c") => "/p/src/a.c" on POSIX, ("C:\p", "src\a.c") =>
//   "C:\p\src\a.c" on Windows
std::string ProjectFilePath(const std::string& project_dir, std::string_view relative);
// The same into `out`, whose memory is reused: a build joins one per file.
void ProjectFilePath(const std::string& project_dir, std::string_view relative, std::string* out);

// True when `source` (an absolute path) must be translated: always in a
// full rebuild; never when the source is missing; when its object (the
// absolute object folder + title + ".obj") is missing or cannot be read,
// is older than the source, has a dependency record cut short, or names in
// its record an include file changed after it. Include file times are
// looked up once per build.
bool NeedsRebuild(PluginState* state, const std::string& source);

// Translates one "File" node when it takes part in the build: a C source
// when out of date (always when `force`), an assembly source when out of
// date, nothing for an object or library. Every file of these kinds, also
// when up to date or failed, adds its object to the object list.
void TranslateProjectFile(PluginState* state, const ProjectNode* file, bool force);

// Every "File" below `group` in document order, descending into "Filter"
// groups that have a "Name". Stops before the next file once the stop
// request has cleared the build-continue flag. Nesting depth costs heap,
// not stack.
//
// Up to `jobs` translations run at once (see TranslationQueue); the host
// receives their lines in walk order all the same, and every translation
// started has ended and been reported when the walk returns.
void WalkGroup(PluginState* state, const ProjectNode* group, int jobs = 1);

// "\"<output name>\" - <e> error(s), <w> warning(s)." with the counters.
std::string SummaryLine(const PluginState& state);

// The host's single-file translation (slot 6): prepares the tools'
// environment, translates a "File" node with force, sends the summary and
// tells the host. 0 without a current configuration or for a node without
// a name; otherwise 1.
int TranslateFile(PluginState* state, const ProjectNode* node);

}  // namespace c51

#endif  // C51_BUILD_TRANSLATION_H_
