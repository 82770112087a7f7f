// The project file's XML through pugixml.
#include <pugixml.hpp>

#include "host/xml.h"

namespace c51::host {
namespace {

// No whitespace or line-end conversion: attribute values come back byte for
// byte as the writer escaped them. DOCTYPE is parsed only to be refused, as
// the built-in reader does. As a fragment, text before or after the root
// element reaches the handler, which refuses it as the built-in reader
// does, instead of being dropped without a word.
constexpr unsigned kParseFlags =
    pugi::parse_cdata | pugi::parse_escapes | pugi::parse_doctype | pugi::parse_fragment;

std::string_view View(const pugi::char_t* text) {
  return text ? std::string_view(text) : std::string_view();
}

class StringWriter final : public pugi::xml_writer {
 public:
  void write(const void* data, size_t size) override {
    out.append(static_cast<const char*>(data), size);
  }
  std::string out;
};

class PugixmlBuilder final : public XmlBuilder {
 public:
  PugixmlBuilder() {
    pugi::xml_node declaration = document_.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    current_ = document_;
  }
  void Open(std::string_view name) override {
    current_ = current_.append_child(std::string(name).c_str());
  }
  void Attribute(std::string_view name, std::string_view value) override {
    current_.append_attribute(std::string(name).c_str()) = std::string(value).c_str();
  }
  void Close() override { current_ = current_.parent(); }
  std::string Finish() override {
    StringWriter writer;
    document_.save(writer, "  ", pugi::format_indent, pugi::encoding_utf8);
    return std::move(writer.out);
  }

 private:
  pugi::xml_document document_;
  pugi::xml_node current_;
};

}  // namespace

bool ParseXmlPugixml(const std::string& data, XmlHandler* handler, std::string* err) {
  pugi::xml_document document;
  pugi::xml_parse_result result =
      document.load_buffer(data.data(), data.size(), kParseFlags, pugi::encoding_utf8);
  if (!result) {
    *err = DescribeOffset(data, static_cast<size_t>(result.offset)) + ": " + result.description();
    return false;
  }
  // Pre-order walk with a cursor rather than recursion: nesting depth is
  // the handler's to limit, not the stack's.
  std::vector<XmlAttributeView> attributes;
  pugi::xml_node node = document.first_child();
  while (node) {
    switch (node.type()) {
      case pugi::node_element:
        attributes.clear();
        for (pugi::xml_attribute a : node.attributes())
          attributes.push_back({View(a.name()), View(a.value())});
        if (!handler->StartElement(View(node.name()), attributes, err)) return false;
        if (node.first_child()) {
          node = node.first_child();
          continue;
        }
        if (!handler->EndElement(err)) return false;
        break;
      case pugi::node_pcdata:
      case pugi::node_cdata:
        if (!handler->Text(View(node.value()), err)) return false;
        break;
      case pugi::node_doctype:
        *err = "a document type declaration is not allowed in a project file";
        return false;
      default:
        break;
    }
    while (!node.next_sibling()) {
      node = node.parent();
      if (!node || node == document) return true;
      if (!handler->EndElement(err)) return false;
    }
    node = node.next_sibling();
  }
  return true;
}

std::unique_ptr<XmlBuilder> MakePugixmlBuilder() {
  return std::make_unique<PugixmlBuilder>();
}

}  // namespace c51::host
