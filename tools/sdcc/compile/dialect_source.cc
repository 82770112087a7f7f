#include "sdcc/compile/dialect_source.h"

#include <algorithm>

namespace c51::sdcc {

DialectSource::DialectSource(std::string_view text, const TokenList& list,
                             std::vector<DialectIssue>* issues)
    : text_(text), tokens_(list.tokens), files_(list.files), issues_(issues) {
  FindMates();
  FindBodies();
}

void DialectSource::FindMates() {
  mates_.assign(tokens_.size(), kNone);
  std::vector<size_t> open;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (tokens_[i].kind != TokenKind::kPunct) continue;
    const std::string_view s = At(i);
    if (s == "(" || s == "[" || s == "{") {
      open.push_back(i);
      continue;
    }
    const char want = s == ")" ? '(' : s == "]" ? '[' : s == "}" ? '{' : '\0';
    if (want == '\0') continue;
    // A stray closer ends the unfinished groups inside its own kind.
    while (!open.empty() && At(open.back())[0] != want) open.pop_back();
    if (open.empty()) continue;
    mates_[open.back()] = i;
    mates_[i] = open.back();
    open.pop_back();
  }
}

// A "{" at file scope opens a function body unless it starts an initializer
// ("= {") or the body of a struct, union or enum.
void DialectSource::FindBodies() {
  body_of_.assign(tokens_.size(), kNone);
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (!Is(i, "{")) continue;
    const size_t close = mates_[i];
    const bool aggregate =
        i > 0 &&
        (Is(i - 1, "=") || Is(i - 1, "struct") || Is(i - 1, "union") || Is(i - 1, "enum") ||
         (i > 1 && IsWord(i - 1) &&
          (Is(i - 2, "struct") || Is(i - 2, "union") || Is(i - 2, "enum"))));
    if (aggregate || close == kNone) continue;
    std::fill(body_of_.begin() + i, body_of_.begin() + close + 1, i);
    i = close;
  }
}

std::vector<std::pair<size_t, size_t>> DialectSource::Items(size_t open) const {
  std::vector<std::pair<size_t, size_t>> out;
  const size_t close = Mate(open);
  if (close == kNone || close == open + 1) return out;
  size_t first = open + 1;
  for (size_t k = open + 1; k <= close;) {
    if (k == close || Is(k, ",")) {
      out.emplace_back(first, k);
      first = k + 1;
      ++k;
      continue;
    }
    const size_t mate = Mate(k);
    k = mate != kNone && mate > k && mate < close ? mate + 1 : k + 1;
  }
  return out;
}

bool IsTypeWord(std::string_view word) {
  static constexpr std::string_view kWords[] = {
      "void",   "char",     "short",    "int",      "long",    "float",   "double",
      "signed", "unsigned", "_Bool",    "bit",      "__bit",   "struct",  "union",
      "enum",   "const",    "volatile", "register", "data",    "idata",   "pdata",
      "xdata",  "code",     "__data",   "__idata",  "__pdata", "__xdata", "__code"};
  for (std::string_view w : kWords) {
    if (word == w) return true;
  }
  return false;
}

std::string SdccMemoryWord(std::string_view word) {
  for (std::string_view w : {"data", "idata", "pdata", "xdata", "code", "bit"}) {
    if (word == w) return "__" + std::string(w);
  }
  return std::string(word);
}

std::string DialectSource::Join(size_t first, size_t last) const {
  std::string out;
  for (size_t i = first; i < last && i < tokens_.size(); ++i) {
    if (i > first) out += ' ';
    out += At(i);
  }
  return out;
}

void DialectSource::Replace(size_t first, size_t last, std::string text) {
  const size_t begin = tokens_[first].begin;
  const size_t end = tokens_[last - 1].end;
  text += std::string(std::count(text_.begin() + begin, text_.begin() + end, '\n'), '\n');
  edits_.push_back(Edit{begin, end, std::move(text)});
}

