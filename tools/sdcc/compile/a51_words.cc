#include "sdcc/compile/a51_words.h"

#include <algorithm>
#include <iterator>
#include <span>

namespace c51::sdcc::a51 {

namespace {

constexpr std::string_view kMnemonics[] = {
    "ACALL", "ADD",  "ADDC", "AJMP", "ANL",  "CALL", "CJNE", "CLR",  "CPL", "DA",   "DEC",   "DIV",
    "DJNZ",  "INC",  "JB",   "JBC",  "JC",   "JMP",  "JNB",  "JNC",  "JNZ", "JZ",   "LCALL", "LJMP",
    "MOV",   "MOVC", "MOVX", "MUL",  "NOP",  "ORL",  "POP",  "PUSH", "RET", "RETI", "RL",    "RLC",
    "RR",    "RRC",  "SETB", "SJMP", "SUBB", "SWAP", "XCH",  "XCHD", "XRL"};

constexpr std::string_view kDefiners[] = {"EQU", "SET",    "DATA",   "IDATA",   "XDATA",
                                          "BIT", "CODE",   "NUMBER", "SEGMENT", "MACRO",
                                          "LIT", "RECORD", "STRUC"};

constexpr std::string_view kDirectives[] = {
    "NAME",   "CSEG",  "DSEG",   "ISEG",  "BSEG", "XSEG",  "RSEG", "PUBLIC", "EXTRN",
    "EXTERN", "DB",    "DW",     "DS",    "DBIT", "USING", "ORG",  "END",    "IF",
    "ELSE",   "ENDIF", "ELSEIF", "MACRO", "ENDM", "REPT",  "IRP",  "IRPC",   "LOCAL",
    "EXITM",  "ALIGN", "DD",     "DSB",   "DSW",  "DSD",   "EVEN", "SEGMENT"};

constexpr std::string_view kQuietControls[] = {
    "NOMOD51",    "MOD51",        "MOD52",    "NOLIST",       "LIST",          "TITLE",
    "PAGELENGTH", "PAGEWIDTH",    "EJECT",    "SAVE",         "RESTORE",       "DEBUG",
    "NODEBUG",    "OBJECT",       "NOOBJECT", "PRINT",        "NOPRINT",       "SYMBOLS",
    "NOSYMBOLS",  "XREF",         "NOXREF",   "COND",         "NOCOND",        "GEN",
    "NOGEN",      "GENONLY",      "MACRO",    "NOMACRO",      "MPL",           "CASE",
    "ERRORPRINT", "NOERRORPRINT", "NOAMAKE",  "NOLINES",      "DATE",          "EP",
    "PAGING",     "NOPAGING",     "INCLUDE",  "REGISTERBANK", "NOREGISTERBANK"};

constexpr SpaceInfo kSpaces[] = {
    {"CODE", "CSEG", "CSEG", "(CODE)", "CABS", "(ABS,CODE)"},
    {"DATA", "DSEG", "DSEG", "(DATA)", "DABS", "(ABS,DATA)"},
    {"IDATA", "ISEG", "ISEG", "(DATA)", "IABS", "(ABS,DATA)"},
    {"BIT", "BSEG", "BSEG", "(BIT)", "BABS", "(ABS,BIT)"},
    {"XDATA", "XSEG", "XSEG", "(XDATA)", "XABS", "(ABS,XDATA)"},
};

bool OneOf(std::string_view word, std::span<const std::string_view> list) {
  return std::find(list.begin(), list.end(), word) != list.end();
}

}  // namespace

bool IsMnemonic(std::string_view upper) {
  return OneOf(upper, kMnemonics);
}

bool IsDirective(std::string_view upper) {
  return OneOf(upper, kDirectives);
}

bool IsDefiner(std::string_view upper) {
  return OneOf(upper, kDefiners);
}

bool IsQuietControl(std::string_view upper) {
  return OneOf(upper, kQuietControls);
}

bool IsRegister(std::string_view upper) {
  if (upper.size() == 2 && upper[0] == 'R' && upper[1] >= '0' && upper[1] <= '7') return true;
  return upper == "A" || upper == "AB" || upper == "C" || upper == "DPTR" || upper == "PC";
}

int AbsoluteRegister(std::string_view upper) {
  if (upper.size() == 3 && upper.substr(0, 2) == "AR" && upper[2] >= '0' && upper[2] <= '7') {
    return upper[2] - '0';
  }
  return -1;
}

const SpaceInfo& InfoOf(Space space) {
  return kSpaces[static_cast<int>(space)];
}

std::optional<Space> SpaceOfWord(std::string_view upper) {
  for (size_t i = 0; i < std::size(kSpaces); ++i) {
    if (kSpaces[i].word == upper) return static_cast<Space>(i);
  }
  return std::nullopt;
}

std::optional<Space> SpaceOfPlain(std::string_view upper) {
  for (size_t i = 0; i < std::size(kSpaces); ++i) {
    if (kSpaces[i].plain == upper) return static_cast<Space>(i);
  }
  return std::nullopt;
}

}  // namespace c51::sdcc::a51
