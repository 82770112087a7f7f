#include "markup/element_parser.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "markup/char_class.h"
#include "markup/element_name.h"
#include "markup/node_scanner.h"
#include "platform/ascii_case.h"

// Reading the text: byte loops, here and in the scanner, stop at the 0
// byte std::string keeps after its last byte (see node_scanner.h); the two
// fast paths that read several bytes at once (SkipText, CloseTopFast) first
// check that those bytes lie before that 0.

namespace c51 {
namespace {

using markup::ByteClass;
using markup::kTextEnd;

// An element whose start tag has been read and whose end tag has not.
struct OpenElement {
  int record;
  int name_offset;   // first byte of the tag name (start + 1)
  int name_length;   // the tag name as the error texts show it
  int match_length;  // the part of it that end tags are matched against
  // The match name's hash; 0 until a search needs it (a name whose hash
  // is 0 only gets it made again).
  uint64_t hash = 0;
};

// The open elements, innermost last. End tags search it from the inside
// out. Real documents nest a dozen levels; below kIndexedFrom entries the
// search is a walk. Deeper entries are also indexed by a hash of their
// name, so that a crafted document (thousands of open elements, thousands
// of end tags that match none) does not cost depth times end tags. The
// walk compares names only where their hashes agree, each entry's hash
// made when a walk first reaches it: the usual end tag closes the
// innermost element without any search, and pays for no hash.
class OpenStack {
 public:
  static constexpr size_t kIndexedFrom = 64;

  OpenStack(const char* text, bool ignore_case) : text_(text), ignore_case_(ignore_case) {}

  bool empty() const { return entries_.empty(); }
  size_t size() const { return entries_.size(); }
  const OpenElement& operator[](size_t i) const { return entries_[i]; }
  const OpenElement& back() const { return entries_.back(); }

  void Push(const OpenElement& e) {
    // Room for none at first, then 2n + 6 whenever full.
    if (entries_.size() == entries_.capacity()) entries_.reserve(2 * entries_.size() + 6);
    entries_.push_back(e);
    if (entries_.size() > kIndexedFrom) {
      OpenElement& deep = entries_.back();
      HashOf(&deep);
      deep_[deep.hash].push_back(static_cast<int32_t>(entries_.size() - 1));
    }
  }

  // Drops the entries from `size` on.
  void PopTo(size_t size) {
    while (entries_.size() > size) {
      if (entries_.size() > kIndexedFrom) {
        auto it = deep_.find(entries_.back().hash);
        it->second.pop_back();
        if (it->second.empty()) deep_.erase(it);
      }
      entries_.pop_back();
    }
  }

  // The innermost entry whose name answers a search for `wanted`, -1 if none.
  ptrdiff_t Find(std::string_view wanted) {
    FindPrefixes(wanted);
    if (entries_.size() > kIndexedFrom) {
      ptrdiff_t deep = FindDeep(wanted);
      if (deep >= 0) return deep;
      if (deep == kCollision) return FindFrom(entries_.size(), wanted);
    }
    return FindFrom(entries_.size() < kIndexedFrom ? entries_.size() : kIndexedFrom, wanted);
  }

  std::string_view Name(const OpenElement& e) const {
    return std::string_view(text_ + e.name_offset, static_cast<size_t>(e.match_length));
  }

 private:
  static constexpr ptrdiff_t kCollision = -2;

  // A part of `wanted` that a name may equal: see FindPrefixes.
  struct Prefix {
    size_t length;
    uint64_t hash;
  };

  // The innermost of the first `end` entries that matches, -1 if none.
  ptrdiff_t FindFrom(size_t end, std::string_view wanted) {
    for (size_t i = end; i-- > 0;) {
      OpenElement& e = entries_[i];
      const Prefix* prefix = PrefixOfLength(static_cast<size_t>(e.match_length));
      if (prefix == nullptr) continue;
      if (e.hash == 0) HashOf(&e);
      if (e.hash == prefix->hash && ElementNameMatches(Name(e), wanted, ignore_case_))
        return static_cast<ptrdiff_t>(i);
    }
    return -1;
  }

