// What the corpus test reads from a project and from its build: the
// uVision project file in a folder, the interrupt routines its C sources
// declare, the image of an Intel HEX file and the code addresses of a link
// map.
#ifndef C51_TESTS_SDCC_CORPUS_CORPUS_PROJECT_H_
#define C51_TESTS_SDCC_CORPUS_CORPUS_PROJECT_H_

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sdcc::corpus {

// The corpus' project folders (their names), sorted; none when `root`
// (a system path) is missing.
std::vector<std::string> ProjectFolders(const std::string& root);

// The one .uvproj or .uv2 file (any letter case) directly in `folder`, as a
// system path; empty when there is none or more than one.
std::string ProjectFile(const std::string& folder);

// Interrupt number => routine, from each `name(...) interrupt n` (also
// `interrupt (n)`, decimal or 0x hex) in one C text, definitions and
// declarations alike; comments, strings and character constants are
// skipped, and `interrupt` must be a word of its own. A number claimed by
// two names keeps the first.
std::map<int, std::string> InterruptRoutines(std::string_view c_text);

// The same over every .c file (any letter case) below `folder`.
std::map<int, std::string> InterruptRoutinesBelow(const std::string& folder);

// Address => byte of the data records of an Intel HEX text. False with
// `err` on a malformed record, a bad checksum or no end record.
bool ReadHexImage(std::string_view text, std::map<uint32_t, uint8_t>* image, std::string* err);

// Symbol => address of the CODE lines of a link map (.M51):
//   "  02CCH     CODE     adc_isr                           adc_isr"
std::map<std::string, uint32_t> CodeSymbols(std::string_view map_text);

// The path in a build's `creating hex file from "X"...` line, plus ".hex";
// empty without such a line.
std::string HexFileOfBuild(std::string_view build_output);

}  // namespace c51::sdcc::corpus

#endif  // C51_TESTS_SDCC_CORPUS_CORPUS_PROJECT_H_
