// Drawing from the command line: a model written by the test, drawn offscreen and saved as
// PNG by --render, and file-manager previews by --thumbnail: found textured through the
// model's game folder (or its own folder), framed, lit and on a transparent background; a
// player's part with the parts beside it; no picture for a file that is no model.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "render/HeadlessRender.h"
#include "render/Thumbnail.h"
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
    const auto png = testing::ReadPng(cl.output);
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

class Thumbnail : public ::testing::Test {
 protected:
  // The 64 x 64 preview of model, or none; messages keeps what was said.
  std::optional<testing::DecodedPng> Make(const std::string& model, int expectedStatus = 0) {
    CommandLine cl;
    std::tie(cl.mode, cl.files, cl.output) = std::make_tuple(CommandLine::Mode::Thumbnail, std::vector{model}, folder / "preview.png");
    cl.width = cl.height = 64;
    std::ostringstream err;
    EXPECT_EQ(ThumbnailCommandLine(cl, err), expectedStatus) << model;
    messages = err.str();
    return testing::ReadPng(cl.output);
  }
  testing::TempFolder folder;
  std::string messages;
};

TEST_F(Thumbnail, DrawsTheModelTexturedFramedAndLitOnATransparentSquare) {
  // One model inside a game folder (it has a models/ tree) naming its texture from there,
  // one lying loose with its texture beside it.
  folder.Write("game/models/things/red.tga", testing::SolidTga(0xFF0000));
  folder.Write("loose/red.tga", testing::SolidTga(0xFF0000));
  for (const std::string& model : {folder.Write("game/models/things/square.md3", testing::SquareMd3("models/things/red.tga")),
                                   folder.Write("loose/square.md3", testing::SquareMd3("red.tga"))}) {
    const auto png = Make(model);
    ASSERT_TRUE(png) << messages;
    EXPECT_EQ(std::make_tuple(png->width, png->height, messages), std::make_tuple(64, 64, std::string()));
    // Fitted, the sphere round the corners (radius 10 sqrt 2) touches the edges of a view
    // whose half-angle is 15 degrees both ways: the square spans cot 15 * 3 sin 15 /
    // (3 sqrt 2) = 0.683 of the half-size either side of the middle, 21.9 of 32 pixels.
    // Lit by the command line's light, as in the render test (see there for the sums).
    EXPECT_TRUE(testing::Near(png->At(32, 32), {245, 26, 26}, 3)) << png->At(32, 32);
    std::vector<int> inside, outside;
    for (auto [dx, dy] : {std::pair{-20, 0}, {20, 0}, {0, -20}, {0, 20}, {20, 20}}) {
      inside.push_back(png->Alpha(32 + dx, 32 + dy));
      outside.push_back(png->Alpha(std::min(63, 32 + dx * 6 / 5), std::min(63, 32 + dy * 6 / 5)));
    }
    EXPECT_EQ(std::make_pair(inside, outside), std::make_pair(std::vector<int>(5, 255), std::vector<int>(5, 0))) << model;
  }
}

TEST_F(Thumbnail, APlayersPartComesWithThePartsBesideItAndAFileThatIsNoModelGivesNoPicture) {
  // Legs, torso and head as squares 30 units apart, with no tags to hang by: they stay
  // where they are. Fitted, their boxes (20 x 80) have a corner sphere of radius
  // sqrt(10^2 + 40^2) = 41.2, which fills the half-angle of 15 degrees: 41.2 / cos 15 =
  // 42.7 units above and below the middle. The squares' middles lie at 30 / 42.7 * 32 =
  // 22.5 pixels from the middle row, the gaps between them (15 units out) at 11.2.
  folder.Write("player/lower_1.md3", testing::SquareMd3("", -30));
  const std::string upper = folder.Write("player/upper_1.md3", testing::SquareMd3("", 0));
  folder.Write("player/head_1.md3", testing::SquareMd3("", 30));
  folder.Write("player/head.md3", testing::SquareMd3("", 90));  // another detail level
  const auto png = Make(upper);
  ASSERT_TRUE(png) << messages;
  std::vector<int> column;
  for (int row : {9, 21, 32, 43, 55}) column.push_back(png->Alpha(32, row));
  EXPECT_EQ(column, (std::vector<int>{255, 0, 255, 0, 255}));

  std::filesystem::remove(folder / "preview.png");
  EXPECT_FALSE(Make(folder.Write("garbage.md3", {'n', 'o', 'p', 'e'}), 1));
  EXPECT_NE(messages.find("This is not a MD3!"), std::string::npos) << messages;
}

}  // namespace
}  // namespace tessary
