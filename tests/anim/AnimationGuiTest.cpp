// Playback in the real window: Space plays the current model, the view draws frame after
// frame and the status bar follows them, the Animation menu lists the model's sequence,
// and a step by hand stops it all.
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/uiaction.h>

#include <set>

#include "app/CommandIds.h"
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

}  // namespace
}  // namespace tessary