void DialectSource::InsertBefore(size_t i, std::string text) {
  edits_.push_back(Edit{tokens_[i].begin, tokens_[i].begin, std::move(text)});
}

void DialectSource::InsertAfter(size_t i, std::string text) {
  edits_.push_back(Edit{tokens_[i].end, tokens_[i].end, std::move(text)});
}

void DialectSource::InsertAtOffset(size_t offset, std::string text) {
  edits_.push_back(Edit{offset, offset, std::move(text)});
}

namespace {

// An edit inside [begin, end); an insertion at either end is not.
bool IsInside(const Edit& e, size_t begin, size_t end) {
  return e.begin >= begin && e.end <= end &&
         !(e.begin == e.end && (e.end == begin || e.begin == end));
}

}  // namespace

std::string DialectSource::Copy(size_t first, size_t last) const {
  const size_t begin = tokens_[first].begin;
  const size_t end = tokens_[last - 1].end;
  std::vector<Edit> inside;
  for (const Edit& e : edits_) {
    if (IsInside(e, begin, end)) inside.push_back(e);
  }
  std::stable_sort(inside.begin(), inside.end(), [](const Edit& a, const Edit& b) {
    return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
  });
  std::string out;
  size_t pos = begin;
  for (const Edit& e : inside) {
    if (e.begin < pos) continue;
    out.append(text_.substr(pos, e.begin - pos));
    out += e.text;
    pos = e.end;
  }
  out.append(text_.substr(pos, end - pos));
  std::replace(out.begin(), out.end(), '\n', ' ');
  return out;
}

std::string DialectSource::Take(size_t first, size_t last) {
  std::string out = Copy(first, last);
  const size_t begin = tokens_[first].begin;
  const size_t end = tokens_[last - 1].end;
  edits_.erase(std::remove_if(edits_.begin(), edits_.end(),
                              [&](const Edit& e) { return IsInside(e, begin, end); }),
               edits_.end());
  return out;
}

TypedefWords PlainTypedefs(const DialectSource& s) {
  TypedefWords out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.Is(i, "typedef")) continue;
    std::vector<std::string> words;
    size_t k = i + 1;
    for (; k < s.size() && (s.IsWord(k) || s.Is(k, "*")); ++k) words.emplace_back(s.At(k));
    if (!s.Is(k, ";") || words.size() < 2 || words.back() == "*") continue;
    const std::string name = words.back();
    words.pop_back();
    std::vector<std::string> expanded;
    for (const std::string& w : words) {
      auto known = out.find(w);
      if (known == out.end()) {
        expanded.push_back(w);
      } else {
        expanded.insert(expanded.end(), known->second.begin(), known->second.end());
      }
    }
    out[name] = std::move(expanded);
  }
  return out;
}

std::set<std::string, std::less<>> TypedefNames(const DialectSource& s) {
  std::set<std::string, std::less<>> out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (!s.Is(i, "typedef")) continue;
    size_t k = i + 1;
    while (k < s.size() && !s.Is(k, ";")) {
      if (s.Is(k, "{")) {
        const size_t close = s.Mate(k);
        if (close == DialectSource::kNone) break;
        k = close + 1;
        continue;
      }
      if (s.IsWord(k) && !IsTypeWord(s.At(k))) out.emplace(s.At(k));
      ++k;
    }
    i = k;
  }
  return out;
}

void DialectSource::InsertOnFirstLine(const std::string& text) {
  const size_t end = text_.find('\n');
  if (text_.empty() || text_[0] != '#' || end == std::string_view::npos) {
    InsertAtOffset(0, text + " ");
    return;
  }
  InsertAtOffset(end + 1, text + "\n" + std::string(text_.substr(0, end + 1)));
}

void DialectSource::Issue(size_t i, std::string text) {
  issues_->push_back(DialectIssue{FileOf(i), tokens_[i].line, std::move(text)});
}

void DialectSource::Issue(int file, int line, std::string text) {
  issues_->push_back(DialectIssue{files_[file], line, std::move(text)});
}

