// The global light list with the models' references to its lights, and the .lgt file: its
// bytes, the round trip, refused files and the name the export offers.
#include <gtest/gtest.h>

#include <bit>
#include <numeric>

#include "light/LightCommands.h"
#include "light/LightFile.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Floats = std::vector<float>;
using Log = std::vector<std::string>;

// A light file as the format lays it out: "LGT0", the name's length (16 bits), the name,
// then the floats, all little-endian.
Bytes Lgt(const std::string& name, const Floats& floats) {
  Bytes file{'L', 'G', 'T', '0', static_cast<std::uint8_t>(name.size()), static_cast<std::uint8_t>(name.size() >> 8)};
  for (char c : name) file.push_back(static_cast<std::uint8_t>(c));
  for (float f : floats)
    for (int shift = 0; shift < 32; shift += 8) file.push_back(static_cast<std::uint8_t>(std::bit_cast<std::uint32_t>(f) >> shift));
  return file;
}

// A light's floats in the order of the file: ambient, diffuse, specular, position,
// direction, then constant, linear and quadratic attenuation, spot exponent and cutoff.
Floats FileOrder(const LightRecord& l) {
  Floats out;
  for (const auto* four : {&l.ambient, &l.diffuse, &l.specular, &l.position, &l.direction})
    out.insert(out.end(), four->begin(), four->end());
  out.insert(out.end(), {l.constantAttenuation, l.linearAttenuation, l.quadraticAttenuation, l.spotExponent, l.spotCutoff});
  return out;
}

class LightTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  ModelRecord& AddModel(std::vector<ModelLightRef> refs = {}, int selected = -1) {
    ModelRecord& m = *scene.models.emplace_back(std::make_unique<ModelRecord>());
    std::tie(m.modelLights, m.currentModelLight) = std::make_pair(std::move(refs), selected);
    return m;
  }
  LightRecord* Light(int i) { return scene.lights[static_cast<std::size_t>(i)].get(); }
  void AddLights(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      AddLight(ws);
      scene.lights.back()->name = name;
    }
  }
  // The global lights as "name,name,@current", and a model's references likewise, each
  // name followed by "-off" when the light or the reference is switched off.
  std::string Lights() {
    std::string text;
    for (const auto& light : scene.lights) text += light->name + (light->enabled == 1 ? "," : "-off,");
    return text + "@" + std::to_string(scene.currentLight);
  }
  static std::string Refs(const ModelRecord& m) {
    std::string text;
    for (const ModelLightRef& ref : m.modelLights) text += ref.light->name + (ref.enabled == 1 ? "," : "-off,");
    return text + "@" + std::to_string(m.currentModelLight);
  }
};

TEST_F(LightTest, NewLightsAreTheDefaultLightAndAFileHoldsEveryFieldInOrder) {
  AddLight(ws);
  AddLight(ws);
  EXPECT_EQ(Lights(), "New Light,New Light,@1");
  EXPECT_EQ(desktop.log, (Log{"redraw", "refresh", "redraw", "refresh"}));
  const Bytes byDefault = Lgt("New Light", {1, 1, 1, 1, 1, 1, 1, 1, 0.25f, 0.25f, 0.25f, 1, 150, 150, 150, 0,
                                            -1, -1, -1, 0, 1, 0, 0, 0, 180});
  ASSERT_EQ(byDefault.size(), 115u);
  EXPECT_EQ(EncodeLightFile(*Light(1)), byDefault);

  Floats counting(25);
  std::iota(counting.begin(), counting.end(), 1.0f);
  auto light = DecodeLightFile(Lgt("ab", counting));
  ASSERT_TRUE(light.has_value());
  EXPECT_EQ(FileOrder(*light), counting);
  EXPECT_EQ(std::make_pair(light->name, light->enabled), std::make_pair(std::string("ab"), 1)) << "a light read is on";
  light->enabled = 0;  // the switch is not stored
  EXPECT_EQ(EncodeLightFile(*light), Lgt("ab", counting));
}

