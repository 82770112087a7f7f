// Handles on the folders a build looks into, so that a stat names one
// component relative to its folder instead of a whole path the kernel
// walks from the root again: an up-to-date build stats two files per
// source, in the same few folders, and the walks were a good part of it.
// Private to the POSIX platform files.
#ifndef C51_PLATFORM_POSIX_FOLDER_HANDLES_H_
#define C51_PLATFORM_POSIX_FOLDER_HANDLES_H_

#include <sys/stat.h>

#include <string_view>

namespace c51::posix {

// Handles are kept only between these two calls (FileNameMatchScope's
// lifetime, nested calls counted).
void BeginFolderHandles();
void EndFolderHandles();

// Forgets every handle: a folder may be replaced by another of the same
// name (a tool or user command runs, a tree is removed, a rename), and a
// handle would go on naming the old one.
void DropFolderHandles();

// stat() of `path` (a NUL-terminated absolute path of `size` bytes)
// through a handle on its folder while handles are kept, else by the path.
int StatThroughFolder(const char* path, size_t size, struct stat* st);

}  // namespace c51::posix

#endif  // C51_PLATFORM_POSIX_FOLDER_HANDLES_H_
