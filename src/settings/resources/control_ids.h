// The resource ids of the settings dialogs and their controls, defined once
// for both consumers: the dialog resources (dialog_layout.rci, compiled by
// the resource compiler, whose preprocessor reads nothing but #define) and
// the pages' code and templates. A misspelt name fails to compile on either
// side. The values are what users and scripts name controls by
// ("corvane-c51 settings" actions, the Win32 window test), so they never
// change. Labels without a use in code have no id (-1, kNoId).
#ifndef C51_SETTINGS_RESOURCES_CONTROL_IDS_H_
#define C51_SETTINGS_RESOURCES_CONTROL_IDS_H_

// The empty page: the default page template.
#define IDD_EMPTY_PAGE 158

// Target.
#define IDD_TARGET_PAGE 163
#define IDC_TARGET_DEVICE 1242  // static: vendor and device name
#define IDC_TARGET_XTAL 1563
#define IDC_TARGET_MEMORY_MODEL 1564
#define IDC_TARGET_CODE_ROM_SIZE 1565
#define IDC_TARGET_OPERATING_SYSTEM 1038
#define IDC_TARGET_ON_CHIP_ROM 1196
#define IDC_TARGET_MULTIPLE_DPTR 1195
#define IDC_TARGET_ON_CHIP_XRAM 1197
#define IDC_TARGET_CODE_BANKING 1000
#define IDC_TARGET_BANK_COUNT 1001
#define IDC_TARGET_BANK_START 1002
#define IDC_TARGET_BANK_END 1003
// Start and size edits of the three off-chip ranges of each space.
#define IDC_TARGET_CODE_START_0 1011
#define IDC_TARGET_CODE_SIZE_0 1012
#define IDC_TARGET_CODE_START_1 1573
#define IDC_TARGET_CODE_SIZE_1 1013
#define IDC_TARGET_CODE_START_2 1574
#define IDC_TARGET_CODE_SIZE_2 1014
#define IDC_TARGET_XDATA_START_0 1016
#define IDC_TARGET_XDATA_SIZE_0 1017
#define IDC_TARGET_XDATA_START_1 1578
#define IDC_TARGET_XDATA_SIZE_1 1018
#define IDC_TARGET_XDATA_START_2 1579
#define IDC_TARGET_XDATA_SIZE_2 1019

// Listing. The switches by "OPTLT" position; the four main boxes get their
// captions at run time.
#define IDD_LISTING_PAGE 171
#define IDC_LISTING_FOLDER 1004  // static: the folder text
#define IDC_LISTING_BROWSE 1288
#define IDC_LISTING_COMPILER 1291
#define IDC_LISTING_COMPILER_CONDITIONAL 1292
#define IDC_LISTING_COMPILER_SYMBOLS 1293
#define IDC_LISTING_COMPILER_INCLUDES 1294
#define IDC_LISTING_COMPILER_ASSEMBLY 1295
#define IDC_LISTING_PREPROCESSOR 1296
#define IDC_LISTING_ASSEMBLER 1297
#define IDC_LISTING_ASSEMBLER_CONDITIONAL 1201
#define IDC_LISTING_ASSEMBLER_SYMBOLS 1298
#define IDC_LISTING_ASSEMBLER_MACROS 1299  // drop-down list: the position's value
#define IDC_LISTING_ASSEMBLER_XREF 1300
#define IDC_LISTING_LINKER 1301
#define IDC_LISTING_LINKER_MAP 1211
#define IDC_LISTING_LINKER_PUBLICS 1086
#define IDC_LISTING_LINKER_LOCALS 1228
#define IDC_LISTING_LINKER_LINES 1214
#define IDC_LISTING_LINKER_COMMENTS 1229
#define IDC_LISTING_LINKER_XREF 1207
#define IDC_LISTING_LINKER_GENERATED 1225
#define IDC_LISTING_LINKER_LIBRARY 1227

// Output.
#define IDD_OUTPUT_PAGE 172
#define IDC_OUTPUT_FOLDER 1003  // static: the folder text
#define IDC_OUTPUT_BROWSE 1244
#define IDC_OUTPUT_NAME 1245
#define IDC_OUTPUT_CREATE_EXECUTABLE 1230  // radio; caption set at run time
#define IDC_OUTPUT_CREATE_LIBRARY 1231     // radio; caption set at run time

// C51.
#define IDD_C51_PAGE 173
#define IDC_C51_DEFINE 1591
#define IDC_C51_UNDEFINE 1592  // disabled at project scope
#define IDC_C51_LEVEL 1593
#define IDC_C51_EMPHASIS 1594
#define IDC_C51_REGISTER_COLORING 1595
#define IDC_C51_NO_ABSOLUTE_REGISTERS 1596
#define IDC_C51_WARNINGS 1597
#define IDC_C51_FLOAT_BITS 1598
#define IDC_C51_INTERRUPT_VECTORS 1599
#define IDC_C51_VECTOR_ADDRESS 1600
#define IDC_C51_KEEP_ORDER 1601
#define IDC_C51_ANSI_PROMOTION 1602
#define IDC_C51_MISC 1603
#define IDC_C51_CONTROL_STRING 1604  // read-only
#define IDC_C51_INCLUDE 1605
#define IDC_C51_INCLUDE_BROWSE 1052  // "...": the Folder Setup dialog

// A51.
#define IDD_A51_PAGE 174
#define IDC_A51_SET 1607
#define IDC_A51_RESET 1608  // disabled at project scope
#define IDC_A51_STANDARD 1610
#define IDC_A51_MPL 1611
#define IDC_A51_MISC 1612
#define IDC_A51_CONTROL_STRING 1613  // read-only
#define IDC_A51_INCLUDE 1614
#define IDC_A51_SFR_NAMES 1641
#define IDC_A51_INCLUDE_BROWSE 1052  // "...": the Folder Setup dialog

