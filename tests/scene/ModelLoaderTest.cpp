// Opening MD3 files into the scene through the desktop and texture seams: what is added,
// which model becomes current, the messages, the redraw and refresh, and a scene left
// untouched by files that cannot be used.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
#include "support/FakeTextureDevice.h"
#include "support/ImageWriters.h"
#include "support/ScriptedDesktop.h"

namespace fs = std::filesystem;

namespace tessary {
namespace {

using testing::FileWith;
using testing::QuadSurface;
using testing::SmallFile;

class ModelLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tessary-loader-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    scene.baseFolder = dir.string();
  }
  void TearDown() override {
    scene.Clear();  // texture objects go back to the device while it exists
    fs::remove_all(dir);
  }
  std::string Put(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const fs::path path = dir / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& m : scene.models) names.push_back(m->name);
    return names;
  }
  // A model already in the scene, so tests can see that it is left alone.
  void AddExisting() {
    scene.models.push_back(std::make_unique<ModelRecord>());
    scene.models.back()->name = "existing";
    scene.currentModel = 0;
  }

  fs::path dir;
  testing::FakeTextureDevice textures;
  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  Workspace ws{scene, trackball, desktop, textures};
};

TEST_F(ModelLoaderTest, EverySurfaceIsAppendedAndTheLastBecomesCurrentThenTheSceneIsRedrawnAndRefreshed) {
  AddExisting();
  md3::File file = SmallFile();
  file.surfaces.push_back(QuadSurface("h_head", 2));
  const std::string path = Put("three.md3", md3::Write(file));

  LoadModelFile(ws, path);
  EXPECT_EQ(Names(), (std::vector<std::string>{"existing", "u_torso", "u_arm", "h_head"}));
  EXPECT_EQ(scene.currentModel, 3);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"redraw", "refresh"}));

  // A second load adds a second, independent set.
  LoadModelFile(ws, path);
  ASSERT_EQ(scene.ModelCount(), 7);
  EXPECT_EQ(scene.currentModel, 6);
  EXPECT_NE(scene.models[1].get(), scene.models[4].get());
  EXPECT_EQ(scene.models[4]->name, "u_torso");
}

TEST_F(ModelLoaderTest, EachSurfaceGetsTheTextureItsFirstShaderNamesUnderTheBaseFolder) {
  testing::TgaImage tga;
  tga.width = 2;
  tga.height = 1;
  tga.pixels = {0xff0000, 0x00ff00};
  Put("models/corvane/upper.tga", testing::WriteTga(tga));
  md3::File file = SmallFile();
  file.surfaces[0].shaders = {"models\\corvane\\upper.tga"};
  file.surfaces[1].shaders = {"models/corvane/missing.tga"};
  file.surfaces.push_back(QuadSurface("plain", 2));

  LoadModelFile(ws, Put("m.md3", md3::Write(file)));
  ASSERT_EQ(scene.ModelCount(), 3);
  const ImageRGBA* texture = scene.models[0]->textureMap.get();
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(texture->fileName, "upper.tga");
  EXPECT_EQ(texture->width, 2);
  EXPECT_EQ(texture->pixels[0], 0xff);
  EXPECT_EQ(textures.uploads, std::vector<std::uint32_t>{texture->textureName});
  // A missing file is silent and leaves the slot empty, like a surface without shaders.
  EXPECT_EQ(scene.models[1]->textureMap, nullptr);
  EXPECT_EQ(scene.models[2]->textureMap, nullptr);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ModelLoaderTest, AnImageThatIsNotRecognisedIsReportedAndTheModelStillLoads) {
  Put("skins/junk.pcx", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e'});
  md3::File file = SmallFile();
  file.surfaces[0].shaders = {"skins/junk.pcx"};
  LoadModelFile(ws, Put("m.md3", md3::Write(file)));
  EXPECT_EQ(scene.ModelCount(), 2);
  EXPECT_EQ(scene.models[0]->textureMap, nullptr);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"This file is not recognized"});
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"redraw", "refresh"}));
}

TEST_F(ModelLoaderTest, ADamagedSecondSurfaceKeepsTheFirstWhichBecomesCurrent) {
  AddExisting();
  md3::File file = SmallFile();
  file.surfaces.push_back(QuadSurface("third", 2));
  file.surfaces[1].ident = "\x01\x02\x03\x04";
  LoadModelFile(ws, Put("damaged.md3", md3::Write(file)));
  EXPECT_EQ(Names(), (std::vector<std::string>{"existing", "u_torso"}));
  EXPECT_EQ(scene.currentModel, 1);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"redraw", "refresh"}));
}

TEST_F(ModelLoaderTest, AFileWithoutSurfacesAddsTheDummy) {
  LoadModelFile(ws, Put("tags.md3", md3::Write(FileWith({}, 2, {"tag_torso"}))));
  EXPECT_EQ(Names(), std::vector<std::string>{"Dummy"});
  EXPECT_EQ(scene.currentModel, 0);
  EXPECT_EQ(scene.models[0]->frames.size(), 2u);
}

TEST_F(ModelLoaderTest, AFileThatCannotBeReadIsReportedAndChangesNothing) {
  AddExisting();
  fs::create_directories(dir / "folder.md3");
  for (const std::string& path : {(dir / "missing.md3").string(), (dir / "folder.md3").string()}) {
    desktop.ClearRecords();
    LoadModelFile(ws, path);
    EXPECT_EQ(desktop.messages, std::vector<std::string>{"There was an error loading the specified file!"}) << path;
    EXPECT_TRUE(desktop.log.empty()) << path;
    EXPECT_EQ(Names(), std::vector<std::string>{"existing"});
    EXPECT_EQ(scene.currentModel, 0);
  }
}

TEST_F(ModelLoaderTest, AFileThatIsNotAnMd3IsReportedAndChangesNothing) {
  AddExisting();
  md3::File wrongVersion = SmallFile();
  wrongVersion.version = 1001;
  std::vector<std::uint8_t> truncated = md3::Write(SmallFile());
  truncated.resize(truncated.size() - 1);
  md3::File badIndex = SmallFile();
  badIndex.surfaces[1].triangles[0][0] = 99;  // the first surface is fine, yet nothing is added
  const std::vector<std::vector<std::uint8_t>> files{
      {}, {'I', 'D', 'P'}, md3::Write(wrongVersion), truncated, md3::Write(badIndex)};
  for (std::size_t i = 0; i < files.size(); ++i) {
    desktop.ClearRecords();
    LoadModelFile(ws, Put("bad" + std::to_string(i) + ".md3", files[i]));
    EXPECT_EQ(desktop.messages, std::vector<std::string>{"This is not a MD3!"}) << i;
    EXPECT_TRUE(desktop.log.empty()) << i;
    EXPECT_EQ(Names(), std::vector<std::string>{"existing"}) << i;
    EXPECT_EQ(scene.currentModel, 0) << i;
  }
  EXPECT_TRUE(textures.live.empty());
}

}  // namespace
}  // namespace tessary
