#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "render/GlState.h"
#include "render/OffscreenContext.h"

namespace tessary {
namespace {

std::array<GLfloat, 16> Matrix(GLenum which) {
  std::array<GLfloat, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

class GlStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context = OffscreenContext::Create(64, 48, &error);
    ASSERT_NE(context, nullptr) << error;
    InitGLState(64, 48);
  }
  std::unique_ptr<OffscreenContext> context;
};

TEST_F(GlStateTest, StartsWithTheViewersFixedState) {
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
  GLint localViewer = 0;
  glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &localViewer);
  EXPECT_EQ(localViewer, 1);
  GLfloat ambient[4] = {9, 9, 9, 9};
  glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
  EXPECT_EQ(ambient[0], 0.0f);
  EXPECT_EQ(ambient[1], 0.0f);
  EXPECT_EQ(ambient[2], 0.0f);
  EXPECT_EQ(ambient[3], 1.0f);
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 2.0f);
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  EXPECT_EQ(depth, 2) << "the camera stays pushed";
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(GlStateTest, CameraLooksDownMinusZFromThreeUnits) {
  auto mv = Matrix(GL_MODELVIEW_MATRIX);
  // gluLookAt from (0,0,3) at the origin with y up is a pure translation by -3 along z.
  const std::array<GLfloat, 16> expected{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -3, 1};
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(mv[i], expected[i], 1e-6) << i;
}

TEST_F(GlStateTest, ProjectionFarPlaneIsFourUntilTheFirstResize) {
  // For gluPerspective, m[10] = (f + n) / (n - f) and m[14] = 2 f n / (n - f);
  // m[5] = cot(fovy / 2) and m[0] = m[5] / aspect.
  const double cot15 = 1.0 / std::tan(15.0 * M_PI / 180.0);
  auto p = Matrix(GL_PROJECTION_MATRIX);
  EXPECT_NEAR(p[10], 5.0 / -3.0, 1e-5);
  EXPECT_NEAR(p[14], 8.0 / -3.0, 1e-5);
  EXPECT_NEAR(p[5], cot15, 1e-5);
  EXPECT_NEAR(p[0], cot15 / (64.0 / 48.0), 1e-5);

  EXPECT_TRUE(ResizeGL(30, 60));
  p = Matrix(GL_PROJECTION_MATRIX);
  EXPECT_NEAR(p[10], 1001.0 / -999.0, 1e-5);
  EXPECT_NEAR(p[14], 2000.0 / -999.0, 1e-5);
  EXPECT_NEAR(p[0], cot15 / 0.5, 1e-4);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 30);
  EXPECT_EQ(viewport[3], 60);
}

TEST_F(GlStateTest, ZeroHeightKeepsViewportAndProjection) {
  ASSERT_TRUE(ResizeGL(40, 20));
  auto before = Matrix(GL_PROJECTION_MATRIX);
  EXPECT_FALSE(ResizeGL(100, 0));
  auto after = Matrix(GL_PROJECTION_MATRIX);
  EXPECT_EQ(before, after);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 40);
  EXPECT_EQ(viewport[3], 20);
}

TEST(InitGLState, ZeroHeightGivesAspectOne) {
  std::string error;
  auto context = OffscreenContext::Create(8, 8, &error);
  ASSERT_NE(context, nullptr) << error;
  InitGLState(50, 0);
  auto p = Matrix(GL_PROJECTION_MATRIX);
  EXPECT_NEAR(p[0], p[5], 1e-6);
}

}  // namespace
}  // namespace tessary
