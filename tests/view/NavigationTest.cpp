// The mouse navigation state machine driven by event sequences, with the expected view
// state and redraw requests worked out by hand for a 200 x 100 client area.
#include <gtest/gtest.h>

#include <cmath>

#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"
#include "view/Navigation.h"
#include "view/Trackball.h"

namespace tessary {
namespace {

constexpr ClientSize kClient{200, 100};
constexpr HeldButtons kNone{};
constexpr HeldButtons kLeft{true, false};
constexpr HeldButtons kRight{false, true};
constexpr HeldButtons kBoth{true, true};
const Quaternion kIdentity{0.0f, 0.0f, 0.0f, 1.0f};

class NavigationTest : public ::testing::Test {
 protected:
  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
  MouseNavigation nav{ws};

  // A press that starts a drag; the records start empty after it.
  void Start(MouseButton button, int x, int y, bool shift = false, bool ctrl = false) {
    ASSERT_EQ(nav.ButtonDown(button, x, y, shift, ctrl), CaptureRequest::Capture);
    desktop.ClearRecords();
  }
  void Move(int x, int y, HeldButtons held = kNone) { nav.Move(x, y, kClient, held, true); }
};

void ExpectQuaternionEq(const Quaternion& a, const Quaternion& b) {
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(a[i], b[i]) << "component " << i;
}

TEST_F(NavigationTest, LeftClickStopsARunningSpin) {
  trackball.spin = AxisAngleToQuaternion({0.0f, 1.0f, 0.0f}, 0.1f);
  trackball.spinActive = 1;
  EXPECT_EQ(nav.ButtonDown(MouseButton::Left, 30, 40, false, false), CaptureRequest::Capture);
  EXPECT_EQ(trackball.dragMode, DragMode::SpinDrag);
  ExpectQuaternionEq(trackball.spin, kIdentity);
  EXPECT_EQ(trackball.spinActive, 0);
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{30, 40}));
  EXPECT_EQ(desktop.log, std::vector<std::string>{"repaint"});

  // Let go without moving: the drag ends, the capture goes and the scene is redrawn.
  desktop.ClearRecords();
  EXPECT_EQ(nav.ButtonUp(MouseButton::Left, kNone, true), CaptureRequest::Release);
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_EQ(trackball.spinActive, 0);
  EXPECT_EQ(desktop.log, std::vector<std::string>{"redraw"});
}

TEST_F(NavigationTest, ModifiersChooseTheDrag) {
  struct Case {
    MouseButton button;
    bool shift, ctrl;
    DragMode mode;
  };
  const Case cases[] = {
      {MouseButton::Left, false, false, DragMode::SpinDrag},
      {MouseButton::Left, true, false, DragMode::ZoomDrag},
      {MouseButton::Left, false, true, DragMode::DirectRotateDrag},
      {MouseButton::Left, true, true, DragMode::DirectRotateDrag},
      {MouseButton::Right, false, false, DragMode::PanDrag},
      {MouseButton::Right, false, true, DragMode::PanDrag},
      {MouseButton::Right, true, false, DragMode::CentreDrag},
      {MouseButton::Right, true, true, DragMode::CentreDrag},
  };
  for (const Case& c : cases) {
    trackball = TrackballState{};
    EXPECT_EQ(nav.ButtonDown(c.button, 5, 6, c.shift, c.ctrl), CaptureRequest::Capture);
    EXPECT_EQ(trackball.dragMode, c.mode) << "shift " << c.shift << " ctrl " << c.ctrl;
  }
}

TEST_F(NavigationTest, ZoomAndPanPressesLeaveASpinRunning) {
  const Quaternion spin = AxisAngleToQuaternion({1.0f, 0.0f, 0.0f}, 0.2f);
  trackball.spin = spin;
  trackball.spinActive = 1;
  nav.ButtonDown(MouseButton::Left, 5, 6, true, false);
  ExpectQuaternionEq(trackball.spin, spin);
  EXPECT_EQ(trackball.spinActive, 1);
  EXPECT_TRUE(desktop.log.empty());
  nav.CaptureLost();
  nav.ButtonDown(MouseButton::Right, 5, 6, false, false);
  EXPECT_EQ(trackball.spinActive, 1);
}

