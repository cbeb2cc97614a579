// A decoded image together with the texture object made from it. Each image belongs to
// exactly one map slot of one model; destroying it deletes its texture object through the
// device that created it, so the owner must destroy it while that device is usable
// (for GL: while the context is current).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image/TextureDevice.h"

namespace tessary {

struct ImageRGBA {
  // width * height * 4 bytes, red, green, blue, alpha; row 0 is the top row; alpha is 255
  // except where a PNG is transparent.
  std::vector<std::uint8_t> pixels;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint32_t textureName = 0;
  std::string fileName;  // bare file name of the file the image came from
  TextureDevice* device = nullptr;  // owner of textureName, or none

  ImageRGBA() = default;
  ImageRGBA(const ImageRGBA&) = delete;
  ImageRGBA& operator=(const ImageRGBA&) = delete;
  ImageRGBA(ImageRGBA&& other) noexcept { *this = std::move(other); }
  ImageRGBA& operator=(ImageRGBA&& other) noexcept {
    if (this != &other) {
      DeleteTextureObject();
      pixels = std::move(other.pixels);
      width = other.width;
      height = other.height;
      textureName = other.textureName;
      fileName = std::move(other.fileName);
      device = other.device;
      other.textureName = 0;
      other.device = nullptr;
    }
    return *this;
  }
  ~ImageRGBA() { DeleteTextureObject(); }

 private:
  void DeleteTextureObject() {
    if (device != nullptr && textureName != 0) device->DeleteTexture(textureName);
    textureName = 0;
    device = nullptr;
  }
};

// Frees an image: its texture object first, then its pixels and name. Leaves the slot empty.
inline void ReleaseImage(std::unique_ptr<ImageRGBA>& image) { image.reset(); }

}  // namespace tessary
