// The rows of the device database, written from each device's public data
// sheet (memory map, program memory size, operating frequency). What the
// columns hold:
//   IRAM  the on-chip data RAM the core addresses directly and indirectly;
//   XRAM  on-chip RAM reached with MOVX, where the part has some;
//   IROM  the on-chip program memory (none on ROM-less parts); on parts
//         with a factory boot loader at the top of flash, the part left to
//         the user;
//   CLOCK the highest operating frequency the data sheet gives (the
//         system clock for parts that run from an internal oscillator),
//         the crystal value a new project starts with.
// Headers: the shipped ones where one covers the part, else the name the
// vendor's own kit gives its register header.
#include "devices/device_table.h"

namespace c51::devices {
namespace {

constexpr DeviceRow kRows[] = {
    // The classic MCS-51 parts at their base speed grade.
    {"Intel", "8031", "IRAM(0-0x7F) CLOCK(12000000)", "REG51.H"},
    {"Intel", "8032", "IRAM(0-0xFF) CLOCK(12000000)", "REG52.H"},
    {"Intel", "8051", "IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(12000000)", "REG51.H"},
    {"Intel", "8052", "IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(12000000)", "REG52.H"},
    {"Intel", "80C31", "IRAM(0-0x7F) CLOCK(12000000)", "REG51.H"},
    {"Intel", "80C32", "IRAM(0-0xFF) CLOCK(12000000)", "REG52.H"},
    {"Intel", "80C51", "IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(12000000)", "REG51.H"},
    {"Intel", "80C52", "IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(12000000)", "REG52.H"},

    // Atmel AT89 flash parts.
    {"Atmel", "AT89C51", "IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(24000000)", "AT89X51.H"},
    {"Atmel", "AT89C52", "IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(24000000)", "AT89X52.H"},
    {"Atmel", "AT89C55WD", "IRAM(0-0xFF) IROM(0-0x4FFF) CLOCK(33000000)", "AT89X52.H"},
    {"Atmel", "AT89S51", "IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(33000000)", "AT89X51.H"},
    {"Atmel", "AT89S52", "IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(33000000)", "AT89S52.H"},
    {"Atmel", "AT89S53", "IRAM(0-0xFF) IROM(0-0x2FFF) CLOCK(24000000)", "AT89X52.H"},
    {"Atmel", "AT89S8253", "IRAM(0-0xFF) IROM(0-0x2FFF) CLOCK(24000000)", "AT89X52.H"},
    {"Atmel", "AT89C1051", "IRAM(0-0x3F) IROM(0-0x3FF) CLOCK(24000000)", "AT89X51.H"},
    {"Atmel", "AT89C2051", "IRAM(0-0x7F) IROM(0-0x7FF) CLOCK(24000000)", "AT89X51.H"},
    {"Atmel", "AT89C4051", "IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(24000000)", "AT89X51.H"},
    {"Atmel", "AT89S2051", "IRAM(0-0xFF) IROM(0-0x7FF) CLOCK(24000000)", "AT89X51.H"},
    {"Atmel", "AT89S4051", "IRAM(0-0xFF) IROM(0-0xFFF) CLOCK(24000000)", "AT89X51.H"},
    {"Atmel", "AT89C51RC", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x7FFF) CLOCK(33000000)",
     "AT89C51RC.H"},
    {"Atmel", "AT89C51RB2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x3FFF) CLOCK(40000000)",
     "AT89C51XD2.H"},
    {"Atmel", "AT89C51RC2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x7FFF) CLOCK(40000000)",
     "AT89C51XD2.H"},
    {"Atmel", "AT89C51RD2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0xFFFF) CLOCK(40000000)",
     "AT89C51XD2.H"},
    {"Atmel", "AT89C51ED2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0xFFFF) CLOCK(40000000)",
     "AT89C51XD2.H"},
    {"Atmel", "AT89C51ID2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0xFFFF) CLOCK(40000000)",
     "AT89C51XD2.H"},

