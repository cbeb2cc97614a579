// Loading image files into texture objects, finding them from shader names under the base
// folder, and choosing that folder.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "image/TextureFile.h"
#include "scene/TextureResolution.h"
#include "testdata/ImageWriters.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

// One row of pixels as a TGA or a BMP.
std::vector<std::uint8_t> Tga(std::vector<std::uint32_t> pixels, std::uint8_t depth = 24) {
  testing::TgaImage tga;
  tga.width = static_cast<int>(pixels.size());
  tga.height = 1;
  tga.depth = depth;
  tga.pixels = pixels;
  return testing::WriteTga(tga);
}
std::vector<std::uint8_t> Bmp(int width, int bits, std::vector<std::uint8_t> data) {
  testing::BmpImage bmp;
  bmp.width = width;
  bmp.height = 1;
  bmp.bitCount = bits;
  bmp.data = data;
  return testing::WriteBmp(bmp);
}
// The first pixel's red, green and blue as 0xRRGGBB.
std::uint32_t FirstPixel(const ImageRGBA& image) {
  return image.pixels.at(0) << 16 | image.pixels.at(1) << 8 | image.pixels.at(2);
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
  auto image = LoadTextureFile(folder.Write("skins/red.tga", Tga({0x102030, 0x405060})), textures, desktop);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->fileName, "red.tga");
  EXPECT_EQ(image->pixels, (std::vector<std::uint8_t>{0x10, 0x20, 0x30, 255, 0x40, 0x50, 0x60, 255}));
  EXPECT_EQ(textures.uploads, std::vector<std::uint32_t>{image->textureName});
  image.reset();
  EXPECT_TRUE(textures.live.empty()) << "the image owns its texture object";

  auto asPcx = LoadTextureFile(folder.Write("really-a-bmp.pcx", Bmp(1, 24, {1, 2, 3})), textures, desktop);
  ASSERT_NE(asPcx, nullptr);
  EXPECT_EQ(FirstPixel(*asPcx), 0x010203u);
  auto bare = LoadTextureFile(folder.Write("really-a-tga", Tga({0x445566})), textures, desktop);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->fileName, "really-a-tga");
  EXPECT_TRUE(desktop.messages.empty());

  // A failure takes no texture name and says what the format says, or nothing.
  const std::uint32_t next = textures.next;
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {folder.Write("text.tga", {'h', 'e', 'l', 'l', 'o'}), {"This file is not recognized"}},
      {folder.Write("empty.pcx", {}), {"This file is not recognized"}},
      {folder.Write("depth.tga", Tga({1}, 8)), {"This Version 2 File is not a valid BPP! (16, 24 or 32)"}},
      {folder.Write("mono.bmp", Bmp(8, 1, {0x55, 0, 0, 0})), {}},
      {folder / "missing.tga", {}},
      {folder.path().string(), {}},
  };
  for (const auto& [path, messages] : cases) {
    desktop.ClearRecords();
    EXPECT_EQ(LoadTextureFile(path, textures, desktop), nullptr) << path;
    EXPECT_EQ(desktop.messages, messages) << path;
  }
  EXPECT_EQ(textures.next, next) << "no texture name was taken";
}

TEST_F(TextureLoadingTest, ShaderNamesAreJoinedToTheBaseFolderAndTakenExactlyAsStored) {
  const auto before = std::filesystem::current_path();
  for (const std::string& name : {std::string("models/players/skin.tga"), std::string("models\\players\\skin.tga"),
                                 std::string("models/players/skin.tga\0garbage after the end", 46)}) {
    auto image = ResolveSurfaceTexture(ws, name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(FirstPixel(*image), 0x112233u);
  }
  scene.baseFolder += "/";
  EXPECT_NE(ResolveSurfaceTexture(ws, "models/players/skin.tga"), nullptr) << "a base folder ending in /";
  EXPECT_EQ(std::filesystem::current_path(), before) << "the current directory is left alone";
  auto absolute = ResolveSurfaceTexture(ws, folder.Write("elsewhere/other.tga", Tga({0x445566})));
  ASSERT_NE(absolute, nullptr);
  EXPECT_EQ(FirstPixel(*absolute), 0x445566u);

  // Another extension, letter case, no extension, no shader: nothing, and nothing said.
  for (const std::string& name : {std::string("models/players/skin.jpg"), std::string("Models/Players/Skin.tga"),
                                 std::string("models/players/skin"), std::string(),
                                 std::string("\0models/players/skin.tga", 24)})
    EXPECT_EQ(ResolveSurfaceTexture(ws, name), nullptr) << name;
  EXPECT_TRUE(desktop.messages.empty());

  folder.Write("base/bad.tga", {'n', 'o', 'p', 'e'});
  EXPECT_EQ(ResolveSurfaceTexture(ws, "bad.tga"), nullptr);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"This file is not recognized"});
}

TEST_F(TextureLoadingTest, SetBaseFolderTakesOnlyAUsableFolderAndMakesItAbsolute) {
  scene.baseFolder = ".";
  desktop.folderAnswers = {folder / "base", std::filesystem::relative(folder.path() / "base/models").string()};
  SetBaseFolder(ws);
  EXPECT_EQ(desktop.folderTitles, std::vector<std::string>{"Please locate the 'baseq3' folder under Quake3"});
  EXPECT_EQ(scene.baseFolder, folder / "base");
  SetBaseFolder(ws);
  EXPECT_EQ(scene.baseFolder, folder / "base/models");
  EXPECT_NE(ResolveSurfaceTexture(ws, "players/skin.tga"), nullptr);
  EXPECT_TRUE(desktop.messages.empty());

  const std::string locked = folder / "locked";
  std::filesystem::create_directory(locked);
  ::chmod(locked.c_str(), 0600);
  desktop.folderAnswers = {std::nullopt, folder / "no-such-folder", folder.Write("plain-file", {1}), std::string()};
  if (::geteuid() != 0) desktop.folderAnswers.push_back(locked);  // the superuser may search any folder
  const std::size_t answers = desktop.folderAnswers.size();
  for (std::size_t i = 0; i < answers; ++i) SetBaseFolder(ws);
  ::chmod(locked.c_str(), 0700);
  EXPECT_EQ(desktop.messages, std::vector<std::string>(answers, "That folder is not valid"));
  EXPECT_EQ(scene.baseFolder, folder / "base/models");
}

}  // namespace
}  // namespace tessary
