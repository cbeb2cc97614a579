// Decoding JPEG files (baseline and progressive; greyscale, colour and CMYK) through
// libjpeg-turbo. libjpeg reports fatal errors by calling a handler that must not return;
// its default one ends the process, so ours jumps back here instead. The jump only crosses
// libjpeg's own C frames, and the functions that set the jump point hold nothing but plain
// data, so no destructor is skipped. Damaged data, which libjpeg would only warn about and
// paper over with grey, is refused as well.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jerror.h>
#include <jpeglib.h>

#include "image/DecodeSupport.h"

namespace tessary {

namespace {

// Work memory libjpeg may take besides the picture (a progressive file keeps all its
// coefficients), and the most scans a progressive file may have: enough for any real file,
// and a bound on the time a hostile one can take.
constexpr long kMaxWorkBytes = 768L * 1024 * 1024;
constexpr int kMaxScans = 500;

struct JpegReader {
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  jpeg_progress_mgr progress;
  std::jmp_buf escape;
};

JpegReader& ReaderOf(j_common_ptr common) {
  // Both structures are members of one JpegReader, and `info` comes first.
  return *reinterpret_cast<JpegReader*>(common);
}

[[noreturn]] void EscapeOnError(j_common_ptr common) { std::longjmp(ReaderOf(common).escape, 1); }

// Warnings that mean the data is damaged end the decoding; the harmless ones (odd markers,
// unknown header versions) are ignored. Trace messages are never shown.
void EscapeOnDamage(j_common_ptr common, int level) {
  if (level >= 0) return;
  switch (common->err->msg_code) {
    case JWRN_JPEG_EOF:
    case JWRN_HIT_MARKER:
    case JWRN_HUFF_BAD_CODE:
    case JWRN_MUST_RESYNC:
    case JWRN_BOGUS_PROGRESSION:
    case JWRN_NOT_SEQUENTIAL:
      std::longjmp(ReaderOf(common).escape, 1);
    default:
      break;
  }
}

void Silent(j_common_ptr) {}

void LimitScans(j_common_ptr common) {
  if (common->is_decompressor && reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kMaxScans)
    std::longjmp(ReaderOf(common).escape, 1);
}

// Sets up the reader on the bytes and reads the header. False when libjpeg gave up.
bool ReadHeader(JpegReader& r, const std::uint8_t* data, std::size_t size) {
  if (setjmp(r.escape) != 0) return false;
  jpeg_create_decompress(&r.info);
  r.info.mem->max_memory_to_use = kMaxWorkBytes;
  r.info.progress = &r.progress;
  jpeg_mem_src(&r.info, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&r.info, TRUE) != JPEG_HEADER_OK) return false;
  const bool cmyk = r.info.jpeg_color_space == JCS_CMYK || r.info.jpeg_color_space == JCS_YCCK;
  r.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
  return true;
}

// Decodes every row into pixels (width * 4 bytes a row, top row first). False when libjpeg
// gave up or the data was damaged.
bool ReadRows(JpegReader& r, std::uint8_t* pixels) {
  if (setjmp(r.escape) != 0) return false;
  jpeg_start_decompress(&r.info);
  if (r.info.output_components != 4) return false;
  const std::size_t stride = std::size_t{r.info.output_width} * 4;
  while (r.info.output_scanline < r.info.output_height) {
    JSAMPROW row = pixels + r.info.output_scanline * stride;
    if (jpeg_read_scanlines(&r.info, &row, 1) != 1) return false;
  }
  jpeg_finish_decompress(&r.info);
  return true;
}

// CMYK rows to RGB in place. Adobe's files store the inks inverted, as most CMYK JPEGs do.
void CmykToRgb(std::vector<std::uint8_t>& pixels, bool inverted) {
  for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
    int c = pixels[i], m = pixels[i + 1], y = pixels[i + 2], k = pixels[i + 3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    pixels[i] = static_cast<std::uint8_t>(c * k / 255);
    pixels[i + 1] = static_cast<std::uint8_t>(m * k / 255);
    pixels[i + 2] = static_cast<std::uint8_t>(y * k / 255);
    pixels[i + 3] = 255;
  }
}

}  // namespace

DecodeResult DecodeJpeg(std::span<const std::uint8_t> bytes) {
  JpegReader reader{};
  reader.info.err = jpeg_std_error(&reader.error);
  reader.error.error_exit = EscapeOnError;
  reader.error.emit_message = EscapeOnDamage;
  reader.error.output_message = Silent;
  reader.progress.progress_monitor = LimitScans;
  struct Release {
    jpeg_decompress_struct& info;
    ~Release() { jpeg_destroy_decompress(&info); }
  } release{reader.info};

  if (!ReadHeader(reader, bytes.data(), bytes.size())) return decode::NotRecognized();
  if (!decode::AcceptableSize(reader.info.image_width, reader.info.image_height)) return decode::NotRecognized();
  ImageRGBA image = decode::BlankImage(static_cast<std::int32_t>(reader.info.image_width),
                                       static_cast<std::int32_t>(reader.info.image_height));
  if (!ReadRows(reader, image.pixels.data())) return decode::NotRecognized();
  // Scaling is never asked for, so the output has the header's size.
  if (reader.info.output_width != reader.info.image_width || reader.info.output_height != reader.info.image_height)
    return decode::NotRecognized();
  if (reader.info.out_color_space == JCS_CMYK) CmykToRgb(image.pixels, reader.info.saw_Adobe_marker != 0);
  return decode::Succeed(std::move(image));
}

}  // namespace tessary
