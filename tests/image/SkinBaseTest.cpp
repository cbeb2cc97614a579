// The skin base: the line routine pixel by pixel, the layout of the visible models, the BMP
// bytes and the export command.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <set>

#include "app/FileIO.h"
#include "image/ImageDecoder.h"
#include "image/SkinBase.h"
#include "image/ImageTestHelpers.h"
#include "support/TempFolder.h"
#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"

namespace tessary {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

std::uint32_t Grey(std::uint32_t v) { return v * 0x010101u; }

using St = std::array<double, 2>;

ModelRecord& AddModel(Scene& scene, const std::vector<std::array<St, 3>>& triangles, int visible = 1) {
  auto model = std::make_unique<ModelRecord>();
  for (const auto& corners : triangles) {
    TriangleRecord tri;
    tri.st = corners;
    model->triangles.push_back(tri);
  }
  model->numTriangles = static_cast<std::int32_t>(triangles.size());
  model->visible = visible;
  scene.models.push_back(std::move(model));
  return *scene.models.back();
}

// A small canvas for the line routine, with a readable accessor.
struct SmallCanvas {
  SmallCanvas(int w, int h, std::uint32_t fill = 0) : width(w), height(h), pixels(std::size_t(w) * h, fill) {}
  std::uint32_t& at(int x, int y) { return pixels.at(std::size_t(y) * width + x); }
  void Line(int x0, int y0, int x1, int y1, std::uint32_t colour = kWhite) {
    DrawAntialiasedLine(x0, y0, x1, y1, pixels, width, height, colour);
  }
  int width, height;
  std::vector<std::uint32_t> pixels;
};

// Every pixel of the canvas equals the expected map (missing entries mean black).
void ExpectCanvas(const std::vector<std::uint32_t>& canvas, int width,
                  const std::map<std::pair<int, int>, std::uint32_t>& expected) {
  for (std::size_t i = 0; i < canvas.size(); ++i) {
    const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
    const auto found = expected.find({x, y});
    const std::uint32_t want = found == expected.end() ? 0 : found->second;
    ASSERT_EQ(canvas[i], want) << "pixel (" << x << ", " << y << ")";
  }
}

TEST(DrawAntialiasedLine, AShallowLineSharesEachColumnBetweenTwoRows) {
  // dx 3, dy 1: step = 65536 / 3 = 21845. Step 1: acc 21845, w 85, so (1,0) gets weight 171
  // (255 * 171 / 256 = 170) and (1,1) weight 85 (84). Step 2: acc 43690, w 170: (2,0) gets
  // 86 (85) and (2,1) 170 (169). Then the end pixel.
  const std::map<std::pair<int, int>, std::uint32_t> expected = {
      {{0, 0}, kWhite}, {{1, 0}, Grey(170)}, {{1, 1}, Grey(84)}, {{2, 0}, Grey(85)}, {{2, 1}, Grey(169)}, {{3, 1}, kWhite}};
  SmallCanvas forward(5, 3), backward(5, 3);
  forward.Line(0, 0, 3, 1);
  backward.Line(3, 1, 0, 0);  // drawn downwards all the same
  ExpectCanvas(forward.pixels, 5, expected);
  ExpectCanvas(backward.pixels, 5, expected);

  // Leftwards: the mirror image.
  SmallCanvas left(5, 3);
  left.Line(3, 0, 0, 1);
  ExpectCanvas(left.pixels, 5,
               {{{3, 0}, kWhite}, {{2, 0}, Grey(170)}, {{2, 1}, Grey(84)}, {{1, 0}, Grey(85)}, {{1, 1}, Grey(169)}, {{0, 1}, kWhite}});

  // Steep: the transpose, sharing each row between two columns.
  SmallCanvas steep(3, 5);
  steep.Line(0, 0, 1, 3);
  ExpectCanvas(steep.pixels, 3,
               {{{0, 0}, kWhite}, {{0, 1}, Grey(170)}, {{1, 1}, Grey(84)}, {{0, 2}, Grey(85)}, {{1, 2}, Grey(169)}, {{1, 3}, kWhite}});
  SmallCanvas steepLeft(3, 5);
  steepLeft.Line(1, 0, 0, 3);
  ExpectCanvas(steepLeft.pixels, 3,
               {{{1, 0}, kWhite}, {{1, 1}, Grey(170)}, {{0, 1}, Grey(84)}, {{1, 2}, Grey(85)}, {{0, 2}, Grey(169)}, {{0, 3}, kWhite}});
}

TEST(DrawAntialiasedLine, StraightAndDiagonalLinesAreSolid) {
  SmallCanvas c(6, 6);
  c.Line(4, 1, 1, 1);  // leftwards, same row
  c.Line(5, 5, 5, 2);  // upwards given, drawn downwards
  c.Line(0, 2, 3, 5);  // diagonal
  c.Line(2, 4, 2, 4);  // a single point
  ExpectCanvas(c.pixels, 6,
               {{{1, 1}, kWhite}, {{2, 1}, kWhite}, {{3, 1}, kWhite}, {{4, 1}, kWhite},
                {{5, 2}, kWhite}, {{5, 3}, kWhite}, {{5, 4}, kWhite}, {{5, 5}, kWhite},
                {{0, 2}, kWhite}, {{1, 3}, kWhite}, {{2, 4}, kWhite}, {{3, 5}, kWhite}});
}

TEST(DrawAntialiasedLine, BlendingMixesWithWhatIsThereAndClearsTheTopByte) {
  SmallCanvas c(5, 3, 0x00402010);
  c.at(1, 1) = 0xAB402010;
  c.Line(0, 0, 3, 1);
  // (1,1) at weight 85: red (64 * 171 + 255 * 85) / 256 = 127, green (32 * 171 + 21675) / 256
  // = 106, blue (16 * 171 + 21675) / 256 = 95.
  EXPECT_EQ(c.at(1, 1), 0x007F6A5Fu);
  // A coloured line mixes only its own channels in: red at weight 171 over black.
  SmallCanvas red(5, 3);
  red.Line(0, 0, 3, 1, 0xFF0000);
  EXPECT_EQ(red.at(1, 0), 0xAA0000u);
  EXPECT_EQ(red.at(3, 1), 0xFF0000u);
}

TEST(DrawAntialiasedLine, PixelsOffTheCanvasAreSkippedOneByOne) {
  // Lines drawn on a 256 x 256 canvas must give exactly the middle of the same lines drawn
  // on a 1024 x 1024 canvas shifted by 384, where nothing is cut off.
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-300, 560);
  SmallCanvas small(256, 256, 0x00102030), large(1024, 1024, 0x00102030);
  for (int i = 0; i < 400; ++i) {
    const int x0 = coordinate(random), y0 = coordinate(random), x1 = coordinate(random), y1 = coordinate(random);
    small.Line(x0, y0, x1, y1);
    large.Line(x0 + 384, y0 + 384, x1 + 384, y1 + 384);
  }
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) ASSERT_EQ(small.at(x, y), large.at(x + 384, y + 384)) << x << "," << y;
}

