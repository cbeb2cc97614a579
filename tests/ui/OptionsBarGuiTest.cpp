// The options bar in a real main window: layout, the route of every button and list to
// its operation, and what the panel refresh shows.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "render/RenderView.h"
#include "support/GuiSupport.h"
#include "ui/GuiTestDesktop.h"
#include "ui/OptionsBar.h"

namespace tessary {
namespace {

using namespace cmd;
using testing::PumpEvents;
using testing::PumpUntil;

class OptionsBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<testing::GuiTestDesktop>();
    desktop = owned.get();
    frame = new MainFrame(scene, trackball, std::move(owned));
    frame->Show();
    bar = frame->optionsBar;
    ASSERT_TRUE(PumpUntil([&] { return frame->renderView->FramesDrawn() > 0; }));
  }
  void TearDown() override {
    if (frame != nullptr) frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
  }
  // Two models with lights and maps, the second current; two global lights.
  void LoadScene() {
    ModelRecord& legs = testing::AddTestModel(scene, "legs");
    ModelRecord& torso = testing::AddTestModel(scene, "torso");
    LightRecord& key = testing::AddTestLight(scene, "Key Light");
    LightRecord& fill = testing::AddTestLight(scene, "Fill Light");
    legs.modelLights.push_back({&key, 1});
    legs.currentModelLight = 0;
    torso.modelLights.push_back({&key, 1});
    torso.modelLights.push_back({&fill, 0});
    torso.currentModelLight = 1;
    testing::PutTestMap(torso, kTextureSlot, "torso.tga");
    testing::PutTestMap(torso, kDiffusionSlot, "torso_d.pcx");
    testing::PutTestMap(torso, kSpecularitySlot, "torso_s.bmp");
    testing::PutTestMap(torso, kGlowSlot, "torso_g.tga");
    torso.mapEnabled[kSpecularitySlot] = 0;
    scene.currentModel = 1;
    scene.currentLight = 0;
    desktop->RefreshPanel();
  }
  wxButton* Button(int command) { return bar->ButtonFor(command); }
  std::string Caption(int command) { return Button(command)->GetLabel().utf8_string(); }
  void Click(int command) {
    wxButton* button = Button(command);
    ASSERT_NE(button, nullptr) << command;
    wxCommandEvent click(wxEVT_BUTTON, button->GetId());
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
  }
  // What a user's pick in a list sends.
  template <typename List>
  void Pick(List* list, wxEventType type, int row) {
    list->SetSelection(row);
    wxCommandEvent pick(type, list->GetId());
    pick.SetEventObject(list);
    pick.SetInt(row);
    list->ProcessWindowEvent(pick);
  }
  std::vector<std::string> RowsOf(const wxItemContainerImmutable* list) {
    std::vector<std::string> rows;
    for (unsigned i = 0; i < list->GetCount(); ++i) rows.push_back(list->GetString(i).utf8_string());
    return rows;
  }

  Scene scene;
  TrackballState trackball;
  testing::GuiTestDesktop* desktop = nullptr;
  MainFrame* frame = nullptr;
  OptionsBar* bar = nullptr;
};

using Rows = std::vector<std::string>;

TEST_F(OptionsBarTest, ControlsSitWhereTheRowHeightPutsThem) {
  const int h = bar->RowHeight();
  // The closed model list must at least hold a line of its font.
  EXPECT_GE(h, bar->modelList->GetCharHeight());
  EXPECT_EQ(bar->modelList->GetRect(), wxRect(0, 1, 138, h));
  EXPECT_EQ(bar->modelLightList->GetRect(), wxRect(0, h + 3, 138, h));
  EXPECT_EQ(bar->textureMapField->GetRect(), wxRect(0, 2 * h + 5, 138, h));
  EXPECT_EQ(bar->diffusionMapField->GetRect(), wxRect(0, 3 * h + 7, 138, h));
  EXPECT_EQ(bar->specularityMapField->GetRect(), wxRect(0, 4 * h + 9, 138, h));
  EXPECT_EQ(bar->glowMapField->GetRect(), wxRect(0, 5 * h + 11, 138, h));
  const int barHeight = bar->GetClientSize().y;
  EXPECT_EQ(bar->globalLightList->GetRect(), wxRect(0, 6 * h + 13, 138, barHeight - 1 - (6 * h + 13)));

  const int rowY[7] = {1, h + 3, 2 * h + 5, 3 * h + 7, 4 * h + 9, 5 * h + 11, 6 * h + 13};
  const int firstCommand[7] = {kOpenModel, kAttachLight, kLoadTextureMap, kLoadDiffusionMap,
                               kLoadSpecularityMap, kLoadGlowMap, kAddLight};
  for (int row = 0; row < 7; ++row) {
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(Button(firstCommand[row] + i)->GetRect(), wxRect(139 + 20 * i, rowY[row], 20, h))
          << "row " << row << " button " << i;
    }
  }
  EXPECT_EQ(Button(kLightProperties)->GetRect(), wxRect(139, 7 * h + 13, 60, h));

  EXPECT_EQ(Caption(kOpenModel), "+");
  EXPECT_EQ(Caption(kClearGlowMap), "X");
  EXPECT_EQ(Caption(kToggleLight), " ");
  EXPECT_EQ(Caption(kLightProperties), "Props");
  // Every map field carries the same id and is read-only.
  for (wxTextCtrl* field : {bar->textureMapField, bar->diffusionMapField, bar->specularityMapField, bar->glowMapField}) {
    EXPECT_EQ(FromWxId(field->GetId()), kMapFieldId);
    EXPECT_FALSE(field->IsEditable());
  }
  EXPECT_EQ(FromWxId(bar->modelList->GetId()), kModelListId);
  EXPECT_EQ(FromWxId(bar->modelLightList->GetId()), kModelLightListId);
  EXPECT_EQ(FromWxId(bar->globalLightList->GetId()), kGlobalLightListId);
  EXPECT_EQ(FromWxId(bar->GetId()), kOptionsBarId);
}

