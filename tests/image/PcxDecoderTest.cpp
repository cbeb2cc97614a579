// PCX decoding from files whose bytes the tests state.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "image/ImageDecoder.h"
#include "support/ImageWriters.h"
#include "image/ImageTestHelpers.h"

namespace tessary {
namespace {

using imagetest::Append;
using imagetest::AppendU16;
using imagetest::Opaque;
using imagetest::PixelAt;
using imagetest::Rgba;

// The palette every hand-built file here carries: entry i is (i, 255 - i, 7 i mod 256).
Rgba Entry(int i) { return Opaque(i, 255 - i, (7 * i) & 0xFF); }

std::vector<std::uint8_t> Header(int xMin, int yMin, int xMax, int yMax, int bytesPerLine, int version = 5) {
  std::vector<std::uint8_t> b;
  Append(b, {0x0A, version, 1, 8});
  AppendU16(b, static_cast<std::uint16_t>(xMin));
  AppendU16(b, static_cast<std::uint16_t>(yMin));
  AppendU16(b, static_cast<std::uint16_t>(xMax));
  AppendU16(b, static_cast<std::uint16_t>(yMax));
  b.resize(65, 0);
  Append(b, {1});
  AppendU16(b, static_cast<std::uint16_t>(bytesPerLine));
  b.resize(128, 0);
  return b;
}

void AppendPalette(std::vector<std::uint8_t>& b, bool marker = true) {
  if (marker) b.push_back(0x0C);
  for (int i = 0; i < 256; ++i) {
    const Rgba c = Entry(i);
    Append(b, {c[0], c[1], c[2]});
  }
}

std::vector<std::uint8_t> File(std::vector<std::uint8_t> header, std::initializer_list<int> stream,
                               bool marker = true) {
  Append(header, stream);
  AppendPalette(header, marker);
  return header;
}

TEST(PcxDecoder, RunsLiteralsPaddingAndTheEmptyRun) {
  // 3 x 2 with 4 bytes per line. Line 0: 1, then a run of two 5s, then the pad byte 9.
  // 0xC0 0x77 is a run of none: it must swallow 0x77 and write nothing. Line 1: three 2s
  // and the pad byte.
  auto bytes = File(Header(0, 0, 2, 1, 4), {0x01, 0xC2, 0x05, 0x09, 0xC0, 0x77, 0xC3, 0x02, 0x09});
  auto result = DecodePcx(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  const ImageRGBA& image = *result.image;
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  ASSERT_EQ(image.pixels.size(), 3u * 2u * 4u);
  EXPECT_EQ(PixelAt(image, 0, 0), Entry(1));
  EXPECT_EQ(PixelAt(image, 1, 0), Entry(5));
  EXPECT_EQ(PixelAt(image, 2, 0), Entry(5));
  for (int x = 0; x < 3; ++x) EXPECT_EQ(PixelAt(image, x, 1), Entry(2)) << x;
}

TEST(PcxDecoder, ARunCarriesAcrossPaddingIntoTheNextLine) {
  // 3 x 2, 4 bytes per line. Decoded stream: 3 3 3 [3] 3 4 4 [4].
  auto result = DecodePcx(File(Header(0, 0, 2, 1, 4), {0xC5, 0x03, 0xC3, 0x04}));
  ASSERT_TRUE(result.ok()) << result.message;
  const ImageRGBA& image = *result.image;
  EXPECT_EQ(PixelAt(image, 0, 0), Entry(3));
  EXPECT_EQ(PixelAt(image, 2, 0), Entry(3));
  EXPECT_EQ(PixelAt(image, 0, 1), Entry(3));
  EXPECT_EQ(PixelAt(image, 1, 1), Entry(4));
  EXPECT_EQ(PixelAt(image, 2, 1), Entry(4));
}

TEST(PcxDecoder, SizesComeFromTheSignedBoundsAndIndicesAboveC0NeedARun) {
  // Xmin -2 .. Xmax 1 is 4 wide; Ymin 10 .. Ymax 10 is one row. 0xC8 can only be stored as
  // a run of one.
  auto result = DecodePcx(File(Header(-2, 10, 1, 10, 4), {0xC1, 0xC8, 0x00, 0xBF, 0xC1, 0xFF}));
  ASSERT_TRUE(result.ok()) << result.message;
  const ImageRGBA& image = *result.image;
  ASSERT_EQ(image.width, 4);
  ASSERT_EQ(image.height, 1);
  EXPECT_EQ(PixelAt(image, 0, 0), Entry(0xC8));
  EXPECT_EQ(PixelAt(image, 1, 0), Entry(0x00));
  EXPECT_EQ(PixelAt(image, 2, 0), Entry(0xBF));
  EXPECT_EQ(PixelAt(image, 3, 0), Entry(0xFF));
}

TEST(PcxDecoder, ARunPastTheLastPixelIsCutAndThePaletteIsTheLast768Bytes) {
  // 2 x 1 filled by a run of 63; no 0x0C marker and some stray bytes before the palette.
  auto bytes = Header(0, 0, 1, 0, 2);
  Append(bytes, {0xFF, 0x06, 0x11, 0x22, 0x33});
  AppendPalette(bytes, /*marker=*/false);
  auto result = DecodePcx(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Entry(6));
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Entry(6));
}

TEST(PcxDecoder, RefusesBadSizesAndShortFiles) {
  const std::string nr = kNotRecognizedMessage;
  // Bytes per line shorter than the width.
  EXPECT_EQ(DecodePcx(File(Header(0, 0, 3, 0, 3), {0xC4, 1})).message, nr);
  // Xmax below Xmin, and a span that wraps in 16 bits (65536 becomes 0).
  EXPECT_EQ(DecodePcx(File(Header(5, 0, 3, 0, 4), {0xC4, 1})).message, nr);
  EXPECT_EQ(DecodePcx(File(Header(-32768, 0, 32767, 0, 4), {0xC4, 1})).message, nr);
  // Sides over the limit.
  EXPECT_EQ(DecodePcx(File(Header(0, 0, 20000, 0, 20001), {0xC4, 1})).message, nr);
  // The stream ends before the last pixel; a run byte with no index after it. (Without the
  // 0x0C marker: it is an ordinary byte to the stream, and would be taken as one more pixel.)
  EXPECT_EQ(DecodePcx(File(Header(0, 0, 3, 0, 4), {0xC3, 1}, false)).message, nr);
  EXPECT_EQ(DecodePcx(File(Header(0, 0, 3, 0, 4), {0xC3, 1, 0xC1}, false)).message, nr);
  auto withMarker = DecodePcx(File(Header(0, 0, 3, 0, 4), {0xC3, 1}));
  ASSERT_TRUE(withMarker.ok());
  EXPECT_EQ(PixelAt(*withMarker.image, 3, 0), Entry(0x0C));
  // Shorter than a header and a palette.
  auto tiny = Header(0, 0, 0, 0, 1);
  Append(tiny, {0x01});
  EXPECT_EQ(DecodePcx(tiny).message, nr);
  // Another version.
  EXPECT_EQ(DecodePcx(File(Header(0, 0, 0, 0, 1, 3), {0x01})).message, nr);
}

TEST(PcxDecoder, WriterRoundTripWithPaddedLinesAndCrossingRuns) {
  std::mt19937 random(7);
  for (bool cross : {false, true}) {
    testing::PcxImage pcx;
    pcx.width = 37;
    pcx.height = 23;
    pcx.bytesPerLine = 40;
    pcx.padIndex = 250;
    pcx.runsCrossLines = cross;
    for (int i = 0; i < pcx.width * pcx.height; ++i)
      pcx.indices.push_back(static_cast<std::uint8_t>(i % 5 == 0 ? random() % 256 : (i / 9) % 256));
    for (int i = 0; i < 256; ++i) {
      const Rgba c = Entry(i);
      pcx.palette[i] = {c[0], c[1], c[2]};
    }
    auto result = DecodePcx(testing::WritePcx(pcx));
    ASSERT_TRUE(result.ok()) << result.message;
    for (int y = 0; y < pcx.height; ++y)
      for (int x = 0; x < pcx.width; ++x)
        ASSERT_EQ(PixelAt(*result.image, x, y), Entry(pcx.indices[y * pcx.width + x])) << x << "," << y;
  }
}

}  // namespace
}  // namespace tessary
