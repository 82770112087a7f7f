// The two wordings of every composed text. All texts are 8-bit: the
// Chinese ones, and the full-width comma of the English pipe message, are
// GBK bytes.
#include "support/messages.h"

namespace c51 {

namespace {

struct MessageRow {
  MessageId id;  // kept next to the texts so a misordered row is caught
  const char* english;
  const char* chinese;
};

// Rows in MessageId order. A hex escape swallows every hex digit after it,
// so a literal is split where such a character follows one.
constexpr MessageRow kMessages[] = {
    // "Create pipe failed, error code err == %d"
    {MessageId::kCreatePipeFailed,
     "Create pipe failed\xA3\xAC"
     "err code== %d",
     "\xB4\xB4\xBD\xA8\xB9\xDC\xB5\xC0\xCA\xA7\xB0\xDC\xA3\xAC\xB4\xED\xCE\xF3\xC2\xEB"
     "err == %d"},
    // "Can not create a new process, error code: err = %d"
    {MessageId::kCreateProcessFailed, "Can not create new process, err code = %d",
     "\xCE\xDE\xB7\xA8\xBD\xA8\xC1\xA2\xD0\xC2\xBD\xF8\xB3\xCC\xA3\xAC\xB4\xED\xCE\xF3\xC2\xEB\xA3"
     "\xBA"
     "err = %d"},
    // "Can not find the C compiler)"
    {MessageId::kNoCompiler, "Can not find C compiler",
     "\xD5\xD2\xB2\xBB\xB5\xBD C \xB1\xE0\xD2\xEB\xC6\xF7)"},
    // "Can not find the assembler)"
    {MessageId::kNoAssembler, "Can not find assembler",
     "\xD5\xD2\xB2\xBB\xB5\xBD\xBB\xE3\xB1\xE0\xC6\xF7)"},
    // "Can not find the library manager)"
    {MessageId::kNoLibraryManager, "Can not find library manager",
     "\xD5\xD2\xB2\xBB\xB5\xBD\xBF\xE2\xB9\xDC\xC0\xED\xC6\xF7)"},
    // "Can not find the linker)"
    {MessageId::kNoLinker, "Can not find linker",
     "\xD5\xD2\xB2\xBB\xB5\xBD\xC1\xAC\xBD\xD3\xC6\xF7)"},
    // "Can not find the HEX converter, no HEX file will be produced)"
    {MessageId::kNoHexConverter, "Can not find hex transfer",
     "\xD5\xD2\xB2\xBB\xB5\xBD HEX \xD7\xAA\xBB\xBB\xB3\xCC\xD0\xF2\xA3\xAC\xBD\xAB\xB2\xBB\xB2\xFA"
     "\xC9\xFA HEX \xCE\xC4\xBC\xFE)"},
    // "Configure file "
    {MessageId::kFileSettings, "File Settings ", "\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE "},
    // "Configure file group "
    {MessageId::kFileGroupSettings, "File Group Settings ",
     "\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE\xD7\xE9 "},
    // "Configure target project "
    {MessageId::kProjectSettings, "Project Settings ",
     "\xC5\xE4\xD6\xC3\xC4\xBF\xB1\xEA\xB9\xA4\xB3\xCC "},
    // "Default value"
    {MessageId::kDefaultButton, "Default", "\xC4\xAC\xC8\xCF\xD6\xB5"},
    // "Invalid interrupt vector address!"
    {MessageId::kInvalidInterruptVector, "Invalid interrupt vector address",
     "\xCE\xDE\xD0\xA7\xD6\xD0\xB6\xCF\xCA\xB8\xC1\xBF\xB5\xD8\xD6\xB7!"},
    // "Program memory range out of bounds, please set it again!"
    {MessageId::kProgramMemoryOutOfRange, "The program memory is out of range, please reset!",
     "\xB3\xCC\xD0\xF2\xB4\xE6\xB4\xA2\xC6\xF7\xB7\xB6\xCE\xA7\xD4\xBD\xBD\xE7\xA3\xAC\xC7\xEB\xD6"
     "\xD8"
     "\xD0\xC2\xC9\xE8\xD6\xC3!"},
    // "Invalid start address "
    {MessageId::kInvalidStartAddress, "Invalid start address",
     "\xCE\xDE\xD0\xA7\xC6\xF0\xCA\xBC\xB5\xD8\xD6\xB7 "},
    // "XData memory range out of bounds, please set it again!" (full-width "!")
    {MessageId::kXdataOutOfRange, "XData memory is out of range, please reset!",
     "XData\xB4\xE6\xB4\xA2\xC6\xF7\xB7\xB6\xCE\xA7\xD4\xBD\xBD\xE7\xA3\xAC\xC7\xEB\xD6\xD8\xD0\xC2"
     "\xC9\xE8\xD6\xC3\xA3\xA1"},
    // "Use on-chip "
    {MessageId::kUseOnChip, "Use On-chip ", "\xCA\xB9\xD3\xC3\xC6\xAC\xC4\xDA "},
    // "Please choose where the listing files go:" (full-width colon)
    {MessageId::kChooseOutputDirectory, "Please choose the output directory :",
     "\xC7\xEB\xD1\xA1\xD4\xF1\xC1\xD0\xB1\xED\xCE\xC4\xBC\xFE\xB5\xC4\xCA\xE4\xB3\xF6\xCE\xBB\xD6"
     "\xC3"
     "\xA3\xBA"},
    // "&C compiler listing: "
    {MessageId::kCompilerListing, "&Compiler listing",
     "&C \xB1\xE0\xD2\xEB\xC6\xF7\xC1\xD0\xB1\xED: "},
    // "Assembler listing(&A): "
    {MessageId::kAssemblerListing,
     "&Assembler listing: ", "\xBB\xE3\xB1\xE0\xC6\xF7\xC1\xD0\xB1\xED(&A): "},
    // "Preprocessor information listing(&P): "
    {MessageId::kPreprocessorListing,
     "C &Preprocessor listing: ", "\xD4\xA4\xB4\xA6\xC0\xED\xD0\xC5\xCF\xA2\xC1\xD0\xB1\xED(&P): "},
    // "Linker listing(&L): "
    {MessageId::kLinkerListing,
     "L&inker listing: ", "\xC1\xAC\xBD\xD3\xC6\xF7\xC1\xD0\xB1\xED(&L): "},
    // "Create application file(&A): "
    {MessageId::kCreateExecutable,
     "Cre&ate Executable :", "\xB4\xB4\xBD\xA8\xD3\xA6\xD3\xC3\xCE\xC4\xBC\xFE(&A): "},
    // "Create library file(&L): "
    {MessageId::kCreateLibrary,
     "Create &Library:", "\xB4\xB4\xBD\xA8\xBF\xE2\xCE\xC4\xBC\xFE(&L): "},
    // " lies outside the project folder and is not used." (full-width
    // comma and stop)
    {MessageId::kLeavesProjectFolder, " leaves the project folder and is not used.",
     " \xCE\xBB\xD3\xDA\xB9\xA4\xB3\xCC\xCE\xC4\xBC\xFE\xBC\xD0\xD6\xAE\xCD\xE2\xA3\xAC\xCE\xB4"
     "\xCA\xB9\xD3\xC3\xA1\xA3"},
    // "The project file is damaged"; no English wording exists.
    {MessageId::kProjectFileDamaged, "\xB9\xA4\xB3\xCC\xCE\xC4\xBC\xFE\xD2\xD1\xCB\xF0\xBB\xB5",
     "\xB9\xA4\xB3\xCC\xCE\xC4\xBC\xFE\xD2\xD1\xCB\xF0\xBB\xB5"},
    // "Import of this kind of project is not supported yet"; Chinese only.
    {MessageId::kProjectKindNotSupported,
     "\xD4\xDD\xB2\xBB\xD6\xA7\xB3\xD6\xB8\xC3\xB9\xA4\xB3\xCC\xB5\xC4\xB5\xBC\xC8\xEB",
     "\xD4\xDD\xB2\xBB\xD6\xA7\xB3\xD6\xB8\xC3\xB9\xA4\xB3\xCC\xB5\xC4\xB5\xBC\xC8\xEB"},
    // "Importing the project's file information failed"; Chinese only.
    {MessageId::kImportFileInfoFailed,
     "\xB5\xBC\xC8\xEB\xB9\xA4\xB3\xCC\xD6\xD0\xB5\xC4\xCE\xC4\xBC\xFE\xD0\xC5\xCF\xA2\xCA\xA7\xB0"
     "\xDC",
     "\xB5\xBC\xC8\xEB\xB9\xA4\xB3\xCC\xD6\xD0\xB5\xC4\xCE\xC4\xBC\xFE\xD0\xC5\xCF\xA2\xCA\xA7\xB0"
     "\xDC"},
};

constexpr bool RowsInIdOrder() {
  int index = 0;
  for (const MessageRow& row : kMessages) {
    if (static_cast<int>(row.id) != index++) return false;
  }
  return index == static_cast<int>(MessageId::kCount);
}
static_assert(RowsInIdOrder(), "one row per MessageId, in MessageId order");

}  // namespace

const char* MessageText(MessageId id, Language language) {
  int index = static_cast<int>(id);
  if (index < 0 || index >= static_cast<int>(MessageId::kCount)) return "";
  const MessageRow& row = kMessages[index];
  return language == Language::kEnglish ? row.english : row.chinese;
}

}  // namespace c51
