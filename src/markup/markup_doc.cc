#include "markup/markup_doc.h"

#include "markup/doc_file.h"
#include "markup/element_name.h"
#include "markup/element_parser.h"
#include "markup/entities.h"
#include "markup/node_scanner.h"

namespace c51 {
namespace {

// Calls `on_text` with each text node of `content` and `on_cdata` with
// each CDATA section's inner bytes, in order; other nodes are passed over.
// `content` must be a std::string: the scanner stops at its 0.
template <typename OnText, typename OnCdata>
void ForEachTextRun(const std::string& content, const OnText& on_text, const OnCdata& on_cdata) {
  NodeScanner scanner(content);
  MarkupNode node;
  while (scanner.Next(&node)) {
    std::string_view bytes(content.data() + node.start, node.length);
    if (node.kind == kNodeText) {
      on_text(bytes);
    } else if (node.kind == kNodeCdata) {
      // Between "<![CDATA[" and "]]>"; a short, odd opening such as
      // "<![C]]>" gives nothing.
      size_t inner_end = bytes.size() - 3;
      size_t inner_start = inner_end < 9 ? inner_end : 9;
      on_cdata(bytes.substr(inner_start, inner_end - inner_start));
    }
  }
}

}  // namespace

MarkupDoc::MarkupDoc() {
  Parse();
}

bool MarkupDoc::Load(const std::string& path) {
  if (!ReadDocFile(path, &text_, &result_)) return false;
  return Parse();
}

bool MarkupDoc::AssignText(std::string text) {
  text_ = std::move(text);
  result_.clear();
  return Parse();
}

bool MarkupDoc::IsWellFormedDoc() const {
  if (table_.reserved() == 0) return false;
  const ElemSpan& doc = table_[0];
  return !(doc.flags_level & kElemBadlyFormed) && doc.first_child != 0 &&
         table_[doc.first_child].next == 0;
}

bool MarkupDoc::Parse() {
  std::string kept = std::move(result_);  // the byte count of a Load
  result_.clear();
  ClearPositions();
  next_free_ = 1;
  // About one element per 64 bytes to begin with.
  bool too_large = text_.size() > kMaxMarkupTextSize;
  table_.Reset((too_large ? 0 : text_.size() / 64) + 8);
  table_[0] = ElemSpan{};

  std::string error;
  if (text_.empty()) {
    error = "Empty document";
  } else if (too_large) {
    // Offsets are 32-bit; such a text is refused rather than misread.
    error = "Document too large";
    table_[0].flags_level |= kElemBadlyFormed;
  } else {
    int first =
        ParseElements(text_, 0, (doc_flags_ & kDocIgnoreCase) != 0, &table_, &next_free_, &error);
    table_[0].length = static_cast<int32_t>(text_.size());
    // These two replace whatever the element parser found.
    if (first == 0) {
      error = "No root element";
    } else {
      table_[0].first_child = first;
      if (table_[first].next != 0) error = "Root element has sibling";
    }
  }
  ClearPositions();
  if (!kept.empty()) {
    result_ = std::move(kept);
    if (!error.empty()) result_ += ", " + error;
  } else {
    result_ = std::move(error);
  }
  return IsWellFormedDoc();
}

void MarkupDoc::ClearPositions() {
  parent_pos_ = current_pos_ = child_pos_ = 0;
  node_type_ = node_offset_ = node_length_ = 0;
}

void MarkupDoc::PositionsMoved() {
  node_offset_ = node_length_ = 0;
  node_type_ = current_pos_ != 0 ? 1 : 0;
}

void MarkupDoc::RewindPos() {
  parent_pos_ = current_pos_ = child_pos_ = 0;
  PositionsMoved();
}

std::string_view MarkupDoc::NameOf(int index) const {
  return ElementNameAt(text_.c_str() + table_[index].start + 1);
}

int MarkupDoc::FindFrom(int parent, int after, std::string_view name) const {
  int candidate = after != 0 ? table_[after].next : table_[parent].first_child;
  if (name.empty()) return candidate;
  bool ignore_case = (doc_flags_ & kDocIgnoreCase) != 0;
  for (; candidate != 0; candidate = table_[candidate].next) {
    if (ElementNameMatches(NameOf(candidate), name, ignore_case)) return candidate;
  }
  return 0;
}

bool MarkupDoc::FindElem(std::string_view name) {
  int found = FindFrom(parent_pos_, current_pos_, name);
  if (found == 0) return false;
  current_pos_ = found;
  parent_pos_ = table_[found].parent;
  child_pos_ = 0;
  PositionsMoved();
  return true;
}

bool MarkupDoc::FindChildElem(std::string_view name) {
  if (current_pos_ == 0 && !FindElem()) return false;
  int found = FindFrom(current_pos_, child_pos_, name);
  if (found == 0) return false;
  child_pos_ = found;
  current_pos_ = table_[found].parent;
  parent_pos_ = table_[current_pos_].parent;
  PositionsMoved();
  return true;
}

bool MarkupDoc::EnterElem() {
  if (current_pos_ == 0 || node_type_ != 1) return false;
  parent_pos_ = current_pos_;
  current_pos_ = child_pos_;
  child_pos_ = 0;
  PositionsMoved();
  return true;
}

bool MarkupDoc::LeaveElem() {
  if (parent_pos_ == 0) return false;
  child_pos_ = current_pos_;
  current_pos_ = parent_pos_;
  parent_pos_ = table_[parent_pos_].parent;
  PositionsMoved();
  return true;
}

std::string_view MarkupDoc::GetChildName() const {
  if (child_pos_ == 0) return {};
  return NameOf(child_pos_);
}

std::string MarkupDoc::GetChildData() const {
  if (child_pos_ == 0) return {};
  const ElemSpan& e = table_[child_pos_];
  if (e.first_child != 0) return {};
  size_t length = static_cast<size_t>(e.length);
  size_t start_tag = static_cast<size_t>(e.start_tag_length());
  size_t end_tag = static_cast<size_t>(e.end_tag_length());
  // Tags too long for their packed fields are stored clamped; the real
  // lengths are found again here, where they matter.
  if (start_tag == kMaxStartTagLength) {
    MarkupNode tag;
    markup::ScanNode(text_.c_str(), static_cast<size_t>(e.start), &tag);
    start_tag = tag.length;
  }
  if (end_tag == kMaxEndTagLength && start_tag < length) {
    // The end tag's "<" is the last one: nothing after it in the tag is a "<".
    std::string_view rest(text_.data() + e.start + start_tag, length - start_tag);
    size_t lt = rest.rfind('<');
    if (lt != std::string_view::npos) end_tag = rest.size() - lt;
  }
  // No content: an empty-element tag or an element without end tag.
  if (start_tag >= length || start_tag + end_tag > length) return {};
  std::string_view content(text_.data() + e.start + start_tag, length - start_tag - end_tag);
  if (content.find('<') == std::string_view::npos) return DecodeEntities(content);

  // Mixed content: text and CDATA sections count, the rest is dropped. Two
  // passes, so that the text runs' references convert together.
  std::string copy(content);  // the scanner needs the 0 at the end
  EntityDecoder decoder;
  ForEachTextRun(
      copy, [&decoder](std::string_view text) { decoder.Collect(text); }, [](std::string_view) {});
  decoder.Convert();
  std::string data;
  ForEachTextRun(
      copy, [&](std::string_view text) { decoder.Append(text, &data); },
      [&data](std::string_view cdata) { data.append(cdata); });
  return data;
}

}  // namespace c51
