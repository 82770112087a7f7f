#include "plugin/language.h"

#include "plugin/state.h"

namespace c51 {

bool IsChineseInterface() {
  return State().language == Language::kChinese;
}
bool IsEnglishInterface() {
  return State().language == Language::kEnglish;
}

const char* Msg(MessageId id) {
  // Anything but English shows the Chinese wording.
  return MessageText(id, IsEnglishInterface() ? Language::kEnglish : Language::kChinese);
}

}  // namespace c51
