// Groups and files a uVision 4 project's targets leave out of their build
// ("IncludeInBuild" 0 in a GroupOption or FileOption). The plug-in's import
// takes the first target's; the host gives the other targets theirs, on
// the nodes the import made of the first target's groups and files (the
// same group name and file path), so a project whose targets build
// different copies of one source builds each target as uVision does.
#ifndef C51_HOST_UVPROJ_EXCLUSIONS_H_
#define C51_HOST_UVPROJ_EXCLUSIONS_H_

#include <string>
#include <vector>

#include "host/host_tree.h"

namespace c51::host {

struct UvprojExclusion {
  std::string target;
  std::string group;
  std::string file;  // the path as written; empty when the whole group is left out
};

// In document order. False with `err` when the document is not well-formed.
bool ParseUvprojExclusions(const std::string& data, std::vector<UvprojExclusion>* out,
                           std::string* err);

// Marks the groups and files of every target but the first left out of
// that target's configuration. The exclusions applied come back.
std::vector<UvprojExclusion> ApplyLaterTargetsExclusions(HostTree* tree,
                                                         const std::vector<UvprojExclusion>& all);

}  // namespace c51::host

#endif  // C51_HOST_UVPROJ_EXCLUSIONS_H_
