// The interface language of every text the code composes at run time.
#ifndef C51_PLUGIN_LANGUAGE_H_
#define C51_PLUGIN_LANGUAGE_H_

#include "support/messages.h"

namespace c51 {

bool IsChineseInterface();
bool IsEnglishInterface();

// The message in the process's interface language.
const char* Msg(MessageId id);

}  // namespace c51

#endif  // C51_PLUGIN_LANGUAGE_H_
