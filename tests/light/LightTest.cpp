// The global light list, the models' references to lights, and the .lgt file: its bytes,
// the round trip, refused files, and the export and import commands.
#include <gtest/gtest.h>

#include <bit>
#include <numeric>

#include "light/LightCommands.h"
#include "light/LightFile.h"
#include "support/TempFolder.h"
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
    scene.models.push_back(std::make_unique<ModelRecord>());
    scene.models.back()->modelLights = std::move(refs);
    scene.models.back()->currentModelLight = selected;
    return *scene.models.back();
  }
  LightRecord* Light(int i) { return scene.lights[static_cast<std::size_t>(i)].get(); }
  void AddLights(std::initializer_list<const char*> names) {
    for (const char* name : names) {
      AddLight(ws);
      scene.lights.back()->name = name;
    }
  }
  // The global lights as "name,name,@current", and a model's references likewise, each
  // name followed by "-off" when the reference is switched off.
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
  void Answer(const std::string& path) { desktop.fileAnswers.push_back(FileChoice{path, 1}); }

};

TEST_F(LightTest, NewLightsAreTheDefaultLightAndAFileHoldsEveryFieldInOrder) {
  AddLight(ws);
  AddLight(ws);
  EXPECT_EQ(Lights(), "New Light,New Light,@1");
  EXPECT_EQ(desktop.log, (Log{"redraw", "refresh", "redraw", "refresh"}));
  const Bytes byDefault = Lgt("New Light", {1, 1, 1, 1, 1, 1, 1, 1, 0.25f, 0.25f, 0.25f, 1, 150, 150, 150, 0,
                                            -1, -1, -1, 0, 1, 0, 0, 0, 180});
  ASSERT_EQ(byDefault.size(), 115u);
  for (int i : {0, 1}) EXPECT_EQ(EncodeLightFile(*Light(i)), byDefault) << i;

  Floats counting(25);
  std::iota(counting.begin(), counting.end(), 1.0f);
  const Bytes file = Lgt("ab", counting);
  auto light = DecodeLightFile(file);
  ASSERT_TRUE(light.has_value());
  EXPECT_EQ(light->name, "ab");
  EXPECT_EQ(FileOrder(*light), counting);
  EXPECT_EQ(light->enabled, 1) << "the switch is not stored; a light read is on";
  light->enabled = 0;
  EXPECT_EQ(EncodeLightFile(*light), file);
  light->name.clear();
  EXPECT_EQ(EncodeLightFile(*light), Lgt("", counting));
  EXPECT_EQ(DecodeLightFile(Lgt("", counting)).value_or(LightRecord{}).name, "");
}

TEST(LightFile, RefusesDamagedFilesAndCutsNamesToWhatAReaderHolds) {
  const Bytes good = Lgt("New Light", Floats(25, 1.0f));
  // Each byte of the magic changed, the magic in lower case, a name length of -1.
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
  light.name = std::string("Rim\0junk", 8);
  EXPECT_EQ(DecodeLightFile(EncodeLightFile(light)).value_or(LightRecord{}).name, "Rim");
  light.name = std::string(5000, 'x');
  EXPECT_EQ(DecodeLightFile(EncodeLightFile(light)).value_or(LightRecord{}).name, std::string(4094, 'x'));
}

TEST_F(LightTest, RemovingALightDropsEveryReferenceToItAndFixesEverySelection) {
  AddLights({"A", "B", "C", "D"});
  // Four references to B from three models; a's selection is on its last reference.
  ModelRecord& a = AddModel({{Light(1), 1}, {Light(0), 1}, {Light(1), 0}}, 2);
  ModelRecord& b = AddModel({{Light(1), 1}}, 0);
  ModelRecord& c = AddModel({{Light(2), 1}, {Light(1), 1}}, 0);
  scene.currentLight = 1;
  RemoveLight(ws);
  EXPECT_EQ(Lights(), "A,C,D,@1");
  EXPECT_EQ(Refs(a), "A,@0") << "its selection ran past the end";
  EXPECT_EQ(Refs(b), "@-1");
  EXPECT_EQ(Refs(c), "C,@0");
  scene.currentLight = 2;
  RemoveLight(ws);
  EXPECT_EQ(Lights(), "A,C,@0") << "after the last light the first is current";
  RemoveLight(ws);
  RemoveLight(ws);
  EXPECT_EQ(Lights(), "@-1");
  EXPECT_EQ(Refs(a) + Refs(c), "@-1@-1");
  desktop.ClearRecords();
  RemoveLight(ws);
  EXPECT_TRUE(desktop.log.empty()) << "nothing to remove, nothing redrawn";
}

