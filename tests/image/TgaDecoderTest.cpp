// TGA decoding from files whose bytes the tests state.
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
using imagetest::Opaque;
using imagetest::PixelAt;

std::vector<std::uint8_t> Header(int type, int width, int height, int depth, int descriptor, int idLength = 0,
                                 int mapType = 0, int mapLength = 0, int mapBits = 0) {
  std::vector<std::uint8_t> b;
  Append(b, {idLength, mapType, type});
  AppendU16(b, 0);
  AppendU16(b, static_cast<unsigned>(mapLength));
  Append(b, {mapBits});
  AppendU16(b, 0);
  AppendU16(b, 0);
  AppendU16(b, static_cast<unsigned>(width));
  AppendU16(b, static_cast<unsigned>(height));
  Append(b, {depth, descriptor});
  return b;
}

TEST(TgaDecoder, DescriptorBitFiveDecidesTheRowOrder) {
  // 2 x 2, 24 bits, pixels stored blue, green, red.
  const std::initializer_list<int> stored = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  auto bottomFirst = Header(2, 2, 2, 24, 0x00);
  Append(bottomFirst, stored);
  auto result = DecodeTga(bottomFirst);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 1), Opaque(3, 2, 1));
  EXPECT_EQ(PixelAt(*result.image, 1, 1), Opaque(6, 5, 4));
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Opaque(9, 8, 7));
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Opaque(12, 11, 10));

  auto topFirst = Header(2, 2, 2, 24, 0x20);
  Append(topFirst, stored);
  result = DecodeTga(topFirst);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Opaque(3, 2, 1));
  EXPECT_EQ(PixelAt(*result.image, 1, 1), Opaque(12, 11, 10));
}

TEST(TgaDecoder, ThirtyTwoBitAlphaIsDropped) {
  auto bytes = Header(2, 2, 1, 32, 0x28);  // 8 alpha bits, top row first
  Append(bytes, {10, 20, 30, 0, 40, 50, 60, 0});
  auto result = DecodeTga(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Opaque(30, 20, 10));
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Opaque(60, 50, 40));
}

TEST(TgaDecoder, SixteenBitPixelsAreFiveFiveFive) {
  auto bytes = Header(2, 6, 1, 16, 0x20);
  for (unsigned v : {0x7FFFu, 0x8000u, 0x7C00u, 0x03E0u, 0x001Fu, 0x8421u}) AppendU16(bytes, v);
  auto result = DecodeTga(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Opaque(248, 248, 248));
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Opaque(0, 0, 0));
  EXPECT_EQ(PixelAt(*result.image, 2, 0), Opaque(248, 0, 0));
  EXPECT_EQ(PixelAt(*result.image, 3, 0), Opaque(0, 248, 0));
  EXPECT_EQ(PixelAt(*result.image, 4, 0), Opaque(0, 0, 248));
  EXPECT_EQ(PixelAt(*result.image, 5, 0), Opaque(8, 8, 8));
}

TEST(TgaDecoder, RunAndRawPacketsCrossRows) {
  // 3 x 2, top row first: a run of two (0x81), a raw packet of three (0x02) that crosses
  // into the second row, then a run of one (0x80).
  auto bytes = Header(10, 3, 2, 24, 0x20);
  Append(bytes, {0x81, 1, 2, 3});
  Append(bytes, {0x02, 4, 5, 6, 7, 8, 9, 10, 11, 12});
  Append(bytes, {0x80, 13, 14, 15});
  auto result = DecodeTga(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  const ImageRGBA& image = *result.image;
  EXPECT_EQ(PixelAt(image, 0, 0), Opaque(3, 2, 1));
  EXPECT_EQ(PixelAt(image, 1, 0), Opaque(3, 2, 1));
  EXPECT_EQ(PixelAt(image, 2, 0), Opaque(6, 5, 4));
  EXPECT_EQ(PixelAt(image, 0, 1), Opaque(9, 8, 7));
  EXPECT_EQ(PixelAt(image, 1, 1), Opaque(12, 11, 10));
  EXPECT_EQ(PixelAt(image, 2, 1), Opaque(15, 14, 13));
}

TEST(TgaDecoder, PacketsPastTheLastPixelAreCut) {
  auto run = Header(10, 2, 1, 16, 0x20);
  Append(run, {0xFF, 0xFF, 0x7F});  // a run of 128 for two pixels
  auto result = DecodeTga(run);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Opaque(248, 248, 248));

  auto raw = Header(10, 2, 1, 24, 0x20);
  Append(raw, {0x7F, 1, 2, 3, 4, 5, 6});  // a raw packet of 128 holding only the two used
  result = DecodeTga(raw);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 1, 0), Opaque(6, 5, 4));
}

