#include "sdcc/compile/family_headers.h"

#include "sim/controls.h"

namespace c51::sdcc {

namespace {

struct Family {
  const char* prefix;  // upper case
  const char* header;
};

// Longer prefixes first: the first that matches wins.
constexpr Family kFamilies[] = {
    {"STC8H", "STC8H.H"},
    {"STC8G", "STC8G.H"},
    {"STC8A", "STC8A8K64S4A12.H"},
    {"STC8F", "STC8A8K64S4A12.H"},
    {"STC15W4K", "STC15W4K32S4.H"},
    {"IAP15W4K", "STC15W4K32S4.H"},
    {"STC15", "STC15F2K60S2.H"},
    {"IAP15", "STC15F2K60S2.H"},
    {"IRC15", "STC15F2K60S2.H"},
    {"STC12C5A", "STC12C5A60S2.H"},
    {"STC12LE5A", "STC12C5A60S2.H"},
    // The STC12C52xxAD and STC11/10 series have the STC12C5A60S2's map,
    // less the peripherals a series lacks.
    {"STC12C52", "STC12C5A60S2.H"},
    {"STC12LE52", "STC12C5A60S2.H"},
    {"STC11", "STC12C5A60S2.H"},
    {"IAP11", "STC12C5A60S2.H"},
    {"STC10", "STC12C5A60S2.H"},
    {"IAP10", "STC12C5A60S2.H"},
    // The older STC12 series: a map of their own.
    {"STC12C54", "STC12C5410AD.H"},
    {"STC12LE54", "STC12C5410AD.H"},
    {"STC12C10", "STC12C2052AD.H"},
    {"STC12C20", "STC12C2052AD.H"},
    {"STC12C40", "STC12C2052AD.H"},
    {"STC12LE10", "STC12C2052AD.H"},
    {"STC12LE20", "STC12C2052AD.H"},
    {"STC12LE40", "STC12C2052AD.H"},
    {"STC89", "STC89C5xRC.H"},
    {"STC90", "STC89C5xRC.H"},
    {"AT89C2051", "AT89X051.H"},
    {"AT89C4051", "AT89X051.H"},
    {"AT89S2051", "AT89X051.H"},
    {"AT89S4051", "AT89X051.H"},
    // The X2 parts and the USB ones have the same registers where both
    // have one (timer 2, the PCA, SPI, the keyboard interface).
    {"AT89C513", "AT89C51XD2.H"},
    {"AT89C51RB2", "AT89C51XD2.H"},
    {"AT89C51RC2", "AT89C51XD2.H"},
    {"AT89C51RD2", "AT89C51XD2.H"},
    {"AT89C51ED2", "AT89C51XD2.H"},
    {"AT89C51IC2", "AT89C51XD2.H"},
    {"AT89C51ID2", "AT89C51XD2.H"},
    // Other 8052-class parts named AT89C51...: timer 2 at least.
    // The CAN part, under its older name and its later one.
    {"T89C51CC01", "T89C51CC01.H"},
    {"AT89C51CC01", "T89C51CC01.H"},
    {"AT89C51R", "AT89X52.H"},
    {"AT89C51AC", "AT89X52.H"},
    {"AT89C51CC", "AT89X52.H"},
    {"AT89C51", "AT89X51.H"},
    {"AT89S51", "AT89X51.H"},
    {"AT89LS51", "AT89X51.H"},
    {"AT89C52", "AT89X52.H"},
    {"AT89S52", "AT89X52.H"},
    {"AT89LS52", "AT89X52.H"},
    {"AT89C55", "AT89X52.H"},
    {"AT89S53", "AT89X52.H"},
    {"P89V51R", "P89V51RD2.H"},
    // The ADuC843 is the ADuC842 without its ADC.
    {"ADUC843", "ADUC842.H"},
    // The P89LPC9321 took the P89LPC932A1's place with its map.
    {"P89LPC932", "REG932.H"},
};

}  // namespace

std::string FamilyHeader(std::string_view name) {
  const size_t slash = name.find_last_of("/\\");
  if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
  const std::string upper = sim::ToUpper(name);
  if (upper.size() < 3 || upper.compare(upper.size() - 2, 2, ".H") != 0) return std::string();
  // A part's name is letters and digits; "STC8G_H_GPIO.h" is a driver
  // library's header, which no register header replaces.
  for (size_t i = 0; i + 2 < upper.size(); ++i) {
    if (!((upper[i] >= 'A' && upper[i] <= 'Z') || (upper[i] >= '0' && upper[i] <= '9'))) {
      return std::string();
    }
  }
  for (const Family& f : kFamilies) {
    const std::string_view prefix(f.prefix);
    if (upper.compare(0, prefix.size(), prefix) == 0) {
      // The family's own header is no stand-in for itself.
      return upper == sim::ToUpper(f.header) ? std::string() : std::string(f.header);
    }
  }
  return std::string();
}

std::string SdkOfHeader(std::string_view name) {
  const size_t slash = name.find_last_of("/\\");
  if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
  const std::string upper = sim::ToUpper(name);
  // Silicon Labs' 8051 SDK names its headers "si_..." (EFM8, C8051F).
  if (upper.compare(0, 3, "SI_") == 0 && upper.size() > 5 &&
      upper.compare(upper.size() - 2, 2, ".H") == 0) {
    return "SILICON LABS";
  }
  return std::string();
}

}  // namespace c51::sdcc
