// The project file's text encoding. Texts in the tree are bytes in the
// plug-in's local code page (GBK, 936, unless configured: see
// LocalCodePage); the project file is UTF-8. Every text is converted
// character by character so that any byte string survives a save and a
// load unchanged:
//   - ASCII bytes other than NUL stay as they are;
//   - a character of the code page becomes its UTF-8 form, when converting
//     it back gives the same bytes;
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
// is not valid UTF-8 or holds a character the local code page cannot store.
bool Utf8ToTreeText(std::string_view utf8, std::string* bytes, std::string* err);

// A text of a uVision project read as XML, for the tree: its tree bytes, or
// the text as it is when it has none (the settings dialog then refuses or
// keeps it as the user would have typed it).
std::string UvisionTextForTree(std::string_view utf8);

// Plug-in bytes (local code page) => UTF-8 for a terminal: its characters
// are converted, any other byte is passed on unchanged (a tool's UTF-8
// line that the local code page could not hold, for example).
std::string LocalToUtf8Lenient(std::string_view bytes);

// Decodes the UTF-8 sequence at `*i` and moves `*i` past it; false (and
// `*i` unchanged) for a malformed one: overlong forms, surrogates and
// values past U+10FFFF included.
bool DecodeUtf8(std::string_view text, size_t* i, char32_t* code_point);

// Appends the UTF-8 form of one code point.
void AppendUtf8(char32_t code_point, std::string* out);

}  // namespace c51::host

#endif  // C51_HOST_TEXT_ENCODING_H_
