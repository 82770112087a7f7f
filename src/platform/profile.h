// Reading profile (INI) files as GetPrivateProfileString does: section and
// key names compare ignoring case, blanks around names and values are
// dropped, one pair of enclosing quotation marks around a value is removed,
// the first occurrence of a section or key wins, lines starting with ";" are
// comments.
#ifndef C51_PLATFORM_PROFILE_H_
#define C51_PLATFORM_PROFILE_H_

#include <string>
#include <vector>

namespace c51 {

// The value of `key` in `section`; `fallback` when the file, section or key
// is missing.
std::string ReadProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback);

// The key names of `section` in file order, as written; empty when missing.
std::vector<std::string> ReadProfileKeys(const std::string& file, const std::string& section);

}  // namespace c51

#endif  // C51_PLATFORM_PROFILE_H_