TEST_F(OptionsBarTest, ATallerWindowLengthensOnlyTheGlobalLightList) {
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
  frame->SetClientSize(client.x, 6 * bar->RowHeight());
  PumpUntil([&] { return bar->GetClientSize().y == 6 * bar->RowHeight(); });
  EXPECT_EQ(bar->globalLightList->GetSize().y, 0);
}

TEST_F(OptionsBarTest, EveryButtonReachesItsOperation) {
  LoadScene();
  ModelRecord& torso = *scene.models[1];

  Click(kOpenModel);
  ASSERT_EQ(desktop->fileDialogs.size(), 1u);
  EXPECT_EQ(desktop->fileDialogs[0], "open Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*");

  Click(kToggleModelVisible);
  EXPECT_EQ(torso.visible, 0);
  EXPECT_EQ(Caption(kToggleModelVisible), "");
  Click(kToggleModelVisible);
  EXPECT_EQ(Caption(kToggleModelVisible), "*");

  Click(kToggleModelLight);  // the fill light's reference was off
  EXPECT_EQ(torso.modelLights[1].enabled, 1);
  Click(kDetachLight);
  EXPECT_EQ(torso.modelLights.size(), 1u);
  Click(kAttachLight);  // the current global light, Key
  ASSERT_EQ(torso.modelLights.size(), 2u);
  EXPECT_EQ(torso.modelLights[1].light, scene.lights[0].get());

  // The map rows run texture, diffusion, specularity, glow.
  struct MapRow {
    int load;
    MapSlot slot;
  };
  for (const MapRow row : {MapRow{kLoadTextureMap, kTextureSlot}, MapRow{kLoadDiffusionMap, kDiffusionSlot},
                           MapRow{kLoadSpecularityMap, kSpecularitySlot}, MapRow{kLoadGlowMap, kGlowSlot}}) {
    desktop->fileDialogs.clear();
    Click(row.load);
    EXPECT_EQ(desktop->fileDialogs.size(), 1u) << row.load;
    const std::int32_t flag = torso.mapEnabled[row.slot];
    Click(row.load + 2);
    EXPECT_EQ(torso.mapEnabled[row.slot], flag == 1 ? 0 : 1) << row.load;
    Click(row.load + 1);
    EXPECT_EQ(torso.MapImage(row.slot), nullptr) << row.load;
  }

  Click(kAddLight);
  ASSERT_EQ(scene.lights.size(), 3u);
  EXPECT_EQ(scene.currentLight, 2);
  Click(kToggleLight);
  EXPECT_EQ(scene.lights[2]->enabled, 0);
  Click(kLightProperties);
  EXPECT_EQ(desktop->dialogs, Rows{"lightprops"});
  Click(kRemoveLight);
  EXPECT_EQ(scene.lights.size(), 2u);

  Click(kRemoveModel);
  ASSERT_EQ(scene.models.size(), 1u);
  EXPECT_EQ(scene.models[0]->name, "legs");
}

TEST_F(OptionsBarTest, ARealMouseClickOnASmallButtonWorks) {
  LoadScene();
  wxUIActionSimulator mouse;
  wxButton* button = Button(kToggleModelVisible);
  mouse.MouseMove(button->GetScreenRect().GetPosition() + wxPoint(10, button->GetSize().y / 2));
  PumpEvents(std::chrono::milliseconds(100));
  mouse.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return scene.models[1]->visible == 0; }));
}