TEST_F(NavigationTest, PressDuringADragIsIgnored) {
  Start(MouseButton::Left, 100, 50);
  EXPECT_EQ(nav.ButtonDown(MouseButton::Right, 10, 10, true, false), CaptureRequest::None);
  EXPECT_EQ(nav.ButtonDown(MouseButton::Left, 10, 10, false, true), CaptureRequest::None);
  EXPECT_EQ(trackball.dragMode, DragMode::SpinDrag);
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{100, 50}));
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(NavigationTest, SpinDragSetsTheSpinAndLeavesDrawingToTheIdleLoop) {
  Start(MouseButton::Left, 100, 50);  // the middle: (0, 0)
  Move(120, 25);                      // ((240 - 200) / 200, (100 - 50) / 100) = (0.2, 0.5)
  ExpectQuaternionEq(trackball.spin, TrackballRotation(0.0f, 0.0f, 0.2f, 0.5f));
  EXPECT_EQ(trackball.spinActive, 1);
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{120, 25}));
  ExpectQuaternionEq(trackball.rotation, kIdentity);
  EXPECT_TRUE(desktop.log.empty());

  // The spin outlives the drag.
  const Quaternion spin = trackball.spin;
  EXPECT_EQ(nav.ButtonUp(MouseButton::Left, kNone, true), CaptureRequest::Release);
  EXPECT_EQ(trackball.spinActive, 1);
  ExpectQuaternionEq(trackball.spin, spin);
}

TEST_F(NavigationTest, RotationClampsThePointerToTheClientArea) {
  Start(MouseButton::Left, 100, 50);
  Move(500, 50);  // x held at 199: (398 - 200) / 200 = 0.99
  ExpectQuaternionEq(trackball.spin, TrackballRotation(0.0f, 0.0f, 0.99f, 0.0f));
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{199, 50}));

  // Further out still clamps to the same point: no turn, so the scene stops while the
  // button is held, though the spin flag stays up.
  Move(900, 50);
  ExpectQuaternionEq(trackball.spin, kIdentity);
  EXPECT_EQ(trackball.spinActive, 1);

  Move(-30, 400);  // to (0, 99)
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{0, 99}));
  // (0, 99) is (-1, -0.98).
  ExpectQuaternionEq(trackball.spin, TrackballRotation(0.99f, 0.0f, -1.0f, -0.98f));
}

TEST_F(NavigationTest, DirectRotationTurnsTheViewAtOnce) {
  Start(MouseButton::Left, 100, 50, false, true);
  Move(140, 50);  // (0.4, 0)
  const Quaternion step = TrackballRotation(0.0f, 0.0f, 0.4f, 0.0f);
  ExpectQuaternionEq(trackball.spin, step);
  // Composed into the identity rotation, the step is the rotation.
  ExpectQuaternionEq(trackball.rotation, step);
  EXPECT_EQ(trackball.spinActive, 0);
  EXPECT_EQ(trackball.renormCount, 1);
  EXPECT_EQ(desktop.log, std::vector<std::string>{"repaint"});
  Move(130, 60, kLeft);
  EXPECT_EQ(trackball.renormCount, 2);
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{130, 60}));
}

TEST_F(NavigationTest, ZoomByHalfTheHeightAndCompounding) {
  Start(MouseButton::Left, 10, 60, true);
  Move(10, 10);  // 50 up, half of 100: x 1.5
  EXPECT_FLOAT_EQ(trackball.scale, 0.045f);
  Move(10, 60);  // 50 down: x 0.5
  EXPECT_FLOAT_EQ(trackball.scale, 0.0225f);
  Move(50, 35);  // 25 up: x 1.25; horizontal motion does nothing
  EXPECT_FLOAT_EQ(trackball.scale, 0.028125f);
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"repaint", "repaint", "repaint"}));
  EXPECT_EQ(trackball.dragMode, DragMode::ZoomDrag);
}

TEST_F(NavigationTest, ZoomUsesTheRawPointerOutsideTheView) {
  Start(MouseButton::Left, 10, 10, true);
  Move(10, -40);  // 50 up although above the view
  EXPECT_FLOAT_EQ(trackball.scale, 0.045f);
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{10, -40}));
  Move(10, 10);
  EXPECT_FLOAT_EQ(trackball.scale, 0.0225f);
}

