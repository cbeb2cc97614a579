// BMP decoding from files whose bytes the tests state.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "image/ImageDecoder.h"
#include "support/ImageWriters.h"
#include "image/ImageTestHelpers.h"

namespace tessary {
namespace {

using imagetest::Append;
using imagetest::AppendU16;
using imagetest::AppendU32;
using imagetest::Opaque;
using imagetest::PixelAt;

// File header and information header; bytes past the first 40 of the information header
// are filled with `filler`.
std::vector<std::uint8_t> Headers(std::int32_t width, std::int32_t height, int bitCount, std::uint32_t dataOffset,
                                  std::uint32_t coloursUsed = 0, std::uint32_t infoSize = 40,
                                  std::uint32_t compression = 0, int filler = 0) {
  std::vector<std::uint8_t> b;
  Append(b, {'B', 'M'});
  AppendU32(b, 0);  // file size, not read
  AppendU32(b, 0);
  AppendU32(b, dataOffset);
  AppendU32(b, infoSize);
  AppendU32(b, static_cast<std::uint32_t>(width));
  AppendU32(b, static_cast<std::uint32_t>(height));
  AppendU16(b, 1);
  AppendU16(b, static_cast<unsigned>(bitCount));
  AppendU32(b, compression);
  AppendU32(b, 0);
  AppendU32(b, 2835);
  AppendU32(b, 2835);
  AppendU32(b, coloursUsed);
  AppendU32(b, 0);
  b.resize(14 + infoSize, static_cast<std::uint8_t>(filler));
  return b;
}

// Palette entry i as stored (blue, green, red, reserved) = (16 i, i, 255 - i, 0).
void AppendPalette(std::vector<std::uint8_t>& b, int entries) {
  for (int i = 0; i < entries; ++i) Append(b, {(16 * i) & 0xFF, i, 255 - i, 0});
}
imagetest::Rgba Entry(int i) { return Opaque(255 - i, i, (16 * i) & 0xFF); }

TEST(BmpDecoder, EightBitRowsAreTurnedOverAndSixteenColoursAreRead) {
  // 4 x 2, 16 palette entries (64 bytes), pixels at 14 + 40 + 64 = 118.
  auto bytes = Headers(4, 2, 8, 118, 16);
  AppendPalette(bytes, 16);
  Append(bytes, {0, 1, 2, 3});      // stored first: the bottom row
  Append(bytes, {12, 13, 14, 15});  // stored second: the top row
  auto result = DecodeBmp(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  const ImageRGBA& image = *result.image;
  ASSERT_EQ(image.width, 4);
  ASSERT_EQ(image.height, 2);
  for (int x = 0; x < 4; ++x) {
    EXPECT_EQ(PixelAt(image, x, 0), Entry(12 + x)) << x;
    EXPECT_EQ(PixelAt(image, x, 1), Entry(x)) << x;
  }
}

TEST(BmpDecoder, ColoursUsedZeroMeansAFullPalette) {
  // 4 x 1, 256 entries, pixels at 14 + 40 + 1024 = 1078.
  auto bytes = Headers(4, 1, 8, 1078, 0);
  AppendPalette(bytes, 256);
  Append(bytes, {200, 255, 16, 0});
  auto result = DecodeBmp(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Entry(200));
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Entry(255));
  EXPECT_EQ(PixelAt(*result.image, 2, 0), Entry(16));
  EXPECT_EQ(PixelAt(*result.image, 3, 0), Entry(0));

  // With 16 entries, index 16 lies past the palette: the file is refused.
  auto small = Headers(4, 1, 8, 118, 16);
  AppendPalette(small, 16);
  Append(small, {1, 2, 16, 3});
  EXPECT_EQ(DecodeBmp(small).message, kNotRecognizedMessage);
}

TEST(BmpDecoder, ALongerInformationHeaderMovesThePalette) {
  // A 108-byte header: the palette starts at 122. The header's extra bytes are 0xEE so a
  // palette read from offset 54 would give wrong colours.
  auto bytes = Headers(4, 1, 8, 122 + 8, 2, 108, 0, 0xEE);
  AppendPalette(bytes, 2);
  Append(bytes, {1, 0, 1, 0});
  auto result = DecodeBmp(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Entry(1));
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Entry(0));
}

TEST(BmpDecoder, TwentyFourBitRowsKeepTheirPadding) {
  // 3 x 2: 9 bytes of pixels and 3 of padding per row.
  auto bytes = Headers(3, 2, 24, 54);
  Append(bytes, {10, 20, 30, 40, 50, 60, 70, 80, 90, 0xAA, 0xAA, 0xAA});  // bottom row
  Append(bytes, {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xAA, 0xAA, 0xAA});          // top row
  auto result = DecodeBmp(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  const ImageRGBA& image = *result.image;
  EXPECT_EQ(PixelAt(image, 0, 0), Opaque(3, 2, 1));
  EXPECT_EQ(PixelAt(image, 1, 0), Opaque(6, 5, 4));
  EXPECT_EQ(PixelAt(image, 2, 0), Opaque(9, 8, 7));
  EXPECT_EQ(PixelAt(image, 0, 1), Opaque(30, 20, 10));
  EXPECT_EQ(PixelAt(image, 2, 1), Opaque(90, 80, 70));

  // The last row may come without its padding.
  const std::span<const std::uint8_t> whole(bytes);
  auto trimmed = DecodeBmp(whole.first(whole.size() - 3));
  ASSERT_TRUE(trimmed.ok());
  EXPECT_EQ(trimmed.image->pixels, image.pixels);
  // One byte less and the pixels are incomplete.
  EXPECT_EQ(DecodeBmp(whole.first(whole.size() - 4)).message, kNotRecognizedMessage);
}

TEST(BmpDecoder, OtherBitCountsFailSilently) {
  for (int bits : {1, 4, 16, 32}) {
    auto bytes = Headers(8, 1, bits, 54 + 8);
    bytes.resize(bytes.size() + 64, 0);
    auto result = DecodeBmp(bytes);
    EXPECT_FALSE(result.ok()) << bits;
    EXPECT_EQ(result.message, "") << bits;
  }
}

TEST(BmpDecoder, RefusesWhatItCannotReadSafely) {
  const std::string nr = kNotRecognizedMessage;
  auto withPixels = [](std::vector<std::uint8_t> b) {
    b.resize(b.size() + 4096, 0);
    return b;
  };
  EXPECT_EQ(DecodeBmp(withPixels(Headers(4, 2, 24, 54, 0, 40, 1))).message, nr) << "compressed";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(4, -2, 24, 54))).message, nr) << "top-down";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(0, 2, 24, 54))).message, nr) << "no width";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(-4, 2, 24, 54))).message, nr) << "negative width";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(20000, 1, 24, 54))).message, nr) << "too wide";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(16384, 16384, 24, 54))).message, nr) << "too many pixels";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(4, 2, 24, 40000))).message, nr) << "pixels past the end";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(4, 2, 24, 0xFFFFFFF0u))).message, nr) << "offset near 4 GB";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(4, 2, 8, 54, 257))).message, nr) << "257 colours";
  auto farPalette = withPixels(Headers(4, 2, 8, 54));
  testing::PokeU32(farPalette, 14, 0xFFFFFFF0u);
  EXPECT_EQ(DecodeBmp(farPalette).message, nr) << "palette near 4 GB";
  EXPECT_EQ(DecodeBmp(withPixels(Headers(4, 2, 24, 54, 0, 12))).message, nr) << "core header";
  // A palette that would run past the end of the file.
  auto shortPalette = Headers(1, 1, 8, 54, 200);
  Append(shortPalette, {0, 0, 0, 0});
  EXPECT_EQ(DecodeBmp(shortPalette).message, nr);
  // Too short for the headers.
  EXPECT_EQ(DecodeBmp(std::vector<std::uint8_t>{'B', 'M', 0, 0, 0}).message, nr);
}

