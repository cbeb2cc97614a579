// Recognition by first bytes, and what damaged files of every kind do: every prefix of a
// valid file and every byte set to a few bad values must decode to either a failure
// or a complete image (AddressSanitizer builds catch any stray read).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "image/ImageDecoder.h"
#include "support/ImageWriters.h"
#include "image/ImageTestHelpers.h"

namespace tessary {
namespace {

using imagetest::Opaque;
using imagetest::PixelAt;

testing::PcxImage SmallPcx() {
  testing::PcxImage pcx;
  pcx.width = 5;
  pcx.height = 4;
  pcx.bytesPerLine = 6;
  for (int i = 0; i < 20; ++i) pcx.indices.push_back(static_cast<std::uint8_t>(i < 8 ? 3 : 190 + i));
  for (int i = 0; i < 256; ++i) pcx.palette[i] = {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(255 - i)};
  return pcx;
}

testing::BmpImage SmallBmp(int bits) {
  testing::BmpImage bmp;
  bmp.width = 3;
  bmp.height = 3;
  bmp.bitCount = bits;
  for (int i = 0; i < 9 * bits / 8; ++i) bmp.data.push_back(static_cast<std::uint8_t>(i % 4));
  if (bits == 8) bmp.palette = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
  bmp.coloursUsed = bits == 8 ? 4 : 0;
  return bmp;
}

testing::TgaImage SmallTga(std::uint8_t type, std::uint8_t depth) {
  testing::TgaImage tga;
  tga.width = 4;
  tga.height = 3;
  tga.imageType = type;
  tga.depth = depth;
  tga.descriptor = 0;
  tga.id = {9, 9};
  for (int i = 0; i < 12; ++i) tga.pixels.push_back(i < 6 ? 0x1234u : 0x1111u * i);
  return tga;
}

struct Sample {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

std::vector<Sample> Samples() {
  return {{"pcx", testing::WritePcx(SmallPcx())},      {"bmp8", testing::WriteBmp(SmallBmp(8))},
          {"bmp24", testing::WriteBmp(SmallBmp(24))},  {"tga2-16", testing::WriteTga(SmallTga(2, 16))},
          {"tga2-24", testing::WriteTga(SmallTga(2, 24))}, {"tga10-24", testing::WriteTga(SmallTga(10, 24))},
          {"tga10-32", testing::WriteTga(SmallTga(10, 32))}};
}

// A decoded image must be whole: sizes within limits and exactly their pixels, all opaque.
void ExpectWholeOrFailed(const DecodeResult& result, const std::string& context) {
  if (!result.ok()) return;
  const ImageRGBA& image = *result.image;
  ASSERT_GT(image.width, 0) << context;
  ASSERT_GT(image.height, 0) << context;
  ASSERT_LE(std::int64_t{image.width} * image.height, kMaxImagePixels) << context;
  ASSERT_EQ(image.pixels.size(), std::size_t(image.width) * std::size_t(image.height) * 4) << context;
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) ASSERT_EQ(image.pixels[i], 255) << context;
  EXPECT_TRUE(result.message.empty()) << context;
}

TEST(ImageRecognition, TheFirstBytesDecideInOrder) {
  const std::string nr = kNotRecognizedMessage;
  EXPECT_EQ(DecodeImage({}).message, nr);
  EXPECT_EQ(DecodeImage(std::vector<std::uint8_t>{0x0A}).message, nr);
  EXPECT_EQ(DecodeImage(std::vector<std::uint8_t>{'a', 'b', 'c', 'd'}).message, nr);

  // A PCX whose encoding byte (offset 2) happens to be 2 is still a PCX.
  auto pcx = testing::WritePcx(SmallPcx());
  pcx[2] = 2;
  auto result = DecodeImage(pcx);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(result.image->width, 5);
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Opaque(3, 0, 252));

  // Version 3 is not a PCX, and its byte at offset 2 (1) is no TGA type.
  pcx = testing::WritePcx(SmallPcx());
  pcx[1] = 3;
  EXPECT_EQ(DecodeImage(pcx).message, nr);

  // A good TGA whose ID length and colour-map type spell "BM" is taken as a BMP, and fails
  // as one.
  auto spelled = SmallTga(2, 24);
  spelled.id.assign('B', 0);
  spelled.colourMapType = 'M';
  auto tga = testing::WriteTga(spelled);
  ASSERT_EQ(tga[0], 'B');
  ASSERT_EQ(tga[1], 'M');
  EXPECT_TRUE(DecodeTga(tga).ok());
  EXPECT_FALSE(DecodeImage(tga).ok());

  // A 1-bit BMP is recognised as a BMP and fails silently.
  testing::BmpImage mono;
  mono.width = 8;
  mono.height = 1;
  mono.bitCount = 1;
  mono.data = {0xAA, 0, 0, 0};
  result = DecodeImage(testing::WriteBmp(mono));
  EXPECT_FALSE(result.ok());
  EXPECT_EQ(result.message, "");

  // TGA types other than 2 and 10 are not recognized.
  for (std::uint8_t type : {1, 3, 9, 11}) {
    auto other = testing::WriteTga(SmallTga(2, 24));
    other[2] = type;
    EXPECT_EQ(DecodeImage(other).message, nr) << int(type);
  }
}

TEST(MalformedImages, EveryPrefixFailsOrDecodesWhole) {
  for (const Sample& sample : Samples()) {
    const auto full = DecodeImage(sample.bytes);
    ASSERT_TRUE(full.ok()) << sample.name << ": " << full.message;
    for (std::size_t n = 0; n < sample.bytes.size(); ++n) {
      const std::vector<std::uint8_t> prefix(sample.bytes.begin(), sample.bytes.begin() + n);
      const auto result = DecodeImage(prefix);
      const std::string context = sample.name + " cut to " + std::to_string(n);
      ExpectWholeOrFailed(result, context);
      if (!result.ok()) {
        EXPECT_EQ(result.message, kNotRecognizedMessage) << context;
      } else if (sample.name != "pcx") {
        // Only a missing last-row padding can be cut from a BMP; a TGA holds nothing more
        // than its pixels. Either way the picture is unchanged.
        EXPECT_EQ(result.image->pixels, full.image->pixels) << context;
      }
    }
  }
}

TEST(MalformedImages, DamagedBytesNeverBreakTheDecoder) {
  // Every byte, header and data alike, set in turn to values that make sizes, offsets,
  // run and packet headers extreme.
  for (const Sample& sample : Samples()) {
    for (std::size_t at = 0; at < sample.bytes.size(); ++at) {
      for (std::uint8_t value : {0x00, 0x01, 0x7F, 0x80, 0xC0, 0xFF}) {
        std::vector<std::uint8_t> bytes = sample.bytes;
        bytes[at] = value;
        ExpectWholeOrFailed(DecodeImage(bytes), sample.name + " byte " + std::to_string(at) + " = " +
                                                    std::to_string(value));
      }
    }
  }
}

}  // namespace
}  // namespace tessary
