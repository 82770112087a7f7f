// A PNG encoder just big enough for screenshots: 8-bit RGB, no filtering,
// the image data in zlib "stored" blocks (no compression).
#ifndef C51_TESTS_SETTINGS_WIN32_PNG_WRITER_H_
#define C51_TESTS_SETTINGS_WIN32_PNG_WRITER_H_

#include <cstdint>
#include <string>
#include <vector>

namespace c51::test {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel, no padding
};

// The whole PNG file for `image`; empty for an image without pixels.
std::string EncodePng(const RgbImage& image);

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0);
uint32_t Adler32(const uint8_t* data, size_t size);

}  // namespace c51::test

#endif  // C51_TESTS_SETTINGS_WIN32_PNG_WRITER_H_
