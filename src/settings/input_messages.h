// The pages' messages for typed values they refuse: a number that is not
// one, or a character the value's stored form cannot hold. Each is
// followed directly by the text as typed. Chinese texts are GBK bytes.
#ifndef C51_SETTINGS_INPUT_MESSAGES_H_
#define C51_SETTINGS_INPUT_MESSAGES_H_

#include "support/messages.h"

namespace c51::settings {

enum class InputMessage : int {
  kInvalidCrystal,          // the Target page's crystal
  kCommaInBankArea,         // "CodeBank" separates its fields with ","
  kSemicolonInIncludeItem,  // an include path list separates folders with ";"
  kQuestionMarkInCommand,   // a user command text separates its fields with "?"
  kCount,
};

// The text of `id` in `language`. Never null.
const char* InputMessageText(InputMessage id, Language language);

}  // namespace c51::settings

#endif  // C51_SETTINGS_INPUT_MESSAGES_H_
