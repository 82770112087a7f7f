// The "Linker Locate" page (template 187): the linker's CODE and XDATA
// ranges, which it can take from the target's memory layout, and the base
// addresses and segment lists of every 8051 memory space, with the linker
// control string they give. It works on the dialog's linker record and
// rejects nothing.
#ifndef C51_SETTINGS_PAGES_BL51_PAGE_H_
#define C51_SETTINGS_PAGES_BL51_PAGE_H_

#include "settings/ardel_page.h"
#include "settings/settings_records.h"

namespace c51::settings {

constexpr int kBL51PageTemplate = 187;

// Control ids of the Linker Locate page.
constexpr int kIdUseTargetLayout = 1625;  // "LX51FL" value 4
constexpr int kIdCodeRange = 1626;        // "LX51COB"
constexpr int kIdXdataRange = 1627;       // "LX51XDB"
constexpr int kIdCodeSegments = 1628;     // "LX51COS"
constexpr int kIdXdataSegments = 1052;    // "LX51XDS"
constexpr int kIdPdataBase = 1054;        // "LX51PDB"
constexpr int kIdPrecede = 1629;          // "LX51PRC"
constexpr int kIdBitBase = 1060;          // "LX51BIB"
constexpr int kIdBitSegments = 1061;      // "LX51BIS"
constexpr int kIdDataBase = 1062;         // "LX51DAB"
constexpr int kIdDataSegments = 1063;     // "LX51DAS"
constexpr int kIdIdataBase = 1064;        // "LX51IDB"
constexpr int kIdIdataSegments = 1065;    // "LX51IDS"
constexpr int kIdStack = 1067;            // "LX51STK"
constexpr int kIdLocateControlString = 1622;

class CBL51Page : public CArdelPage {
 public:
  explicit CBL51Page(SettingsSession* session) : CArdelPage(kBL51PageTemplate), session_(session) {}

  DialogTemplate Template(Language language) const override;

  bool OnInitDialog() override;
  bool OnKillActive() override;
  bool OnApply() override;
  void OnDefault() override;
  void OnControl(int id, Notification code) override;

 private:
  LinkerOptions& linker() const { return session_->records->linker; }
  // The record with the page's current texts and box.
  LinkerOptions PageValues() const;
  // CODE and XDATA from the target record and the device, into 1626/1627.
  void FillLayoutRanges();
  void RebuildControlString();

  SettingsSession* session_;
};

}  // namespace c51::settings

#endif  // C51_SETTINGS_PAGES_BL51_PAGE_H_
