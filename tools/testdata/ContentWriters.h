// Game content for tests, fuzz seeds, benchmarks and the demo game: zip archives written by
// libzip, JPEG files encoded by libjpeg, and PNG files assembled chunk by chunk (so that
// every colour type and bit depth can be stated exactly) with zlib doing the compression.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tessary::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

// Writes a zip archive (and the folders on its way) with the members in order (names as
// given, '\' included). Stored members are not compressed, so their bytes appear in the
// file as they are.
struct ZipMember {
  std::string name;
  Bytes bytes;
};
void WriteZip(const std::string& path, const std::vector<ZipMember>& members, bool stored = false);

// A JPEG of the given samples (1 component: grey; 3: red, green, blue; 4: CMYK written as
// given, with the Adobe marker libjpeg adds), rows top first, at the best quality.
Bytes EncodeJpeg(int width, int height, int components, const Bytes& samples, bool progressive = false);

// A PNG: header, optional palette (red, green, blue triples) and transparency chunk, then
// the rows, each already packed at the bit depth and given without its filter byte.
struct PngImage {
  int width = 0, height = 0;
  int bitDepth = 8;
  int colourType = 2;  // 0 grey, 2 RGB, 3 palette, 4 grey + alpha, 6 RGBA
  std::vector<Bytes> rows;
  Bytes palette;
  Bytes transparency;
};
Bytes EncodePng(const PngImage& image);

}  // namespace tessary::testing
