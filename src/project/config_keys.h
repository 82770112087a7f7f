// The configuration-wide keys that belong to no single tool: target
// memory, output naming, listing switches, user commands; their text
// encodings, defaults for missing keys, readers and writers.
#ifndef C51_PROJECT_CONFIG_KEYS_H_
#define C51_PROJECT_CONFIG_KEYS_H_

#include <array>
#include <cstdint>
#include <string>

namespace c51 {

class HostServices;
class KeyWriter;
struct ProjectNode;

// ---- Target record: "CodeMode", "MemMode", "RTOS", "T51FL", "SIMCLK",
// "OCM51", "OCR51", "CodeBank" ----

enum T51Flags : int {
  kT51OnChipRom = 1,
  kT51MultipleDptr = 4,
  kT51OnChipXram = 8,
};

struct TargetRecord {
  int code_mode = 2;      // 0 small, 1 compact, 2 large
  int mem_mode = 0;       // 0 small, 1 compact, 2 large
  int rtos = 0;           // 0 none, 1 tiny, 2 full
  int t51_flags = 0;      // T51Flags
  double clock = 0;       // MHz
  std::string ocm51;      // off-chip code memory ranges (FormatMemoryRanges)
  std::string ocr51;      // off-chip xdata memory ranges
  std::string code_bank;  // "%d,%s,%s,%s,"
};

// Missing keys keep the record's defaults; a missing "SIMCLK" reads as
// `default_clock`, missing texts as empty.
void ReadTargetRecord(const ProjectNode* config, double default_clock, TargetRecord* out);
// The eight target keys in one HostUpdateNode call.
void WriteTargetRecord(HostServices* host, ProjectNode* config, const TargetRecord& record);
// The same keys added to a write that carries more.
void AddTargetKeys(const TargetRecord& record, KeyWriter* writer);

// ---- Output and listing record ----

constexpr int kListingSwitchCount = 20;
using ListingSwitches = std::array<int, kListingSwitchCount>;

// Indexes into ListingSwitches ("OPTLT" position - 1).
enum ListingSwitch : int {
  kLstCompiler = 0,
  kLstCompilerConditional = 1,
  kLstCompilerSymbols = 2,
  kLstCompilerIncludes = 3,
  kLstCompilerAssembly = 4,
  kLstPreprocessor = 5,
  kLstAssembler = 6,
  kLstAssemblerConditional = 7,
  kLstAssemblerSymbols = 8,
  kLstAssemblerMacros = 9,  // 0 final expansion only, 1 first level, 2 all
  kLstAssemblerXref = 10,
  kLstLinker = 11,
  kLstLinkerMap = 12,
  kLstLinkerPublics = 13,
  kLstLinkerLocals = 14,
  kLstLinkerLines = 15,
  kLstLinkerComments = 16,
  kLstLinkerXref = 17,
  kLstLinkerGenerated = 18,
  kLstLinkerLibrary = 19,
};

struct OutputRecord {
  std::string output_directory;  // relative to the project folder or absolute
  std::string output_name;       // without extension
  int gen_app = 1;
  int gen_lib = 0;
  std::string listing_directory;
  ListingSwitches listing{};
};

// ".\" + `config_name` + "\": the default output and listing folder.
std::string DefaultConfigFolder(const std::string& config_name);

// Missing keys read as: both folders DefaultConfigFolder(config_name), the
// output name `project_base`, executable on, library off, switches 0.
void ReadOutputRecord(const ProjectNode* config, const std::string& config_name,
                      const std::string& project_base, OutputRecord* out);
// "OutputDirectory", "OutputName", "GENAPP", "GENLIB", "ListingDirectory"
// and "OPTLT", added to `writer`.
void AddOutputKeys(const OutputRecord& record, KeyWriter* writer);

// "OPTLT": twenty "%d" joined by ",".
std::string FormatListingSwitches(const ListingSwitches& switches);
// All twenty start at 0; the text is cut at "," (runs of "," count as one
// separator, so an empty field moves later values forward); up to twenty
// values are taken in order. A null text leaves all 0.
void ParseListingSwitches(const char* text, ListingSwitches* out);

// ---- "OCM51" / "OCR51" memory ranges ----

struct MemoryRange {
  uint32_t start = 0;  // three bytes are stored; the fourth is always 0
  uint32_t size = 0;
};
using MemoryRanges = std::array<MemoryRange, 3>;

// "{ 0,s0,s1,s2,0,z0,z1,z2,0,0,... }": per range a 0, the start's three
// low bytes (least significant first), a 0, the size's three low bytes, a 0.
std::string FormatMemoryRanges(const MemoryRanges& ranges);
// Reads a text written by FormatMemoryRanges. An empty or null text gives
// three unused ranges and true; a non-empty text without "{", "," and "}"
// gives false and unused ranges. Missing numbers read as 0; each number
// is taken as one byte.
bool ParseMemoryRanges(const char* text, MemoryRanges* out);

// ---- "CodeBank" ----

// "%d,%s,%s,%s,": banking on, bank count text, bank area start and end as
// typed.
std::string FormatCodeBank(int enabled, const std::string& count, const std::string& start,
                           const std::string& end);
// 0 (no banking) when the text is null, lacks a second ",", or its first
// field is "0"; otherwise 2, 4, 8, 16, 32 or 64 from the second field, and
// 2 for anything else.
int BankCount(const char* code_bank);
// The bank area start and end: only when the text holds exactly four ","
// and its first field is not "0".
bool BankArea(const char* code_bank, std::string* start, std::string* end);
// The bank count of the configuration's "CodeBank".
int ConfigurationBankCount(const ProjectNode* config);

// ---- User commands: "BeforeCmp", "BeforeBuild", "AfterBuild" ----

struct UserCommands {
  bool run1 = false;
  std::string command1;
  bool run2 = false;
  std::string command2;
};

// Four fields each ended by "?": switch, command, switch, command. The
// all-off form is "0??0??".
std::string EncodeUserCommands(const UserCommands& commands);
// Decoded only when the text holds exactly four "?"; a switch is on when it
// is anything but "0". False (and `out` all off) otherwise.
bool DecodeUserCommands(const char* text, UserCommands* out);
// The three user command keys in one call.
void WriteUserCommandKeys(HostServices* host, ProjectNode* config, const UserCommands& before_cmp,
                          const UserCommands& before_build, const UserCommands& after_build);

}  // namespace c51

#endif  // C51_PROJECT_CONFIG_KEYS_H_
