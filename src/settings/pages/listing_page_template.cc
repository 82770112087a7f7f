// Template 171 in English and Chinese (GBK), with the same ids in both.
// The macro list has the same texts in both: its index is what is stored.
#include "settings/pages/listing_page.h"

namespace c51::settings {
namespace {

struct ListingTexts {
  const char* caption;
  const char* folder_label;
  const char* browse;
  // By "OPTLT" index; the macro list's entry is its label.
  const char* switches[kListingSwitchCount];
};

constexpr ListingTexts kEnglish = {
    "Listing",
    "Folder for listings",
    "Browse...",
    {
        "&Compiler listing(relative)",
        "Conditional",
        "Symbols",
        "#include File",
        "Assembly Code",
        "C Preprocessor listing: *.lst (relative)",
        "&Assembler listing: *.lst (relative)",
        "Conditional",
        "Symbols",
        "Macro:",
        "Cross Reference",
        "L&inker listing: *.map (relative)",
        "Memory Map",
        "Public Symbols",
        "Local Symbols",
        "Line Numbers",
        "Comment Numbers",
        "Cross Reference",
        "Generated Symbols",
        "Library Symbols",
    },
};

constexpr ListingTexts kChinese = {
    "\xC1\xD0\xB1\xED",                          // 列表 (listing)
    "\xC1\xD0\xB1\xED\xCE\xC4\xBC\xFE\xBC\xD0",  // 列表文件夹 (folder for listings)
    "\xE4\xAF\xC0\xC0...",                       // 浏览... (browse)
    {
        // &C 编译器列表(相对路径) (compiler listing, relative)
        "&C \xB1\xE0\xD2\xEB\xC6\xF7\xC1\xD0\xB1\xED(\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6)",
        "\xCC\xF5\xBC\xFE\xB4\xFA\xC2\xEB",  // 条件代码 (conditional)
        "\xB7\xFB\xBA\xC5",                  // 符号 (symbols)
        "#include \xCE\xC4\xBC\xFE",         // #include 文件 (#include file)
        "\xBB\xE3\xB1\xE0\xB4\xFA\xC2\xEB",  // 汇编代码 (assembly code)
                                             // 预处理信息列表: *.lst (相对路径) (preprocessor
                                             // listing, relative)
        "\xD4\xA4\xB4\xA6\xC0\xED\xD0\xC5\xCF\xA2\xC1\xD0\xB1\xED: *.lst "
        "(\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6)",
        // 汇编器列表(&A): *.lst (相对路径) (assembler listing, relative)
        "\xBB\xE3\xB1\xE0\xC6\xF7\xC1\xD0\xB1\xED(&A): *.lst (\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6)",
        "\xCC\xF5\xBC\xFE\xB4\xFA\xC2\xEB",  // 条件代码 (conditional)
        "\xB7\xFB\xBA\xC5",                  // 符号 (symbols)
        "\xBA\xEA:",                         // 宏: (macro)
        "\xBD\xBB\xB2\xE6\xD2\xFD\xD3\xC3",  // 交叉引用 (cross reference)
                                             // 连接器列表(&L): *.map (相对路径) (linker listing,
                                             // relative)
        "\xC1\xAC\xBD\xD3\xC6\xF7\xC1\xD0\xB1\xED(&L): *.map (\xCF\xE0\xB6\xD4\xC2\xB7\xBE\xB6)",
        "\xB4\xE6\xB4\xA2\xC6\xF7\xD3\xB3\xCF\xF1",  // 存储器映像 (memory map)
        "\xB9\xAB\xB9\xB2\xB7\xFB\xBA\xC5",          // 公共符号 (public symbols)
        "\xBE\xD6\xB2\xBF\xB7\xFB\xBA\xC5",          // 局部符号 (local symbols)
        "\xD0\xD0\xBA\xC5",                          // 行号 (line numbers)
        "\xD7\xA2\xCA\xCD\xB1\xE0\xBA\xC5",          // 注释编号 (comment numbers)
        "\xBD\xBB\xB2\xE6\xD2\xFD\xD3\xC3",          // 交叉引用 (cross reference)
        "\xC9\xFA\xB3\xC9\xB5\xC4\xB7\xFB\xBA\xC5",  // 生成的符号 (generated symbols)
        "\xBF\xE2\xB7\xFB\xBA\xC5",                  // 库符号 (library symbols)
    },
};

}  // namespace

DialogTemplate ListingPageTemplate(Language language) {
  const ListingTexts& t = language == Language::kChinese ? kChinese : kEnglish;
  DialogTemplate d;
  d.id = IDD_LISTING_PAGE;
  d.caption = t.caption;
  d.controls = {
      {kNoId, ControlKind::kStatic, kStyleNone, t.folder_label, {}},
      {IDC_LISTING_FOLDER, ControlKind::kStatic, kStyleNone, "", {}},
      {IDC_LISTING_BROWSE, ControlKind::kPushButton, kStyleNone, t.browse, {}},
  };
  for (int i = 0; i < kListingSwitchCount; ++i) {
    if (i == kLstAssemblerMacros) {
      d.controls.push_back({kNoId, ControlKind::kStatic, kStyleNone, t.switches[i], {}});
      d.controls.push_back({IDC_LISTING_ASSEMBLER_MACROS,
                            ControlKind::kDropDownList,
                            kStyleNone,
                            "",
                            {"Final expansion only", "1st Level expansion", "All expansions"}});
    } else {
      d.controls.push_back(
          {kListingSwitchIds[i], ControlKind::kCheckBox, kAutomatic, t.switches[i], {}});
    }
  }
  return d;
}

}  // namespace c51::settings
