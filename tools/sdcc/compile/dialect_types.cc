#include "sdcc/compile/dialect_types.h"

#include <set>

namespace c51::sdcc {

namespace {

using Kind = CType::Kind;
constexpr size_t kNone = DialectSource::kNone;

// Words of a declaration that say nothing about the initializer's shape.
const std::set<std::string_view> kQualifiers = {
    "typedef",  "extern",  "static",   "auto",      "register", "const",     "volatile",
    "restrict", "inline",  "__inline", "_Noreturn", "data",     "idata",     "pdata",
    "xdata",    "code",    "bdata",    "far",       "near",     "__data",    "__idata",
    "__pdata",  "__xdata", "__code",   "__near",    "__far",    "reentrant", "__reentrant"};

const std::set<std::string_view> kScalarWords = {
    "void",   "char",     "short", "int",     "long",  "float",  "double",
    "signed", "unsigned", "_Bool", "bit",     "__bit", "sbit",   "__sbit",
    "sfr",    "__sfr",    "sfr16", "__sfr16", "sfr32", "__sfr32"};

CTypeRef Scalar(bool character) {
  static const CTypeRef kPlain = [] {
    auto t = std::make_shared<CType>();
    t->kind = Kind::kScalar;
    t->name = "scalar";
    return t;
  }();
  static const CTypeRef kChar = [] {
    auto t = std::make_shared<CType>();
    t->kind = Kind::kScalar;
    t->character = true;
    t->name = "char";
    return t;
  }();
  return character ? kChar : kPlain;
}

CTypeRef Unknown(std::string name) {
  auto t = std::make_shared<CType>();
  t->name = std::move(name);
  return t;
}

}  // namespace

void CDeclarations::Learn(size_t i) {
  if (!s_.IsWord(i)) return;
  const std::string_view w = s_.At(i);
  const bool body = s_.Is(i + 1, "{") || (s_.IsWord(i + 1) && s_.Is(i + 2, "{"));
  if (w == "typedef") {
    Typedef(i);
  } else if ((w == "struct" || w == "union") && body) {
    size_t pos = i;
    Record(&pos, s_.size());
  } else if (w == "enum" && body) {
    size_t pos = i;
    Enum(&pos, s_.size());
  }
}

bool CDeclarations::EnumConstant(std::string_view name, uint32_t* value) const {
  const auto it = enums_.find(name);
  if (it == enums_.end()) return false;
  *value = it->second;
  return true;
}

CTypeRef CDeclarations::Specifiers(size_t* pos, size_t end, bool* is_typedef) const {
  CTypeRef type;
  bool scalar = false;
  bool character = false;
  bool any = false;
  while (*pos < end && s_.IsWord(*pos)) {
    const std::string_view w = s_.At(*pos);
    if (kQualifiers.count(w) != 0) {
      if (w == "typedef") *is_typedef = true;
      any = true;
      ++*pos;
    } else if (w == "__at" && s_.Is(*pos + 1, "(")) {
      const size_t close = s_.Mate(*pos + 1);
      if (close == kNone || close >= end) return nullptr;
      *pos = close + 1;
    } else if (kScalarWords.count(w) != 0) {
      if (type) break;
      scalar = true;
      character = character || w == "char";
      ++*pos;
    } else if (type || scalar) {
      break;  // the declarator's name
    } else if (w == "struct" || w == "union") {
      type = Record(pos, end);
    } else if (w == "enum") {
      Enum(pos, end);
      type = Scalar(false);
    } else {
      const auto it = typedefs_.find(w);
      type = it != typedefs_.end() ? it->second : Unknown("'" + std::string(w) + "'");
      ++*pos;
    }
  }
  if (type) return type;
  if (scalar) return Scalar(character);
  return any ? Scalar(false) : nullptr;  // "static x = 1": int
}

CTypeRef CDeclarations::Record(size_t* pos, size_t end) const {
  const bool is_union = s_.Is(*pos, "union");
  ++*pos;
  std::string tag;
  if (s_.IsWord(*pos)) tag = std::string(s_.At((*pos)++));
  const std::string name = (is_union ? "union " : "struct ") + (tag.empty() ? "{...}" : tag);
  if (s_.Is(*pos, "{")) {
    const size_t close = s_.Mate(*pos);
    if (close == kNone || close >= end) {
      *pos = end;
      return Unknown(name);
    }
    CTypeRef type = Body(*pos, is_union, name);
    if (!tag.empty()) tags_[tag] = type;
    *pos = close + 1;
    return type;
  }
  const auto it = tags_.find(tag);
  if (it != tags_.end()) return it->second;
  auto incomplete = std::make_shared<CType>();
  incomplete->kind = Kind::kRecord;
  incomplete->is_union = is_union;
  incomplete->name = name;
  return incomplete;
}

// Member declarations up to the "}" that pairs with `open`.
CTypeRef CDeclarations::Body(size_t open, bool is_union, const std::string& name) const {
  const auto known = bodies_.find(open);
  if (known != bodies_.end()) return known->second;
  auto type = std::make_shared<CType>();
  type->kind = Kind::kRecord;
  type->is_union = is_union;
  type->name = name;
  const size_t close = s_.Mate(open);
  // A bit-field's width: up to the next "," or ";".
  auto skip_width = [&](size_t p) {
    while (p < close && !s_.Is(p, ",") && !s_.Is(p, ";")) {
      const size_t mate = s_.Mate(p);
      p = mate != kNone && mate > p && mate < close ? mate + 1 : p + 1;
    }
    return p;
  };
  bool ok = true;
  size_t pos = open + 1;
  while (ok && pos < close) {
    bool is_typedef = false;
    const CTypeRef base = Specifiers(&pos, close, &is_typedef);
    if (!base) {
      ok = false;
      break;
    }
    if (s_.Is(pos, ";")) {  // an unnamed struct or union member
      if (base->kind == Kind::kRecord) type->members.push_back(base);
      ++pos;
      continue;
    }
    for (;;) {
      if (s_.Is(pos, ":")) {
        pos = skip_width(pos + 1);  // unnamed bit-fields take no initializer
      } else {
        Declarator d;
        if (!ParseDeclarator(&pos, close, &d) || d.name == kNone) {
          ok = false;
          break;
        }
        type->members.push_back(Derive(base, d.steps));
        if (s_.Is(pos, ":")) pos = skip_width(pos + 1);
      }
      if (s_.Is(pos, ",")) {
        ++pos;
      } else if (s_.Is(pos, ";")) {
        ++pos;
        break;
      } else {
        ok = false;
        break;
      }
    }
  }
  type->complete = ok;
  bodies_[open] = type;
  return type;
}

void CDeclarations::Enum(size_t* pos, size_t end) const {
  ++*pos;
  if (s_.IsWord(*pos)) ++*pos;
  if (!s_.Is(*pos, "{")) return;
  const size_t open = *pos;
  const size_t close = s_.Mate(open);
  if (close == kNone || close >= end) {
    *pos = end;
    return;
  }
  *pos = close + 1;
  if (!enum_bodies_.emplace(open, true).second) return;
  const ConstantLookup lookup = [this](std::string_view name, uint32_t* value) {
    return EnumConstant(name, value);
  };
  uint32_t next = 0;
  bool known = true;
  size_t p = open + 1;
  while (p < close && s_.IsWord(p)) {
    const std::string name(s_.At(p++));
    if (s_.Is(p, "=")) {
      size_t q = ++p;
      while (q < close && !s_.Is(q, ",")) {
        const size_t mate = s_.Mate(q);
        q = mate != kNone && mate > q && mate < close ? mate + 1 : q + 1;
      }
      known = EvaluateConstant(s_, p, q, lookup, &next);
      p = q;
    }
    if (known) enums_[name] = next++;
    if (s_.Is(p, ",")) ++p;
  }
}

bool CDeclarations::ParseDeclarator(size_t* pos, size_t end, Declarator* d) const {
  size_t pointers = 0;
  while (*pos < end) {
    if (s_.Is(*pos, "*")) {
      ++pointers;
    } else if (!s_.IsWord(*pos) || kQualifiers.count(s_.At(*pos)) == 0) {
      break;
    }
    ++*pos;
  }
  Declarator inner;
  if (s_.Is(*pos, "(")) {
    const size_t close = s_.Mate(*pos);
    if (close == kNone || close >= end) return false;
    size_t p = *pos + 1;
    if (!ParseDeclarator(&p, close, &inner) || p != close) return false;
    *pos = close + 1;
  } else if (*pos < end && s_.IsWord(*pos) && kScalarWords.count(s_.At(*pos)) == 0) {
    inner.name = (*pos)++;
  }
  const ConstantLookup lookup = [this](std::string_view name, uint32_t* value) {
    return EnumConstant(name, value);
  };
  std::vector<Step> suffixes;
  while (*pos < end && (s_.Is(*pos, "[") || s_.Is(*pos, "("))) {
    const size_t close = s_.Mate(*pos);
    if (close == kNone || close >= end) return false;
    Step step;
    step.kind = s_.Is(*pos, "[") ? Step::Kind::kArray : Step::Kind::kFunction;
    if (step.kind == Step::Kind::kArray) {
      step.dimension = s_.Join(*pos + 1, close);
      uint32_t count = 0;
      if (EvaluateConstant(s_, *pos + 1, close, lookup, &count)) step.count = count;
    }
    suffixes.push_back(std::move(step));
    *pos = close + 1;
  }
  d->name = inner.name;
  d->steps = std::move(inner.steps);
  d->steps.insert(d->steps.end(), suffixes.begin(), suffixes.end());
  Step pointer;
  pointer.kind = Step::Kind::kPointer;
  d->steps.insert(d->steps.end(), pointers, pointer);
  return true;
}

CTypeRef CDeclarations::Derive(CTypeRef base, const std::vector<Step>& steps) const {
  CTypeRef type = std::move(base);
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    if (step->kind != Step::Kind::kArray) {
      type = Scalar(false);  // pointers and functions
      continue;
    }
    auto array = std::make_shared<CType>();
    array->kind = Kind::kArray;
    array->count = step->count;
    array->dimension = step->dimension;
    array->element = type;
    array->name = type->name + "[" + step->dimension + "]";
    type = array;
  }
  return type;
}

