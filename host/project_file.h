// The project file (".cvproj"): the host's tree as XML. Element and
// attribute names are those of the tree, in document order, attributes in
// ring order. The file is UTF-8; the tree's bytes are converted as
// text_encoding.h describes, so they read back exactly.
//
//   <?xml version="1.0" encoding="UTF-8"?>
//   <CorvaneProject Name="demo" ActiveConfiguration="Target 1">
//     <Configurations>
//       <Configuration Name="Target 1" CodeMode="2" ...>
//         <Tool Name="C51Tool" C51FL="4853008" ... />
//     ...
#ifndef C51_HOST_PROJECT_FILE_H_
#define C51_HOST_PROJECT_FILE_H_

#include <string>

#include "host/host_tree.h"
#include "host/xml.h"
#include "project/key_names.h"

namespace c51::host {

enum class LoadStatus {
  kOkay,
  kNotFound,    // no such file
  kNotProject,  // not XML, cut short, another root element, ...
  kOtherError,  // unreadable
};

// Builds the tree from the document in `data`. kNotProject with `err` when
// the document is not a project.
LoadStatus ParseProject(const std::string& data, XmlBackend backend, HostTree* tree,
                        std::string* err);

// The document for the tree. False with `err` when a name in the tree
// cannot be an XML name (the file is not written then).
bool SerializeProject(const ProjectNode* root, XmlBackend backend, std::string* out,
                      std::string* err);

// Reads and parses the file. `err` names the file and says what is wrong.
LoadStatus LoadProjectFile(const std::string& path, HostTree* tree, std::string* err);

// Writes the file atomically: an interrupted or failed write leaves the
// previous file as it was.
bool SaveProjectFile(const std::string& path, const HostTree& tree, std::string* err);

}  // namespace c51::host

#endif  // C51_HOST_PROJECT_FILE_H_