void DialectSource::Apply(std::string* out) {
  // Insertions go before a replacement that starts at the same place.
  std::stable_sort(edits_.begin(), edits_.end(), [](const Edit& a, const Edit& b) {
    return a.begin != b.begin ? a.begin < b.begin : a.end < b.end;
  });
  out->clear();
  out->reserve(text_.size() + text_.size() / 8);
  size_t pos = 0;
  for (const Edit& e : edits_) {
    if (e.begin < pos) continue;
    out->append(text_.substr(pos, e.begin - pos));
    *out += e.text;
    pos = e.end;
  }
  out->append(text_.substr(pos));
}

namespace {

// Recursive descent over C's integer operators, lowest precedence first.
class Evaluator {
 public:
  Evaluator(const DialectSource& source, size_t last, const ConstantLookup& lookup)
      : s_(source), last_(last), lookup_(lookup) {}

  bool Run(size_t first, uint32_t* value) {
    pos_ = first;
    return Binary(0, value) && pos_ == last_;
  }

 private:
  // Levels: | ^ & shifts sums products.
  static constexpr int kLevels = 6;

  bool OperatorAt(int level, char* op) {
    if (pos_ >= last_) return false;
    const std::string_view t = s_.At(pos_);
    static constexpr std::string_view kOps[kLevels][3] = {{"|", "", ""},  {"^", "", ""},
                                                          {"&", "", ""},  {"<<", ">>", ""},
                                                          {"+", "-", ""}, {"*", "/", "%"}};
    for (std::string_view o : kOps[level]) {
      if (!o.empty() && t == o) {
        *op = o[0];
        return true;
      }
    }
    return false;
  }

  bool Binary(int level, uint32_t* v) {
    if (level == kLevels) return Unary(v);
    if (!Binary(level + 1, v)) return false;
    char op;
    while (OperatorAt(level, &op)) {
      ++pos_;
      uint32_t r;
      if (!Binary(level + 1, &r)) return false;
      switch (op) {
        case '|':
          *v |= r;
          break;
        case '^':
          *v ^= r;
          break;
        case '&':
          *v &= r;
          break;
        case '<':
          if (r > 31) return false;
          *v <<= r;
          break;
        case '>':
          if (r > 31) return false;
          *v >>= r;
          break;
        case '+':
          *v += r;
          break;
        case '-':
          *v -= r;
          break;
        case '*':
          *v *= r;
          break;
        default:
          if (r == 0) return false;
          *v = op == '/' ? *v / r : *v % r;
      }
    }
    return true;
  }

  bool Unary(uint32_t* v) {
    if (pos_ >= last_) return false;
    if (s_.Is(pos_, "-") || s_.Is(pos_, "~") || s_.Is(pos_, "+")) {
      const char op = s_.At(pos_)[0];
      ++pos_;
      if (!Unary(v)) return false;
      if (op == '-') *v = 0u - *v;
      if (op == '~') *v = ~*v;
      return true;
    }
    if (s_.Is(pos_, "(")) {
      ++pos_;
      if (!Binary(0, v) || pos_ >= last_ || !s_.Is(pos_, ")")) return false;
      ++pos_;
      return true;
    }
    if (s_.IsNumber(pos_)) {
      if (!ParseCInteger(s_.At(pos_), v)) return false;
      ++pos_;
      return true;
    }
    if (s_.IsWord(pos_) && lookup_ && lookup_(s_.At(pos_), v)) {
      ++pos_;
      return true;
    }
    return false;
  }

  const DialectSource& s_;
  size_t last_;
  const ConstantLookup& lookup_;
  size_t pos_ = 0;
};

}  // namespace

bool EvaluateConstant(const DialectSource& source, size_t first, size_t last,
                      const ConstantLookup& lookup, uint32_t* value) {
  if (first >= last || last > source.size()) return false;
  return Evaluator(source, last, lookup).Run(first, value);
}

}  // namespace c51::sdcc
