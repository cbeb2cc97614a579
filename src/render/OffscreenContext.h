// A headless OpenGL context: EGL on Mesa's surfaceless platform with a pbuffer and the
// desktop OpenGL API. Used by the GL tests and by command-line rendering.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tessary {

class OffscreenContext {
 public:
  // A context with an RGBA pbuffer of the given size and a depth buffer, made current.
  // None (with the reason in error) when EGL cannot provide one.
  static std::unique_ptr<OffscreenContext> Create(int width, int height, std::string* error);
  ~OffscreenContext();
  OffscreenContext(const OffscreenContext&) = delete;
  OffscreenContext& operator=(const OffscreenContext&) = delete;

  bool MakeCurrent();
  void SwapBuffers();
  int Width() const { return width_; }
  int Height() const { return height_; }
  // The colour buffer as RGBA bytes, top row first.
  std::vector<std::uint8_t> ReadPixels() const;

 private:
  OffscreenContext() = default;
  void* display_ = nullptr;
  void* surface_ = nullptr;
  void* context_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace tessary
