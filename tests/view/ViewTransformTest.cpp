// The model-view matrix a frame starts with, read back from GL after the view transform.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "render/GlState.h"
#include "render/OffscreenContext.h"
#include "view/ViewTransform.h"

namespace tessary {
namespace {

std::array<GLfloat, 16> ModelView() {
  std::array<GLfloat, 16> m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m;
}

GLint ModelViewDepth() {
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  return depth;
}

class ViewTransformTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context = OffscreenContext::Create(32, 32, &error);
    ASSERT_NE(context, nullptr) << error;
    InitGLState(32, 32);
  }
  std::unique_ptr<OffscreenContext> context;
};

TEST_F(ViewTransformTest, CameraTimesScalePanRotationCentre) {
  TrackballState t;
  t.scale = 2.0f;
  t.pan = {1.0f, 2.0f, 3.0f};
  const float s = static_cast<float>(std::sqrt(0.5));
  t.rotation = {0.0f, 0.0f, s, s};  // as a GL matrix: (a, b, c) -> (b, -a, c)
  t.centre = {4.0f, 5.0f, 6.0f};
  ApplyViewTransform(t);

  // The origin: + centre (4,5,6); turned (5,-4,6); + pan (6,-2,9); x 2 (12,-4,18);
  // camera 3 back along z: (12,-4,15). Directions: x -> (0,-1,0) -> (0,-2,0);
  // y -> (1,0,0) -> (2,0,0); z -> (0,0,2).
  const std::array<float, 16> expected{0, -2, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0, 12, -4, 15, 1};
  const auto m = ModelView();
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-5) << "index " << i;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ViewTransformTest, StartsFromTheCameraEveryTimeAndKeepsTheStackDepth) {
  const GLint depth = ModelViewDepth();
  TrackballState t;
  t.scale = 0.5f;
  t.pan = {0.0f, 0.0f, -1.0f};
  // Whatever a frame left on the stack, and whichever matrix was selected, the next one
  // starts from the camera again.
  for (int i = 0; i < 5; ++i) {
    glMatrixMode(GL_PROJECTION);
    ApplyViewTransform(t);
    glTranslatef(7.0f, 7.0f, 7.0f);
    EXPECT_EQ(ModelViewDepth(), depth);
  }
  ApplyViewTransform(t);
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  // Origin: pan (0,0,-1), x 0.5 (0,0,-0.5), camera (0,0,-3.5); the axes scaled by 0.5.
  const std::array<float, 16> expected{0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, -3.5f, 1};
  const auto m = ModelView();
  for (int k = 0; k < 16; ++k) EXPECT_NEAR(m[k], expected[k], 1e-6) << "index " << k;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tessary
