#include "settings/widgets/header_image.h"

#include <array>
#include <cstdint>

#include "settings/widgets/list_header.h"

namespace c51::settings {
namespace {

constexpr int kCell = kHeaderImageWidth / kHeaderButtonCount;  // 22
constexpr int kGlyph = 16;
constexpr int kGlyphLeft = (kCell - kGlyph) / 2;
constexpr int kGlyphTop = (kHeaderImageHeight - kGlyph) / 2;

// The 16 colours (red, green, blue) in the order of the classic palette.
constexpr uint8_t kPalette[16][3] = {
    {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},   {0, 0, 128}, {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},     {0, 255, 0}, {255, 255, 0},
    {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255},
};
constexpr int kBackground = 7;

int ColourIndex(char c) {
  switch (c) {
    case 'k':
      return 0;  // black
    case 'R':
      return 1;  // dark red
    case 'b':
      return 4;  // navy
    case 'g':
      return 8;  // grey
    case 'r':
      return 9;  // red
    case 'y':
      return 11;  // yellow
    case 'w':
      return 15;  // white
    default:
      return kBackground;
  }
}

using Glyph = std::array<const char*, kGlyph>;

// A new, empty item with a spark.
constexpr Glyph kNew = {
    "...........y....", "........y..y..y.", ".........y.y.y..", "..........yyy...",
    "........yyyyyyy.", "..........yyy...", ".........y.y.y..", "kkkkkkk.y..y..y.",
    "kwwwwwwww..y.kg.", "kwwwwwwwwwwwwkg.", "kwwwwwwwwwwwwkg.", "kwwwwwwwwwwwwkg.",
    "kwwwwwwwwwwwwkg.", "kkkkkkkkkkkkkkg.", ".gggggggggggggg.", "................",
};
constexpr Glyph kDelete = {
    "................", "..rR........rR..", "..rrR......rrR..", "...rrR....rrR...",
    "....rrR..rrR....", ".....rrRrrR.....", "......rrrR......", "......rrrR......",
    ".....rrRrrR.....", "....rrR..rrR....", "...rrR....rrR...", "..rrR......rrR..",
    "..rR........rR..", "................", "................", "................",
};
constexpr Glyph kUp = {
    "................", ".......bb.......", "......bbbb......", ".....bbbbbb.....",
    "....bbbbbbbb....", "...bbbbbbbbbb...", "..bbbbbbbbbbbb..", "......bbbb......",
    "......bbbb......", "......bbbb......", "......bbbb......", "......bbbb......",
    "......bbbb......", "......bbbb......", "................", "................",
};

void PutLe16(std::string* out, uint32_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}
void PutLe32(std::string* out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

}  // namespace

std::string HeaderImageBitmapFile() {
  // Pixels top-down first, one palette index each.
  std::array<std::array<uint8_t, kHeaderImageWidth>, kHeaderImageHeight> pixels;
  for (auto& row : pixels) row.fill(kBackground);
  auto draw = [&](int cell, const Glyph& glyph, bool flipped) {
    for (int y = 0; y < kGlyph; ++y) {
      // The down arrow is the up arrow turned over, one row lower so that
      // both sit on the same centre line.
      const char* row = glyph[flipped ? (kGlyph - 2 - y + kGlyph) % kGlyph : y];
      for (int x = 0; x < kGlyph; ++x) {
        pixels[kGlyphTop + y][cell * kCell + kGlyphLeft + x] =
            static_cast<uint8_t>(ColourIndex(row[x]));
      }
    }
  };
  draw(kHeaderNew, kNew, false);
  draw(kHeaderDelete, kDelete, false);
  draw(kHeaderMoveUp, kUp, false);
  draw(kHeaderMoveDown, kUp, true);

  constexpr uint32_t kRowBytes = ((kHeaderImageWidth * 4 + 31) / 32) * 4;
  constexpr uint32_t kPixelBytes = kRowBytes * kHeaderImageHeight;
  constexpr uint32_t kHeaders = 14 + 40 + 16 * 4;
  std::string out;
  out.reserve(kHeaders + kPixelBytes);
  out += "BM";
  PutLe32(&out, kHeaders + kPixelBytes);
  PutLe32(&out, 0);  // reserved
  PutLe32(&out, kHeaders);
  PutLe32(&out, 40);
  PutLe32(&out, kHeaderImageWidth);
  PutLe32(&out, kHeaderImageHeight);  // positive: the last row comes first
  PutLe16(&out, 1);                   // planes
  PutLe16(&out, 4);                   // bits per pixel
  PutLe32(&out, 0);                   // no compression
  PutLe32(&out, kPixelBytes);
  PutLe32(&out, 2835);  // 72 dots per inch, in dots per metre
  PutLe32(&out, 2835);
  PutLe32(&out, 16);  // colours used
  PutLe32(&out, 0);
  for (const auto& rgb : kPalette) {
    out.push_back(static_cast<char>(rgb[2]));
    out.push_back(static_cast<char>(rgb[1]));
    out.push_back(static_cast<char>(rgb[0]));
    out.push_back(0);
  }
  for (int y = kHeaderImageHeight - 1; y >= 0; --y) {
    std::string row(kRowBytes, '\0');
    for (int x = 0; x < kHeaderImageWidth; ++x) {
      const uint8_t index = pixels[y][x];
      row[x / 2] = static_cast<char>(row[x / 2] | (x % 2 == 0 ? index << 4 : index));
    }
    out += row;
  }
  return out;
}

}  // namespace c51::settings
