// A folder that outlives one run of a tool, for what a tool learns about
// sdcc once and may use again (how sdcc starts its preprocessor for one set
// of options). What it holds decides which program a tool starts, so a
// folder that others could write to is not used.
//
// Paths here are the system's texts; the file names are ours (ASCII).
#ifndef C51_TOOLS_SDCC_CACHE_FOLDER_H_
#define C51_TOOLS_SDCC_CACHE_FOLDER_H_

#include <string>
#include <string_view>

namespace c51::sdcc {

// The folder C51_SDCC_CACHE names when it is set (empty: no folder, the
// tools learn nothing and keep nothing), else <TMPDIR or /tmp>/c51sdcc-cache-<uid>/,
// made when missing. Ends in "/". Empty when it cannot be made or written
// to, or is not safely ours: not a folder (a link counts as none), another
// user's, or writable by group or others.
std::string CacheFolder();

// The contents of `name` in `folder`; false when it cannot be read.
bool ReadCacheFile(const std::string& folder, const std::string& name, std::string* contents);

// Replaces `name` in `folder` in one step (a temporary file renamed over
// it), so a tool running beside this one reads the old contents or the new,
// never a part. False when it cannot be written; the cache is then only
// slower.
bool WriteCacheFile(const std::string& folder, const std::string& name,
                    const std::string& contents);

void RemoveCacheFile(const std::string& folder, const std::string& name);

// A cache file's name for `key`: "<prefix>-" and the key's 64-bit FNV-1a
// hash in hex. The file should repeat its key, so two keys with one hash
// only take turns.
std::string HashedCacheName(std::string_view prefix, std::string_view key);

// What tells one build of a program from another: "<device> <inode> <size>
// <modification time in ns>"; empty when `path` cannot be examined.
std::string FileIdentity(const std::string& path);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_CACHE_FOLDER_H_
