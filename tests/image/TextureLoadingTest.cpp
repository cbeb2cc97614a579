// Loading image files into texture objects: one texture each, named by the file, or the
// format's message.
#include <gtest/gtest.h>

#include "image/TextureFile.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"
#include "testdata/ImageWriters.h"

namespace tessary {
namespace {

using Strings = std::vector<std::string>;

// One row of pixels as a TGA.
std::vector<std::uint8_t> Tga(std::vector<std::uint32_t> pixels, std::uint8_t depth = 24) {
  testing::TgaImage tga;
  std::tie(tga.width, tga.height, tga.depth, tga.pixels) = std::make_tuple(static_cast<int>(pixels.size()), 1, depth, pixels);
  return testing::WriteTga(tga);
}

class TextureLoadingTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  testing::TempFolder folder;
};

TEST_F(TextureLoadingTest, AFileGetsOneTextureAndItsBareNameWhateverItsExtensionOrTheFormatsMessage) {
  auto image = LoadTextureFile(folder.Write("skins/red.pcx", Tga({0x102030, 0x405060})), textures, desktop);
  ASSERT_NE(image, nullptr) << "the content decides the format";
  EXPECT_EQ(image->fileName, "red.pcx");
  EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 255, 0x40, 0x50, 0x60, 255}));
  EXPECT_EQ(textures.uploads, std::vector<std::uint32_t>{image->textureName});
  image.reset();
  EXPECT_TRUE(textures.live.empty()) << "the image owns its texture object";

  // A failure takes no texture name and says what the format says, or nothing.
  testing::BmpImage mono;
  std::tie(mono.width, mono.height, mono.bitCount, mono.data) = std::make_tuple(8, 1, 1, std::vector<std::uint8_t>{0x55, 0, 0, 0});
  const std::pair<std::string, Strings> cases[] = {
      {folder.Write("text.tga", {'h', 'e', 'l', 'l', 'o'}), {"This file is not recognized\n" + folder / "text.tga"}},
      {folder.Write("depth.tga", Tga({1}, 8)),
       {"This Version 2 File is not a valid BPP! (16, 24 or 32)\n" + folder / "depth.tga"}},
      {folder.Write("mono.bmp", testing::WriteBmp(mono)), {}},
      {folder / "missing.tga", {}},
      {folder.path().string(), {}},
  };
  for (const auto& [path, messages] : cases) {
    desktop.ClearRecords();
    EXPECT_EQ(LoadTextureFile(path, textures, desktop), nullptr) << path;
    EXPECT_EQ(desktop.messages, messages) << path;
  }
  EXPECT_EQ(textures.next, 2u) << "no texture name was taken";
}

}  // namespace
}  // namespace tessary
