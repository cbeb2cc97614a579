// Texture objects in GL.
#include "image/GlTextures.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace tessary {

void UploadTexture(const ImageRGBA& image) {
  glEnable(GL_DITHER);
  glPixelTransferf(GL_RED_SCALE, 1.0f);
  glPixelTransferf(GL_GREEN_SCALE, 1.0f);
  glPixelTransferf(GL_BLUE_SCALE, 1.0f);
  glPixelTransferf(GL_ALPHA_SCALE, 1.0f);
  glPixelTransferf(GL_RED_BIAS, 0.0f);
  glPixelTransferf(GL_GREEN_BIAS, 0.0f);
  glPixelTransferf(GL_BLUE_BIAS, 0.0f);
  glPixelTransferf(GL_ALPHA_BIAS, 0.0f);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, image.textureName);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  if (image.width < 1 || image.height < 1 ||
      image.pixels.size() < static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4)
    return;
  // Rows of RGBA bytes are always 4-byte aligned, but GLU scales images whose sides are not
  // powers of two and reads with the unpack alignment, so make it explicit.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // GLU scales sides that are not powers of two and builds every level; a failed build
  // leaves the texture with whatever it holds.
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA8, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE,
                    image.pixels.data());
}

void BindTexture(std::uint32_t textureName) {
  glDisable(GL_DITHER);
  glBindTexture(GL_TEXTURE_2D, textureName);
}

void ApplyTextureFilter(int mode) {
  static const GLint kMin[5] = {GL_NEAREST, GL_LINEAR, GL_NEAREST_MIPMAP_NEAREST, GL_LINEAR_MIPMAP_NEAREST,
                                GL_LINEAR_MIPMAP_LINEAR};
  if (mode < 0 || mode > 4) return;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, kMin[mode]);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, mode == 0 ? GL_NEAREST : GL_LINEAR);
}

std::uint32_t GlTextureDevice::CreateTexture() {
  GLuint name = 0;
  glGenTextures(1, &name);
  return name;
}

void GlTextureDevice::UploadTexture(const ImageRGBA& image) { tessary::UploadTexture(image); }

void GlTextureDevice::DeleteTexture(std::uint32_t textureName) {
  GLuint name = textureName;
  glDeleteTextures(1, &name);
}

}  // namespace tessary
