// What an imported project may name: a file from anyone must not lead the
// build's files out of the project folder, and a source name must fit the
// tools' command lines. What does not is left out, with a line on the
// import diagnostics channel; the rest of the import goes on.
#ifndef C51_IMPORT_IMPORT_NAMES_H_
#define C51_IMPORT_IMPORT_NAMES_H_

#include <string>

namespace c51 {

class HostServices;
struct ProjectNode;

// False, with a line naming `key` and `value`, when an output or listing
// folder or an output name is absolute or climbs out with "..".
bool ImportableOutputValue(const char* key, const std::string& value);

// False, with a line, for a source name holding a double quote.
bool ImportableSourceName(const std::string& path);

// Projects hold a handful of targets, and each becomes a whole
// configuration (about 7 KB of keys): a file of millions of one-line
// targets would take minutes and gigabytes. Targets past this many are
// left out.
constexpr int kMaxImportedTargets = 10000;

// False for the target numbered `number` (from 1) past the limit, with one
// line for the first of them.
bool ImportableTarget(int number);

// A configuration whose name leads its default folders out ("..\x") gets
// the project folder for both instead, with a line.
void KeepDefaultFoldersInside(HostServices* host, ProjectNode* config);

}  // namespace c51

#endif  // C51_IMPORT_IMPORT_NAMES_H_
