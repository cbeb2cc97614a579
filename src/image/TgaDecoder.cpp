// TGA: true-colour images, uncompressed (type 2) or run-length encoded (type 10), of 16,
// 24 or 32 bits per pixel.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "image/DecodeSupport.h"
#include "image/ImageDecoder.h"

namespace tessary {

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::uint8_t kTopRowFirst = 0x20;
constexpr std::uint64_t kLongestPacket = 128;

// One stored pixel to red, green, blue. 16-bit pixels are 5-5-5 with bit 15 ignored; the
// alpha of 32-bit pixels is dropped, as every decoded image is opaque.
void ConvertPixel(const std::uint8_t* in, int bytesPerPixel, std::uint8_t* out) {
  if (bytesPerPixel == 2) {
    const unsigned v = in[0] | (in[1] << 8);
    out[0] = static_cast<std::uint8_t>(((v >> 10) & 31) * 8);
    out[1] = static_cast<std::uint8_t>(((v >> 5) & 31) * 8);
    out[2] = static_cast<std::uint8_t>((v & 31) * 8);
  } else {
    out[0] = in[2];
    out[1] = in[1];
    out[2] = in[0];
  }
}

}  // namespace

// Packets run across rows: the image is one sequence of pixels. A packet that reaches past
// the last pixel is cut there (the pixels are all defined, the excess is ignored and need
// not be present). Refused as not recognized: unacceptable sizes, and a file too short for
// its ID, colour map or pixels. Right-to-left storage (descriptor bit 4) is not handled.
DecodeResult DecodeTga(std::span<const std::uint8_t> bytes) {
  using namespace decode;
  if (bytes.size() < kHeaderSize) return NotRecognized();
  const std::uint8_t idLength = bytes[0];
  const std::uint8_t colourMapType = bytes[1];
  const std::uint8_t imageType = bytes[2];
  const std::uint16_t colourMapLength = U16(bytes, 5);
  const std::uint8_t colourMapEntryBits = bytes[7];
  const std::uint16_t width = U16(bytes, 12);
  const std::uint16_t height = U16(bytes, 14);
  const std::uint8_t depth = bytes[16];
  const std::uint8_t descriptor = bytes[17];
  if (imageType != 2 && imageType != 10) return NotRecognized();

  if (depth != 16 && depth != 24 && depth != 32)
    return Fail(imageType == 2 ? kTgaType2DepthMessage : kTgaType10DepthMessage);

  std::uint64_t in = kHeaderSize + std::uint64_t{idLength};
  if (colourMapType != 0) in += std::uint64_t{colourMapLength} * ((colourMapEntryBits + 7u) / 8u);
  if (!AcceptableSize(width, height)) return NotRecognized();

  const int bytesPerPixel = depth / 8;
  const std::uint64_t total = std::uint64_t{width} * height;
  // The least data the pixels can take; checked before allocating so that the image stays
  // in proportion to the file.
  const std::uint64_t leastData = imageType == 2 ? total * bytesPerPixel
                                                 : (total + kLongestPacket - 1) / kLongestPacket * (1 + bytesPerPixel);
  if (!Fits(bytes.size(), in, leastData)) return NotRecognized();

  ImageRGBA image = BlankImage(width, height);
  std::uint8_t* out = image.pixels.data();
  if (imageType == 2) {
    for (std::uint64_t i = 0; i < total; ++i, in += bytesPerPixel, out += 4)
      ConvertPixel(bytes.data() + in, bytesPerPixel, out);
  } else {
    std::uint64_t written = 0;
    while (written < total) {
      if (in >= bytes.size()) return NotRecognized();
      const std::uint8_t header = bytes[in++];
      const std::uint64_t count = std::min<std::uint64_t>((header & 0x7Fu) + 1u, total - written);
      if (header & 0x80) {
        if (!Fits(bytes.size(), in, bytesPerPixel)) return NotRecognized();
        std::uint8_t rgb[3];
        ConvertPixel(bytes.data() + in, bytesPerPixel, rgb);
        in += bytesPerPixel;
        for (std::uint64_t k = 0; k < count; ++k, out += 4) {
          out[0] = rgb[0];
          out[1] = rgb[1];
          out[2] = rgb[2];
        }
      } else {
        if (!Fits(bytes.size(), in, count * bytesPerPixel)) return NotRecognized();
        for (std::uint64_t k = 0; k < count; ++k, in += bytesPerPixel, out += 4)
          ConvertPixel(bytes.data() + in, bytesPerPixel, out);
      }
      written += count;
    }
  }

  if ((descriptor & kTopRowFirst) == 0) {
    // Stored bottom row first: turn it over so that row 0 is the top.
    const std::size_t rowBytes = std::size_t{width} * 4;
    for (std::size_t top = 0, bottom = height - 1u; top < bottom; ++top, --bottom)
      std::swap_ranges(image.pixels.begin() + static_cast<std::ptrdiff_t>(top * rowBytes),
                       image.pixels.begin() + static_cast<std::ptrdiff_t>((top + 1) * rowBytes),
                       image.pixels.begin() + static_cast<std::ptrdiff_t>(bottom * rowBytes));
  }
  return Succeed(std::move(image));
}

}  // namespace tessary
