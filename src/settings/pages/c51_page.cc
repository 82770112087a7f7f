#include "settings/pages/c51_page.h"

#include <cstdint>

#include "options/option_text.h"
#include "plugin/state.h"
#include "settings/display_inputs.h"
#include "settings/pages/folder_setup_dialog.h"
#include "settings/settings_backend.h"

namespace c51::settings {
namespace {

// The five check boxes, in the order the page switches them to three states.
constexpr int kCheckBoxes[] = {kIdC51InterruptVectors, kIdC51RegisterColoring, kIdC51AnsiPromotion,
                               kIdC51NoAbsoluteRegisters, kIdC51KeepOrder};

constexpr int64_t kMaxVectorAddress = 0xFFFF;

}  // namespace

CC51Page::CC51Page(SettingsSession* session) : CArdelPage(kC51PageTemplate), session_(session) {}

bool CC51Page::OnInitDialog() {
  Load();
  return true;
}

void CC51Page::Load() {
  DialogControls& c = controls();
  const C51Record& r = record();
  const C51Options decoded = DecodeC51Flags(r.flags, scope());
  if (scope() == OptionScope::kProject) {
    c.Enable(kIdC51Undefine, false);
    c.Enable(kIdC51InterruptVectors, true);
    c.Enable(kIdC51RegisterColoring, true);
    c.Enable(kIdC51VectorAddress, true);
  } else {
    for (int id : kCheckBoxes) c.SetThreeState(id, true);
    c.Enable(kIdC51Undefine, true);
    // Vectors and register coloring are project-wide: below the project
    // they always inherit.
    c.Enable(kIdC51InterruptVectors, false);
    c.Enable(kIdC51RegisterColoring, false);
    c.Enable(kIdC51VectorAddress, false);
  }
  // Decoded as the project stores them (bits 0 and 8), or inherit.
  register_coloring_ = decoded.regFile;
  interrupt_vectors_ = decoded.intVector;
  level_ = decoded.optimizeLevel;
  emphasis_ = decoded.emphasis;
  warnings_ = decoded.warningLevel;
  float_bits_ = decoded.floatFuzzy;
  no_absolute_registers_ = decoded.noAbsRegs;
  keep_order_ = decoded.keepOrder;
  ansi_promotion_ = decoded.intPromote;
  vector_address_ = "0x" + FormatHex4(static_cast<uint32_t>(r.vector_address));
  define_ = r.define;
  undefine_ = r.undefine;
  misc_ = r.misc;
  include_ = r.include;
  writing_ = true;
  WriteControls();
  writing_ = false;
  Refresh();
}

void CC51Page::Refresh() {
  SetModified();
  ReadControls();
  control_string_ = BuildC51DisplayString(PageValues(), session_->records->c51_inherited,
                                          PageDisplayInputs(*session_, scope()));
  writing_ = true;
  WriteControls();
  writing_ = false;
}

C51PageValues CC51Page::PageValues() const {
  C51PageValues values;
  values.options.regFile = register_coloring_;
  values.options.keepOrder = keep_order_;
  values.options.intPromote = ansi_promotion_;
  values.options.noAbsRegs = no_absolute_registers_;
  values.options.intVector = interrupt_vectors_;
  values.options.floatFuzzy = float_bits_;
  values.options.optimizeLevel = level_;
  values.options.warningLevel = warnings_;
  values.options.emphasis = emphasis_;
  values.define = define_;
  values.undefine = undefine_;
  values.misc = misc_;
  values.include = include_;
  values.vector_address = vector_address_;
  values.gen_asm = session_->records->file.gen_asm;
  return values;
}

void CC51Page::ReadControls() {
  const DialogControls& c = controls();
  define_ = c.GetText(kIdC51Define);
  undefine_ = c.GetText(kIdC51Undefine);
  misc_ = c.GetText(kIdC51Misc);
  include_ = c.GetText(kIdC51Include);
  vector_address_ = c.GetText(kIdC51VectorAddress);
  level_ = c.GetSelection(kIdC51Level);
  emphasis_ = c.GetSelection(kIdC51Emphasis);
  warnings_ = c.GetSelection(kIdC51Warnings);
  float_bits_ = c.GetSelection(kIdC51FloatBits);
  register_coloring_ = c.GetCheck(kIdC51RegisterColoring);
  no_absolute_registers_ = c.GetCheck(kIdC51NoAbsoluteRegisters);
  interrupt_vectors_ = c.GetCheck(kIdC51InterruptVectors);
  keep_order_ = c.GetCheck(kIdC51KeepOrder);
  ansi_promotion_ = c.GetCheck(kIdC51AnsiPromotion);
}

void CC51Page::WriteControls() {
  DialogControls& c = controls();
  c.UpdateText(kIdC51Define, define_);
  c.UpdateText(kIdC51Undefine, undefine_);
  c.UpdateText(kIdC51Misc, misc_);
  c.UpdateText(kIdC51Include, include_);
  c.UpdateText(kIdC51VectorAddress, vector_address_);
  c.UpdateText(kIdC51ControlString, control_string_);
  c.SetSelection(kIdC51Level, level_);
  c.SetSelection(kIdC51Emphasis, emphasis_);
  c.SetSelection(kIdC51Warnings, warnings_);
  c.SetSelection(kIdC51FloatBits, float_bits_);
  c.SetCheck(kIdC51RegisterColoring, register_coloring_);
  c.SetCheck(kIdC51NoAbsoluteRegisters, no_absolute_registers_);
  c.SetCheck(kIdC51InterruptVectors, interrupt_vectors_);
  c.SetCheck(kIdC51KeepOrder, keep_order_);
  c.SetCheck(kIdC51AnsiPromotion, ansi_promotion_);
}

void CC51Page::KeepProjectValue(int list_id) {
  // The project has no enclosing scope to inherit from.
  if (scope() != OptionScope::kProject) return;
  DialogControls& c = controls();
  const C51Options stored = DecodeC51Flags(record().flags, OptionScope::kProject);
  int default_index = 0;
  int stored_index = 0;
  switch (list_id) {
    case kIdC51Level:
      default_index = kC51LevelDefault;
      stored_index = stored.optimizeLevel;
      break;
    case kIdC51Emphasis:
      default_index = kC51EmphasisDefault;
      stored_index = stored.emphasis;
      break;
    case kIdC51Warnings:
      default_index = kC51WarningsDefault;
      stored_index = stored.warningLevel;
      break;
    case kIdC51FloatBits:
      default_index = kC51FloatBitsDefault;
      stored_index = stored.floatFuzzy;
      break;
    default:
      return;
  }
  if (c.GetSelection(list_id) == default_index) c.SetSelection(list_id, stored_index);
}

void CC51Page::EditIncludes() {
  ReadControls();
  std::string text = include_;
  if (!EditIncludeDirectories(backend(), &text)) return;
  include_ = text;
  // Not marked as the page's own writing: the include edit's change
  // notification refreshes the control string.
  WriteControls();
}

void CC51Page::OnControl(int id, Notification code) {
  if (writing_ || !HasWindow()) return;
  switch (id) {
    case kIdC51Define:
    case kIdC51Undefine:
    case kIdC51VectorAddress:
    case kIdC51Misc:
    case kIdC51Include:
      if (code == Notification::kTextChanged) Refresh();
      break;
    case kIdC51RegisterColoring:
    case kIdC51NoAbsoluteRegisters:
    case kIdC51InterruptVectors:
    case kIdC51KeepOrder:
    case kIdC51AnsiPromotion:
      if (code == Notification::kClicked) Refresh();
      break;
    case kIdC51Level:
    case kIdC51Emphasis:
    case kIdC51Warnings:
    case kIdC51FloatBits:
      if (code == Notification::kSelectionChanged) {
        KeepProjectValue(id);
        Refresh();
      }
      break;
    case kIdC51IncludeBrowse:
      if (code == Notification::kClicked) EditIncludes();
      break;
    default:
      break;
  }
}

bool CC51Page::OnKillActive() {
  if (!HasWindow()) return true;
  ReadControls();
  C51Record& r = record();
  r.flags = EncodeC51Flags(PageValues().options);
  // A negative address is refused as well: strtoul, which reads the same
  // way, turns a minus sign into a value far past the limit.
  const int64_t address = ParseAutoBase(vector_address_);
  r.vector_address = static_cast<int>(static_cast<uint32_t>(address));
  if (address < 0 || address > kMaxVectorAddress) {
    // Flags and address stay stored; the texts wait for a valid address.
    MessageBox(MessageText(MessageId::kInvalidInterruptVector, language()),
               MessageIcon::kInformation);
    return false;
  }
  r.define = define_;
  // The project's define shows as inherited on the pages below it. A
  // group's is not kept: the entry gathers the enclosing groups' texts for
  // every dialog, and this page's own box reads that field as theirs.
  if (scope() == OptionScope::kProject) session_->records->c51_inherited.project_define = define_;
  r.undefine = undefine_;
  r.misc = misc_;
  r.include = include_;
  return true;
}

bool CC51Page::OnApply() {
  if (bound_node() != nullptr && store_flag() != 0) {
    WriteC51Record(session_->state->host, bound_node(), record());
  }
  return true;
}

void CC51Page::OnDefault() {
  if (!HasWindow()) return;
  C51Record& r = record();
  if (scope() == OptionScope::kProject) {
    r.flags = kC51ProjectFlags;
    r.vector_address = 0;
  } else {
    // The address is the project's; a group or file leaves it alone.
    r.flags = kC51InheritFlags;
  }
  r.define.clear();
  r.undefine.clear();
  r.misc.clear();
  r.include.clear();
  Load();
  SetModified();
}

}  // namespace c51::settings
