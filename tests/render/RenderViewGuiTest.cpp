#include <gtest/gtest.h>

#include <cmath>

#include "app/MainFrame.h"
#include "render/RenderView.h"
#include "support/GuiSupport.h"

namespace tessary {
namespace {

using testing::PumpEvents;
using testing::PumpUntil;

class RenderViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new MainFrame(scene, trackball);
    frame->Show();
    view = frame->renderView;
    ASSERT_TRUE(PumpUntil([&] { return view->FramesDrawn() > 0; }));
  }
  void TearDown() override {
    frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
  }
  void Send(wxEventType type, int x, int y, bool left, bool right = false) {
    wxMouseEvent event(type);
    event.SetEventObject(view);
    event.m_x = x;
    event.m_y = y;
    event.m_leftDown = left;
    event.m_rightDown = right;
    view->GetEventHandler()->ProcessEvent(event);
  }

  Scene scene;
  TrackballState trackball;
  MainFrame* frame = nullptr;
  RenderView* view = nullptr;
};

TEST_F(RenderViewTest, AReleasedSpinKeepsTurningOnIdlePassesAndAClickStopsIt) {
  const wxSize client = view->GetClientSize();
  const int y = client.y / 2;
  Send(wxEVT_LEFT_DOWN, client.x / 2, y, true);
  EXPECT_EQ(trackball.dragMode, DragMode::SpinDrag);
  Send(wxEVT_MOTION, client.x / 2 + 10, y, true);
  Send(wxEVT_LEFT_UP, client.x / 2 + 10, y, false);
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_FALSE(view->HasCapture());
  ASSERT_EQ(trackball.spinActive, 1);

  // A horizontal drag spins about the view's y axis; the idle passes keep composing it.
  const Quaternion before = trackball.rotation;
  const long framesBefore = view->FramesDrawn();
  PumpEvents(std::chrono::milliseconds(300));
  EXPECT_NE(trackball.rotation, before);
  EXPECT_GT(view->FramesDrawn(), framesBefore + 3) << "each idle pass draws a frame";
  // A sideways drag turns about the vertical axis (the client height may be odd, so the
  // press point can sit half a pixel off the middle: allow a slight tilt).
  const Quaternion& r = trackball.rotation;
  EXPECT_GT(std::fabs(r[1]), 20.0f * (std::fabs(r[0]) + std::fabs(r[2])));

  // A click without motion stops it.
  Send(wxEVT_LEFT_DOWN, 5, 5, true);
  Send(wxEVT_LEFT_UP, 5, 5, false);
  EXPECT_EQ(trackball.spinActive, 0);
  EXPECT_EQ(trackball.spin, (Quaternion{0, 0, 0, 1}));
  PumpEvents(std::chrono::milliseconds(50));
  const Quaternion stopped = trackball.rotation;
  const long framesStopped = view->FramesDrawn();
  PumpEvents(std::chrono::milliseconds(200));
  EXPECT_EQ(trackball.rotation, stopped);
  EXPECT_EQ(view->FramesDrawn(), framesStopped) << "a view at rest draws nothing on idle";
}

TEST_F(RenderViewTest, ShiftDragZoomsAndRightDragPans) {
  const wxSize client = view->GetClientSize();
  wxMouseEvent down(wxEVT_LEFT_DOWN);
  down.m_x = 10;
  down.m_y = client.y - 1;
  down.m_leftDown = true;
  down.m_shiftDown = true;
  view->GetEventHandler()->ProcessEvent(down);
  ASSERT_EQ(trackball.dragMode, DragMode::ZoomDrag);
  // Half the client height upwards multiplies the scale by 1.5.
  Send(wxEVT_MOTION, 10, client.y - 1 - client.y / 2, true);
  EXPECT_NEAR(trackball.scale, 0.03f * (1.0f + static_cast<float>(client.y / 2) / client.y), 1e-6);
  Send(wxEVT_LEFT_UP, 10, 0, false);

  Send(wxEVT_RIGHT_DOWN, 0, 0, false, true);
  ASSERT_EQ(trackball.dragMode, DragMode::PanDrag);
  const float scale = trackball.scale;
  Send(wxEVT_MOTION, client.x / 4, 0, false, true);
  // A quarter of the width to the right: pan.x += (1/4) / scale * 1.3.
  EXPECT_NEAR(trackball.pan[0], static_cast<float>(client.x / 4) / client.x / scale * 1.3f, 1e-3);
  EXPECT_EQ(trackball.pan[1], 0.0f);
  Send(wxEVT_RIGHT_UP, client.x / 4, 0, false, false);
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
}

}  // namespace
}  // namespace tessary
