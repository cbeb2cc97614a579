// A one-surface model and a one-colour texture for tests that draw a whole file: a 20 x 20
// square centred on the origin (or raised by height units) and facing the unturned view
// (the MD3 plane x = 0, whose y and z are the viewer's x and y), corners listed clockwise
// as seen from +x.
#pragma once

#include "testdata/ImageWriters.h"
#include "testdata/Md3Writer.h"

namespace tessary::testing {

inline std::vector<std::uint8_t> SquareMd3(const std::string& shader, int height = 0) {
  const auto low = static_cast<std::int16_t>((height - 10) * 64), high = static_cast<std::int16_t>((height + 10) * 64);
  md3::File file;
  md3::Surface s;
  s.name = "square";
  s.shaders = {shader};
  s.st = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  s.triangles = {{0, 2, 1}, {0, 3, 2}};
  s.frames = {{{0, -640, low, 0}, {0, 640, low, 0}, {0, 640, high, 0}, {0, -640, high, 0}}};
  file.surfaces = {s};
  file.frames = {md3::BoundsOf(file, 0)};
  return md3::Write(file);
}

// A 1 x 1 TGA of the colour 0xRRGGBB.
inline std::vector<std::uint8_t> SolidTga(std::uint32_t rgb) {
  TgaImage image;
  image.width = image.height = 1;
  image.pixels = {rgb};
  return WriteTga(image);
}

}  // namespace tessary::testing
