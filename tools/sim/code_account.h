// The simulated code and variables of a translation: two bytes of code for
// each line of a C function body or each assembly instruction, the bytes
// DB, DW and DS lay down, one byte of RAM for each C variable at file
// scope. Deterministic, so the same source always gives the same object.
#ifndef C51_TOOLS_SIM_CODE_ACCOUNT_H_
#define C51_TOOLS_SIM_CODE_ACCOUNT_H_

#include <map>
#include <string>
#include <string_view>

#include "sim/source_scan.h"

namespace c51::sim {

// Fed the code of every line (comments removed) in order; adds to the
// scan's code, data and xdata.
class CodeAccount {
 public:
  void AddC(std::string_view code, bool variables_in_xdata, ScanResult* result);
  void AddAssembly(std::string_view code, ScanResult* result);

 private:
  enum class Space { kCode, kData, kXdata, kBit };

  // SEGMENT, RSEG, CSEG...: true when the line was one of them (or any
  // other directive that lays nothing down).
  bool ApplySegmentDirective(const std::string& first, const std::string& second,
                             std::string_view rest);
  // DB, DW, DS: true when the line was one of them.
  bool ApplyDataDirective(const std::string& first, std::string_view operands, ScanResult* result);

  int brace_depth_ = 0;                    // C
  Space space_ = Space::kCode;             // assembly: the current segment's space
  std::map<std::string, Space> segments_;  // assembly: declared segments
};

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_CODE_ACCOUNT_H_
