// Character and entity references in markup text values.
#ifndef C51_MARKUP_ENTITIES_H_
#define C51_MARKUP_ENTITIES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// DecodeEntities for a value made of several texts (the text runs of mixed
// content). A code page conversion costs as much as thousands of bytes of
// decoding, so the characters beyond ASCII that all texts refer to are
// converted together, once each:
//
//   EntityDecoder decoder;
//   for (text : texts) decoder.Collect(text);
//   decoder.Convert();
//   for (text : texts) decoder.Append(text, &out);
class EntityDecoder {
 public:
  // Notes the characters beyond ASCII that `text` refers to.
  void Collect(std::string_view text);
  // Finds the local code page form of every character noted.
  void Convert();
  // Appends `text` decoded. References to characters beyond ASCII that
  // were not collected and converted stay as written.
  void Append(std::string_view text, std::string* out) const;

 private:
  // Sorted and distinct after Convert; forms_[i] is codes_[i] in the local
  // code page, empty when the code page has no such character.
  std::vector<uint32_t> codes_;
  std::vector<std::string> forms_;
  // Collected codes are made distinct when they reach compact_at_, so that
  // millions of references to a few characters take little room.
  static constexpr size_t kMinCompactAt = 1024;
  size_t compact_at_ = kMinCompactAt;
};

}  // namespace c51

#endif  // C51_MARKUP_ENTITIES_H_
