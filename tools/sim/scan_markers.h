// The markers a source's comments hold for the simulated tools (listed in
// sim/source_scan.h): what each asks of the translation, recorded in the
// scan's result.
#ifndef C51_TOOLS_SIM_SCAN_MARKERS_H_
#define C51_TOOLS_SIM_SCAN_MARKERS_H_

#include <string>
#include <string_view>

#include "sim/source_scan.h"

namespace c51::sim {

// Where a comment is: the file as found, its 1-based line and that line.
struct MarkerPosition {
  const std::string* file;
  int line;
  std::string_view line_text;
};

// Applies the marker `comment` holds (one per comment; none is fine) to
// `result`. One that does not parse is noted in ignored_markers. True when
// it was a fatal error: the translation stops there.
bool ApplyMarker(std::string_view comment, const MarkerPosition& where, ScanResult* result);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_SCAN_MARKERS_H_
