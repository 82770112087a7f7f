// The device each target of a uVision project names, read by the host for
// its device record (the plug-in's import does not take the device over).
//
// uvproj (XML): Project/Targets/Target with TargetName and
//   TargetOption/TargetCommonOption/{Device, Vendor, Cpu}.
// uv2 (text): targets are the "Target (name)" lines, numbered from 1; the
//   "Options n,..." block of target n, up to its "EndOpt" line, holds the
//   lines "Device (...)", "Vendor (...)" and "Cpu (...)"; the text is
//   between the first "(" and the last ")" of the line, so the nested
//   parentheses of a CPU text stay whole.
// The CPU text becomes the device property "CPU=<text>".
#ifndef C51_HOST_UVISION_DEVICE_H_
#define C51_HOST_UVISION_DEVICE_H_

#include <string>
#include <vector>

#include "host/project_model.h"

namespace c51::host {

struct UvisionTarget {
  std::string name;
  DeviceInfo device;
};

// False with `err` when a uvproj document is not well-formed XML.
bool ParseUvprojTargets(const std::string& data, std::vector<UvisionTarget>* targets,
                        std::string* err);
void ParseUv2Targets(const std::string& data, std::vector<UvisionTarget>* targets);

// Reads the file and picks the parser by its extension (uvproj, uvprojx or
// uv2, in any case). False with `err` for another extension or an unreadable
// file.
bool ReadUvisionTargets(const std::string& path, std::vector<UvisionTarget>* targets,
                        std::string* err);

// The target named `name`, else the first; null when there is none.
const UvisionTarget* PickTarget(const std::vector<UvisionTarget>& targets, const std::string& name);

}  // namespace c51::host

#endif  // C51_HOST_UVISION_DEVICE_H_
