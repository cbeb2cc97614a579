// Decoding PCX, BMP and TGA files whose bytes the tests state, and JPEG and PNG files made by
// their libraries, recognised by their first bytes; and the same files damaged, which must
// fail or decode whole.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "image/ImageDecoder.h"
#include "testdata/ContentWriters.h"

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Rgba = std::array<std::uint8_t, 4>;

Bytes B(std::initializer_list<int> values) { return Bytes(values.begin(), values.end()); }
Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
Bytes Le(std::int64_t v, int size) {  // little-endian, two's complement
  Bytes b;
  for (int i = 0; i < size; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  return b;
}
Bytes Head(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); }
Bytes Set(Bytes b, std::size_t at, std::uint8_t v) {
  b[at] = v;
  return b;
}

// Opaque pixels; palette entry i of every file here is (i, 255 - i, 7 i mod 256).
std::vector<Rgba> Rgbs(std::initializer_list<std::array<int, 3>> colours) {
  std::vector<Rgba> out;
  for (auto c : colours) out.push_back({std::uint8_t(c[0]), std::uint8_t(c[1]), std::uint8_t(c[2]), 255});
  return out;
}
std::vector<Rgba> Indexed(std::initializer_list<int> indices) {
  std::vector<Rgba> out;
  for (int i : indices) out.push_back({std::uint8_t(i), std::uint8_t(255 - i), std::uint8_t(7 * i), 255});
  return out;
}

// Header (version, Xmin, Ymin, Xmax, Ymax, one plane, bytes per line), the stream, then
// the palette, after the 0x0C marker unless told otherwise.
Bytes Pcx(int x0, int y0, int x1, int y1, int bytesPerLine, const Bytes& stream, bool marker = true, int version = 5) {
  Bytes b = B({0x0A, version, 1, 8}) + Le(x0, 2) + Le(y0, 2) + Le(x1, 2) + Le(y1, 2) + Bytes(53, 0) + B({1}) +
            Le(bytesPerLine, 2) + Bytes(60, 0) + stream;
  if (marker) b.push_back(0x0C);
  for (int i = 0; i < 256; ++i) b = b + B({i, 255 - i, (7 * i) & 0xFF});
  return b;
}

// File and information headers; bytes of the information header past the first 40 are 0xEE.
Bytes Bmp(int width, int height, int bits, std::uint32_t dataOffset, std::uint32_t used = 0,
          std::uint32_t infoSize = 40, std::uint32_t compression = 0) {
  return B({'B', 'M'}) + Le(0, 8) + Le(dataOffset, 4) + Le(infoSize, 4) + Le(width, 4) + Le(height, 4) + Le(1, 2) +
         Le(bits, 2) + Le(compression, 4) + Bytes(12, 0) + Le(used, 4) + Le(0, 4) + Bytes(infoSize - 40, 0xEE);
}
Bytes BmpPalette(int entries) {  // stored blue, green, red, reserved
  Bytes b;
  for (int i = 0; i < entries; ++i) b = b + B({(7 * i) & 0xFF, 255 - i, i, 0});
  return b;
}

Bytes Tga(int type, int width, int height, int depth, int descriptor, const Bytes& data, int idLength = 0,
          int mapType = 0, int mapLength = 0, int mapBits = 0) {
  return B({idLength, mapType, type}) + Le(0, 2) + Le(mapLength, 2) + B({mapBits}) + Le(0, 4) + Le(width, 2) +
         Le(height, 2) + B({depth, descriptor}) + data;
}

// A failure, or an image that is whole: sizes within limits,
// exactly their pixels, all opaque unless the format keeps transparency.
bool WholeOrFailed(const DecodeResult& result, bool opaque) {
  if (!result.ok()) return true;
  const ImageRGBA& image = *result.image;
  bool whole = image.width > 0 && image.height > 0 && std::int64_t{image.width} * image.height <= kMaxImagePixels &&
               image.pixels.size() == std::size_t(image.width) * std::size_t(image.height) * 4 && result.message.empty();
  for (std::size_t i = 3; opaque && whole && i < image.pixels.size(); i += 4) whole = image.pixels[i] == 255;
  return whole;
}

