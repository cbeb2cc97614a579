// Opening MD3 files into the scene: what is added, the current model, textures, messages, and
// a scene left as it was by files that cannot be used; and image files loaded into texture
// objects: one texture each, named by the file, or the format's message.
#include <gtest/gtest.h>

#include "image/TextureFile.h"
#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
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

class ModelLoaderTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  void SetUp() override {
    scene.baseFolder = folder.path().string();
    scene.models.push_back(std::make_unique<ModelRecord>());
    scene.models.back()->name = "existing";
    scene.currentModel = 0;
    folder.Write("models/corvane/upper.tga", Tga({0xff0000, 0x00ff00}));
  }
  Strings Names() const {
    Strings names;
    for (const auto& m : scene.models) names.push_back(m->name);
    return names;
  }
  testing::TempFolder folder;
};

TEST_F(ModelLoaderTest, EverySurfaceIsAppendedWithItsTextureAndTheLastBecomesCurrent) {
  folder.Write("skins/junk.pcx", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
  md3::File file = testing::SmallFile();
  file.surfaces[0].shaders = {"models\\corvane\\upper.tga"};  // found under the base folder
  file.surfaces[1].shaders = {"skins/junk.pcx"};
  file.surfaces.push_back(testing::QuadSurface("h_head", 2, {"models/corvane/missing.tga"}));
  file.surfaces.push_back(testing::QuadSurface("plain", 2));
  LoadModelFile(ws, folder.Write("m.md3", md3::Write(file)));
  EXPECT_EQ(Names(), (Strings{"existing", "u_torso", "u_arm", "h_head", "plain"}));
  EXPECT_EQ(scene.currentModel, 4);
  // A missing image is not reported; one that is no image is, with its path.
  EXPECT_EQ(desktop.messages, Strings{"This file is not recognized\n" + folder / "skins/junk.pcx"});
  EXPECT_EQ(desktop.log, (Strings{"redraw", "refresh"}));
  const ImageRGBA* texture = scene.models[1]->textureMap.get();
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(std::tie(texture->fileName, texture->width, texture->pixels.at(0)), std::make_tuple("upper.tga", 2, 0xff));
  EXPECT_EQ(textures.uploads, std::vector<std::uint32_t>{texture->textureName});
  for (std::size_t i : {2u, 3u, 4u}) EXPECT_EQ(scene.models[i]->textureMap, nullptr) << i;

  // A damaged ident ends the surface list: the surfaces before it are kept.
  file.surfaces[1].ident = "\x01\x02\x03\x04";
  LoadModelFile(ws, folder.Write("damaged.md3", md3::Write(file)));
  EXPECT_EQ(Names().size(), 6u);
  EXPECT_EQ(scene.currentModel, 5);
}

TEST_F(ModelLoaderTest, AFileThatCannotBeUsedIsReportedAndChangesNothing) {
  std::vector<std::uint8_t> truncated = md3::Write(testing::SmallFile());
  truncated.pop_back();
  md3::File badIndex = testing::SmallFile();
  badIndex.surfaces[0].shaders = {"models/corvane/upper.tga"};  // a good first surface, its texture at hand
  badIndex.surfaces[1].triangles[0][0] = 99;
  const std::pair<std::string, std::string> cases[] = {
      {folder / "missing.md3", "There was an error loading the specified file!"},
      {folder.Write("truncated.md3", truncated), "This is not a MD3!"},
      {folder.Write("index.md3", md3::Write(badIndex)), "This is not a MD3!"},
  };
  for (const auto& [path, message] : cases) {
    desktop.ClearRecords();
    LoadModelFile(ws, path);
    EXPECT_EQ(desktop.messages, Strings{message}) << path;
    EXPECT_TRUE(desktop.log.empty()) << path;
    EXPECT_EQ(std::make_pair(Names(), scene.currentModel), std::make_pair(Strings{"existing"}, 0)) << path;
  }
  EXPECT_TRUE(textures.uploads.empty());
}

TEST_F(ModelLoaderTest, AnImageFileGetsOneTextureAndItsBareNameWhateverItsExtensionOrTheFormatsMessage) {
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
      {folder.Write("depth.tga", Tga({1}, 8)), {"This Version 2 File is not a valid BPP! (16, 24 or 32)\n" + folder / "depth.tga"}},
      {folder.Write("mono.bmp", testing::WriteBmp(mono)), {}},
      {folder / "missing.tga", {}},
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
