// The lines of a uVision 2 project (".uv2"), as the host reads them for
// what the plug-in's import leaves out. A target's settings sit in its
// block "Options <target>,0,0" ... "EndOpt" (groups' and files' blocks
// have their own numbers there), one per line, written "Name (text)" or
// "NAME=value":
//
//   Options 1,0,0  // Target 'Target 1'
//    Device (AT89C52)
//    Cpu (IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(11059200))
//    MODEL5=0
//    INCC5 (.\inc;..\lib)
//   EndOpt
#ifndef C51_HOST_UV2_LINES_H_
#define C51_HOST_UV2_LINES_H_

#include <string>
#include <string_view>
#include <vector>

namespace c51::host {

// Every line without its leading blanks and its end-of-line characters.
std::vector<std::string_view> Uv2Lines(std::string_view data);

// "Keyword (text)", any letter case, blanks allowed before "(": true with
// the text between the first "(" and the last ")", so that the nested
// parentheses of a CPU text stay whole.
bool Uv2KeywordText(std::string_view line, std::string_view keyword, std::string* text);

// "NAME=value" with exactly that name: true with the value.
bool Uv2Setting(std::string_view line, std::string_view name, std::string* value);

// "Options 1,0,0": the target, group and file numbers; false for any other
// line.
bool Uv2OptionsHeader(std::string_view line, int* target, int* group, int* file);

}  // namespace c51::host

#endif  // C51_HOST_UV2_LINES_H_
