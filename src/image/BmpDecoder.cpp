// BMP: uncompressed bottom-up files of 8 bits per pixel (with a palette) or 24 bits.
#include <cstddef>
#include <cstdint>

#include "image/DecodeSupport.h"
#include "image/ImageDecoder.h"

namespace tessary {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kSmallestInfoHeader = 40;
constexpr std::size_t kPixelOffsetField = 10;
constexpr std::size_t kInfoHeaderSizeField = 14;
constexpr std::size_t kWidthField = 18;
constexpr std::size_t kHeightField = 22;
constexpr std::size_t kBitCountField = 28;
constexpr std::size_t kCompressionField = 30;
constexpr std::size_t kColoursUsedField = 46;

}  // namespace

// Rows are read with the padding that brings each one to a multiple of 4 bytes, so widths
// that are not a multiple of 4 display correctly; the last row may lack its padding.
// Refused as not recognized: information headers shorter than 40 bytes (the old core
// layout), compression, top-down files (negative height), unacceptable sizes, more than
// 256 palette entries, a palette index beyond the entries the file holds, and anything
// the file is too short for. A bit count other than 8 or 24 fails without a message.
DecodeResult DecodeBmp(std::span<const std::uint8_t> bytes) {
  using namespace decode;
  if (bytes.size() < kFileHeaderSize + kSmallestInfoHeader) return NotRecognized();
  if (bytes[0] != 'B' || bytes[1] != 'M') return NotRecognized();
  const std::uint32_t infoHeaderSize = U32(bytes, kInfoHeaderSizeField);
  if (infoHeaderSize < kSmallestInfoHeader) return NotRecognized();

  const std::uint16_t bitCount = U16(bytes, kBitCountField);
  if (bitCount != 8 && bitCount != 24) return Fail("");
  if (U32(bytes, kCompressionField) != 0) return NotRecognized();

  const std::int32_t width = S32(bytes, kWidthField);
  const std::int32_t height = S32(bytes, kHeightField);
  if (!AcceptableSize(width, height)) return NotRecognized();

  const std::uint64_t bytesPerPixel = bitCount / 8;
  const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * bytesPerPixel;
  const std::uint64_t stride = (rowBytes + 3) & ~std::uint64_t{3};
  const std::uint64_t dataOffset = U32(bytes, kPixelOffsetField);
  if (!Fits(bytes.size(), dataOffset, stride * (static_cast<std::uint64_t>(height) - 1) + rowBytes))
    return NotRecognized();

  std::span<const std::uint8_t> palette;
  if (bitCount == 8) {
    const std::uint32_t coloursUsed = U32(bytes, kColoursUsedField);
    const std::uint64_t entries = coloursUsed == 0 ? 256 : coloursUsed;
    if (entries > 256) return NotRecognized();
    const std::uint64_t paletteOffset = kFileHeaderSize + std::uint64_t{infoHeaderSize};
    if (!Fits(bytes.size(), paletteOffset, entries * 4)) return NotRecognized();
    palette = bytes.subspan(static_cast<std::size_t>(paletteOffset), static_cast<std::size_t>(entries * 4));
  }

  ImageRGBA image = BlankImage(width, height);
  for (std::int32_t fileRow = 0; fileRow < height; ++fileRow) {
    // The file stores the bottom row first.
    const std::uint8_t* in = bytes.data() + dataOffset + stride * static_cast<std::uint64_t>(fileRow);
    std::uint8_t* out =
        image.pixels.data() + static_cast<std::size_t>(height - 1 - fileRow) * static_cast<std::size_t>(width) * 4;
    if (bitCount == 8) {
      for (std::int32_t x = 0; x < width; ++x, out += 4) {
        const std::size_t entry = std::size_t{in[x]} * 4;
        if (entry >= palette.size()) return NotRecognized();
        out[0] = palette[entry + 2];
        out[1] = palette[entry + 1];
        out[2] = palette[entry];
      }
    } else {
      for (std::int32_t x = 0; x < width; ++x, in += 3, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    }
  }
  return Succeed(std::move(image));
}

}  // namespace tessary
