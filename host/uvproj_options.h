// What a uVision 4 project's targets set that the plug-in's import does not
// take over by its contract, read by the host so that it can apply them
// through the settings dialog after the import:
//   Project/Targets/Target/TargetName
//   .../TargetOption/TargetCommonOption/{OutputDirectory, OutputName,
//       ListingPath, Cpu}          (the crystal is the CPU text's CLOCK(hertz))
//   .../TargetOption/Target51/Target51Misc/{MemoryModel, RomSize}
// Texts are in the tree's code page; an element that is missing stays
// unset, so that the plug-in's value stands.
//
// A uVision 2 project's import takes only the current target's folders and
// output name; its targets' blocks (uv2_lines.h) give these values too,
// and the C51 defines and include folders and the A51 include folders:
//   OutDir (..)  OutName (..)  LstDir (..)  Cpu (..)  MODEL5=n  ROMSZ5=n
//   C51DEF (..)  INCC5 (..)  INCA5 (..)
// uv2 texts are the project's bytes as they are.
#ifndef C51_HOST_UVPROJ_OPTIONS_H_
#define C51_HOST_UVPROJ_OPTIONS_H_

#include <optional>
#include <string>
#include <vector>

namespace c51::host {

struct UvprojTargetOptions {
  std::string name;
  std::optional<std::string> output_folder;
  std::optional<std::string> output_name;
  std::optional<std::string> listing_folder;
  std::optional<std::string> memory_model;  // as written: "0" small, "1" compact, "2" large
  std::optional<std::string> code_model;    // "RomSize", the same values
  std::optional<std::string> cpu;
  // Set from a uv2 project only: the plug-in takes a uvproj's itself.
  std::optional<std::string> c_defines = std::nullopt;
  std::optional<std::string> c_include = std::nullopt;
  std::optional<std::string> a_include = std::nullopt;
};

// False with `err` when the document is not well-formed XML.
bool ParseUvprojOptions(const std::string& data, std::vector<UvprojTargetOptions>* targets,
                        std::string* err);

// Every "Target" line's target, with its values; never fails.
void ParseUv2Options(const std::string& data, std::vector<UvprojTargetOptions>* targets);

// The crystal in MHz as the Target page takes it ("11.0592") from the CPU
// text's "CLOCK(n)" (n in hertz, decimal or 0x hexadecimal); empty when
// there is none or it is not a number.
std::string CrystalText(const std::string& cpu);

}  // namespace c51::host

#endif  // C51_HOST_UVPROJ_OPTIONS_H_
