// Trackball maths against values worked out by hand and against what a user sees (dragging
// to the right carries the near side of the scene to the right), and the spin composed into
// the view rotation by the idle loop.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/TestWorkspace.h"
#include "view/Trackball.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using Vec = std::array<double, 3>;
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

TEST(TrackballTest, AQuarterTurnAboutZAndPointsLiftedOntoASphereNearTheMiddleAndASheetBeyond) {
  // Half of 90 degrees is 45: (0, 0, sin 45, cos 45), whatever the axis length. As a matrix
  // 1 - 2z^2 = 0 on the x and y diagonal, -2zw = -1 at index 1, +2zw = 1 at index 4: read by
  // GL, x goes to -y and y to x.
  const Quaternion q = AxisAngleToQuaternion({0.0f, 0.0f, 5.0f}, static_cast<float>(std::numbers::pi / 2));
  ExpectNear(q, {0.0f, 0.0f, static_cast<float>(kHalfRoot2), static_cast<float>(kHalfRoot2)});
  const auto m = RotationMatrixFromQuaternion(q);
  const std::array<float, 16> expected{0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-6) << "index " << i;
  ExpectNear(AxisAngleToQuaternion({0.0f, 0.0f, 0.0f}, 1.0f), {0, 0, 0, 1}, 0.0);  // no axis, no turn

  // (0.3, 0.4) is 0.5 out, inside 0.8 / sqrt 2: sqrt(0.64 - 0.25). (0.6, 0.8) is 1 out, on
  // the sheet: (0.8^2 / 2) / 1. Sphere and sheet meet at d = r / sqrt 2, height r / sqrt 2.
  const float edge = static_cast<float>(0.8 * kHalfRoot2);
  const std::tuple<float, float, double> lifts[] = {{0.3f, 0.4f, std::sqrt(0.39)}, {0.0f, 0.0f, 0.8}, {0.6f, 0.8f, 0.32},
                                                    {-2.0f, 0.0f, 0.16}, {edge - 1e-4f, 0.0f, edge}, {edge + 1e-4f, 0.0f, edge}};
  for (auto [x, y, z] : lifts) EXPECT_NEAR(ProjectToTrackball(0.8f, x, y), z, 2e-4) << x << "," << y;
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

TEST(TrackballTest, CompositionAppliesTheFirstThenTheSecondAndRenormalisesEveryFiftyFirst) {
  // a = 90 degrees about x, b = 90 degrees about y, s = sqrt(1/2). b * a by hand: vector
  // s*s*(1,0,0) + s*s*(0,1,0) + s*s*((0,1,0) x (1,0,0)) = (1/2, 1/2, -1/2), scalar 1/2.
  const float s = static_cast<float>(kHalfRoot2);
  int count = 0;
  ExpectNear(ComposeRotations({s, 0.0f, 0.0f, s}, {0.0f, s, 0.0f, s}, count), {0.5f, 0.5f, -0.5f, 0.5f});
  // Every term at once: (1,2,3) * 8 + (5,6,7) * 4 + (5,6,7) x (1,2,3) = (32, 32, 56); 32 - 38 = -6.
  ExpectNear(ComposeRotations({1, 2, 3, 4}, {5, 6, 7, 8}, count), {32, 32, 56, -6});
  // A scalar 2 times (1, 2, 0, 1) is (2, 4, 0, 2), of sum of squares 24. The 51st call
  // divides by 24 (by its root it would be about 0.41, 0.82, 0, 0.41).
  const Quaternion two{0.0f, 0.0f, 0.0f, 2.0f}, q{1.0f, 2.0f, 0.0f, 1.0f};
  for (int i = 3; i <= 50; ++i) ExpectNear(ComposeRotations(two, q, count), {2.0f, 4.0f, 0.0f, 2.0f}, 0.0);
  EXPECT_EQ(count, 50);
  ExpectNear(ComposeRotations(two, q, count), {2.0f / 24, 4.0f / 24, 0.0f, 2.0f / 24});
  EXPECT_EQ(count, 0);
}

TEST(TrackballTest, TheSpinTurnsTheViewInScreenSpaceWhateverItsRotation) {
  testing::TestWorkspace t;
  TrackballState& trackball = t.trackball;
  trackball.rotation = AxisAngleToQuaternion({0.3f, -1.0f, 0.6f}, 2.0f);
  const auto before = RotationMatrixFromQuaternion(trackball.rotation);
  // The model point now nearest the viewer: the transpose of a rotation undoes it.
  Vec facing{};
  for (int c = 0; c < 3; ++c) facing[c] = before[4 * c + 2];
  trackball.spin = TrackballRotation(0.0f, 0.0f, 0.3f, 0.0f);  // a drag to the right
  ApplySpin(t.ws);
  const Vec after = Apply(RotationMatrixFromQuaternion(trackball.rotation), facing);
  EXPECT_GT(after[0], 0.2);
  EXPECT_NEAR(after[1], 0.0, 1e-5);
  EXPECT_EQ(t.desktop.log, std::vector<std::string>{"repaint"});
  EXPECT_EQ(trackball.renormCount, 1);
}

}  // namespace
}  // namespace tessary
