// The mouse navigation state machine driven by event sequences, with the view state and
// redraws expected worked out by hand for a 200 x 100 client area.
#include <gtest/gtest.h>

#include "support/TestWorkspace.h"
#include "view/Navigation.h"
#include "view/Trackball.h"

namespace tessary {
namespace {

using Log = std::vector<std::string>;
using Point = std::array<int, 2>;
constexpr HeldButtons kNone{}, kLeft{true, false}, kRight{false, true}, kBoth{true, true};
constexpr MouseButton L = MouseButton::Left, R = MouseButton::Right;
const Quaternion kIdentity{0.0f, 0.0f, 0.0f, 1.0f};

class NavigationTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  // A press that starts a drag; the records start empty after it.
  void Start(MouseButton button, int x, int y, bool shift = false, bool ctrl = false) {
    ASSERT_EQ(nav.ButtonDown(button, x, y, shift, ctrl), CaptureRequest::Capture);
    desktop.ClearRecords();
  }
  void Move(int x, int y, HeldButtons held = kNone) { nav.Move(x, y, ClientSize{200, 100}, held, true); }
  MouseNavigation nav{ws};
};

TEST_F(NavigationTest, ButtonAndModifiersChooseTheDragAndGrabbingTheBallStopsASpin) {
  using D = DragMode;
  const std::tuple<MouseButton, bool, bool, DragMode> cases[] = {
      {L, false, false, D::SpinDrag}, {L, true, false, D::ZoomDrag},  {L, false, true, D::DirectRotateDrag},
      {L, true, true, D::DirectRotateDrag}, {R, false, false, D::PanDrag}, {R, true, true, D::CentreDrag}};
  for (const auto& [button, shift, ctrl, mode] : cases) {
    trackball = TrackballState{};
    trackball.spin = AxisAngleToQuaternion({0.0f, 1.0f, 0.0f}, 0.1f);
    trackball.spinActive = 1;
    desktop.ClearRecords();
    EXPECT_EQ(nav.ButtonDown(button, 30, 40, shift, ctrl), CaptureRequest::Capture);
    EXPECT_EQ(trackball.dragMode, mode) << "shift " << shift << " ctrl " << ctrl;
    EXPECT_EQ(trackball.lastPoint, (Point{30, 40}));
    const bool grabs = mode == D::SpinDrag || mode == D::DirectRotateDrag;
    EXPECT_EQ(trackball.spinActive, grabs ? 0 : 1);
    EXPECT_EQ(trackball.spin == kIdentity, grabs);
    EXPECT_EQ(desktop.log, grabs ? Log{"repaint"} : Log{});
  }
}

TEST_F(NavigationTest, SpinDragsSetTheSpinWithThePointerHeldInsideTheViewAndDirectDragsTurnAtOnce) {
  Start(L, 100, 50);  // the middle: (0, 0)
  Move(120, 25);      // ((240 - 200) / 200, (100 - 50) / 100) = (0.2, 0.5)
  EXPECT_EQ(trackball.spin, TrackballRotation(0.0f, 0.0f, 0.2f, 0.5f));
  EXPECT_EQ(trackball.spinActive, 1);
  Move(500, 400);  // held at (199, 99): (0.99, -0.98)
  EXPECT_EQ(trackball.spin, TrackballRotation(0.2f, 0.5f, 0.99f, -0.98f));
  EXPECT_EQ(trackball.lastPoint, (Point{199, 99}));
  Move(900, 300);  // held at the same point: no turn, though the flag stays up
  EXPECT_EQ(trackball.spin, kIdentity);
  EXPECT_EQ(trackball.spinActive, 1);
  EXPECT_EQ(trackball.rotation, kIdentity);  // the idle loop turns the view, nothing is drawn here
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_EQ(nav.ButtonUp(L, kNone, true), CaptureRequest::Release);
  EXPECT_EQ(trackball.spinActive, 1);  // the spin outlives the drag

  Start(L, 100, 50, false, true);
  Move(140, 50);  // (0.4, 0): composed into the identity, the step is the rotation
  EXPECT_EQ(trackball.rotation, TrackballRotation(0.0f, 0.0f, 0.4f, 0.0f));
  EXPECT_EQ(trackball.spinActive, 0);
  EXPECT_EQ(desktop.log, Log{"repaint"});
}

TEST_F(NavigationTest, ZoomByHalfTheHeightGivesOneAndAHalfOrAHalfAndStaysPositive) {
  Start(L, 10, 60, true);
  Move(10, 10);  // 50 up, half of 100: x 1.5
  EXPECT_FLOAT_EQ(trackball.scale, 0.045f);
  Move(50, 60);  // 50 down: x 0.5; sideways motion does nothing
  EXPECT_FLOAT_EQ(trackball.scale, 0.0225f);
  Move(10, -40);  // outside the view the raw pointer counts: 100 up, x 2
  EXPECT_FLOAT_EQ(trackball.scale, 0.045f);
  EXPECT_EQ(desktop.log, (Log{"repaint", "repaint", "repaint"}));
  Move(10, 60);  // a full height down would multiply by 0
  EXPECT_EQ(trackball.scale, kMinViewScale);
  for (int y = 60; y > -12000; y -= 300) Move(10, y);  // x 4 each time
  EXPECT_EQ(trackball.scale, kMaxViewScale);
}

TEST_F(NavigationTest, PanAndCentreMoveAcrossTheViewIndependentlyOfZoomOrAlongZWithBothButtons) {
  trackball.scale = 0.5f;
  Start(R, 100, 50);
  Move(150, 30);  // x: (50 / 200) / 0.5 * 1.3 = 0.65; y: -(-20 / 100) / 0.5 * 1.3 = 0.52
  Move(230, 10, kBoth);  // along z by the vertical motion only
  EXPECT_EQ(trackball.pan, (std::array<float, 3>{0.65f, 0.52f, 0.52f}));
  nav.CaptureLost();
  Start(R, 100, 50, true);
  Move(60, 70);  // x: (-40 / 200) / 0.5 * 1.3 = -0.52; y: -(20 / 100) / 0.5 * 1.3 = -0.52
  EXPECT_EQ(trackball.centre, (std::array<float, 3>{-0.52f, -0.52f, 0.0f}));
  EXPECT_EQ(trackball.pan, (std::array<float, 3>{0.65f, 0.52f, 0.52f}));
  EXPECT_EQ(desktop.log, Log{"repaint"});
}

TEST_F(NavigationTest, TheOtherButtonNeitherStartsNorEndsADragAndCaptureLossEndsAny) {
  Start(L, 100, 50);
  EXPECT_EQ(nav.ButtonDown(R, 10, 10, true, false), CaptureRequest::None);  // right during left
  EXPECT_EQ(nav.ButtonUp(R, kLeft, true), CaptureRequest::None);
  EXPECT_EQ(std::make_pair(trackball.dragMode, trackball.lastPoint), std::make_pair(DragMode::SpinDrag, Point{100, 50}));
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_EQ(nav.ButtonUp(L, kRight, true), CaptureRequest::None);  // the right is still down
  EXPECT_EQ(trackball.dragMode, DragMode::AwaitRelease);
  Move(10, 90, kRight);  // waiting: motion and presses are ignored
  EXPECT_EQ(nav.ButtonDown(L, 1, 1, false, false), CaptureRequest::None);
  EXPECT_EQ(std::make_pair(trackball.lastPoint, trackball.spin), std::make_pair(Point{100, 50}, kIdentity));
  EXPECT_EQ(nav.ButtonUp(R, kNone, true), CaptureRequest::Release);
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_EQ(desktop.log, (Log{"redraw", "redraw"}));

  for (const auto& [button, shift] : {std::pair{L, false}, std::pair{L, true}, std::pair{R, true}}) {
    Start(button, 100, 50, shift);
    nav.CaptureLost();
    EXPECT_EQ(std::make_pair(trackball.dragMode, desktop.log), std::make_pair(DragMode::Idle, Log{"redraw"}));
  }
  desktop.ClearRecords();
  nav.CaptureLost();  // at rest there is nothing to end
  EXPECT_TRUE(desktop.log.empty());
  // Without the capture, or in a view without area, events do nothing.
  Start(L, 10, 60, true);
  nav.Move(10, 10, ClientSize{200, 100}, kLeft, false);
  nav.Move(10, 10, ClientSize{200, 0}, kLeft, true);
  nav.Move(10, 10, ClientSize{0, 100}, kLeft, true);
  EXPECT_EQ(nav.ButtonUp(L, kNone, false), CaptureRequest::None);
  EXPECT_EQ(std::make_pair(trackball.dragMode, trackball.scale), std::make_pair(DragMode::ZoomDrag, 0.03f));
  EXPECT_TRUE(desktop.log.empty());
}

}  // namespace
}  // namespace tessary