TEST_F(NavigationTest, ZoomNeverReachesZero) {
  Start(MouseButton::Left, 10, 0, true);
  Move(10, 100);  // a full height down would multiply by 0
  EXPECT_GT(trackball.scale, 0.0f);
  EXPECT_EQ(trackball.scale, kMinViewScale);
  Move(10, 400);  // three heights down would multiply by -2
  EXPECT_EQ(trackball.scale, kMinViewScale);
  // Three heights up at a time multiplies by 4: forty such moves would pass 1e19.
  int y = 400;
  for (int i = 0; i < 40; ++i) Move(10, y -= 300);
  EXPECT_EQ(trackball.scale, kMaxViewScale);
}

TEST_F(NavigationTest, PanMovesAcrossTheViewIndependentlyOfZoom) {
  trackball.scale = 0.5f;
  Start(MouseButton::Right, 100, 50);
  Move(150, 30);
  // x: (50 / 200) / 0.5 * 1.3 = 0.65; y: -(-20 / 100) / 0.5 * 1.3 = 0.52.
  EXPECT_FLOAT_EQ(trackball.pan[0], 0.65f);
  EXPECT_FLOAT_EQ(trackball.pan[1], 0.52f);
  EXPECT_FLOAT_EQ(trackball.pan[2], 0.0f);
  EXPECT_EQ(trackball.centre, (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(desktop.log, std::vector<std::string>{"repaint"});
  // Outside the view the raw position counts: 100 more to the right is 1.3 more.
  Move(250, 30);
  EXPECT_FLOAT_EQ(trackball.pan[0], 1.95f);
  EXPECT_EQ(trackball.lastPoint, (std::array<int, 2>{250, 30}));
}

TEST_F(NavigationTest, LeftHeldDuringPanMovesAlongZOnly) {
  trackball.scale = 0.5f;
  Start(MouseButton::Right, 100, 50);
  Move(180, 30, kBoth);
  EXPECT_FLOAT_EQ(trackball.pan[0], 0.0f);
  EXPECT_FLOAT_EQ(trackball.pan[1], 0.0f);
  EXPECT_FLOAT_EQ(trackball.pan[2], 0.52f);
  Move(0, 30, kBoth);  // horizontal only: nothing
  EXPECT_FLOAT_EQ(trackball.pan[0], 0.0f);
  EXPECT_FLOAT_EQ(trackball.pan[2], 0.52f);
}

TEST_F(NavigationTest, CentreDragMovesTheCentreLikePan) {
  trackball.scale = 0.25f;
  Start(MouseButton::Right, 100, 50, true);
  Move(60, 70);
  // x: (-40 / 200) / 0.25 * 1.3 = -1.04; y: -(20 / 100) / 0.25 * 1.3 = -1.04.
  EXPECT_FLOAT_EQ(trackball.centre[0], -1.04f);
  EXPECT_FLOAT_EQ(trackball.centre[1], -1.04f);
  Move(60, 80, kBoth);
  EXPECT_FLOAT_EQ(trackball.centre[2], -0.52f);
  EXPECT_EQ(trackball.pan, (std::array<float, 3>{0, 0, 0}));
}

TEST_F(NavigationTest, ReleaseWithTheOtherButtonHeldWaitsForIt) {
  Start(MouseButton::Left, 100, 50);
  nav.ButtonDown(MouseButton::Right, 100, 50, false, false);  // ignored
  Move(120, 50, kBoth);
  const TrackballState during = trackball;

  EXPECT_EQ(nav.ButtonUp(MouseButton::Left, kRight, true), CaptureRequest::None);
  EXPECT_EQ(trackball.dragMode, DragMode::AwaitRelease);
  EXPECT_EQ(desktop.log, std::vector<std::string>{"redraw"});

  // Motion while waiting changes nothing and draws nothing.
  desktop.ClearRecords();
  Move(10, 90, kRight);
  Move(190, 5, kBoth);
  EXPECT_EQ(trackball.lastPoint, during.lastPoint);
  ExpectQuaternionEq(trackball.spin, during.spin);
  EXPECT_EQ(trackball.scale, during.scale);
  EXPECT_EQ(trackball.pan, during.pan);
  EXPECT_TRUE(desktop.log.empty());

  // A new press is refused; the left button going up again (right still held) keeps waiting.
  EXPECT_EQ(nav.ButtonDown(MouseButton::Left, 1, 1, false, false), CaptureRequest::None);
  EXPECT_EQ(nav.ButtonUp(MouseButton::Left, kRight, true), CaptureRequest::None);
  EXPECT_EQ(trackball.dragMode, DragMode::AwaitRelease);

  EXPECT_EQ(nav.ButtonUp(MouseButton::Right, kNone, true), CaptureRequest::Release);
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_EQ(desktop.sceneRedraws, 2);
}

TEST_F(NavigationTest, OtherButtonsReleaseDuringADragIsIgnored) {
  Start(MouseButton::Right, 100, 50);
  EXPECT_EQ(nav.ButtonUp(MouseButton::Left, kRight, true), CaptureRequest::None);
  EXPECT_EQ(trackball.dragMode, DragMode::PanDrag);
  EXPECT_TRUE(desktop.log.empty());

  // Right up while the left is down: wait; then the left going up ends it.
  EXPECT_EQ(nav.ButtonUp(MouseButton::Right, kLeft, true), CaptureRequest::None);
  EXPECT_EQ(trackball.dragMode, DragMode::AwaitRelease);
  EXPECT_EQ(nav.ButtonUp(MouseButton::Left, kNone, true), CaptureRequest::Release);
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"redraw", "redraw"}));

  Start(MouseButton::Left, 100, 50, true);
  EXPECT_EQ(nav.ButtonUp(MouseButton::Right, kNone, true), CaptureRequest::None);
  EXPECT_EQ(trackball.dragMode, DragMode::ZoomDrag);
}