TEST(TgaDecoder, TheImageIdAndColourMapAreSkipped) {
  // 5 ID bytes and a colour map of 3 entries of 24 bits (9 bytes), then one pixel.
  auto bytes = Header(2, 1, 1, 24, 0x20, 5, 1, 3, 24);
  Append(bytes, {0xEE, 0xEE, 0xEE, 0xEE, 0xEE});
  Append(bytes, {0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD});
  Append(bytes, {7, 8, 9});
  auto result = DecodeTga(bytes);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Opaque(9, 8, 7));

  // 15-bit entries take two bytes each.
  auto fifteen = Header(2, 1, 1, 24, 0x20, 0, 1, 2, 15);
  Append(fifteen, {0xDD, 0xDD, 0xDD, 0xDD, 7, 8, 9});
  result = DecodeTga(fifteen);
  ASSERT_TRUE(result.ok()) << result.message;
  EXPECT_EQ(PixelAt(*result.image, 0, 0), Opaque(9, 8, 7));
}

TEST(TgaDecoder, UnsupportedDepthsHaveTheirOwnMessages) {
  // The depth is judged from the header alone, even with no pixel data behind it.
  EXPECT_EQ(DecodeTga(Header(2, 4, 4, 8, 0)).message, kTgaType2DepthMessage);
  EXPECT_EQ(DecodeTga(Header(10, 4, 4, 15, 0)).message, kTgaType10DepthMessage);
  EXPECT_EQ(DecodeImage(Header(10, 4, 4, 0, 0)).message, kTgaType10DepthMessage);
}

TEST(TgaDecoder, RefusesBadSizesAndShortFiles) {
  const std::string nr = kNotRecognizedMessage;
  auto padded = [](std::vector<std::uint8_t> b) {
    b.resize(b.size() + 4096, 0);
    return b;
  };
  EXPECT_EQ(DecodeTga(padded(Header(2, 0, 4, 24, 0))).message, nr);
  EXPECT_EQ(DecodeTga(padded(Header(2, 4, 0, 24, 0))).message, nr);
  EXPECT_EQ(DecodeTga(padded(Header(2, 20000, 1, 24, 0))).message, nr);
  EXPECT_EQ(DecodeTga(Header(10, 65535, 65535, 32, 0)).message, nr);
  // 16384 x 4096 is 64 Mpixel, within limits, but the file cannot hold its packets.
  EXPECT_EQ(DecodeTga(padded(Header(10, 16384, 4096, 24, 0))).message, nr);
  // Pixels, a packet header, a run value and a raw packet cut short.
  auto cut = Header(2, 2, 2, 24, 0);
  Append(cut, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
  EXPECT_EQ(DecodeTga(cut).message, nr);
  auto noPacket = Header(10, 2, 1, 24, 0);
  Append(noPacket, {0x80, 1, 2, 3});
  EXPECT_EQ(DecodeTga(noPacket).message, nr);
  auto shortRun = Header(10, 1, 1, 32, 0);
  Append(shortRun, {0x80, 1, 2, 3});
  EXPECT_EQ(DecodeTga(shortRun).message, nr);
  auto shortRaw = Header(10, 3, 1, 24, 0);
  Append(shortRaw, {0x02, 1, 2, 3, 4, 5, 6, 7, 8});
  EXPECT_EQ(DecodeTga(shortRaw).message, nr);
  // An ID or colour map that runs past the end.
  auto longId = Header(2, 1, 1, 24, 0x20, 200);
  Append(longId, {1, 2, 3});
  EXPECT_EQ(DecodeTga(longId).message, nr);
  auto longMap = Header(2, 1, 1, 24, 0x20, 0, 1, 65535, 32);
  Append(longMap, {1, 2, 3});
  EXPECT_EQ(DecodeTga(longMap).message, nr);
  // Shorter than the header.
  EXPECT_EQ(DecodeTga(std::vector<std::uint8_t>{0, 0, 2, 0, 0}).message, nr);
}

TEST(TgaDecoder, WriterRoundTripEveryDepthAndLayout) {
  for (std::uint8_t type : {2, 10})
    for (std::uint8_t depth : {16, 24, 32})
      for (std::uint8_t descriptor : {0x00, 0x20})
        for (bool rowBounded : {false, true}) {
          testing::TgaImage tga;
          tga.width = 13;
          tga.height = 7;
          tga.imageType = type;
          tga.depth = depth;
          tga.descriptor = descriptor;
          tga.rowBoundedPackets = rowBounded;
          tga.id = {'t', 'e', 's', 't'};
          for (int i = 0; i < tga.width * tga.height; ++i) {
            // Stretches of equal pixels and stretches of distinct ones, so both packet kinds occur.
            const std::uint32_t v = (i / 5) % 3 == 0 ? 0x00123456u : 0x10000u * i + 0x101u * (i % 7);
            tga.pixels.push_back(depth == 16 ? v & 0x7FFF : v);
          }
          auto result = DecodeTga(testing::WriteTga(tga));
          ASSERT_TRUE(result.ok()) << int(type) << " " << int(depth);
          for (int y = 0; y < tga.height; ++y)
            for (int x = 0; x < tga.width; ++x) {
              const std::uint32_t v = tga.pixels[y * tga.width + x];
              const imagetest::Rgba expected =
                  depth == 16 ? Opaque(((v >> 10) & 31) * 8, ((v >> 5) & 31) * 8, (v & 31) * 8)
                              : Opaque((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
              ASSERT_EQ(PixelAt(*result.image, x, y), expected)
                  << "type " << int(type) << " depth " << int(depth) << " at " << x << "," << y;
            }
        }
}

}  // namespace
}  // namespace tessary
