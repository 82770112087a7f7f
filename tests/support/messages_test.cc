#include "support/messages.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>

#include "platform/codepage.h"

namespace c51 {
namespace {

// The texts as they read, in UTF-8; the test turns them into GBK on its own
// so that a wrong byte in the table cannot hide behind a copy of itself.
struct Wording {
  MessageId id;
  const char* english;  // null: Chinese only
  const char* chinese;
};

const Wording kWordings[] = {
    {MessageId::kCreatePipeFailed, "Create pipe failed，err code== %d",
     "创建管道失败，错误码err == %d"},
    {MessageId::kCreateProcessFailed, "Can not create new process, err code = %d",
     "无法建立新进程，错误码：err = %d"},
    {MessageId::kNoCompiler, "Can not find C compiler", "找不到 C 编译器)"},
    {MessageId::kNoAssembler, "Can not find assembler", "找不到汇编器)"},
    {MessageId::kNoLibraryManager, "Can not find library manager", "找不到库管理器)"},
    {MessageId::kNoLinker, "Can not find linker", "找不到连接器)"},
    {MessageId::kNoHexConverter, "Can not find hex transfer",
     "找不到 HEX 转换程序，将不产生 HEX 文件)"},
    {MessageId::kFileSettings, "File Settings ", "配置文件 "},
    {MessageId::kFileGroupSettings, "File Group Settings ", "配置文件组 "},
    {MessageId::kProjectSettings, "Project Settings ", "配置目标工程 "},
    {MessageId::kDefaultButton, "Default", "默认值"},
    {MessageId::kInvalidInterruptVector, "Invalid interrupt vector address", "无效中断矢量地址!"},
    {MessageId::kProgramMemoryOutOfRange, "The program memory is out of range, please reset!",
     "程序存储器范围越界，请重新设置!"},
    {MessageId::kInvalidStartAddress, "Invalid start address", "无效起始地址 "},
    {MessageId::kXdataOutOfRange, "XData memory is out of range, please reset!",
     "XData存储器范围越界，请重新设置！"},
    {MessageId::kUseOnChip, "Use On-chip ", "使用片内 "},
    {MessageId::kChooseOutputDirectory,
     "Please choose the output directory :", "请选择列表文件的输出位置："},
    {MessageId::kCompilerListing, "&Compiler listing", "&C 编译器列表: "},
    {MessageId::kAssemblerListing, "&Assembler listing: ", "汇编器列表(&A): "},
    {MessageId::kPreprocessorListing, "C &Preprocessor listing: ", "预处理信息列表(&P): "},
    {MessageId::kLinkerListing, "L&inker listing: ", "连接器列表(&L): "},
    {MessageId::kCreateExecutable, "Cre&ate Executable :", "创建应用文件(&A): "},
    {MessageId::kCreateLibrary, "Create &Library:", "创建库文件(&L): "},
    {MessageId::kLeavesProjectFolder, " leaves the project folder and is not used.",
     " 位于工程文件夹之外，未使用。"},
    {MessageId::kProjectFileDamaged, nullptr, "工程文件已损坏"},
    {MessageId::kProjectKindNotSupported, nullptr, "暂不支持该工程的导入"},
    {MessageId::kImportFileInfoFailed, nullptr, "导入工程中的文件信息失败"},
};

std::string Gbk(const char* utf8) {
  std::string out;
  EXPECT_TRUE(ConvertCodePage(utf8, kCodePageUtf8, kCodePageGbk, &out)) << utf8;
  return out;
}

TEST(MessagesTest, EveryRowInBothLanguagesAsGbkBytes) {
  ASSERT_EQ(std::size(kWordings), static_cast<size_t>(MessageId::kCount));
  for (const Wording& row : kWordings) {
    SCOPED_TRACE(row.chinese);
    const std::string chinese = Gbk(row.chinese);
    const std::string english = row.english ? Gbk(row.english) : chinese;
    EXPECT_EQ(MessageText(row.id, Language::kChinese), chinese);
    EXPECT_EQ(MessageText(row.id, Language::kEnglish), english);
  }
}

TEST(MessagesTest, FullWidthCommaIsGbkInTheEnglishPipeMessage) {
  // Bytes from iconv, so that this holds without any converter.
  EXPECT_STREQ(MessageText(MessageId::kCreatePipeFailed, Language::kEnglish),
               "Create pipe failed\xA3\xAC"
               "err code== %d");
  EXPECT_STREQ(MessageText(MessageId::kNoCompiler, Language::kChinese),
               "\xD5\xD2\xB2\xBB\xB5\xBD C \xB1\xE0\xD2\xEB\xC6\xF7)");
}

TEST(MessagesTest, PlaceholdersFillAndUnknownIdsGiveEmptyText) {
  char line[128];
  std::snprintf(line, sizeof line, MessageText(MessageId::kCreatePipeFailed, Language::kChinese),
                5);
  EXPECT_EQ(std::string(line), Gbk("创建管道失败，错误码err == 5"));
  EXPECT_STREQ(MessageText(MessageId::kCount, Language::kChinese), "");
  EXPECT_STREQ(MessageText(static_cast<MessageId>(-1), Language::kEnglish), "");
}

}  // namespace
}  // namespace c51
