// Work that needs the view's GL context waits for it: under a window manager the window
// reaches the screen some time after Show, and texture objects asked for before that would
// never exist (the models of the command line were drawn untextured).
#include <gtest/gtest.h>

#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

TEST(ContextReady, JobsWaitForTheContextAndThenMakeRealTextures) {
  Scene scene;
  TrackballState trackball;
  auto* frame = new MainFrame(scene, trackball, std::make_unique<testing::GuiTestDesktop>());
  std::vector<std::uint32_t> made;
  frame->renderView->CallWhenReady([&] { made.push_back(frame->workspace().textures.CreateTexture()); });
  testing::PumpEvents();
  EXPECT_TRUE(made.empty()) << "ran before the window was on screen";

  frame->Show();
  ASSERT_TRUE(testing::PumpUntil([&] { return !made.empty(); }));
  EXPECT_NE(made[0], 0u);
  // Once the context exists a job runs on the next pass of the event loop.
  frame->renderView->CallWhenReady([&] { made.push_back(frame->workspace().textures.CreateTexture()); });
  ASSERT_TRUE(testing::PumpUntil([&] { return made.size() == 2; }));
  EXPECT_NE(made[1], 0u);
  EXPECT_NE(made[1], made[0]);
  frame->workspace().textures.DeleteTexture(made[0]);
  frame->workspace().textures.DeleteTexture(made[1]);
  frame->Destroy();
  testing::PumpEvents(std::chrono::milliseconds(50));
}

}  // namespace
}  // namespace tessary
