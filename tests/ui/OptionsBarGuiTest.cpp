// The options bar in a real main window: where its controls sit, the route of every button
// and list to its operation, and what it shows after each change.
#include <gtest/gtest.h>

#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using namespace cmd;
using testing::PumpEvents;
using testing::PumpUntil;

class OptionsBarTest : public testing::GuiTest {
 protected:
  // Two models, the second current with its four maps (specularity switched off) and two
  // light references (the second, switched off, selected); two global lights, the second off.
  void LoadScene() {
    ModelRecord& legs = AddModel("legs");
    ModelRecord& torso = AddModel("torso");
    LightRecord& key = AddLight("Key");
    LightRecord& fill = AddLight("Fill");
    fill.enabled = 0;
    legs.modelLights = {{&fill, 1}};
    legs.currentModelLight = 0;
    torso.modelLights = {{&key, 1}, {&fill, 0}};
    torso.currentModelLight = 1;
    PutMap(torso, kTextureSlot, "torso.tga");
    PutMap(torso, kDiffusionSlot, "torso_d.pcx");
    PutMap(torso, kSpecularitySlot, "torso_s.bmp");
    PutMap(torso, kGlowSlot, "torso_g.tga");
    torso.mapEnabled[kSpecularitySlot] = 0;
    scene.currentModel = 1;
    scene.currentLight = 0;
    desktop->RefreshPanel();
  }
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

TEST_F(OptionsBarTest, RowsFollowTheModelListsHeightAndATallerWindowLengthensOnlyTheLightList) {
  const int h = bar->RowHeight();
  EXPECT_GE(h, bar->modelList->GetCharHeight());
  wxWindow* const rows[7] = {bar->modelList, bar->modelLightList, bar->textureMapField, bar->diffusionMapField,
                             bar->specularityMapField, bar->glowMapField, bar->globalLightList};
  const int firstCommand[7] = {kOpenModel, kAttachLight, kLoadTextureMap, kLoadDiffusionMap,
                               kLoadSpecularityMap, kLoadGlowMap, kAddLight};
  for (int row = 0; row < 7; ++row) {
    const int y = row < 6 ? 1 + row * (h + 2) : 6 * h + 13;  // the light row is two pixels lower
    const int height = row < 6 ? h : bar->GetClientSize().y - 1 - y;
    EXPECT_EQ(rows[row]->GetRect(), wxRect(0, y, 138, height)) << "row " << row;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(bar->ButtonFor(firstCommand[row] + i)->GetRect(), wxRect(139 + 20 * i, y, 20, h)) << "row " << row;
  }
  EXPECT_EQ(bar->ButtonFor(kLightProperties)->GetRect(), wxRect(139, 7 * h + 13, 60, h));
  EXPECT_EQ(Caption(kOpenModel) + Caption(kClearGlowMap) + Caption(kLightProperties), "+XProps");
  for (wxTextCtrl* field : {bar->textureMapField, bar->diffusionMapField, bar->specularityMapField, bar->glowMapField})
    EXPECT_FALSE(field->IsEditable());

  std::vector<wxRect> before;
  for (wxWindow* child : bar->GetChildren()) before.push_back(child->GetRect());
  const wxSize client = frame->GetClientSize();
  frame->SetClientSize(client.x, client.y + 150);
  PumpUntil([&] { return bar->GetClientSize().y == client.y + 150; });
  std::size_t i = 0;
  for (wxWindow* child : bar->GetChildren()) {
    wxRect expected = before[i++];
    if (child == bar->globalLightList) expected.height += 150;
    EXPECT_EQ(child->GetRect(), expected) << child->GetName();
  }
  // Too short for the list: it is left with no height rather than a negative one.
  frame->SetClientSize(client.x, 6 * h);
  PumpUntil([&] { return bar->GetClientSize().y == 6 * h; });
  EXPECT_EQ(bar->globalLightList->GetSize().y, 0);
}

TEST_F(OptionsBarTest, EveryButtonReachesItsOperation) {
  LoadScene();
  ModelRecord& torso = *scene.models[1];
  Click(kOpenModel);
  Click(kToggleModelVisible);
  EXPECT_EQ(torso.visible, 0);
  Click(kToggleModelLight);  // the selected reference, to Fill, was off
  Click(kDetachLight);       // and goes
  Click(kAttachLight);       // the current global light, Key, a second time
  EXPECT_EQ(BarText(), "legs,torso,@1 | Key,Fill,@0* | Key,Key,@1* | maps,torso.tga*,torso_d.pcx*,torso_s.bmp,torso_g.tga*");
  // The map rows run texture, diffusion, specularity, glow: load, clear, switch.
  const std::pair<int, MapSlot> mapRows[] = {
      {kLoadTextureMap, kTextureSlot}, {kLoadDiffusionMap, kDiffusionSlot},
      {kLoadSpecularityMap, kSpecularitySlot}, {kLoadGlowMap, kGlowSlot}};
  for (auto [load, slot] : mapRows) {
    Click(load);
    const std::int32_t flag = torso.mapEnabled[slot];
    Click(load + 2);
    EXPECT_EQ(torso.mapEnabled[slot], flag == 1 ? 0 : 1) << load;
    Click(load + 1);
    EXPECT_EQ(torso.MapImage(slot), nullptr) << load;
  }
  Click(kAddLight);
  Click(kToggleLight);
  Click(kLightProperties);
  EXPECT_EQ(BarText(), "legs,torso,@1 | Key,Fill,New Light,@2 | Key,Key,@1* | maps,,,,");
  Click(kRemoveLight);
  Click(kRemoveModel);
  EXPECT_EQ(BarText(), "legs,@0* | Key,Fill,@0* | Fill,@0* | maps,,,,");
  Click(kRemoveLight);
  Click(kRemoveLight);
  EXPECT_EQ(BarText(), "legs,@0* | @-1 | @-1 | maps,,,,");
  const std::string images =
      "open Supported Formats (*.pcx;*.bmp;*.tga;*.jpg;*.jpeg;*.png)|*.pcx;*.bmp;*.tga;*.jpg;*.jpeg;*.png|"
      "DeluxePaint PCX (*.pcx)|*.pcx|Microsoft Bitmap (*.bmp)|*.bmp|Targa Truevision (*.tga)|*.tga|"
      "JPEG (*.jpg;*.jpeg)|*.jpg;*.jpeg|Portable Network Graphics (*.png)|*.png|All Files (*.*)|*.*";
  EXPECT_EQ(desktop->dialogs, (std::vector<std::string>{"open Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*", images,
                                                        images, images, images, "props"}));
}

TEST_F(OptionsBarTest, ShowsTheSceneAfterEveryChangeAndPicksInTheListsSelect) {
  LoadScene();
  EXPECT_EQ(BarText(), "legs,torso,@1* | Key,Fill,@0* | Key,Fill,@1 | maps,torso.tga*,torso_d.pcx*,torso_s.bmp,torso_g.tga*");
  ScreenshotIfAsked("main-window");
  // A reference's switch shows the reference, whatever its light says.
  Pick(bar->modelList, 0);
  EXPECT_EQ(scene.currentModel, 0);
  EXPECT_EQ(BarText(), "legs,torso,@0* | Key,Fill,@0* | Fill,@0* | maps,,,,");
  Pick(bar->globalLightList, 1);
  EXPECT_EQ(scene.currentLight, 1);
  Pick(bar->modelList, 1);
  Pick(bar->modelLightList, 0);
  EXPECT_EQ(scene.models[1]->currentModelLight, 0);
  EXPECT_EQ(BarText(), "legs,torso,@1* | Key,Fill,@1 | Key,Fill,@0* | maps,torso.tga*,torso_d.pcx*,torso_s.bmp,torso_g.tga*");
  // The last model gone, every model row is empty; the global lights are not the models'.
  Click(kRemoveModel);
  Click(kRemoveModel);
  EXPECT_EQ(BarText(), "@-1 | Key,Fill,@1 | @-1 | maps,,,,");

  // A real click on one of the small buttons.
  AddModel("head");
  scene.currentModel = 0;
  wxButton* button = bar->ButtonFor(kToggleModelVisible);
  wxUIActionSimulator mouse;
  mouse.MouseMove(button->GetScreenRect().GetPosition() + wxPoint(10, button->GetSize().y / 2));
  PumpEvents(std::chrono::milliseconds(100));
  mouse.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return scene.models[0]->visible == 0; }));
}

}  // namespace
}  // namespace tessary
