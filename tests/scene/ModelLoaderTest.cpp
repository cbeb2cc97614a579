// Opening MD3 files into the scene: what is added, which model becomes current, textures,
// messages, the redraw and refresh, a scene left as it was by files that cannot be used, and
// the demo figure committed under samples/, which loads, links, is framed and animates.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/StartupScene.h"
#include "link/Posing.h"
#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
#include "support/ImageWriters.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using Strings = std::vector<std::string>;

class ModelLoaderTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  void SetUp() override {
    scene.baseFolder = folder.path().string();
    scene.models.push_back(std::make_unique<ModelRecord>());
    scene.models.back()->name = "existing";
    scene.currentModel = 0;
    testing::TgaImage tga;
    std::tie(tga.width, tga.height, tga.pixels) = std::make_tuple(2, 1, std::vector<std::uint32_t>{0xff0000, 0x00ff00});
    folder.Write("models/corvane/upper.tga", testing::WriteTga(tga));
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
  EXPECT_EQ(desktop.messages, Strings{"This file is not recognized"});  // a missing image is not reported
  EXPECT_EQ(desktop.log, (Strings{"redraw", "refresh"}));
  const ImageRGBA* texture = scene.models[1]->textureMap.get();
  ASSERT_NE(texture, nullptr);
  EXPECT_EQ(std::tie(texture->fileName, texture->width, texture->pixels.at(0)), std::make_tuple("upper.tga", 2, 0xff));
  EXPECT_EQ(textures.uploads, std::vector<std::uint32_t>{texture->textureName});
  for (std::size_t i : {2u, 3u, 4u}) EXPECT_EQ(scene.models[i]->textureMap, nullptr) << i;
}

TEST_F(ModelLoaderTest, ADamagedSecondSurfaceKeepsTheFirstWhichBecomesCurrent) {
  md3::File file = testing::SmallFile();
  file.surfaces.push_back(testing::QuadSurface("third", 2));
  file.surfaces[1].ident = "\x01\x02\x03\x04";
  LoadModelFile(ws, folder.Write("damaged.md3", md3::Write(file)));
  EXPECT_EQ(Names(), (Strings{"existing", "u_torso"}));
  EXPECT_EQ(scene.currentModel, 1);
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.log, (Strings{"redraw", "refresh"}));
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
    EXPECT_EQ(Names(), Strings{"existing"}) << path;
    EXPECT_EQ(scene.currentModel, 0) << path;
  }
  EXPECT_TRUE(textures.uploads.empty());
}

TEST(DemoModelsTest, TheSampleFigureLoadsWithItsTexturesAssemblesFramedAndStaysTogetherWhileItMoves) {
  testing::TestWorkspace t;
  t.scene.baseFolder = TESSARY_SAMPLES_DIR;
  std::vector<FileModels> files;
  for (const char* file : {"lower", "upper", "head"}) {
    const std::int32_t first = t.scene.ModelCount();
    LoadModelFile(t.ws, t.scene.baseFolder + "/models/corvane/" + file + ".md3");
    files.push_back({first, t.scene.ModelCount() - first});
  }
  EXPECT_TRUE(t.desktop.messages.empty());
  CommandLine cl;
  cl.link = cl.light = cl.fit = true;
  const double aspect = 312.0 / 358.0;  // the view of the window at its start-up size
  ArrangeStartupScene(cl, files, aspect, t.ws);

  // Records 0-2 are the legs (tag_torso), 3-5 the upper body (tag_torso, tag_head, ...),
  // 6-7 the head (tag_head): each hangs by its tag 0 on record 0's tag 0 or record 3's tag 1.
  auto& models = t.scene.models;
  ASSERT_EQ(models.size(), 8u);
  ASSERT_EQ(models[3]->tagNames.at(1), "tag_head");
  ASSERT_EQ(t.scene.lights.size(), 1u);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_NE(models[i]->textureMap, nullptr) << i;
    using Link = std::tuple<int, int, int>;  // pivot, parent, anchor
    const Link link = i < 3 ? Link(-1, -1, -1) : Link(0, i < 6 ? 0 : 3, i < 6 ? 0 : 1);
    EXPECT_EQ(Link(models[i]->pivotTag, models[i]->parentIndex, models[i]->anchorTag), link) << i;
    ASSERT_EQ(models[i]->modelLights.size(), 1u) << i;
    EXPECT_EQ(models[i]->modelLights[0].light, t.scene.lights[0].get()) << i;
  }

  // Framed: seen from the camera 3 units away with a 30 degree vertical field, every box
  // corner is inside the picture and the figure fills most of its height.
  const double tanHalf = std::tan(15.0 * std::numbers::pi / 180.0);
  double top = -1.0, bottom = 1.0;
  for (const auto& m : models) {
    for (const Vec3f& c : m->curBoxCorners) {
      double eye[3];
      for (int k = 0; k < 3; ++k) eye[k] = t.trackball.scale * (c[k] + t.trackball.centre[k]) + t.trackball.pan[k];
      const double depth = 3.0 - eye[2];
      const double x = eye[0] / depth / (tanHalf * aspect), y = eye[1] / depth / tanHalf;
      EXPECT_LE(std::abs(x), 1.0) << m->name;
      EXPECT_LE(std::abs(y), 1.0) << m->name;
      top = std::max(top, y);
      bottom = std::min(bottom, y);
    }
  }
  EXPECT_GT(top - bottom, 1.2) << "of the picture's height of 2";

  auto anchorOf = [&](std::size_t i) { return models[i < 6 ? 0 : 3]->curTags.at(i < 6 ? 0 : 1).origin; };
  std::vector<std::vector<Vec3d>> first;
  for (const auto& m : models) first.push_back(m->curPositions);
  StepAllModels(t.ws, +2);
  PoseAndPlaceScene(t.scene);
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_NE(models[i]->curPositions, first[i]) << models[i]->name;
    for (int k = 0; k < 3 && i >= 3; ++k) EXPECT_NEAR(models[i]->curTags.at(0).origin[k], anchorOf(i)[k], 1e-4) << i;
  }
}

}  // namespace
}  // namespace tessary
