// Command-line rendering: MD3 files written by the tests, drawn offscreen and saved as PNG,
// then read back with libpng.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "link/Posing.h"
#include "render/HeadlessRender.h"
#include "support/GlTestSupport.h"
#include "support/ImageWriters.h"
#include "support/Md3Writer.h"

namespace tessary {
namespace {

namespace fs = std::filesystem;
using testing::Rgb;

class TempFolder {
 public:
  TempFolder() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    path_ = fs::temp_directory_path() / ("tessary-render-" + std::to_string(::getpid()) + "-" + info->name());
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::string operator/(const std::string& relative) const { return (path_ / relative).string(); }
  std::string Write(const std::string& relative, const std::vector<std::uint8_t>& bytes) const {
    const fs::path file = path_ / relative;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file.string();
  }

 private:
  fs::path path_;
};

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A square in the MD3 plane x = 0 (which faces the viewer: viewer z is MD3 x), with y and z
// from lowY..highY and -half..half in file units of 1/64. The file lists the triangles
// clockwise as seen from +x; the loader reverses them, so they face the viewer.
md3::Surface Square(std::int16_t lowY, std::int16_t highY, std::int16_t half, const std::string& shader) {
  md3::Surface s;
  s.name = "square";
  if (!shader.empty()) s.shaders = {shader};
  s.st = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
  s.triangles = {{0, 2, 1}, {0, 3, 2}};
  s.frames = {{{0, lowY, static_cast<std::int16_t>(-half), 0},
               {0, highY, static_cast<std::int16_t>(-half), 0},
               {0, highY, half, 0},
               {0, lowY, half, 0}}};
  return s;
}

std::vector<std::uint8_t> SquareFile(const std::string& shader) {
  md3::File file;
  file.surfaces = {Square(-640, 640, 640, shader)};  // 10 units on each side
  file.frames = {md3::BoundsOf(file, 0)};
  return md3::Write(file);
}

// A red 4 x 4 TGA.
std::vector<std::uint8_t> RedTga() {
  testing::TgaImage tga;
  tga.width = 4;
  tga.height = 4;
  tga.pixels.assign(16, 0xFF0000u);
  return testing::WriteTga(tga);
}

CommandLine RenderCommand(const std::string& output, std::vector<std::string> files) {
  CommandLine cl;
  cl.mode = CommandLine::Mode::Render;
  cl.output = output;
  cl.files = std::move(files);
  return cl;
}

Rgb PixelOf(const testing::DecodedPng& png, int column, int row) {
  const std::size_t at = (static_cast<std::size_t>(row) * png.width + column) * 4;
  return {png.rgba[at], png.rgba[at + 1], png.rgba[at + 2]};
}

TEST(WrapFrame, CountsBothWaysRoundTheFrames) {
  EXPECT_EQ(WrapFrame(0, 3), 0);
  EXPECT_EQ(WrapFrame(5, 3), 2);
  EXPECT_EQ(WrapFrame(-1, 3), 2);
  EXPECT_EQ(WrapFrame(-3, 3), 0);
  EXPECT_EQ(WrapFrame(-7, 3), 2);
  EXPECT_EQ(WrapFrame(4, 0), 0);
}

TEST(FitViewToModels, CentresTheBoxesAndFitsTheirSphere) {
  // One box from (1, 2, 3) to (3, 4, 5): middle (2, 3, 4), corner sphere radius sqrt 3.
  Scene scene;
  auto model = std::make_unique<ModelRecord>();
  auto frame = std::make_unique<FrameRecord>();
  frame->boxCorners = {Vec3f{1, 2, 3}, Vec3f{3, 2, 3}, Vec3f{3, 2, 5}, Vec3f{1, 2, 5},
                       Vec3f{1, 4, 3}, Vec3f{3, 4, 3}, Vec3f{3, 4, 5}, Vec3f{1, 4, 5}};
  model->frames.push_back(std::move(frame));
  scene.models.push_back(std::move(model));
  PoseAndPlaceScene(scene);

  TrackballState view;
  view.pan = {1.0f, 1.0f, 1.0f};
  // Wide picture: the vertical half-angle of 15 degrees is the narrower one.
  // scale = 3 sin 15 / sqrt 3 = 0.448288.
  FitViewToModels(scene, 4.0 / 3.0, view);
  EXPECT_FLOAT_EQ(view.centre[0], -2.0f);
  EXPECT_FLOAT_EQ(view.centre[1], -3.0f);
  EXPECT_FLOAT_EQ(view.centre[2], -4.0f);
  EXPECT_EQ(view.pan, (std::array<float, 3>{0.0f, 0.0f, 0.0f}));
  EXPECT_NEAR(view.scale, 0.448288, 1e-5);

  // Tall picture (aspect 0.5): horizontal half-angle atan(0.5 tan 15) = 7.6351 degrees,
  // scale = 3 sin(7.6351) / sqrt 3 = 0.229996.
  FitViewToModels(scene, 0.5, view);
  EXPECT_NEAR(view.scale, 0.229996, 1e-5);

  // Hidden models do not count; with none left the view stays.
  scene.models[0]->visible = 0;
  view.scale = 0.03f;
  FitViewToModels(scene, 1.0, view);
  EXPECT_EQ(view.scale, 0.03f);
}

TEST(RenderToPng, DrawsTheLitTexturedModelFittedToThePicture) {
  TempFolder folder;
  folder.Write("base/textures/red.tga", RedTga());
  const std::string model = folder.Write("square.md3", SquareFile("textures/red.tga"));
  CommandLine cl = RenderCommand(folder / "out.png", {model});
  cl.width = 64;
  cl.height = 64;
  cl.light = true;
  cl.fit = true;
  cl.baseFolder = folder / "base";
  std::ostringstream err;
  ASSERT_EQ(RenderToPngCommandLine(cl, err), 0) << err.str();
  EXPECT_EQ(err.str(), "");

  const auto png = testing::ReadPng(ReadBytes(folder / "out.png"));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, 64);
  EXPECT_EQ(png->height, 64);
  EXPECT_TRUE(png->colour);
  // The default light comes from (1, 1, 1)/sqrt 3: ambient 1 + diffuse 0.577 clamps to 1,
  // so the red texture shows as it is; H = (L + V)/|L + V| with V along the normal gives
  // N.H = 1.577 / 1.776 = 0.888, and 0.888^10 * 0.25 = 0.076 (19) is added to every channel.
  const Rgb middle = PixelOf(*png, 32, 32);
  EXPECT_EQ(middle.r, 255);
  EXPECT_NEAR(middle.g, 19, 3);
  EXPECT_NEAR(middle.b, 19, 3);
  // Fitted: a flat square of half-size h has corner sphere radius h sqrt 2, so it spans
  // cot 15 * 3 sin 15 / (3 sqrt 2) = cos 15 / sqrt 2 = 0.683 of the half-height either side
  // of the middle: rows 32 -+ 21.9.
  EXPECT_EQ(PixelOf(*png, 32, 32 - 18).r, 255);
  EXPECT_EQ(PixelOf(*png, 32 + 18, 32).r, 255);
  EXPECT_EQ(PixelOf(*png, 32, 32 - 25), (Rgb{0, 0, 0}));
  EXPECT_EQ(PixelOf(*png, 32 + 25, 32), (Rgb{0, 0, 0}));
}

TEST(RenderToPng, WithoutALightTheModelIsBlack) {
  TempFolder folder;
  folder.Write("base/textures/red.tga", RedTga());
  const std::string model = folder.Write("square.md3", SquareFile("textures/red.tga"));
  CommandLine cl = RenderCommand(folder / "out.png", {model});
  cl.fit = true;
  cl.baseFolder = folder / "base";
  std::ostringstream err;
  ASSERT_EQ(RenderToPngCommandLine(cl, err), 0) << err.str();
  const auto png = testing::ReadPng(ReadBytes(folder / "out.png"));
  ASSERT_TRUE(png);
  EXPECT_EQ(png->width, 512);
  EXPECT_EQ(png->height, 384);
  for (std::size_t i = 0; i < png->rgba.size(); i += 4) {
    ASSERT_EQ(png->rgba[i] | png->rgba[i + 1] | png->rgba[i + 2], 0) << "pixel " << i / 4;
  }
}

TEST(RenderToPng, TheFrameNumberWrapsRoundTheModelsFrames) {
  // Frame 0 is a square left of the middle, frame 1 the same square right of it; the
  // default view (scale 0.03) shows 20 units as 0.75 of the half-width at aspect 1.
  md3::File file;
  md3::Surface left = Square(-1280, -64, 640, "");
  md3::Surface right = Square(64, 1280, 640, "");
  left.frames.push_back(right.frames[0]);
  file.surfaces = {left};
  file.frames = {md3::BoundsOf(file, 0), md3::BoundsOf(file, 1)};
  TempFolder folder;
  const std::string model = folder.Write("moving.md3", md3::Write(file));

  for (const auto& [frame, litSide] : std::vector<std::pair<int, int>>{{0, -1}, {1, 1}, {-1, 1}, {2, -1}, {-4, -1}}) {
    CommandLine cl = RenderCommand(folder / "out.png", {model});
    cl.width = 64;
    cl.height = 64;
    cl.light = true;
    cl.frame = frame;
    std::ostringstream err;
    ASSERT_EQ(RenderToPngCommandLine(cl, err), 0) << err.str();
    const auto png = testing::ReadPng(ReadBytes(folder / "out.png"));
    ASSERT_TRUE(png);
    // 10 units right of the middle is 10 * 0.03 * cot 15 / 3 = 0.37 of the half-width.
    const int litColumn = 32 + litSide * 12, darkColumn = 32 - litSide * 12;
    EXPECT_EQ(PixelOf(*png, litColumn, 32).r, 255) << "frame " << frame;
    EXPECT_EQ(PixelOf(*png, darkColumn, 32), (Rgb{0, 0, 0})) << "frame " << frame;
  }
}

TEST(RenderToPng, FailuresAreReportedAndExitOne) {
  TempFolder folder;
  const std::string model = folder.Write("square.md3", SquareFile(""));
  const std::string garbage = folder.Write("garbage.md3", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'M', 'D', '3'});

  std::ostringstream err;
  EXPECT_EQ(RenderToPngCommandLine(RenderCommand(folder / "a.png", {model, garbage}), err), 1);
  EXPECT_NE(err.str().find("This is not a MD3!"), std::string::npos) << err.str();
  EXPECT_FALSE(fs::exists(folder / "a.png"));

  err.str("");
  EXPECT_EQ(RenderToPngCommandLine(RenderCommand(folder / "b.png", {folder / "missing.md3"}), err), 1);
  EXPECT_NE(err.str(), "");
  EXPECT_FALSE(fs::exists(folder / "b.png"));

  err.str("");
  EXPECT_EQ(RenderToPngCommandLine(RenderCommand(folder / "no-folder/c.png", {model}), err), 1);
  EXPECT_NE(err.str().find("c.png"), std::string::npos) << err.str();

  err.str("");
  CommandLine empty = RenderCommand(folder / "d.png", {model});
  empty.width = 0;
  EXPECT_EQ(RenderToPngCommandLine(empty, err), 1);
  EXPECT_NE(err.str(), "");
  EXPECT_FALSE(fs::exists(folder / "d.png"));
}

}  // namespace
}  // namespace tessary
