// The names the plug-in, the importers and the host give the project tree's
// elements, attributes and tool nodes, each spelled once: a misspelt name
// fails to compile instead of reading a key that nobody writes. The texts
// are stored in project files and must never change.
#ifndef C51_PROJECT_KEY_NAMES_H_
#define C51_PROJECT_KEY_NAMES_H_

namespace c51::keys {

// ---- Elements of the tree ----
inline constexpr char kProjectRoot[] = "CorvaneProject";     // the root element
inline constexpr char kFiles[] = "Files";                    // the root's file tree
inline constexpr char kFilter[] = "Filter";                  // a group of files
inline constexpr char kFile[] = "File";                      // one source
inline constexpr char kConfigurations[] = "Configurations";  // the root's targets
inline constexpr char kConfiguration[] = "Configuration";    // one target
inline constexpr char kTool[] = "Tool";                      // a tool's settings at some scope
inline constexpr char kFilterConfiguration[] =
    "FilterConfiguration";                                         // a group's, per configuration
inline constexpr char kFileConfiguration[] = "FileConfiguration";  // a file's, per configuration

// ---- Tool node names (the "Name" of a "Tool" element) ----
inline constexpr char kC51Tool[] = "C51Tool";
inline constexpr char kA51Tool[] = "A51Tool";
inline constexpr char kLx51Tool[] = "Lx51Tool";

// ---- Attributes of every named element ----
inline constexpr char kName[] = "Name";
inline constexpr char kRelativePath[] = "RelativePath";  // a file's name, relative to the project
inline constexpr char kActiveConfiguration[] = "ActiveConfiguration";  // on the root

// ---- Configuration: output and listing ----
inline constexpr char kOutputDirectory[] = "OutputDirectory";
inline constexpr char kOutputName[] = "OutputName";
inline constexpr char kListingDirectory[] = "ListingDirectory";
inline constexpr char kListingSwitches[] = "OPTLT";
inline constexpr char kCreateExecutable[] = "GENAPP";
inline constexpr char kCreateLibrary[] = "GENLIB";

// ---- Configuration: target ----
inline constexpr char kCodeMode[] = "CodeMode";
inline constexpr char kMemMode[] = "MemMode";
inline constexpr char kRtos[] = "RTOS";
inline constexpr char kTargetFlags[] = "T51FL";
inline constexpr char kClock[] = "SIMCLK";
inline constexpr char kOffChipCode[] = "OCM51";
inline constexpr char kOffChipXdata[] = "OCR51";
inline constexpr char kCodeBank[] = "CodeBank";
inline constexpr char kRegisterFile[] = "RGF";

// ---- Configuration: user commands ----
inline constexpr char kBeforeCompile[] = "BeforeCmp";
inline constexpr char kBeforeBuild[] = "BeforeBuild";
inline constexpr char kAfterBuild[] = "AfterBuild";

// ---- Configuration: debugging (the host's record, stored as text) ----
inline constexpr char kDebugOptions[] = "OPTDBG";

// ---- Tool nodes: compiler ----
inline constexpr char kC51Flags[] = "C51FL";
inline constexpr char kC51VectorAddress[] = "C51VA";
inline constexpr char kC51Define[] = "C51DEF";
inline constexpr char kC51Undefine[] = "C51UDF";
inline constexpr char kC51Misc[] = "C51MSC";
inline constexpr char kC51Include[] = "INCC5";

// ---- Tool nodes: assembler ----
inline constexpr char kA51Flags[] = "A51FL";
inline constexpr char kA51Set[] = "A51SET";
inline constexpr char kA51Reset[] = "A51RST";
inline constexpr char kA51Misc[] = "A51MSC";
inline constexpr char kA51Include[] = "INCA5";

// ---- Tool nodes: linker (free texts in the linker's syntax but the flags) ----
inline constexpr char kLx51Flags[] = "LX51FL";
inline constexpr char kLx51CodeBase[] = "LX51COB";         // CODE( ) base
inline constexpr char kLx51XdataBase[] = "LX51XDB";        // XDATA( ) base
inline constexpr char kLx51PdataBase[] = "LX51PDB";        // PDATA( )
inline constexpr char kLx51BitBase[] = "LX51BIB";          // BIT( ) base
inline constexpr char kLx51DataBase[] = "LX51DAB";         // DATA( ) base
inline constexpr char kLx51IdataBase[] = "LX51IDB";        // IDATA( ) base
inline constexpr char kLx51Precede[] = "LX51PRC";          // PRECEDE( )
inline constexpr char kLx51Stack[] = "LX51STK";            // STACK( )
inline constexpr char kLx51CodeSegments[] = "LX51COS";     // CODE( ) segments
inline constexpr char kLx51XdataSegments[] = "LX51XDS";    // XDATA( ) segments
inline constexpr char kLx51BitSegments[] = "LX51BIS";      // BIT( ) segments
inline constexpr char kLx51DataSegments[] = "LX51DAS";     // DATA( ) segments
inline constexpr char kLx51IdataSegments[] = "LX51IDS";    // IDATA( ) segments
inline constexpr char kLx51Overlay[] = "LX51OVL";          // OVERLAY( )
inline constexpr char kLx51Misc[] = "LX51MSC";             // copied as typed
inline constexpr char kLx51DisableWarnings[] = "LX51DWN";  // DISABLEWARNING ( )

// ---- A file's or group's configuration: switches (2 inherits) ----
inline constexpr char kIncludeInBuild[] = "IncBld";
inline constexpr char kGenerateAsm[] = "GenAsm";
inline constexpr char kAssembleAsm[] = "AsmAsm";
inline constexpr char kBankNumber[] = "BankNum";
inline constexpr char kLocalConfigure[] = "LocalConfigure";  // "1": own tool settings

// ---- The host's own children of the root ----
inline constexpr char kDevice[] = "Device";  // the selected device: "Vendor", "Name"
inline constexpr char kVendor[] = "Vendor";
inline constexpr char kProperty[] = "Property";  // one of the device's "key=value" texts
inline constexpr char kText[] = "Text";
inline constexpr char kDriverSettings[] = "DriverSettings";  // "Setting" children
inline constexpr char kSetting[] = "Setting";
inline constexpr char kKey[] = "Key";
inline constexpr char kValue[] = "Value";

}  // namespace c51::keys

#endif  // C51_PROJECT_KEY_NAMES_H_
