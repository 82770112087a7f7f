#include "png_writer.h"

#include <algorithm>

namespace c51::test {
namespace {

void Put32(std::string* out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<char>(value >> shift));
}

void Chunk(std::string* out, const char type[4], const std::string& data) {
  Put32(out, static_cast<uint32_t>(data.size()));
  std::string body(type, 4);
  body += data;
  out->append(body);
  Put32(out, Crc32(reinterpret_cast<const uint8_t*>(body.data()), body.size()));
}

}  // namespace

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc) {
  static const auto table = [] {
    std::vector<uint32_t> t(256);
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(const uint8_t* data, size_t size) {
  uint32_t a = 1, b = 0;
  for (size_t i = 0; i < size; ++i) {
    a = (a + data[i]) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

std::string EncodePng(const RgbImage& image) {
  if (image.width <= 0 || image.height <= 0 ||
      image.rgb.size() != static_cast<size_t>(image.width) * image.height * 3) {
    return std::string();
  }
  // Each row starts with its filter type, 0 (none).
  const size_t row = static_cast<size_t>(image.width) * 3;
  std::vector<uint8_t> raw;
  raw.reserve((row + 1) * image.height);
  for (int y = 0; y < image.height; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), image.rgb.begin() + y * row, image.rgb.begin() + (y + 1) * row);
  }

  std::string zlib = {'\x78', '\x01'};
  size_t at = 0;
  do {
    const size_t length = std::min<size_t>(raw.size() - at, 65535);
    const bool last = at + length == raw.size();
    zlib.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00: stored
    zlib.push_back(static_cast<char>(length & 0xFF));
    zlib.push_back(static_cast<char>(length >> 8));
    zlib.push_back(static_cast<char>(~length & 0xFF));
    zlib.push_back(static_cast<char>((~length >> 8) & 0xFF));
    zlib.append(reinterpret_cast<const char*>(raw.data()) + at, length);
    at += length;
  } while (at < raw.size());
  Put32(&zlib, Adler32(raw.data(), raw.size()));

  std::string header;
  Put32(&header, static_cast<uint32_t>(image.width));
  Put32(&header, static_cast<uint32_t>(image.height));
  header +=
      {'\x08', '\x02', '\x00', '\x00', '\x00'};  // 8-bit RGB, deflate, no filter, no interlace

  std::string png("\x89PNG\r\n\x1a\n", 8);
  Chunk(&png, "IHDR", header);
  Chunk(&png, "IDAT", zlib);
  Chunk(&png, "IEND", std::string());
  return png;
}

}  // namespace c51::test
