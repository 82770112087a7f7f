#include "sim/compiler_controls.h"

namespace c51::sim {
namespace {

constexpr ControlRule kRules[] = {
    {"SMALL", ArgumentUse::kNone},
    {"COMPACT", ArgumentUse::kNone},
    {"LARGE", ArgumentUse::kNone},
    {"ROM", ArgumentUse::kRequired},
    {"MODP2", ArgumentUse::kNone},
    {"MODDP2", ArgumentUse::kNone},
    {"WARNINGLEVEL", ArgumentUse::kRequired},
    {"OPTIMIZE", ArgumentUse::kRequired},
    {"INCDIR", ArgumentUse::kRequired},
    {"FLOATFUZZY", ArgumentUse::kRequired},
    {"DEFINE", ArgumentUse::kRequired},
    {"REGFILE", ArgumentUse::kRequired},
    {"ORDER", ArgumentUse::kNone},
    {"NOINTPROMOTE", ArgumentUse::kNone},
    {"INTPROMOTE", ArgumentUse::kNone},
    {"NOAREGS", ArgumentUse::kNone},
    {"AREGS", ArgumentUse::kNone},
    {"INTVECTOR", ArgumentUse::kOptional},
    {"NOINTVECTOR", ArgumentUse::kNone},
    {"DEBUG", ArgumentUse::kNone},
    {"OBJECTEXTEND", ArgumentUse::kNone},
    {"NOPRINT", ArgumentUse::kNone},
    {"PRINT", ArgumentUse::kOptional},
    {"PR", ArgumentUse::kOptional},
    {"NOCOND", ArgumentUse::kNone},
    {"COND", ArgumentUse::kNone},
    {"SYMBOLS", ArgumentUse::kNone},
    {"LISTINCLUDE", ArgumentUse::kNone},
    {"CODE", ArgumentUse::kNone},
    {"PREPRINT", ArgumentUse::kOptional},
    {"OBJECT", ArgumentUse::kOptional},
    {"NOOBJECT", ArgumentUse::kNone},
    {"SRC", ArgumentUse::kOptional},
};

}  // namespace

std::span<const ControlRule> CompilerControlRules() {
  return kRules;
}

}  // namespace c51::sim
