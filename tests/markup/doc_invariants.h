// Structural checks over a parsed MarkupDoc, shared by the unit tests and
// the fuzz target: whatever the input, the element table must be a proper
// tree whose records lie inside the text and inside their parents.
#ifndef C51_TESTS_MARKUP_DOC_INVARIANTS_H_
#define C51_TESTS_MARKUP_DOC_INVARIANTS_H_

#include <string>
#include <vector>

#include "markup/markup_doc.h"

namespace c51::test {

// Empty when every record allocated by the last parse is reached exactly
// once from record 0 and all links, flags and extents agree; otherwise
// what is wrong first.
inline std::string CheckDocInvariants(const MarkupDoc& doc) {
  const int count = doc.next_free();
  const long long size = static_cast<long long>(doc.text().size());
  if (count < 1) return "no record 0";
  std::vector<char> seen(static_cast<size_t>(count), 0);
  std::vector<int> pending = {0};
  seen[0] = 1;
  int reached = 1;
  auto fail = [](int i, const char* what) { return "record " + std::to_string(i) + ": " + what; };
  while (!pending.empty()) {
    int p = pending.back();
    pending.pop_back();
    const ElemSpan& parent = doc.elem(p);
    // Children lie between the parent's start tag and its end tag.
    long long parent_end =
        static_cast<long long>(parent.start) + parent.length - parent.end_tag_length();
    int first = parent.first_child;
    int prev = 0;
    long long min_start = static_cast<long long>(parent.start) + parent.start_tag_length();
    for (int c = first; c != 0; c = doc.elem(c).next) {
      if (c < 1 || c >= count) return fail(p, "child index out of range");
      if (seen[static_cast<size_t>(c)]) return fail(c, "reached twice");
      seen[static_cast<size_t>(c)] = 1;
      ++reached;
      const ElemSpan& e = doc.elem(c);
      if (e.parent != p) return fail(c, "parent link");
      bool is_first = c == first;
      if (is_first != ((e.flags_level & kElemFirstChild) != 0)) return fail(c, "first-child flag");
      if (!is_first && e.prev != prev) return fail(c, "previous link");
      if (e.start < min_start) return fail(c, "starts before its previous sibling ends");
      if (e.length < e.start_tag_length() + e.end_tag_length()) return fail(c, "tag lengths");
      if (e.start_tag_length() < 3) return fail(c, "start tag too short");
      long long end = static_cast<long long>(e.start) + e.length;
      if (end > size || end > parent_end) return fail(c, "extends past its parent");
      if (doc.text()[static_cast<size_t>(e.start)] != '<') return fail(c, "does not start at <");
      if ((e.flags_level & kElemNoEndTag) && e.first_child != 0) {
        return fail(c, "element without end tag keeps children");
      }
      min_start = end;
      prev = c;
      pending.push_back(c);
    }
    if (first != 0 && doc.elem(first).prev != prev) return fail(first, "last-sibling link");
  }
  if (reached != count)
    return "only " + std::to_string(reached) + " of " + std::to_string(count) +
           " records reachable";
  return {};
}

// Visits every element depth-first with the navigation calls, reading each
// child's name and data, and searches for the first child by its own name.
// Empty when navigation behaves; otherwise what went wrong.
inline std::string WalkDoc(MarkupDoc* doc) {
  doc->RewindPos();
  long steps = 0;
  const long limit = 4L * doc->next_free() + 16;
  while (doc->FindElem()) {
    while (++steps < limit) {
      if (doc->FindChildElem()) {
        (void)doc->GetChildData();
        if (!doc->EnterElem()) return "cannot enter the child found";
      } else if (!doc->LeaveElem()) {
        break;
      }
    }
  }
  if (steps >= limit) return "navigation does not end";
  doc->RewindPos();
  if (doc->FindChildElem()) {
    int child = doc->child_pos();
    std::string name(doc->GetChildName());
    doc->RewindPos();
    if (!doc->FindChildElem(name) || doc->child_pos() != child) {
      return "the first child's name does not find it";
    }
  }
  return {};
}

}  // namespace c51::test

#endif  // C51_TESTS_MARKUP_DOC_INVARIANTS_H_
