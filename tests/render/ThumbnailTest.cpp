// File-manager previews: a square model drawn by --thumbnail, found textured through its
// game folder (or its own folder), framed, lit and on a transparent background.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/FileIO.h"
#include "render/Thumbnail.h"
#include "support/GlTestSupport.h"
#include "support/SquareModel.h"
#include "support/TempFolder.h"

namespace tessary {
namespace {

int MakeThumbnail(const std::string& model, const std::string& out, int size, std::string* messages) {
  CommandLine cl;
  cl.mode = CommandLine::Mode::Thumbnail;
  cl.files = {model};
  cl.output = out;
  cl.width = cl.height = size;
  std::ostringstream err;
  const int status = ThumbnailCommandLine(cl, err);
  *messages = err.str();
  return status;
}

TEST(Thumbnail, DrawsTheModelTexturedFramedAndLitOnATransparentSquare) {
  testing::TempFolder folder;
  const auto texture = testing::SolidTga(0xFF0000);
  // One model inside a game folder (it has a models/ tree) naming its texture from there,
  // one lying loose with its texture beside it.
  folder.Write("game/models/things/red.tga", texture);
  folder.Write("loose/red.tga", texture);
  const std::string models[] = {
      folder.Write("game/models/things/square.md3", testing::SquareMd3("models/things/red.tga")),
      folder.Write("loose/square.md3", testing::SquareMd3("red.tga"))};
  for (const std::string& model : models) {
    std::string messages;
    ASSERT_EQ(MakeThumbnail(model, folder / "preview.png", 64, &messages), 0) << messages;
    EXPECT_EQ(messages, "");
    const auto png = testing::ReadPng(ReadWholeFile(folder / "preview.png").value_or(std::vector<std::uint8_t>{}));
    ASSERT_TRUE(png) << model;
    EXPECT_EQ(std::make_pair(png->width, png->height), std::make_pair(64, 64));
    auto alpha = [&](int x, int y) { return png->rgba[(static_cast<std::size_t>(y) * 64 + x) * 4 + 3]; };
    // Fitted, the sphere round the corners (radius 10 sqrt 2) touches the edges of a view
    // whose half-angle is 15 degrees both ways: the square spans cot 15 * 3 sin 15 /
    // (3 sqrt 2) = 0.683 of the half-size either side of the middle, 21.9 of 32 pixels.
    // The command line's light, as in the wide picture of the render test (see there for
    // the sums): 0.86 of the red texture plus a highlight of 25 on every channel.
    EXPECT_NEAR(png->At(32, 32).r, 245, 3) << model;
    EXPECT_NEAR(png->At(32, 32).g, 26, 3) << model;
    std::vector<int> inside, outside;
    for (auto [dx, dy] : {std::pair{-20, 0}, {20, 0}, {0, -20}, {0, 20}, {-20, -20}, {20, 20}})
      inside.push_back(alpha(32 + dx, 32 + dy));
    for (auto [dx, dy] : {std::pair{-24, 0}, {24, 0}, {0, -24}, {0, 24}, {-32, -32}, {31, 31}})
      outside.push_back(alpha(std::min(63, 32 + dx), std::min(63, 32 + dy)));
    EXPECT_EQ(inside, std::vector<int>(6, 255)) << model;
    EXPECT_EQ(outside, std::vector<int>(6, 0)) << model;
  }
}

TEST(Thumbnail, APlayersPartComesWithThePartsBesideIt) {
  // Legs, torso and head as squares 30 units apart, with no tags to hang by: they stay
  // where they are. Fitted, their boxes (20 x 80) have a corner sphere of radius
  // sqrt(10^2 + 40^2) = 41.2, which fills the half-angle of 15 degrees: 41.2 / cos 15 =
  // 42.7 units above and below the middle. The squares' middles lie at 30 / 42.7 * 32 =
  // 22.5 pixels from the middle row, the gaps between them (15 units out) at 11.2.
  testing::TempFolder folder;
  folder.Write("player/lower_1.md3", testing::SquareMd3("", -30));
  const std::string upper = folder.Write("player/upper_1.md3", testing::SquareMd3("", 0));
  folder.Write("player/head_1.md3", testing::SquareMd3("", 30));
  folder.Write("player/head.md3", testing::SquareMd3("", 90));  // another detail level
  std::string messages;
  ASSERT_EQ(MakeThumbnail(upper, folder / "preview.png", 64, &messages), 0) << messages;
  const auto png = testing::ReadPng(ReadWholeFile(folder / "preview.png").value_or(std::vector<std::uint8_t>{}));
  ASSERT_TRUE(png);
  std::vector<int> column;
  for (int row : {9, 21, 32, 43, 55}) column.push_back(png->rgba[(static_cast<std::size_t>(row) * 64 + 32) * 4 + 3]);
  EXPECT_EQ(column, (std::vector<int>{255, 0, 255, 0, 255}));
}

TEST(Thumbnail, AFileThatIsNoModelGivesNoPicture) {
  testing::TempFolder folder;
  const std::string garbage = folder.Write("garbage.md3", {'n', 'o', 'p', 'e'});
  std::string messages;
  EXPECT_EQ(MakeThumbnail(garbage, folder / "preview.png", 64, &messages), 1);
  EXPECT_NE(messages.find("This is not a MD3!"), std::string::npos) << messages;
  EXPECT_FALSE(std::filesystem::exists(folder / "preview.png"));
}

}  // namespace
}  // namespace tessary
