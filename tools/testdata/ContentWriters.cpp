// Writers of zip archives, JPEG and PNG files.
#include "testdata/ContentWriters.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

#include <jpeglib.h>
#include <zip.h>
#include <zlib.h>

namespace tessary::testing {

void WriteZip(const std::string& path, const std::vector<ZipMember>& members, bool stored) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  int error = 0;
  zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (archive == nullptr) throw std::runtime_error("cannot create " + path);
  for (const ZipMember& member : members) {
    // The buffers stay alive until zip_close, which is when libzip reads them.
    zip_source_t* source = zip_source_buffer(archive, member.bytes.data(), member.bytes.size(), 0);
    const zip_int64_t index = zip_file_add(archive, member.name.c_str(), source, ZIP_FL_ENC_RAW);
    if (index < 0) throw std::runtime_error("cannot add " + member.name);
    if (stored) zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(archive) != 0) throw std::runtime_error("cannot write " + path);
}

Bytes EncodeJpeg(int width, int height, int components, const Bytes& samples, bool progressive) {
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = components;
  info.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(samples.data()) + std::size_t{info.next_scanline} * width * components;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

namespace {
void PutChunk(Bytes& out, const char* type, const Bytes& data) {
  const auto be = [&out](std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
  };
  be(static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  be(static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}
}  // namespace

Bytes EncodePng(const PngImage& image) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  for (std::uint32_t v : {static_cast<std::uint32_t>(image.width), static_cast<std::uint32_t>(image.height)})
    for (int shift = 24; shift >= 0; shift -= 8) header.push_back(static_cast<std::uint8_t>(v >> shift));
  header.insert(header.end(), {static_cast<std::uint8_t>(image.bitDepth), static_cast<std::uint8_t>(image.colourType),
                               0, 0, 0});
  PutChunk(out, "IHDR", header);
  if (!image.palette.empty()) PutChunk(out, "PLTE", image.palette);
  if (!image.transparency.empty()) PutChunk(out, "tRNS", image.transparency);
  Bytes raw;
  for (const Bytes& row : image.rows) {
    raw.push_back(0);  // filter type None
    raw.insert(raw.end(), row.begin(), row.end());
  }
  uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packedSize);
  compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
  packed.resize(packedSize);
  PutChunk(out, "IDAT", packed);
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace tessary::testing
