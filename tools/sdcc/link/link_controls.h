// The linker's control string turned into sdcc link options. What sdcc can
// do is mapped; what it cannot is either refused (code banking, the
// real-time kernels) or reported as ignored, so no setting is lost silently.
//   CODE( 0x0000-0x1FFF )   => --code-loc 0x0000 --code-size 0x2000
//   XDATA( 0x0000-0x07FF )  => --xram-loc 0x0000 --xram-size 0x0800
//   RAMSIZE(128)            => --iram-size 128
//   DATA(0x30) IDATA(0x80) STACK(0xC0)
//                           => --data-loc 0x0030 --idata-loc 0x0080 --stack-loc 0x00C0
//   BANKAREA(...), RTX51, RTX51TINY          => errors
//   segment names, PDATA, BIT, PRECEDE, OVERLAY, REGFILE => "ignored" warnings
#ifndef C51_TOOLS_SDCC_LINK_LINK_CONTROLS_H_
#define C51_TOOLS_SDCC_LINK_LINK_CONTROLS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sim/controls.h"

namespace c51::sdcc {

// One linker message: "*** ERROR L130: ..." or "*** WARNING L200: ...", its
// detail lines indented below it.
struct LinkMessage {
  enum Kind { kWarning, kError, kFatal } kind = kError;
  std::string code;  // "L130"
  std::string text;
  std::vector<std::string> details;  // "CONTROL: BANKAREA(0x8000,0xFFFF)"
};

struct LinkControls {
  std::vector<std::string> sdcc_args;
  uint32_t code_base = 0;  // where code memory starts: sdcc's vector table goes there
  std::vector<uint32_t> disabled_warnings;  // DISABLEWARNING numbers
  std::vector<LinkMessage> messages;
};

LinkControls MapLinkControls(const std::vector<c51::sim::Control>& controls);

// The memory model options for linking a module that sdcc compiled with
// `options` (its "O" line) or, for a module without one, that was built for
// `model` (SMALL, COMPACT, LARGE); the run-time library follows from them.
//   ("-mmcs51 --model-large --stack-auto", "") => --model-large --stack-auto
//   ("", "COMPACT")                            => --model-medium
//   ("", "")                                   => --model-small
std::vector<std::string> ModelArguments(std::string_view options, std::string_view model);

// "L16" => 16; false without digits.
bool MessageNumber(std::string_view code, uint32_t* number);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_LINK_LINK_CONTROLS_H_
