// A texture seam for tests: hands out names and remembers which are alive.
#pragma once

#include <cstdint>
#include <set>
#include <vector>

#include "image/ImageRGBA.h"
#include "image/TextureDevice.h"

namespace tessary::testing {

class FakeTextureDevice final : public TextureDevice {
 public:
  std::uint32_t CreateTexture() override {
    live.insert(next);
    return next++;
  }
  void UploadTexture(const ImageRGBA& image) override { uploads.push_back(image.textureName); }
  void DeleteTexture(std::uint32_t name) override {
    deleted.push_back(name);
    live.erase(name);
  }

  std::uint32_t next = 1;
  std::set<std::uint32_t> live;
  std::vector<std::uint32_t> uploads;
  std::vector<std::uint32_t> deleted;  // in deletion order
};

}  // namespace tessary::testing
