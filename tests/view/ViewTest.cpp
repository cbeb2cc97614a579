// The view: trackball maths against values worked out by hand and against what a user sees
// (dragging to the right carries the near side of the scene to the right), the mouse
// navigation state machine driven by event sequences on a 200 x 100 client area, and
// stepping frames by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/TestWorkspace.h"
#include "view/Navigation.h"
#include "view/Trackball.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using Log = std::vector<std::string>;
using Point = std::array<int, 2>;
using Vec = std::array<double, 3>;
constexpr HeldButtons kNone{}, kBoth{true, true};
constexpr MouseButton L = MouseButton::Left, R = MouseButton::Right;
const Quaternion kIdentity{0.0f, 0.0f, 0.0f, 1.0f};
const double kHalfRoot2 = std::sqrt(0.5);

// A point through a matrix laid out for glMultMatrixf: column-major, column c at 4c..4c+2.
Vec Apply(const std::array<float, 16>& m, const Vec& p) {
  Vec r{};
  for (int row = 0; row < 3; ++row) r[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2];
  return r;
}

void ExpectNear(const Quaternion& q, const Quaternion& expected, double tolerance = 1e-6) {
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(q[i], expected[i], tolerance) << "component " << i;
}

TEST(TrackballTest, AQuarterTurnAboutZ) {
  // Half of 90 degrees is 45: (0, 0, sin 45, cos 45), whatever the axis length. As a matrix
  // 1 - 2z^2 = 0 on the x and y diagonal, -2zw = -1 at index 1, +2zw = 1 at index 4: read by
  // GL, x goes to -y and y to x.
  const Quaternion q = AxisAngleToQuaternion({0.0f, 0.0f, 5.0f}, static_cast<float>(std::numbers::pi / 2));
  ExpectNear(q, {0.0f, 0.0f, static_cast<float>(kHalfRoot2), static_cast<float>(kHalfRoot2)});
  const auto m = RotationMatrixFromQuaternion(q);
  const std::array<float, 16> expected{0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-6) << "index " << i;
  ExpectNear(AxisAngleToQuaternion({0.0f, 0.0f, 0.0f}, 1.0f), {0, 0, 0, 1}, 0.0);  // no axis, no turn
}

TEST(TrackballTest, ADragTurnsTheFirstLiftedPointOntoTheSecondSoTheSceneFollowsThePointer) {
  // Both points inside the sphere part lift onto the ball of radius 0.8.
  const std::array<float, 4> pairs[] = {
      {0.1f, 0.2f, -0.3f, 0.25f}, {-0.2f, -0.1f, 0.05f, 0.3f}, {0.0f, 0.0f, 0.2f, 0.0f}};
  for (const auto& p : pairs) {
    const Vec p1{p[0], p[1], std::sqrt(0.64 - p[0] * p[0] - p[1] * p[1])};
    const Vec p2{p[2], p[3], std::sqrt(0.64 - p[2] * p[2] - p[3] * p[3])};
    const Vec turned = Apply(RotationMatrixFromQuaternion(TrackballRotation(p[0], p[1], p[2], p[3])), p1);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(turned[i], p2[i], 1e-5) << "pair " << p[0] << " component " << i;
  }
  ExpectNear(TrackballRotation(0.3f, -0.7f, 0.3f, -0.7f), {0, 0, 0, 1}, 0.0);
  // Far out on the sheet the chord outgrows the ball: the turn is held at 180 degrees.
  ExpectNear(TrackballRotation(-5.0f, 0.0f, 5.0f, 0.0f), {0, -1, 0, 0});
}

