// The uVision 2 project and options files as text: what each line says,
// without touching the project tree. The reader (uv2_reader.h) turns the
// entries into nodes; keeping the two apart lets the line rules be tested
// and fuzzed on bytes alone.
//
// Line rules, for both files: a line is cut to its first 255 characters
// and loses its line end; keywords are tested at the line's start ignoring
// case; several keywords may apply to one line.
//
// Both readers hand out one line or entry at a time: a project file of
// millions of lines never has them all in memory at once.
#ifndef C51_IMPORT_UV2_PARSER_H_
#define C51_IMPORT_UV2_PARSER_H_

#include <cstddef>
#include <string>
#include <string_view>

namespace c51 {

// The lines of a text, each cut to its first 255 characters, its line end
// ("\n", and a "\r" before it, so that files written on Windows read the
// same everywhere) removed. The views point into the text, which must
// outlive the reader.
//   "ab\r\ncd" => "ab", "cd";  "x\n" => "x";  "" => nothing
class ProfileLineReader {
 public:
  explicit ProfileLineReader(std::string_view text) : text_(text) {}
  // The next line; false after the last.
  bool Next(std::string_view* line);

 private:
  std::string_view text_;
  size_t next_ = 0;  // offset of the next line's first byte
};

// The current target's number in the ".opt" text: the first "OPTFL" line
// (leading blanks skipped, any case) whose character after its last ","
// is "1"; without such a line the count of "OPTFL" lines (the last one).
int CurrentTargetIndex(std::string_view opt_text);

// One thing a project line asks for, in line order.
struct Uv2Entry {
  enum class Kind {
    kTarget,  // `text`: the name between the first "(" and the last ")"
    kGroup,   // `text`: the name, as for a target
    kFile,    // `text`: the path between the first "<" and the first ">";
              // `number`: the group, between the first blank and the first ","
    kOption,  // a setting of the current target's "Options" block: `key`
              // is "OutputDirectory", "OutputName" or "ListingDirectory",
              // `text` what stood between the first "(" and the first ")"
  };
  Kind kind = Kind::kTarget;
  std::string text;
  int number = 0;
  const char* key = nullptr;
};

// The entries of a project file, in line order. Only the "Options" block
// whose target number equals `current_target` is read for settings (its
// lines up to the one containing "EndOpt" are consumed); other blocks'
// lines are read as ordinary lines. Targets count from 1, so 0 selects no
// block. The text must outlive the reader.
class Uv2ProjectReader {
 public:
  Uv2ProjectReader(std::string_view text, int current_target)
      : lines_(text), current_target_(current_target) {}
  // Fills `*entry` with the next entry (reusing its text's memory); false
  // after the last.
  bool Next(Uv2Entry* entry);

 private:
  // The next option of `option_line_` from key `next_key_` on.
  bool NextOption(Uv2Entry* entry);

  ProfileLineReader lines_;
  int current_target_;
  bool in_options_ = false;       // inside the current target's "Options" block
  std::string_view option_line_;  // a line of that block whose keys are being read
  size_t next_key_ = 0;           // the first key of option_line_ not yet tested
};

}  // namespace c51

#endif  // C51_IMPORT_UV2_PARSER_H_
