// The viewer on a display scaled by 2 (its CTest entry sets GDK_SCALE=2): windows and the
// mouse keep their logical sizes, and GL draws into the device pixels, twice as many each
// way, so the scene fills the view instead of its lower-left quarter.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using HiDpi = testing::GuiTest;

TEST_F(HiDpi, TheViewportCoversTheViewInDevicePixels) {
  RenderView* view = frame->renderView;
  ASSERT_EQ(view->GetContentScaleFactor(), 2.0) << "this test runs with GDK_SCALE=2";
  for (const wxSize size : {wxSize(0, 0), wxSize(460, 300)}) {
    if (size.x > 0) frame->SetClientSize(size);
    testing::PumpEvents();
    ASSERT_TRUE(view->MakeContextCurrent());
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const wxSize client = view->GetClientSize();
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 2 * client.x, 2 * client.y})) << client.x << "x" << client.y;
  }
}

}  // namespace
}  // namespace tessary
