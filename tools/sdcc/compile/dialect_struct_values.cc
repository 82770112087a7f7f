#include "sdcc/compile/dialect_struct_values.h"

#include <map>
#include <set>
#include <string>
#include <vector>

#include "sdcc/compile/dialect_types.h"

namespace c51::sdcc {

namespace {

constexpr size_t kNone = DialectSource::kNone;
using Kind = CType::Kind;

// Words of a declaration that are no part of its type.
const std::set<std::string_view> kStorage = {"static",  "extern",   "inline",
                                             "typedef", "register", "auto"};

struct Parameter {
  size_t first = kNone;  // its tokens [first, last)
  size_t last = kNone;
  size_t name = kNone;  // kNone: unnamed
  bool record = false;
};

struct Declaration {
  size_t start = kNone;  // the declaration's first token
  size_t name = kNone;
  size_t body = kNone;  // the "{" of a definition
  bool returns_record = false;
  std::vector<Parameter> params;
};

struct Signature {
  bool returns_record = false;
  std::vector<bool> record_params;
  bool Any() const {
    for (bool r : record_params) {
      if (r) return true;
    }
    return returns_record;
  }
};

class StructValues {
 public:
  explicit StructValues(DialectSource* source) : s_(*source) {}

  void Run() {
    // Most files pass no struct at all: spare them the declarations' reading.
    bool records = false;
    for (size_t i = 0; i < s_.size() && !records; ++i) {
      records = s_.Is(i, "struct") || s_.Is(i, "union");
    }
    if (!records) return;
    Collect();
    if (functions_.empty()) return;
    for (const Declaration& d : declarations_) Rewrite(d);
    for (size_t i = 0; i + 1 < s_.size(); ++i) {
      if (!s_.User(i) || !s_.IsWord(i)) continue;
      auto f = functions_.find(std::string(s_.At(i)));
      if (f == functions_.end() || declared_names_.count(i)) continue;
      if (s_.Is(i + 1, "(") && s_.BodyOf(i) != kNone && IsCall(i)) {
        Call(i, f->second);
      } else if (!s_.Is(i + 1, "(") && !s_.Is(i - 1, ".") && !s_.Is(i - 1, "->")) {
        s_.Issue(i, "'" + f->first +
                        "' passes or returns a struct by value: it can only be called, not "
                        "used as a pointer");
      }
    }
  }

 private:
  // Every declaration of a function at file scope with a struct or union
  // parameter or result.
  void Collect() {
    CDeclarations types(s_);
    for (size_t i = 0; i < s_.size(); ++i) {
      types.Learn(i);
      if (!s_.User(i) || !s_.IsWord(i) || !s_.Is(i + 1, "(") || s_.BodyOf(i) != kNone) continue;
      const size_t start = DeclarationStart(i);
      if (start == i) continue;
      size_t name = kNone;
      const CTypeRef result = types.DeclaredType(start, i + 1, &name);
      if (!result || name != i) continue;
      Declaration d;
      d.start = start;
      d.name = i;
      d.returns_record = result->kind == Kind::kRecord;
      const size_t close = s_.Mate(i + 1);
      if (close == kNone) continue;
      Signature signature;
      signature.returns_record = d.returns_record;
      for (const auto& [first, last] : s_.Items(i + 1)) {
        Parameter p{first, last, kNone, false};
        const CTypeRef type = types.DeclaredType(first, last, &p.name);
        p.record = type && type->kind == Kind::kRecord;
        signature.record_params.push_back(p.record);
        d.params.push_back(p);
      }
      if (!signature.Any()) continue;
      for (size_t k = close + 1; k < s_.size(); ++k) {
        if (s_.Is(k, ";") || s_.Is(k, ",")) break;
        if (s_.IsBodyOpen(k)) {
          d.body = k;
          break;
        }
      }
      functions_.emplace(std::string(s_.At(i)), signature);
      declared_names_.insert(i);
      declarations_.push_back(std::move(d));
    }
  }

