// In the sanitizer build, the programs a test starts (the host, the tools)
// run without the leak check at their end: it doubled the cost of every
// start, and hundreds of starts made the process-level tests the longest
// part of the test run. The test program keeps its own check: its options
// were read when it started, before this runs.
#include <cstdlib>
#include <string>

namespace {

struct ChildrenWithoutLeakCheck {
  ChildrenWithoutLeakCheck() {
    const char* options = std::getenv("ASAN_OPTIONS");
    std::string value = options != nullptr ? options : "";
    // The last mention of an option wins.
    if (!value.empty()) value += ':';
    value += "detect_leaks=0";
    setenv("ASAN_OPTIONS", value.c_str(), 1);
  }
};

const ChildrenWithoutLeakCheck children_without_leak_check;

}  // namespace