    // The CAN 8051: 1 KB of XRAM, besides its 2 KB data EEPROM.
    {"Atmel", "T89C51CC01", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x7FFF) CLOCK(40000000)",
     "T89C51CC01.H"},
    {"Atmel", "AT89C51CC01", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x7FFF) CLOCK(40000000)",
     "T89C51CC01.H"},

    // Analog Devices MicroConverters: 62 KB of program flash and 2 KB of
    // XRAM; the ADuC832 and ADuC842 make their clock with a PLL from a
    // 32 kHz crystal.
    {"Analog Devices", "ADuC831", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0xF7FF) CLOCK(16000000)",
     "ADUC831.H"},
    {"Analog Devices", "ADuC832", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0xF7FF) CLOCK(16777216)",
     "ADUC832.H"},
    {"Analog Devices", "ADuC841", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0xF7FF) CLOCK(20000000)",
     "ADUC841.H"},
    {"Analog Devices", "ADuC842", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0xF7FF) CLOCK(16777216)",
     "ADUC842.H"},

    // STC89: 12-clock 8052s with ISP.
    {"STC", "STC89C51RC", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0xFFF) CLOCK(40000000)",
     "STC89C5xRC.H"},
    {"STC", "STC89C52RC", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(40000000)",
     "STC89C5xRC.H"},
    {"STC", "STC89C54RD+", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x3FFF) CLOCK(40000000)",
     "STC89C5xRC.H"},
    {"STC", "STC89C58RD+", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x7FFF) CLOCK(40000000)",
     "STC89C5xRC.H"},
    {"STC", "STC89C516RD+", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0xF3FF) CLOCK(40000000)",
     "STC89C5xRC.H"},

    // STC12C5A60S2 series: 1-clock, 1 KB of XRAM.
    {"STC", "STC12C5A08S2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x1FFF) CLOCK(35000000)",
     "STC12C5A60S2.H"},
    {"STC", "STC12C5A16S2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x3FFF) CLOCK(35000000)",
     "STC12C5A60S2.H"},
    {"STC", "STC12C5A32S2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x7FFF) CLOCK(35000000)",
     "STC12C5A60S2.H"},
    {"STC", "STC12C5A56S2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0xDFFF) CLOCK(35000000)",
     "STC12C5A60S2.H"},
    {"STC", "STC12C5A60S2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0xEFFF) CLOCK(35000000)",
     "STC12C5A60S2.H"},

    // STC12C52xxAD series: 1-clock, the STC12C5A60S2's map without its
    // second UART and SPI.
    {"STC", "STC12C5201AD", "IRAM(0-0xFF) IROM(0-0x3FF) CLOCK(35000000)", "STC12C5A60S2.H"},
    {"STC", "STC12C5202AD", "IRAM(0-0xFF) IROM(0-0x7FF) CLOCK(35000000)", "STC12C5A60S2.H"},
    {"STC", "STC12C5204AD", "IRAM(0-0xFF) IROM(0-0xFFF) CLOCK(35000000)", "STC12C5A60S2.H"},
    {"STC", "STC12C5206AD", "IRAM(0-0xFF) IROM(0-0x17FF) CLOCK(35000000)", "STC12C5A60S2.H"},
    // The older 1-clock STC12 series, with a map of their own.
    {"STC", "STC12C2052AD", "IRAM(0-0xFF) IROM(0-0x7FF) CLOCK(35000000)", "STC12C2052AD.H"},
    {"STC", "STC12C4052AD", "IRAM(0-0xFF) IROM(0-0xFFF) CLOCK(35000000)", "STC12C2052AD.H"},
    {"STC", "STC12C5410AD", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x27FF) CLOCK(35000000)",
     "STC12C5410AD.H"},
    {"STC", "STC12C5412AD", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x2FFF) CLOCK(35000000)",
     "STC12C5410AD.H"},
    // STC11/10 series: 1-clock, the STC12C5A60S2's map without ADC and PCA.
    {"STC", "STC11F04E", "IRAM(0-0xFF) IROM(0-0xFFF) CLOCK(35000000)", "STC12C5A60S2.H"},
    {"STC", "STC11F60XE", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0xEFFF) CLOCK(35000000)",
     "STC12C5A60S2.H"},

    // STC15: the SRAM the name gives includes the 256 bytes of IRAM.
    {"STC", "STC15F104W", "IRAM(0-0x7F) IROM(0-0xFFF) CLOCK(35000000)", "STC15.H"},
    {"STC", "STC15W204S", "IRAM(0-0xFF) IROM(0-0xFFF) CLOCK(35000000)", "STC15.H"},
    {"STC", "STC15W408AS", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(35000000)", "STC15.H"},
    {"STC", "STC15F2K08S2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0x1FFF) CLOCK(35000000)", "STC15.H"},
    {"STC", "STC15F2K16S2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0x3FFF) CLOCK(35000000)", "STC15.H"},
    {"STC", "STC15F2K32S2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0x7FFF) CLOCK(35000000)", "STC15.H"},
    {"STC", "STC15F2K60S2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0xEFFF) CLOCK(35000000)",
     "STC15F2K60S2.H"},
    {"STC", "IAP15F2K61S2", "IRAM(0-0xFF) XRAM(0-0x6FF) IROM(0-0xF3FF) CLOCK(35000000)",
     "STC15F2K60S2.H"},
    {"STC", "STC15W4K32S4", "IRAM(0-0xFF) XRAM(0-0xEFF) IROM(0-0x7FFF) CLOCK(30000000)", "STC15.H"},
    {"STC", "STC15W4K56S4", "IRAM(0-0xFF) XRAM(0-0xEFF) IROM(0-0xDFFF) CLOCK(30000000)", "STC15.H"},

    // STC8: the name gives the XRAM, besides the 256 bytes of IRAM.
    {"STC", "STC8G1K08", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x1FFF) CLOCK(36000000)", "STC8G.H"},
    {"STC", "STC8G2K64S4", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0xFFFF) CLOCK(36000000)", "STC8G.H"},
    {"STC", "STC8H1K08", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x1FFF) CLOCK(36000000)", "STC8H.H"},
    {"STC", "STC8H1K17", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x43FF) CLOCK(36000000)", "STC8H.H"},
    {"STC", "STC8H3K64S4", "IRAM(0-0xFF) XRAM(0-0xBFF) IROM(0-0xFFFF) CLOCK(45000000)", "STC8H.H"},
    {"STC", "STC8H8K64U", "IRAM(0-0xFF) XRAM(0-0x1FFF) IROM(0-0xFFFF) CLOCK(45000000)", "STC8H.H"},
    {"STC", "STC8A8K64S4A12", "IRAM(0-0xFF) XRAM(0-0x1FFF) IROM(0-0xFFFF) CLOCK(24000000)",
     "STC8A8K64S4A12.H"},

    // Nuvoton: 1-clock, runs from its 16 MHz internal oscillator.
    {"Nuvoton", "N76E003", "IRAM(0-0xFF) XRAM(0-0x2FF) IROM(0-0x47FF) CLOCK(16000000)",
     "N76E003.H"},

    // WCH: the USB parts keep a boot loader at the top of their flash.
    {"WCH", "CH552", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x37FF) CLOCK(24000000)", "CH552.H"},
    {"WCH", "CH554", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x37FF) CLOCK(24000000)", "CH554.H"},
    {"WCH", "CH559", "IRAM(0-0xFF) XRAM(0-0x17FF) IROM(0-0xEFFF) CLOCK(56000000)", "CH559.H"},

    // Silicon Labs C8051F: the CIP-51 core, one instruction per clock.
    {"Silicon Labs", "C8051F000", "IRAM(0-0xFF) IROM(0-0x7FFF) CLOCK(20000000)", "C8051F000.H"},
    {"Silicon Labs", "C8051F020", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(25000000)",
     "C8051F020.H"},
    {"Silicon Labs", "C8051F040", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(25000000)",
     "C8051F040.H"},
    {"Silicon Labs", "C8051F300", "IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(25000000)", "C8051F300.H"},
    {"Silicon Labs", "C8051F310", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0x3FFF) CLOCK(25000000)",
     "C8051F310.H"},
    {"Silicon Labs", "C8051F320", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0x3FFF) CLOCK(25000000)",
     "C8051F320.H"},
    {"Silicon Labs", "C8051F330", "IRAM(0-0xFF) XRAM(0-0x1FF) IROM(0-0x1FFF) CLOCK(25000000)",
     "C8051F330.H"},
    {"Silicon Labs", "C8051F340", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(48000000)",
     "C8051F340.H"},
    {"Silicon Labs", "C8051F350", "IRAM(0-0xFF) XRAM(0-0x1FF) IROM(0-0x1FFF) CLOCK(50000000)",
     "C8051F350.H"},
    {"Silicon Labs", "C8051F380", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(48000000)",
     "C8051F380.H"},
    {"Silicon Labs", "C8051F410", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0x7FFF) CLOCK(50000000)",
     "C8051F410.H"},
    {"Silicon Labs", "C8051F500", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(50000000)",
     "C8051F500.H"},
    {"Silicon Labs", "C8051F520", "IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(25000000)", "C8051F520.H"},

    // Silicon Labs EFM8: one header per family.
    {"Silicon Labs", "EFM8BB10F2G", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x7FF) CLOCK(25000000)",
     "EFM8BB1.H"},
    {"Silicon Labs", "EFM8BB10F8G", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(25000000)",
     "EFM8BB1.H"},
    {"Silicon Labs", "EFM8BB21F16G", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0x3FFF) CLOCK(50000000)",
     "EFM8BB2.H"},
    {"Silicon Labs", "EFM8BB31F64G", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(50000000)",
     "EFM8BB3.H"},
    {"Silicon Labs", "EFM8LB12F64E", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(72000000)",
     "EFM8LB1.H"},
    {"Silicon Labs", "EFM8UB10F16G", "IRAM(0-0xFF) XRAM(0-0x7FF) IROM(0-0x3FFF) CLOCK(48000000)",
     "EFM8UB1.H"},
    {"Silicon Labs", "EFM8UB20F64G", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(48000000)",
     "EFM8UB2.H"},
    {"Silicon Labs", "EFM8SB10F8G", "IRAM(0-0xFF) XRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(25000000)",
     "EFM8SB1.H"},
    {"Silicon Labs", "EFM8SB20F64G", "IRAM(0-0xFF) XRAM(0-0xFFF) IROM(0-0xFFFF) CLOCK(25000000)",
     "EFM8SB2.H"},

    // Infineon (formerly Siemens) 80C517 family: 256 bytes of RAM, eight
    // data pointers, the compare/capture units; the 517A adds 2 KB of XRAM
    // at the top of the XDATA space and has no ROM.
    {"Infineon", "SAB 80C517", "IRAM(0-0xFF) IROM(0-0x1FFF) CLOCK(16000000)", "REG517.H"},
    {"Infineon", "SAB 80C517A", "IRAM(0-0xFF) XRAM(0xF800-0xFFFF) CLOCK(18000000)", "REG517A.H"},

    // NXP.
    {"NXP", "P89V51RD2", "IRAM(0-0xFF) XRAM(0-0x3FF) IROM(0-0xFFFF) CLOCK(40000000)",
     "P89V51RD2.H"},
    {"NXP", "P89LPC932A1", "IRAM(0-0xFF) XRAM(0-0x1FF) IROM(0-0x1FFF) CLOCK(18000000)", "REG932.H"},
};

}  // namespace

std::span<const DeviceRow> DeviceRows() {
  return kRows;
}

}  // namespace c51::devices