TEST(TrackballTest, TheSpinTurnsTheViewInScreenSpaceByElapsedTimeWhateverItsRotationOrTheFrameRate) {
  const double degree = std::numbers::pi / 180.0;
  EXPECT_EQ(ScaleRotation(kIdentity, 3.0), kIdentity);
  // One degree a sixtieth about the screen's vertical turns the view 30 degrees in half a
  // second, in one frame or in thirty (ApplySpin turns it by a spin of 30 degrees once).
  // Whatever the view's rotation, the model point nearest the viewer turns 30 degrees about
  // the vertical, to the left (the matrix turns as the quarter turn above: x to -y about z).
  for (int frames : {0, 1, 30}) {
    testing::TestWorkspace t;
    TrackballState& trackball = t.trackball;
    trackball.rotation = AxisAngleToQuaternion({0.3f, -1.0f, 0.6f}, 2.0f);
    const auto before = RotationMatrixFromQuaternion(trackball.rotation);
    Vec facing{};  // the transpose of a rotation undoes it
    for (int c = 0; c < 3; ++c) facing[c] = before[4 * c + 2];
    trackball.spin = AxisAngleToQuaternion({0.0f, 1.0f, 0.0f}, static_cast<float>((frames == 0 ? 30 : 1) * degree));
    trackball.spinActive = 1;
    EXPECT_TRUE(ViewIsMoving(t.ws)) << "a spin keeps the view drawing on idle";
    if (frames == 0) ApplySpin(t.ws);
    for (int i = 0; i < frames; ++i) AdvanceMovingView(t.ws, 0.5 / frames);
    const Vec after = Apply(RotationMatrixFromQuaternion(trackball.rotation), facing);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(after[k], (Vec{-0.5, 0.0, std::sqrt(0.75)})[k], 1e-5) << frames;
    EXPECT_EQ(trackball.renormCount, std::max(frames, 1));
  }
}

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

TEST_F(NavigationTest, ZoomFollowsTheVerticalMotionAndPanAndCentreMoveIndependentlyOfIt) {
  Start(L, 10, 60, true);
  Move(50, 110);  // 50 down, half of 100: x 0.5; sideways does nothing
  Move(10, 10);   // 100 up from there: x 2
  EXPECT_FLOAT_EQ(trackball.scale, 0.03f);
  EXPECT_EQ(desktop.log, Log(2, "repaint"));
  Move(10, 110);  // a full height down would multiply by 0: held at the least scale
  EXPECT_EQ(trackball.scale, kMinViewScale);
  nav.CaptureLost();
  trackball.scale = 0.5f;
  Start(R, 100, 50);
  Move(150, 30);  // x: (50 / 200) / 0.5 * 1.3 = 0.65; y: -(-20 / 100) / 0.5 * 1.3 = 0.52
  Move(230, 10, kBoth);  // along z by the vertical motion only
  nav.CaptureLost();
  Start(R, 100, 50, true);
  Move(60, 70);  // x: (-40 / 200) / 0.5 * 1.3 = -0.52; y: -(20 / 100) / 0.5 * 1.3 = -0.52
  EXPECT_EQ(std::make_pair(trackball.pan, trackball.centre),
            std::make_pair(std::array{0.65f, 0.52f, 0.52f}, std::array{-0.52f, -0.52f, 0.0f}));
}

TEST(FrameSteppingTest, ModelsWrapBothWaysOnTheirOwnFrameCountsUnlessLocked) {
  testing::TestWorkspace t;
  StepCurrentModel(t.ws, +1);
  StepAllModels(t.ws, -1);
  EXPECT_EQ(t.desktop.log, (std::vector<std::string>{"redraw", "refresh"})) << "all models redraw even with none";
  for (int count : {1, 2, 5, 4}) t.scene.models.emplace_back(std::make_unique<ModelRecord>())->frames.resize(count);
  std::tie(t.scene.models[3]->lockFrame, t.scene.models[3]->currentFrame) = std::make_pair(1, 2);
  // All models five steps forward, then one back; then the model with five frames alone;
  // then the locked one, which stays and draws nothing.
  const std::vector<int> expected[] = {{0, 1, 1, 2}, {0, 0, 2, 2}, {0, 1, 3, 2}, {0, 0, 4, 2}, {0, 1, 0, 2},
                                       {0, 0, 4, 2}, {0, 0, 0, 2}, {0, 0, 4, 2}, {0, 0, 4, 2}};
  for (int i = 0; i < 9; ++i) {
    t.desktop.ClearRecords();
    t.scene.currentModel = i < 8 ? 2 : 3;
    if (i < 6) StepAllModels(t.ws, i < 5 ? +1 : -1);
    else StepCurrentModel(t.ws, i == 6 ? +1 : -1);
    std::vector<int> frames;
    for (const auto& m : t.scene.models) frames.push_back(m->currentFrame);
    EXPECT_EQ(frames, expected[i]) << "step " << i;
    EXPECT_EQ(t.desktop.log.size(), i < 8 ? 2u : 0u) << "step " << i;
  }
}

}  // namespace
}  // namespace tessary
