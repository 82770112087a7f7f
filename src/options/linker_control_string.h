// The linker control string that ends the ".lnp" command file, and the
// variant the linker pages show.
#ifndef C51_OPTIONS_LINKER_CONTROL_STRING_H_
#define C51_OPTIONS_LINKER_CONTROL_STRING_H_

#include <string>
#include <string_view>

#include "options/linker_options.h"

namespace c51 {

struct ConfigurationRef;
struct DeviceRecord;

// The project-wide values the linker string reads besides its own keys.
struct LinkerStringInputs {
  int rtos = 0;           // "RTOS": 0 none, 1 RTX-51 Tiny, 2 RTX-51 Full
  std::string code_bank;  // "CodeBank" as stored
  std::string cpu;        // the device's "CPU" text
  std::string output_name;
};

// One directive per line, each ended by "\n", in a fixed order: the bank
// area (an empty line without banking), the RTOS, RAMSIZE, DISABLEWARNING,
// the misc text, OVERLAY, CODE, XDATA, PDATA, PRECEDE, BIT, DATA, IDATA,
// STACK. Texts are trimmed; an empty one adds no line. CODE joins base and
// segments with ",", XDATA, BIT, DATA and IDATA with " , ".
//   "\nRAMSIZE(256)\nCODE( 0x0000-0x7FFF,?PR?MAIN )\n"
std::string BuildLinkerControlString(const LinkerOptions& options,
                                     const LinkerStringInputs& inputs);

// The same from the current configuration's "Lx51Tool", "RTOS" and
// "CodeBank"; empty when there is no current configuration.
std::string BuildLinkerControlString(ConfigurationRef* ref, const DeviceRecord* device);

// The pages' variant, with "\r\n" line ends: a first line TO "name" with
// the RTOS word on it, the bank area line only when banking is on, no RTOS
// lines, and the RAM end read with base auto-detection.
//   "TO \"demo\" Rtx51Tiny\r\nRAMSIZE(256)\r\n"
std::string BuildLinkerDisplayString(const LinkerOptions& options,
                                     const LinkerStringInputs& inputs);

}  // namespace c51

#endif  // C51_OPTIONS_LINKER_CONTROL_STRING_H_
