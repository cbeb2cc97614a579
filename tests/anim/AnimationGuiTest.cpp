// Playback in the real window: Space plays the current model, the view draws frame after
// frame and the status bar follows them, the Animation menu lists the model's sequence,
// and a step by hand stops it all. Open Player's dialog and the player it opens.
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <set>

#include "anim/PlayerDialog.h"
#include "app/CommandIds.h"
#include "scene/Md3Fixtures.h"
#include "scene/TextureResolution.h"
#include "support/TempFolder.h"
#include "testdata/ContentWriters.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using namespace std::chrono_literals;
using testing::PumpEvents;
using testing::PumpUntil;

class AnimationGuiTest : public testing::GuiTest {};

TEST_F(AnimationGuiTest, SpacePlaysTheStatusBarAndTheDrawnFramesAdvanceAndAStepStopsThem) {
  ModelRecord& model = AddModel("walker");  // three frames
  model.sourceFile = "/models/walker.md3";
  AddPlainPlayback(scene.animation, 0, 1, 3);
  scene.currentModel = 0;
  desktop->RefreshPanel();
  wxMenu* menu = frame->GetMenuBar()->GetMenu(static_cast<std::size_t>(frame->GetMenuBar()->FindMenu("Animation")));
  const wxMenuItem* sequence = menu->FindItem(cmd::ToWxId(cmd::kPlainSequence));
  ASSERT_NE(sequence, nullptr);
  EXPECT_EQ(sequence->GetItemLabel(), "All frames");
  EXPECT_TRUE(sequence->IsRadio());
  EXPECT_EQ(frame->statusBar->GetStatusText(0), "walker.md3");
  EXPECT_EQ(frame->statusBar->GetStatusText(1), "Frame 0 of 3");

  frame->Raise();
  frame->renderView->SetFocus();
  PumpEvents();
  wxUIActionSimulator keyboard;
  keyboard.Char(WXK_SPACE);
  ASSERT_TRUE(PumpUntil([&] { return scene.animation.files[0].playing; }));
  const long drawnBefore = frame->renderView->FramesDrawn();
  std::set<int> frames;
  std::set<wxString> statuses;
  EXPECT_TRUE(PumpUntil([&] {
    frames.insert(model.currentFrame);
    statuses.insert(frame->statusBar->GetStatusText(1));
    return frames.size() == 3 && statuses.size() >= 6;
  }, 3s)) << "frames seen " << frames.size() << ", status texts " << statuses.size();
  EXPECT_GT(frame->renderView->FramesDrawn(), drawnBefore + 6);
  EXPECT_EQ(frame->statusBar->GetStatusText(3), "15 fps, playing");

  keyboard.Char(WXK_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return !scene.animation.files[0].playing; }));
  PumpEvents(100ms);
  const long stopped = frame->renderView->FramesDrawn();
  PumpEvents(300ms);
  EXPECT_EQ(frame->renderView->FramesDrawn(), stopped) << "a view at rest draws nothing";
  EXPECT_EQ(frame->statusBar->GetStatusText(3), "15 fps, paused");
}

TEST_F(AnimationGuiTest, OpenPlayerShowsItStandingAndFramedAndItsDialogListsTheSkinsOfThePlayerPicked) {
  PlayerDialog dialog(frame, {{"p", {"default", "red"}}, {"q", {}}});
  EXPECT_EQ(Rows(dialog.playerList) + Rows(dialog.skinList), "p,q,default,red,");
  Pick(dialog.skinList, 1);
  EXPECT_EQ(dialog.Chosen().value().skin, "red");
  Pick(dialog.playerList, 1);
  EXPECT_EQ(Rows(dialog.skinList), "");
  EXPECT_EQ(dialog.Chosen().value().name + dialog.Chosen().value().skin, "qdefault");

  testing::TempFolder folder;
  std::string config;
  for (int i = 0; i < kRequiredAnimations; ++i) config += "0 1 0 10\n";
  const std::string p = "models/players/p/";
  const auto part = [](const std::vector<std::string>& tags) {
    md3::File file = testing::FileWith({testing::QuadSurface("s", 1)}, 1, tags);
    file.frames = {md3::BoundsOf(file, 0)};
    return md3::Write(file);
  };
  testing::WriteZip(folder / "game/pak0.pk3", {{p + "lower.md3", part({"tag_torso"})}, {p + "upper.md3", part({"tag_head", "tag_weapon"})},
                                               {p + "head.md3", part({})}, {p + "animation.cfg", testing::BytesOf(config)}});
  ASSERT_TRUE(UseBaseFolder(scene, folder / "game"));
  wxMenuItem* attach = frame->GetMenuBar()->FindItem(cmd::ToWxId(cmd::kAttachWeapon));
  OpenMenu("File");
  EXPECT_FALSE(attach->IsEnabled()) << "no player";
  desktop->player = PlayerChoice{"p", "default"};
  const float scale = trackball.scale;
  wxCommandEvent open(wxEVT_MENU, cmd::ToWxId(cmd::kOpenPlayer));
  frame->ProcessWindowEvent(open);
  EXPECT_EQ(scene.ModelCount(), 3);
  EXPECT_EQ(frame->statusBar->GetStatusText(0) + " " + frame->statusBar->GetStatusText(2), "lower.md3 LEGS_IDLE, TORSO_STAND");
  EXPECT_NE(trackball.scale, scale) << "framed";
  OpenMenu("File");
  EXPECT_TRUE(attach->IsEnabled());
}

}  // namespace
}  // namespace tessary
