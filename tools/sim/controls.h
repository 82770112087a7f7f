// Control strings: the directives the build appends to a tool's command line
// or writes after the object list of a command file, such as
//   ROM (SMALL) OPTIMIZE (8,SPEED) INCDIR (.\inc;C:\x) DEBUG PRINT(.\Lst\main.lst)
// and the argument lists inside them.
#ifndef C51_TOOLS_SIM_CONTROLS_H_
#define C51_TOOLS_SIM_CONTROLS_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace c51::sim {

struct Control {
  std::string name;      // upper-cased
  std::string argument;  // inside the outer parentheses, blanks at both ends removed
  bool has_argument = false;
};

// Parses a run of controls: a name of letters, digits and "_", then, after
// optional blanks, an optional argument in parentheses. Inside an argument
// parentheses nest and quotation marks protect both kinds. Blanks, tabs and
// line ends separate controls.
//   "DEBUG ROM (SMALL)"    => DEBUG; ROM with "SMALL"
//   "OBJECT(.\a (1)\x.obj)" => OBJECT with ".\a (1)\x.obj"
//   "CODE( 0-0x7FF )"       => CODE with "0-0x7FF"
// False with `err` (upper case, for the tool's error line) and `offset` (of
// the offending byte) on an unbalanced parenthesis, an open quotation or a
// character that cannot start a control.
bool ParseControls(std::string_view text, std::vector<Control>* controls, std::string* err,
                   size_t* offset);

// The text without one pair of enclosing quotation marks: "\"a b\"" => "a b".
std::string_view Unquote(std::string_view text);

// Cuts an argument at `separator` outside quotation marks and parentheses;
// items are trimmed and unquoted. "a; \"b;c\" ;" with ';' => [a] [b;c] [];
// the empty text gives no items.
std::vector<std::string> SplitArgumentList(std::string_view text, char separator);

// Numbers as the tools take them: decimal, "0x1F" (C), "1FH" (assembler
// hexadecimal, first character a digit), "101B" (binary). False for
// anything else and for values above 0xFFFFFFFF.
bool ParseNumber(std::string_view text, uint32_t* value);

enum class ArgumentUse { kNone, kOptional, kRequired };

struct ControlRule {
  std::string_view name;
  ArgumentUse use;
};

// The rule for `name`, or null: tools ignore controls they do not know, as
// the misc fields may carry any control the real tools take.
const ControlRule* FindRule(std::span<const ControlRule> rules, std::string_view name);

// Checks that each known control has an argument exactly when its rule
// wants one, and that a given argument is not empty. False with `err` naming
// the control on the first misuse.
bool CheckControls(const std::vector<Control>& controls, std::span<const ControlRule> rules,
                   std::string* err);

std::string ToUpper(std::string_view text);
std::string_view Trim(std::string_view text);

}  // namespace c51::sim

#endif  // C51_TOOLS_SIM_CONTROLS_H_
