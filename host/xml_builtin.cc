// The project file's XML without pugixml: enough of XML 1.0 for project
// files and the uVision project files the host reads device texts from.
// Every read checks the position against the size (no terminator is
// planted); the element stack is a vector, not the call stack.
#include <string_view>

#include "host/text_encoding.h"
#include "host/xml.h"

namespace c51::host {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

class BuiltinParser {
 public:
  BuiltinParser(const std::string& data, XmlHandler* handler) : s_(data), handler_(handler) {}

  bool Parse(std::string* err) {
    err_ = err;
    if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
    bool seen_root = false;
    while (pos_ < s_.size()) {
      if (s_[pos_] != '<') {
        if (!ParseText()) return false;
        continue;
      }
      if (StartsWith("<?")) {
        // A target name first, as pugixml demands.
        if (pos_ + 2 >= s_.size() || !IsXmlNameStart(s_[pos_ + 2]))
          return Fail("a processing instruction without a name");
        if (!SkipPast(2, "?>", "processing instruction not closed")) return false;
      } else if (StartsWith("<!--")) {
        // "<!-->" opens a comment; its "-->" is no end of it.
        if (!SkipPast(4, "-->", "comment not closed")) return false;
      } else if (StartsWith("<![CDATA[")) {
        if (open_.empty()) return Fail("character data outside the root element");
        size_t start = pos_ + 9;
        size_t end = s_.find("]]>", start);
        if (end == std::string::npos) return Fail("CDATA section not closed");
        if (!handler_->Text(std::string_view(s_).substr(start, end - start), err_)) return false;
        pos_ = end + 3;
      } else if (StartsWith("<!")) {
        return Fail("a document type declaration is not allowed in a project file");
      } else if (StartsWith("</")) {
        if (!ParseEndTag()) return false;
      } else {
        if (open_.empty() && seen_root) return Fail("more than one root element");
        seen_root = true;
        if (!ParseStartTag()) return false;
      }
    }
    if (!open_.empty())
      return Fail("the document ends inside element \"" + std::string(open_.back()) + "\"");
    if (!seen_root) return Fail("no root element");
    return true;
  }

 private:
  bool StartsWith(std::string_view text) const {
    return std::string_view(s_).substr(pos_, text.size()) == text;
  }

  bool Fail(const std::string& what) {
    *err_ = DescribeOffset(s_, pos_) + ": " + what;
    return false;
  }

  // Past the first `end` after the `opener` characters at the position.
  bool SkipPast(size_t opener, std::string_view end, const char* what) {
    size_t found = s_.find(end, pos_ + opener);
    if (found == std::string::npos) return Fail(what);
    pos_ = found + end.size();
    return true;
  }

  void SkipBlanks() {
    while (pos_ < s_.size() && IsBlank(s_[pos_])) ++pos_;
  }

  bool ParseName(std::string_view* name) {
    size_t start = pos_;
    if (pos_ >= s_.size() || !IsXmlNameStart(s_[pos_])) return Fail("a name was expected");
    while (pos_ < s_.size() && IsXmlNameChar(s_[pos_])) ++pos_;
    *name = std::string_view(s_).substr(start, pos_ - start);
    return true;
  }

  // Replaces the five entities and character references in `raw`. An
  // "&" that starts neither is kept as it is, as pugixml keeps it, so that
  // both builds read the same documents alike.
  static void Unescape(std::string_view raw, std::string* out) {
    out->clear();
    for (size_t i = 0; i < raw.size(); ++i) {
      size_t semicolon = raw[i] == '&' ? raw.find(';', i) : std::string_view::npos;
      if (semicolon == std::string_view::npos) {
        out->push_back(raw[i]);
        continue;
      }
      std::string_view entity = raw.substr(i + 1, semicolon - i - 1);
      char32_t value = 0;
      if (entity == "lt") {
        value = '<';
      } else if (entity == "gt") {
        value = '>';
      } else if (entity == "amp") {
        value = '&';
      } else if (entity == "quot") {
        value = '"';
      } else if (entity == "apos") {
        value = '\'';
      } else if (!ParseCharacterReference(entity, &value)) {
        out->push_back('&');
        continue;
      }
      AppendUtf8(value, out);
      i = semicolon;
    }
  }

  // "#65" or "#x41" => 'A'. False for anything else, and for 0, surrogates
  // and values past U+10FFFF.
  static bool ParseCharacterReference(std::string_view entity, char32_t* value) {
    if (entity.size() < 2 || entity[0] != '#') return false;
    bool hex = entity[1] == 'x';
    std::string_view digits = entity.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return false;
    char32_t result = 0;
    for (char c : digits) {
      unsigned char u = static_cast<unsigned char>(c);
      int digit = u >= '0' && u <= '9'          ? u - '0'
                  : hex && u >= 'a' && u <= 'f' ? u - 'a' + 10
                  : hex && u >= 'A' && u <= 'F' ? u - 'A' + 10
                                                : -1;
      if (digit < 0) return false;
      result = result * (hex ? 16 : 10) + static_cast<char32_t>(digit);
    }
    if (result == 0 || result > 0x10FFFF || (result >= 0xD800 && result <= 0xDFFF)) return false;
    *value = result;
    return true;
  }

