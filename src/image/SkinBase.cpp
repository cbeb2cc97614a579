// Drawing the texture-coordinate layout of the visible models and saving it as a BMP.
#include "image/SkinBase.h"

#include <algorithm>
#include <cmath>

#include "app/ConsoleDesktop.h"
#include "app/FileIO.h"
#include "scene/Md3Loader.h"
#include "scene/SceneOps.h"
#include "scene/TextureResolution.h"

namespace tessary {

namespace {

constexpr std::uint32_t kLineColour = 0xFFFFFF;
constexpr const char* kSaveFilter = "Bitmap (*.bmp)|*.bmp|All Files (*.*)|*.*";

// Points are clamped to this range before they become integers. Converting a huge or
// infinite double to int is undefined, and within it the differences between two points
// always fit the line routine's 16-bit arithmetic, so every line is drawn exactly. It
// covers texture coordinates from -64 to +64, far beyond any tiling real models use.
constexpr double kLowestCoordinate = -16384.0;
constexpr double kHighestCoordinate = 16383.0;

class Canvas {
 public:
  Canvas(std::span<std::uint32_t> pixels, int width, int height) : pixels_(pixels), width_(width), height_(height) {}

  // Element of (x, y), or none when the point lies outside the canvas.
  std::uint32_t* At(std::int64_t x, std::int64_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return nullptr;
    const auto index = static_cast<std::size_t>(y * width_ + x);
    return index < pixels_.size() ? &pixels_[index] : nullptr;
  }
  void Set(std::int64_t x, std::int64_t y, std::uint32_t colour) const {
    if (std::uint32_t* p = At(x, y)) *p = colour & 0xFFFFFF;
  }
  // Each channel becomes (old * (256 - weight) + colour * weight) / 256.
  void Blend(std::int64_t x, std::int64_t y, std::uint32_t colour, std::uint32_t weight) const {
    std::uint32_t* p = At(x, y);
    if (p == nullptr) return;
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const std::uint32_t old = (*p >> shift) & 0xFF;
      const std::uint32_t add = (colour >> shift) & 0xFF;
      result |= ((old * (256 - weight) + add * weight) >> 8) << shift;
    }
    *p = result;
  }
 private:
  std::span<std::uint32_t> pixels_;
  int width_;
  int height_;
};

// A texture coordinate pair as a canvas point: x = s * 256, y = 255 - t * 256, truncated
// toward zero after clamping. A corner with a NaN coordinate has no point, and lines to it
// are not drawn.
std::optional<std::array<std::int32_t, 2>> CornerPoint(const std::array<double, 2>& st) {
  const double x = st[0] * kSkinBaseSize;
  const double y = (kSkinBaseSize - 1) - st[1] * kSkinBaseSize;
  if (std::isnan(x) || std::isnan(y)) return std::nullopt;
  return std::array<std::int32_t, 2>{
      static_cast<std::int32_t>(std::clamp(x, kLowestCoordinate, kHighestCoordinate)),
      static_cast<std::int32_t>(std::clamp(y, kLowestCoordinate, kHighestCoordinate))};
}

void PutLE(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

}  // namespace

// dx and dy are 16-bit quantities as the algorithm has them: the differences are taken
// modulo 65536 and used as unsigned counts (dx after its sign gives the direction). Points
// closer than 32768 in each axis, which is all the skin base ever draws, are unaffected;
// for others the drawing is what 16-bit arithmetic makes of it, and still never leaves the
// canvas. The loops stop once they have passed the far edge of the canvas, as nothing
// after that point can land on it, and a line whose box misses the canvas is not walked.
void DrawAntialiasedLine(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1,
                         std::span<std::uint32_t> pixels, int width, int height, std::uint32_t colour) {
  const Canvas canvas(pixels, width, height);
  if (y0 > y1) {
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  const std::int64_t fullDx = std::int64_t{x1} - x0;
  const std::int64_t fullDy = std::int64_t{y1} - y0;
  if (fullDx > -32768 && fullDx < 32768 && fullDy < 32768) {
    // No 16-bit wrap: every pixel lies within a pixel of the end points' box.
    const std::int64_t left = std::min(x0, x1) - std::int64_t{1}, right = std::max(x0, x1) + std::int64_t{1};
    if (right < 0 || left >= width || std::int64_t{y1} + 1 < 0 || y0 >= height) return;
  }

  std::int64_t x = x0;
  std::int64_t y = y0;
  canvas.Set(x, y, colour);
  const auto signedDx = static_cast<std::int16_t>(static_cast<std::uint16_t>(fullDx & 0xFFFF));
  const int xdir = signedDx < 0 ? -1 : 1;
  const auto dx = static_cast<std::uint16_t>(signedDx < 0 ? -static_cast<int>(signedDx) : signedDx);
  const auto dy = static_cast<std::uint16_t>(fullDy & 0xFFFF);
  // Positions only move right (xdir 1) or left, and down: once past the canvas, stop.
  auto pastX = [&](std::int64_t at) { return xdir > 0 ? at >= width : at < 0; };
  auto pastY = [&](std::int64_t at) { return at >= height; };

  if (dy == 0) {
    for (unsigned k = 0; k < dx && !pastX(x + xdir); ++k) canvas.Set(x += xdir, y, colour);
    return;
  }
  if (dx == 0) {
    for (unsigned k = 0; k < dy && !pastY(y + 1); ++k) canvas.Set(x, ++y, colour);
    return;
  }
  if (dx == dy) {
    for (unsigned k = 0; k < dy && !pastX(x + xdir) && !pastY(y + 1); ++k) canvas.Set(x += xdir, ++y, colour);
    return;
  }

  std::uint16_t acc = 0;
  if (dx > dy) {
    const auto step = static_cast<std::uint16_t>((std::uint32_t{dy} << 16) / dx);
    for (unsigned k = 1; k < dx; ++k) {
      const std::uint32_t sum = std::uint32_t{acc} + step;
      if (sum > 0xFFFF) ++y;  // the accumulator wrapped
      acc = static_cast<std::uint16_t>(sum);
      x += xdir;
      if (pastX(x) || pastY(y)) break;
      const std::uint32_t w = acc >> 8;
      canvas.Blend(x, y, colour, 256 - w);
      canvas.Blend(x, y + 1, colour, w);
    }
  } else {
    const auto step = static_cast<std::uint16_t>((std::uint32_t{dx} << 16) / dy);
    for (unsigned k = 1; k < dy; ++k) {
      const std::uint32_t sum = std::uint32_t{acc} + step;
      if (sum > 0xFFFF) x += xdir;
      acc = static_cast<std::uint16_t>(sum);
      ++y;
      if (pastX(x) || pastY(y)) break;
      const std::uint32_t w = acc >> 8;
      canvas.Blend(x, y, colour, 256 - w);
      canvas.Blend(x + xdir, y, colour, w);
    }
  }
  canvas.Set(x1, y1, colour);
}

std::vector<std::uint32_t> DrawSkinBase(const Scene& scene) {
  std::vector<std::uint32_t> canvas(static_cast<std::size_t>(kSkinBaseSize) * kSkinBaseSize, 0);
  for (const auto& model : scene.models) {
    if (!model || model->visible == 0) continue;
    const std::size_t count =
        std::min(model->triangles.size(), static_cast<std::size_t>(std::max(model->numTriangles, 0)));
    for (std::size_t i = 0; i < count; ++i) {
      const TriangleRecord& tri = model->triangles[i];
      const std::array<std::optional<std::array<std::int32_t, 2>>, 3> p = {
          CornerPoint(tri.st[0]), CornerPoint(tri.st[1]), CornerPoint(tri.st[2])};
      for (int edge = 0; edge < 3; ++edge) {
        const auto& a = p[static_cast<std::size_t>(edge)];
        const auto& b = p[static_cast<std::size_t>((edge + 1) % 3)];
        if (a && b)
          DrawAntialiasedLine((*a)[0], (*a)[1], (*b)[0], (*b)[1], canvas, kSkinBaseSize, kSkinBaseSize, kLineColour);
      }
    }
  }
  return canvas;
}

std::vector<std::uint8_t> EncodeSkinBaseBmp(const std::vector<std::uint32_t>& canvas) {
  std::vector<std::uint8_t> out;
  out.reserve(kSkinBaseFileSize);
  out.push_back('B');
  out.push_back('M');
  PutLE(out, kSkinBaseFileSize, 4);
  PutLE(out, 0, 2);
  PutLE(out, 0, 2);
  PutLE(out, 54, 4);                 // pixel data offset
  PutLE(out, 40, 4);                 // information header size
  PutLE(out, kSkinBaseSize, 4);      // width
  PutLE(out, kSkinBaseSize, 4);      // height: positive, so canvas row 0 is the bottom row
  PutLE(out, 1, 2);                  // planes
  PutLE(out, 24, 2);                 // bits per pixel
  PutLE(out, 0, 4);                  // no compression
  PutLE(out, 0, 4);                  // image size
  PutLE(out, 100, 4);                // pixels per metre
  PutLE(out, 100, 4);
  PutLE(out, 0, 4);                  // colours used
  PutLE(out, 0, 4);                  // colours important
  const std::size_t pixels = static_cast<std::size_t>(kSkinBaseSize) * kSkinBaseSize;
  for (std::size_t i = 0; i < pixels; ++i) {
    const std::uint32_t p = i < canvas.size() ? canvas[i] : 0;
    out.push_back(static_cast<std::uint8_t>(p));
    out.push_back(static_cast<std::uint8_t>(p >> 8));
    out.push_back(static_cast<std::uint8_t>(p >> 16));
  }
  return out;
}

void ExportSkinBase(Workspace& ws) {
  if (ws.scene.models.empty()) return;
  const auto choice = ws.desktop.ChooseFileToSave(kSaveFilter, "*.bmp");
  if (!choice) return;
  std::string path = choice->path;
  if (!PathHasDot(path)) path += ".bmp";
  const std::vector<std::uint8_t> bytes = EncodeSkinBaseBmp(DrawSkinBase(ws.scene));
  const int cause = WriteFileReplacing(path, bytes);
  if (cause != 0) ws.desktop.ShowMessage("Error Saving: " + std::to_string(cause));
}

// Every file is loaded, so that all problems are reported in one go; a file that does not
// load would leave the layout incomplete, and nothing is written.
int ExportSkinBaseCommandLine(const std::vector<std::string>& files, const std::optional<std::string>& baseFolder,
                              const std::string& out, std::ostream& err) {
  if (files.empty()) {
    err << "no model files given\n";
    return 1;
  }
  NullTextureDevice textures;  // outlives the scene, whose images name it
  Scene scene;
  TrackballState trackball;
  ConsoleDesktop desktop(err);
  Workspace ws{scene, trackball, desktop, textures};
  if (baseFolder && !UseBaseFolderAndReport(ws, *baseFolder)) return 1;
  // Images play no part in the layout: one that fails is only reported.
  bool allLoaded = true;
  for (const std::string& file : files) {
    const std::int32_t before = scene.ModelCount();
    LoadModelFile(ws, file);
    allLoaded = allLoaded && scene.ModelCount() > before;
  }
  if (!allLoaded) return 1;
  for (auto& model : scene.models) model->visible = 1;
  const int cause = WriteFileReplacing(out, EncodeSkinBaseBmp(DrawSkinBase(scene)));
  if (cause != 0) {
    err << "Error Saving: " << cause << '\n';
    return 1;
  }
  return 0;
}

}  // namespace tessary
