// Resolving shader names against the base folder, and choosing that folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "image/ImageTestHelpers.h"
#include "support/TempFolder.h"
#include "scene/TextureResolution.h"
#include "support/FakeTextureDevice.h"
#include "support/ImageWriters.h"
#include "support/ScriptedDesktop.h"

namespace tessary {
namespace {

constexpr const char* kTitle = "Please locate the 'baseq3' folder under Quake3";
constexpr const char* kNotValid = "That folder is not valid";

std::vector<std::uint8_t> OnePixelTga(std::uint32_t rgb) {
  testing::TgaImage tga;
  tga.width = 1;
  tga.height = 1;
  tga.pixels = {rgb};
  return testing::WriteTga(tga);
}

class TextureResolutionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("base/models/players/skin.tga", OnePixelTga(0x112233));
    folder.Write("elsewhere/other.tga", OnePixelTga(0x445566));
    scene.baseFolder = folder / "base";
  }

  testing::TempFolder folder;
  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
};

TEST_F(TextureResolutionTest, RelativeNamesAreFoundUnderTheBaseFolder) {
  char before[4096];
  ASSERT_NE(::getcwd(before, sizeof before), nullptr);
  for (std::string name : {std::string("models/players/skin.tga"), std::string("models\\players\\skin.tga"),
                           std::string("models/players/skin.tga\0garbage after the end", 46)}) {
    auto image = ResolveSurfaceTexture(ws, name);
    ASSERT_NE(image, nullptr) << name;
    EXPECT_EQ(image->fileName, "skin.tga");
    EXPECT_EQ(imagetest::PixelAt(*image, 0, 0), imagetest::Opaque(0x11, 0x22, 0x33));
  }
  // The base folder may end with a separator.
  scene.baseFolder += "/";
  EXPECT_NE(ResolveSurfaceTexture(ws, "models/players/skin.tga"), nullptr);
  char after[4096];
  ASSERT_NE(::getcwd(after, sizeof after), nullptr);
  EXPECT_STREQ(before, after) << "the current directory is left alone";
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(TextureResolutionTest, AbsoluteNamesAreUsedAsTheyAre) {
  auto image = ResolveSurfaceTexture(ws, folder / "elsewhere/other.tga");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(imagetest::PixelAt(*image, 0, 0), imagetest::Opaque(0x44, 0x55, 0x66));
}

TEST_F(TextureResolutionTest, NamesAreTakenExactlyAsStored) {
  // Another extension, another letter case, an empty name: nothing, and no message.
  EXPECT_EQ(ResolveSurfaceTexture(ws, "models/players/skin.jpg"), nullptr);
  EXPECT_EQ(ResolveSurfaceTexture(ws, "models/players/skin"), nullptr);
  EXPECT_EQ(ResolveSurfaceTexture(ws, "Models/Players/Skin.tga"), nullptr);
  EXPECT_EQ(ResolveSurfaceTexture(ws, ""), nullptr);
  EXPECT_EQ(ResolveSurfaceTexture(ws, std::string("\0models/players/skin.tga", 24)), nullptr);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(textures.next, 1u);
}

TEST_F(TextureResolutionTest, AnImageThatIsNotRecognizedIsReported) {
  folder.Write("base/bad.tga", {'n', 'o', 'p', 'e'});
  EXPECT_EQ(ResolveSurfaceTexture(ws, "bad.tga"), nullptr);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"This file is not recognized"});
}

TEST_F(TextureResolutionTest, SetBaseFolderTakesAUsableFolderAsAnAbsolutePath) {
  scene.baseFolder = ".";
  desktop.folderAnswers.push_back(folder / "elsewhere");
  SetBaseFolder(ws);
  EXPECT_EQ(desktop.folderTitles, std::vector<std::string>{kTitle});
  EXPECT_EQ(scene.baseFolder, folder / "elsewhere");
  EXPECT_TRUE(desktop.messages.empty());

  // A relative answer is made absolute against the current directory.
  char cwd[4096];
  ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
  const auto relative = std::filesystem::relative(folder.path() / "base", cwd);
  desktop.folderAnswers.push_back(relative.string());
  SetBaseFolder(ws);
  EXPECT_EQ(scene.baseFolder, folder / "base");
  EXPECT_NE(ResolveSurfaceTexture(ws, "models/players/skin.tga"), nullptr);
}

TEST_F(TextureResolutionTest, CancelOrAnUnusableFolderKeepsTheOldOne) {
  const std::string old = scene.baseFolder;
  folder.Write("plain-file", {1});
  desktop.folderAnswers = {std::nullopt, folder / "no-such-folder", folder / "plain-file", std::string()};
  for (int i = 0; i < 4; ++i) SetBaseFolder(ws);
  EXPECT_EQ(desktop.messages, std::vector<std::string>(4, kNotValid));
  EXPECT_EQ(scene.baseFolder, old);

  if (::geteuid() != 0) {  // the superuser may search any folder
    const std::string locked = folder / "locked";
    std::filesystem::create_directory(locked);
    ::chmod(locked.c_str(), 0600);
    desktop.folderAnswers.push_back(locked);
    SetBaseFolder(ws);
    ::chmod(locked.c_str(), 0700);
    EXPECT_EQ(desktop.messages.size(), 5u);
    EXPECT_EQ(scene.baseFolder, old);
  }
}

}  // namespace
}  // namespace tessary
