// Names of the classic 8051 assembly in sdas8051's object. Classic names may
// hold "?" (the run-time's "?C_START", segments such as "?PR?MAIN?MODULE",
// "?STACK"); sdas8051's may not, but they may hold "$", which classic names
// never do. So "?" becomes "$" and back, one for one:
//   ?STACK          => $STACK
//   ?PR?MAIN?BLINK  => $PR$MAIN$BLINK
//   ?C_START        => __sdcc_gsinit_startup   (the C run-time's entry: sdcc's
//                                               start-up, which initialises
//                                               the variables and calls main)
#ifndef C51_TOOLS_SDCC_COMPILE_A51_NAMES_H_
#define C51_TOOLS_SDCC_COMPILE_A51_NAMES_H_

#include <string>
#include <string_view>

namespace c51::sdcc {

// sdcc's start-up, where a classic start-up file jumps when it is done.
inline constexpr std::string_view kSdccStartup = "__sdcc_gsinit_startup";

// A classic name (a symbol, a segment or a module) as sdas8051 gets it.
std::string MangleClassicName(std::string_view name);

// The user's name behind a name in an object, for messages and the map:
// "$STACK" => "?STACK". Only names that start with "$" change: classic names
// with "?" start with it ("?C_STARTUP", "?PR?..."), and sdcc's debug names
// hold "$" inside ("G$main$0$0").
std::string ClassicDisplayName(std::string_view name);

}  // namespace c51::sdcc

#endif  // C51_TOOLS_SDCC_COMPILE_A51_NAMES_H_
