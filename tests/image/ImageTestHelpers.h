// Small helpers for the image tests: reading one decoded pixel, and building byte strings.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "image/ImageRGBA.h"

namespace tessary::imagetest {

using Rgba = std::array<std::uint8_t, 4>;

inline Rgba PixelAt(const ImageRGBA& image, int x, int y) {
  const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 4;
  return {image.pixels.at(at), image.pixels.at(at + 1), image.pixels.at(at + 2), image.pixels.at(at + 3)};
}

inline Rgba Opaque(int r, int g, int b) {
  return {static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b), 255};
}

inline void Append(std::vector<std::uint8_t>& bytes, std::initializer_list<int> values) {
  for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
}

inline void AppendU16(std::vector<std::uint8_t>& bytes, unsigned v) { Append(bytes, {int(v & 0xFF), int((v >> 8) & 0xFF)}); }
inline void AppendU32(std::vector<std::uint8_t>& bytes, std::uint32_t v) {
  AppendU16(bytes, v & 0xFFFF);
  AppendU16(bytes, v >> 16);
}

}  // namespace tessary::imagetest