void CDeclarations::Typedef(size_t i) {
  size_t pos = i;
  bool is_typedef = false;
  const CTypeRef base = Specifiers(&pos, s_.size(), &is_typedef);
  if (!base) return;
  for (;;) {
    Declarator d;
    if (!ParseDeclarator(&pos, s_.size(), &d) || d.name == kNone) return;
    CTypeRef type = Derive(base, d.steps);
    typedefs_[std::string(s_.At(d.name))] = type;
    if (!s_.Is(pos, ",")) return;
    ++pos;
  }
}

// Back from the "=" over earlier declarators and a struct body to the
// token after the ";", "{" or "}" that ends what came before.
size_t CDeclarations::DeclarationStart(size_t assign) const {
  size_t k = assign;
  while (k > 0) {
    const size_t prev = k - 1;
    if (s_.Is(prev, ")") || s_.Is(prev, "]") || s_.Is(prev, "}")) {
      const size_t open = s_.Mate(prev);
      if (open == kNone) return kNone;
      const bool part =
          !s_.Is(prev, "}") ||
          (open > 0 && (s_.Is(open - 1, "=") || s_.Is(open - 1, "struct") ||
                        s_.Is(open - 1, "union") || s_.Is(open - 1, "enum"))) ||
          (open > 1 && s_.IsWord(open - 1) &&
           (s_.Is(open - 2, "struct") || s_.Is(open - 2, "union") || s_.Is(open - 2, "enum")));
      if (!part) return k;
      k = open;
      continue;
    }
    if (s_.Is(prev, ";") || s_.Is(prev, "{") || s_.Is(prev, "(") || s_.Is(prev, "[") ||
        s_.Is(prev, ":")) {
      return k;
    }
    k = prev;
  }
  return 0;
}

