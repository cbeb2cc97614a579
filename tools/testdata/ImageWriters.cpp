// PCX, BMP and TGA writers for tests, fuzz seeds, benchmarks and the demo models.
#include "testdata/ImageWriters.h"

#include <algorithm>

namespace tessary::testing {

namespace {

void Put8(std::vector<std::uint8_t>& out, unsigned v) { out.push_back(static_cast<std::uint8_t>(v)); }
void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  Put8(out, v & 0xFF);
  Put8(out, (v >> 8) & 0xFF);
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A pixel value as it is stored: little-endian, depth / 8 bytes.
void PutTgaPixel(std::vector<std::uint8_t>& out, std::uint32_t value, int bytesPerPixel) {
  for (int i = 0; i < bytesPerPixel; ++i) Put8(out, (value >> (8 * i)) & 0xFF);
}

}  // namespace

void PokeU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value) {
  bytes.at(offset) = static_cast<std::uint8_t>(value & 0xFF);
  bytes.at(offset + 1) = static_cast<std::uint8_t>(value >> 8);
}

void PokeU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
  PokeU16(bytes, offset, static_cast<std::uint16_t>(value & 0xFFFF));
  PokeU16(bytes, offset + 2, static_cast<std::uint16_t>(value >> 16));
}

std::vector<std::uint8_t> EncodePcxRuns(const std::vector<std::uint8_t>& decoded, bool useRuns) {
  std::vector<std::uint8_t> out;
  for (std::size_t i = 0; i < decoded.size();) {
    const std::uint8_t v = decoded[i];
    std::size_t run = 1;
    if (useRuns)
      while (i + run < decoded.size() && decoded[i + run] == v && run < 63) ++run;
    if (run > 1 || v >= 0xC0) {
      Put8(out, 0xC0 | run);
      Put8(out, v);
    } else {
      Put8(out, v);
    }
    i += run;
  }
  return out;
}

std::vector<std::uint8_t> WritePcx(const PcxImage& image) {
  const int bytesPerLine = image.bytesPerLine > 0 ? image.bytesPerLine : image.width;
  std::vector<std::uint8_t> out;
  Put8(out, 0x0A);
  Put8(out, image.version);
  Put8(out, 1);  // run-length encoding
  Put8(out, 8);  // bits per pixel
  Put16(out, static_cast<std::uint16_t>(image.xMin));
  Put16(out, static_cast<std::uint16_t>(image.yMin));
  Put16(out, static_cast<std::uint16_t>(image.xMin + image.width - 1));
  Put16(out, static_cast<std::uint16_t>(image.yMin + image.height - 1));
  Put16(out, 72);
  Put16(out, 72);
  out.resize(65, 0);  // 16-colour palette and reserved byte
  Put8(out, 1);       // planes
  Put16(out, static_cast<unsigned>(bytesPerLine));
  Put16(out, 1);      // colour palette
  out.resize(128, 0);

  std::vector<std::uint8_t> all;
  for (int y = 0; y < image.height; ++y) {
    std::vector<std::uint8_t> line(static_cast<std::size_t>(bytesPerLine), image.padIndex);
    for (int x = 0; x < image.width && x < bytesPerLine; ++x)
      line[x] = image.indices.at(static_cast<std::size_t>(y) * image.width + x);
    if (image.runsCrossLines) {
      all.insert(all.end(), line.begin(), line.end());
    } else {
      auto encoded = EncodePcxRuns(line, image.useRuns);
      out.insert(out.end(), encoded.begin(), encoded.end());
    }
  }
  if (image.runsCrossLines) {
    auto encoded = EncodePcxRuns(all, image.useRuns);
    out.insert(out.end(), encoded.begin(), encoded.end());
  }
  Put8(out, 0x0C);
  for (const Rgb8& c : image.palette) {
    Put8(out, c.r);
    Put8(out, c.g);
    Put8(out, c.b);
  }
  return out;
}