  // FNV-1a over the name's characters, letters folded when case is ignored.
  static constexpr uint64_t kFnvOffset = 14695981039346656037ull;
  static constexpr uint64_t kFnvPrime = 1099511628211ull;
  uint64_t Mix(uint64_t h, std::string_view s, size_t i, size_t n) const {
    for (size_t k = 0; k < n; ++k) {
      const unsigned char c =
          static_cast<unsigned char>(n == 1 && ignore_case_ ? ToLowerAscii(s[i + k]) : s[i + k]);
      h = (h ^ c) * kFnvPrime;
    }
    return h;
  }
  void HashOf(OpenElement* e) const {
    std::string_view name = Name(*e);
    uint64_t h = kFnvOffset;
    for (size_t i = 0; i < name.size();) {
      size_t n = markup::UnitLength(name, i);
      h = Mix(h, name, i, n);
      i += n;
    }
    e->hash = h;
  }

  // A name matches `wanted` when it equals a prefix of it that ends at the
  // end of `wanted` or before one of " =/[]": each such prefix with its
  // hash, shortest first, into prefixes_.
  void FindPrefixes(std::string_view wanted) {
    prefixes_.clear();
    uint64_t h = kFnvOffset;
    for (size_t i = 0; i < wanted.size();) {
      size_t n = markup::UnitLength(wanted, i);
      h = Mix(h, wanted, i, n);
      i += n;
      if (i < wanted.size()) {
        char c = wanted[i];
        if (c != ' ' && c != '=' && c != '/' && c != '[' && c != ']') continue;
      }
      prefixes_.push_back({i, h});
    }
  }
  const Prefix* PrefixOfLength(size_t length) const {
    // The usual end tag's name holds none of " =/[]": one prefix.
    if (prefixes_.size() == 1) return prefixes_[0].length == length ? &prefixes_[0] : nullptr;
    auto it = std::lower_bound(prefixes_.begin(), prefixes_.end(), length,
                               [](const Prefix& p, size_t l) { return p.length < l; });
    return it != prefixes_.end() && it->length == length ? &*it : nullptr;
  }

  // The innermost deep match, -1 for none, kCollision when the best hash
  // hit turned out to be another name.
  ptrdiff_t FindDeep(std::string_view wanted) const {
    ptrdiff_t best = -1;
    for (const Prefix& prefix : prefixes_) {
      auto it = deep_.find(prefix.hash);
      if (it != deep_.end() && it->second.back() > best) best = it->second.back();
    }
    if (best < 0) return -1;
    if (!ElementNameMatches(Name(entries_[static_cast<size_t>(best)]), wanted, ignore_case_)) {
      return kCollision;
    }
    return best;
  }

  const char* text_;
  bool ignore_case_;
  std::vector<OpenElement> entries_;
  std::unordered_map<uint64_t, std::vector<int32_t>> deep_;  // name hash -> entry indexes
  std::vector<Prefix> prefixes_;  // of the end tag being matched, kept for its memory
};

// The first "<" or 0 byte from `p` on, `end` being the text's final 0.
// Eight bytes a round while they fit, then byte by byte: most runs between
// tags are a line break and indentation.
inline const char* SkipText(const char* p, const char* end) {
  constexpr uint64_t kOnes = 0x0101010101010101ull;
  constexpr uint64_t kHighs = 0x8080808080808080ull;
  constexpr uint64_t kLt = kOnes * '<';
  while (end - p >= 8) {
    uint64_t v;
    std::memcpy(&v, p, 8);
    // A byte becomes 0x80 where v has a 0 or a "<"; the lowest one is exact.
    uint64_t x = v ^ kLt;
    uint64_t hits = ((v - kOnes) & ~v & kHighs) | ((x - kOnes) & ~x & kHighs);
    if (hits != 0) {
      if constexpr (std::endian::native == std::endian::little) {
        return p + std::countr_zero(hits) / 8;
      } else {
        return p + std::countl_zero(hits) / 8;
      }
    }
    p += 8;
  }
  while (!(ByteClass(*p) & kTextEnd)) ++p;
  return p;
}

std::string Quoted(std::string_view s) {
  std::string out = "'";
  out += s;
  out += "'";
  return out;
}

class ElementParser {
 public:
  ElementParser(const std::string& text, int parent, bool ignore_case, ElemTable* table,
                int* next_free, std::string* error)
      : text_(text.c_str()),
        end_(text.c_str() + text.size()),
        table_(*table),
        next_free_(*next_free),
        error_(*error),
        parent_(parent),
        current_(parent),
        level_((*table)[parent].level()),
        stack_(text.c_str(), ignore_case) {}

  int Run();

