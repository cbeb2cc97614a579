// Command-line rendering: MD3 files written by the tests and the demo figure, drawn offscreen
// and saved as PNG, then read back with libpng.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/FileIO.h"
#include "render/HeadlessRender.h"
#include "support/GlTestSupport.h"
#include "testdata/ImageWriters.h"
#include "testdata/Md3Writer.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

using testing::Rgb;
const Rgb kBlack{0, 0, 0};

// A square in the MD3 plane x = 0, which faces the viewer (the viewer's x, y, z are MD3 y,
// z, x): y from -640 to 640 (10 units either side) and z from low to high, in file units of
// 1/64, listed clockwise as seen from +x (the loader reverses them).
md3::Surface Square(std::int16_t low, std::int16_t high, const std::string& shader = "") {
  md3::Surface s;
  s.name = "square";
  if (!shader.empty()) s.shaders = {shader};
  s.st = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  s.triangles = {{0, 2, 1}, {0, 3, 2}};
  s.frames = {{{0, -640, low, 0}, {0, 640, low, 0}, {0, 640, high, 0}, {0, -640, high, 0}}};
  return s;
}
std::vector<std::uint8_t> Md3(const md3::Surface& surface) {
  md3::File file;
  file.surfaces = {surface};
  for (std::size_t f = 0; f < surface.frames.size(); ++f) file.frames.push_back(md3::BoundsOf(file, static_cast<int>(f)));
  return md3::Write(file);
}

