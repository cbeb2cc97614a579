// Fuzzes image decoding exactly as a texture file is read: a file longer than the reader
// takes is refused before decoding, the format is recognised from the first bytes and the
// matching decoder runs (PCX, BMP, TGA, JPEG through libjpeg-turbo, PNG through libpng). A
// decoded image must be whole; only a PNG may be transparent.
#include <cstdlib>

#include "image/ImageDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessary;
  if (size > kMaxImageFileBytes) return 0;
  DecodeResult result = DecodeImage(std::span<const std::uint8_t>(data, size));
  if (!result.ok()) return 0;
  const ImageRGBA& image = *result.image;
  if (image.width < 1 || image.height < 1) std::abort();
  if (image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4)
    std::abort();
  const bool png = size >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
  for (std::size_t i = 3; i < image.pixels.size() && !png; i += 4)
    if (image.pixels[i] != 255) std::abort();
  return 0;
}
