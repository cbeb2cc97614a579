// The viewer on a display that offers no GL at all (an X server started without GLX): it
// says so once and goes on with an empty window where the view would be, and everything
// that does not draw still works. CTest runs this on its own server; on a display with GL
// it has nothing to show and is skipped.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "render/RenderView.h"
#include "ui/GuiTestDesktop.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using namespace cmd;
using testing::PumpEvents;

TEST(WithoutGl, TheViewerSaysSoOnceAndKeepsWorkingWithAnEmptyView) {
  if (RenderView::DisplayOffersFormat()) {
    if (std::getenv("TESSARY_EXPECT_NO_GL") != nullptr) FAIL() << "this display was meant to have no GLX";
    GTEST_SKIP() << "needs a display without GLX";
  }
  Scene scene;
  TrackballState trackball;
  auto owned = std::make_unique<testing::GuiTestDesktop>();
  testing::GuiTestDesktop& desktop = *owned;
  auto* frame = new MainFrame(scene, trackball, std::move(owned));
  frame->Show();
  PumpEvents();
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"ChoosePixelFormat failed"});
  EXPECT_EQ(frame->renderView, nullptr);
  ASSERT_NE(frame->viewWindow, nullptr);
  EXPECT_EQ(frame->viewWindow->GetSize().x, frame->GetClientSize().x - 200);

  // Models open with their textures read (there is no texture object to give them), frames
  // step and a spin turns the view, without a frame drawn or another message.
  Workspace& ws = frame->workspace();
  scene.baseFolder = TESSARY_SAMPLES_DIR;
  desktop.answers.push_back(scene.baseFolder + "/models/corvane/head.md3");
  for (int command : {kOpenModel, kNextFrame, kDisplayTags}) DispatchCommand(ws, command);
  ASSERT_EQ(scene.ModelCount(), 2);
  EXPECT_EQ(std::make_pair(scene.models[1]->textureMap->textureName, scene.models[1]->currentFrame), std::make_pair(0u, 1));
  trackball.spin = {0.0f, 0.0f, 0.38268343f, 0.92387953f};  // 45 degrees about z
  trackball.spinActive = 1;
  ApplySpin(ws);
  EXPECT_NEAR(trackball.rotation[3], 0.92387953f, 1e-6f) << "the spin turned the view once";
  PumpEvents();  // idle passes with a spin and no view to draw in
  trackball.spinActive = 0;
  EXPECT_EQ(desktop.messages.size(), 1u);

  frame->Destroy();
  PumpEvents();
  EXPECT_TRUE(scene.models.empty()) << "closing frees the models as with a view";
}

}  // namespace
}  // namespace tessary
