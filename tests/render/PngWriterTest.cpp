// PNG output, checked by decoding it again with libpng.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "render/PngWriter.h"
#include "support/GlTestSupport.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 3 x 2 pixels, top row red, green, blue; bottom row white, black, grey; alpha varies and
// must not show in an RGB file.
const std::vector<std::uint8_t> kPicture = {255, 0, 0, 255, 0, 255, 0, 10, 0, 0, 255, 0,
                                            255, 255, 255, 255, 0, 0, 0, 255, 128, 128, 128, 77};

TEST(PngWriter, EncodesRgbRowsTopFirst) {
  std::string error;
  const auto bytes = EncodePngRgb(kPicture, 3, 2, &error);
  ASSERT_TRUE(bytes) << error;
  const auto png = testing::ReadPng(*bytes);
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, 3);
  EXPECT_EQ(png->height, 2);
  EXPECT_TRUE(png->colour);
  EXPECT_FALSE(png->hasAlpha);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(png->rgba[i * 4], kPicture[i * 4]) << i;
    EXPECT_EQ(png->rgba[i * 4 + 1], kPicture[i * 4 + 1]) << i;
    EXPECT_EQ(png->rgba[i * 4 + 2], kPicture[i * 4 + 2]) << i;
    EXPECT_EQ(png->rgba[i * 4 + 3], 255) << i;
  }
}

TEST(PngWriter, RefusesPixelsThatDoNotMatchTheSize) {
  std::string error;
  EXPECT_FALSE(EncodePngRgb(kPicture, 4, 2, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(EncodePngRgb({}, 0, 0, &error));
}

TEST(PngWriter, WritesTheFileOrLeavesNothing) {
  const fs::path folder = fs::temp_directory_path() / ("tessary-png-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const fs::path target = folder / "out.png";
  std::string error;
  ASSERT_TRUE(WritePngFile(target.string(), kPicture, 3, 2, &error)) << error;
  const auto png = testing::ReadPng(ReadBytes(target));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, 3);

  const fs::path missing = folder / "no-such-folder" / "out.png";
  EXPECT_FALSE(WritePngFile(missing.string(), kPicture, 3, 2, &error));
  EXPECT_NE(error.find("out.png"), std::string::npos) << error;
  EXPECT_FALSE(fs::exists(missing));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder)) ++entries;
  EXPECT_EQ(entries, 1u) << "no temporary file is left behind";
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tessary
