// The current target of a uVision 4 project, as its options file (the
// ".uvopt" beside the ".uvproj") records it.
#ifndef C51_IMPORT_UVOPT_READER_H_
#define C51_IMPORT_UVOPT_READER_H_

#include <string>

namespace c51 {

// Sets `*name` to the target whose "IsCurrentTarget" is "1" and returns
// true. False, `*name` unchanged, when the project path does not end in
// ".uvproj" (any case), when the options file is missing, damaged or lacks
// an expected element (each reported as a failed import check), or when no
// target is marked.
bool ReadUvoptCurrentTarget(const std::string& project_path, std::string* name);

}  // namespace c51

#endif  // C51_IMPORT_UVOPT_READER_H_
