// PCX: version 5, 8 bits per pixel in one plane, run-length encoded, with the 256-colour
// palette in the last 768 bytes of the file.
#include <cstddef>
#include <cstdint>

#include "image/DecodeSupport.h"
#include "image/ImageDecoder.h"

namespace tessary {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 768;
constexpr std::size_t kBytesPerLineOffset = 66;
constexpr std::uint8_t kRunFlag = 0xC0;
constexpr std::uint64_t kLongestRun = 63;

}  // namespace

// The encoded data is one continuous stream: a run may carry on from one scan line into
// the next, padding included. Each scan line holds bytes-per-line decoded bytes, of which
// the first `width` are pixels and the rest padding that is skipped. Decoding stops at the
// last pixel; what a run holds beyond it (usually the last line's padding) is ignored.
// The stream ends where the palette begins: pixel data that would need palette bytes
// means the file is truncated, and it is refused.
//
// The bits-per-pixel, plane and encoding fields are not read: files of other layouts
// decode as if they were 8-bit single-plane, which is safe if not pretty.
DecodeResult DecodePcx(std::span<const std::uint8_t> bytes) {
  using namespace decode;
  if (bytes.size() < kHeaderSize + kPaletteSize) return NotRecognized();
  if (bytes[0] != 0x0A || bytes[1] != 0x05) return NotRecognized();

  // Sizes are computed in 16-bit arithmetic, as the header fields are 16-bit: a span that
  // does not fit wraps negative and is refused below.
  const auto width = static_cast<std::int16_t>(S16(bytes, 8) - S16(bytes, 4) + 1);
  const auto height = static_cast<std::int16_t>(S16(bytes, 10) - S16(bytes, 6) + 1);
  if (!AcceptableSize(width, height)) return NotRecognized();
  const std::uint64_t bytesPerLine = U16(bytes, kBytesPerLineOffset);
  if (bytesPerLine < static_cast<std::uint64_t>(width)) return NotRecognized();

  const std::span<const std::uint8_t> stream =
      bytes.subspan(kHeaderSize, bytes.size() - kHeaderSize - kPaletteSize);
  const std::uint8_t* palette = bytes.data() + bytes.size() - kPaletteSize;

  // Two encoded bytes give at most 63 decoded ones. Refusing a stream that cannot possibly
  // be long enough keeps the allocation in proportion to the file.
  const std::uint64_t decodedNeeded = (static_cast<std::uint64_t>(height) - 1) * bytesPerLine + width;
  if (stream.size() * kLongestRun < decodedNeeded * 2) return NotRecognized();

  ImageRGBA image = BlankImage(width, height);
  const std::uint64_t total = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height);
  std::uint64_t written = 0;
  std::uint64_t column = 0;  // position within the current scan line, padding included
  std::uint8_t* out = image.pixels.data();
  std::size_t in = 0;
  while (written < total) {
    if (in >= stream.size()) return NotRecognized();
    const std::uint8_t b = stream[in++];
    std::uint64_t count = 1;
    std::uint8_t index = b;
    if (b >= kRunFlag) {
      // A count of 0 still takes its index byte and writes nothing.
      count = b - kRunFlag;
      if (in >= stream.size()) return NotRecognized();
      index = stream[in++];
    }
    const std::uint8_t* rgb = palette + 3 * static_cast<std::size_t>(index);
    for (; count > 0 && written < total; --count) {
      if (column < static_cast<std::uint64_t>(width)) {
        out[0] = rgb[0];
        out[1] = rgb[1];
        out[2] = rgb[2];
        out += 4;
        ++written;
      }
      if (++column == bytesPerLine) column = 0;
    }
  }
  return Succeed(std::move(image));
}

}  // namespace tessary
