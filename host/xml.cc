#include "host/xml.h"

namespace c51::host {

bool HasPugixml() {
  return C51_HOST_HAVE_PUGIXML != 0;
}

bool IsXmlNameStart(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_' || u == ':' || u >= 0x80;
}

bool IsXmlNameChar(char c) {
  return IsXmlNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

XmlBackend DefaultXmlBackend() {
  return HasPugixml() ? XmlBackend::kPugixml : XmlBackend::kBuiltin;
}

bool ParseXml(XmlBackend backend, const std::string& data, XmlHandler* handler, std::string* err) {
  // No XML document holds a NUL byte. pugixml would take one as the end of
  // a text or of the document and drop the rest without a word.
  const size_t nul = data.find('\0');
  if (nul != std::string::npos) {
    *err = DescribeOffset(data, nul) + ": a NUL byte";
    return false;
  }
#if C51_HOST_HAVE_PUGIXML
  if (backend == XmlBackend::kPugixml) return ParseXmlPugixml(data, handler, err);
#else
  (void)backend;
#endif
  return ParseXmlBuiltin(data, handler, err);
}

std::unique_ptr<XmlBuilder> MakeXmlBuilder(XmlBackend backend) {
#if C51_HOST_HAVE_PUGIXML
  if (backend == XmlBackend::kPugixml) return MakePugixmlBuilder();
#else
  (void)backend;
#endif
  return MakeBuiltinXmlBuilder();
}

std::string DescribeOffset(const std::string& data, size_t offset) {
  if (offset > data.size()) offset = data.size();
  size_t line = 1, column = 1;
  for (size_t i = 0; i < offset; ++i) {
    if (data[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

}  // namespace c51::host
