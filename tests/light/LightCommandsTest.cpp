#include <gtest/gtest.h>

#include "light/LightCommands.h"
#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"

namespace tessary {
namespace {

class LightCommandsTest : public ::testing::Test {
 protected:
  ModelRecord& AddModel() {
    scene.models.push_back(std::make_unique<ModelRecord>());
    return *scene.models.back();
  }
  LightRecord* Light(int i) { return scene.lights[static_cast<std::size_t>(i)].get(); }

  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
};

TEST_F(LightCommandsTest, NewLightsHaveTheDefaultsAndTheLatestBecomesCurrent) {
  AddLight(ws);
  AddLight(ws);
  ASSERT_EQ(scene.LightCount(), 2);
  EXPECT_EQ(scene.currentLight, 1);
  for (int i = 0; i < 2; ++i) {
    const LightRecord& l = *Light(i);
    EXPECT_EQ(l.name, "New Light");
    EXPECT_EQ(l.position, (std::array<float, 4>{150, 150, 150, 0}));
    EXPECT_EQ(l.direction, (std::array<float, 4>{-1, -1, -1, 0}));
    EXPECT_EQ(l.ambient, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(l.diffuse, (std::array<float, 4>{1, 1, 1, 1}));
    EXPECT_EQ(l.specular, (std::array<float, 4>{0.25f, 0.25f, 0.25f, 1}));
    EXPECT_EQ(l.constantAttenuation, 1.0f);
    EXPECT_EQ(l.linearAttenuation, 0.0f);
    EXPECT_EQ(l.quadraticAttenuation, 0.0f);
    EXPECT_EQ(l.spotExponent, 0.0f);
    EXPECT_EQ(l.spotCutoff, 180.0f);
    EXPECT_EQ(l.enabled, 1);
  }
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"redraw", "refresh", "redraw", "refresh"}));
}

TEST_F(LightCommandsTest, RemovingALightDropsEveryReferenceToItAndFixesSelections) {
  AddLight(ws);  // 0
  AddLight(ws);  // 1: the one to remove
  AddLight(ws);  // 2
  ModelRecord& a = AddModel();
  ModelRecord& b = AddModel();
  ModelRecord& c = AddModel();
  // a references light 1 twice around light 0; its selection is on the last reference.
  a.modelLights = {{Light(1), 1}, {Light(0), 1}, {Light(1), 0}};
  a.currentModelLight = 2;
  // b references only light 1.
  b.modelLights = {{Light(1), 1}};
  b.currentModelLight = 0;
  // c references light 1 then light 2 and has its first one selected.
  c.modelLights = {{Light(2), 1}, {Light(1), 1}};
  c.currentModelLight = 0;
  LightRecord* survivor0 = Light(0);
  LightRecord* survivor2 = Light(2);

  scene.currentLight = 1;
  RemoveLight(ws);

  ASSERT_EQ(scene.LightCount(), 2);
  EXPECT_EQ(Light(0), survivor0);
  EXPECT_EQ(Light(1), survivor2);
  EXPECT_EQ(scene.currentLight, 1) << "index 1 is still valid";
  ASSERT_EQ(a.modelLights.size(), 1u);
  EXPECT_EQ(a.modelLights[0].light, survivor0);
  EXPECT_EQ(a.currentModelLight, 0) << "its selection ran past the end";
  EXPECT_TRUE(b.modelLights.empty());
  EXPECT_EQ(b.currentModelLight, -1);
  ASSERT_EQ(c.modelLights.size(), 1u);
  EXPECT_EQ(c.modelLights[0].light, survivor2);
  EXPECT_EQ(c.currentModelLight, 0);
}

TEST_F(LightCommandsTest, RemovingTheLastLightSelectsTheFirstAndTheOnlyLightSelectsNone) {
  AddLight(ws);
  AddLight(ws);
  AddLight(ws);
  ASSERT_EQ(scene.currentLight, 2);
  RemoveLight(ws);
  EXPECT_EQ(scene.currentLight, 0);
  RemoveLight(ws);
  EXPECT_EQ(scene.currentLight, 0);
  RemoveLight(ws);
  EXPECT_EQ(scene.currentLight, -1);
  EXPECT_TRUE(scene.lights.empty());
  desktop.ClearRecords();
  RemoveLight(ws);
  EXPECT_TRUE(desktop.log.empty()) << "nothing to remove, nothing redrawn";
}

