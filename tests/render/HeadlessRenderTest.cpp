// Command-line rendering: a model written by the test, drawn offscreen and saved as PNG, then
// read back with libpng.
#include <gtest/gtest.h>

#include <sstream>

#include "app/FileIO.h"
#include "render/HeadlessRender.h"
#include "support/GlTestSupport.h"
#include "support/SquareModel.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

TEST(RenderToPng, DrawsTheLitTexturedModelFittedToThePicture) {
  testing::TempFolder folder;
  folder.Write("base/textures/red.tga", testing::SolidTga(0xFF0000));
  // 10 units either side of (0, 11): fitted, the middle goes to the middle of the picture,
  // and the corner sphere of radius 10 sqrt 2 touches the nearer pair of edges. In a wide
  // picture the vertical half-angle of 15 degrees decides, and the square spans
  // cot 15 * 3 sin 15 / (3 sqrt 2) = 0.683 of the half-height either side: 16.4 of 24 rows.
  // In a tall one the horizontal half-angle h = atan(0.75 tan 15) decides, and it spans
  // cos h / sqrt 2 = 0.693 of the half-width: 16.6 of 24 columns.
  // A player of the base folder whose three parts have no tags to hang by is three such
  // squares, one over another, framed and lit alike.
  const std::string model = folder.Write("a.md3", testing::SquareMd3("textures/red.tga", 11));
  for (const char* part : {"lower", "upper", "head"})
    folder.Write(std::string("base/models/players/p/") + part + ".md3", testing::SquareMd3("textures/red.tga"));
  for (auto [width, height, player] : {std::tuple{64, 48, ""}, {48, 64, ""}, {64, 48, "P"}}) {
    CommandLine cl;
    std::tie(cl.mode, cl.output, cl.files, cl.width, cl.height, cl.player) = std::make_tuple(
        CommandLine::Mode::Render, folder / "out.png", std::vector{model}, width, height, std::string(player));
    if (!cl.player.empty()) cl.files.clear();
    std::tie(cl.light, cl.fit, cl.baseFolder) = std::make_tuple(true, true, folder / "base");
    std::ostringstream err;
    ASSERT_EQ(RenderToPngCommandLine(cl, err), 0) << err.str();
    const auto png = testing::ReadPng(ReadWholeFile(cl.output).value_or(std::vector<std::uint8_t>{}));
    ASSERT_TRUE(png);
    EXPECT_EQ(std::make_tuple(png->width, png->height, png->rgb), std::make_tuple(width, height, true));
    // The command line's light sits at (0, 2, -1) in eye space, the square's middle at
    // (0, 0, -3), its corners s = 0.549 (wide) or 0.418 (tall) from it; lighting is worked
    // out at the corners and blended, and the middle pixel lies on the diagonal from the
    // bottom-left corner to the top-right one. There N.L = 2 / |(-x, 2 - y, 2)| is 0.609 and
    // 0.790 (wide), so ambient 0.3 + diffuse 0.8 N.L averages 0.860 (219) of the red texture;
    // with the viewer at the eye, 0.25 (N.H)^10 is 0.044 and 0.155, averaging 0.099 (25) on
    // every channel. The tall picture: 0.862 (220) and 0.106 (27).
    const int x = width / 2, y = height / 2;
    EXPECT_TRUE(testing::Near(png->At(x, y), {245, 26, 26}, 3)) << png->At(x, y);
    auto red = [&](int dx, int dy) { return png->At(x + dx, y + dy).r; };
    for (int r : {red(-14, 0), red(14, 0), red(0, -14), red(0, 14)}) EXPECT_GT(r, 190) << "inside";
    EXPECT_EQ((std::vector{red(-19, 0), red(19, 0), red(0, -19), red(0, 19)}), std::vector(4, 0)) << "outside";
  }

  // An image that cannot be used is reported but stops nothing: the square is drawn untextured.
  folder.Write("base/bad.tga", {'n', 'o', 'p', 'e'});
  CommandLine bad;
  std::tie(bad.mode, bad.output, bad.baseFolder) = std::make_tuple(CommandLine::Mode::Render, folder / "bad.png", folder / "base");
  bad.files = {folder.Write("bad.md3", testing::SquareMd3("bad.tga"))};
  std::ostringstream err;
  EXPECT_EQ(RenderToPngCommandLine(bad, err), 0);
  EXPECT_EQ(err.str(), "This file is not recognized\nbad.tga\n");

  // Frame numbers wrap round the frame count, both ways.
  for (auto [frame, shown] : {std::pair{0, 0}, {1, 1}, {-1, 1}, {2, 0}, {-4, 0}}) EXPECT_EQ(WrapFrame(frame, 2), shown) << frame;
}

}  // namespace
}  // namespace tessary
