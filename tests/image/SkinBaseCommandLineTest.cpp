// `tessary --export-skinbase`: models loaded without a window, the picture written, and
// every problem reported on the error stream with a failing result.
#include <gtest/gtest.h>

#include <sstream>

#include "app/FileIO.h"
#include "image/SkinBase.h"
#include "support/TempFolder.h"
#include "support/ImageWriters.h"
#include "support/Md3Writer.h"

namespace tessary {
namespace {

// One surface with one triangle whose texture corners are (s0,t0), (s1,t1), (s2,t2).
std::vector<std::uint8_t> TriangleMd3(std::array<std::array<float, 2>, 3> st, const std::string& shader = "") {
  md3::File file;
  md3::Surface surface;
  surface.name = "tri";
  if (!shader.empty()) surface.shaders = {shader};
  surface.st = {st[0], st[1], st[2]};
  surface.triangles = {{0, 1, 2}};
  surface.frames = {{md3::Vertex{0, 0, 0, 0}, md3::Vertex{64, 0, 0, 0}, md3::Vertex{0, 64, 0, 0}}};
  file.surfaces = {surface};
  file.frames = {md3::BoundsOf(file, 0)};
  return md3::Write(file);
}

std::uint8_t RedAt(const std::vector<std::uint8_t>& bmp, int x, int y) {
  return bmp.at(54 + 3 * (static_cast<std::size_t>(y) * 256 + x) + 2);
}

class SkinBaseCommandLineTest : public ::testing::Test {
 protected:
  testing::TempFolder folder;
  std::ostringstream err;
};

TEST_F(SkinBaseCommandLineTest, WritesTheLayoutOfEveryFile) {
  const std::string a = folder.Write("a.md3", TriangleMd3({{{0, 0}, {0.5f, 0}, {0, 0.5f}}}));
  const std::string b = folder.Write("b.md3", TriangleMd3({{{0.75f, 0.25f}, {0.75f, 0.25f}, {0.75f, 0.25f}}}));
  const std::string out = folder / "layout.bmp";
  ASSERT_EQ(ExportSkinBaseCommandLine({a, b}, std::nullopt, out, err), 0) << err.str();
  EXPECT_EQ(err.str(), "");
  const auto bmp = ReadWholeFile(out);
  ASSERT_TRUE(bmp.has_value());
  ASSERT_EQ(bmp->size(), kSkinBaseFileSize);
  // The first file's edges: row 255 to x 128, column 0 from row 127, the diagonal.
  EXPECT_EQ(RedAt(*bmp, 100, 255), 255);
  EXPECT_EQ(RedAt(*bmp, 0, 130), 255);
  EXPECT_EQ(RedAt(*bmp, 50, 177), 255);
  EXPECT_EQ(RedAt(*bmp, 129, 255), 0);
  EXPECT_EQ(RedAt(*bmp, 100, 100), 0);
  // The second file's triangle is the single point (192, 191).
  EXPECT_EQ(RedAt(*bmp, 192, 191), 255);
}

TEST_F(SkinBaseCommandLineTest, TexturesAreResolvedUnderTheBaseFolder) {
  testing::TgaImage tga;
  tga.width = tga.height = 1;
  tga.pixels = {0xFFFFFF};
  folder.Write("base/skins/tri.tga", testing::WriteTga(tga));
  folder.Write("base/skins/bad.tga", {'b', 'a', 'd'});
  const std::string good = folder.Write("good.md3", TriangleMd3({{{0, 0}, {0.5f, 0}, {0, 0.5f}}}, "skins/tri.tga"));
  const std::string bad = folder.Write("bad.md3", TriangleMd3({{{0, 0}, {0.5f, 0}, {0, 0.5f}}}, "skins/bad.tga"));
  EXPECT_EQ(ExportSkinBaseCommandLine({good}, folder / "base", folder / "good.bmp", err), 0) << err.str();

  // An image that is not recognized is a load message: a failure, and nothing written.
  EXPECT_EQ(ExportSkinBaseCommandLine({good, bad}, folder / "base", folder / "bad.bmp", err), 1);
  EXPECT_EQ(err.str(), "This file is not recognized\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "bad.bmp"));
}

TEST_F(SkinBaseCommandLineTest, ProblemsGoToTheErrorStream) {
  const std::string good = folder.Write("good.md3", TriangleMd3({{{0, 0}, {0.5f, 0}, {0, 0.5f}}}));
  const std::string junk = folder.Write("junk.md3", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'm', 'd', '3'});

  EXPECT_EQ(ExportSkinBaseCommandLine({folder / "missing.md3", junk}, std::nullopt, folder / "x.bmp", err), 1);
  EXPECT_EQ(err.str(), "There was an error loading the specified file!\nThis is not a MD3!\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "x.bmp"));

  err.str("");
  EXPECT_EQ(ExportSkinBaseCommandLine({good}, std::nullopt, folder / "no-folder/x.bmp", err), 1);
  EXPECT_EQ(err.str(), "Error Saving: 2\n");

  err.str("");
  EXPECT_EQ(ExportSkinBaseCommandLine({}, std::nullopt, folder / "x.bmp", err), 1);
  EXPECT_NE(err.str(), "");
}

}  // namespace
}  // namespace tessary
