#include "settings/widgets/header_image.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace c51::settings {
namespace {

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
  return v;
}

// Palette index of pixel (x, y), y counted from the top.
int Pixel(const std::string& b, int x, int y) {
  const uint32_t offset = Le(b, 10, 4);
  const int height = static_cast<int>(Le(b, 22, 4));
  const uint32_t row_bytes = ((Le(b, 18, 4) * 4 + 31) / 32) * 4;
  const uint8_t byte = static_cast<uint8_t>(b[offset + (height - 1 - y) * row_bytes + x / 2]);
  return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

TEST(HeaderImage, IsAFourBitBitmapFileOfFourDistinctPictures) {
  const std::string bmp = HeaderImageBitmapFile();
  ASSERT_GE(bmp.size(), 54u);
  EXPECT_EQ(bmp.substr(0, 2), "BM");
  EXPECT_EQ(Le(bmp, 2, 4), bmp.size());
  EXPECT_EQ(Le(bmp, 14, 4), 40u);  // the plain information header
  EXPECT_EQ(Le(bmp, 18, 4), 88u);
  EXPECT_EQ(Le(bmp, 22, 4), 20u);
  EXPECT_EQ(Le(bmp, 28, 2), 4u);
  EXPECT_EQ(Le(bmp, 30, 4), 0u);
  EXPECT_EQ(Le(bmp, 46, 4), 16u);
  ASSERT_EQ(Le(bmp, 10, 4) + 44u * 20u, bmp.size());
  // Palette entry 7, the background: the 3-D face grey.
  const size_t grey = 54 + 7 * 4;
  EXPECT_EQ(bmp.substr(grey, 4), std::string("\xC0\xC0\xC0\0", 4));

  // The corners are background; every 22-pixel cell draws something, and
  // no two cells draw the same picture.
  EXPECT_EQ(Pixel(bmp, 0, 0), 7);
  EXPECT_EQ(Pixel(bmp, 87, 19), 7);
  std::set<std::vector<int>> cells;
  for (int cell = 0; cell < 4; ++cell) {
    std::vector<int> picture;
    int drawn = 0;
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 22; ++x) {
        picture.push_back(Pixel(bmp, cell * 22 + x, y));
        drawn += picture.back() != 7;
      }
    }
    EXPECT_GT(drawn, 20) << "cell " << cell;
    cells.insert(picture);
  }
  EXPECT_EQ(cells.size(), 4u);
  // Down is up turned over about the cell's centre line (rows 3 to 15).
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 22; ++x) {
      const int mirrored = 18 - y;
      const int down = mirrored >= 0 && mirrored < 20 ? Pixel(bmp, 66 + x, mirrored) : 7;
      ASSERT_EQ(Pixel(bmp, 44 + x, y), down) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace c51::settings
