// Reading and writing the project file's XML. pugixml does both where the
// build has it; a small built-in reader and writer take its place where it
// is missing (the Windows cross builds: Debian ships pugixml for Linux
// only). Both accept and write the same documents, so a project file moves
// freely between the builds.
//
// Reading reports the document as events in document order; the handler
// sees UTF-8 texts with references already replaced. Comments, processing
// instructions and the XML declaration are skipped; a document type
// declaration, a NUL byte and text outside the root element are refused.
// Line ends and whitespace inside attribute values are kept as written.
#ifndef C51_HOST_XML_H_
#define C51_HOST_XML_H_

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace c51::host {

enum class XmlBackend {
  kPugixml,
  kBuiltin,
};

// True when this build has pugixml.
bool HasPugixml();

// Names as pugixml reads them, so that both builds take the same
// documents: a letter, "_", ":" or a byte >= 0x80 (part of a UTF-8
// character) first, then also digits, "-" and ".".
bool IsXmlNameStart(char c);
bool IsXmlNameChar(char c);
// pugixml when there is one, otherwise the built-in code.
XmlBackend DefaultXmlBackend();

struct XmlAttributeView {
  std::string_view name;
  std::string_view value;
};

class XmlHandler {
 public:
  // Each returns false with `err` set to stop the reading.
  virtual bool StartElement(std::string_view name, const std::vector<XmlAttributeView>& attributes,
                            std::string* err) = 0;
  // Character data between tags (CDATA sections included); whitespace-only
  // runs may or may not be reported.
  virtual bool Text(std::string_view text, std::string* err) = 0;
  virtual bool EndElement(std::string* err) = 0;

 protected:
  ~XmlHandler() = default;
};

// Parses `data` (UTF-8, an optional byte order mark first). False with
// `err` saying what and where ("line 3, column 7: ...").
bool ParseXml(XmlBackend backend, const std::string& data, XmlHandler* handler, std::string* err);

// Builds a document in document order: Open, its attributes, its children,
// Close. Names must be valid XML names; values may hold any byte but NUL.
class XmlBuilder {
 public:
  virtual ~XmlBuilder() = default;
  virtual void Open(std::string_view name) = 0;
  virtual void Attribute(std::string_view name, std::string_view value) = 0;
  virtual void Close() = 0;
  // The document: the declaration, then elements indented by two blanks,
  // one per line.
  virtual std::string Finish() = 0;
};

std::unique_ptr<XmlBuilder> MakeXmlBuilder(XmlBackend backend);

// "line L, column C" of a byte offset (both counted from 1).
std::string DescribeOffset(const std::string& data, size_t offset);

// ---- The two implementations (xml_builtin.cc, xml_pugixml.cc) ----
bool ParseXmlBuiltin(const std::string& data, XmlHandler* handler, std::string* err);
std::unique_ptr<XmlBuilder> MakeBuiltinXmlBuilder();
#if C51_HOST_HAVE_PUGIXML
bool ParseXmlPugixml(const std::string& data, XmlHandler* handler, std::string* err);
std::unique_ptr<XmlBuilder> MakePugixmlBuilder();
#endif

}  // namespace c51::host

#endif  // C51_HOST_XML_H_
