// The viewer on a display scaled by 2 (its CTest entry sets GDK_SCALE=2): windows and the
// mouse keep their logical sizes, and GL draws into the device pixels, twice as many each
// way, so the scene fills the view instead of its lower-left quarter.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

class HiDpi : public testing::GuiTest {
 protected:
  std::array<GLint, 4> Viewport() {
    EXPECT_TRUE(frame->renderView->MakeContextCurrent());
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    return viewport;
  }
};

TEST_F(HiDpi, TheViewportCoversTheViewInDevicePixels) {
  RenderView* view = frame->renderView;
  ASSERT_EQ(view->GetContentScaleFactor(), 2.0) << "this test runs with GDK_SCALE=2";
  for (const wxSize size : {wxSize(0, 0), wxSize(460, 300)}) {
    if (size.x > 0) frame->SetClientSize(size);
    testing::PumpEvents();
    const wxSize client = view->GetClientSize();
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 2 * client.x, 2 * client.y})) << client.x << "x" << client.y;
  }
  ScreenshotIfAsked("hidpi-view");
}

}  // namespace
}  // namespace tessary