// Renders with the default light to a picture of the given size and reads the PNG back.
std::optional<testing::DecodedPng> RenderLit(const std::string& out, std::vector<std::string> files, int width,
                                             int height, std::optional<std::string> base = {}, int frame = 0) {
  CommandLine cl;
  cl.mode = CommandLine::Mode::Render;
  cl.output = out;
  cl.files = std::move(files);
  cl.width = width;
  cl.height = height;
  cl.light = true;
  cl.fit = base.has_value();  // the tests with textures fit the view, the others keep it
  cl.baseFolder = base;
  cl.frame = frame;
  std::ostringstream err;
  EXPECT_EQ(RenderToPngCommandLine(cl, err), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  return testing::ReadPng(ReadWholeFile(out).value_or(std::vector<std::uint8_t>{}));
}

TEST(RenderToPng, DrawsTheLitTexturedModelCentredAndFittedToThePicture) {
  testing::TempFolder folder;
  testing::TgaImage red;
  red.width = red.height = 1;
  red.pixels = {0xFF0000};
  folder.Write("base/textures/red.tga", testing::WriteTga(red));
  // 10 units either side of (0, 11): fitted, the middle goes to the middle of the picture,
  // and the corner sphere of radius 10 sqrt 2 touches the nearer pair of edges. In a wide
  // picture the vertical half-angle of 15 degrees decides, and the square spans
  // cot 15 * 3 sin 15 / (3 sqrt 2) = 0.683 of the half-height either side: 16.4 of 24 rows.
  // In a tall one the horizontal half-angle h = atan(0.75 tan 15) decides, and it spans
  // cos h / sqrt 2 = 0.693 of the half-width: 16.6 of 24 columns.
  const std::string model = folder.Write("a.md3", Md3(Square(64, 1344, "textures/red.tga")));
  for (auto [width, height] : {std::pair{64, 48}, {48, 64}}) {
    const auto png = RenderLit(folder / "out.png", {model}, width, height, folder / "base");
    ASSERT_TRUE(png);
    EXPECT_EQ(std::make_pair(png->width, png->height), std::make_pair(width, height));
    EXPECT_TRUE(png->rgb);
    // The default light comes from (1, 1, 1)/sqrt 3: ambient 1 + diffuse 0.577 clamps to 1,
    // so the red texture shows as it is; H = (L + V)/|L + V| with V along the normal gives
    // N.H = 1.577 / 1.776 = 0.888, and 0.888^10 * 0.25 = 0.076 (19) is added to every channel.
    const int x = width / 2, y = height / 2;
    EXPECT_EQ(png->At(x, y).r, 255);
    EXPECT_NEAR(png->At(x, y).g, 19, 3);
    EXPECT_NEAR(png->At(x, y).b, 19, 3);
    auto red = [&](int dx, int dy) { return png->At(x + dx, y + dy).r; };
    EXPECT_EQ((std::vector{red(-14, 0), red(14, 0), red(0, -14), red(0, 14)}), std::vector(4, 255)) << "inside";
    EXPECT_EQ((std::vector{red(-19, 0), red(19, 0), red(0, -19), red(0, 19)}), std::vector(4, 0)) << "outside";
  }
}

TEST(RenderToPng, TheDemoFigureAtTheAskedSizeWithLitPixels) {
  testing::TempFolder folder;
  const std::string models = TESSARY_SAMPLES_DIR "/models/corvane/";
  const auto png = RenderLit(folder / "demo.png", {models + "lower.md3", models + "upper.md3", models + "head.md3"}, 96,
                             72, TESSARY_SAMPLES_DIR);
  ASSERT_TRUE(png);
  EXPECT_EQ(std::make_pair(png->width, png->height), std::make_pair(96, 72));
  int lit = 0;
  for (int i = 0; i < 96 * 72; ++i) lit += png->At(i % 96, i / 96) != kBlack;
  EXPECT_GT(lit, 96 * 72 / 20) << "the figure covers a good part of the picture";
  EXPECT_EQ(png->At(0, 0), kBlack);
}

TEST(RenderToPng, TheFrameNumberWrapsRoundTheModelsFrames) {
  // Frame 0 is a square above the middle, frame 1 the same square below it. The default
  // view (scale 0.03) puts 10 units above the middle at 10 * 0.03 * cot 15 / 3 = 0.37 of
  // the half-height: row 32 - 12 (the PNG's rows run downwards).
  for (auto [frame, below] : {std::pair{0, 0}, {1, 1}, {-1, 1}, {2, 0}, {-4, 0}}) EXPECT_EQ(WrapFrame(frame, 2), below) << frame;
  EXPECT_EQ(WrapFrame(4, 0), 0);
  md3::Surface moving = Square(64, 1280);
  moving.frames.push_back(Square(-1280, -64).frames[0]);
  testing::TempFolder folder;
  const std::string model = folder.Write("moving.md3", Md3(moving));
  for (auto [frame, litSide] : {std::pair{-1, 1}, {2, -1}}) {
    const auto png = RenderLit(folder / "out.png", {model}, 64, 64, std::nullopt, frame);
    ASSERT_TRUE(png);
    EXPECT_EQ(png->At(32, 32 + litSide * 12).r, 255) << "frame " << frame;
    EXPECT_EQ(png->At(32, 32 - litSide * 12), kBlack) << "frame " << frame;
  }
}

TEST(RenderToPng, FailuresAreReportedExitOneAndWriteNothing) {
  testing::TempFolder folder;
  const std::string model = folder.Write("square.md3", Md3(Square(-640, 640)));
  const std::string garbage = folder.Write("garbage.md3", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'M', 'D', '3'});
  const struct {
    std::vector<std::string> files;
    std::string out, mentioned;
    int width;
  } cases[] = {{{model, garbage}, "a.png", "This is not a MD3!", 64},
               {{folder / "missing.md3"}, "b.png", "missing.md3", 64},
               {{model}, "no-folder/c.png", "c.png", 64},
               {{model}, "d.png", "offscreen", 0}};
  for (const auto& c : cases) {
    CommandLine cl;
    cl.mode = CommandLine::Mode::Render;
    cl.files = c.files;
    cl.output = folder / c.out;
    cl.width = c.width;
    std::ostringstream err;
    EXPECT_EQ(RenderToPngCommandLine(cl, err), 1) << c.out;
    EXPECT_NE(err.str().find(c.mentioned), std::string::npos) << err.str();
    EXPECT_FALSE(std::filesystem::exists(cl.output)) << c.out;
  }
}

}  // namespace
}  // namespace tessary