struct Case {
  std::string name;
  Bytes bytes;
  int width = 0, height = 0;  // 0: the file is refused with the message
  std::vector<Rgba> pixels = {};  // top row first; of JPEG and PNG the first and the last only
  int tolerance = 0;              // JPEG's loss
  std::string message = kNotRecognizedMessage;
};

TEST(ImageDecoder, EveryFormatRuleAndDamageToEachGoodFile) {
  const Bytes bmp24 = Bmp(3, 2, 24, 54) + B({10, 20, 30, 40, 50, 60, 70, 80, 90, 0xAA, 0xAA, 0xAA}) +
                      B({1, 2, 3, 4, 5, 6, 7, 8, 9, 0xAA, 0xAA, 0xAA});
  const auto bmp24Pixels = Rgbs({{3, 2, 1}, {6, 5, 4}, {9, 8, 7}, {30, 20, 10}, {60, 50, 40}, {90, 80, 70}});
  auto padded = [](Bytes b) { return b + Bytes(4096, 0); };
  const auto flat = [](int n, std::initializer_list<int> sample) {
    Bytes b;
    for (int i = 0; i < n; ++i) b.insert(b.end(), sample.begin(), sample.end());
    return b;
  };
  // Eight rows of red over eight rows of blue: the first and last pixels show the order.
  const Bytes halves = flat(64, {255, 0, 0}) + flat(64, {0, 0, 255});
  using testing::EncodeJpeg;
  using testing::EncodePng;
  Bytes bigJpeg = EncodeJpeg(8, 8, 1, flat(64, {9}));
  for (std::size_t i = 0; i + 8 < bigJpeg.size(); ++i)
    if (bigJpeg[i] == 0xFF && bigJpeg[i + 1] == 0xC0) bigJpeg[i + 7] = 0x50;  // SOF0 width 8 -> 0x5008
  std::vector<Case> cases = {
      {"text", B({'a', 'b', 'c', 'd'})},  // every cut of every good file below is tried too
      // PCX. 3 x 2, 4 bytes per line: 1, a run of two 5s, the pad byte 9; 0xC0 0x77 is a run
      // of none that swallows 0x77; three 2s and the pad byte.
      {"pcx runs, padding, a run of none", Pcx(0, 0, 2, 1, 4, B({1, 0xC2, 5, 9, 0xC0, 0x77, 0xC3, 2, 9})), 3, 2,
       Indexed({1, 5, 5, 2, 2, 2})},
      {"pcx run across the padding into the next line", Pcx(0, 0, 2, 1, 4, B({0xC5, 3, 0xC3, 4})), 3, 2,
       Indexed({3, 3, 3, 3, 4, 4})},
      {"pcx signed bounds; 0xC8 needs a run", Pcx(-2, 10, 1, 10, 4, B({0xC1, 0xC8, 0, 0xBF, 0xC1, 0xFF})), 4, 1,
       Indexed({0xC8, 0, 0xBF, 0xFF})},
      {"pcx run past the end is cut; palette is the last 768 bytes",
       Pcx(0, 0, 1, 0, 2, B({0xFF, 6, 0x11, 0x22, 0x33}), false), 2, 1, Indexed({6, 6})},
      {"pcx stream runs up to the palette, marker included", Pcx(0, 0, 3, 0, 4, B({0xC3, 1})), 4, 1,
       Indexed({1, 1, 1, 0x0C})},
      {"pcx bytes per line below the width", Pcx(0, 0, 3, 0, 3, B({0xC4, 1}))},
      {"pcx span wrapping in 16 bits", Pcx(-32768, 0, 32767, 0, 4, B({0xC4, 1}))},
      {"pcx too wide", Pcx(0, 0, 20000, 0, 20001, B({0xC4, 1}))},
      {"pcx stream ends early", Pcx(0, 0, 3, 0, 4, B({0xC3, 1}), false)},
      {"pcx version 3", Pcx(0, 0, 0, 0, 1, B({1}), true, 3)},
      // BMP. 8 bits, 3 x 2, 16 entries, pixels at 14 + 40 + 64; rows bottom first, padded.
      {"bmp 8-bit rows reversed and padded", Bmp(3, 2, 8, 118, 16) + BmpPalette(16) + B({0, 1, 2, 15, 12, 13, 14, 15}),
       3, 2, Indexed({12, 13, 14, 0, 1, 2})},
      {"bmp colours used 0 means 256", Bmp(4, 1, 8, 1078) + BmpPalette(256) + B({200, 255, 16, 0}), 4, 1,
       Indexed({200, 255, 16, 0})},
      {"bmp index past the palette", Bmp(4, 1, 8, 118, 16) + BmpPalette(16) + B({1, 2, 16, 3})},
      {"bmp 108-byte header: palette at 122", Bmp(4, 1, 8, 130, 2, 108) + BmpPalette(2) + B({1, 0, 1, 0}), 4, 1,
       Indexed({1, 0, 1, 0})},
      {"bmp 24-bit rows reversed and padded", bmp24, 3, 2, bmp24Pixels},
      {"bmp last row without padding; byte 2 a TGA type", Set(Head(bmp24, bmp24.size() - 3), 2, 10), 3, 2, bmp24Pixels},
      {"bmp compressed", padded(Bmp(4, 2, 24, 54, 0, 40, 1))},
      {"bmp top-down", padded(Bmp(4, -2, 24, 54))},
      {"bmp too many pixels", padded(Bmp(16384, 16384, 24, 54))},
      {"bmp pixels past the end", padded(Bmp(4, 2, 24, 40000))},
      {"bmp 257 colours", padded(Bmp(4, 2, 8, 54, 257))},
      {"bmp palette past the end", Bmp(1, 1, 8, 54, 200) + B({0, 0, 0, 0})},
      // TGA. 24-bit pixels are stored blue, green, red.
      {"tga descriptor bit 5 clear: bottom row first", Tga(2, 2, 2, 24, 0, B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})),
       2, 2, Rgbs({{9, 8, 7}, {12, 11, 10}, {3, 2, 1}, {6, 5, 4}})},
      {"tga descriptor bit 5 set: top row first", Tga(2, 2, 2, 24, 0x20, B({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12})),
       2, 2, Rgbs({{3, 2, 1}, {6, 5, 4}, {9, 8, 7}, {12, 11, 10}})},
      {"tga 32-bit alpha dropped", Tga(2, 2, 1, 32, 0x28, B({10, 20, 30, 0, 40, 50, 60, 0})), 2, 1,
       Rgbs({{30, 20, 10}, {60, 50, 40}})},
      {"tga 16-bit 5-5-5, bit 15 ignored",
       Tga(2, 6, 1, 16, 0x20, Le(0x7FFF, 2) + Le(0x8000, 2) + Le(0x7C00, 2) + Le(0x03E0, 2) + Le(0x001F, 2) + Le(0x8421, 2)),
       6, 1, Rgbs({{248, 248, 248}, {0, 0, 0}, {248, 0, 0}, {0, 248, 0}, {0, 0, 248}, {8, 8, 8}})},
      // A run of two, a raw packet of three crossing into the second row, a run of one.
      {"tga packets across rows", Tga(10, 3, 2, 24, 0x20, B({0x81, 1, 2, 3, 2, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x80, 13, 14, 15})),
       3, 2, Rgbs({{3, 2, 1}, {3, 2, 1}, {6, 5, 4}, {9, 8, 7}, {12, 11, 10}, {15, 14, 13}})},
      {"tga ID and 24-bit colour map skipped", Tga(2, 1, 1, 24, 0x20, Bytes(5, 0xEE) + Bytes(9, 0xDD) + B({7, 8, 9}), 5, 1, 3, 24),
       1, 1, Rgbs({{9, 8, 7}})},
      {"tga type 2 of 8 bits", Tga(2, 4, 4, 8, 0, {}), 0, 0, {}, 0, kTgaType2DepthMessage},
      {"tga type 10 of 15 bits", Tga(10, 4, 4, 15, 0, {}), 0, 0, {}, 0, kTgaType10DepthMessage},
      {"tga no width", padded(Tga(2, 0, 4, 24, 0, {}))},
      {"tga packets the file cannot hold", padded(Tga(10, 16384, 4096, 24, 0, {}))},
      {"tga colour map past the end", Tga(2, 1, 1, 24, 0x20, B({1, 2, 3}), 0, 1, 65535, 32)},
      // JPEG (baseline, progressive, grey, colour, Adobe CMYK) within its loss; PNG (16 bits
      // scaled as sRGB values, palette transparency kept, rows top first) exactly.
      {"jpeg colour", EncodeJpeg(8, 16, 3, halves), 8, 16, {{255, 0, 0, 255}, {0, 0, 255, 255}}, 8},
      {"jpeg progressive grey", EncodeJpeg(8, 8, 1, flat(64, {100}), true), 8, 8, {{100, 100, 100, 255}, {100, 100, 100, 255}}, 2},
      {"jpeg Adobe cmyk (inks stored inverted)", EncodeJpeg(8, 8, 4, flat(64, {255, 0, 255, 255})), 8, 8,
       {{255, 0, 255, 255}, {255, 0, 255, 255}}, 2},
      {"jpeg cut in half", Head(EncodeJpeg(8, 16, 3, halves), 300)},
      {"jpeg wider than allowed", bigJpeg},
      {"png rgb 16-bit", EncodePng({1, 1, 16, 2, {{0xFF, 0xFF, 0, 0, 0x80, 0x80}}, {}, {}}), 1, 1,
       {{255, 0, 128, 255}, {255, 0, 128, 255}}},
      {"png 4-bit palette with transparency",
       EncodePng({3, 1, 4, 3, {{0x20, 0x10}}, B({255, 0, 0, 0, 255, 0, 0, 0, 255}), B({255, 128})}), 3, 1,
       {{0, 0, 255, 255}, {0, 255, 0, 128}}},
      {"png rgba rows top first", EncodePng({1, 2, 8, 6, {{1, 2, 3, 4}, {5, 6, 7, 8}}, {}, {}}), 1, 2, {{1, 2, 3, 4}, {5, 6, 7, 8}}},
      {"png wider than allowed", EncodePng({20000, 1, 8, 0, {Bytes(20000, 0)}, {}, {}})},
  };
  for (int bits : {1, 4, 16, 32})
    cases.push_back({"bmp of " + std::to_string(bits) + " bits fails silently", Bmp(8, 1, bits, 62) + Bytes(64, 0), 0, 0, {}, 0, ""});
  for (int type : {1, 3, 9, 11}) cases.push_back({"tga type " + std::to_string(type), Tga(type, 1, 1, 24, 0, B({1, 2, 3}))});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const DecodeResult result = DecodeImage(c.bytes);
    if (c.width == 0) {
      EXPECT_FALSE(result.ok());
      EXPECT_EQ(result.message, c.message);
      continue;
    }
    ASSERT_TRUE(result.ok()) << result.message;
    EXPECT_EQ(result.image->width, c.width);
    EXPECT_EQ(result.image->height, c.height);
    std::vector<Rgba> pixels;
    for (auto p = result.image->pixels.begin(); p + 3 < result.image->pixels.end(); p += 4) pixels.push_back({p[0], p[1], p[2], p[3]});
    const bool png = c.name.starts_with("png");
    if (png || c.name.starts_with("jpeg")) pixels = {pixels.front(), pixels.back()};
    ASSERT_EQ(pixels.size(), c.pixels.size());
    for (std::size_t i = 0; i < pixels.size(); ++i)
      for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(pixels[i][k], c.pixels[i][k], c.tolerance) << "pixel " << i;

    // Damage: every prefix, and every byte set in turn to values that make sizes, offsets,
    // runs and packets extreme, must fail with the format's message or decode to a whole
    // image, opaque but for PNG (AddressSanitizer builds catch any stray read). Only a BMP's
    // last-row padding can be cut from a file of this table without losing pixels.
    for (std::size_t n = 0; n < c.bytes.size(); ++n) {
      const DecodeResult cut = DecodeImage(Head(c.bytes, n));
      ASSERT_TRUE(WholeOrFailed(cut, !png)) << "cut to " << n;
      if (!cut.ok()) {
        EXPECT_EQ(cut.message, kNotRecognizedMessage) << "cut to " << n;
      } else if (!c.name.starts_with("pcx")) {
        EXPECT_EQ(cut.image->pixels, result.image->pixels) << "cut to " << n;
      }
      for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xC0, 0xFF})
        ASSERT_TRUE(WholeOrFailed(DecodeImage(Set(c.bytes, n, value)), !png)) << "byte " << n << " = " << int(value);
    }
  }
}

}  // namespace
}  // namespace tessary
