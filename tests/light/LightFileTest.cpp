#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/FileIO.h"
#include "light/LightFile.h"
#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"

namespace fs = std::filesystem;

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Little-endian IEEE bytes of the few values a default light holds, written out by hand.
const Bytes kOne{0x00, 0x00, 0x80, 0x3F};
const Bytes kQuarter{0x00, 0x00, 0x80, 0x3E};
const Bytes kZero{0x00, 0x00, 0x00, 0x00};
const Bytes k150{0x00, 0x00, 0x16, 0x43};
const Bytes kMinusOne{0x00, 0x00, 0x80, 0xBF};
const Bytes k180{0x00, 0x00, 0x34, 0x43};

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

TEST(LightFileFormat, TheDefaultLightIs115BytesExactly) {
  const Bytes expected = Join({{'L', 'G', 'T', '0', 9, 0},
                               {'N', 'e', 'w', ' ', 'L', 'i', 'g', 'h', 't'},
                               kOne, kOne, kOne, kOne,                  // ambient
                               kOne, kOne, kOne, kOne,                  // diffuse
                               kQuarter, kQuarter, kQuarter, kOne,      // specular
                               k150, k150, k150, kZero,                 // position
                               kMinusOne, kMinusOne, kMinusOne, kZero,  // direction
                               kOne, kZero, kZero,                      // constant, linear, quadratic
                               kZero, k180});                           // spot exponent, cutoff
  ASSERT_EQ(expected.size(), 115u);
  EXPECT_EQ(EncodeLightFile(LightRecord{}), expected);
}

TEST(LightFileFormat, EveryFieldRoundTripsAndTheSwitchComesBackOn) {
  LightRecord light;
  light.name = "";
  light.ambient = {0.1f, -2.5f, 3e9f, -0.0f};
  light.diffuse = {1e-30f, 4, 5, 6};
  light.specular = {7, 8, 9, 10};
  light.position = {11, 12, 13, 1};
  light.direction = {14, 15, 16, 17};
  light.constantAttenuation = 0.5f;
  light.linearAttenuation = 0.125f;
  light.quadraticAttenuation = 0.0625f;
  light.spotExponent = 12;
  light.spotCutoff = 45;
  light.enabled = 0;
  const Bytes bytes = EncodeLightFile(light);
  EXPECT_EQ(bytes.size(), 106u);
  auto back = DecodeLightFile(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->name, "");
  EXPECT_EQ(back->ambient, light.ambient);
  EXPECT_TRUE(std::signbit(back->ambient[3]));
  EXPECT_EQ(back->diffuse, light.diffuse);
  EXPECT_EQ(back->specular, light.specular);
  EXPECT_EQ(back->position, light.position);
  EXPECT_EQ(back->direction, light.direction);
  EXPECT_EQ(back->constantAttenuation, 0.5f);
  EXPECT_EQ(back->linearAttenuation, 0.125f);
  EXPECT_EQ(back->quadraticAttenuation, 0.0625f);
  EXPECT_EQ(back->spotExponent, 12.0f);
  EXPECT_EQ(back->spotCutoff, 45.0f);
  EXPECT_EQ(back->enabled, 1);
}

TEST(LightFileFormat, RefusesForeignAndDamagedFiles) {
  const Bytes good = EncodeLightFile(LightRecord{});
  for (std::size_t i = 0; i < 4; ++i) {
    Bytes bad = good;
    bad[i] ^= 0x01;
    EXPECT_FALSE(DecodeLightFile(bad).has_value()) << "magic byte " << i;
  }
  Bytes lower = good;
  lower[0] = 'l';
  lower[1] = 'g';
  lower[2] = 't';
  EXPECT_FALSE(DecodeLightFile(lower).has_value());
  for (std::size_t cut = 0; cut < good.size(); ++cut)
    EXPECT_FALSE(DecodeLightFile(std::span(good).first(cut)).has_value()) << "cut at " << cut;

  Bytes negative = good;
  negative[4] = 0xFF;
  negative[5] = 0xFF;  // -1
  EXPECT_FALSE(DecodeLightFile(negative).has_value());
  Bytes tooLong = Join({{'L', 'G', 'T', '0', 0xFF, 0x0F}, Bytes(4095 + 100, 'a')});  // 4095
  EXPECT_FALSE(DecodeLightFile(tooLong).has_value());
  Bytes longest = Join({{'L', 'G', 'T', '0', 0xFE, 0x0F}, Bytes(4094 + 100, 'a')});  // 4094
  ASSERT_TRUE(DecodeLightFile(longest).has_value());
  EXPECT_EQ(DecodeLightFile(longest)->name.size(), 4094u);
}

