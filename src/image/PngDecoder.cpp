// Decoding PNG files of every colour type and bit depth through libpng's simplified
// interface, which turns them all into 8-bit RGBA, keeping their transparency. Its errors
// come back as a failed call, never as a jump through our code.
#include <png.h>

#include "image/DecodeSupport.h"

namespace tessary {

DecodeResult DecodePng(std::span<const std::uint8_t> bytes) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  struct Release {
    png_image& png;
    ~Release() { png_image_free(&png); }
  } release{png};
  if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size())) return decode::NotRecognized();
  if (!decode::AcceptableSize(png.width, png.height)) return decode::NotRecognized();
  png.format = PNG_FORMAT_RGBA;
  // Game textures are drawn as stored, so 16-bit samples without a gamma chunk are taken as
  // ordinary sRGB values to scale down, not as linear light to re-encode.
  png.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
  ImageRGBA image = decode::BlankImage(static_cast<std::int32_t>(png.width), static_cast<std::int32_t>(png.height));
  if (!png_image_finish_read(&png, nullptr, image.pixels.data(), 0, nullptr)) return decode::NotRecognized();
  return decode::Succeed(std::move(image));
}

}  // namespace tessary
