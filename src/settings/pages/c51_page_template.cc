// Template 173 in English and Chinese. The list items are the combo boxes'
// initial data: an item's index is the value stored in "C51FL", the last
// item of each list is "Default" (inherit).
#include "settings/pages/c51_page.h"

#include <cstdint>
#include <string>
#include <vector>

namespace c51::settings {
namespace {

struct C51Texts {
  const char* symbols_group;
  const char* define;
  const char* undefine;
  const char* optimization_group;
  const char* level;
  const char* emphasis;
  const char* register_coloring;
  const char* no_absolute_registers;
  const char* warnings;
  const char* float_bits;
  const char* interrupt_vectors;
  const char* keep_order;
  const char* ansi_promotion;
  const char* include;
  const char* misc;
  const char* control_string;  // wraps to three lines beside the box
  std::vector<std::string> levels;
  std::vector<std::string> emphases;
  std::vector<std::string> warning_levels;
  const char* default_item;
};

C51Texts EnglishTexts() {
  return {
      "Processor Symbols",
      "Define",
      "Undefine",
      "Code Optimization",
      "Level",
      "Emphasis",
      "&Global Register Coloring",
      "&Don't absolute register access",
      "Warnings:",
      "Bits to round for float compare",
      "Interrupt vectors at address:",
      "Keep variables in order",
      "Enable &ANSI integer promotion rules",
      "Include Paths",
      "Misc Controls",
      "Compiler Control String",
      // The resource's own spellings, typos and spacing included.
      {"0:Constant folding", "1:Dead code elimination", "2:Data overlaying",
       "3:Peephole optimazation", "4:Register variables", "5:Common subexpressions elimination",
       "6: Loop rotation", "7: Extended Index Access Optimizing", "8: Reuse Common Entry Code",
       "9: Common Block Subroutines"},
      {"Favor size", "Favor speed"},
      {"Warning Level 0(Disable)", "Warning Level 1", "Warning Level  2"},
      "Default",
  };
}

C51Texts ChineseTexts() {
  return {
      "\xD4\xA4\xB4\xA6\xC0\xED\xC6\xF7\xB7\xFB\xBA\xC5",  // 预处理器符号 (preprocessor symbols)
      "\xB6\xA8\xD2\xE5",                                  // 定义 (define)
      "\xC8\xA1\xCF\xFB\xB6\xA8\xD2\xE5",                  // 取消定义 (undefine)
      "\xB4\xFA\xC2\xEB\xD3\xC5\xBB\xAF",                  // 代码优化 (code optimization)
      "\xBC\xB6\xB1\xF0",                                  // 级别 (level)
      "\xB2\xE0\xD6\xD8",                                  // 侧重 (emphasis)
      // 全局寄存器着色(&G) (global register coloring)
      "\xC8\xAB\xBE\xD6\xBC\xC4\xB4\xE6\xC6\xF7\xD7\xC5\xC9\xAB(&G)",
      // 不使用绝对寄存器访问(&D) (no absolute register access)
      "\xB2\xBB\xCA\xB9\xD3\xC3\xBE\xF8\xB6\xD4\xBC\xC4\xB4\xE6\xC6\xF7\xB7\xC3\xCE\xCA(&D)",
      "\xBE\xAF\xB8\xE6:",  // 警告: (warnings)
      // 浮点比较舍入位数 (bits to round for float compare)
      "\xB8\xA1\xB5\xE3\xB1\xC8\xBD\xCF\xC9\xE1\xC8\xEB\xCE\xBB\xCA\xFD",
      // 中断矢量地址: (interrupt vectors at address)
      "\xD6\xD0\xB6\xCF\xCA\xB8\xC1\xBF\xB5\xD8\xD6\xB7:",
      "\xB1\xA3\xB3\xD6\xB1\xE4\xC1\xBF\xCB\xB3\xD0\xF2",  // 保持变量顺序 (keep variables in order)
      // 启用 ANSI 整数提升规则(&A) (enable ANSI integer promotion rules)
      "\xC6\xF4\xD3\xC3 ANSI \xD5\xFB\xCA\xFD\xCC\xE1\xC9\xFD\xB9\xE6\xD4\xF2(&A)",
      "\xB0\xFC\xBA\xAC\xC2\xB7\xBE\xB6",  // 包含路径 (include paths)
      "\xC6\xE4\xCB\xFB\xBF\xD8\xD6\xC6",  // 其他控制 (misc controls)
      // 编译器控制字符串 (compiler control string)
      "\xB1\xE0\xD2\xEB\xC6\xF7\xBF\xD8\xD6\xC6\xD7\xD6\xB7\xFB\xB4\xAE",
      {
          // 0:常量折叠 1:死代码消除 2:数据覆盖 3:窥孔优化 4:寄存器变量
          "0:\xB3\xA3\xC1\xBF\xD5\xDB\xB5\xFE",
          "1:\xCB\xC0\xB4\xFA\xC2\xEB\xCF\xFB\xB3\xFD",
          "2:\xCA\xFD\xBE\xDD\xB8\xB2\xB8\xC7",
          "3:\xBF\xFA\xBF\xD7\xD3\xC5\xBB\xAF",
          "4:\xBC\xC4\xB4\xE6\xC6\xF7\xB1\xE4\xC1\xBF",
          // 5:公共子表达式消除 6: 循环旋转 7: 扩展索引访问优化
          "5:\xB9\xAB\xB9\xB2\xD7\xD3\xB1\xED\xB4\xEF\xCA\xBD\xCF\xFB\xB3\xFD",
          "6: \xD1\xAD\xBB\xB7\xD0\xFD\xD7\xAA",
          "7: \xC0\xA9\xD5\xB9\xCB\xF7\xD2\xFD\xB7\xC3\xCE\xCA\xD3\xC5\xBB\xAF",
          // 8: 重用公共入口代码 9: 公共块子程序
          "8: \xD6\xD8\xD3\xC3\xB9\xAB\xB9\xB2\xC8\xEB\xBF\xDA\xB4\xFA\xC2\xEB",
          "9: \xB9\xAB\xB9\xB2\xBF\xE9\xD7\xD3\xB3\xCC\xD0\xF2",
      },
      {
          "\xB2\xE0\xD6\xD8\xB4\xFA\xC2\xEB\xB4\xF3\xD0\xA1",  // 侧重代码大小 (favor size)
          "\xB2\xE0\xD6\xD8\xCB\xD9\xB6\xC8",                  // 侧重速度 (favor speed)
      },
      {
          "\xBE\xAF\xB8\xE6\xBC\xB6\xB1\xF0 0(\xBD\xFB\xD3\xC3)",  // 警告级别 0(禁用)
          "\xBE\xAF\xB8\xE6\xBC\xB6\xB1\xF0 1",                    // 警告级别 1
          "\xBE\xAF\xB8\xE6\xBC\xB6\xB1\xF0 2",                    // 警告级别 2
      },
      // 默认，上一级的设置 (default: the setting of the level above)
      "\xC4\xAC\xC8\xCF\xA3\xAC\xC9\xCF\xD2\xBB\xBC\xB6\xB5\xC4\xC9\xE8\xD6\xC3",
  };
}

std::vector<std::string> WithDefault(std::vector<std::string> items, const char* default_item) {
  items.push_back(default_item);
  return items;
}

}  // namespace

DialogTemplate C51PageTemplate(Language language) {
  const C51Texts t = language == Language::kChinese ? ChineseTexts() : EnglishTexts();
  std::vector<std::string> float_bits = {"0", "1", "2", "3", "4", "5", "6", "7"};
  const uint32_t check = kAutomatic;
  DialogTemplate d;
  d.id = IDD_C51_PAGE;
  d.caption = "C51";
  d.controls = {
      {kNoId, ControlKind::kGroupBox, kStyleNone, t.symbols_group, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.define, {}},
      {IDC_C51_DEFINE, ControlKind::kEdit, kStyleNone, "", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.undefine, {}},
      {IDC_C51_UNDEFINE, ControlKind::kEdit, kStyleNone, "", {}},
      {kNoId, ControlKind::kGroupBox, kStyleNone, t.optimization_group, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.level, {}},
      {IDC_C51_LEVEL, ControlKind::kDropDownList, kStyleNone, "",
       WithDefault(t.levels, t.default_item)},
      {kNoId, ControlKind::kStatic, kStyleNone, t.emphasis, {}},
      {IDC_C51_EMPHASIS, ControlKind::kDropDownList, kStyleNone, "",
       WithDefault(t.emphases, t.default_item)},
      {IDC_C51_REGISTER_COLORING, ControlKind::kCheckBox, check, t.register_coloring, {}},
      {IDC_C51_NO_ABSOLUTE_REGISTERS, ControlKind::kCheckBox, check, t.no_absolute_registers, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.warnings, {}},
      {IDC_C51_WARNINGS, ControlKind::kDropDownList, kStyleNone, "",
       WithDefault(t.warning_levels, t.default_item)},
      {kNoId, ControlKind::kStatic, kStyleNone, t.float_bits, {}},
      {IDC_C51_FLOAT_BITS, ControlKind::kDropDownList, kStyleNone, "",
       WithDefault(float_bits, t.default_item)},
      // Its text stands left of the box.
      {IDC_C51_INTERRUPT_VECTORS, ControlKind::kCheckBox, check, t.interrupt_vectors, {}},
      {IDC_C51_VECTOR_ADDRESS, ControlKind::kEdit, kStyleNone, "", {}},
      {IDC_C51_KEEP_ORDER, ControlKind::kCheckBox, check, t.keep_order, {}},
      {IDC_C51_ANSI_PROMOTION, ControlKind::kCheckBox, check, t.ansi_promotion, {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.include, {}},
      {IDC_C51_INCLUDE, ControlKind::kEdit, kStyleNone, "", {}},
      {IDC_C51_INCLUDE_BROWSE, ControlKind::kPushButton, kStyleNone, "...", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.misc, {}},
      {IDC_C51_MISC, ControlKind::kEdit, kStyleNone, "", {}},
      {kNoId, ControlKind::kStatic, kStyleNone, t.control_string, {}},
      {IDC_C51_CONTROL_STRING, ControlKind::kEdit, kMultiLine | kReadOnly, "", {}},
  };
  return d;
}

}  // namespace c51::settings
