// The command table: what every command number does, the greying and check marks of the
// menu items, and the extension rules of the open-model and load-map dialogs.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "testdata/ImageWriters.h"
#include "support/TempFolder.h"
#include "support/TestWorkspace.h"

namespace tessary {
namespace {

using namespace cmd;
using Log = std::vector<std::string>;
using State = std::pair<bool, bool>;  // enabled, checked

class CommandTableTest : public ::testing::Test, public testing::TestWorkspace {
 protected:
  ModelRecord& AddCurrentModel() {
    scene.models.push_back(std::make_unique<ModelRecord>());
    scene.currentModel = scene.ModelCount() - 1;
    return *scene.models.back();
  }
  void Dispatch(int id) { DispatchCommand(ws, id); }
  State Query(int id) {
    const CommandState s = QueryCommandState(ws, id);
    return {s.enabled, s.checked};
  }
  std::vector<int> Checked(int first, int last) {
    std::vector<int> on;
    for (int id = first; id <= last; ++id)
      if (Query(id) == State{true, true}) on.push_back(id);
    return on;
  }

};

TEST_F(CommandTableTest, EachModelItemTogglesOnlyItsOwnSwitchAndIsGreyedWithoutAModel) {
  const std::pair<int, std::int32_t ModelRecord::*> items[] = {
      {32813, &ModelRecord::envMap},      {32818, &ModelRecord::additive},  {32823, &ModelRecord::shell},
      {32819, &ModelRecord::doubleSided}, {32809, &ModelRecord::wireframe}, {32820, &ModelRecord::showTags},
      {32825, &ModelRecord::showBounds},  {32821, &ModelRecord::lockFrame}};
  ModelRecord& m = AddCurrentModel();
  auto flags = [&] {
    std::vector<int> values;
    for (const auto& [id, flag] : items) values.push_back(m.*flag);
    return values;
  };
  scene.currentModel = -1;
  for (const auto& [id, flag] : items) {
    Dispatch(id);
    EXPECT_EQ(Query(id), (State{false, false})) << id;
  }
  Dispatch(kOffsets);
  EXPECT_EQ(Query(kOffsets), (State{true, false})) << "an item without a rule is always enabled";
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_EQ(flags(), std::vector<int>(8, 0));

  scene.currentModel = 0;
  std::vector<int> expected(8, 0);
  for (std::size_t i = 0; i < 8; ++i) {
    const int id = items[i].first;
    EXPECT_EQ(Query(id), (State{true, false})) << id;
    desktop.ClearRecords();
    Dispatch(id);
    expected[i] = 1;
    EXPECT_EQ(flags(), expected) << id;
    EXPECT_EQ(desktop.log, (Log{"redraw", "refresh"})) << id;
    EXPECT_EQ(Query(id), (State{true, true})) << id;
  }
  Dispatch(kWireframe);
  EXPECT_EQ(m.wireframe, 0);
}

TEST_F(CommandTableTest, FilterAndMultiPassItemsCheckTheModeInForceAndRedrawOnlyOnChange) {
  EXPECT_EQ(Checked(32773, 32777), std::vector<int>{32777}) << "Tri-MIP at start";
  EXPECT_EQ(Checked(32778, 32779), std::vector<int>{32778}) << "Fast at start";
  desktop.ClearRecords();
  for (int id : {kFilterLinear, kFilterLinear, kMultiPassSafe, kMultiPassSafe}) Dispatch(id);
  EXPECT_EQ(desktop.log, (Log{"repaint", "repaint"})) << "one view redraw per change, no panel refresh";
  EXPECT_EQ(scene.textureFilter, 1);
  EXPECT_EQ(scene.multiPassSafe, 1);
  EXPECT_EQ(Checked(32773, 32777), std::vector<int>{32774});
  EXPECT_EQ(Checked(32778, 32779), std::vector<int>{32779});
}

TEST_F(CommandTableTest, AskingForAFilterItemsStateTurnsARunningSpinOneStep) {
  trackball.spin = {0.0f, 0.0f, 0.38268343f, 0.92387953f};  // 45 degrees about z
  QueryCommandState(ws, kFilterNearest);
  QueryCommandState(ws, kMultiPassFast);
  EXPECT_EQ(desktop.log, (Log{"repaint", "repaint"}));
  // Two 45-degree steps make 90 degrees: (0, 0, sin 45, cos 45).
  EXPECT_NEAR(trackball.rotation[2], 0.70710678f, 1e-5);
  EXPECT_NEAR(trackball.rotation[3], 0.70710678f, 1e-5);
}

TEST_F(CommandTableTest, NewAndOpenDoNothingAndUnlistedNumbersAreIgnored) {
  AddCurrentModel();
  EXPECT_TRUE(DispatchCommand(ws, kFileNew));
  EXPECT_TRUE(DispatchCommand(ws, kFileOpen));
  for (int id : {kFileSave, kEditCopy, kEditCut, kEditPaste, kEditUndo, kNextPane, kPreviousPane, 12345})
    EXPECT_FALSE(DispatchCommand(ws, id)) << id;
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_EQ(scene.ModelCount(), 1);
}

TEST_F(CommandTableTest, DialogCommandsNeedTheirSelectionAndRedrawAroundTheDialog) {
  for (int id : {kOffsets, kLightProperties, kExportLight, kExportSkinBase}) Dispatch(id);
  EXPECT_TRUE(desktop.log.empty()) << "no model, no light: nothing to edit or export";
  Dispatch(kBackgroundColor);
  EXPECT_EQ(desktop.log, (Log{"redraw", "background", "redraw", "refresh"}));

  AddCurrentModel();
  scene.lights.push_back(std::make_unique<LightRecord>());
  scene.currentLight = 0;
  desktop.onLightProperties = [](LightRecord& light) { light.name = "Key"; };
  desktop.ClearRecords();
  for (int id : {kOffsets, kLightProperties, kModelLinks, kAppAbout, kSetBaseFolder, kExportLight, kImportLight,
                 kExportSkinBase, kAppExit})
    Dispatch(id);
  EXPECT_EQ(desktop.log, (Log{"offsets", "redraw", "refresh", "redraw", "lightprops", "redraw", "refresh", "linkage",
                              "about", "folder-dialog", "save-dialog", "open-dialog", "save-dialog", "close"}));
  EXPECT_EQ(scene.lights[0]->name, "Key");
}

TEST_F(CommandTableTest, OpenModelAppendsMd3OnlyWhenThePathHasNoDot) {
  testing::TempFolder dir;
  // Files that exist but hold no model: the refusal proves which name was opened.
  dir.Write("model.md3", {'j'});
  dir.Write("v1.2/model", {'j'});
  for (const char* chosen : {"model", "v1.2/model"}) {
    desktop.fileAnswers.push_back(FileChoice{dir / chosen, 1});
    Dispatch(kOpenModel);
  }
  EXPECT_EQ(desktop.messages, (Log{"This is not a MD3!", "This is not a MD3!"}));
  EXPECT_EQ(desktop.fileDialogs[0].filter, "Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*");
  EXPECT_EQ(desktop.fileDialogs[0].initialName, "*.md3");
}

TEST_F(CommandTableTest, LoadMapAppendsTheChosenEntrysExtensionAndFillsItsRowsSlot) {
  Dispatch(kLoadTextureMap);
  EXPECT_TRUE(desktop.log.empty()) << "no model: no dialog";
  ModelRecord& m = AddCurrentModel();
  testing::TempFolder dir;
  testing::TgaImage tga;
  tga.width = tga.height = 1;
  tga.pixels = {0x336699};
  // Filter entries: 1 supported formats, 2 PCX, 3 BMP, 4 TGA, 5 all files. The content
  // decides the format, so one TGA serves under every name.
  const std::tuple<int, int, const char*, const char*, MapSlot> cases[] = {
      {kLoadTextureMap, 1, "a", "a.pcx", kTextureSlot},         {kLoadDiffusionMap, 2, "b", "b.pcx", kDiffusionSlot},
      {kLoadSpecularityMap, 3, "c", "c.bmp", kSpecularitySlot}, {kLoadGlowMap, 4, "d", "d.tga", kGlowSlot},
      {kLoadTextureMap, 5, "e", "e.pcx", kTextureSlot},         {kLoadDiffusionMap, 4, "v1.2/f", "v1.2/f", kDiffusionSlot}};
  for (const auto& [command, entry, chosen, file, slot] : cases) {
    dir.Write(file, testing::WriteTga(tga));
    desktop.fileAnswers.push_back(FileChoice{dir / chosen, entry});
    Dispatch(command);
    ASSERT_NE(m.MapImage(slot), nullptr) << file;
    EXPECT_EQ(m.MapImage(slot)->fileName, std::filesystem::path(file).filename().string());
  }
  EXPECT_TRUE(desktop.messages.empty());
  EXPECT_EQ(desktop.fileDialogs[0].filter,
            "Supported Formats (*.pcx;*.bmp;*.tga)|*.pcx;*.bmp;*.tga|DeluxePaint PCX (*.pcx)|*.pcx|"
            "Microsoft Bitmap (*.bmp)|*.bmp|Targa Truevision (*.tga)|*.tga|All Files (*.*)|*.*");
  EXPECT_EQ(desktop.fileDialogs[0].initialName, "*.pcx;*.bmp;*.tga");
}

}  // namespace
}  // namespace tessary
