// The render view in the real window: mouse drags reach the trackball, a released spin
// draws a frame on every idle pass, and a view at rest draws nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "app/MainFrame.h"
#include "render/RenderView.h"
#include "support/GuiSupport.h"

namespace tessary {
namespace {

using testing::PumpEvents;
using testing::PumpUntil;

TEST(RenderView, DragsReachTheTrackballAndOnlyASpinDrawsOnIdle) {
  Scene scene;
  TrackballState trackball;
  MainFrame* frame = new MainFrame(scene, trackball);
  const std::unique_ptr<MainFrame, void (*)(MainFrame*)> closer(frame, [](MainFrame* f) {
    f->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
  });
  frame->Show();
  RenderView* view = frame->renderView;
  ASSERT_TRUE(PumpUntil([&] { return view->FramesDrawn() > 0; }));
  auto send = [view](wxEventType type, int x, int y, bool left, bool right = false, bool shift = false) {
    wxMouseEvent event(type);
    event.SetEventObject(view);
    event.m_x = x;
    event.m_y = y;
    event.m_leftDown = left;
    event.m_rightDown = right;
    event.m_shiftDown = shift;
    view->GetEventHandler()->ProcessEvent(event);
  };
  const wxSize client = view->GetClientSize();
  // Shift and left: half the client height upwards multiplies the scale by 1.5. Right: a
  // quarter of the width to the right adds (1/4) / scale * 1.3 to pan x.
  send(wxEVT_LEFT_DOWN, 10, client.y - 1, true, false, true);
  send(wxEVT_MOTION, 10, client.y - 1 - client.y / 2, true);
  send(wxEVT_LEFT_UP, 10, 0, false);
  EXPECT_NEAR(trackball.scale, 0.03f * (1.0f + static_cast<float>(client.y / 2) / client.y), 1e-6);
  send(wxEVT_RIGHT_DOWN, 0, 0, false, true);
  send(wxEVT_MOTION, client.x / 4, 0, false, true);
  send(wxEVT_RIGHT_UP, client.x / 4, 0, false, false);
  EXPECT_NEAR(trackball.pan[0], static_cast<float>(client.x / 4) / client.x / trackball.scale * 1.3f, 1e-3);

  // Left alone: a sideways drag, released, keeps turning about the vertical axis (the press
  // may sit half a pixel off the middle of an odd height: allow a slight tilt).
  send(wxEVT_LEFT_DOWN, client.x / 2, client.y / 2, true);
  send(wxEVT_MOTION, client.x / 2 + 10, client.y / 2, true);
  send(wxEVT_LEFT_UP, client.x / 2 + 10, client.y / 2, false);
  EXPECT_FALSE(view->HasCapture());
  ASSERT_EQ(trackball.spinActive, 1);
  const long framesBefore = view->FramesDrawn();
  PumpEvents(std::chrono::milliseconds(300));
  EXPECT_GT(view->FramesDrawn(), framesBefore + 3) << "each idle pass draws a frame";
  const Quaternion& r = trackball.rotation;
  EXPECT_GT(std::fabs(r[1]), 20.0f * (std::fabs(r[0]) + std::fabs(r[2])));
  // A click stops it, and a view at rest draws nothing.
  send(wxEVT_LEFT_DOWN, 5, 5, true);
  send(wxEVT_LEFT_UP, 5, 5, false);
  EXPECT_EQ(trackball.spinActive, 0);
  PumpEvents(std::chrono::milliseconds(50));
  const long framesStopped = view->FramesDrawn();
  PumpEvents(std::chrono::milliseconds(200));
  EXPECT_EQ(view->FramesDrawn(), framesStopped) << "a view at rest draws nothing on idle";
}

}  // namespace
}  // namespace tessary