std::vector<std::uint8_t> WriteBmp(const BmpImage& image) {
  const bool known = image.bitCount == 8 || image.bitCount == 24;
  const std::size_t bytesPerPixel = image.bitCount == 24 ? 3 : 1;
  const std::size_t rowBytes = static_cast<std::size_t>(image.width) * bytesPerPixel;
  const std::size_t stride = image.padRows ? (rowBytes + 3) / 4 * 4 : rowBytes;
  std::vector<std::uint8_t> pixels;
  if (known) {
    for (int fileRow = 0; fileRow < image.height; ++fileRow) {
      const std::size_t row = static_cast<std::size_t>(image.height - 1 - fileRow);
      for (std::size_t i = 0; i < static_cast<std::size_t>(image.width); ++i) {
        if (image.bitCount == 8) {
          Put8(pixels, image.data.at(row * rowBytes + i));
        } else {
          const std::size_t at = row * rowBytes + 3 * i;
          Put8(pixels, image.data.at(at + 2));
          Put8(pixels, image.data.at(at + 1));
          Put8(pixels, image.data.at(at));
        }
      }
      pixels.resize(pixels.size() + (stride - rowBytes), 0);
    }
  } else {
    pixels = image.data;
  }

  const std::uint32_t paletteBytes = static_cast<std::uint32_t>(image.palette.size() * 4);
  const std::uint32_t dataOffset = 14 + image.infoHeaderSize + paletteBytes;
  std::vector<std::uint8_t> out;
  Put8(out, 'B');
  Put8(out, 'M');
  Put32(out, dataOffset + static_cast<std::uint32_t>(pixels.size()));
  Put32(out, 0);
  Put32(out, dataOffset);
  Put32(out, image.infoHeaderSize);
  Put32(out, static_cast<std::uint32_t>(image.width));
  Put32(out, static_cast<std::uint32_t>(image.height));
  Put16(out, 1);
  Put16(out, static_cast<unsigned>(image.bitCount));
  Put32(out, 0);  // no compression
  Put32(out, static_cast<std::uint32_t>(pixels.size()));
  Put32(out, 2835);
  Put32(out, 2835);
  Put32(out, image.coloursUsed);
  Put32(out, 0);
  out.resize(14 + image.infoHeaderSize, 0);
  for (const Rgb8& c : image.palette) {
    Put8(out, c.b);
    Put8(out, c.g);
    Put8(out, c.r);
    Put8(out, 0);
  }
  out.insert(out.end(), pixels.begin(), pixels.end());
  return out;
}

std::vector<std::uint8_t> WriteTga(const TgaImage& image) {
  const int bytesPerPixel = image.depth / 8;
  std::vector<std::uint8_t> out;
  Put8(out, static_cast<unsigned>(image.id.size()));
  Put8(out, image.colourMapType);
  Put8(out, image.imageType);
  Put16(out, 0);
  Put16(out, image.colourMapLength);
  Put8(out, image.colourMapEntryBits);
  Put16(out, 0);
  Put16(out, 0);
  Put16(out, static_cast<unsigned>(image.width));
  Put16(out, static_cast<unsigned>(image.height));
  Put8(out, image.depth);
  Put8(out, image.descriptor);
  out.insert(out.end(), image.id.begin(), image.id.end());
  if (image.colourMapType != 0)
    out.resize(out.size() + std::size_t{image.colourMapLength} * ((image.colourMapEntryBits + 7u) / 8u), 0x5A);

  // The pixels in stored order.
  std::vector<std::uint32_t> stored;
  for (int fileRow = 0; fileRow < image.height; ++fileRow) {
    const int row = (image.descriptor & 0x20) ? fileRow : image.height - 1 - fileRow;
    for (int x = 0; x < image.width; ++x) stored.push_back(image.pixels.at(static_cast<std::size_t>(row) * image.width + x));
  }
  if (image.imageType != 10) {
    for (std::uint32_t v : stored) PutTgaPixel(out, v, bytesPerPixel);
    return out;
  }
  // Run packets for two or more equal pixels, raw packets otherwise; at most 128 each.
  const std::size_t rowLength = static_cast<std::size_t>(std::max(image.width, 1));
  std::size_t i = 0;
  while (i < stored.size()) {
    const std::size_t limit = std::min<std::size_t>(
        stored.size(), image.rowBoundedPackets ? (i / rowLength + 1) * rowLength : stored.size());
    std::size_t run = 1;
    while (i + run < limit && stored[i + run] == stored[i] && run < 128) ++run;
    if (run > 1) {
      Put8(out, 0x80 | (run - 1));
      PutTgaPixel(out, stored[i], bytesPerPixel);
      i += run;
      continue;
    }
    std::size_t raw = 1;
    while (i + raw < limit && raw < 128 && !(i + raw + 1 < limit && stored[i + raw] == stored[i + raw + 1])) ++raw;
    Put8(out, raw - 1);
    for (std::size_t k = 0; k < raw; ++k) PutTgaPixel(out, stored[i + k], bytesPerPixel);
    i += raw;
  }
  return out;
}

}  // namespace tessary::testing
