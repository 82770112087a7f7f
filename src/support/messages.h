// Every text the plug-in's code composes that exists in two wordings, and
// the Chinese-only texts. Chinese texts are GBK bytes.
#ifndef C51_SUPPORT_MESSAGES_H_
#define C51_SUPPORT_MESSAGES_H_

namespace c51 {

enum class Language : int {
  kChinese = 0,
  kEnglish = 1,
};

enum class MessageId : int {
  kCreatePipeFailed,     // "%d": system error code
  kCreateProcessFailed,  // "%d": system error code
  kNoCompiler,
  kNoAssembler,
  kNoLibraryManager,
  kNoLinker,
  kNoHexConverter,
  kFileSettings,       // caption lead; the caller appends "\"name\""
  kFileGroupSettings,  // caption lead; the caller appends "\"name\""
  kProjectSettings,    // caption lead; the caller appends "\"name\""
  kDefaultButton,
  kInvalidInterruptVector,
  kProgramMemoryOutOfRange,
  kInvalidStartAddress,
  kXdataOutOfRange,
  kUseOnChip,  // lead of the two on-chip check-box captions
  kChooseOutputDirectory,
  kCompilerListing,
  kAssemblerListing,
  kPreprocessorListing,
  kLinkerListing,
  kCreateExecutable,
  kCreateLibrary,
  // Follows "<key>" "<value>": a folder or name of the project that would
  // put the build's files outside the project folder.
  kLeavesProjectFolder,
  // One wording only (Chinese in both languages).
  kProjectFileDamaged,
  kProjectKindNotSupported,
  kImportFileInfoFailed,
  kCount,
};

// The text of `id` in `language`. Never null.
const char* MessageText(MessageId id, Language language);

}  // namespace c51

#endif  // C51_SUPPORT_MESSAGES_H_
