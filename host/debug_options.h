// The debug option record the host owns (HostContext word 4): kept in the
// project file as a root child the plug-in never looks at, one attribute
// per field, so that it reads as what it is:
//   <DebugOptions Version="1" UseSimulator="1" DriverIndex="-1"
//                 SimulatorLoad="1" SimulatorRunToMain="1"
//                 EmulatorLoad="1" EmulatorRunToMain="0" Driver="" />
// A project without the element (written before the host kept it) gets
// the initial record; so does each field that is missing or not a number.
// A later version's element is read by the names this one knows.
#ifndef C51_HOST_DEBUG_OPTIONS_H_
#define C51_HOST_DEBUG_OPTIONS_H_

#include "host/host_tree.h"
#include "project/debug_record.h"

namespace c51::host {

DebugOptionRecord ReadDebugOptions(const ProjectNode* root);

// Whether the two records hold the same settings: the six words and the
// driver text.
bool SameDebugOptions(const DebugOptionRecord& a, const DebugOptionRecord& b);

// Writes the record's fields and driver text (the output path is not a
// setting: the plug-in fills it in each time). Changes the tree only when
// what it holds differs.
void StoreDebugOptions(HostTree* tree, const DebugOptionRecord& record);

}  // namespace c51::host

#endif  // C51_HOST_DEBUG_OPTIONS_H_
