// The main window under a real window system, for what only a window shows: its layout and
// the menu items' states, a drag in the render view and the spin it leaves, the options
// bar's buttons and lists, the modal dialogs a menu command runs, the game path dialog that
// narrows its list as a filter is typed, the "Skin" submenu filled as it opens, and the
// shutdown that frees the scene while the GL context is current.
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/statbmp.h>

#include "content/GameFileDialog.h"
#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"
#include "support/TempFolder.h"
#include "ui/GuiTestDesktop.h"

// Last: X11 headers define macros (None, Status, ...) that clash with ordinary names.
#include <GL/glx.h>

namespace tessary {
namespace {

using namespace std::chrono_literals;
using testing::PumpEvents;
using testing::PumpUntil;

using MainFrameTest = testing::GuiTest;

TEST_F(MainFrameTest, OpensAt512By384WithTheBarAtTheRightAndMenuItemsGreyedAndCheckedAsAMenuOpens) {
  EXPECT_EQ(std::make_pair(frame->GetSize(), frame->GetTitle()), std::make_pair(wxSize(512, 384), wxString("Corvane's Tessary")));
  frame->SetClientSize(350, 300);
  PumpEvents();
  EXPECT_EQ(std::make_pair(bar->GetRect(), frame->renderView->GetRect()),
            std::make_pair(wxRect(150, 0, 200, 300), wxRect(0, 0, 150, 300)));
  const int h = bar->RowHeight();  // rows follow the model list's height; the light list takes the rest
  EXPECT_EQ(bar->glowMapField->GetRect(), wxRect(0, 1 + 5 * (h + 2), 138, h));
  EXPECT_EQ(bar->globalLightList->GetRect(), wxRect(0, 6 * h + 13, 138, 300 - 1 - (6 * h + 13)));
  EXPECT_EQ(bar->ButtonFor(cmd::kLightProperties)->GetRect(), wxRect(139, 7 * h + 13, 60, h));

  OpenMenu("Model");
  EXPECT_FALSE(Item(cmd::kWireframe)->IsEnabled() || Item(cmd::kWireframe)->IsChecked()) << "no model";
  AddModel("legs").wireframe = 1;
  scene.currentModel = 0;
  OpenMenu("Model");
  EXPECT_TRUE(Item(cmd::kWireframe)->IsEnabled() && Item(cmd::kWireframe)->IsChecked());
  EXPECT_TRUE(Item(cmd::kShellEffect)->IsEnabled() && !Item(cmd::kShellEffect)->IsChecked());
  // The filter items' states redraw the view, so idle time must never ask for them.
  const int repaints = desktop->repaints;
  PumpEvents(400ms);
  EXPECT_EQ(desktop->repaints, repaints);
  OpenMenu("Rendering");
  EXPECT_GT(desktop->repaints, repaints);
  EXPECT_TRUE(Item(cmd::kFilterTriMip)->IsChecked() && Item(cmd::kMultiPassFast)->IsChecked());
}

TEST_F(MainFrameTest, ADragInTheViewReleasedKeepsTurningItOnIdle) {
  // Sideways: about the vertical axis (the press may sit half a pixel off the middle of an
  // odd height: allow a slight tilt).
  const wxSize client = frame->renderView->GetClientSize();
  Mouse(wxEVT_LEFT_DOWN, client.x / 2, client.y / 2, true);
  Mouse(wxEVT_MOTION, client.x / 2 + 10, client.y / 2, true);
  Mouse(wxEVT_LEFT_UP, client.x / 2 + 10, client.y / 2, false);
  ASSERT_EQ(std::make_pair(trackball.spinActive, frame->renderView->HasCapture()), std::make_pair(1, false));
  const long framesBefore = frame->renderView->FramesDrawn();
  PumpEvents(300ms);
  EXPECT_GT(frame->renderView->FramesDrawn(), framesBefore + 3) << "each idle pass draws a frame";
  const Quaternion& r = trackball.rotation;
  EXPECT_GT(std::fabs(r[1]), 20.0f * (std::fabs(r[0]) + std::fabs(r[2])));
}

TEST_F(MainFrameTest, TheBarsButtonsAndListsReachTheirOperationsAndTheBarShowsTheResult) {
  ModelRecord& legs = AddModel("legs");
  ModelRecord& torso = AddModel("torso");
  PutMap(torso, kSpecularitySlot, "s.bmp");
  AddLight("Key");
  std::tie(scene.currentModel, scene.currentLight) = std::make_pair(1, 0);
  desktop->RefreshPanel();
  auto shown = [&] {
    return Rows(bar->modelList) + std::to_string(bar->modelList->GetSelection()) + Caption(cmd::kToggleModelVisible) +
           " " + Rows(bar->globalLightList) + " " + Rows(bar->modelLightList) + Caption(cmd::kToggleModelLight) + " " +
           bar->specularityMapField->GetValue().utf8_string() + Caption(cmd::kToggleSpecularityMap);
  };
  EXPECT_EQ(shown(), "legs,torso,1* Key,  s.bmp*");
  for (int command : {cmd::kToggleModelVisible, cmd::kAddLight, cmd::kAttachLight, cmd::kToggleSpecularityMap, cmd::kOpenModel})
    Click(bar->ButtonFor(command));
  EXPECT_EQ(shown(), "legs,torso,1 Key,New Light, New Light,* s.bmp");
  Click(bar->ButtonFor(cmd::kClearSpecularityMap));
  Pick(bar->modelList, 0);
  EXPECT_EQ(shown(), "legs,torso,0* Key,New Light,  ");
  EXPECT_EQ(std::make_pair(torso.MapImage(kSpecularitySlot).get(), legs.visible), std::make_pair(static_cast<ImageRGBA*>(nullptr), 1));
  EXPECT_EQ(desktop->dialogs, std::vector<std::string>{"open Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*"});
  ScreenshotIfAsked("main-window");
}

TEST_F(MainFrameTest, MenuCommandsRunTheRealModalDialogsWhereApplyWritesAtOnceAndCancelKeepsIt) {
  RunModal(cmd::kBackgroundColor, [](wxDialog& dialog) {
    // Left to right the fields read red, green, blue.
    EXPECT_LT(Field(dialog, 1003)->GetPosition().x, Field(dialog, 1002)->GetPosition().x);
    EXPECT_LT(Field(dialog, 1002)->GetPosition().x, Field(dialog, 1001)->GetPosition().x);
    Field(dialog, 1003)->SetValue("0.25");
    Click(dialog.FindWindow(wxID_OK));
  });
  EXPECT_EQ(scene.backgroundColor, (std::array<float, 3>{0.25f, 0.0f, 0.0f}));
  ModelRecord& model = AddModel("torso");
  scene.currentModel = 0;
  RunModal(cmd::kOffsets, [&model](wxDialog& dialog) {
    EXPECT_EQ(Field(dialog, 1016)->GetValue(), "1");
    Field(dialog, 1018)->SetValue("3");
    Click(dialog.FindWindow(wxID_APPLY));
    EXPECT_EQ(model.offsetScale, (Vec3f{1, 1, 3}));
    Field(dialog, 1018)->SetValue("4");
    Click(dialog.FindWindow(wxID_CANCEL));
  });
  EXPECT_EQ(model.offsetScale, (Vec3f{1, 1, 3}));
  RunModal(cmd::kAppAbout, [](wxDialog& dialog) {
    const auto* picture = dynamic_cast<wxStaticBitmap*>(dialog.GetChildren().GetFirst()->GetData());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->GetBitmap().GetSize(), wxSize(216, 79));
    dialog.EndModal(wxID_CANCEL);
  });
  EXPECT_EQ(desktop->dialogs, (std::vector<std::string>{"background", "offsets", "about"}));
}

TEST_F(MainFrameTest, TheGamePathDialogKeepsThePathsHoldingEveryTypedWord) {
  GameFileDialog dialog(frame, "Open from Game Folder", {"items/box.md3", "players/Visor/head.md3", "players/visor/lower.md3"});
  EXPECT_EQ(Rows(dialog.list), "items/box.md3,players/Visor/head.md3,players/visor/lower.md3,");
  const std::pair<const char*, const char*> typed[] = {{"VISOR", "players/Visor/head.md3,players/visor/lower.md3,"},
                                                       {" lower  visor", "players/visor/lower.md3,"},
                                                       {"nothing", ""}};
  for (const auto& [filter, rows] : typed) {
    dialog.filterBox->SetValue(filter);  // sends the text event, as typing does
    EXPECT_EQ(Rows(dialog.list), rows) << filter;
    const std::string first = std::string(rows).substr(0, std::string(rows).find(','));
    EXPECT_EQ(dialog.Chosen().value_or(""), first) << "the first match is selected";
  }
}

TEST_F(MainFrameTest, TheSkinSubmenuListsTheSkinsBesideTheModelAsItOpensWithTheOneInUseChecked) {
  testing::TempFolder folder;
  const std::string model =
      folder.Write("lower.md3", md3::Write(testing::FileWith({testing::QuadSurface("l_legs", 1, {"x.tga"})}, 1)));
  for (const char* skin : {"lower_red.skin", "lower_default.skin", "LOWER_Blue.skin"}) folder.Write(skin, {'l'});
  LoadModelFile(ws(), model);
  wxMenu* skins = Item(cmd::kSkinMenu)->GetSubMenu();
  ASSERT_NE(skins, nullptr);
  const auto entries = [&] {
    std::string text = Item(cmd::kSkinMenu)->IsEnabled() ? "" : "greyed:";
    for (const wxMenuItem* item : skins->GetMenuItems())
      text += item->GetItemLabel().utf8_string() + (item->IsChecked() ? "*" : "") + ",";
    return text;
  };
  OpenMenu("Model");
  EXPECT_EQ(entries(), "default*,Blue,red,");
  scene.gameTextureLookup = false;
  OpenMenu("Model");
  EXPECT_EQ(entries(), "greyed:");
}

// Notes every texture object deleted and whether a GL context was current at the time.
class ContextCheckingDevice final : public TextureDevice {
 public:
  std::uint32_t CreateTexture() override { return 0; }
  void UploadTexture(const ImageRGBA&) override {}
  void DeleteTexture(std::uint32_t name) override { deleted.push_back({name, glXGetCurrentContext() != nullptr}); }
  std::vector<std::pair<std::uint32_t, bool>> deleted;
};

TEST_F(MainFrameTest, ExitClosesTheWindowAndFreesTheSceneWhileTheContextIsCurrent) {
  ContextCheckingDevice device;
  const std::pair<MapSlot, std::uint32_t> maps[] = {{kTextureSlot, 7}, {kGlowSlot, 8}};
  for (auto [slot, name] : maps) {
    ModelRecord& model = AddModel("m");
    PutMap(model, slot, "map");
    std::tie(model.MapImage(slot)->textureName, model.MapImage(slot)->device) = std::make_pair(name, &device);
  }
  AddLight("Key");
  wxCommandEvent exit(wxEVT_MENU, cmd::ToWxId(cmd::kAppExit));
  frame->ProcessWindowEvent(exit);
  frame = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return scene.models.empty(); }));
  EXPECT_EQ(device.deleted, (std::vector<std::pair<std::uint32_t, bool>>{{7, true}, {8, true}}));
  EXPECT_TRUE(scene.lights.empty());
}

}  // namespace
}  // namespace tessary
