// Pieces the compiler and the assembler share: the listing file, the sizes
// read back from a relocatable, the names written into temporary folders,
// and the dependency record of a translation.
#ifndef C51_TOOLS_SDCC_COMPILE_LISTING_H_
#define C51_TOOLS_SDCC_COMPILE_LISTING_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc {

// Assembly sources the compiler writes for SRC carry the headers they came
// from on lines like this, so the assembler's object names them too.
constexpr std::string_view kDependsMarker = "; C51-DEPENDS: ";
// ...and the interrupt routines they define ("; C51-INTERRUPT: 1 _t0"), so
// the assembler's object tells the linker which vectors to lay down.
constexpr std::string_view kInterruptMarker = "; C51-INTERRUPT: ";

struct ModuleSizes {
  uint32_t code = 0;
  uint32_t data = 0;  // internal RAM, bits counted as bytes rounded up
  uint32_t xdata = 0;
};

// Adds up the areas ("A CSEG size 1A flags 0 addr 0") of an sdcc relocatable.
ModuleSizes ReadModuleSizes(std::string_view rel);

struct ListingInput {
  std::string banner;
  std::string tool;  // "C51" or "A51"
  std::string source;
  std::string source_text;
  std::string target;  // the object or assembly file written; empty: none
  std::string invocation;
  std::vector<std::string> messages;  // as reported
  ModuleSizes sizes;
  std::string assembly_listing;  // appended when not empty
  std::string summary;
};

// Lines end in "\r\n", as every file the tools write.
std::string FormatListing(const ListingInput& input);

// A module name sdcc and sdas8051 accept, from the source's title:
// "main" => "main"; "my file-2" => "my_file_2"; "1st" => "m1st". Bytes of
// other characters become their two hex digits, so that two Chinese names
// of one length keep distinct modules (their debug symbols are public):
// "\xCF\xD4\xCA\xBE" => "CFD4CABE".
std::string ModuleFileTitle(std::string_view source);

// The dependency record: the source, then each header, with their times;
// names (texts of ours) made absolute against the current folder.
std::string DependencyRecordFor(std::string_view tool, const std::string& source,
                                const std::vector<std::string>& headers, int* dropped);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_LISTING_H_