TEST(LightFileFormat, NameStopsAtItsFirstZeroByteAndLongNamesAreCut) {
  LightRecord light;
  light.name = std::string("Rim\0junk", 8);
  auto back = DecodeLightFile(EncodeLightFile(light));
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->name, "Rim");

  light.name = std::string(5000, 'x');
  const Bytes bytes = EncodeLightFile(light);
  EXPECT_EQ(bytes.size(), 106u + 4094u);
  back = DecodeLightFile(bytes);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->name, std::string(4094, 'x'));
}

class LightTransferTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tessary-lgt-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "with.dot");
  }
  void TearDown() override { fs::remove_all(dir); }
  void Answer(const fs::path& p) { desktop.fileAnswers.push_back(FileChoice{p.string(), 1}); }

  fs::path dir;
  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
};

TEST_F(LightTransferTest, ExportAppendsTheExtensionOnlyWhenThePathHasNoDotAtAll) {
  scene.lights.push_back(std::make_unique<LightRecord>());
  scene.currentLight = 0;
  Answer(dir / "key");
  ExportLight(ws);
  EXPECT_TRUE(fs::exists(dir / "key.lgt"));
  Answer(dir / "with.dot" / "fill");
  ExportLight(ws);
  EXPECT_TRUE(fs::exists(dir / "with.dot" / "fill"));
  EXPECT_EQ(fs::file_size(dir / "with.dot" / "fill"), 115u);
  ASSERT_EQ(desktop.fileDialogs.size(), 2u);
  EXPECT_EQ(desktop.fileDialogs[0].filter, "Tessary Light (*.lgt)|*.lgt|All Files (*.*)|*.*");
  EXPECT_EQ(desktop.fileDialogs[0].initialName, "*.lgt");
  EXPECT_TRUE(desktop.fileDialogs[0].save);
  EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(LightTransferTest, ExportWithoutACurrentLightAsksNothing) {
  ExportLight(ws);
  EXPECT_TRUE(desktop.fileDialogs.empty());
}

TEST_F(LightTransferTest, ExportThatCannotWriteSaysSoAndKeepsTheOldFile) {
  scene.lights.push_back(std::make_unique<LightRecord>());
  scene.currentLight = 0;
  Answer(dir / "missing-folder" / "x.lgt");
  ExportLight(ws);
  EXPECT_EQ(desktop.messages, std::vector<std::string>{"Unable to create the file specified!"});
}

TEST_F(LightTransferTest, ImportAppendsAnEnabledLightAndKeepsTheSelection) {
  LightRecord saved;
  saved.name = "Rim";
  saved.diffuse = {0.5f, 0.25f, 0.125f, 1};
  ASSERT_EQ(WriteFileReplacing((dir / "rim.lgt").string(), EncodeLightFile(saved)), 0);
  scene.lights.push_back(std::make_unique<LightRecord>());
  scene.currentLight = 0;

  Answer(dir / "rim");  // no dot: ".lgt" is appended
  ImportLight(ws);
  Answer(dir / "rim.lgt");
  ImportLight(ws);
  ASSERT_EQ(scene.LightCount(), 3);
  EXPECT_EQ(scene.currentLight, 0);
  EXPECT_EQ(scene.lights[1]->name, "Rim");
  EXPECT_EQ(scene.lights[2]->name, "Rim");
  EXPECT_EQ(scene.lights[1]->diffuse, saved.diffuse);
  EXPECT_EQ(scene.lights[1]->enabled, 1);
  EXPECT_EQ(desktop.log, (std::vector<std::string>{"open-dialog", "refresh", "redraw", "open-dialog", "refresh", "redraw"}));
}

TEST_F(LightTransferTest, ImportRefusalsLeaveTheLightsAlone) {
  std::ofstream(dir / "foreign.lgt", std::ios::binary) << "LGT1 not a light";
  Answer(dir / "foreign.lgt");
  ImportLight(ws);
  Answer(dir / "absent.lgt");
  ImportLight(ws);
  ImportLight(ws);  // cancelled
  EXPECT_TRUE(scene.lights.empty());
  EXPECT_EQ(desktop.messages, (std::vector<std::string>{"This file does not appear to be a Light format file!",
                                                        "Unable to open the file specified!"}));
}

}  // namespace
}  // namespace tessary
