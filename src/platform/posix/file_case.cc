#include "platform/posix/file_case.h"
#include "platform/ascii_case.h"
#include "platform/posix/folded_names.h"
#include "platform/posix/folder_handles.h"

#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

#include <functional>
#include <iterator>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/path.h"
#include "platform/posix/path_text.h"

namespace c51::posix {
namespace {

// Lets the maps below be searched with a string_view, without copying the
// key: the build looks names up on every stat.
struct TextHash {
  using is_transparent = void;
  size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
};
template <typename Value>
using TextMap = std::unordered_map<std::string, Value, TextHash, std::equal_to<>>;

// One folder's entries by their names in lower case. The folder's identity
// and time tell when the list is out of date: adding, removing or renaming
// an entry changes the folder's time, and a relative name that now means
// another folder (after a change of the current folder) has another inode.
struct Listing {
  dev_t device = 0;
  ino_t inode = 0;
  struct timespec time = {};
  // Lower-case name => the name on disk; of several names that differ only
  // in case, the first in byte order.
  FoldedNames names;
  std::unordered_set<std::string, TextHash, std::equal_to<>> exact;  // every name as on disk
  // The outermost FileNameMatchScope in which the list was last found up
  // to date; only such a list is trusted without looking.
  unsigned scope_generation = 0;
};

// A bound on memory in a long-lived process: past it the cache starts over.
constexpr size_t kMaxListings = 4096;

std::mutex& CacheMutex() {
  static std::mutex mutex;
  return mutex;
}

// Folder path as given to opendir => its listing. Guarded by CacheMutex.
TextMap<Listing>& Listings() {
  static TextMap<Listing> listings;
  return listings;
}

// While a FileNameMatchScope lives (guarded by CacheMutex): the folders
// matched in another case, as written => as on disk (both ending in "/"),
// and whether any name needed matching at all: a project whose names are
// all spelled as on disk pays nothing more.
int g_scopes = 0;
unsigned g_scope_generation = 0;  // counts outermost scopes
bool g_matched_in_scope = false;
TextMap<std::string>& KeptFolders() {
  static TextMap<std::string> folders;
  return folders;
}

// Counts changes of the two maps above that may leave a FolderMemo wrong:
// a listing dropped, a folder kept.
unsigned g_maps_version = 0;

// The folders PresumedMatch looked at last, so that the next name in one
// of them skips two lookups by the whole folder path: a build stats its
// sources and objects in turn, a few folders over and over. Guarded by
// CacheMutex.
struct FolderMemo {
  std::string folder;              // as written
  const std::string* real_folder;  // the kept folder it stands for, else null
  const Listing* listing;          // its listing, null when none is held
  unsigned version = ~0u;          // g_maps_version when filled
};
FolderMemo g_memo[4];
unsigned g_memo_next = 0;

bool HasAsciiLetter(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
  }
  return false;
}

bool SameVersion(const Listing& listing, const struct stat& st) {
  return listing.device == st.st_dev && listing.inode == st.st_ino &&
         listing.time.tv_sec == st.st_mtim.tv_sec && listing.time.tv_nsec == st.st_mtim.tv_nsec;
}

bool ReadListing(const std::string& folder, const struct stat& st, Listing* listing) {
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return false;
  listing->device = st.st_dev;
  listing->inode = st.st_ino;
  listing->time = st.st_mtim;
  while (const dirent* entry = readdir(dir)) {
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    listing->names.Add(name);
    listing->exact.emplace(name);
  }
  closedir(dir);
  return true;
}

// The entry of `folder` (whose stat is `st`) that `name` names ignoring
// case; empty when there is none.
std::string FindInFolder(const std::string& folder, const struct stat& st,
                         const std::string& name) {
  std::lock_guard<std::mutex> lock(CacheMutex());
  auto& listings = Listings();
  auto it = listings.find(folder);
  if (it == listings.end() || !SameVersion(it->second, st)) {
    Listing listing;
    if (!ReadListing(folder, st, &listing)) return std::string();
    if (listings.size() >= kMaxListings) listings.clear();
    it = listings.insert_or_assign(folder, std::move(listing)).first;
    ++g_maps_version;
  }
  it->second.scope_generation = g_scopes > 0 ? g_scope_generation : 0;
  const FoldedNames::Entry* found = it->second.names.Find(ToLowerAscii(name));
  return found == nullptr ? std::string() : found->first;
}

bool IsMissing(int error) {
  return error == ENOENT || error == ENOTDIR;
}

// `path` with its components matched from the last one backwards: the
// folder is settled first (as written when it exists, else matched in
// turn), then the name is looked up in it.
std::string Resolve(const std::string& path) {
  size_t end = path.size();
  while (end > 1 && path[end - 1] == '/') --end;
  const std::string trail = path.substr(end);
  const size_t slash = path.rfind('/', end - 1);
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string name = path.substr(folder.size(), end - folder.size());
  if (name.empty()) return path;
  if (name == "." || name == "..") {
    // "SRC\..\INC" names the folder beside the one spelt "SRC": match
    // that one first, as Windows needs no exact spelling of it.
    struct stat st;
    if (folder.empty() || stat(folder.c_str(), &st) == 0 || !IsMissing(errno) ||
        !HasAsciiLetter(folder)) {
      return path;
    }
    return Resolve(folder) + name + trail;
  }

  struct stat st;
  if (stat(folder.empty() ? "." : folder.c_str(), &st) != 0) {
    if (!IsMissing(errno) || !HasAsciiLetter(folder)) return path;
    const std::string written = folder;
    folder = Resolve(folder);
    if (stat(folder.c_str(), &st) != 0) return folder + name + trail;
    std::lock_guard<std::mutex> lock(CacheMutex());
    if (g_scopes > 0 && folder != written && KeptFolders().emplace(written, folder).second) {
      ++g_maps_version;
    }
  }
  if (!S_ISDIR(st.st_mode) || !HasAsciiLetter(name)) return folder + name + trail;
  std::string found = FindInFolder(folder.empty() ? "." : folder, st, name);
  return folder + (found.empty() ? name : found) + trail;
}

}  // namespace