size_t CDeclarations::SkipInitializer(size_t pos) const {
  while (pos < s_.size() && !s_.Is(pos, ",") && !s_.Is(pos, ";")) {
    const size_t mate = s_.Mate(pos);
    if (mate != kNone && mate < pos) return s_.size();  // a closer of an outer group
    pos = mate != kNone ? mate + 1 : pos + 1;
  }
  return pos;
}

CTypeRef CDeclarations::TypeBefore(size_t assign) const {
  const size_t start = DeclarationStart(assign);
  if (start == kNone || start >= assign) return nullptr;
  size_t pos = start;
  bool is_typedef = false;
  const CTypeRef base = Specifiers(&pos, assign, &is_typedef);
  if (!base || is_typedef) return nullptr;
  while (pos < assign) {
    Declarator d;
    if (!ParseDeclarator(&pos, assign, &d) || d.name == kNone) return nullptr;
    if (pos == assign) return Derive(base, d.steps);
    if (s_.Is(pos, "=")) pos = SkipInitializer(pos + 1);
    if (pos >= assign || !s_.Is(pos, ",")) return nullptr;
    ++pos;
  }
  return nullptr;
}

CTypeRef CDeclarations::DeclaredType(size_t first, size_t last, size_t* name) const {
  size_t pos = first;
  bool is_typedef = false;
  const CTypeRef base = Specifiers(&pos, last, &is_typedef);
  if (!base || is_typedef) return nullptr;
  Declarator d;
  if (!ParseDeclarator(&pos, last, &d) || pos != last) return nullptr;
  if (name) *name = d.name;
  return Derive(base, d.steps);
}

}  // namespace c51::sdcc
