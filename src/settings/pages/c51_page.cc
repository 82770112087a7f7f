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
constexpr int kCheckBoxes[] = {IDC_C51_INTERRUPT_VECTORS, IDC_C51_REGISTER_COLORING,
                               IDC_C51_ANSI_PROMOTION, IDC_C51_NO_ABSOLUTE_REGISTERS,
                               IDC_C51_KEEP_ORDER};

constexpr int64_t kMaxVectorAddress = 0xFFFF;

}  // namespace

CC51Page::CC51Page(SettingsSession* session) : CArdelPage(IDD_C51_PAGE), session_(session) {}

bool CC51Page::OnInitDialog() {
  Load();
  return true;
}

void CC51Page::Load() {
  DialogControls& c = controls();
  const C51Record& r = record();
  const C51Options decoded = DecodeC51Flags(r.flags, scope());
  if (scope() == OptionScope::kProject) {
    c.Enable(IDC_C51_UNDEFINE, false);
    c.Enable(IDC_C51_INTERRUPT_VECTORS, true);
    c.Enable(IDC_C51_REGISTER_COLORING, true);
    c.Enable(IDC_C51_VECTOR_ADDRESS, true);
  } else {
    for (int id : kCheckBoxes) c.SetThreeState(id, true);
    c.Enable(IDC_C51_UNDEFINE, true);
    // Vectors and register coloring are project-wide: below the project
    // they always inherit.
    c.Enable(IDC_C51_INTERRUPT_VECTORS, false);
    c.Enable(IDC_C51_REGISTER_COLORING, false);
    c.Enable(IDC_C51_VECTOR_ADDRESS, false);
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
  define_ = c.GetText(IDC_C51_DEFINE);
  undefine_ = c.GetText(IDC_C51_UNDEFINE);
  misc_ = c.GetText(IDC_C51_MISC);
  include_ = c.GetText(IDC_C51_INCLUDE);
  vector_address_ = c.GetText(IDC_C51_VECTOR_ADDRESS);
  level_ = c.GetSelection(IDC_C51_LEVEL);
  emphasis_ = c.GetSelection(IDC_C51_EMPHASIS);
  warnings_ = c.GetSelection(IDC_C51_WARNINGS);
  float_bits_ = c.GetSelection(IDC_C51_FLOAT_BITS);
  register_coloring_ = c.GetCheck(IDC_C51_REGISTER_COLORING);
  no_absolute_registers_ = c.GetCheck(IDC_C51_NO_ABSOLUTE_REGISTERS);
  interrupt_vectors_ = c.GetCheck(IDC_C51_INTERRUPT_VECTORS);
  keep_order_ = c.GetCheck(IDC_C51_KEEP_ORDER);
  ansi_promotion_ = c.GetCheck(IDC_C51_ANSI_PROMOTION);
}

void CC51Page::WriteControls() {
  DialogControls& c = controls();
  c.UpdateText(IDC_C51_DEFINE, define_);
  c.UpdateText(IDC_C51_UNDEFINE, undefine_);
  c.UpdateText(IDC_C51_MISC, misc_);
  c.UpdateText(IDC_C51_INCLUDE, include_);
  c.UpdateText(IDC_C51_VECTOR_ADDRESS, vector_address_);
  c.UpdateText(IDC_C51_CONTROL_STRING, control_string_);
  c.SetSelection(IDC_C51_LEVEL, level_);
  c.SetSelection(IDC_C51_EMPHASIS, emphasis_);
  c.SetSelection(IDC_C51_WARNINGS, warnings_);
  c.SetSelection(IDC_C51_FLOAT_BITS, float_bits_);
  c.SetCheck(IDC_C51_REGISTER_COLORING, register_coloring_);
  c.SetCheck(IDC_C51_NO_ABSOLUTE_REGISTERS, no_absolute_registers_);
  c.SetCheck(IDC_C51_INTERRUPT_VECTORS, interrupt_vectors_);
  c.SetCheck(IDC_C51_KEEP_ORDER, keep_order_);
  c.SetCheck(IDC_C51_ANSI_PROMOTION, ansi_promotion_);
}

void CC51Page::KeepProjectValue(int list_id) {
  // The project has no enclosing scope to inherit from.
  if (scope() != OptionScope::kProject) return;
  DialogControls& c = controls();
  const C51Options stored = DecodeC51Flags(record().flags, OptionScope::kProject);
  int default_index = 0;
  int stored_index = 0;
  switch (list_id) {
    case IDC_C51_LEVEL:
      default_index = kC51LevelDefault;
      stored_index = stored.optimizeLevel;
      break;
    case IDC_C51_EMPHASIS:
      default_index = kC51EmphasisDefault;
      stored_index = stored.emphasis;
      break;
    case IDC_C51_WARNINGS:
      default_index = kC51WarningsDefault;
      stored_index = stored.warningLevel;
      break;
    case IDC_C51_FLOAT_BITS:
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
    case IDC_C51_DEFINE:
    case IDC_C51_UNDEFINE:
    case IDC_C51_VECTOR_ADDRESS:
    case IDC_C51_MISC:
    case IDC_C51_INCLUDE:
      if (code == Notification::kTextChanged) Refresh();
      break;
    case IDC_C51_REGISTER_COLORING:
    case IDC_C51_NO_ABSOLUTE_REGISTERS:
    case IDC_C51_INTERRUPT_VECTORS:
    case IDC_C51_KEEP_ORDER:
    case IDC_C51_ANSI_PROMOTION:
      if (code == Notification::kClicked) Refresh();
      break;
    case IDC_C51_LEVEL:
    case IDC_C51_EMPHASIS:
    case IDC_C51_WARNINGS:
    case IDC_C51_FLOAT_BITS:
      if (code == Notification::kSelectionChanged) {
        KeepProjectValue(id);
        Refresh();
      }
      break;
    case IDC_C51_INCLUDE_BROWSE:
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