TEST(DrawAntialiasedLine, ExtremeEndPointsStayOnTheCanvas) {
  // Differences beyond 16 bits, the ends of the int32 range: nothing may land outside,
  // and the call must finish.
  const std::int32_t lo = std::numeric_limits<std::int32_t>::min(), hi = std::numeric_limits<std::int32_t>::max();
  std::vector<std::uint32_t> buffer(16 * 18, 0xDEAD);
  std::span<std::uint32_t> inner(buffer.data() + 16, 16 * 16);
  for (auto [x0, y0, x1, y1] : std::vector<std::array<std::int32_t, 4>>{
           {lo, lo, hi, hi}, {hi, lo, lo, hi}, {0, 0, 70000, 5}, {5, 0, -65531, 3}, {3, 2, 5, 65538}, {0, 0, 40000, 40000}})
    DrawAntialiasedLine(x0, y0, x1, y1, inner, 16, 16, kWhite);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(buffer[i], 0xDEADu) << "before the canvas";
    EXPECT_EQ(buffer[buffer.size() - 1 - i], 0xDEADu) << "after the canvas";
  }
}

TEST(DrawSkinBase, TheHalfTriangleGivesSolidEdges) {
  Scene scene;
  AddModel(scene, {{St{0, 0}, St{0.5, 0}, St{0, 0.5}}});
  std::map<std::pair<int, int>, std::uint32_t> expected;
  for (int x = 0; x <= 128; ++x) expected[{x, 255}] = kWhite;       // row 255, x 0..128
  for (int y = 127; y <= 255; ++y) expected[{0, y}] = kWhite;       // column 0, rows 127..255
  for (int k = 0; k <= 128; ++k) expected[{k, 127 + k}] = kWhite;   // (0,127) to (128,255)
  ExpectCanvas(DrawSkinBase(scene), 256, expected);
}

