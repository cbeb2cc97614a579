// Builders of PCX, BMP and TGA files from pixel data a test states, for decoder tests,
// fuzz seed corpora and benchmarks. They write well-formed files; tests make broken ones
// by changing fields afterwards (PokeU16, PokeU32) or by cutting the bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessary::testing {

struct Rgb8 {
  std::uint8_t r = 0, g = 0, b = 0;
};

// Overwrite a little-endian field of a file already written.
void PokeU16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint16_t value);
void PokeU32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value);

// An 8-bit, one-plane PCX with its palette in the last 768 bytes, after the 0x0C marker.
struct PcxImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> indices;  // width * height, top row first
  std::array<Rgb8, 256> palette{};
  int bytesPerLine = 0;               // 0: the width; more adds padding to every line
  std::uint8_t padIndex = 0;          // value of the padding bytes
  bool useRuns = true;                // false: no run longer than 1 (indices >= 0xC0 still need one)
  bool runsCrossLines = false;        // encode the whole picture as one sequence
  std::uint8_t version = 5;
  std::int16_t xMin = 0;              // Xmax = xMin + width - 1, likewise for y
  std::int16_t yMin = 0;
};
std::vector<std::uint8_t> WritePcx(const PcxImage& image);
// The run-length encoding of a byte sequence (runs of at most 63).
std::vector<std::uint8_t> EncodePcxRuns(const std::vector<std::uint8_t>& decoded, bool useRuns = true);

// A bottom-up BMP with a 14-byte file header and an information header of any size (the
// bytes past the first 40 are zero), the palette right after it and the pixels right
// after the palette.
struct BmpImage {
  int width = 0;
  int height = 0;
  int bitCount = 24;                  // 8 or 24; any other count writes `data` verbatim
  std::vector<std::uint8_t> data;     // top row first: indices (8) or red, green, blue (24)
  std::vector<Rgb8> palette;           // the entries written (8-bit)
  std::uint32_t coloursUsed = 0;      // the header field as written
  std::uint32_t infoHeaderSize = 40;
  bool padRows = true;                // pad every row to a multiple of 4 bytes
};
std::vector<std::uint8_t> WriteBmp(const BmpImage& image);

// A true-colour TGA, uncompressed (type 2) or run-length encoded (type 10).
struct TgaImage {
  int width = 0;
  int height = 0;
  std::uint8_t imageType = 2;
  std::uint8_t depth = 24;            // 16, 24 or 32; others write depth / 8 bytes per pixel
  std::uint8_t descriptor = 0x20;     // bit 5 set: top row stored first, else bottom first
  // Top row first: 16-bit values, 0xRRGGBB or 0xAARRGGBB, as the depth says.
  std::vector<std::uint32_t> pixels;
  std::vector<std::uint8_t> id;       // image ID written after the header
  std::uint8_t colourMapType = 0;     // a colour map of colourMapLength filler entries
  std::uint16_t colourMapLength = 0;
  std::uint8_t colourMapEntryBits = 0;
  bool rowBoundedPackets = false;     // type 10: no packet crosses a row
};
std::vector<std::uint8_t> WriteTga(const TgaImage& image);

}  // namespace tessary::testing
