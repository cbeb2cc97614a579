// Composing the spin into the view rotation.
#include <gtest/gtest.h>

#include <cmath>

#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"
#include "view/Trackball.h"
#include "view/ViewCommands.h"

namespace tessary {
namespace {

using Vec = std::array<double, 3>;

Vec Apply(const std::array<float, 16>& m, const Vec& p) {
  Vec r{};
  for (int row = 0; row < 3; ++row) r[row] = m[row] * p[0] + m[4 + row] * p[1] + m[8 + row] * p[2];
  return r;
}

// The transpose of a rotation matrix undoes it.
Vec ApplyInverse(const std::array<float, 16>& m, const Vec& p) {
  Vec r{};
  for (int col = 0; col < 3; ++col) r[col] = m[4 * col] * p[0] + m[4 * col + 1] * p[1] + m[4 * col + 2] * p[2];
  return r;
}

struct ApplySpinTest : ::testing::Test {
  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
};

TEST_F(ApplySpinTest, RepaintsTheViewOnlyAndCounts) {
  trackball.spin = AxisAngleToQuaternion({0.0f, 1.0f, 0.0f}, 0.25f);
  ApplySpin(ws);
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(trackball.rotation[i], trackball.spin[i]);
  EXPECT_EQ(desktop.log, std::vector<std::string>{"repaint"});
  EXPECT_EQ(trackball.renormCount, 1);
  // Four turns of 0.25 radian about y make 1 radian: w = cos 0.5, y = sin 0.5.
  ApplySpin(ws);
  ApplySpin(ws);
  ApplySpin(ws);
  EXPECT_NEAR(trackball.rotation[3], std::cos(0.5), 1e-6);
  EXPECT_NEAR(trackball.rotation[1], std::sin(0.5), 1e-6);
}

TEST_F(ApplySpinTest, SpinActsInScreenSpaceWhateverTheRotation) {
  // However the scene is already turned, a spin from a rightward drag carries the point that
  // faces the viewer to the right.
  trackball.rotation = AxisAngleToQuaternion({0.3f, -1.0f, 0.6f}, 2.0f);
  const auto before = RotationMatrixFromQuaternion(trackball.rotation);
  const Vec facing = ApplyInverse(before, {0, 0, 1});  // the model point now shown nearest
  trackball.spin = TrackballRotation(0.0f, 0.0f, 0.3f, 0.0f);
  ApplySpin(ws);
  const Vec after = Apply(RotationMatrixFromQuaternion(trackball.rotation), facing);
  EXPECT_GT(after[0], 0.2);
  EXPECT_NEAR(after[1], 0.0, 1e-5);
}

TEST_F(ApplySpinTest, RenormalisesOnTheFiftyFirstCallOverAllCallers) {
  trackball.renormCount = 50;
  trackball.rotation = {0.0f, 0.0f, 0.0f, 2.0f};  // squared length 4
  ApplySpin(ws);
  EXPECT_FLOAT_EQ(trackball.rotation[3], 0.5f);
  EXPECT_EQ(trackball.renormCount, 0);
}

}  // namespace
}  // namespace tessary
