// What the options bar shows for a scene: the three lists with their selections and switch
// captions, and the map rows of the current model.
#include <gtest/gtest.h>

#include <functional>

#include "scene/PanelContents.h"

namespace tessary {
namespace {

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
