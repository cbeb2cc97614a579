// The model-view matrix a frame starts with, read back from GL, and the matrix stack the
// view transform leaves however often it runs.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cmath>

#include "render/GlState.h"
#include "render/OffscreenContext.h"
#include "view/ViewTransform.h"

namespace tessary {
namespace {

TEST(ViewTransformTest, CameraTimesScalePanRotationCentreFromAFreshCameraEveryFrame) {
  std::string error;
  const auto context = OffscreenContext::Create(32, 32, &error);
  ASSERT_NE(context, nullptr) << error;
  InitGLState(32, 32);
  GLint depth = 0, now = 0, mode = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  const float s = static_cast<float>(std::sqrt(0.5));
  TrackballState t;
  t.scale = 2.0f;
  t.pan = {1.0f, 2.0f, 3.0f};
  t.rotation = {0.0f, 0.0f, s, s};  // as a GL matrix: (a, b, c) -> (b, -a, c)
  t.centre = {4.0f, 5.0f, 6.0f};
  // Whatever the last frame left on the stack and whichever matrix it selected, each frame
  // starts from the camera again.
  for (int i = 0; i < 6; ++i) {
    glMatrixMode(GL_PROJECTION);
    ApplyViewTransform(t);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &now);
    EXPECT_EQ(now, depth);
    if (i < 5) glTranslatef(7.0f, 7.0f, 7.0f);
  }
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  // The origin: + centre (4,5,6); turned (5,-4,6); + pan (6,-2,9); x 2 (12,-4,18); camera
  // 3 back along z: (12,-4,15). Directions: x -> (0,-1,0) -> (0,-2,0); y -> (2,0,0); z -> (0,0,2).
  const std::array<float, 16> expected{0, -2, 0, 0, 2, 0, 0, 0, 0, 0, 2, 0, 12, -4, 15, 1};
  std::array<GLfloat, 16> m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(m[i], expected[i], 1e-5) << "index " << i;
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tessary