  // The first token of the declaration whose declarator names `i`.
  size_t DeclarationStart(size_t i) const {
    size_t k = i;
    while (k > 0 && !s_.Is(k - 1, ";") && !s_.Is(k - 1, "}") && !s_.Is(k - 1, "{") &&
           !s_.Is(k - 1, ",") && !s_.Is(k - 1, ")")) {
      --k;
    }
    return k;
  }

  // The tokens [first, last) as a type for a declaration of our own: no
  // storage class or const.
  std::string TypeText(size_t first, size_t last) const {
    std::string text;
    for (size_t k = first; k < last; ++k) {
      if (s_.IsWord(k) && (kStorage.count(s_.At(k)) != 0 || s_.Is(k, "const"))) continue;
      if (!text.empty()) text += ' ';
      text += SdccMemoryWord(s_.At(k));
    }
    return text;
  }

  void Rewrite(const Declaration& d) {
    if (d.returns_record) s_.InsertBefore(d.name, "*");
    std::string copies;
    for (const Parameter& p : d.params) {
      if (!p.record) continue;
      if (p.name == kNone) {
        s_.InsertAfter(p.last - 1, " *");
        continue;
      }
      if (d.body == kNone) {
        s_.InsertBefore(p.name, "*");
        continue;
      }
      const std::string name(s_.At(p.name));
      s_.Replace(p.name, p.name + 1, "*__c51_" + name);
      copies +=
          " " + TypeText(p.first, p.name) + " " + name + "; " + name + " = *__c51_" + name + ";";
    }
    if (d.body == kNone) return;
    if (d.returns_record) {
      copies = " static " + TypeText(d.start, d.name) + " __c51_result;" + copies;
      const size_t end = s_.Mate(d.body);
      for (size_t k = d.body + 1; end != kNone && k < end; ++k) {
        if (!s_.Is(k, "return")) continue;
        const size_t stop = StatementEnd(k);
        if (stop == kNone || stop == k + 1) continue;
        s_.Replace(k, k + 1, "{ __c51_result =");
        s_.InsertAfter(stop, " return &__c51_result; }");
      }
    }
    if (!copies.empty()) s_.InsertAfter(d.body, copies);
  }

  // The ";" that ends the statement starting at `k`.
  size_t StatementEnd(size_t k) const {
    for (size_t j = k; j < s_.size(); ++j) {
      if (s_.Is(j, ";")) return j;
      const size_t mate = s_.Mate(j);
      if (mate != kNone && mate > j) j = mate;
      if (s_.Is(j, "}")) return kNone;
    }
    return kNone;
  }

  // A use of the name that calls it, not a declaration inside a body.
  bool IsCall(size_t i) const {
    if (i == 0) return true;
    static const std::set<std::string_view> kBefore = {"return", "else", "do", "case", "sizeof"};
    return !s_.IsWord(i - 1) || kBefore.count(s_.At(i - 1)) != 0;
  }

  void Call(size_t i, const Signature& signature) {
    const size_t close = s_.Mate(i + 1);
    if (close == kNone) return;
    const auto args = s_.Items(i + 1);
    for (size_t k = 0; k < args.size() && k < signature.record_params.size(); ++k) {
      if (!signature.record_params[k]) continue;
      const auto [first, last] = args[k];
      if (first == last) continue;
      for (size_t j = first; j < last; ++j) {
        const size_t mate = s_.Mate(j);
        if (mate != kNone && mate > j) {
          j = mate;
          continue;
        }
        if (s_.Is(j, "?") || s_.Is(j, "=")) {
          s_.Issue(first,
                   "a struct passed by value must be an object, whose address is "
                   "passed: assign the expression to a variable first");
          return;
        }
      }
      s_.InsertBefore(first, "&(");
      s_.InsertAfter(last - 1, ")");
    }
    if (signature.returns_record) {
      s_.InsertBefore(i, "(*");
      s_.InsertAfter(close, ")");
    }
  }

  DialectSource& s_;
  std::vector<Declaration> declarations_;
  std::map<std::string, Signature> functions_;
  std::set<size_t> declared_names_;
};

}  // namespace

void BridgeStructValues(DialectSource* source) {
  StructValues(source).Run();
}

}  // namespace c51::sdcc