std::string MatchCase(const std::string& native) {
  struct stat st;
  if (lstat(native.c_str(), &st) == 0 || !IsMissing(errno)) return native;
  return MatchCaseOfMissing(native);
}

std::string MatchCaseOfMissing(const std::string& native) {
  if (native.empty() || !HasAsciiLetter(native)) return native;
  std::string matched = Resolve(native);
  if (matched != native) {
    std::lock_guard<std::mutex> lock(CacheMutex());
    if (g_scopes > 0) g_matched_in_scope = true;
  }
  return matched;
}

bool PresumedMatch(std::string_view native, PathText* matched) {
  std::lock_guard<std::mutex> lock(CacheMutex());
  if (g_scopes == 0 || !g_matched_in_scope) return false;
  const size_t slash = native.rfind('/');
  if (slash == std::string_view::npos || slash + 1 == native.size()) return false;
  const std::string_view folder = native.substr(0, slash + 1);
  const std::string_view name = native.substr(slash + 1);
  FolderMemo* memo = nullptr;
  for (FolderMemo& m : g_memo) {
    if (m.version == g_maps_version && m.folder == folder) memo = &m;
  }
  if (memo == nullptr) {
    memo = &g_memo[g_memo_next++ % std::size(g_memo)];
    memo->folder.assign(folder);
    auto kept = KeptFolders().find(folder);
    memo->real_folder = kept != KeptFolders().end() ? &kept->second : nullptr;
    auto held = Listings().find(memo->real_folder ? std::string_view(*memo->real_folder) : folder);
    memo->listing = held != Listings().end() ? &held->second : nullptr;
    memo->version = g_maps_version;
  }
  const bool folder_matched = memo->real_folder != nullptr;
  const std::string_view real_folder =
      folder_matched ? std::string_view(*memo->real_folder) : folder;
  const Listing* listing = memo->listing;
  std::string_view found;
  // Names are short: the lower-case copy stays on the stack.
  char lower[256];
  if (listing != nullptr && listing->scope_generation == g_scope_generation &&
      name.size() <= sizeof lower) {
    for (size_t i = 0; i < name.size(); ++i) lower[i] = ToLowerAscii(name[i]);
    if (const FoldedNames::Entry* folded =
            listing->names.Find(std::string_view(lower, name.size()))) {
      const FoldedNames::Entry& spelling = *folded;
      // An exact name wins over the first of several spellings.
      const bool exact =
          spelling.first == name || (spelling.several && listing->exact.count(name) != 0);
      if (!exact) found = spelling.first;
    }
  }
  if (found.empty() && !folder_matched) return false;
  matched->Assign(real_folder, found.empty() ? name : found);
  return true;
}

unsigned LiveMatchScope() {
  std::lock_guard<std::mutex> lock(CacheMutex());
  return g_scopes > 0 ? g_scope_generation : 0;
}

void ForgetFolderListings() {
  std::lock_guard<std::mutex> lock(CacheMutex());
  Listings().clear();
  ++g_maps_version;
}

}  // namespace c51::posix

namespace c51 {

FileNameMatchScope::FileNameMatchScope() {
  std::lock_guard<std::mutex> lock(posix::CacheMutex());
  if (posix::g_scopes++ == 0) ++posix::g_scope_generation;
  posix::BeginFolderHandles();
}

void FileNameMatchScope::FoldersMayHaveChanged() {
  posix::DropFolderHandles();
  std::lock_guard<std::mutex> lock(posix::CacheMutex());
  posix::KeptFolders().clear();
  ++posix::g_maps_version;
}

FileNameMatchScope::~FileNameMatchScope() {
  posix::EndFolderHandles();
  std::lock_guard<std::mutex> lock(posix::CacheMutex());
  if (--posix::g_scopes > 0) return;
  posix::KeptFolders().clear();
  ++posix::g_maps_version;
  posix::g_matched_in_scope = false;
}

}  // namespace c51
