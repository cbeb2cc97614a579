// Decoding PCX, BMP, TGA, JPEG and PNG files held in memory into RGBA images. The format
// is told by the first bytes only, never by the file name. Every read is bounds-checked: a malformed
// or truncated file gives a failure, never a partly decoded image.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "image/ImageRGBA.h"

namespace tessary {

inline constexpr const char* kNotRecognizedMessage = "This file is not recognized";
inline constexpr const char* kTgaType2DepthMessage = "This Version 2 File is not a valid BPP! (16, 24 or 32)";
inline constexpr const char* kTgaType10DepthMessage = "This Version 10 File is not a valid BPP! (16, 24 or 32)";

// Largest image accepted: a few header bytes must not be able to ask for gigabytes.
inline constexpr std::int64_t kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{64} * 1024 * 1024;
// The longest image file read: the largest image in its most wasteful encoding (run-length
// TGA of 32-bit pixels in one-pixel raw packets, five bytes a pixel) with room for headers,
// an image ID and a colour map. A longer file is refused before it is read.
inline constexpr std::uint64_t kMaxImageFileBytes = 5 * static_cast<std::uint64_t>(kMaxImagePixels) + (1u << 20);

// Either an image (pixels, width and height set; no texture yet) or a failure with the
// message to show. An empty message is a failure the user is not told about.
struct DecodeResult {
  std::optional<ImageRGBA> image;
  std::string message;

  bool ok() const { return image.has_value(); }
};

// Recognises the format by the first bytes, in this order: PCX (0x0A 0x05), BMP ("BM"),
// JPEG (0xFF 0xD8 0xFF), PNG (its 8-byte signature), TGA (image type 2 or 10 at offset 2);
// anything else is not recognized.
DecodeResult DecodeImage(std::span<const std::uint8_t> bytes);

// The decoders, each for bytes already recognised as its format. PCX, BMP and TGA images
// come out opaque; PNG keeps its transparency in alpha. A damaged JPEG or PNG is refused
// with kNotRecognizedMessage, like one over the size limits.
DecodeResult DecodePcx(std::span<const std::uint8_t> bytes);
DecodeResult DecodeBmp(std::span<const std::uint8_t> bytes);
DecodeResult DecodeTga(std::span<const std::uint8_t> bytes);
DecodeResult DecodeJpeg(std::span<const std::uint8_t> bytes);
DecodeResult DecodePng(std::span<const std::uint8_t> bytes);

}  // namespace tessary
