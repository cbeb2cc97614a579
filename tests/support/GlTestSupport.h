// Helpers for drawing tests and benchmarks in an offscreen GL context: a scene with a view
// that frames a known square of model space, flat grid models built in code, solid-colour
// texture maps, and reading pixels back by model position.
#pragma once

#include <GL/gl.h>
#include <png.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "image/GlTextures.h"
#include "image/ImageRGBA.h"
#include "render/GlState.h"
#include "render/OffscreenContext.h"
#include "render/RenderFrame.h"
#include "scene/ModelRecord.h"
#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary::testing {

struct Rgb {
  int r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// True when every channel is within tolerance.
inline bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// A flat rectangular grid of cells x cells squares (two triangles each) in the plane z,
// spanning [x0, x1] x [y0, y1]. Every vertex has the given normal; texture coordinates run
// from 0 to 1 across the grid. The front faces the +z axis (towards the camera of an
// unturned view) unless facingAway. One frame, no tags, the grid's box as bounds.
struct GridShape {
  double x0 = -5.0, x1 = 5.0, y0 = -5.0, y1 = 5.0, z = 0.0;
  int cells = 10;
  Vec3d normal{0.0, 0.0, 1.0};
  bool facingAway = false;
};

inline std::unique_ptr<ModelRecord> MakeGridModel(const GridShape& shape) {
  auto model = std::make_unique<ModelRecord>();
  model->name = "grid";
  const int n = shape.cells;
  const int side = n + 1;
  auto index = [side](int i, int j) { return static_cast<std::int16_t>(j * side + i); };
  auto frame = std::make_unique<FrameRecord>();
  for (int j = 0; j <= n; ++j) {
    for (int i = 0; i <= n; ++i) {
      const double u = static_cast<double>(i) / n, v = static_cast<double>(j) / n;
      frame->positions.push_back({shape.x0 + (shape.x1 - shape.x0) * u, shape.y0 + (shape.y1 - shape.y0) * v, shape.z});
      frame->normals.push_back(shape.normal);
    }
  }
  auto st = [n](int i, int j) { return std::array<double, 2>{static_cast<double>(i) / n, static_cast<double>(j) / n}; };
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      // Counter-clockwise seen from +z: (a, b, c) and (a, c, d).
      const int ci[4][2] = {{i, j}, {i + 1, j}, {i + 1, j + 1}, {i, j + 1}};
      const int order[2][3] = {{0, 1, 2}, {0, 2, 3}};
      for (const auto& o : order) {
        TriangleRecord tri;
        for (int k = 0; k < 3; ++k) {
          const int c = o[shape.facingAway ? (3 - k) % 3 : k];
          tri.vertex[static_cast<std::size_t>(k)] = index(ci[c][0], ci[c][1]);
          tri.st[static_cast<std::size_t>(k)] = st(ci[c][0], ci[c][1]);
        }
        model->triangles.push_back(tri);
      }
    }
  }
  const float ax = static_cast<float>(shape.x0), bx = static_cast<float>(shape.x1);
  const float ay = static_cast<float>(shape.y0), by = static_cast<float>(shape.y1);
  const float z = static_cast<float>(shape.z);
  frame->boxCorners = {Vec3f{ax, ay, z}, Vec3f{bx, ay, z}, Vec3f{bx, ay, z}, Vec3f{ax, ay, z},
                       Vec3f{ax, by, z}, Vec3f{bx, by, z}, Vec3f{bx, by, z}, Vec3f{ax, by, z}};
  model->numTriangles = static_cast<std::int32_t>(model->triangles.size());
  model->numVertices = side * side;
  model->curPositions = frame->positions;
  model->curNormals = frame->normals;
  model->curBoxCorners = frame->boxCorners;
  model->frames.push_back(std::move(frame));
  return model;
}

// An offscreen picture of width x height with the GL start-up state and the resize
// projection, and a view scaled so that model y in [-halfHeight, halfHeight] fills the
// picture's height (x likewise, times the aspect ratio). The camera sits 3 units from the
// origin with a 30 degree field of view, so at the plane z = 0 the picture spans
// 3 tan(15 deg) / scale units either side of the middle.
class OffscreenScene {
 public:
  OffscreenScene(int width, int height, double halfHeight) : halfHeight_(halfHeight) {
    context = OffscreenContext::Create(width, height, &error);
    if (!context) return;
    InitGLState(width, height);
    ResizeGL(width, height);
    trackball.scale = static_cast<float>(3.0 * std::tan(15.0 * M_PI / 180.0) / halfHeight);
  }
  OffscreenScene(const OffscreenScene&) = delete;
  OffscreenScene& operator=(const OffscreenScene&) = delete;
  ~OffscreenScene() { scene.Clear(); }  // textures go while the context is still there

  bool Ok() const { return context != nullptr; }
  int Width() const { return context->Width(); }
  int Height() const { return context->Height(); }

  ModelRecord& Add(std::unique_ptr<ModelRecord> model) {
    scene.models.push_back(std::move(model));
    return *scene.models.back();
  }
  ModelRecord& AddGrid(const GridShape& shape = {}) { return Add(MakeGridModel(shape)); }

  LightRecord& AddLight() {
    scene.lights.push_back(std::make_unique<LightRecord>());
    return *scene.lights.back();
  }
  // A light shining along the view axis from the camera's side: directional, (0, 0, 1, 0)
  // in eye space, with the default colours.
  LightRecord& AddHeadLight() {
    LightRecord& light = AddLight();
    light.position = {0.0f, 0.0f, 1.0f, 0.0f};
    return light;
  }
  static void Attach(ModelRecord& model, LightRecord& light, std::int32_t enabled = 1) {
    model.modelLights.push_back(ModelLightRef{&light, enabled});
  }

  // An image of one colour with its texture object in this context.
  std::unique_ptr<ImageRGBA> SolidImage(std::uint8_t r, std::uint8_t g, std::uint8_t b, int size = 4) {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < size * size; ++i) pixels.insert(pixels.end(), {r, g, b, 255});
    return Image(size, size, std::move(pixels));
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
    const double aspect = static_cast<double>(Width()) / Height();
    return static_cast<int>(std::floor((x / (halfHeight_ * aspect) + 1.0) / 2.0 * Width()));
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

// A PNG file as read back by libpng: its stored format and its pixels as RGBA, top row first.
struct DecodedPng {
  int width = 0, height = 0;
  bool hasAlpha = false;
  bool colour = false;
  std::vector<std::uint8_t> rgba;
};

inline std::optional<DecodedPng> ReadPng(const std::vector<std::uint8_t>& bytes) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return std::nullopt;
  DecodedPng out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  out.hasAlpha = (image.format & PNG_FORMAT_FLAG_ALPHA) != 0;
  out.colour = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
    png_image_free(&image);
    return std::nullopt;
  }
  return out;
}

}  // namespace tessary::testing
