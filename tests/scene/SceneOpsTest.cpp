// Scene operations: removing a model (the link fix-up, its texture objects, the current
// model afterwards), and what the options bar shows for a scene.
#include <gtest/gtest.h>

#include <functional>

#include "scene/PanelContents.h"
#include "scene/SceneOps.h"
#include "support/FakeTextureDevice.h"

namespace tessary {
namespace {

TEST(RemoveModelAt, ChildrenComeLooseLaterParentsMoveDownTexturesGoAndTheCurrentModelStaysValid) {
  testing::FakeTextureDevice device;  // outlives the scene, whose images it deletes
  Scene scene;
  std::vector<ModelRecord*> m;
  for (int i = 0; i < 5; ++i) m.push_back(scene.models.emplace_back(std::make_unique<ModelRecord>()).get());
  auto left = [&] {
    std::vector<ModelRecord*> models;
    for (const auto& model : scene.models) models.push_back(model.get());
    return models;
  };
  // m3 hangs on m1 and m2 on m0, as m0 does on m3, a parent later in the list.
  std::tie(m[3]->parentIndex, m[3]->anchorTag, m[3]->pivotTag) = std::make_tuple(1, 2, 1);
  std::tie(m[2]->parentIndex, m[2]->anchorTag, m[2]->pivotTag) = std::make_tuple(0, 1, 0);
  std::tie(m[0]->parentIndex, m[0]->anchorTag) = std::make_tuple(3, 4);
  for (MapSlot slot : {kGlowSlot, kDiffusionSlot, kSpecularitySlot, kTextureSlot}) {
    auto& image = (slot == kGlowSlot ? m[0] : m[1])->MapImage(slot) = std::make_unique<ImageRGBA>();
    std::tie(image->device, image->textureName) = std::make_pair(&device, device.CreateTexture());  // 1 for m0, 2-4 for m1
  }
  scene.currentModel = 1;
  RemoveModelAt(scene, 1);
  ASSERT_EQ(left(), (std::vector<ModelRecord*>{m[0], m[2], m[3], m[4]}));
  EXPECT_EQ(std::tie(m[3]->parentIndex, m[3]->anchorTag, m[3]->pivotTag), std::make_tuple(-1, -1, 1));
  EXPECT_EQ(std::tie(m[2]->parentIndex, m[2]->anchorTag, m[2]->pivotTag), std::make_tuple(0, 1, 0));
  EXPECT_EQ(std::tie(m[0]->parentIndex, m[0]->anchorTag), std::make_tuple(2, 4));
  EXPECT_EQ(std::make_tuple(m[0]->children, m[3]->children, m[2]->children.size()),
            std::make_tuple(std::vector<ModelRecord*>{m[2]}, std::vector<ModelRecord*>{m[0]}, 0ul));
  EXPECT_EQ(device.deleted, (std::vector<std::uint32_t>{4, 3, 2}));  // texture, specularity, diffusion
  EXPECT_EQ(device.live, (std::set<std::uint32_t>{1}));

  // The current model stays where it is, falls back to the first past the end, and to none.
  const std::pair<int, int> removals[] = {{5, 1}, {-1, 1}, {3, 1}, {2, 1}, {1, 0}, {0, -1}};  // index, current after
  for (auto [index, current] : removals) {
    RemoveModelAt(scene, index);
    EXPECT_EQ(scene.currentModel, current) << index;
  }
  EXPECT_TRUE(left().empty());
}

// The contents as text: each list's rows, "@" and its selection, then its switch caption;
// then each map row's file name and switch caption, texture to glow.
std::string Text(const PanelContents& p) {
  auto list = [](const std::vector<std::string>& rows, int selection, const std::string& caption) {
    std::string text;
    for (const std::string& row : rows) text += row + ",";
    return text + "@" + std::to_string(selection) + caption;
  };
  std::string text = list(p.modelNames, p.modelSelection, p.modelSwitch) + " | " +
                     list(p.globalLightNames, p.globalLightSelection, p.globalLightSwitch) + " | " +
                     list(p.modelLightNames, p.modelLightSelection, p.modelLightSwitch) + " |";
  for (std::size_t row = 0; row < 4; ++row) text += " " + p.mapFields[row] + p.mapSwitches[row];
  return text;
}

TEST(PanelContents, ListsSelectionsSwitchesAndTheCurrentModelsMaps) {
  // Legs hold a switched-on reference to Fill, which is off; the torso references Key and,
  // switched off, Fill, and has all four maps, specularity switched off.
  Scene scene;
  for (const char* name : {"Key", "Fill"}) scene.lights.emplace_back(std::make_unique<LightRecord>())->name = name;
  scene.lights[1]->enabled = 0;
  for (const char* name : {"legs", "torso"}) scene.models.emplace_back(std::make_unique<ModelRecord>())->name = name;
  ModelRecord &legs = *scene.models[0], &torso = *scene.models[1];
  legs.modelLights = {{scene.lights[1].get(), 1}};
  torso.modelLights = {{scene.lights[0].get(), 1}, {scene.lights[1].get(), 0}};
  const std::pair<MapSlot, const char*> maps[] = {
      {kTextureSlot, "t.tga"}, {kDiffusionSlot, "d.pcx"}, {kSpecularitySlot, "s.bmp"}, {kGlowSlot, "g.tga"}};
  for (auto [slot, file] : maps) (torso.MapImage(slot) = std::make_unique<ImageRGBA>())->fileName = file;
  torso.mapEnabled[kSpecularitySlot] = 0;

  const std::pair<std::function<void()>, std::string> steps[] = {
      {[&] { std::tie(scene.currentModel, scene.currentLight, torso.currentModelLight) = std::make_tuple(1, 0, 1); },
       "legs,torso,@1* | Key,Fill,@0* | Key,Fill,@1 | t.tga* d.pcx* s.bmp g.tga*"},
      {[&] { std::tie(scene.currentModel, scene.currentLight, legs.currentModelLight) = std::make_tuple(0, 1, 0); },
       "legs,torso,@0* | Key,Fill,@1 | Fill,@0* |    "},  // the reference's switch, not its light's
      {[&] { std::tie(legs.visible, legs.modelLights[0].light) = std::make_pair(0, nullptr); },
       "legs,torso,@0 | Key,Fill,@1 | ,@0* |    "},
      {[&] { std::tie(scene.currentModel, torso.currentModelLight) = std::make_pair(1, 2); },
       "legs,torso,@1* | Key,Fill,@1 | Key,Fill,@-1 | t.tga* d.pcx* s.bmp g.tga*"},
      {[&] { std::tie(scene.currentModel, scene.currentLight) = std::make_pair(2, -1); },
       "legs,torso,@-1 | Key,Fill,@-1 | @-1 |    "},
  };
  for (const auto& [step, expected] : steps) {
    step();
    EXPECT_EQ(Text(BuildPanelContents(scene)), expected);
  }
}

}  // namespace
}  // namespace tessary
