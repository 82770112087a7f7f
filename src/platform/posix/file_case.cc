#include "platform/posix/file_case.h"

#include <dirent.h>
#include <errno.h>
#include <sys/stat.h>

#include <functional>
#include <mutex>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "platform/path.h"

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
  TextMap<std::string> names;
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

bool HasAsciiLetter(std::string_view text) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
  }
  return false;
}

std::string LowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
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
    auto [it, added] = listing->names.try_emplace(LowerAscii(name), name);
    if (!added && name < it->second) it->second = name;
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
  }
  it->second.scope_generation = g_scopes > 0 ? g_scope_generation : 0;
  auto found = it->second.names.find(LowerAscii(name));
  return found == it->second.names.end() ? std::string() : found->second;
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
  if (name.empty() || name == "." || name == "..") return path;

  struct stat st;
  if (stat(folder.empty() ? "." : folder.c_str(), &st) != 0) {
    if (!IsMissing(errno) || !HasAsciiLetter(folder)) return path;
    const std::string written = folder;
    folder = Resolve(folder);
    if (stat(folder.c_str(), &st) != 0) return folder + name + trail;
    std::lock_guard<std::mutex> lock(CacheMutex());
    if (g_scopes > 0 && folder != written) KeptFolders().emplace(written, folder);
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

bool PresumedMatch(const std::string& native, std::string* matched) {
  std::lock_guard<std::mutex> lock(CacheMutex());
  if (g_scopes == 0 || !g_matched_in_scope) return false;
  const size_t slash = native.rfind('/');
  if (slash == std::string::npos || slash + 1 == native.size()) return false;
  const std::string_view folder = std::string_view(native).substr(0, slash + 1);
  const std::string_view name = std::string_view(native).substr(slash + 1);
  auto kept = KeptFolders().find(folder);
  const bool folder_matched = kept != KeptFolders().end();
  const std::string_view real_folder = folder_matched ? std::string_view(kept->second) : folder;
  auto listing = Listings().find(real_folder);
  const std::string* found = nullptr;
  if (listing != Listings().end() && listing->second.scope_generation == g_scope_generation &&
      listing->second.exact.find(name) == listing->second.exact.end()) {
    // Names are short: the lower-case copy stays on the stack.
    char lower[256];
    if (name.size() <= sizeof lower) {
      for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
      }
      auto folded = listing->second.names.find(std::string_view(lower, name.size()));
      if (folded != listing->second.names.end()) found = &folded->second;
    }
  }
  if (found == nullptr && !folder_matched) return false;
  matched->assign(real_folder);
  matched->append(found != nullptr ? std::string_view(*found) : name);
  return true;
}

void ForgetFolderListings() {
  std::lock_guard<std::mutex> lock(CacheMutex());
  Listings().clear();
}

}  // namespace c51::posix

namespace c51 {

FileNameMatchScope::FileNameMatchScope() {
  std::lock_guard<std::mutex> lock(posix::CacheMutex());
  if (posix::g_scopes++ == 0) ++posix::g_scope_generation;
}

FileNameMatchScope::~FileNameMatchScope() {
  std::lock_guard<std::mutex> lock(posix::CacheMutex());
  if (--posix::g_scopes > 0) return;
  posix::KeptFolders().clear();
  posix::g_matched_in_scope = false;
}

}  // namespace c51
