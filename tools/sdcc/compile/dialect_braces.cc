#include "sdcc/compile/dialect_braces.h"

#include <algorithm>
#include <string>
#include <vector>

#include "sdcc/compile/dialect_types.h"

namespace c51::sdcc {

namespace {

using Kind = CType::Kind;
constexpr size_t kNone = DialectSource::kNone;

// One value of a braced list: tokens [first, last).
struct Item {
  size_t first = 0;
  size_t last = 0;
  bool braced = false;  // "{ ... }"
  bool string = false;  // string literals only, perhaps in parentheses
};

bool IsCharArray(const CType& t) {
  return t.kind == Kind::kArray && t.element && t.element->kind == Kind::kScalar &&
         t.element->character;
}

bool Readable(const CType& t) {
  return t.kind != Kind::kUnknown && (t.kind != Kind::kRecord || t.complete);
}

class Initializer {
 public:
  Initializer(DialectSource* source, std::string object) : s_(*source), object_(object) {}

  // The list opened at `open` initialises an object of `type`.
  void Complete(const CType& type, size_t open) {
    if (Braced(type, open)) {
      for (Edit& e : edits_) s_.edits()->push_back(std::move(e));
    } else if (!problem_.empty()) {
      s_.Issue(problem_at_, problem_);
    }
  }

 private:
  // False for a list this bridge does not read: designators, brackets
  // without a mate.
  bool Items(size_t open, std::vector<Item>* items) const {
    const size_t close = s_.Mate(open);
    if (close == kNone) return false;
    size_t pos = open + 1;
    while (pos < close) {
      if (s_.Is(pos, ".") || s_.Is(pos, "[")) return false;
      Item item{pos, pos};
      if (s_.Is(pos, "{")) {
        item.braced = true;
        item.last = s_.Mate(pos) + 1;
        if (item.last > close || (item.last < close && !s_.Is(item.last, ","))) return false;
      } else {
        size_t q = pos;
        while (q < close && !s_.Is(q, ",")) {
          const size_t mate = s_.Mate(q);
          q = mate != kNone && mate > q && mate < close ? mate + 1 : q + 1;
        }
        item.last = q;
        size_t first = pos;
        size_t last = q;
        while (last - first >= 2 && s_.Is(first, "(") && s_.Mate(first) == last - 1) {
          ++first;
          --last;
        }
        item.string = first < last;
        for (size_t k = first; k < last; ++k) item.string = item.string && s_.IsString(k);
      }
      if (item.last == item.first) return false;
      items->push_back(item);
      pos = item.last;
      if (s_.Is(pos, ",")) ++pos;
    }
    return true;
  }

  bool Braced(const CType& type, size_t open) {
    std::vector<Item> items;
    if (!Items(open, &items)) return false;
    if (type.kind == Kind::kScalar) return true;
    if (!Readable(type)) return false;
    if (IsCharArray(type) && items.size() == 1 && items[0].string) return true;
    size_t k = 0;
    return Fill(type, items, &k, true);
  }

  // Gives the elements or members of `type` their values from items[*k]
  // on: all of them, or until the items end. `braced`: the list is the
  // object's own, so an array without a dimension takes all there are.
  bool Fill(const CType& type, const std::vector<Item>& items, size_t* k, bool braced) {
    if (!Readable(type)) return false;
    size_t count = type.members.size();
    if (type.kind == Kind::kArray) {
      if (type.count < 0 && !braced) {
        return Fail(items[*k].first, "'" + object_ +
                                         "': the initializer leaves out braces around " +
                                         type.name + " and '" + type.dimension +
                                         "' is no number known here: write the inner braces, "
                                         "as in { {1, 2}, {3, 4} }");
      }
      count = type.count < 0 ? items.size() : static_cast<size_t>(type.count);
    } else if (type.is_union) {
      count = std::min<size_t>(count, 1);  // a union's first member takes the value
    }
    for (size_t m = 0; m < count && *k < items.size(); ++m) {
      const CType& sub = type.kind == Kind::kArray ? *type.element : *type.members[m];
      const Item& item = items[*k];
      if (item.braced) {
        if (!Braced(sub, item.first)) return false;
        ++*k;
      } else if (sub.kind == Kind::kScalar || (item.string && IsCharArray(sub))) {
        ++*k;
      } else {
        const size_t first = *k;
        if (!Fill(sub, items, k, false)) return false;
        if (*k == first) {
          return Fail(item.first, "'" + object_ + "': " + sub.name +
                                      " takes no values: write the initializer's braces");
        }
        edits_.push_back(
            Edit{s_.token(items[first].first).begin, s_.token(items[first].first).begin, "{"});
        edits_.push_back(
            Edit{s_.token(items[*k - 1].last - 1).end, s_.token(items[*k - 1].last - 1).end, "}"});
      }
    }
    return true;
  }

