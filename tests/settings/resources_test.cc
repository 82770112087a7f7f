// The dialog resources compiled into the plug-in against the pages'
// templates: the Win32 backend builds its pages from the resources while
// the page logic and the headless backend go by the templates, so the two
// must agree on every control id, kind, style and text, in English and in
// Chinese, and both languages must share one layout.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "plugin/state.h"
#include "settings/dialog_template.h"
#include "settings/pages/folder_setup_dialog.h"
#include "settings/pages/page_factory.h"
#include "support/messages.h"

namespace c51::settings {
namespace {

// --- A reader of DLGTEMPLATE and DLGTEMPLATEEX ----------------------------
//
// Every read checks the offset against the size first, so a truncated or
// hostile resource fails instead of running past its end.

struct ResourceControl {
  uint32_t style = 0;
  uint32_t ex_style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  int id = 0;
  uint16_t class_atom = 0;  // 0: the class is named
  std::u16string class_name;
  std::u16string text;
  uint16_t text_ordinal = 0;  // an icon or bitmap id instead of a text
};

struct ResourceDialog {
  bool extended = false;
  uint32_t style = 0;
  uint32_t ex_style = 0;
  int x = 0, y = 0, cx = 0, cy = 0;
  std::u16string title;
  uint16_t point_size = 0;
  std::u16string face;
  std::vector<ResourceControl> controls;
};

class Reader {
 public:
  Reader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Word(uint16_t* out) {
    if (pos_ > size_ || size_ - pos_ < 2) return false;
    std::memcpy(out, data_ + pos_, 2);
    pos_ += 2;
    return true;
  }
  bool Dword(uint32_t* out) {
    if (pos_ > size_ || size_ - pos_ < 4) return false;
    std::memcpy(out, data_ + pos_, 4);
    pos_ += 4;
    return true;
  }
  bool Short(int* out) {
    uint16_t w;
    if (!Word(&w)) return false;
    *out = static_cast<int16_t>(w);
    return true;
  }
  bool Skip(size_t n) {
    if (pos_ > size_ || size_ - pos_ < n) return false;
    pos_ += n;
    return true;
  }
  // Items start on a DWORD boundary of the template.
  bool AlignDword() { return Skip((4 - pos_ % 4) % 4); }
  bool String(std::u16string* out) {
    out->clear();
    for (;;) {
      uint16_t c;
      if (!Word(&c)) return false;
      if (c == 0) return true;
      out->push_back(static_cast<char16_t>(c));
    }
  }
  // A field that is empty (0x0000), an ordinal (0xFFFF, then the number)
  // or a string.
  bool StringOrOrdinal(std::u16string* text, uint16_t* ordinal) {
    text->clear();
    *ordinal = 0;
    uint16_t first;
    if (!Word(&first)) return false;
    if (first == 0) return true;
    if (first == 0xFFFF) return Word(ordinal);
    text->push_back(static_cast<char16_t>(first));
    std::u16string rest;
    if (!String(&rest)) return false;
    *text += rest;
    return true;
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

bool ParseDialog(const uint8_t* data, size_t size, ResourceDialog* out) {
  *out = ResourceDialog();
  Reader r(data, size);
  uint16_t version = 0, signature = 0;
  {
    Reader peek(data, size);
    if (!peek.Word(&version) || !peek.Word(&signature)) return false;
  }
  out->extended = version == 1 && signature == 0xFFFF;
  uint16_t count = 0;
  uint32_t help_id = 0;
  if (out->extended) {
    if (!r.Skip(4) || !r.Dword(&help_id) || !r.Dword(&out->ex_style) || !r.Dword(&out->style)) {
      return false;
    }
  } else if (!r.Dword(&out->style) || !r.Dword(&out->ex_style)) {
    return false;
  }
  if (!r.Word(&count) || !r.Short(&out->x) || !r.Short(&out->y) || !r.Short(&out->cx) ||
      !r.Short(&out->cy)) {
    return false;
  }
  std::u16string menu, window_class;
  uint16_t menu_ordinal, class_ordinal, title_ordinal;
  if (!r.StringOrOrdinal(&menu, &menu_ordinal) ||
      !r.StringOrOrdinal(&window_class, &class_ordinal) ||
      !r.StringOrOrdinal(&out->title, &title_ordinal)) {
    return false;
  }
  if (out->style & DS_SETFONT) {
    if (!r.Word(&out->point_size)) return false;
    if (out->extended && !r.Skip(4)) return false;  // weight, italic, character set
    if (!r.String(&out->face)) return false;
  }
  for (uint16_t i = 0; i < count; ++i) {
    ResourceControl c;
    if (!r.AlignDword()) return false;
    if (out->extended) {
      uint32_t id;
      if (!r.Dword(&help_id) || !r.Dword(&c.ex_style) || !r.Dword(&c.style) || !r.Short(&c.x) ||
          !r.Short(&c.y) || !r.Short(&c.cx) || !r.Short(&c.cy) || !r.Dword(&id)) {
        return false;
      }
      c.id = static_cast<int32_t>(id);
    } else {
      if (!r.Dword(&c.style) || !r.Dword(&c.ex_style) || !r.Short(&c.x) || !r.Short(&c.y) ||
          !r.Short(&c.cx) || !r.Short(&c.cy) || !r.Short(&c.id)) {
        return false;
      }
    }
    uint16_t extra = 0;
    if (!r.StringOrOrdinal(&c.class_name, &c.class_atom) ||
        !r.StringOrOrdinal(&c.text, &c.text_ordinal) || !r.Word(&extra) || !r.Skip(extra)) {
      return false;
    }
    out->controls.push_back(std::move(c));
  }
  return true;
}

// --- What a resource control means in template terms -----------------------

constexpr uint16_t kButtonAtom = 0x80, kEditAtom = 0x81, kStaticAtom = 0x82, kListBoxAtom = 0x83,
                   kComboBoxAtom = 0x85;

bool SameName(const std::u16string& a, const char* b) {
  if (a.size() != std::strlen(b)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char16_t x = a[i] >= u'a' && a[i] <= u'z' ? a[i] - 32 : a[i];
    char y = b[i] >= 'a' && b[i] <= 'z' ? b[i] - 32 : b[i];
    if (x != static_cast<char16_t>(y)) return false;
  }
  return true;
}

// The predefined class of a control named either way.
uint16_t ClassAtom(const ResourceControl& c) {
  if (c.class_atom != 0) return c.class_atom;
  static const struct {
    const char* name;
    uint16_t atom;
  } kNames[] = {{"Button", kButtonAtom},
                {"Edit", kEditAtom},
                {"Static", kStaticAtom},
                {"ListBox", kListBoxAtom},
                {"ComboBox", kComboBoxAtom}};
  for (const auto& n : kNames) {
    if (SameName(c.class_name, n.name)) return n.atom;
  }
  return 0;
}

struct Meaning {
  bool known = false;
  ControlKind kind = ControlKind::kStatic;
  uint32_t style = kStyleNone;
};

Meaning MeaningOf(const ResourceControl& c) {
  Meaning m;
  m.known = true;
  switch (ClassAtom(c)) {
    case kButtonAtom:
      switch (c.style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
          m.kind = ControlKind::kPushButton;
          break;
        case BS_CHECKBOX:
          m.kind = ControlKind::kCheckBox;
          break;
        case BS_AUTOCHECKBOX:
          m.kind = ControlKind::kCheckBox;
          m.style |= kAutomatic;
          break;
        case BS_3STATE:
          m.kind = ControlKind::kCheckBox;
          m.style |= kThreeState;
          break;
        case BS_AUTO3STATE:
          m.kind = ControlKind::kCheckBox;
          m.style |= kThreeState | kAutomatic;
          break;
        case BS_RADIOBUTTON:
          m.kind = ControlKind::kRadioButton;
          break;
        case BS_AUTORADIOBUTTON:
          m.kind = ControlKind::kRadioButton;
          m.style |= kAutomatic;
          break;
        case BS_GROUPBOX:
          m.kind = ControlKind::kGroupBox;
          break;
        default:
          m.known = false;
      }
      break;
    case kEditAtom:
      m.kind = ControlKind::kEdit;
      if (c.style & ES_MULTILINE) m.style |= kMultiLine;
      if (c.style & ES_READONLY) m.style |= kReadOnly;
      break;
    case kStaticAtom:
      m.kind = ControlKind::kStatic;
      break;
    case kListBoxAtom:
      m.kind = ControlKind::kListBox;
      break;
    case kComboBoxAtom:
      m.kind = ControlKind::kDropDownList;
      m.known = (c.style & 3) == CBS_DROPDOWNLIST;
      break;
    default:
      m.known = false;
  }
  if (c.style & WS_DISABLED) m.style |= kDisabled;
  if (!(c.style & WS_VISIBLE)) m.style |= kHidden;
  if (c.style & WS_GROUP) m.style |= kGroupStart;
  return m;
}

// The resource compiler stores texts as UTF-16; the templates hold the
// bytes of the language's code page.
std::string Narrow(const std::u16string& text, UINT code_page) {
  if (text.empty()) return "";
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int n = WideCharToMultiByte(code_page, 0, wide, static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(code_page, 0, wide, static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

// --- The plug-in's resources ------------------------------------------------

struct LanguageCase {
  Language language;
  LANGID lang_id;
  UINT code_page;
  const char* name;
};

const LanguageCase kLanguages[] = {
    {Language::kEnglish, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), 1252, "English"},
    {Language::kChinese, MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), 936, "Chinese"},
};

struct ModuleDeleter {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

// The plug-in sits beside this program in the build's bin folder.
std::wstring PluginPath() {
  wchar_t self[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + L"c51plugin.dll";
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR param) {
  reinterpret_cast<std::set<LANGID>*>(param)->insert(language);
  return TRUE;
}

struct Dialog {
  std::string name;
  DialogTemplate templates[2];  // by kLanguages index
  bool page = true;             // a property page (else a modal dialog)
};

class DialogResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    module_.reset(LoadLibraryExW(PluginPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  }
  static void TearDownTestSuite() { module_.reset(); }

  void SetUp() override { ASSERT_TRUE(module_) << "cannot load the plug-in next to the test"; }

  // Every page the page table makes, the folder dialog and the
  // empty page, with their templates in both languages.
  static std::vector<Dialog> Dialogs() {
    PluginState state;
    SettingsRecords records;
    SettingsSession session{&state, &records, nullptr};
    std::vector<Dialog> dialogs;
    for (const PageRow& row : PageTable()) {
      std::unique_ptr<CArdelPage> page = row.make(&session);
      Dialog d{"", {}, true};
      for (int l = 0; l < 2; ++l) d.templates[l] = page->Template(kLanguages[l].language);
      d.name = d.templates[0].caption;
      EXPECT_EQ(d.templates[0].id, row.template_id) << d.name;
      dialogs.push_back(std::move(d));
    }
    FolderSetupDialog folders("");
    CArdelPage empty;
    Dialog f{"Folder Setup", {}, false};
    Dialog e{"empty page", {}, true};
    for (int l = 0; l < 2; ++l) {
      f.templates[l] = folders.Template(kLanguages[l].language);
      e.templates[l] = empty.Template(kLanguages[l].language);
    }
    dialogs.push_back(std::move(f));
    dialogs.push_back(std::move(e));
    return dialogs;
  }

  // The resource `id` in this language, parsed. (FindResourceEx may fall
  // back to another language; the language test keeps the set exact.)
  static ::testing::AssertionResult Load(int id, LANGID language, ResourceDialog* out) {
    HMODULE module = module_.get();
    HRSRC found = FindResourceExW(module, MAKEINTRESOURCEW(5) /* RT_DIALOG */, MAKEINTRESOURCEW(id),
                                  language);
    if (found == nullptr) return ::testing::AssertionFailure() << "no dialog " << id;
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (data == nullptr) return ::testing::AssertionFailure() << "cannot load dialog " << id;
    if (!ParseDialog(static_cast<const uint8_t*>(data), SizeofResource(module, found), out)) {
      return ::testing::AssertionFailure() << "dialog " << id << " is malformed";
    }
    return ::testing::AssertionSuccess();
  }

  static inline Module module_;
};

TEST_F(DialogResources, EveryDialogExistsInEnglishAndChineseOnly) {
  for (const Dialog& d : Dialogs()) {
    SCOPED_TRACE(d.name);
    std::set<LANGID> languages;
    EnumResourceLanguagesW(module_.get(), MAKEINTRESOURCEW(5), MAKEINTRESOURCEW(d.templates[0].id),
                           AddLanguage, reinterpret_cast<LONG_PTR>(&languages));
    EXPECT_EQ(languages, (std::set<LANGID>{kLanguages[0].lang_id, kLanguages[1].lang_id}));
  }
}

// The resource's controls against the template's: the same controls in the
// same (tab) order, labels without an id included, so that each mnemonic
// leads to the control after it.
void ExpectMatchingControls(const ResourceDialog& r, const DialogTemplate& t,
                            const LanguageCase& lang) {
  EXPECT_TRUE(r.extended);
  EXPECT_EQ(Narrow(r.title, lang.code_page), t.caption);
  ASSERT_EQ(r.controls.size(), t.controls.size());
  for (size_t i = 0; i < t.controls.size(); ++i) {
    const ControlSpec& expected = t.controls[i];
    const ResourceControl& c = r.controls[i];
    const Meaning m = MeaningOf(c);
    SCOPED_TRACE("control " + std::to_string(i) + ", id " + std::to_string(expected.id));
    EXPECT_EQ(c.id, expected.id);
    EXPECT_TRUE(m.known) << "class " << ClassAtom(c) << " style " << std::hex << c.style;
    EXPECT_EQ(static_cast<int>(m.kind), static_cast<int>(expected.kind));
    EXPECT_EQ(m.style & ~kGroupStart, expected.style & ~kGroupStart);
    if (expected.style & kGroupStart) {
      EXPECT_TRUE(c.style & WS_GROUP);
    }
    // A radio button starts a group exactly where the template says so.
    if (expected.kind == ControlKind::kRadioButton) {
      EXPECT_EQ((c.style & WS_GROUP) != 0, (expected.style & kGroupStart) != 0);
    }
    EXPECT_EQ(c.text_ordinal, 0);
    EXPECT_EQ(Narrow(c.text, lang.code_page), expected.text);
  }
  // A radio group ends with the next control that starts a group.
  for (size_t i = 0; i + 1 < r.controls.size(); ++i) {
    if (MeaningOf(r.controls[i]).kind == ControlKind::kRadioButton &&
        MeaningOf(r.controls[i + 1]).kind != ControlKind::kRadioButton) {
      EXPECT_TRUE(r.controls[i + 1].style & WS_GROUP) << "after radio " << r.controls[i].id;
    }
  }
}

TEST_F(DialogResources, ControlsAndCaptionsMatchTheTemplates) {
  for (const Dialog& d : Dialogs()) {
    for (int l = 0; l < 2; ++l) {
      SCOPED_TRACE(d.name + " in " + kLanguages[l].name);
      ResourceDialog r;
      if (!Load(d.templates[l].id, kLanguages[l].lang_id, &r)) {
        ADD_FAILURE() << "cannot read the resource";
        continue;
      }
      ExpectMatchingControls(r, d.templates[l], kLanguages[l]);
    }
  }
}

TEST_F(DialogResources, BothLanguagesShareOneLayout) {
  for (const Dialog& d : Dialogs()) {
    SCOPED_TRACE(d.name);
    ResourceDialog en, zh;
    if (!Load(d.templates[0].id, kLanguages[0].lang_id, &en) ||
        !Load(d.templates[0].id, kLanguages[1].lang_id, &zh)) {
      ADD_FAILURE() << "cannot read the resources";
      continue;
    }
    EXPECT_EQ(en.style, zh.style);
    EXPECT_EQ(en.ex_style, zh.ex_style);
    EXPECT_EQ(en.cx, zh.cx);
    EXPECT_EQ(en.cy, zh.cy);
    if (en.controls.size() != zh.controls.size()) {
      ADD_FAILURE() << en.controls.size() << " controls in English, " << zh.controls.size()
                    << " in Chinese";
      continue;
    }
    for (size_t i = 0; i < en.controls.size(); ++i) {
      const ResourceControl& a = en.controls[i];
      const ResourceControl& b = zh.controls[i];
      SCOPED_TRACE("control id " + std::to_string(a.id));
      EXPECT_EQ(a.id, b.id);
      EXPECT_EQ(ClassAtom(a), ClassAtom(b));
      EXPECT_EQ(a.style, b.style);
      EXPECT_EQ(a.ex_style, b.ex_style);
      EXPECT_EQ(a.x, b.x);
      EXPECT_EQ(a.y, b.y);
      EXPECT_EQ(a.cx, b.cx);
      EXPECT_EQ(a.cy, b.cy);
    }
    // Both carry a font; the Chinese one has the glyphs.
    EXPECT_TRUE(en.style & DS_SETFONT);
    EXPECT_EQ(Narrow(zh.face, 1252), "SimSun");
  }
}

TEST_F(DialogResources, PagesAreChildPagesOfOneSize) {
  for (const Dialog& d : Dialogs()) {
    SCOPED_TRACE(d.name);
    ResourceDialog r;
    if (!Load(d.templates[0].id, kLanguages[0].lang_id, &r)) {
      ADD_FAILURE() << "cannot read the resource";
      continue;
    }
    if (d.page) {
      // The sheet sizes itself to its largest page: all pages share the
      // Device page's frame, which the device library's window fills.
      EXPECT_EQ(r.style & (WS_CHILD | WS_CAPTION | DS_CONTROL), WS_CHILD | WS_CAPTION | DS_CONTROL);
      EXPECT_FALSE(r.style & WS_POPUP);
      EXPECT_EQ(r.cx, 320);
      EXPECT_EQ(r.cy, 217);
    } else {
      EXPECT_EQ(r.style & (WS_POPUP | WS_CAPTION), WS_POPUP | WS_CAPTION);
      EXPECT_FALSE(r.style & WS_CHILD);
    }
  }
}

struct Box {
  int left, top, right, bottom;
};

bool Intersect(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

bool Inside(const Box& inner, const Box& outer) {
  return inner.left >= outer.left && inner.right <= outer.right && inner.top >= outer.top &&
         inner.bottom <= outer.bottom;
}

TEST_F(DialogResources, ControlsStayInsideTheirDialogAndApart) {
  for (const Dialog& d : Dialogs()) {
    SCOPED_TRACE(d.name);
    ResourceDialog r;
    if (!Load(d.templates[0].id, kLanguages[0].lang_id, &r)) {
      ADD_FAILURE() << "cannot read the resource";
      continue;
    }
    std::vector<Box> boxes;
    std::vector<bool> group;
    for (const ResourceControl& c : r.controls) {
      // A drop-down list's height includes its dropped list; closed, it is
      // one line high.
      const int cy = ClassAtom(c) == kComboBoxAtom ? 14 : c.cy;
      boxes.push_back({c.x, c.y, c.x + c.cx, c.y + cy});
      group.push_back(MeaningOf(c).kind == ControlKind::kGroupBox);
      EXPECT_GT(c.cx, 0) << c.id;
      EXPECT_GT(c.cy, 0) << c.id;
      EXPECT_TRUE(Inside(boxes.back(), {0, 0, r.cx, r.cy})) << "control " << c.id;
    }
    for (size_t i = 0; i < boxes.size(); ++i) {
      for (size_t j = i + 1; j < boxes.size(); ++j) {
        SCOPED_TRACE("controls " + std::to_string(i) + " and " + std::to_string(j));
        if (group[i] || group[j]) {
          // A group box holds a control wholly or not at all.
          const Box& frame = group[i] ? boxes[i] : boxes[j];
          const Box& other = group[i] ? boxes[j] : boxes[i];
          if (group[i] && group[j]) {
            EXPECT_FALSE(Intersect(frame, other));
          } else {
            EXPECT_TRUE(!Intersect(frame, other) || Inside(other, frame));
          }
        } else {
          EXPECT_FALSE(Intersect(boxes[i], boxes[j]));
        }
      }
    }
  }
}

// --- The reader on its own --------------------------------------------------

// A classic DLGTEMPLATE with a font and one check box, built by hand.
std::vector<uint8_t> ClassicTemplate() {
  std::vector<uint8_t> b;
  auto word = [&b](uint16_t w) {
    b.push_back(static_cast<uint8_t>(w));
    b.push_back(static_cast<uint8_t>(w >> 8));
  };
  auto dword = [&](uint32_t d) {
    word(static_cast<uint16_t>(d));
    word(static_cast<uint16_t>(d >> 16));
  };
  auto text = [&](const char16_t* s) {
    for (; *s; ++s) word(*s);
    word(0);
  };
  dword(DS_SETFONT | WS_CHILD);
  dword(0);
  word(1);  // one control
  word(0), word(0), word(120), word(40);
  word(0);      // no menu
  word(0);      // the default class
  text(u"Pg");  // title
  word(8);      // point size
  text(u"MS");  // face
  while (b.size() % 4) b.push_back(0);
  dword(WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX);
  dword(0);
  word(5), word(6), word(70), word(10);
  word(1291);
  word(0xFFFF), word(kButtonAtom);
  text(u"On");
  word(0);  // no creation data
  return b;
}

TEST(DialogResourceReader, ReadsAClassicTemplateAndRejectsEveryTruncation) {
  const std::vector<uint8_t> bytes = ClassicTemplate();
  ResourceDialog r;
  ASSERT_TRUE(ParseDialog(bytes.data(), bytes.size(), &r));
  EXPECT_FALSE(r.extended);
  EXPECT_EQ(r.cx, 120);
  EXPECT_EQ(r.title, u"Pg");
  EXPECT_EQ(r.point_size, 8);
  EXPECT_EQ(r.face, u"MS");
  ASSERT_EQ(r.controls.size(), 1u);
  const ResourceControl& c = r.controls[0];
  EXPECT_EQ(c.id, 1291);
  EXPECT_EQ(c.x, 5);
  EXPECT_EQ(c.cy, 10);
  EXPECT_EQ(c.text, u"On");
  const Meaning m = MeaningOf(c);
  EXPECT_TRUE(m.known);
  EXPECT_EQ(m.kind, ControlKind::kCheckBox);
  EXPECT_EQ(m.style, static_cast<uint32_t>(kAutomatic));

  for (size_t n = 0; n < bytes.size(); ++n) {
    SCOPED_TRACE(n);
    // A copy of exactly n bytes, so that a read past the end is a fault the
    // checked build can see.
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + n);
    EXPECT_FALSE(ParseDialog(cut.data(), cut.size(), &r));
  }
}

TEST(DialogResourceReader, NamesAPredefinedClassEitherWay) {
  ResourceControl named;
  named.class_name = u"combobox";
  named.style = CBS_DROPDOWNLIST;
  EXPECT_EQ(ClassAtom(named), kComboBoxAtom);
  EXPECT_TRUE(MeaningOf(named).known);
  named.style = CBS_DROPDOWN;  // has an edit part: not what the pages use
  EXPECT_FALSE(MeaningOf(named).known);
  named.class_name = u"SysListView32";
  EXPECT_EQ(ClassAtom(named), 0);
  EXPECT_FALSE(MeaningOf(named).known);
}

}  // namespace
}  // namespace c51::settings
