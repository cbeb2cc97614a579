// Loading image files: the texture object, the file name and what the user is told.
#include <gtest/gtest.h>

#include "image/TextureFile.h"
#include "image/ImageTestHelpers.h"
#include "support/TempFolder.h"
#include "support/FakeTextureDevice.h"
#include "support/ImageWriters.h"
#include "support/ScriptedDesktop.h"

namespace tessary {
namespace {

using imagetest::Opaque;
using imagetest::PixelAt;

std::vector<std::uint8_t> TwoPixelTga() {
  testing::TgaImage tga;
  tga.width = 2;
  tga.height = 1;
  tga.pixels = {0x102030, 0x405060};
  return testing::WriteTga(tga);
}

std::vector<std::uint8_t> TwoPixelBmp() {
  testing::BmpImage bmp;
  bmp.width = 2;
  bmp.height = 1;
  bmp.data = {1, 2, 3, 4, 5, 6};
  return testing::WriteBmp(bmp);
}

class TextureFileTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  testing::FakeTextureDevice textures;
  testing::ScriptedDesktop desktop;
};

TEST_F(TextureFileTest, ADecodedFileGetsOneUploadedTextureAndItsBareName) {
  const std::string path = folder.Write("skins/red.tga", TwoPixelTga());
  auto image = LoadTextureFile(path, textures, desktop);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->fileName, "red.tga");
  EXPECT_EQ(image->width, 2);
  EXPECT_EQ(image->height, 1);
  EXPECT_EQ(PixelAt(*image, 1, 0), Opaque(0x40, 0x50, 0x60));
  EXPECT_EQ(image->textureName, 1u);
  EXPECT_EQ(image->device, &textures);
  EXPECT_EQ(textures.uploads, std::vector<std::uint32_t>{1u});
  EXPECT_TRUE(desktop.messages.empty());

  // The image owns its texture object.
  image.reset();
  EXPECT_EQ(textures.deleted, std::vector<std::uint32_t>{1u});
  EXPECT_TRUE(textures.live.empty());
}

TEST_F(TextureFileTest, TheExtensionNeverMatters) {
  auto asPcx = LoadTextureFile(folder.Write("really-a-bmp.pcx", TwoPixelBmp()), textures, desktop);
  ASSERT_NE(asPcx, nullptr);
  EXPECT_EQ(PixelAt(*asPcx, 0, 0), Opaque(1, 2, 3));
  auto noExtension = LoadTextureFile(folder.Write("really-a-tga", TwoPixelTga()), textures, desktop);
  ASSERT_NE(noExtension, nullptr);
  EXPECT_EQ(noExtension->fileName, "really-a-tga");
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(TextureFileTest, FailuresTakeNoTextureNameAndSayWhatTheFormatSays) {
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::vector<std::string> messages;
  };
  auto badDepth = TwoPixelTga();
  badDepth[16] = 8;
  testing::BmpImage mono;
  mono.width = 8;
  mono.height = 1;
  mono.bitCount = 1;
  mono.data = {0x55, 0, 0, 0};
  const std::vector<Case> cases = {
      {"text.tga", {'h', 'e', 'l', 'l', 'o'}, {kNotRecognizedMessage}},
      {"empty.pcx", {}, {kNotRecognizedMessage}},
      {"depth.tga", badDepth, {kTgaType2DepthMessage}},
      {"mono.bmp", testing::WriteBmp(mono), {}},
  };
  for (const Case& c : cases) {
    desktop.ClearRecords();
    EXPECT_EQ(LoadTextureFile(folder.Write(c.name, c.bytes), textures, desktop), nullptr) << c.name;
    EXPECT_EQ(desktop.messages, c.messages) << c.name;
  }
  desktop.ClearRecords();
  EXPECT_EQ(LoadTextureFile(folder / "missing.tga", textures, desktop), nullptr);
  EXPECT_EQ(LoadTextureFile(folder.path().string(), textures, desktop), nullptr) << "a folder";
  EXPECT_TRUE(desktop.messages.empty());

  EXPECT_EQ(textures.next, 1u) << "no texture name was taken";
  EXPECT_TRUE(textures.uploads.empty());
}

}  // namespace
}  // namespace tessary