  bool Fail(size_t at, std::string text) {
    problem_at_ = at;
    problem_ = std::move(text);
    return false;
  }

  DialectSource& s_;
  std::string object_;
  std::vector<Edit> edits_;
  size_t problem_at_ = 0;
  std::string problem_;
};

// The name declared before the "=" at `assign`: "font" in "font[][8] =".
std::string ObjectName(const DialectSource& s, size_t assign) {
  size_t k = assign;
  while (k > 0 && s.Is(k - 1, "]")) {
    const size_t open = s.Mate(k - 1);
    if (open == kNone) break;
    k = open;
  }
  return k > 0 && s.IsWord(k - 1) ? std::string(s.At(k - 1)) : std::string("initializer");
}

// A local struct or union initialised from an expression ("PAIR r = *p;"),
// which sdcc refuses ("initialization needs curly braces") though it takes
// the assignment: the declaration, then the assignment, on the same line
// ("PAIR r; r = *p;"). Only a declaration of one object that is not const.
void SplitRecordInitializer(DialectSource* source, size_t assign) {
  DialectSource& s = *source;
  const std::string name = ObjectName(s, assign);
  if (name == "initializer" || !s.IsWord(assign - 1)) return;
  size_t start = assign;
  while (start > 0 && !s.Is(start - 1, ";") && !s.Is(start - 1, "{") && !s.Is(start - 1, "}")) {
    --start;
  }
  for (size_t k = start; k < assign; ++k) {
    if (s.Is(k, "const") || s.Is(k, "static") || s.Is(k, ",")) return;
  }
  for (size_t k = assign + 1; k < s.size() && !s.Is(k, ";"); ++k) {
    if (s.Is(k, ",")) return;
    const size_t mate = s.Mate(k);
    if (mate != kNone && mate > k) k = mate;
  }
  s.Replace(assign, assign + 1, "; " + name + " =");
}

}  // namespace

namespace {

// True when the statement holding `at` opens with a type or a storage
// class: a declaration, not an assignment to an element ("t[0] = x;").
bool InDeclaration(const DialectSource& s, size_t at) {
  size_t i = at;
  while (i > 0) {
    const size_t before = i - 1;
    if (s.Is(before, ";") || s.Is(before, "{") || s.Is(before, "}")) break;
    const size_t mate = s.Mate(before);
    i = (s.Is(before, ")") || s.Is(before, "]")) && mate != DialectSource::kNone ? mate : before;
  }
  if (i >= at || !s.IsWord(i)) return false;
  const std::string_view w = s.At(i);
  if (w == "else" || w == "return" || w == "do" || w == "case" || w == "goto") return false;
  return IsTypeWord(w) || w == "static" || w == "extern" || w == "typedef" || s.Is(i + 1, "*") ||
         (s.IsWord(i + 1) && !s.Is(i + 1, "="));
}

// The value after the "=" at `assign`, up to the declaration's "," or ";",
// in braces.
void WrapLoneValue(DialectSource* source, size_t assign) {
  size_t end = assign + 1;
  while (end < source->size() && !source->Is(end, ",") && !source->Is(end, ";")) {
    const size_t mate = source->Mate(end);
    end = mate != DialectSource::kNone && mate > end ? mate + 1 : end + 1;
  }
  if (end == assign + 1 || end >= source->size()) return;
  source->InsertBefore(assign + 1, "{");
  source->InsertAfter(end - 1, "}");
}

}  // namespace

void CompleteInitializerBraces(DialectSource* source) {
  CDeclarations declarations(*source);
  for (size_t i = 0; i < source->size(); ++i) {
    declarations.Learn(i);
    if (!source->Is(i, "=") || !source->User(i)) continue;
    if (!source->Is(i + 1, "{")) {
      const CTypeRef type = declarations.TypeBefore(i);
      // "buf[20] = 0;": the original takes a lone value for the first
      // element, sdcc wants the braces.
      if (type && type->kind == Kind::kArray && !source->IsString(i + 1) &&
          InDeclaration(*source, i)) {
        WrapLoneValue(source, i);
        continue;
      }
      if (source->BodyOf(i) == DialectSource::kNone) continue;
      if (type && type->kind == Kind::kRecord) SplitRecordInitializer(source, i);
      continue;
    }
    const CTypeRef type = declarations.TypeBefore(i);
    if (!type || type->kind == Kind::kScalar) continue;
    Initializer(source, ObjectName(*source, i)).Complete(*type, i + 1);
  }
}

}  // namespace c51::sdcc