TEST(DrawSkinBase, AHalfSlopeEdgeAlternatesHalfAndFullPixels) {
  // Corners (0, 255), (128, 255), (0, 191). The middle edge runs from (0, 191) to
  // (128, 255): step 32768, so odd columns k split between rows 191 + (k - 1) / 2 and the
  // one below at 127 each, even columns are 255 on row 191 + k / 2 and leave the row below
  // as it was.
  Scene scene;
  AddModel(scene, {{St{0, 0}, St{0.5, 0}, St{0, 0.25}}});
  std::map<std::pair<int, int>, std::uint32_t> expected;
  for (int k = 1; k < 128; ++k) {
    if (k % 2 == 1) {
      expected[{k, 191 + (k - 1) / 2}] = Grey(127);
      expected[{k, 192 + (k - 1) / 2}] = Grey(127);
    } else {
      expected[{k, 191 + k / 2}] = kWhite;
    }
  }
  // The first edge (row 255) is drawn before, the third (column 0) after; white blended
  // into white stays white.
  for (int x = 0; x <= 128; ++x) expected[{x, 255}] = kWhite;
  for (int y = 191; y <= 255; ++y) expected[{0, y}] = kWhite;
  const auto canvas = DrawSkinBase(scene);
  EXPECT_EQ(canvas[191 * 256 + 1], Grey(127));
  EXPECT_EQ(canvas[192 * 256 + 1], Grey(127));
  EXPECT_EQ(canvas[192 * 256 + 2], kWhite);
  EXPECT_EQ(canvas[193 * 256 + 2], 0u);
  ExpectCanvas(canvas, 256, expected);
}

TEST(DrawSkinBase, OnlyVisibleModelsCountAndEveryTriangleIsDrawn) {
  Scene scene;
  AddModel(scene, {{St{0.5, 0.5}, St{0.75, 0.5}, St{0.5, 0.75}}}, /*visible=*/0);
  EXPECT_EQ(DrawSkinBase(scene), std::vector<std::uint32_t>(65536, 0));

  // Two visible models, one of them with two triangles; the current model plays no role.
  AddModel(scene, {{St{0, 0}, St{0.5, 0}, St{0, 0.5}}});
  AddModel(scene, {{St{0.5, 0.5}, St{0.75, 0.5}, St{0.5, 0.75}}, {St{0.9, 0.1}, St{0.9, 0.1}, St{0.9, 0.1}}});
  scene.currentModel = 0;
  const auto canvas = DrawSkinBase(scene);
  EXPECT_EQ(canvas[255 * 256 + 64], kWhite) << "second model";
  EXPECT_EQ(canvas[127 * 256 + 160], kWhite) << "third model, first triangle: (128,127)-(192,127)";
  EXPECT_EQ(canvas[229 * 256 + 230], kWhite) << "third model, second triangle: the point (230, 229)";
  EXPECT_EQ(canvas[100 * 256 + 100], 0u);

  // A numTriangles smaller than the list limits what is drawn.
  scene.models[2]->numTriangles = 1;
  EXPECT_EQ(DrawSkinBase(scene)[229 * 256 + 230], 0u);
}

TEST(DrawSkinBase, CornersOffTheCanvasDrawOnlyWhatFallsOnIt) {
  // Corners (0, 255), (256, 255) and (0, -1): row 255 and column 0 entirely, and the
  // diagonal (k, k - 1); the pixels at x 256 and y -1 are skipped, not wrapped into
  // neighbouring rows.
  Scene scene;
  AddModel(scene, {{St{0, 0}, St{1, 0}, St{0, 1}}});
  std::map<std::pair<int, int>, std::uint32_t> expected;
  for (int i = 0; i < 256; ++i) {
    expected[{i, 255}] = kWhite;
    expected[{0, i}] = kWhite;
  }
  for (int k = 1; k < 256; ++k) expected[{k, k - 1}] = kWhite;
  ExpectCanvas(DrawSkinBase(scene), 256, expected);
}

TEST(DrawSkinBase, HugeInfiniteAndNanCoordinatesAreSafe) {
  const double inf = std::numeric_limits<double>::infinity();
  const double nan = std::numeric_limits<double>::quiet_NaN();
  Scene scene;
  // A corner far to the right: the line along row 255 covers it to the edge. A NaN corner
  // has no place: its two edges are left out and only (0,255)-(0,127) is drawn.
  AddModel(scene, {{St{0, 0}, St{1e300, 0}, St{0, 0}}, {St{0, 0}, St{0, 0.5}, St{nan, 0.25}}});
  std::map<std::pair<int, int>, std::uint32_t> expected;
  for (int x = 0; x < 256; ++x) expected[{x, 255}] = kWhite;
  for (int y = 127; y < 256; ++y) expected[{0, y}] = kWhite;
  ExpectCanvas(DrawSkinBase(scene), 256, expected);

  Scene wild;
  AddModel(wild, {{St{-inf, inf}, St{inf, -inf}, St{-1e30, 1e30}}, {St{nan, nan}, St{inf, inf}, St{-inf, -inf}}});
  const auto canvas = DrawSkinBase(wild);
  EXPECT_EQ(canvas.size(), 65536u);
}