TEST_F(NavigationTest, CaptureLossEndsAnyDrag) {
  const std::pair<MouseButton, bool> starts[] = {{MouseButton::Left, false}, {MouseButton::Right, false},
                                                 {MouseButton::Right, true}};
  for (const auto& [button, shift] : starts) {
    Start(button, 100, 50, shift);
    nav.CaptureLost();
    EXPECT_EQ(trackball.dragMode, DragMode::Idle);
    EXPECT_EQ(desktop.log, std::vector<std::string>{"redraw"});
  }
  // From waiting for a release, too.
  Start(MouseButton::Left, 100, 50);
  nav.ButtonUp(MouseButton::Left, kRight, true);
  desktop.ClearRecords();
  nav.CaptureLost();
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_EQ(desktop.log, std::vector<std::string>{"redraw"});
  // At rest there is nothing to end.
  desktop.ClearRecords();
  nav.CaptureLost();
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(NavigationTest, EventsWithoutTheCaptureAreIgnored) {
  trackball.scale = 0.5f;
  Start(MouseButton::Right, 100, 50);
  nav.Move(150, 30, kClient, kRight, false);
  EXPECT_EQ(trackball.pan, (std::array<float, 3>{0, 0, 0}));
  EXPECT_EQ(nav.ButtonUp(MouseButton::Right, kNone, false), CaptureRequest::None);
  EXPECT_EQ(trackball.dragMode, DragMode::PanDrag);
  EXPECT_TRUE(desktop.log.empty());
  // Idle motion and releases do nothing either.
  nav.CaptureLost();
  desktop.ClearRecords();
  nav.Move(10, 10, kClient, kNone, true);
  EXPECT_EQ(nav.ButtonUp(MouseButton::Left, kNone, true), CaptureRequest::None);
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(NavigationTest, AViewWithNoAreaIgnoresMotion) {
  Start(MouseButton::Left, 0, 0, true);
  nav.Move(0, 50, ClientSize{200, 0}, kLeft, true);
  nav.Move(0, 50, ClientSize{0, 100}, kLeft, true);
  EXPECT_FLOAT_EQ(trackball.scale, 0.03f);
  EXPECT_TRUE(std::isfinite(trackball.scale));
  EXPECT_TRUE(desktop.log.empty());
}

}  // namespace
}  // namespace tessary