// Linker Misc, with the linker keys each edit holds.
#define IDD_LINKER_MISC_PAGE 186
#define IDC_LINKER_MISC_DISABLE_WARNINGS 1615  // "LX51DWN"
#define IDC_LINKER_MISC_OVERLAY 1620           // "LX51OVL"
#define IDC_LINKER_MISC_CONTROLS 1621          // "LX51MSC"
#define IDC_LINKER_MISC_CONTROL_STRING 1622

// Linker Locate, with the linker keys each control holds.
#define IDD_LINKER_LOCATE_PAGE 187
#define IDC_LOCATE_USE_TARGET_LAYOUT 1625  // "LX51FL" value 4
#define IDC_LOCATE_CODE_RANGE 1626         // "LX51COB"
#define IDC_LOCATE_XDATA_RANGE 1627        // "LX51XDB"
#define IDC_LOCATE_CODE_SEGMENTS 1628      // "LX51COS"
#define IDC_LOCATE_XDATA_SEGMENTS 1052     // "LX51XDS"
#define IDC_LOCATE_PDATA_BASE 1054         // "LX51PDB"
#define IDC_LOCATE_PRECEDE 1629            // "LX51PRC"
#define IDC_LOCATE_BIT_BASE 1060           // "LX51BIB"
#define IDC_LOCATE_BIT_SEGMENTS 1061       // "LX51BIS"
#define IDC_LOCATE_DATA_BASE 1062          // "LX51DAB"
#define IDC_LOCATE_DATA_SEGMENTS 1063      // "LX51DAS"
#define IDC_LOCATE_IDATA_BASE 1064         // "LX51IDB"
#define IDC_LOCATE_IDATA_SEGMENTS 1065     // "LX51IDS"
#define IDC_LOCATE_STACK 1067              // "LX51STK"
#define IDC_LOCATE_CONTROL_STRING 1622

// Properties (of a file or a group), with the keys each control holds.
#define IDD_PROPERTIES_PAGE 188
#define IDC_PROP_PATH 1315  // read-only edits
#define IDC_PROP_TYPE 1325
#define IDC_PROP_SIZE 1316
#define IDC_PROP_MODIFIED_LABEL 1323  // "Modify:"
#define IDC_PROP_MODIFIED 1341
#define IDC_PROP_INCLUDE_IN_BUILD 1318  // three-state: "IncBld"
#define IDC_PROP_GENERATE_SRC 1320      // three-state: "GenAsm"
#define IDC_PROP_ASSEMBLE_SRC 1321      // three-state: "AsmAsm"
#define IDC_PROP_CODE_BANK 1003         // drop-down list: index - 1 = "BankNum"

// Folder Setup: the include directories of the C51 and A51 pages. Its OK
// and Cancel are the platform's (1 and 2).
#define IDD_FOLDER_SETUP 208
#define IDC_FOLDER_CAPTION 3000  // the list's header strip
#define IDC_FOLDER_LIST 3001

// Debug. Left: the simulator; right: the emulator.
#define IDD_DEBUG_PAGE 309
#define IDC_DEBUG_SIMULATOR 1423     // radio: use simulator = 1
#define IDC_DEBUG_EMULATOR 1424      // radio: use simulator = 0
#define IDC_DEBUG_SIM_LOAD_APP 1426  // check box, never visible
#define IDC_DEBUG_SIM_RUN_TO_MAIN 1451
#define IDC_DEBUG_DRIVER_LIST 1522  // drop-down list: the driver index
#define IDC_DEBUG_DRIVER_SETTINGS 1523
#define IDC_DEBUG_HW_LOAD_APP 1427
#define IDC_DEBUG_HW_RUN_TO_MAIN 1452

// User: three moments, two programs each, each with a switch, a command
// edit and a "..." button.
#define IDD_USER_PAGE 1002
#define IDC_USER_BEFORE_COMPILE_RUN_1 1009
#define IDC_USER_BEFORE_COMPILE_COMMAND_1 1017
#define IDC_USER_BEFORE_COMPILE_BROWSE_1 1016
#define IDC_USER_BEFORE_COMPILE_RUN_2 1011
#define IDC_USER_BEFORE_COMPILE_COMMAND_2 1018
#define IDC_USER_BEFORE_COMPILE_BROWSE_2 1019
#define IDC_USER_BEFORE_BUILD_RUN_1 1015
#define IDC_USER_BEFORE_BUILD_COMMAND_1 1028
#define IDC_USER_BEFORE_BUILD_BROWSE_1 1029
#define IDC_USER_BEFORE_BUILD_RUN_2 1030
#define IDC_USER_BEFORE_BUILD_COMMAND_2 1031
#define IDC_USER_BEFORE_BUILD_BROWSE_2 1032
#define IDC_USER_AFTER_BUILD_RUN_1 1033
#define IDC_USER_AFTER_BUILD_COMMAND_1 1034
#define IDC_USER_AFTER_BUILD_BROWSE_1 1035
#define IDC_USER_AFTER_BUILD_RUN_2 1036
#define IDC_USER_AFTER_BUILD_COMMAND_2 1037
#define IDC_USER_AFTER_BUILD_BROWSE_2 1038

// Device: an empty frame that the device-selection library's window fills.
#define IDD_DEVICE_PAGE 1005

#endif  // C51_SETTINGS_RESOURCES_CONTROL_IDS_H_
