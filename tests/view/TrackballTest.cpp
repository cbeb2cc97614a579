// Trackball maths checked against values worked out by hand and against what a user sees:
// dragging to the right carries the near side of the scene to the right.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "view/Trackball.h"

namespace tessary {
namespace {

using Vec = std::array<double, 3>;

// A point through a matrix laid out for glMultMatrixf: column-major, column c at 4c..4c+2.
Vec Apply(const std::array<float, 16>& m, const Vec& p) {
  Vec r{};
  for (int row = 0; row < 3; ++row) r[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2];
  return r;
}

void ExpectQuaternionNear(const Quaternion& q, const Quaternion& expected, double tolerance = 1e-6) {
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(q[i], expected[i], tolerance) << "component " << i;
}

const double kHalfRoot2 = std::sqrt(0.5);

TEST(Trackball, QuarterTurnAboutZ) {
  // Half of 90 degrees is 45: (0, 0, sin 45, cos 45). The axis length does not matter.
  const Quaternion q = AxisAngleToQuaternion({0.0f, 0.0f, 5.0f}, static_cast<float>(std::numbers::pi / 2));
  ExpectQuaternionNear(q, {0.0f, 0.0f, static_cast<float>(kHalfRoot2), static_cast<float>(kHalfRoot2)});

  // With x = y = 0 and z = w = sqrt(1/2) the table gives 1 - 2 z^2 = 0 on the x and y
  // diagonal entries, -2zw = -1 at index 1, +2zw = 1 at index 4 and 1 at index 10.
  const auto m = RotationMatrixFromQuaternion(q);
  const std::array<float, 16> expected{0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-6) << "index " << i;
  // Read by GL (column-major), x goes to -y and y to x: the matrix turns by the opposite
  // of the quaternion's own sense, which is what keeps drags following the pointer.
  const Vec x = Apply(m, {1, 0, 0});
  EXPECT_NEAR(x[0], 0.0, 1e-6);
  EXPECT_NEAR(x[1], -1.0, 1e-6);
  const Vec y = Apply(m, {0, 1, 0});
  EXPECT_NEAR(y[0], 1.0, 1e-6);
  EXPECT_NEAR(y[1], 0.0, 1e-6);
}

TEST(Trackball, AxisOfNoLengthGivesNoTurn) {
  const Quaternion q = AxisAngleToQuaternion({0.0f, 0.0f, 0.0f}, 1.0f);
  ExpectQuaternionNear(q, {0.0f, 0.0f, 0.0f, 1.0f}, 0.0);
}

TEST(Trackball, ProjectsOntoSphereNearTheMiddleAndSheetBeyond) {
  // (0.3, 0.4) is 0.5 from the middle, inside 0.8 / sqrt 2 = 0.5657: sqrt(0.64 - 0.25).
  EXPECT_NEAR(ProjectToTrackball(0.8f, 0.3f, 0.4f), std::sqrt(0.39), 1e-6);
  EXPECT_NEAR(ProjectToTrackball(0.8f, 0.0f, 0.0f), 0.8, 1e-6);
  // (0.6, 0.8) is 1 away: on the sheet (0.8^2 / 2) / 1 = 0.32.
  EXPECT_NEAR(ProjectToTrackball(0.8f, 0.6f, 0.8f), 0.32, 1e-6);
  EXPECT_NEAR(ProjectToTrackball(0.8f, -2.0f, 0.0f), 0.16, 1e-6);
  // Sphere and sheet meet at d = r / sqrt 2 with the same height r / sqrt 2.
  const float edge = static_cast<float>(0.8 * kHalfRoot2);
  EXPECT_NEAR(ProjectToTrackball(0.8f, edge - 1e-4f, 0.0f), 0.8 * kHalfRoot2, 2e-4);
  EXPECT_NEAR(ProjectToTrackball(0.8f, edge + 1e-4f, 0.0f), 0.8 * kHalfRoot2, 2e-4);
}

TEST(Trackball, RotationCarriesFirstLiftedPointOntoSecond) {
  // Both points lie inside the sphere part, so both lifted points are on the ball of radius
  // 0.8 and the turn between them is exact.
  const std::array<std::array<float, 4>, 3> pairs{{{0.1f, 0.2f, -0.3f, 0.25f},
                                                   {-0.2f, -0.1f, 0.05f, 0.3f},
                                                   {0.0f, 0.0f, 0.4f, -0.1f}}};
  for (const auto& p : pairs) {
    const Vec p1{p[0], p[1], std::sqrt(0.64 - p[0] * p[0] - p[1] * p[1])};
    const Vec p2{p[2], p[3], std::sqrt(0.64 - p[2] * p[2] - p[3] * p[3])};
    const Quaternion q = TrackballRotation(p[0], p[1], p[2], p[3]);
    const Vec turned = Apply(RotationMatrixFromQuaternion(q), p1);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(turned[i], p2[i], 1e-5) << "pair " << p[0] << " component " << i;
  }
}

TEST(Trackball, DragTurnsTheNearSideOfTheSceneWithThePointer) {
  const Vec nearSide{0, 0, 1};
  const Vec right = Apply(RotationMatrixFromQuaternion(TrackballRotation(0.0f, 0.0f, 0.2f, 0.0f)), nearSide);
  EXPECT_GT(right[0], 0.1);
  EXPECT_NEAR(right[1], 0.0, 1e-6);
  const Vec up = Apply(RotationMatrixFromQuaternion(TrackballRotation(0.0f, 0.0f, 0.0f, 0.2f)), nearSide);
  EXPECT_GT(up[1], 0.1);
  EXPECT_NEAR(up[0], 0.0, 1e-6);
}

TEST(Trackball, EqualPointsGiveIdentity) {
  ExpectQuaternionNear(TrackballRotation(0.3f, -0.7f, 0.3f, -0.7f), {0.0f, 0.0f, 0.0f, 1.0f}, 0.0);
  ExpectQuaternionNear(TrackballRotation(2.0f, 2.0f, 2.0f, 2.0f), {0.0f, 0.0f, 0.0f, 1.0f}, 0.0);
}

TEST(Trackball, FarApartPointsTurnAtMostHalfAWay) {
  // Opposite corners far out on the sheet: the chord is longer than the ball's diameter, so
  // the sine is held at 1 and the turn is 180 degrees (w = cos 90 = 0).
  const Quaternion q = TrackballRotation(-5.0f, 0.0f, 5.0f, 0.0f);
  EXPECT_NEAR(q[3], 0.0, 1e-6);
  EXPECT_NEAR(std::hypot(q[0], q[1], q[2]), 1.0, 1e-6);
}

TEST(Trackball, ComposesFirstThenSecond) {
  // a = 90 degrees about x, b = 90 degrees about y, s = sqrt(1/2). b * a by hand:
  // vector s*s*(1,0,0) + s*s*(0,1,0) + s*s*((0,1,0) x (1,0,0)) = (1/2, 1/2, -1/2),
  // scalar s*s - 0 = 1/2.
  const float s = static_cast<float>(kHalfRoot2);
  int count = 0;
  const Quaternion q = ComposeRotations({s, 0.0f, 0.0f, s}, {0.0f, s, 0.0f, s}, count);
  ExpectQuaternionNear(q, {0.5f, 0.5f, -0.5f, 0.5f});
  EXPECT_EQ(count, 1);
  // Turning x about x leaves it; then about y takes it to -z: the first column of the
  // usual rotation matrix of q is (1 - 2(y^2+z^2), 2(xy+zw), 2(xz-yw)) = (0, 0, -1).
  EXPECT_NEAR(2.0 * (q[0] * q[2] - q[1] * q[3]), -1.0, 1e-6);
}

TEST(Trackball, EveryFiftyFirstCompositionDividesBySumOfSquares) {
  // A scalar 2 times (1, 2, 0, 1) is (2, 4, 0, 2), of sum of squares 24.
  const Quaternion two{0.0f, 0.0f, 0.0f, 2.0f};
  const Quaternion q2{1.0f, 2.0f, 0.0f, 1.0f};
  int count = 0;
  for (int i = 1; i <= 50; ++i) {
    ExpectQuaternionNear(ComposeRotations(two, q2, count), {2.0f, 4.0f, 0.0f, 2.0f}, 0.0);
    ASSERT_EQ(count, i);
  }
  // The 51st is divided by 24 (dividing by its root would give about 0.41, 0.82, 0, 0.41).
  ExpectQuaternionNear(ComposeRotations(two, q2, count), {2.0f / 24, 4.0f / 24, 0.0f, 2.0f / 24});
  EXPECT_EQ(count, 0);
  ExpectQuaternionNear(ComposeRotations(two, q2, count), {2.0f, 4.0f, 0.0f, 2.0f}, 0.0);
  EXPECT_EQ(count, 1);

  // A counter already at 50 (from other callers) renormalises on the next call.
  count = 50;
  EXPECT_FLOAT_EQ(ComposeRotations(two, q2, count)[3], 2.0f / 24);
}

}  // namespace
}  // namespace tessary
