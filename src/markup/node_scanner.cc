#include "markup/node_scanner.h"

#include "markup/char_class.h"

namespace c51::markup {
namespace {

void SetError(MarkupNode* node, const char* what) {
  node->kind = kNodeError;
  node->error_what = what;
  node->unterminated = false;
}

// The node runs to the end of the text without its closing string.
void SetUnterminated(MarkupNode* node, const char* s, const char* end, const char* what) {
  node->kind = kNodeError;
  node->name = {};
  node->match_length = 0;
  node->length = static_cast<size_t>(end - s);
  node->error_what = what;
  node->unterminated = true;
}

// Inside a start tag (or an error node) a quote opens a value only right
// after "=" (blanks between allowed); an "=" directly after that "=" starts
// an unquoted value instead.
enum class AttrState { kPlain, kAfterEquals };

// Feeds one byte of tag text to the quote rules. Returns the quote that
// opens a value, or 0.
inline char StepAttr(char c, AttrState* state) {
  if (c == '=') {
    *state = *state == AttrState::kAfterEquals ? AttrState::kPlain : AttrState::kAfterEquals;
  } else if (c == '"' || c == '\'') {
    bool opens = *state == AttrState::kAfterEquals;
    *state = AttrState::kPlain;
    if (opens) return c;
  } else if (!IsBlank(c)) {
    *state = AttrState::kPlain;
  }
  return 0;
}

// Past the closing quote `q`, or at the 0.
inline const char* SkipQuoted(const char* p, char q) {
  for (;;) {
    while (!(ByteClass(*p) & kQuoteEnd)) ++p;
    if (*p == q) return p + 1;
    if (*p == 0) return p;
    ++p;  // the other quote
  }
}

void ScanStartTag(const char* s, MarkupNode* node) {
  const char* p = s + 1;
  const char* match_end = nullptr;
  for (;;) {
    uint16_t cls = ByteClass(*p);
    if (cls & kTagNameEnd) break;
    if ((cls & kElemNameEnd) && !match_end) match_end = p;
    p += (cls & kLeadByte) ? UnitLength(p) : 1;
  }
  const char* name_end = p;
  node->kind = kNodeStartTag;
  node->name = std::string_view(s + 1, static_cast<size_t>(name_end - (s + 1)));
  node->match_length = static_cast<size_t>((match_end ? match_end : name_end) - (s + 1));

  AttrState state = AttrState::kPlain;
  for (;;) {
    while (!(ByteClass(*p) & kTagInner)) {
      if (!IsBlank(*p)) state = AttrState::kPlain;
      ++p;
    }
    char c = *p;
    if (c == 0) return SetUnterminated(node, s, p, "Element tag");
    if (c == '>') break;
    char quote = StepAttr(c, &state);
    ++p;
    if (quote) p = SkipQuoted(p, quote);  // a 0 inside is reported by the next round
  }
  // p is at the closing ">".
  if (p[-1] == '/' && (p - 1 == name_end || IsBlank(p[-2]) || p[-2] == '"' || p[-2] == '\'')) {
    node->flags = kNodeEmptyElement;
  }
  node->length = static_cast<size_t>(p + 1 - s);
}

void ScanEndTag(const char* s, MarkupNode* node) {
  const char* p = s + 2;
  while (!(ByteClass(*p) & kBlank) && *p != '>' && *p != 0) ++p;
  node->kind = kNodeEndTag;
  node->name = std::string_view(s + 2, static_cast<size_t>(p - (s + 2)));
  while (*p != '>' && *p != 0) ++p;
  if (*p == 0) return SetUnterminated(node, s, p, "Element end tag");
  node->length = static_cast<size_t>(p + 1 - s);
}

// Nodes closed by ">" alone or by a two- or three-character string ending
// in ">". The closing string is checked by looking back from each ">", so
// it may share characters with the opening ("<?>" and "<!-->" are closed).
void ScanClosedBy(const char* s, size_t skip, std::string_view closing, int kind, const char* what,
                  MarkupNode* node) {
  const char* p = s + skip;
  size_t back = closing.size() - 1;
  for (;;) {
    while (*p != '>' && *p != 0) ++p;
    if (*p == 0) return SetUnterminated(node, s, p, what);
    if (std::string_view(p - back, closing.size()) == closing) break;
    ++p;
  }
  node->kind = kind;
  node->length = static_cast<size_t>(p + 1 - s);
}

// CDATA content is stepped character by character so that the trail byte
// of a GBK character is never taken for a "]" of the closing "]]>".
void ScanCdata(const char* s, MarkupNode* node) {
  const char* p = s + 4;  // after "<![C"
  int brackets = 0;       // "]" characters right before p
  for (;;) {
    char c = *p;
    if (c == 0) return SetUnterminated(node, s, p, "CDATA Section");
    if (c == '>' && brackets >= 2) break;
    if (c == ']') {
      ++brackets;
      ++p;
    } else {
      brackets = 0;
      p += UnitLength(p);
    }
  }
  node->kind = kNodeCdata;
  node->length = static_cast<size_t>(p + 1 - s);
}

bool StartsDeclaration(const char* p) {
  return p[0] == '<' && p[1] == '!' && (p[2] == 'E' || p[2] == 'A' || p[2] == 'N');
}

// A DOCTYPE ends at the first ">" outside nested markup. "<" opens nested
// markup; a declaration ("<!ELEMENT", "<!ATTLIST", "<!ENTITY", "<!NOTATION")
// honours quotes until its own ">". A depth counter, not recursion.
void ScanDoctype(const char* s, MarkupNode* node) {
  const char* p = s + 2;
  size_t depth = 0;
  size_t declaration_depth = 0;  // depth of the innermost open declaration, 0 if none
  for (;;) {
    char c = *p;
    if (c == 0) return SetUnterminated(node, s, p, "Doctype");
    if (c == '<') {
      ++depth;
      if (declaration_depth == 0 && StartsDeclaration(p)) declaration_depth = depth;
    } else if (c == '>') {
      if (depth == 0) break;
      if (depth == declaration_depth) declaration_depth = 0;
      --depth;
    } else if ((c == '"' || c == '\'') && declaration_depth != 0) {
      p = SkipQuoted(p + 1, c);
      continue;
    }
    ++p;
  }
  node->kind = kNodeDoctype;
  node->length = static_cast<size_t>(p + 1 - s);
}

// An error node ends after its next ">" or before its next "<", quotes
// tracked as in a start tag. Scanning starts after the "<" so the node
// always advances.
void ScanError(const char* s, const char* what, MarkupNode* node) {
  SetError(node, what);
  const char* p = s + 1;
  AttrState state = AttrState::kPlain;
  for (;;) {
    char c = *p;
    if (c == 0) return SetUnterminated(node, s, p, "tag");
    if (c == '<') break;
    ++p;
    if (c == '>') break;
    char quote = StepAttr(c, &state);
    if (quote) p = SkipQuoted(p, quote);
  }
  node->length = static_cast<size_t>(p - s);
}

}  // namespace

void ScanNode(const char* text, size_t offset, MarkupNode* node) {
  const char* s = text + offset;
  node->start = offset;
  node->flags = 0;
  node->name = {};
  node->match_length = 0;
  node->error_what = nullptr;
  node->unterminated = false;

  if (*s == 0) {
    node->kind = kNodeEnd;
    node->length = 0;
    return;
  }
  if (*s != '<') {
    const char* p = s;
    while (IsBlank(*p)) ++p;
    if (p != s && (*p == '<' || *p == 0)) {
      node->kind = kNodeWhitespace;
    } else {
      // Text ends before "<", after ">", or at the end of the text.
      node->kind = kNodeText;
      while (!(ByteClass(*p) & kTextEnd) && *p != '>') ++p;
      if (*p == '>') ++p;
    }
    node->length = static_cast<size_t>(p - s);
    return;
  }

  char c1 = s[1];
  if (ByteClass(c1) & kTagNameStart) return ScanStartTag(s, node);
  if (c1 == '/') return ScanEndTag(s, node);
  if (c1 == '?')
    return ScanClosedBy(s, 2, "?>", kNodeProcessingInstruction, "Processing instruction", node);
  if (c1 != '!') return ScanError(s, "tag name character", node);
  char c2 = s[2];
  if (c2 == '-') {
    if (s[3] == '-') return ScanClosedBy(s, 4, "-->", kNodeComment, "Comment", node);
    return ScanError(s, "comment tag", node);
  }
  if (c2 == '[') {
    if (s[3] == 'C') return ScanCdata(s, node);
    return ScanError(s, "tag", node);
  }
  if (c2 == 'D') return ScanDoctype(s, node);
  if (c2 == 'E' || c2 == 'A' || c2 == 'N') {
    return ScanClosedBy(s, 3, ">", kNodeDoctype, "Doctype", node);
  }
  return ScanError(s, "! tag", node);
}

}  // namespace c51::markup

namespace c51 {

std::string MarkupNode::ErrorText() const {
  if (error_what == nullptr) return {};
  std::string text = unterminated ? "" : "Incorrect ";
  text += error_what;
  text += " at offset ";
  text += std::to_string(start);
  if (unterminated) text += " unterminated";
  return text;
}

}  // namespace c51
