// The skin base: the line routine pixel by pixel, and the layout of every model written as a
// BMP by the command line.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "app/FileIO.h"
#include "image/SkinBase.h"
#include "support/TempFolder.h"
#include "testdata/Md3Writer.h"

namespace tessary {
namespace {

constexpr std::uint32_t W = 0xFFFFFF;
constexpr std::uint32_t Grey(std::uint32_t v) { return v * 0x010101u; }
using Expected = std::map<std::pair<int, int>, std::uint32_t>;  // (x, y) -> colour; others black

// Every pixel of the canvas equals the expected map.
void ExpectCanvas(const std::vector<std::uint32_t>& canvas, int width, const Expected& expected) {
  for (std::size_t i = 0; i < canvas.size(); ++i) {
    const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
    const auto found = expected.find({x, y});
    ASSERT_EQ(canvas[i], found == expected.end() ? 0 : found->second) << "pixel (" << x << ", " << y << ")";
  }
}

TEST(DrawAntialiasedLine, EveryDirectionGivesItsHandWorkedPixels) {
  // dx 3, dy 1: step 65536 / 3 = 21845. Step 1: acc 21845, w 85, so the near row gets
  // weight 171 (255 * 171 / 256 = 170) and the far one 85 (84); step 2: acc 43690, w 170,
  // giving 85 and 169. The end points are set whole.
  const Expected shallow = {{{0, 0}, W}, {{1, 0}, Grey(170)}, {{1, 1}, Grey(84)}, {{2, 0}, Grey(85)}, {{2, 1}, Grey(169)}, {{3, 1}, W}};
  const std::pair<std::array<int, 4>, Expected> cases[] = {
      {{0, 0, 3, 1}, shallow},
      {{3, 1, 0, 0}, shallow},  // drawn downwards all the same
      {{3, 0, 0, 1}, {{{3, 0}, W}, {{2, 0}, Grey(170)}, {{2, 1}, Grey(84)}, {{1, 0}, Grey(85)}, {{1, 1}, Grey(169)}, {{0, 1}, W}}},
      {{0, 0, 1, 3}, {{{0, 0}, W}, {{0, 1}, Grey(170)}, {{1, 1}, Grey(84)}, {{0, 2}, Grey(85)}, {{1, 2}, Grey(169)}, {{1, 3}, W}}},
      {{1, 0, 0, 3}, {{{1, 0}, W}, {{1, 1}, Grey(170)}, {{0, 1}, Grey(84)}, {{1, 2}, Grey(85)}, {{0, 2}, Grey(169)}, {{0, 3}, W}}},
      {{4, 1, 1, 1}, {{{1, 1}, W}, {{2, 1}, W}, {{3, 1}, W}, {{4, 1}, W}}},
      {{5, 5, 5, 2}, {{{5, 2}, W}, {{5, 3}, W}, {{5, 4}, W}, {{5, 5}, W}}},
      {{3, 2, 0, 5}, {{{3, 2}, W}, {{2, 3}, W}, {{1, 4}, W}, {{0, 5}, W}}},
      {{2, 4, 2, 4}, {{{2, 4}, W}}},
  };
  for (const auto& [ends, expected] : cases) {
    std::vector<std::uint32_t> canvas(36, 0);
    DrawAntialiasedLine(ends[0], ends[1], ends[2], ends[3], canvas, 6, 6, W);
    SCOPED_TRACE(::testing::PrintToString(ends));
    ExpectCanvas(canvas, 6, expected);
  }
  // Blending mixes with what is there and clears the top byte: (1, 1) at weight 85 over
  // 0x402010 gives red (64 * 171 + 255 * 85) / 256 = 127, green 106, blue 95.
  std::vector<std::uint32_t> canvas(36, 0x00402010);
  canvas[7] = 0xAB402010;
  DrawAntialiasedLine(0, 0, 3, 1, canvas, 6, 6, W);
  EXPECT_EQ(canvas[7], 0x007F6A5Fu);

}

// One surface with one triangle whose texture corners are st.
std::vector<std::uint8_t> TriangleMd3(std::array<std::array<float, 2>, 3> st) {
  md3::File file;
  md3::Surface& surface = file.surfaces.emplace_back();
  surface.st = {st[0], st[1], st[2]};
  surface.triangles = {{0, 1, 2}};
  surface.frames = {{md3::Vertex{0, 0, 0, 0}, md3::Vertex{64, 0, 0, 0}, md3::Vertex{0, 64, 0, 0}}};
  file.frames = {md3::BoundsOf(file, 0)};
  return md3::Write(file);
}

TEST(SkinBaseCommandLine, WritesTheLayoutOfEveryFileBottomRowFirst) {
  testing::TempFolder folder;
  std::ostringstream err;
  const std::string a = folder.Write("a.md3", TriangleMd3({{{0, 0}, {0.5f, 0}, {0, 0.5f}}}));
  const std::string b = folder.Write("b.md3", TriangleMd3({{{0.75f, 0.25f}, {0.75f, 0.25f}, {0.75f, 0.25f}}}));
  ASSERT_EQ(ExportSkinBaseCommandLine({a, b}, std::nullopt, folder / "out.bmp", err), 0) << err.str();
  const auto bmp = ReadWholeFile(folder / "out.bmp").value_or(std::vector<std::uint8_t>{});
  ASSERT_EQ(bmp.size(), 196662u);
  const std::vector<std::uint8_t> header = {
      'B', 'M', 0x36, 0x00, 0x03, 0x00, 0, 0, 0, 0, 54, 0, 0, 0,  // file size 196662, pixels at 54
      40, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0,                       // header 40, 256 x 256
      1, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,                       // 1 plane, 24 bits, no compression
      100, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};       // 100 per metre, no palette
  EXPECT_EQ(std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 54), header);
  // Rows bottom-up (canvas row y is file row y), blue, green, red. The first file's edges:
  // row 255 to x 128, column 0 from row 127, the diagonal; the second file's point (192, 191).
  auto red = [&bmp](int x, int y) { return bmp[54 + 3 * (static_cast<std::size_t>(y) * 256 + x) + 2]; };
  for (auto [x, y] : {std::pair{100, 255}, {0, 130}, {50, 177}, {192, 191}}) EXPECT_EQ(red(x, y), 255) << x << "," << y;
  for (auto [x, y] : {std::pair{129, 255}, {100, 100}, {100, 0}}) EXPECT_EQ(red(x, y), 0) << x << "," << y;

}

}  // namespace
}  // namespace tessary