TEST(LightFile, RefusesDamagedFilesAndCutsNamesToWhatAReaderHolds) {
  const Bytes good = Lgt("New Light", Floats(25, 1.0f));
  // Each byte of the magic changed, the magic in lower case, a name length of -1, every cut.
  std::vector<Bytes> bad(6, good);
  for (std::size_t i = 0; i < 4; ++i) bad[i][i] ^= 0x01;
  for (std::size_t i = 0; i < 3; ++i) bad[4][i] += 'a' - 'A';
  bad[5][4] = bad[5][5] = 0xFF;
  for (std::size_t cut = 0; cut < good.size(); ++cut) bad.emplace_back(good.begin(), good.begin() + cut);
  for (const Bytes& file : bad) EXPECT_FALSE(DecodeLightFile(file).has_value()) << &file - bad.data();
  Bytes longest = Lgt(std::string(4094, 'a'), Floats(26));
  EXPECT_EQ(DecodeLightFile(longest).value_or(LightRecord{}).name.size(), 4094u);
  longest[4] = 0xFF;  // 4095, with bytes enough behind it
  EXPECT_FALSE(DecodeLightFile(longest).has_value());

  // A zero byte ends a name; a longer name is cut so that the file can be read back.
  LightRecord light;
  for (auto [name, back] : {std::pair{std::string("Rim\0junk", 8), std::string("Rim")},
                            {std::string(5000, 'x'), std::string(4094, 'x')}, {std::string(), std::string()}}) {
    light.name = name;
    EXPECT_EQ(DecodeLightFile(EncodeLightFile(light)).value_or(LightRecord{}).name, back);
  }
}

TEST_F(LightTest, RemovingALightDropsEveryReferenceToItAndFixesEverySelection) {
  AddLights({"A", "B", "C", "D"});
  // Four references to B from three models; a's selection is on its last reference.
  ModelRecord& a = AddModel({{Light(1), 1}, {Light(0), 1}, {Light(1), 0}}, 2);
  ModelRecord& b = AddModel({{Light(1), 1}}, 0);
  ModelRecord& c = AddModel({{Light(2), 1}, {Light(1), 1}}, 0);
  scene.currentLight = 1;
  RemoveLight(ws);
  EXPECT_EQ(Lights() + " " + Refs(a) + " " + Refs(b) + " " + Refs(c), "A,C,D,@1 A,@0 @-1 C,@0");
  scene.currentLight = 2;
  RemoveLight(ws);
  EXPECT_EQ(Lights(), "A,C,@0") << "after the last light the first is current";
  RemoveLight(ws);
  RemoveLight(ws);
  EXPECT_EQ(Lights() + " " + Refs(a) + " " + Refs(c), "@-1 @-1 @-1");
  desktop.ClearRecords();
  RemoveLight(ws);
  EXPECT_TRUE(desktop.log.empty()) << "nothing to remove, nothing redrawn";
}

// The light's own name as an .lgt file, byte for byte (a name from a light file need not be
// UTF-8), never a path and never a hidden ".lgt".
TEST_F(LightTest, TheExportOffersTheLightsNameAsAnLgtFile) {
  const std::pair<std::string, std::string> cases[] = {
      {"Key Light", "Key Light.lgt"}, {"Rim/Back", "Rim_Back.lgt"}, {"Caf\xe9", "Caf\xe9.lgt"}, {"", ""}};
  for (const auto& [name, offered] : cases) {
    AddLights({name.c_str()});
    desktop.ClearRecords();
    ExportLight(ws);  // cancelled
    ASSERT_EQ(desktop.fileDialogs.size(), 1u);
    EXPECT_EQ(std::make_pair(desktop.fileDialogs[0].initialName, desktop.fileDialogs[0].filter),
              std::make_pair(offered, std::string(kLightFileFilter)));
  }
}

}  // namespace
}  // namespace tessary
