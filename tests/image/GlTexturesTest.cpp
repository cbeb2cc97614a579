// Texture objects in a real (offscreen) GL context: what an upload leaves in the texture
// and in the GL state, binding, and the five filter modes.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <memory>
#include <string>
#include <vector>

#include "image/GlTextures.h"
#include "support/TempFolder.h"
#include "image/TextureFile.h"
#include "render/OffscreenContext.h"
#include "support/ImageWriters.h"
#include "support/ScriptedDesktop.h"

namespace tessary {
namespace {

class GlTexturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    context = OffscreenContext::Create(16, 16, &error);
    ASSERT_NE(context, nullptr) << error;
  }
  void TearDown() override {
    images.clear();  // texture objects go while the context is current
    context.reset();
  }

  ImageRGBA& Upload(int width, int height, std::vector<std::uint8_t> rgba) {
    auto image = std::make_unique<ImageRGBA>();
    image->width = width;
    image->height = height;
    image->pixels = std::move(rgba);
    image->textureName = device.CreateTexture();
    image->device = &device;
    device.UploadTexture(*image);
    images.push_back(std::move(image));
    return *images.back();
  }

  static GLint LevelSize(GLint level, GLenum which) {
    GLint value = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, which, &value);
    return value;
  }
  static std::vector<std::uint8_t> Level(GLint level) {
    const GLint w = LevelSize(level, GL_TEXTURE_WIDTH), h = LevelSize(level, GL_TEXTURE_HEIGHT);
    std::vector<std::uint8_t> texels(static_cast<std::size_t>(w) * h * 4, 0x77);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    return texels;
  }
  static std::pair<GLint, GLint> Filters() {
    GLint min = 0, mag = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
    return {min, mag};
  }

  std::unique_ptr<OffscreenContext> context;
  GlTextureDevice device;
  std::vector<std::unique_ptr<ImageRGBA>> images;
};

// 4 x 4 RGBA whose 2 x 2 blocks average exactly: red 6, 10, 20 and 40 (top left, top right,
// bottom left, bottom right), so the 1 x 1 level is 19; green is 255 - red, blue 100.
std::vector<std::uint8_t> FourByFour() {
  const int red[4][4] = {{0, 4, 8, 12}, {8, 12, 8, 12}, {16, 24, 40, 40}, {20, 20, 40, 40}};
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) {
      const int r = red[y][x];
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(255 - r), 100, 255});
    }
  return rgba;
}

TEST_F(GlTexturesTest, AnUploadKeepsTheImageAndBuildsEveryLevel) {
  // Rows of the table above: block (0,0) holds 0, 4, 8, 12; block (1,0) holds 8, 12, 8, 12;
  // block (0,1) holds 16, 24, 20, 20; block (1,1) holds 40 four times.
  const auto pixels = FourByFour();
  const ImageRGBA& image = Upload(4, 4, pixels);
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  ASSERT_EQ(static_cast<std::uint32_t>(bound), image.textureName);
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  EXPECT_EQ(Level(0), pixels);
  EXPECT_EQ(LevelSize(1, GL_TEXTURE_WIDTH), 2);
  EXPECT_EQ(LevelSize(1, GL_TEXTURE_HEIGHT), 2);
  EXPECT_EQ(LevelSize(2, GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(LevelSize(2, GL_TEXTURE_HEIGHT), 1);
  const auto half = Level(1);
  const int expectedHalf[4] = {6, 10, 20, 40};
  for (int i = 0; i < 4; ++i) EXPECT_NEAR(half[i * 4], expectedHalf[i], 1) << i;
  const auto single = Level(2);
  EXPECT_NEAR(single[0], 19, 1);
  EXPECT_NEAR(single[1], 255 - 19, 1);
  EXPECT_EQ(single[2], 100);
  EXPECT_EQ(single[3], 255);
}

TEST_F(GlTexturesTest, SidesThatAreNotPowersOfTwoAreScaledByGlu) {
  // 100 x 60, left half red and right half blue. GLU takes each side to the nearest power
  // of two (100 -> 128, 60 -> 64) and builds levels down to 1 x 1.
  std::vector<std::uint8_t> rgba;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 100; ++x) rgba.insert(rgba.end(), {std::uint8_t(x < 50 ? 255 : 0), 0, std::uint8_t(x < 50 ? 0 : 255), 255});
  Upload(100, 60, rgba);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  ASSERT_EQ(LevelSize(0, GL_TEXTURE_WIDTH), 128);
  ASSERT_EQ(LevelSize(0, GL_TEXTURE_HEIGHT), 64);
  EXPECT_EQ(LevelSize(7, GL_TEXTURE_WIDTH), 1);
  EXPECT_EQ(LevelSize(7, GL_TEXTURE_HEIGHT), 1);
  const auto level0 = Level(0);
  for (int y : {0, 31, 63}) {
    const std::size_t left = static_cast<std::size_t>(y * 128 + 2) * 4, right = static_cast<std::size_t>(y * 128 + 125) * 4;
    EXPECT_EQ(level0[left], 255) << y;
    EXPECT_EQ(level0[left + 2], 0) << y;
    EXPECT_EQ(level0[right], 0) << y;
    EXPECT_EQ(level0[right + 2], 255) << y;
  }
  const auto last = Level(7);
  EXPECT_NEAR(last[0], 128, 3);
  EXPECT_NEAR(last[2], 128, 3);
}

TEST_F(GlTexturesTest, UploadResetsPixelTransferAndLeavesTexturingAndDitherOn) {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DITHER);
  for (GLenum scale : {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE}) glPixelTransferf(scale, 0.5f);
  for (GLenum bias : {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS}) glPixelTransferf(bias, 0.25f);

  const auto pixels = FourByFour();
  Upload(4, 4, pixels);
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_TRUE(glIsEnabled(GL_DITHER));
  for (GLenum scale : {GL_RED_SCALE, GL_GREEN_SCALE, GL_BLUE_SCALE, GL_ALPHA_SCALE}) {
    GLfloat v = 0;
    glGetFloatv(scale, &v);
    EXPECT_EQ(v, 1.0f) << scale;
  }
  for (GLenum bias : {GL_RED_BIAS, GL_GREEN_BIAS, GL_BLUE_BIAS, GL_ALPHA_BIAS}) {
    GLfloat v = 1;
    glGetFloatv(bias, &v);
    EXPECT_EQ(v, 0.0f) << bias;
  }
  // The texels were not scaled or biased on the way in.
  EXPECT_EQ(Level(0), pixels);
  EXPECT_EQ(Filters(), std::make_pair(GLint{GL_LINEAR_MIPMAP_LINEAR}, GLint{GL_LINEAR}));
}

