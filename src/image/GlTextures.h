// Texture objects in GL: filling one from an image with its full mipmap chain, binding one
// for drawing, and the five filter modes. GlTextureDevice is the texture seam for a real
// context; every call needs that context current.
#pragma once

#include <cstdint>

#include "image/ImageRGBA.h"
#include "image/TextureDevice.h"

namespace tessary {

void UploadTexture(const ImageRGBA& image);
void BindTexture(std::uint32_t textureName);
// Minification and magnification filters of the bound texture for mode 0..4; other modes
// leave them as they are.
void ApplyTextureFilter(int mode);

class GlTextureDevice final : public TextureDevice {
 public:
  std::uint32_t CreateTexture() override;
  void UploadTexture(const ImageRGBA& image) override;
  void DeleteTexture(std::uint32_t textureName) override;
};

}  // namespace tessary
