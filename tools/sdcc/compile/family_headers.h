// Register headers named after one part of a family ("STC15W408AS.H",
// "STC8H1K08.H", "AT89S51.H"), as the vendors' tools write them for each
// part, where this toolchain ships the family's: when a project includes one
// found nowhere, the family's header stands in, with a warning, since a
// part may have registers the family's header does not name.
//
//   STC8H...            => STC8H.H
//   STC8G...            => STC8G.H
//   STC8A..., STC8F...  => STC8A8K64S4A12.H
//   STC15W4K..., IAP15W4K...      => STC15W4K32S4.H
//   STC15..., IAP15..., IRC15...  => STC15F2K60S2.H
//   STC12C5A..., STC12LE5A...     => STC12C5A60S2.H
//   STC12C52..., STC11..., STC10..., IAP11..., IAP10...  => STC12C5A60S2.H
//   STC12C54...         => STC12C5410AD.H
//   STC12C10..., STC12C20..., STC12C40...  => STC12C2052AD.H
//   (and the STC12LE... parts of the same series)
//   STC89..., STC90...  => STC89C5xRC.H
//   AT89C5130/5131/5132, AT89C51RB2/RC2/RD2/ED2/IC2/ID2  => AT89C51XD2.H
//   T89C51CC01..., AT89C51CC01...  => T89C51CC01.H
//   AT89C51R..., AT89C51AC..., AT89C51CC...  => AT89X52.H (8052-class)
//   AT89C51..., AT89S51..., AT89LS51...  => AT89X51.H
//   AT89C52..., AT89S52..., AT89LS52..., AT89C55..., AT89S53...  => AT89X52.H
//   AT89C2051, AT89C4051, AT89S2051, AT89S4051...  => AT89X051.H
//   P89V51RB2/RC2/RD2   => P89V51RD2.H
//   ADUC843             => ADUC842.H
//   P89LPC932A1, P89LPC9321  => REG932.H
#ifndef C51_TOOLS_SDCC_COMPILE_FAMILY_HEADERS_H_
#define C51_TOOLS_SDCC_COMPILE_FAMILY_HEADERS_H_

#include <string>
#include <string_view>

namespace c51::sdcc {

// The family header for the include name `name` (any folder part, any
// letter case, ".H" or ".h"); empty when it names no known family's part,
// or more than a part (a driver library's "STC8G_H_GPIO.h").
std::string FamilyHeader(std::string_view name);

// Whose SDK a register or support header of a vendor's own tools comes
// from ("si_efm8sb2_register_enums.h", "SI_EFM8SB2_Register_Enums.h",
// "si_toolchain.h": "SILICON LABS"), for the message when a project does
// not have it: no stand-in of ours can replace those. Empty for others.
std::string SdkOfHeader(std::string_view name);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_FAMILY_HEADERS_H_