TEST_F(GlTexturesTest, BindingTurnsDitherOffAndEachModeSetsTheBoundTexturesFilters) {
  const ImageRGBA& first = Upload(4, 4, FourByFour());
  const ImageRGBA& second = Upload(4, 4, FourByFour());
  glEnable(GL_DITHER);
  BindTexture(first.textureName);
  EXPECT_FALSE(glIsEnabled(GL_DITHER));
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(static_cast<std::uint32_t>(bound), first.textureName);

  const std::pair<GLint, GLint> table[5] = {{GL_NEAREST, GL_NEAREST},
                                            {GL_LINEAR, GL_LINEAR},
                                            {GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR},
                                            {GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR},
                                            {GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR}};
  // Modes in an order where each one changes both values that can change.
  for (int mode : {0, 4, 1, 2, 0, 3}) {
    ApplyTextureFilter(mode);
    EXPECT_EQ(Filters(), table[mode]) << "mode " << mode;
  }
  // Out of range: the filters stay as mode 3 left them.
  for (int mode : {5, -1, 100}) {
    ApplyTextureFilter(mode);
    EXPECT_EQ(Filters(), table[3]) << "mode " << mode;
  }
  // The other texture kept the filters of its upload.
  BindTexture(second.textureName);
  EXPECT_EQ(Filters(), table[4]);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlTexturesTest, TextureObjectsLiveAsLongAsTheirImages) {
  const std::uint32_t a = device.CreateTexture();
  const std::uint32_t b = device.CreateTexture();
  EXPECT_NE(a, 0u);
  EXPECT_NE(a, b);
  device.DeleteTexture(a);
  device.DeleteTexture(b);

  const ImageRGBA& image = Upload(4, 4, FourByFour());
  const std::uint32_t name = image.textureName;
  EXPECT_TRUE(glIsTexture(name));
  images.clear();
  EXPECT_FALSE(glIsTexture(name));
}

TEST_F(GlTexturesTest, ALoadedFileReachesTheTexture) {
  testing::TempFolder folder;
  testing::TgaImage tga;
  tga.width = 2;
  tga.height = 2;
  tga.imageType = 10;
  tga.descriptor = 0;
  tga.pixels = {0x102030, 0x405060, 0x708090, 0x708090};
  testing::ScriptedDesktop desktop;
  auto image = LoadTextureFile(folder.Write("tiny.tga", testing::WriteTga(tga)), device, desktop);
  ASSERT_NE(image, nullptr);
  BindTexture(image->textureName);
  const std::vector<std::uint8_t> expected = {0x10, 0x20, 0x30, 255, 0x40, 0x50, 0x60, 255,
                                              0x70, 0x80, 0x90, 255, 0x70, 0x80, 0x90, 255};
  EXPECT_EQ(Level(0), expected);
  image.reset();
}

}  // namespace
}  // namespace tessary
