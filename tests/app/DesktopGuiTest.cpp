// The viewer at home on the desktop, in the real window: files dropped on it, the recent
// models they leave in the File menu, Fit View on its key, a picture of the view saved at
// a typed size, and a tooltip on every control of the options bar.
#include <gtest/gtest.h>

#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include <cmath>
#include <numbers>

#include "app/CommandIds.h"
#include "light/LightCommands.h"
#include "scene/Md3Loader.h"
#include "support/GlTestSupport.h"
#include "support/SquareModel.h"
#include "support/TempFolder.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using testing::PumpUntil;
using testing::SolidTga;
using testing::SquareMd3;

class DesktopTest : public testing::GuiTest {
 protected:
  // What a drop on a window does: the toolkit hands the paths to its drop target.
  void Drop(wxWindow* window, std::vector<std::string> paths) {
    auto* target = dynamic_cast<wxFileDropTarget*>(window->GetDropTarget());
    ASSERT_NE(target, nullptr);
    wxArrayString names;
    for (const std::string& path : paths) names.Add(wxString::FromUTF8(path));
    EXPECT_TRUE(target->OnDropFiles(5, 5, names));
  }
  std::string TextureOf(int model) {
    const auto& image = scene.models.at(static_cast<std::size_t>(model))->textureMap;
    return image ? image->fileName : "(none)";
  }
};

TEST_F(DesktopTest, DropsOpenModelsSetTheBaseAndTheTextureAndLeaveRecentModels) {
  testing::TempFolder folder;
  folder.Write("game/models/things/red.tga", SolidTga(0xFF0000));
  const std::string model = folder.Write("game/models/things/square.md3", SquareMd3("models/things/red.tga"));
  const std::string blue = folder.Write("paint/blue.tga", SolidTga(0x0000FF));
  const std::string green = folder.Write("paint/green.tga", SolidTga(0x00FF00));
  const std::string broken = folder.Write("game/broken.pk3", {'n', 'o', 't', ' ', 'z', 'i', 'p'});
  EXPECT_FALSE(Item(cmd::kRecentModelFirst)) << "nothing opened yet";

  // The game folder dropped on the bar becomes the base (naming the archive it cannot read).
  Drop(bar, {(folder.path() / "game").string()});
  ASSERT_TRUE(PumpUntil([&] { return scene.baseFolder == (folder.path() / "game").string(); }));
  EXPECT_EQ(desktop->messages, std::vector<std::string>{"This file is not recognized\n" + broken});
  Drop(frame, {model, folder / "notes.txt"});
  ASSERT_TRUE(PumpUntil([&] { return scene.ModelCount() == 1; }));
  EXPECT_EQ(TextureOf(0), "red.tga");
  // An image counts as a texture map only when dropped on the view.
  Drop(bar, {green});
  testing::PumpEvents();
  EXPECT_EQ(TextureOf(0), "red.tga");
  Drop(frame->viewWindow, {blue});
  ASSERT_TRUE(PumpUntil([&] { return TextureOf(0) == "blue.tga"; }));
  EXPECT_EQ(desktop->messages.size(), 1u) << "nothing said since";

  // The model is the first recent entry; choosing it opens the file again.
  ASSERT_TRUE(Item(cmd::kRecentModelFirst));
  EXPECT_EQ(Item(cmd::kRecentModelFirst)->GetItemLabel().utf8_string(), "&1 " + model);
  EXPECT_FALSE(Item(cmd::kRecentModelFirst + 1));
  wxCommandEvent choose(wxEVT_MENU, cmd::ToWxId(cmd::kRecentModelFirst));
  frame->ProcessWindowEvent(choose);
  EXPECT_EQ(scene.ModelCount(), 2);
  EXPECT_EQ(TextureOf(1), "red.tga");
}

TEST_F(DesktopTest, HomeFitsTheViewKeepingItsTurnAndThePictureIsSavedAtTheTypedSize) {
  testing::TempFolder folder;
  folder.Write("red.tga", SolidTga(0xFF0000));
  scene.baseFolder = folder.path().string();
  LoadModelFile(ws(), folder.Write("square.md3", SquareMd3("red.tga")));
  AddLightToEveryModel(scene);
  scene.backgroundColor = {0.0f, 0.0f, 1.0f};
  // Turned 30 degrees about the line of sight, then zoomed and panned far out of sight.
  const float half = static_cast<float>(std::numbers::pi / 12.0);
  trackball.rotation = {0.0f, 0.0f, std::sin(half), std::cos(half)};
  const Quaternion turned = trackball.rotation;
  trackball.scale = 0.001f;
  trackball.pan = {400.0f, -90.0f, 0.0f};
  trackball.centre = {30.0f, 0.0f, 0.0f};

  frame->Raise();
  frame->renderView->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == frame->renderView; }));
  wxUIActionSimulator keyboard;
  keyboard.Char(WXK_HOME);
  ASSERT_TRUE(PumpUntil([&] { return trackball.pan[0] == 0.0f; }));
  // The square's corners lie 10 sqrt 2 from its middle, the origin: at distance 3 with a
  // half-angle a (15 degrees, or less sideways in a narrow view) they fit at scale
  // 3 sin a / (10 sqrt 2). The rotation is left exactly as it was.
  const wxSize view = frame->renderView->GetClientSize();
  const double a = std::min(std::numbers::pi / 12.0, std::atan(std::tan(std::numbers::pi / 12.0) * view.x / view.y));
  EXPECT_NEAR(trackball.scale, 3.0 * std::sin(a) / (10.0 * std::sqrt(2.0)), 1e-5);
  EXPECT_EQ(std::make_pair(trackball.centre, trackball.rotation), std::make_pair(std::array<float, 3>{0, 0, 0}, turned));

  // Saved at 96 x 64 under a name without a dot: ".png" is added. The turned square fills
  // the middle, lit red as in the view; the corners show the blue background.
  desktop->pictureSize = PictureSize{96, 64};
  desktop->answers = {folder / "view"};
  wxCommandEvent choose(wxEVT_MENU, cmd::ToWxId(cmd::kExportPicture));
  frame->ProcessWindowEvent(choose);
  EXPECT_EQ(desktop->dialogs.back(), "save PNG Picture (*.png)|*.png|All Files (*.*)|*.*");
  EXPECT_EQ(desktop->dialogs.at(desktop->dialogs.size() - 2),
            "picture size " + std::to_string(view.x) + "x" + std::to_string(view.y));
  EXPECT_TRUE(desktop->messages.empty());
  const auto png = testing::ReadPng(folder / "view.png");
  ASSERT_TRUE(png);
  EXPECT_EQ(std::make_tuple(png->width, png->height, png->rgb), std::make_tuple(96, 64, true));
  EXPECT_GT(png->At(48, 32).r, 200) << "lit by the command line's light, which leaves some shade";
  EXPECT_EQ(png->At(48, 32).b, png->At(48, 32).g) << "no blue behind the square";
  EXPECT_EQ(std::make_pair(png->At(0, 0), png->At(95, 63)), std::make_pair(testing::Rgb{0, 0, 255}, testing::Rgb{0, 0, 255}));
  ScreenshotIfAsked("fit-view");

  // Every control of the options bar says what it does.
  for (wxWindow* control : bar->GetChildren())
    EXPECT_FALSE(control->GetToolTipText().empty()) << control->GetName().utf8_string();
}

}  // namespace
}  // namespace tessary
