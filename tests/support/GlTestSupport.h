// Helpers for drawing tests and benchmarks in an offscreen GL context: a scene whose view
// frames a known square of model space, flat grid models built in code, texture maps, and
// pixels read back by model position or from a PNG file.
#pragma once

#include <png.h>

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "image/GlTextures.h"
#include "render/GlState.h"
#include "render/OffscreenContext.h"
#include "render/RenderFrame.h"
#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary::testing {

struct Rgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
  friend std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
  }
};
// True when every channel is within tolerance.
inline bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// A flat grid of cells x cells squares (two triangles each) in the plane z over [x0, x1] x
// [y0, y1], every vertex with the given normal, texture coordinates 0..1 across it. Its
// front faces +z (the camera of an unturned view) unless facingAway. One frame, no tags.
struct GridShape {
  float x0 = -5.0f, x1 = 5.0f, y0 = -5.0f, y1 = 5.0f, z = 0.0f;
  int cells = 10;
  Vec3f normal{0.0f, 0.0f, 1.0f};
  bool facingAway = false;
};

// An offscreen picture of width x height with the start-up GL state and the resize
// projection, and a view scaled so that model y in [-halfHeight, halfHeight] fills its
// height (x likewise, times the aspect ratio): the camera sits 3 units away with a 30
// degree field of view, so the plane z = 0 shows 3 tan(15 deg) / scale either side.
class OffscreenScene {
 public:
  OffscreenScene(int width, int height, double halfHeight) : halfHeight_(halfHeight) {
    context = OffscreenContext::Create(width, height, &error);
    if (!context) return;
    InitGLState(width, height);
    ResizeGL(width, height);
    trackball.scale = static_cast<float>(3.0 * std::tan(15.0 * M_PI / 180.0) / halfHeight);
  }
  ~OffscreenScene() { scene.Clear(); }  // textures go while the context is still there

  bool Ok() const { return context != nullptr; }
  int Width() const { return context->Width(); }
  int Height() const { return context->Height(); }

  ModelRecord& Add(std::unique_ptr<ModelRecord> model) {
    scene.models.push_back(std::move(model));
    return *scene.models.back();
  }
  ModelRecord& AddGrid(const GridShape& shape = {}) {
    auto model = std::make_unique<ModelRecord>();
    auto frame = std::make_unique<FrameRecord>();
    const int n = shape.cells, side = n + 1;
    for (int j = 0; j <= n; ++j)
      for (int i = 0; i <= n; ++i) {
        frame->positions.push_back({shape.x0 + (shape.x1 - shape.x0) * static_cast<float>(i) / static_cast<float>(n),
                                     shape.y0 + (shape.y1 - shape.y0) * static_cast<float>(j) / static_cast<float>(n), shape.z});
        frame->normals.push_back(shape.normal);
      }
    for (int j = 0; j < n; ++j)
      for (int i = 0; i < n; ++i) {
        // Counter-clockwise seen from +z: corners (0, 1, 2) and (0, 2, 3) of the cell.
        const int corner[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
        for (const auto& order : {std::array<int, 3>{0, 1, 2}, std::array<int, 3>{0, 2, 3}}) {
          TriangleRecord tri;
          for (std::size_t k = 0; k < 3; ++k) {
            const auto& c = corner[order[shape.facingAway ? (3 - k) % 3 : k]];
            tri.vertex[k] = static_cast<std::int16_t>(c[1] * side + c[0]);
            tri.st[k] = {static_cast<double>(c[0]) / n, static_cast<double>(c[1]) / n};
          }
          model->triangles.push_back(tri);
        }
      }
    model->numTriangles = static_cast<std::int32_t>(model->triangles.size());
    model->numVertices = side * side;
    model->frames.push_back(std::move(frame));
    return Add(std::move(model));
  }
  LightRecord& AddLight() {
    scene.lights.push_back(std::make_unique<LightRecord>());
    return *scene.lights.back();
  }
  static void Attach(ModelRecord& model, LightRecord& light) { model.modelLights.push_back(ModelLightRef{&light, 1}); }

  // An image with its texture object in this context: one colour, or the pixels given.
  std::unique_ptr<ImageRGBA> SolidImage(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {r, g, b, 255});
    return Image(4, 4, std::move(pixels));
  }
  std::unique_ptr<ImageRGBA> Image(int width, int height, std::vector<std::uint8_t> rgba) {
    auto image = std::make_unique<ImageRGBA>();
    image->pixels = std::move(rgba);
    image->width = width;
    image->height = height;
    image->textureName = textures.CreateTexture();
    image->device = &textures;
    textures.UploadTexture(*image);
    return image;
  }

  // Draws one frame and reads it back (top row first).
  std::vector<std::uint8_t> Render() {
    RenderFrame(scene, trackball, [this] { context->SwapBuffers(); });
    return context->ReadPixels();
  }
  Rgb Pixel(const std::vector<std::uint8_t>& pixels, int column, int rowFromTop) const {
    const std::size_t at = (static_cast<std::size_t>(rowFromTop) * Width() + column) * 4;
    return {pixels[at], pixels[at + 1], pixels[at + 2]};
  }
  // The pixel that shows the model-space point (x, y, 0) under the unturned view.
  Rgb PixelAt(const std::vector<std::uint8_t>& pixels, double x, double y) const {
    return Pixel(pixels, ColumnOf(x), RowOf(y));
  }
  int ColumnOf(double x) const {
    return static_cast<int>(std::floor((x / (halfHeight_ * Width() / Height()) + 1.0) / 2.0 * Width()));
  }
  int RowOf(double y) const { return static_cast<int>(std::floor((1.0 - y / halfHeight_) / 2.0 * Height())); }

  std::string error;
  std::unique_ptr<OffscreenContext> context;
  GlTextureDevice textures;
  Scene scene;
  TrackballState trackball;

 private:
  double halfHeight_;
};

// A PNG file as libpng reads it back: its size, whether it is stored as colour without
// alpha, and its pixels as RGBA, top row first.
struct DecodedPng {
  int width = 0, height = 0;
  bool rgb = false;
  std::vector<std::uint8_t> rgba;
  Rgb At(int column, int row) const {
    const std::size_t at = (static_cast<std::size_t>(row) * width + column) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2]};
  }
};

inline std::optional<DecodedPng> ReadPng(const std::vector<std::uint8_t>& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
  DecodedPng out{static_cast<int>(image.width), static_cast<int>(image.height),
                 (image.format & PNG_FORMAT_FLAG_COLOR) != 0 && (image.format & PNG_FORMAT_FLAG_ALPHA) == 0, {}};
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return out;
}

}  // namespace tessary::testing
