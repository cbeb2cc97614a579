// PNG encoding into memory with libpng, and the file write.
#include "render/PngWriter.h"

#include <png.h>

#include <csetjmp>
#include <cstddef>
#include <new>

#include "app/FileIO.h"

namespace tessary {

namespace {

struct PngSink {
  std::vector<std::uint8_t> bytes;
};

void AppendToSink(png_structp png, png_bytep data, png_size_t length) {
  auto* sink = static_cast<PngSink*>(png_get_io_ptr(png));
  try {
    sink->bytes.insert(sink->bytes.end(), data, data + length);
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");  // leaves by longjmp to EncodeRows
  }
}

void FlushSink(png_structp) {}

// Runs libpng over prepared rows. libpng reports errors by longjmp back here, so this frame
// holds no objects with destructors; everything it touches lives in the caller.
bool EncodeRows(PngSink& sink, png_bytepp rows, png_uint_32 width, png_uint_32 height, int colorType) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &sink, AppendToSink, FlushSink);
  png_set_IHDR(png, info, width, height, 8, colorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(std::span<const std::uint8_t> rgba, int width, int height,
                                                    PngChannels channels, std::string* error) {
  auto fail = [error](const char* why) -> std::optional<std::vector<std::uint8_t>> {
    if (error != nullptr) *error = why;
    return std::nullopt;
  };
  if (width < 1 || height < 1) return fail("the picture is empty");
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (rgba.size() != pixels * 4) return fail("the pixel data does not match the picture size");

  const std::size_t perPixel = channels == PngChannels::Rgba ? 4 : 3;
  std::vector<std::uint8_t> packed;
  if (channels == PngChannels::Rgb) {
    packed.resize(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i) {
      packed[i * 3] = rgba[i * 4];
      packed[i * 3 + 1] = rgba[i * 4 + 1];
      packed[i * 3 + 2] = rgba[i * 4 + 2];
    }
  } else {
    packed.assign(rgba.begin(), rgba.end());
  }
  const std::size_t stride = static_cast<std::size_t>(width) * perPixel;
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = packed.data() + y * stride;

  PngSink sink;
  const int colorType = channels == PngChannels::Rgba ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB;
  if (!EncodeRows(sink, rows.data(), static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), colorType))
    return fail("the PNG could not be encoded");
  return std::move(sink.bytes);
}

bool WritePngFile(const std::string& path, std::span<const std::uint8_t> rgba, int width, int height,
                  std::string* error, PngChannels channels) {
  const auto bytes = EncodePng(rgba, width, height, channels, error);
  if (!bytes) return false;
  const int cause = WriteFileReplacing(path, *bytes);
  if (cause != 0) {
    if (error != nullptr) *error = "cannot write " + path + " (file error " + std::to_string(cause) + ")";
    return false;
  }
  return true;
}

}  // namespace tessary
