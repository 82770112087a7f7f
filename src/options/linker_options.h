// The linker's options: the keys of the project's "Lx51Tool" node. They
// exist at the project scope only; all are free text in the linker's own
// syntax except the flags word.
#ifndef C51_OPTIONS_LINKER_OPTIONS_H_
#define C51_OPTIONS_LINKER_OPTIONS_H_

#include <string>

namespace c51 {

class HostServices;
struct ConfigurationRef;
struct ProjectNode;

// "LX51FL" value 4: the locate page takes CODE and XDATA from the target's
// memory layout. No control string reads it.
constexpr int kLinkerUseTargetLayout = 4;

struct LinkerOptions {
  int flags = kLinkerUseTargetLayout;  // "LX51FL"
  std::string code_base;               // "LX51COB": CODE( ) base
  std::string xdata_base;              // "LX51XDB": XDATA( ) base
  std::string pdata_base;              // "LX51PDB": PDATA( )
  std::string bit_base;                // "LX51BIB": BIT( ) base
  std::string data_base;               // "LX51DAB": DATA( ) base
  std::string idata_base;              // "LX51IDB": IDATA( ) base
  std::string precede;                 // "LX51PRC": PRECEDE( )
  std::string stack;                   // "LX51STK": STACK( )
  std::string code_segments;           // "LX51COS": CODE( ) segments
  std::string xdata_segments;          // "LX51XDS"
  std::string bit_segments;            // "LX51BIS"
  std::string data_segments;           // "LX51DAS"
  std::string idata_segments;          // "LX51IDS"
  std::string overlay;                 // "LX51OVL": OVERLAY( )
  std::string misc;                    // "LX51MSC": copied as typed
  std::string disable_warnings;        // "LX51DWN": DISABLEWARNING ( )
};

// The record of the "Lx51Tool" node `tool` (may be null); missing keys keep
// the defaults (flags 4, texts empty).
LinkerOptions ReadLinkerOptions(const ProjectNode* tool);

// The locate page's keys in one HostUpdateNode call: "LX51FL", then
// "LX51COB", "LX51XDB", "LX51PDB", "LX51BIB", "LX51DAB", "LX51IDB",
// "LX51PRC", "LX51STK", "LX51COS", "LX51XDS", "LX51BIS", "LX51DAS",
// "LX51IDS".
bool WriteLinkerLocateKeys(HostServices* host, ProjectNode* tool, const LinkerOptions& options);

// The misc page's keys in one call: "LX51OVL", "LX51MSC", "LX51DWN".
bool WriteLinkerMiscKeys(HostServices* host, ProjectNode* tool, const LinkerOptions& options);

// All of them in one call: the locate page's keys, then the misc page's.
bool WriteLinkerOptions(HostServices* host, ProjectNode* tool, const LinkerOptions& options);

// The current configuration's "Lx51Tool", created through the host when
// missing; null when there is no current configuration or the host could
// not create it.
ProjectNode* FindOrAddLinkerTool(HostServices* host, ConfigurationRef* ref);

}  // namespace c51

#endif  // C51_OPTIONS_LINKER_OPTIONS_H_