TEST(EncodeSkinBaseBmp, WritesTheFixedHeaderAndBottomUpRows) {
  std::vector<std::uint32_t> canvas(65536, 0);
  canvas[1] = 0x112233;            // (1, 0)
  canvas[255 * 256 + 3] = 0xA0B0C0;  // (3, 255)
  const auto bytes = EncodeSkinBaseBmp(canvas);
  ASSERT_EQ(bytes.size(), 196662u);
  const std::vector<std::uint8_t> header = {
      'B', 'M', 0x36, 0x00, 0x03, 0x00, 0, 0, 0, 0, 54, 0, 0, 0,  // file size 196662, offset 54
      40, 0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0,                       // header 40, 256 x 256
      1, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 0,                       // 1 plane, 24 bits, no compression
      100, 0, 0, 0, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};       // 100 per metre, no palette
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 54), header);
  EXPECT_EQ(bytes[54 + 3], 0x33);
  EXPECT_EQ(bytes[54 + 4], 0x22);
  EXPECT_EQ(bytes[54 + 5], 0x11);
  EXPECT_EQ(bytes[54 + 3 * (255 * 256 + 3)], 0xC0);

  // Read back as a picture: canvas row 0 is the bottom row.
  auto decoded = DecodeImage(bytes);
  ASSERT_TRUE(decoded.ok());
  EXPECT_EQ(imagetest::PixelAt(*decoded.image, 1, 255), imagetest::Opaque(0x11, 0x22, 0x33));
  EXPECT_EQ(imagetest::PixelAt(*decoded.image, 3, 0), imagetest::Opaque(0xA0, 0xB0, 0xC0));
}

class ExportSkinBaseTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
};

TEST_F(ExportSkinBaseTest, WithoutModelsNothingHappens) {
  desktop.fileAnswers.push_back(FileChoice{folder / "out.bmp", 1});
  ExportSkinBase(ws);
  EXPECT_TRUE(desktop.fileDialogs.empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "out.bmp"));
}

TEST_F(ExportSkinBaseTest, SavesWhereTheUserSaysAddingBmpOnlyWithoutAnyDot) {
  AddModel(scene, {{St{0, 0}, St{0.5, 0}, St{0, 0.5}}});
  std::filesystem::create_directory(folder / "v1.2");
  desktop.fileAnswers = {FileChoice{folder / "layout", 1}, FileChoice{folder / "v1.2/layout", 2}, std::nullopt};
  if (folder.path().string().find('.') != std::string::npos) GTEST_SKIP() << "the temporary folder has a dot";
  ExportSkinBase(ws);
  ExportSkinBase(ws);
  ExportSkinBase(ws);  // cancelled
  ASSERT_EQ(desktop.fileDialogs.size(), 3u);
  EXPECT_TRUE(desktop.fileDialogs[0].save);
  EXPECT_EQ(desktop.fileDialogs[0].filter, "Bitmap (*.bmp)|*.bmp|All Files (*.*)|*.*");
  EXPECT_EQ(desktop.fileDialogs[0].initialName, "*.bmp");
  EXPECT_TRUE(desktop.messages.empty());

  const auto first = ReadWholeFile(folder / "layout.bmp");
  ASSERT_TRUE(first.has_value());
  EXPECT_EQ(*first, EncodeSkinBaseBmp(DrawSkinBase(scene)));
  EXPECT_FALSE(std::filesystem::exists(folder / "layout"));
  const auto second = ReadWholeFile(folder / "v1.2/layout");
  ASSERT_TRUE(second.has_value());
  EXPECT_EQ(second->size(), 196662u);
}

TEST_F(ExportSkinBaseTest, AFileThatCannotBeWrittenIsReportedWithItsCause) {
  AddModel(scene, {{St{0, 0}, St{0.5, 0}, St{0, 0.5}}});
  desktop.fileAnswers = {FileChoice{folder / "missing/out.bmp", 1}};
  ExportSkinBase(ws);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"Error Saving: 2"});

  // An existing file is replaced.
  folder.Write("old.bmp", {1, 2, 3});
  desktop.fileAnswers = {FileChoice{folder / "old.bmp", 1}};
  ExportSkinBase(ws);
  EXPECT_EQ(ReadWholeFile(folder / "old.bmp")->size(), 196662u);
}

}  // namespace
}  // namespace tessary
