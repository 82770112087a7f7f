#include "sdcc/temp_folder.h"

#include "platform/fs.h"
#include "platform/path.h"

namespace c51::sdcc {

TempFolder::TempFolder() : path_(MakeTempDirectory("c51sdcc-")) {
  if (!path_.empty()) native_ = NativeSpelling(path_);
}

TempFolder::~TempFolder() {
  // Nothing to report to at this point: a folder left behind is harmless.
  if (!path_.empty()) RemoveTree(path_);
}

}  // namespace c51::sdcc
