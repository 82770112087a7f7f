#include "settings/input_messages.h"

namespace c51::settings {
namespace {

struct InputMessageRow {
  InputMessage id;  // kept next to the texts so a misordered row is caught
  const char* english;
  const char* chinese;
};

constexpr InputMessageRow kRows[] = {
    // "Invalid crystal frequency (0 to 2147.483647 MHz): "
    {InputMessage::kInvalidCrystal, "Invalid crystal frequency (0 to 2147.483647 MHz): ",
     "\xCE\xDE\xD0\xA7\xBE\xA7\xD5\xF1\xC6\xB5\xC2\xCA(0 \xB5\xBD 2147.483647 MHz): "},
    // "A bank area address cannot contain ",": "
    {InputMessage::kCommaInBankArea, "A bank area address cannot contain \",\": ",
     "\xB7\xD6\xD7\xE9\xC7\xF8\xD3\xF2\xB5\xD8\xD6\xB7\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC \",\": "},
    // "An include folder cannot contain ";": "
    {InputMessage::kSemicolonInIncludeItem, "An include folder cannot contain \";\": ",
     "\xB0\xFC\xBA\xAC\xC4\xBF\xC2\xBC\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC \";\": "},
    // "A user command cannot contain "?": "
    {InputMessage::kQuestionMarkInCommand, "A user command cannot contain \"?\": ",
     "\xD3\xC3\xBB\xA7\xC3\xFC\xC1\xEE\xB2\xBB\xC4\xDC\xB0\xFC\xBA\xAC \"?\": "},
};

constexpr bool RowsInIdOrder() {
  int index = 0;
  for (const InputMessageRow& row : kRows) {
    if (static_cast<int>(row.id) != index++) return false;
  }
  return index == static_cast<int>(InputMessage::kCount);
}
static_assert(RowsInIdOrder(), "one row per InputMessage, in InputMessage order");

}  // namespace

const char* InputMessageText(InputMessage id, Language language) {
  const int index = static_cast<int>(id);
  if (index < 0 || index >= static_cast<int>(InputMessage::kCount)) return "";
  const InputMessageRow& row = kRows[index];
  return language == Language::kEnglish ? row.english : row.chinese;
}

}  // namespace c51::settings
