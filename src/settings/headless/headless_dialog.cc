#include "settings/headless/headless_dialog.h"

namespace c51::settings {

HeadlessDialog::HeadlessDialog(const DialogTemplate& layout, ControlEvents* events)
    : layout_(layout), events_(events) {
  for (const ControlSpec& entry : layout_.controls) {
    if (entry.id == kNoId) continue;
    HeadlessControl& control = controls_[entry.id];
    control.kind = entry.kind;
    control.style = entry.style;
    control.text = entry.text;
    control.items = entry.items;
    control.item_data.assign(entry.items.size(), 0);
    control.enabled = (entry.style & kDisabled) == 0;
    control.visible = (entry.style & kHidden) == 0;
  }
}

const HeadlessControl* HeadlessDialog::Find(int id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

HeadlessControl* HeadlessDialog::Mutable(int id) {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : &it->second;
}

bool HeadlessDialog::Exists(int id) const {
  return Find(id) != nullptr;
}

int HeadlessDialog::GetCheck(int id) const {
  const HeadlessControl* c = Find(id);
  return c ? c->check : kUnchecked;
}

void HeadlessDialog::SetCheck(int id, int state) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr) return;
  c->check = state;
}

void HeadlessDialog::SetThreeState(int id, bool three_state) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr) return;
  c->style |= kAutomatic;
  if (three_state) {
    c->style |= kThreeState;
  } else {
    c->style &= ~static_cast<uint32_t>(kThreeState);
  }
}

std::string HeadlessDialog::GetText(int id) const {
  const HeadlessControl* c = Find(id);
  if (c == nullptr) return std::string();
  if (c->kind == ControlKind::kDropDownList || c->kind == ControlKind::kListBox) {
    return c->selection >= 0 ? c->items[c->selection] : std::string();
  }
  return c->text;
}

void HeadlessDialog::SetText(int id, const std::string& text) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr) return;
  c->text = text;
  if (c->kind == ControlKind::kEdit) Notify(id, Notification::kTextChanged);
}

int HeadlessDialog::GetItemCount(int id) const {
  const HeadlessControl* c = Find(id);
  return c ? static_cast<int>(c->items.size()) : 0;
}

std::string HeadlessDialog::GetItemText(int id, int index) const {
  const HeadlessControl* c = Find(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size())) return {};
  return c->items[index];
}

int HeadlessDialog::InsertItem(int id, int index, const std::string& text) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr) return -1;
  int count = static_cast<int>(c->items.size());
  if (index < 0 || index > count) index = count;
  c->items.insert(c->items.begin() + index, text);
  c->item_data.insert(c->item_data.begin() + index, 0);
  if (c->selection >= index) ++c->selection;
  return index;
}

void HeadlessDialog::DeleteItem(int id, int index) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size())) return;
  c->items.erase(c->items.begin() + index);
  c->item_data.erase(c->item_data.begin() + index);
  if (c->selection == index) {
    c->selection = -1;
  } else if (c->selection > index) {
    --c->selection;
  }
}

void HeadlessDialog::ResetItems(int id) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr) return;
  c->items.clear();
  c->item_data.clear();
  c->selection = -1;
}

intptr_t HeadlessDialog::GetItemData(int id, int index) const {
  const HeadlessControl* c = Find(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size())) return 0;
  return c->item_data[index];
}

void HeadlessDialog::SetItemData(int id, int index, intptr_t data) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr || index < 0 || index >= static_cast<int>(c->items.size())) return;
  c->item_data[index] = data;
}

int HeadlessDialog::GetSelection(int id) const {
  const HeadlessControl* c = Find(id);
  return c ? c->selection : -1;
}

void HeadlessDialog::SetSelection(int id, int index) {
  HeadlessControl* c = Mutable(id);
  if (c == nullptr) return;
  // Out of range clears the selection, as the platform's lists do.
  c->selection = index >= 0 && index < static_cast<int>(c->items.size()) ? index : -1;
}

bool HeadlessDialog::IsEnabled(int id) const {
  const HeadlessControl* c = Find(id);
  return c && c->enabled;
}

void HeadlessDialog::Enable(int id, bool enabled) {
  if (HeadlessControl* c = Mutable(id)) c->enabled = enabled;
}

bool HeadlessDialog::IsVisible(int id) const {
  const HeadlessControl* c = Find(id);
  return c && c->visible;
}

bool HeadlessDialog::Usable(int id) const {
  const HeadlessControl* c = Find(id);
  return c && c->enabled && c->visible;
}

void HeadlessDialog::Notify(int id, Notification code) {
  if (events_ != nullptr) events_->OnControl(id, code);
}

bool HeadlessDialog::Click(int id) {
  if (!Usable(id)) return false;
  HeadlessControl* c = Mutable(id);
  switch (c->kind) {
    case ControlKind::kCheckBox:
      if (c->style & kAutomatic) {
        if (c->style & kThreeState) {
          c->check = (c->check + 1) % 3;
        } else {
          c->check = c->check == kUnchecked ? kChecked : kUnchecked;
        }
      }
      break;
    case ControlKind::kRadioButton:
      if (c->style & kAutomatic) {
        // The group runs from its first button to the next group start.
        const std::vector<ControlSpec>& specs = layout_.controls;
        size_t at = 0;
        while (at < specs.size() && specs[at].id != id) ++at;
        size_t first = at;
        while (first > 0 && !(specs[first].style & kGroupStart)) --first;
        for (size_t k = first; k < specs.size(); ++k) {
          if (k > first && (specs[k].style & kGroupStart)) break;
          if (specs[k].kind != ControlKind::kRadioButton) continue;
          if (HeadlessControl* other = Mutable(specs[k].id)) other->check = kUnchecked;
        }
        c->check = kChecked;
      }
      break;
    case ControlKind::kPushButton:
      break;
    default:
      return false;
  }
  Notify(id, Notification::kClicked);
  return true;
}

bool HeadlessDialog::Type(int id, const std::string& text) {
  if (!Usable(id)) return false;
  HeadlessControl* c = Mutable(id);
  if (c->kind != ControlKind::kEdit || (c->style & kReadOnly)) return false;
  c->text = text;
  Notify(id, Notification::kTextChanged);
  return true;
}

bool HeadlessDialog::Choose(int id, int index) {
  if (!Usable(id)) return false;
  HeadlessControl* c = Mutable(id);
  if (c->kind != ControlKind::kDropDownList && c->kind != ControlKind::kListBox) return false;
  if (index < 0 || index >= static_cast<int>(c->items.size())) return false;
  c->selection = index;
  Notify(id, Notification::kSelectionChanged);
  return true;
}

bool HeadlessDialog::ChooseText(int id, const std::string& text) {
  const HeadlessControl* c = Find(id);
  if (c == nullptr) return false;
  for (size_t i = 0; i < c->items.size(); ++i) {
    if (c->items[i] == text) return Choose(id, static_cast<int>(i));
  }
  return false;
}

}  // namespace c51::settings
