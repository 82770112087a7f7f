// Getting a markup file into memory: reading it whole, finding the encoding
// it declares and converting UTF-8 documents to the local code page.
#ifndef C51_MARKUP_DOC_FILE_H_
#define C51_MARKUP_DOC_FILE_H_

#include <string>
#include <string_view>

namespace c51 {

// Reads the file at `path` into `*text`, bytes unchanged (a byte-order mark
// stays), then converts it from UTF-8 to the local code page when it
// declares no encoding or one whose first five characters are "UTF-8" in
// any case; other declared encodings leave the bytes alone, and so does
// text that is not valid UTF-8. `*result` becomes "<file size> bytes".
// On failure `*text` is left as it was, `*result` holds the system's error
// text (one line) and the call returns false.
bool ReadDocFile(const std::string& path, std::string* text, std::string* result);

// The "encoding" of an XML declaration at the first "<" of `text`; empty
// when the first markup is anything else.
//   "<?xml version=\"1.0\" encoding=\"GB2312\"?><a/>" => "GB2312"
//   "<!-- c --><?xml encoding=\"GB2312\"?>" => ""
std::string DeclaredEncoding(const std::string& text);

// The value of attribute `name` of the first node of `text`, references
// decoded; empty when the node has no such attribute. Values are quoted
// (up to the same quote) or not (up to a blank or ">"); names compare as
// element names do.
//   ("<?xml version='1.0' encoding=UTF-8?>", "encoding") => "UTF-8?"
std::string FirstNodeAttribute(const std::string& text, std::string_view name);

}  // namespace c51

#endif  // C51_MARKUP_DOC_FILE_H_