TEST(BmpDecoder, WriterRoundTrip) {
  for (int bits : {8, 24}) {
    for (int width : {1, 2, 3, 4, 5, 7}) {
      testing::BmpImage bmp;
      bmp.width = width;
      bmp.height = 3;
      bmp.bitCount = bits;
      const int perPixel = bits / 8;
      for (int i = 0; i < width * 3 * perPixel; ++i) bmp.data.push_back(static_cast<std::uint8_t>((i * 37 + 5) % 40));
      if (bits == 8) {
        for (int i = 0; i < 40; ++i) bmp.palette.push_back({static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>((16 * i) & 0xFF)});
        bmp.coloursUsed = 40;
      }
      auto result = DecodeBmp(testing::WriteBmp(bmp));
      ASSERT_TRUE(result.ok()) << bits << " bits, width " << width;
      for (int y = 0; y < 3; ++y)
        for (int x = 0; x < width; ++x) {
          const std::size_t at = static_cast<std::size_t>(y * width + x) * perPixel;
          const imagetest::Rgba expected =
              bits == 8 ? Entry(bmp.data[at]) : Opaque(bmp.data[at], bmp.data[at + 1], bmp.data[at + 2]);
          EXPECT_EQ(PixelAt(*result.image, x, y), expected) << bits << " bits, width " << width << " at " << x << "," << y;
        }
    }
  }
}

}  // namespace
}  // namespace tessary