TEST_F(LightCommandsTest, AttachingTwiceGivesTwoIndependentReferences) {
  AddModel();
  scene.currentModel = 0;
  AddLight(ws);
  AttachLight(ws);
  AttachLight(ws);
  ModelRecord& m = *scene.models[0];
  ASSERT_EQ(m.modelLights.size(), 2u);
  EXPECT_EQ(m.currentModelLight, 1);
  ToggleModelLight(ws);
  EXPECT_EQ(m.modelLights[0].enabled, 1);
  EXPECT_EQ(m.modelLights[1].enabled, 0);
  ToggleModelLight(ws);
  EXPECT_EQ(m.modelLights[1].enabled, 1);
  DetachLight(ws);
  EXPECT_EQ(m.modelLights.size(), 1u);
  EXPECT_EQ(m.currentModelLight, 0);
  EXPECT_EQ(scene.LightCount(), 1) << "the light itself stays";
  DetachLight(ws);
  EXPECT_EQ(m.currentModelLight, -1);
}

TEST_F(LightCommandsTest, CommandsWithoutTheirSelectionDoNothing) {
  AttachLight(ws);       // no model, no light
  DetachLight(ws);
  ToggleModelLight(ws);
  ToggleLight(ws);
  EditCurrentLight(ws);
  AddModel();
  scene.currentModel = 0;
  AttachLight(ws);       // a model but no light
  scene.models[0]->currentModelLight = 3;  // stale selection
  DetachLight(ws);
  ToggleModelLight(ws);
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_TRUE(scene.models[0]->modelLights.empty());
}

TEST_F(LightCommandsTest, ToggleTurnsAnythingButOneIntoOne) {
  AddLight(ws);
  Light(0)->enabled = 7;
  ToggleLight(ws);
  EXPECT_EQ(Light(0)->enabled, 1);
  ToggleLight(ws);
  EXPECT_EQ(Light(0)->enabled, 0);
}

TEST_F(LightCommandsTest, SelectionHandlersTakeValidRowsOnly) {
  AddLight(ws);
  AddLight(ws);
  desktop.ClearRecords();
  SelectGlobalLight(ws, 0);
  EXPECT_EQ(scene.currentLight, 0);
  EXPECT_EQ(desktop.sceneRedraws, 1);
  SelectGlobalLight(ws, 5);
  EXPECT_EQ(scene.currentLight, -1);
  EXPECT_EQ(desktop.sceneRedraws, 1) << "an invalid row redraws nothing";

  SelectModelLight(ws, 0);  // no current model: nothing
  AddModel();
  scene.currentModel = 0;
  scene.models[0]->modelLights = {{Light(0), 1}, {Light(1), 1}};
  SelectModelLight(ws, 1);
  EXPECT_EQ(scene.models[0]->currentModelLight, 1);
  SelectModelLight(ws, -1);
  EXPECT_EQ(scene.models[0]->currentModelLight, -1);
  EXPECT_EQ(desktop.sceneRedraws, 2);
}

TEST_F(LightCommandsTest, ACommandLineLightShinesOnEveryModel) {
  AddLight(ws);  // an existing light is left alone
  ModelRecord& a = AddModel();
  ModelRecord& b = AddModel();
  b.modelLights = {{Light(0), 0}};
  AddLightToEveryModel(scene);
  ASSERT_EQ(scene.LightCount(), 2);
  EXPECT_EQ(scene.currentLight, 1);
  ASSERT_EQ(a.modelLights.size(), 1u);
  EXPECT_EQ(a.modelLights[0].light, Light(1));
  EXPECT_EQ(a.currentModelLight, 0);
  ASSERT_EQ(b.modelLights.size(), 2u);
  EXPECT_EQ(b.modelLights[1].light, Light(1));
  EXPECT_EQ(b.modelLights[1].enabled, 1);
  EXPECT_EQ(b.currentModelLight, 1);
}

TEST_F(LightCommandsTest, PropertiesRedrawBeforeAndRefreshAfterTheDialog) {
  AddLight(ws);
  desktop.ClearRecords();
  desktop.onLightProperties = [](LightRecord& l) { l.name = "Key"; };
  EditCurrentLight(ws);
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"redraw", "lightprops", "redraw", "refresh"}));
  EXPECT_EQ(Light(0)->name, "Key");
}

}  // namespace
}  // namespace tessary
