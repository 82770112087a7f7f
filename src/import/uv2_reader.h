// The uVision 2 project reader: a line-oriented project file (extension
// "uv2") and its ".opt" options file beside it, turned into project nodes.
#ifndef C51_IMPORT_UV2_READER_H_
#define C51_IMPORT_UV2_READER_H_

#include <string>

namespace c51 {

struct PluginState;
struct ProjectNode;

// Reads the project at `path` into the tree below `root`: "Files" first,
// then per target line a "Configuration" (under one "Configurations") with
// the default settings, per group line a "Filter", per file line a "File"
// under its group (or "Files" when the number names no group), and the
// current target's output folders and name from its "Options" block. The
// current configuration name of `state` becomes the current target's name;
// it stays empty without options file. False when the host refuses the
// "Files", a configuration or a group node, or the project file cannot be
// read; nodes made stay.
bool ImportUv2Project(PluginState* state, ProjectNode* root, const std::string& path);

}  // namespace c51

#endif  // C51_IMPORT_UV2_READER_H_
