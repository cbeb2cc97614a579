// Small helpers shared by the image decoders: little-endian reads that check the buffer,
// the size limits, and building a result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "image/ImageDecoder.h"

namespace tessary::decode {

// True when bytes [offset, offset + count) lie inside a buffer of size bytes.
inline bool Fits(std::size_t size, std::uint64_t offset, std::uint64_t count) {
  return offset <= size && count <= size - offset;
}

inline std::uint8_t U8(std::span<const std::uint8_t> b, std::size_t at) { return b[at]; }
inline std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}
inline std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
         (static_cast<std::uint32_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
inline std::int16_t S16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int16_t>(U16(b, at));
}
inline std::int32_t S32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::int32_t>(U32(b, at));
}

// Sizes the viewer is willing to decode: both positive and within the limits.
inline bool AcceptableSize(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageSide && height <= kMaxImageSide &&
         width * height <= kMaxImagePixels;
}

inline DecodeResult Fail(std::string message) { return DecodeResult{std::nullopt, std::move(message)}; }
inline DecodeResult NotRecognized() { return Fail(kNotRecognizedMessage); }

// An image of the given (acceptable) size, every pixel black with alpha 255.
inline ImageRGBA BlankImage(std::int32_t width, std::int32_t height) {
  ImageRGBA image;
  image.width = width;
  image.height = height;
  image.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4, 0);
  for (std::size_t i = 3; i < image.pixels.size(); i += 4) image.pixels[i] = 255;
  return image;
}

inline DecodeResult Succeed(ImageRGBA&& image) { return DecodeResult{std::move(image), {}}; }

}  // namespace tessary::decode