  bool ParseText() {
    size_t start = pos_;
    size_t end = s_.find('<', pos_);
    if (end == std::string::npos) end = s_.size();
    std::string_view raw = std::string_view(s_).substr(start, end - start);
    pos_ = end;
    if (open_.empty()) {
      for (char c : raw) {
        if (!IsBlank(c)) {
          pos_ = start;
          return Fail("text outside the root element");
        }
      }
      return true;
    }
    std::string text;
    Unescape(raw, &text);
    return handler_->Text(text, err_);
  }

  bool ParseStartTag() {
    ++pos_;  // "<"
    std::string_view name;
    if (!ParseName(&name)) return false;
    std::vector<std::string> values;
    std::vector<std::string_view> names;
    for (;;) {
      size_t before = pos_;
      SkipBlanks();
      if (pos_ >= s_.size()) return Fail("the document ends inside a tag");
      if (s_[pos_] == '>' || StartsWith("/>")) break;
      if (pos_ == before) return Fail("a blank was expected before an attribute");
      std::string_view attribute;
      if (!ParseName(&attribute)) return false;
      SkipBlanks();
      if (pos_ >= s_.size() || s_[pos_] != '=') return Fail("\"=\" was expected");
      ++pos_;
      SkipBlanks();
      if (pos_ >= s_.size() || (s_[pos_] != '"' && s_[pos_] != '\''))
        return Fail("a quoted attribute value was expected");
      char quote = s_[pos_++];
      size_t end = s_.find(quote, pos_);
      if (end == std::string::npos) return Fail("attribute value not closed");
      std::string_view raw = std::string_view(s_).substr(pos_, end - pos_);
      // A bare "<" in a value is taken as pugixml takes it: the two readers
      // accept the same documents (both writers escape it).
      std::string value;
      Unescape(raw, &value);
      pos_ = end + 1;
      names.push_back(attribute);
      values.push_back(std::move(value));
    }
    std::vector<XmlAttributeView> attributes;
    for (size_t i = 0; i < names.size(); ++i) attributes.push_back({names[i], values[i]});
    if (!handler_->StartElement(name, attributes, err_)) return false;
    if (s_[pos_] == '>') {
      ++pos_;
      open_.push_back(name);
      return true;
    }
    pos_ += 2;  // "/>"
    return handler_->EndElement(err_);
  }

  bool ParseEndTag() {
    pos_ += 2;  // "</"
    std::string_view name;
    if (!ParseName(&name)) return false;
    SkipBlanks();
    if (pos_ >= s_.size() || s_[pos_] != '>') return Fail("\">\" was expected");
    if (open_.empty() || open_.back() != name)
      return Fail("end tag \"" + std::string(name) + "\" does not match the open element");
    ++pos_;
    open_.pop_back();
    return handler_->EndElement(err_);
  }

  const std::string& s_;
  XmlHandler* handler_;
  std::string* err_ = nullptr;
  size_t pos_ = 0;
  std::vector<std::string_view> open_;  // names of the open elements
};

// Escapes an attribute value as pugixml does, so both builds write the
// same file: "&", "<", the quotation mark and every control byte as a
// two-digit reference.
void AppendEscaped(std::string_view text, std::string* out) {
  for (char c : text) {
    unsigned char u = static_cast<unsigned char>(c);
    switch (c) {
      case '&':
        *out += "&amp;";
        break;
      case '<':
        *out += "&lt;";
        break;
      case '"':
        *out += "&quot;";
        break;
      default:
        if (u < 32) {
          *out += "&#";
          out->push_back(static_cast<char>('0' + u / 10));
          out->push_back(static_cast<char>('0' + u % 10));
          out->push_back(';');
        } else {
          out->push_back(c);
        }
    }
  }
}

class BuiltinBuilder final : public XmlBuilder {
 public:
  BuiltinBuilder() { out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }
  void Open(std::string_view name) override {
    if (!open_.empty() && !open_.back().has_children) {
      out_ += ">\n";
      open_.back().has_children = true;
    }
    out_.append(open_.size() * 2, ' ');
    out_ += '<';
    out_ += name;
    open_.push_back({std::string(name), false});
  }
  void Attribute(std::string_view name, std::string_view value) override {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    AppendEscaped(value, &out_);
    out_ += '"';
  }
  void Close() override {
    if (open_.empty()) return;
    Element element = std::move(open_.back());
    open_.pop_back();
    if (!element.has_children) {
      out_ += " />\n";
      return;
    }
    out_.append(open_.size() * 2, ' ');
    out_ += "</" + element.name + ">\n";
  }
  std::string Finish() override {
    while (!open_.empty()) Close();
    return std::move(out_);
  }

 private:
  struct Element {
    std::string name;
    bool has_children;
  };
  std::string out_;
  std::vector<Element> open_;
};

}  // namespace

bool ParseXmlBuiltin(const std::string& data, XmlHandler* handler, std::string* err) {
  BuiltinParser parser(data, handler);
  return parser.Parse(err);
}

std::unique_ptr<XmlBuilder> MakeBuiltinXmlBuilder() {
  return std::make_unique<BuiltinBuilder>();
}

}  // namespace c51::host
