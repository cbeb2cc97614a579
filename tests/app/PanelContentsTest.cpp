#include <gtest/gtest.h>

#include "scene/PanelContents.h"

namespace tessary {
namespace {

std::unique_ptr<ImageRGBA> Image(const std::string& name) {
  auto image = std::make_unique<ImageRGBA>();
  image->fileName = name;
  return image;
}

TEST(PanelContents, EmptySceneShowsNothing) {
  Scene scene;
  const PanelContents p = BuildPanelContents(scene);
  EXPECT_TRUE(p.modelNames.empty());
  EXPECT_EQ(p.modelSelection, -1);
  EXPECT_EQ(p.modelSwitch, "");
  EXPECT_TRUE(p.globalLightNames.empty());
  EXPECT_EQ(p.globalLightSelection, -1);
  EXPECT_TRUE(p.modelLightNames.empty());
  EXPECT_EQ(p.mapFields, (std::array<std::string, 4>{}));
  EXPECT_EQ(p.mapSwitches, (std::array<std::string, 4>{}));
}

class PanelWithModels : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"legs", "belt", "legs"}) {
      scene.models.push_back(std::make_unique<ModelRecord>());
      scene.models.back()->name = name;
    }
    for (const char* name : {"Key", "Fill"}) {
      scene.lights.push_back(std::make_unique<LightRecord>());
      scene.lights.back()->name = name;
    }
  }
  Scene scene;
};

TEST_F(PanelWithModels, ListsEveryModelAndLightInOrderWithTheSelections) {
  scene.currentModel = 2;
  scene.currentLight = 1;
  const PanelContents p = BuildPanelContents(scene);
  EXPECT_EQ(p.modelNames, (std::vector<std::string>{"legs", "belt", "legs"}));
  EXPECT_EQ(p.modelSelection, 2);
  EXPECT_EQ(p.modelSwitch, "*");
  EXPECT_EQ(p.globalLightNames, (std::vector<std::string>{"Key", "Fill"}));
  EXPECT_EQ(p.globalLightSelection, 1);
  EXPECT_EQ(p.globalLightSwitch, "*");

  scene.models[2]->visible = 0;
  scene.lights[1]->enabled = 0;
  const PanelContents q = BuildPanelContents(scene);
  EXPECT_EQ(q.modelSwitch, "");
  EXPECT_EQ(q.globalLightSwitch, "");
}

TEST_F(PanelWithModels, MapRowsGoTextureDiffusionSpecularityGlowAndNeedAnImageForTheSwitch) {
  scene.currentModel = 0;
  ModelRecord& m = *scene.models[0];
  m.textureMap = Image("skin.tga");
  m.specularityMap = Image("shine.pcx");
  m.diffusionMap = Image("dirt.bmp");
  m.mapEnabled[kSpecularitySlot] = 0;  // image present, switched off
  m.mapEnabled[kGlowSlot] = 1;         // switched on, but no image
  const PanelContents p = BuildPanelContents(scene);
  EXPECT_EQ(p.mapFields, (std::array<std::string, 4>{"skin.tga", "dirt.bmp", "shine.pcx", ""}));
  EXPECT_EQ(p.mapSwitches, (std::array<std::string, 4>{"*", "*", "", ""}));
}

TEST_F(PanelWithModels, ModelLightsFollowTheCurrentModelOnly) {
  scene.currentModel = 1;
  ModelRecord& m = *scene.models[1];
  m.modelLights = {{scene.lights[1].get(), 1}, {scene.lights[0].get(), 0}};
  m.currentModelLight = 1;
  PanelContents p = BuildPanelContents(scene);
  EXPECT_EQ(p.modelLightNames, (std::vector<std::string>{"Fill", "Key"}));
  EXPECT_EQ(p.modelLightSelection, 1);
  EXPECT_EQ(p.modelLightSwitch, "") << "the selected reference is off";

  m.currentModelLight = 9;  // stale
  p = BuildPanelContents(scene);
  EXPECT_EQ(p.modelLightSelection, -1);
  EXPECT_EQ(p.modelLightSwitch, "");

  scene.currentModel = -1;
  p = BuildPanelContents(scene);
  EXPECT_TRUE(p.modelLightNames.empty());
  EXPECT_EQ(p.modelSelection, -1);
}

}  // namespace
}  // namespace tessary
