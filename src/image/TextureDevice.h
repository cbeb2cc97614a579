// The texture seam: core code creates, fills and deletes texture objects through this
// interface, so it needs no GL. The GL layer implements it with real texture objects;
// tests and headless tools use their own implementations.
#pragma once

#include <cstdint>

namespace tessary {

struct ImageRGBA;

class TextureDevice {
 public:
  virtual ~TextureDevice() = default;
  // A new texture name (0 when none could be made).
  virtual std::uint32_t CreateTexture() = 0;
  // Fills the texture object image.textureName with image's pixels and its mipmaps.
  virtual void UploadTexture(const ImageRGBA& image) = 0;
  virtual void DeleteTexture(std::uint32_t textureName) = 0;
};

// A device that keeps no texture objects: for command-line work that never draws.
class NullTextureDevice final : public TextureDevice {
 public:
  std::uint32_t CreateTexture() override { return 0; }
  void UploadTexture(const ImageRGBA&) override {}
  void DeleteTexture(std::uint32_t) override {}
};

}  // namespace tessary
