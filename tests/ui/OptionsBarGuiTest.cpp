// The options bar in a real main window: the route of every button and list to its
// operation, with the bar showing the result. What the bar should show for a scene is
// PanelContentsTest's.
#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using namespace cmd;
using testing::PumpUntil;

class OptionsBarTest : public testing::GuiTest {
 protected:
  void Click(int command) { GuiTest::Click(bar->ButtonFor(command)); }
  // The bar as text: each list's rows, "@" and its selection, then its switch caption; then
  // the map rows from top to bottom, each field's text followed by its switch caption.
  std::string BarText() {
    auto list = [&](auto* l, int toggle) { return Rows(l) + "@" + std::to_string(l->GetSelection()) + Caption(toggle); };
    std::string text = list(bar->modelList, kToggleModelVisible) + " | " + list(bar->globalLightList, kToggleLight) +
                       " | " + list(bar->modelLightList, kToggleModelLight) + " | maps";
    const std::pair<wxTextCtrl*, int> maps[] = {{bar->textureMapField, kToggleTextureMap},
                                                {bar->diffusionMapField, kToggleDiffusionMap},
                                                {bar->specularityMapField, kToggleSpecularityMap},
                                                {bar->glowMapField, kToggleGlowMap}};
    for (auto [field, toggle] : maps) text += "," + field->GetValue().utf8_string() + Caption(toggle);
    return text;
  }
};

TEST_F(OptionsBarTest, EveryButtonAndListReachesItsOperationAndTheBarShowsTheResult) {
  // Two models, the torso current with its four maps (specularity off) and two light
  // references (the second, to Fill and switched off, selected); Fill itself is off too.
  ModelRecord& legs = AddModel("legs");
  ModelRecord& torso = AddModel("torso");
  LightRecord& key = AddLight("Key");
  LightRecord& fill = AddLight("Fill");
  fill.enabled = 0;
  std::tie(legs.modelLights, legs.currentModelLight) = std::make_pair(std::vector<ModelLightRef>{{&fill, 1}}, 0);
  std::tie(torso.modelLights, torso.currentModelLight) = std::make_pair(std::vector<ModelLightRef>{{&key, 1}, {&fill, 0}}, 1);
  const std::pair<MapSlot, const char*> maps[] = {
      {kTextureSlot, "t.tga"}, {kDiffusionSlot, "d.pcx"}, {kSpecularitySlot, "s.bmp"}, {kGlowSlot, "g.tga"}};
  for (auto [slot, file] : maps) PutMap(torso, slot, file);
  torso.mapEnabled[kSpecularitySlot] = 0;
  std::tie(scene.currentModel, scene.currentLight) = std::make_pair(1, 0);
  desktop->RefreshPanel();
  EXPECT_EQ(BarText(), "legs,torso,@1* | Key,Fill,@0* | Key,Fill,@1 | maps,t.tga*,d.pcx*,s.bmp,g.tga*");
  ScreenshotIfAsked("main-window");

  // Open (cancelled), hide, switch the selected reference on, detach it, attach Key again.
  for (int command : {kOpenModel, kToggleModelVisible, kToggleModelLight, kDetachLight, kAttachLight}) Click(command);
  EXPECT_EQ(BarText(), "legs,torso,@1 | Key,Fill,@0* | Key,Key,@1* | maps,t.tga*,d.pcx*,s.bmp,g.tga*");
  EXPECT_EQ(Caption(kOpenModel) + Caption(kClearGlowMap) + Caption(kLightProperties), "+XProps");
  // The map rows run texture, diffusion, specularity, glow: load (cancelled), clear, switch.
  for (int row = 0; row < 4; ++row) {
    const auto [slot, file] = maps[row];
    const int load = kLoadTextureMap + 3 * row;
    const std::int32_t flag = torso.mapEnabled[slot];
    Click(load);
    Click(load + 2);
    EXPECT_EQ(torso.mapEnabled[slot], flag == 1 ? 0 : 1) << file;
    Click(load + 1);
    EXPECT_EQ(torso.MapImage(slot), nullptr) << file;
  }
  for (int command : {kAddLight, kToggleLight, kLightProperties}) Click(command);
  EXPECT_EQ(BarText(), "legs,torso,@1 | Key,Fill,New Light,@2 | Key,Key,@1* | maps,,,,");
  Pick(bar->modelList, 0);
  Pick(bar->globalLightList, 1);
  EXPECT_EQ(BarText(), "legs,torso,@0* | Key,Fill,New Light,@1 | Fill,@0* | maps,,,,");
  Pick(bar->modelList, 1);
  Pick(bar->modelLightList, 0);
  EXPECT_EQ(torso.currentModelLight, 0);
  Click(kRemoveLight);  // Fill, and the legs' reference to it
  Click(kRemoveModel);  // the torso
  EXPECT_EQ(BarText(), "legs,@0* | Key,New Light,@1 | @-1 | maps,,,,");
  const std::string images = "open Supported Formats (*.pcx;*.bmp;*.tga)|*.pcx;*.bmp;*.tga|DeluxePaint PCX (*.pcx)|*.pcx|"
                             "Microsoft Bitmap (*.bmp)|*.bmp|Targa Truevision (*.tga)|*.tga|All Files (*.*)|*.*";
  EXPECT_EQ(desktop->dialogs, (std::vector<std::string>{"open Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*", images,
                                                        images, images, images, "props"}));

  // A real click on one of the small buttons.
  wxButton* button = bar->ButtonFor(kToggleModelVisible);
  wxUIActionSimulator mouse;
  mouse.MouseMove(button->GetScreenRect().GetPosition() + wxPoint(10, button->GetSize().y / 2));
  testing::PumpEvents(std::chrono::milliseconds(100));
  mouse.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return legs.visible == 0; }));
}

}  // namespace
}  // namespace tessary
