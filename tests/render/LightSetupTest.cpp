// The GL lights a model's references turn into, read back from GL.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <array>

#include "render/LightSetup.h"
#include "render/OffscreenContext.h"
#include "render/GlState.h"

namespace tessary {
namespace {

std::array<GLfloat, 4> LightVector(GLenum light, GLenum what) {
  std::array<GLfloat, 4> v{-7.0f, -7.0f, -7.0f, -7.0f};
  glGetLightfv(light, what, v.data());
  return v;
}

GLfloat LightValue(GLenum light, GLenum what) {
  GLfloat v = -7.0f;
  glGetLightfv(light, what, &v);
  return v;
}

class LightSetupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    context = OffscreenContext::Create(16, 16, &error);
    ASSERT_NE(context, nullptr) << error;
    InitGLState(16, 16);
  }
  std::string error;
  std::unique_ptr<OffscreenContext> context;
};

TEST_F(LightSetupTest, LightsAreGivenInEyeSpaceWhateverTheViewIs) {
  LightRecord light;
  light.position = {1.0f, 2.0f, 3.0f, 1.0f};
  light.direction = {0.0f, -1.0f, 0.0f, 0.0f};
  light.ambient = {0.1f, 0.2f, 0.3f, 1.0f};
  light.diffuse = {0.4f, 0.5f, 0.6f, 1.0f};
  light.specular = {0.7f, 0.8f, 0.9f, 1.0f};
  light.constantAttenuation = 2.0f;
  light.linearAttenuation = 0.5f;
  light.quadraticAttenuation = 0.25f;
  light.spotCutoff = 45.0f;
  light.spotExponent = 8.0f;
  ModelRecord model;
  model.modelLights.push_back({&light, 1});

  // A turned and moved view: GL would carry a position given under it into eye space.
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(5.0f, -2.0f, 1.0f);
  glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
  std::array<GLfloat, 16> before{}, after{};
  glGetFloatv(GL_MODELVIEW_MATRIX, before.data());
  SetupModelLights(&model);
  glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
  EXPECT_EQ(before, after) << "the view is left as it was";

  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_EQ(LightVector(GL_LIGHT0, GL_POSITION), light.position);
  const auto direction = LightVector(GL_LIGHT0, GL_SPOT_DIRECTION);
  EXPECT_FLOAT_EQ(direction[0], 0.0f);
  EXPECT_FLOAT_EQ(direction[1], -1.0f);
  EXPECT_FLOAT_EQ(direction[2], 0.0f);
  EXPECT_EQ(LightVector(GL_LIGHT0, GL_AMBIENT), light.ambient);
  EXPECT_EQ(LightVector(GL_LIGHT0, GL_DIFFUSE), light.diffuse);
  EXPECT_EQ(LightVector(GL_LIGHT0, GL_SPECULAR), light.specular);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_CONSTANT_ATTENUATION), 2.0f);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_LINEAR_ATTENUATION), 0.5f);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_QUADRATIC_ATTENUATION), 0.25f);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_SPOT_CUTOFF), 45.0f);
  EXPECT_EQ(LightValue(GL_LIGHT0, GL_SPOT_EXPONENT), 8.0f);
  for (int i = 1; i < 8; ++i) EXPECT_FALSE(glIsEnabled(static_cast<GLenum>(GL_LIGHT0 + i))) << i;
}

TEST_F(LightSetupTest, EachReferenceDrivesTheLightOfItsPlace) {
  LightRecord on, off;
  off.enabled = 0;
  on.diffuse = {0.5f, 0.5f, 0.5f, 1.0f};
  ModelRecord model;
  model.modelLights = {{&off, 1}, {&on, 0}, {&on, 1}, {nullptr, 1}, {&on, 1}};
  for (int i = 0; i < 8; ++i) glEnable(static_cast<GLenum>(GL_LIGHT0 + i));  // left on by an earlier model
  SetupModelLights(&model);
  const bool expected[8] = {false, false, true, false, true, false, false, false};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(glIsEnabled(static_cast<GLenum>(GL_LIGHT0 + i)) == GL_TRUE, expected[i]) << i;
  EXPECT_EQ(LightVector(GL_LIGHT2, GL_DIFFUSE), on.diffuse);

  // A null model changes nothing.
  SetupModelLights(nullptr);
  for (int i = 0; i < 8; ++i) EXPECT_EQ(glIsEnabled(static_cast<GLenum>(GL_LIGHT0 + i)) == GL_TRUE, expected[i]) << i;
}

}  // namespace
}  // namespace tessary
