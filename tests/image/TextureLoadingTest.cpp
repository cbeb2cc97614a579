// Loading image files into texture objects, and finding them from shader names under the
// base folder.
#include <gtest/gtest.h>

#include "image/TextureFile.h"
#include "scene/TextureResolution.h"
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
// The first pixel's red, green and blue as 0xRRGGBB, or 0 when there is no image.
std::uint32_t FirstPixel(const std::unique_ptr<ImageRGBA>& image) {
  return image == nullptr ? 0 : image->pixels.at(0) << 16 | image->pixels.at(1) << 8 | image->pixels.at(2);
}

class TextureLoadingTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  void SetUp() override {
    folder.Write("base/models/players/skin.tga", Tga({0x112233}));
    scene.baseFolder = folder / "base";
  }
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
      {folder.Write("text.tga", {'h', 'e', 'l', 'l', 'o'}), {"This file is not recognized"}},
      {folder.Write("depth.tga", Tga({1}, 8)), {"This Version 2 File is not a valid BPP! (16, 24 or 32)"}},
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

TEST_F(TextureLoadingTest, ShaderNamesAreJoinedToTheBaseFolderAndTakenExactlyAsStored) {
  const auto before = std::filesystem::current_path();
  const std::string elsewhere = folder.Write("elsewhere/other.tga", Tga({0x445566}));
  const std::pair<std::string, std::uint32_t> names[] = {
      {"models/players/skin.tga", 0x112233}, {"models\\players\\skin.tga", 0x112233},
      {std::string("models/players/skin.tga\0garbage after the end", 46), 0x112233}, {elsewhere, 0x445566},
      // Another extension, letter case, no shader: nothing, and nothing said.
      {"models/players/skin.jpg", 0}, {"Models/Players/Skin.tga", 0}, {"", 0}};
  for (const std::string& base : {scene.baseFolder, scene.baseFolder + "/"}) {
    scene.baseFolder = base;
    for (const auto& [name, pixel] : names) EXPECT_EQ(FirstPixel(ResolveSurfaceTexture(ws, name)), pixel) << name;
  }
  EXPECT_EQ(std::filesystem::current_path(), before) << "the current directory is left alone";
  EXPECT_TRUE(desktop.messages.empty());
  folder.Write("base/bad.tga", {'n', 'o', 'p', 'e'});
  EXPECT_EQ(ResolveSurfaceTexture(ws, "bad.tga"), nullptr);
  EXPECT_EQ(desktop.messages, Strings{"This file is not recognized"});
}

}  // namespace
}  // namespace tessary