 private:
  ElemSpan& Rec(int i) { return table_[i]; }
  int Allocate();
  void AddElement(size_t start, size_t length, bool empty, size_t name_length, size_t match_length);
  size_t OpenFast(const char* s);
  size_t CloseTopFast(const char* s);
  void EndTag(const MarkupNode& node);
  void CloseMatched(size_t index, size_t end_start, size_t end_length, std::string_view end_name);
  void CloseImplicitly(size_t keep, int target);
  void FlagDamage() {
    Rec(parent_).flags_level |= kElemBadlyFormed;
    Rec(current_).flags_level |= kElemBadContent;
  }
  // Keeps the first error. `text` builds its message only then: damaged
  // input has as many errors as bytes, and only the first is shown.
  template <typename Text>
  void SetErrorOnce(const Text& text) {
    if (error_.empty()) error_ = text();
  }
  std::string InnermostName() const {
    const OpenElement& e = stack_.back();
    return Quoted(std::string_view(text_ + e.name_offset, static_cast<size_t>(e.name_length)));
  }

  const char* text_;
  const char* end_;  // the final 0
  ElemTable& table_;
  int& next_free_;
  std::string& error_;
  int parent_;
  int current_;  // innermost open element, or parent_
  int level_;
  int first_ = 0;
  OpenStack stack_;
};

int ElementParser::Allocate() {
  size_t in_use = static_cast<size_t>(next_free_);
  if (in_use >= table_.reserved()) {
    size_t grown = in_use + in_use / 2;  // one and a half times the records in use
    table_.Reserve(grown > in_use ? grown : in_use + 1, in_use);
  }
  return next_free_++;
}

void ElementParser::AddElement(size_t start, size_t length, bool empty, size_t name_length,
                               size_t match_length) {
  int r = Allocate();
  if (first_ == 0) first_ = r;
  ElemSpan& rec = Rec(r);
  ElemSpan& parent = Rec(current_);
  uint32_t flags;
  if (parent.first_child != 0) {
    ElemSpan& first = Rec(parent.first_child);
    int last = first.prev;
    rec.prev = last;
    Rec(last).next = r;
    first.prev = r;
    flags = 0;
  } else {
    parent.first_child = r;
    rec.prev = r;
    flags = kElemFirstChild;
  }
  // The level field has 16 bits; deeper nesting stays at its maximum.
  size_t level = static_cast<size_t>(level_) + stack_.size();
  flags |= level > kElemLevelMask ? kElemLevelMask : static_cast<uint32_t>(level);
  if (empty) flags |= kElemEmptyTag;
  rec.flags_level = flags;
  rec.start = static_cast<int32_t>(start);
  rec.length = static_cast<int32_t>(length);
  rec.set_tag_lengths(length, 0);
  rec.parent = current_;
  rec.first_child = 0;
  rec.next = 0;
  if (empty) return;
  stack_.Push({r, static_cast<int>(start + 1), static_cast<int>(name_length),
               static_cast<int>(match_length)});
  current_ = r;
}

// The usual start tag, "<name>" with a plain name and nothing else; the
// scanner handles the rest. Returns the tag's length, 0 when not taken.
size_t ElementParser::OpenFast(const char* s) {
  const char* p = s + 1;
  if (!(ByteClass(*p) & markup::kTagNameStart)) return 0;
  while (ByteClass(*p) & markup::kPlainName) ++p;
  if (*p != '>') return 0;
  size_t name_length = static_cast<size_t>(p - (s + 1));
  AddElement(static_cast<size_t>(s - text_), name_length + 2, false, name_length, name_length);
  return name_length + 2;
}

// The usual case: "</name>" closing the innermost element. Compares bytes
// until the first difference, so it stops at the text's final 0. Returns
// the end tag's length, 0 when the general path must decide.
size_t ElementParser::CloseTopFast(const char* s) {
  const OpenElement& top = stack_.back();
  const char* name = text_ + top.name_offset;
  const char* q = s + 2;
  size_t n = static_cast<size_t>(top.match_length);
  if (static_cast<size_t>(end_ - q) <= n || std::memcmp(q, name, n) != 0 || q[n] != '>') return 0;
  ElemSpan& e = Rec(top.record);
  e.length =
      static_cast<int32_t>(static_cast<size_t>(s - text_) + n + 3 - static_cast<size_t>(e.start));
  e.set_tag_lengths(static_cast<size_t>(e.start_tag_length()), n + 3);
  stack_.PopTo(stack_.size() - 1);
  current_ = stack_.empty() ? parent_ : stack_.back().record;
  return n + 3;
}

void ElementParser::EndTag(const MarkupNode& node) {
  ptrdiff_t match = stack_.Find(node.name);
  if (match >= 0) {
    CloseMatched(static_cast<size_t>(match), node.start, node.length, node.name);
    return;
  }
  FlagDamage();
  SetErrorOnce([&node] {
    return "No start tag for end tag " + Quoted(node.name) + " at offset " +
           std::to_string(node.start);
  });
}

void ElementParser::CloseMatched(size_t index, size_t end_start, size_t end_length,
                                 std::string_view end_name) {
  if (index + 1 < stack_.size()) {
    // The "/" after "<" is the offset this text has always shown.
    SetErrorOnce([&] {
      return "End tag " + Quoted(end_name) + " at offset " + std::to_string(end_start + 1) +
             " does not match start tag " + InnermostName() + " at offset " +
             std::to_string(stack_.back().name_offset - 1);
    });
    CloseImplicitly(index + 1, stack_[index].record);
  }
  ElemSpan& e = Rec(stack_[index].record);
  e.length = static_cast<int32_t>(end_start + end_length - static_cast<size_t>(e.start));
  e.set_tag_lengths(static_cast<size_t>(e.start_tag_length()), end_length);
  stack_.PopTo(index);
  current_ = stack_.empty() ? parent_ : stack_.back().record;
}

// Closes the open elements from stack index `keep` inward without end tag.
// Closing them one by one, innermost first, makes each one's children its
// following siblings, which piles everything up under `target` (the element
// at `keep` - 1, or parent_): element `keep`, its children, element
// `keep` + 1 (its last child), that one's children, and so on. Doing it in
// one pass touches each moved record once.
void ElementParser::CloseImplicitly(size_t keep, int target) {
  Rec(parent_).flags_level |= kElemBadlyFormed;
  bool damaged = false;
  int tail = 0;
  for (size_t j = keep; j < stack_.size(); ++j) {
    int id = stack_[j].record;
    ElemSpan& e = Rec(id);
    if (e.flags_level & kElemBadContent) {
      damaged = true;
      e.flags_level &= ~kElemBadContent;
    }
    e.flags_level |= kElemNoEndTag;
    e.set_tag_lengths(static_cast<size_t>(e.start_tag_length()), 0);
    e.length = e.start_tag_length();
    int child = e.first_child;
    e.first_child = 0;
    tail = id;
    if (child == 0) continue;
    e.next = child;
    ElemSpan& first = Rec(child);
    tail = first.prev;
    first.prev = id;
    first.flags_level &= ~kElemFirstChild;
    for (int c = child; c != 0; c = Rec(c).next) Rec(c).parent = target;
  }
  Rec(Rec(target).first_child).prev = tail;
  if (damaged) Rec(target).flags_level |= kElemBadContent;
  stack_.PopTo(keep);
  current_ = target;
}

int ElementParser::Run() {
  error_.clear();
  MarkupNode node;
  size_t pos = 0;
  for (;;) {
    const char* s = text_ + pos;
    if (*s != '<') {
      if (*s == 0) break;
      // Text and whitespace nodes play no part here: go to the next "<".
      pos = static_cast<size_t>(SkipText(s + 1, end_) - text_);
      continue;
    }
    size_t taken = s[1] == '/' ? (stack_.empty() ? 0 : CloseTopFast(s)) : OpenFast(s);
    if (taken != 0) {
      pos += taken;
      continue;
    }
    markup::ScanNode(text_, pos, &node);
    switch (node.kind) {
      case kNodeStartTag:
        AddElement(node.start, node.length, (node.flags & kNodeEmptyElement) != 0, node.name.size(),
                   node.match_length);
        break;
      case kNodeEndTag:
        EndTag(node);
        break;
      case kNodeError:
        FlagDamage();
        SetErrorOnce([&node] { return node.ErrorText(); });
        break;
      default:  // text, whitespace, CDATA, comments, PIs, DOCTYPE
        break;
    }
    pos += node.length;
  }
  if (!stack_.empty()) {
    // Only the innermost element is named.
    SetErrorOnce([this] {
      return "Element " + InnermostName() + " at offset " +
             std::to_string(stack_.back().name_offset - 1) + " not ended";
    });
    CloseImplicitly(0, parent_);
  }
  return first_;
}

}  // namespace

int ParseElements(const std::string& text, int parent, bool ignore_case, ElemTable* table,
                  int* next_free, std::string* error) {
  if (text.size() > kMaxMarkupTextSize) {
    error->assign("Document too large");
    (*table)[parent].flags_level |= kElemBadlyFormed;
    return 0;
  }
  ElementParser parser(text, parent, ignore_case, table, next_free, error);
  return parser.Run();
}

}  // namespace c51