TEST_F(LightTest, AttachingTwiceGivesTwoReferencesThatSwitchAndGoOneByOne) {
  for (auto command : {AttachLight, DetachLight, ToggleModelLight, ToggleLight, EditCurrentLight}) command(ws);
  ModelRecord& m = AddModel();
  scene.currentModel = 0;
  AttachLight(ws);  // a model but no light
  EXPECT_TRUE(desktop.log.empty());
  AddLights({"A"});
  Light(0)->enabled = 7;
  ToggleLight(ws);
  EXPECT_EQ(Lights(), "A,@0") << "anything but 1 switches to 1";
  AttachLight(ws);
  AttachLight(ws);
  ToggleModelLight(ws);
  EXPECT_EQ(Refs(m), "A,A-off,@1");
  DetachLight(ws);
  EXPECT_EQ(Refs(m), "A,@0");
  EXPECT_EQ(Lights(), "A,@0") << "the light itself stays";
  m.currentModelLight = 3;  // stale: nothing to detach or switch
  DetachLight(ws);
  ToggleModelLight(ws);
  EXPECT_EQ(Refs(m), "A,@3");
  m.currentModelLight = 0;
  DetachLight(ws);
  EXPECT_EQ(Refs(m), "@-1");
}

TEST_F(LightTest, SelectionsTakeValidRowsOnlyAndACommandLineLightShinesOnEveryModel) {
  AddLights({"A", "B"});
  desktop.ClearRecords();
  SelectGlobalLight(ws, 0);
  EXPECT_EQ(scene.currentLight, 0);
  SelectGlobalLight(ws, 5);
  EXPECT_EQ(scene.currentLight, -1);
  SelectModelLight(ws, 0);  // no current model
  ModelRecord& a = AddModel();
  ModelRecord& b = AddModel({{Light(0), 1}, {Light(1), 0}}, 0);
  scene.currentModel = 1;
  SelectModelLight(ws, 1);
  EXPECT_EQ(Refs(b), "A,B-off,@1");
  SelectModelLight(ws, 2);
  EXPECT_EQ(Refs(b), "A,B-off,@-1");
  EXPECT_EQ(desktop.sceneRedraws, 2) << "only the valid rows redraw";

  AddLightToEveryModel(scene);
  EXPECT_EQ(Lights(), "A,B,New Light,@2");
  EXPECT_EQ(Refs(a), "New Light,@0");
  EXPECT_EQ(Refs(b), "A,B-off,New Light,@2");
}

TEST_F(LightTest, ExportAppendsLgtOnlyToAPathWithoutADotAndReplacesOldFiles) {
  testing::TempFolder dir;
  ExportLight(ws);
  EXPECT_TRUE(desktop.fileDialogs.empty()) << "no current light: no dialog";
  AddLight(ws);
  dir.Write("key.lgt", Bytes(500, 'o'));
  Answer(dir / "key");
  Answer(dir / "v1.2/fill");
  Answer(dir / "v1.2");  // a folder: cannot be written
  Answer(dir / "missing/x.lgt");
  std::filesystem::create_directory(dir.path() / "v1.2");
  for (int i = 0; i < 4; ++i) ExportLight(ws);
  EXPECT_EQ(std::filesystem::file_size(dir / "key.lgt"), 115u);
  EXPECT_EQ(std::filesystem::file_size(dir / "v1.2/fill"), 115u);
  EXPECT_EQ(desktop.messages, Log(2, "Unable to create the file specified!"));
  EXPECT_TRUE(std::filesystem::is_directory(dir / "v1.2"));
  EXPECT_EQ(desktop.fileDialogs[0].filter, "Tessary Light (*.lgt)|*.lgt|All Files (*.*)|*.*");
  EXPECT_EQ(desktop.fileDialogs[0].initialName, "New Light.lgt");
  EXPECT_TRUE(desktop.fileDialogs[0].save);
}

TEST_F(LightTest, ImportAppendsAnEnabledLightKeepsTheSelectionAndRefusesForeignFiles) {
  testing::TempFolder dir;
  dir.Write("rim.lgt", Lgt("Rim", Floats(25, 0.5f)));
  dir.Write("foreign.lgt", {'L', 'G', 'T', '1', 0, 0});
  AddLights({"A"});
  desktop.ClearRecords();
  for (const char* name : {"rim", "rim.lgt", "foreign.lgt", "absent.lgt", "."}) Answer(dir / name);
  for (int i = 0; i < 6; ++i) ImportLight(ws);  // the last one is cancelled
  EXPECT_EQ(Lights(), "A,Rim,Rim,@0");
  EXPECT_EQ(FileOrder(*Light(2)), Floats(25, 0.5f));
  EXPECT_EQ(desktop.messages, (Log{"This file does not appear to be a Light format file!",
                                   "Unable to open the file specified!", "Unable to open the file specified!"}));
  EXPECT_EQ(desktop.log, (Log{"open-dialog", "refresh", "redraw", "open-dialog", "refresh", "redraw", "open-dialog",
                              "open-dialog", "open-dialog", "open-dialog"}));
}

}  // namespace
}  // namespace tessary
