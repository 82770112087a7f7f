// libFuzzer entry for the markup document: any bytes as a document, then
// everything a reader does with one. Besides crashes and sanitizer reports
// it stops on a broken element table or a result text that disagrees with
// the well-formed answer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "markup/doc_file.h"
#include "markup/doc_invariants.h"
#include "markup/entities.h"
#include "markup/markup_doc.h"
#include "markup/node_scanner.h"

namespace {

void Fail(const std::string& what) {
  std::fprintf(stderr, "markup_fuzz: %s\n", what.c_str());
  std::abort();
}

// Every node advances, and together they reach the first 0 byte.
void ScanAllNodes(const std::string& text) {
  c51::NodeScanner scanner(text);
  c51::MarkupNode node;
  size_t expected_start = 0;
  while (scanner.Next(&node)) {
    if (node.start != expected_start || node.length == 0) Fail("scanner did not advance");
    if (node.kind == c51::kNodeError && node.ErrorText().empty()) Fail("error node without text");
    expected_start += node.length;
  }
  size_t end = text.find('\0');
  if (expected_start != (end == std::string::npos ? text.size() : end))
    Fail("scanner stopped early");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  c51::MarkupDoc doc;
  // Odd sizes also run the case-insensitive name comparison.
  if (size % 2) doc.set_doc_flags(c51::kDocIgnoreCase);
  bool well_formed = doc.AssignText(text);
  if (well_formed != doc.GetResultText().empty())
    Fail("result text disagrees: " + doc.GetResultText());
  std::string problem = c51::test::CheckDocInvariants(doc);
  if (!problem.empty()) Fail(problem);
  problem = c51::test::WalkDoc(&doc);
  if (!problem.empty()) Fail(problem);
  ScanAllNodes(text);
  (void)c51::DeclaredEncoding(text);
  (void)c51::DecodeEntities(text);
  return 0;
}
