// Character and entity references in markup text values.
#ifndef C51_MARKUP_ENTITIES_H_
#define C51_MARKUP_ENTITIES_H_

#include <string>
#include <string_view>

namespace c51 {

// Replaces references by the characters they stand for:
// - "&#" + decimal digits + ";" and "&#x" + hexadecimal digits + ";" (a
//   lower-case x only), the ";" within the 7 characters after "#": the
//   character in the local code page. A reference the code page cannot
//   hold, or that is not a number from 1 to 0x10FFFF outside the UTF-16
//   surrogates, stays as written.
// - "&lt;", "&amp;", "&gt;", "&apos;", "&quot;" (case-sensitive): < & > ' ".
// Any other "&" is copied unchanged.
//   "a &lt; b" => "a < b";  "&#65;&#x41;" => "AA";  "&#X41;" => "&#X41;"
//   "&#0000065;" => "&#0000065;" (";" 8 characters after "#")
std::string DecodeEntities(std::string_view text);

}  // namespace c51

#endif  // C51_MARKUP_ENTITIES_H_
