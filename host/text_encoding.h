// The project file's text encoding. Texts in the tree are bytes in the
// plug-in's code page, GBK (936); the project file is UTF-8. Every text is
// converted character by character so that any byte string survives a save
// and a load unchanged:
//   - ASCII bytes other than NUL stay as they are;
//   - a GBK double-byte character becomes its UTF-8 form, when converting
//     it back gives the same two bytes;
//   - any other byte b (a NUL, a lone lead byte, a byte GBK does not map)
//     becomes the private-use character U+F700 + b, which GBK never
//     produces, so it reads back as the byte b.
//   "abc" => "abc";  "\xD6\xD0" (GBK for the character "middle") => "\u4E2D";
//   "\xFF" => "\uF7FF";  "\xD6" => "\uF7D6"
#ifndef C51_HOST_TEXT_ENCODING_H_
#define C51_HOST_TEXT_ENCODING_H_

#include <string>
#include <string_view>

namespace c51::host {

// Tree bytes => UTF-8 for the project file.
std::string TreeTextToUtf8(std::string_view bytes);

// UTF-8 from the project file => tree bytes. False with `err` when the text
// is not valid UTF-8 or holds a character GBK cannot store.
bool Utf8ToTreeText(std::string_view utf8, std::string* bytes, std::string* err);

// Plug-in bytes (GBK) => UTF-8 for a terminal: GBK characters are
// converted, any other byte is passed on unchanged (a path in the local
// encoding, for example).
std::string GbkToUtf8Lenient(std::string_view bytes);

// Appends the UTF-8 form of one code point.
void AppendUtf8(char32_t code_point, std::string* out);

}  // namespace c51::host

#endif  // C51_HOST_TEXT_ENCODING_H_