TEST_F(OptionsBarTest, ShowsTheSceneAfterEveryRefresh) {
  LoadScene();
  EXPECT_EQ(RowsOf(bar->modelList), (Rows{"legs", "torso"}));
  EXPECT_EQ(bar->modelList->GetSelection(), 1);
  EXPECT_EQ(RowsOf(bar->modelLightList), (Rows{"Key Light", "Fill Light"}));
  EXPECT_EQ(bar->modelLightList->GetSelection(), 1);
  EXPECT_EQ(Caption(kToggleModelLight), "");  // the fill reference is off
  EXPECT_EQ(RowsOf(bar->globalLightList), (Rows{"Key Light", "Fill Light"}));
  EXPECT_EQ(bar->globalLightList->GetSelection(), 0);
  EXPECT_EQ(Caption(kToggleLight), "*");
  EXPECT_EQ(bar->textureMapField->GetValue(), "torso.tga");
  EXPECT_EQ(bar->diffusionMapField->GetValue(), "torso_d.pcx");
  EXPECT_EQ(bar->specularityMapField->GetValue(), "torso_s.bmp");
  EXPECT_EQ(bar->glowMapField->GetValue(), "torso_g.tga");
  EXPECT_EQ(Caption(kToggleTextureMap), "*");
  EXPECT_EQ(Caption(kToggleDiffusionMap), "*");
  EXPECT_EQ(Caption(kToggleSpecularityMap), "");  // loaded but not in use
  EXPECT_EQ(Caption(kToggleGlowMap), "*");
  testing::ScreenshotIfAsked("main-window");
}

TEST_F(OptionsBarTest, PickingInTheListsSelectsModelsAndLights) {
  LoadScene();
  Pick(bar->modelList, wxEVT_CHOICE, 0);
  EXPECT_EQ(scene.currentModel, 0);
  // The rest of the bar now shows legs.
  EXPECT_EQ(RowsOf(bar->modelLightList), (Rows{"Key Light"}));
  EXPECT_EQ(bar->textureMapField->GetValue(), "");

  Pick(bar->globalLightList, wxEVT_LISTBOX, 1);
  EXPECT_EQ(scene.currentLight, 1);
  EXPECT_EQ(bar->globalLightList->GetSelection(), 1);

  Pick(bar->modelList, wxEVT_CHOICE, 1);
  Pick(bar->modelLightList, wxEVT_CHOICE, 0);
  EXPECT_EQ(scene.models[1]->currentModelLight, 0);
  EXPECT_EQ(Caption(kToggleModelLight), "*");
}

TEST_F(OptionsBarTest, ContentsSetByTheRefreshAreNotUserPicks) {
  LoadScene();
  int picks = 0;
  auto count = [&](wxCommandEvent& event) {
    ++picks;
    event.Skip();
  };
  bar->modelList->Bind(wxEVT_CHOICE, count);
  bar->modelLightList->Bind(wxEVT_CHOICE, count);
  bar->globalLightList->Bind(wxEVT_LISTBOX, count);

  PanelContents contents = BuildPanelContents(scene);
  contents.modelSelection = 0;
  contents.modelNames.push_back("extra");
  contents.globalLightSelection = 1;
  contents.modelLightSelection = 0;
  bar->ShowContents(contents);
  PumpEvents(std::chrono::milliseconds(100));
  contents.modelSelection = -1;
  contents.globalLightNames = {"only"};
  contents.globalLightSelection = 0;
  bar->ShowContents(contents);
  PumpEvents(std::chrono::milliseconds(100));

  EXPECT_EQ(picks, 0);
  EXPECT_EQ(scene.currentModel, 1);
  EXPECT_EQ(scene.currentLight, 0);
  EXPECT_EQ(bar->modelList->GetSelection(), wxNOT_FOUND);
  EXPECT_EQ(RowsOf(bar->globalLightList), (Rows{"only"}));
}

TEST_F(OptionsBarTest, RemovingTheLastModelEmptiesItsRows) {
  LoadScene();
  Pick(bar->modelList, wxEVT_CHOICE, 0);
  Click(kRemoveModel);
  Click(kRemoveModel);
  ASSERT_TRUE(scene.models.empty());
  EXPECT_EQ(bar->modelList->GetCount(), 0u);
  EXPECT_EQ(bar->modelLightList->GetCount(), 0u);
  for (wxTextCtrl* field : {bar->textureMapField, bar->diffusionMapField, bar->specularityMapField, bar->glowMapField})
    EXPECT_EQ(field->GetValue(), "");
  for (int command : {kToggleModelVisible, kToggleModelLight, kToggleTextureMap, kToggleDiffusionMap,
                      kToggleSpecularityMap, kToggleGlowMap})
    EXPECT_EQ(Caption(command), "") << command;
  // The global lights are not the models' and stay.
  EXPECT_EQ(RowsOf(bar->globalLightList), (Rows{"Key Light", "Fill Light"}));
  EXPECT_EQ(Caption(kToggleLight), "*");
}

}  // namespace
}  // namespace tessary
