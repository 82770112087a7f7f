#include "settings/script_dialog_actions.h"

#include "settings/widgets/list_box_user.h"

namespace c51::settings {
namespace {

// Ends the edit in progress as Enter in the edit does; the focus may have
// gone to the "..." button, so the edit is clicked first.
bool PressEnterInEdit(ListBoxUser* user) {
  return user->ClickEdit() && user->PressKey(kVkReturn);
}

}  // namespace

bool RunDialogAction(const SettingsAction& action, HeadlessDialogRun* run) {
  if (action.kind == SettingsAction::kDialogOk) return run->PressOk();
  if (action.kind == SettingsAction::kDialogCancel) return run->PressCancel();
  if (run->closed()) return false;
  const ListEditorParts parts = run->dialog()->list_editor();
  CListBoxEx* list = parts.list;
  if (list == nullptr) return false;
  ListBoxUser user(list, parts.header);
  const int count = list->count();
  const int index = action.index;
  const bool is_item = index >= 0 && index < count;
  switch (action.kind) {
    case SettingsAction::kItemNew:
      // A text the list refuses leaves no new item behind.
      return user.PressHeaderButton(kHeaderNew) && user.Type(action.text) &&
             PressEnterInEdit(&user) && list->count() == count + 1;
    case SettingsAction::kItemEdit:
      if (!user.DoubleClickItem(index) || !list->editing() || !user.Type(action.text) ||
          !PressEnterInEdit(&user)) {
        return false;
      }
      // An empty text removes the item; a refused one leaves it as it was.
      return action.text.empty() ? list->count() == count - 1
                                 : list->controls().GetItemText(list->id(), index) == action.text;
    case SettingsAction::kItemBrowse:
      return user.DoubleClickItem(index) && list->editing() && user.ClickBrowse() &&
             PressEnterInEdit(&user) && !list->editing();
    case SettingsAction::kItemDelete:
      return is_item && user.ClickItem(index) && user.PressHeaderButton(kHeaderDelete) &&
             list->count() == count - 1;
    case SettingsAction::kItemUp:
      return is_item && index > 0 && user.ClickItem(index) && user.PressHeaderButton(kHeaderMoveUp);
    case SettingsAction::kItemDown:
      return is_item && index + 1 < count && user.ClickItem(index) &&
             user.PressHeaderButton(kHeaderMoveDown);
    default:
      return false;
  }
}

}  // namespace c51::settings
