// GL state the pictures rest on, read back from an offscreen context: what an upload leaves in
// a texture, the five filter modes, and which lights a model is given.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "render/LightSetup.h"
#include "support/GlTestSupport.h"

namespace tessary {
namespace {

std::pair<GLint, GLint> Size(GLint level) {
  GLint width = -1, height = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
  return {width, height};
}
std::vector<std::uint8_t> Level(GLint level) {
  std::vector<std::uint8_t> texels(std::size_t(Size(level).first * Size(level).second * 4), 0x77);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  return texels;
}
std::pair<GLint, GLint> Filters() {
  GLint min = 0, mag = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
  return {min, mag};
}
class GlStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view.Ok()) << view.error; }
  testing::OffscreenScene view{16, 16, 1.0};
};

TEST_F(GlStateTest, AnUploadKeepsTheImageBuildsEveryLevelAndFiltersApplyToTheBoundTexture) {
  // Pixel transfer left scaling and biasing by someone else must not reach the texels.
  for (GLenum scale : {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE}) glPixelTransferf(scale, 0.5f);
  for (GLenum bias : {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS}) glPixelTransferf(bias, 0.25f);
  // 4 x 4 whose 2 x 2 blocks average exactly: red 6, 10, 20 and 40 (top left, top right,
  // bottom left, bottom right), so the 1 x 1 level is 19; green is 255 - red, blue 100.
  const int red[16] = {0, 4, 8, 12, 8, 12, 8, 12, 16, 24, 40, 40, 20, 20, 40, 40};
  std::vector<std::uint8_t> rgba;
  for (int r : red) rgba.insert(rgba.end(), {std::uint8_t(r), std::uint8_t(255 - r), 100, 255});
  auto image = view.Image(4, 4, rgba);
  EXPECT_EQ(Level(0), rgba);
  ASSERT_EQ(std::make_pair(Size(1), Size(2)), std::make_pair(std::make_pair(2, 2), std::make_pair(1, 1)));
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(Level(1)[i * 4], (std::array{6, 10, 20, 40})[i], 1) << i;
  EXPECT_NEAR(Level(2)[0], 19, 1);

  // Each mode, in an order in which it changes both values that can change, then modes out
  // of range, which leave mode 3's values; another texture keeps those of its upload.
  auto other = view.SolidImage(1, 2, 3);
  const std::pair<GLint, GLint> table[5] = {{GL_NEAREST, GL_NEAREST},
                                            {GL_LINEAR, GL_LINEAR},
                                            {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR},
                                            {GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR},
                                            {GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR}};
  BindTexture(image->textureName);
  for (int mode : {0, 4, 1, 2, 0, 3, 5, -1, 100}) {
    ApplyTextureFilter(mode);
    EXPECT_EQ(Filters(), table[mode > 4 || mode < 0 ? 3 : mode]) << "mode " << mode;
  }
  BindTexture(other->textureName);
  EXPECT_EQ(Filters(), table[4]);
  const GLuint name = image->textureName;
  image.reset();
  EXPECT_FALSE(glIsTexture(name)) << "the texture object goes with its image";
}

TEST_F(GlStateTest, GlLightIStandsForReferenceIWhenItAndItsLightAreOn) {
  // A ninth reference has no light.
  LightRecord on, off;
  off.enabled = 0;
  ModelRecord model;
  model.modelLights = {{&on, 0}, {&off, 1}, {nullptr, 1}};
  model.modelLights.resize(9, {&on, 1});
  SetupModelLights(&model);
  for (GLenum i = 0; i < 8; ++i) EXPECT_EQ(glIsEnabled(GL_LIGHT0 + i), i >= 3) << i;
}

}  // namespace
}  // namespace tessary
