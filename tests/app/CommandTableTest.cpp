#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"

namespace fs = std::filesystem;

namespace tessary {
namespace {

using namespace cmd;
using Log = std::vector<std::string>;

class CommandTableTest : public ::testing::Test {
 protected:
  ModelRecord& AddModel() {
    auto model = std::make_unique<ModelRecord>();
    model->name = "m" + std::to_string(scene.models.size());
    for (int f = 0; f < 3; ++f) model->frames.push_back(std::make_unique<FrameRecord>());
    scene.models.push_back(std::move(model));
    return *scene.models.back();
  }
  void Dispatch(int id) { DispatchCommand(ws, id); }

  Scene scene;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
};

// Captions of a menu's entries, separators as "-", submenus as "caption>".
std::vector<std::string> Captions(const MenuEntry& menu) {
  std::vector<std::string> out;
  for (const MenuEntry& e : menu.children)
    out.push_back(e.children.empty() ? (e.id == 0 ? "-" : e.caption) : e.caption + ">");
  return out;
}

TEST(MenuTree, HasTheMenusItemsAndOrderUsersKnow) {
  const auto& menu = MainMenu();
  ASSERT_EQ(menu.size(), 4u);
  EXPECT_EQ(menu[0].caption, "&File");
  EXPECT_EQ(Captions(menu[0]), (std::vector<std::string>{"Set Base Folder...", "Light Transfer>", "Export>", "-", "E&xit"}));
  EXPECT_EQ(Captions(menu[0].children[1]), (std::vector<std::string>{"Export to LGT", "Import from LGT"}));
  EXPECT_EQ(Captions(menu[0].children[2]), (std::vector<std::string>{"Skinbase (*.bmp)"}));
  EXPECT_EQ(menu[1].caption, "Model");
  EXPECT_EQ(Captions(menu[1]), (std::vector<std::string>{"Environment Map", "Additive Effect", "Shell Effect", "Double-sided",
                                                         "Wireframe", "Display Tags", "Display Bounds", "Lock Frame",
                                                         "Offsets..."}));
  EXPECT_EQ(menu[2].caption, "&Rendering");
  EXPECT_EQ(Captions(menu[2]), (std::vector<std::string>{"&Texture>", "Multi-Pass>", "Background Color...", "Model Links..."}));
  EXPECT_EQ(Captions(menu[2].children[0]), (std::vector<std::string>{"&Nearest", "&Linear", "Near-&MIP", "&Bi-MIP", "&Tri-MIP"}));
  EXPECT_EQ(Captions(menu[2].children[1]), (std::vector<std::string>{"&Fast", "&Safe"}));
  EXPECT_EQ(menu[3].caption, "&Help");
  EXPECT_EQ(Captions(menu[3]), (std::vector<std::string>{"&About Corvane's Tessary"}));

  // The numbers that go with them, in menu order.
  std::vector<int> ids;
  std::function<void(const MenuEntry&)> walk = [&](const MenuEntry& e) {
    if (e.children.empty() && e.id != 0) ids.push_back(e.id);
    for (const auto& c : e.children) walk(c);
  };
  for (const auto& m : menu) walk(m);
  EXPECT_EQ(ids, (std::vector<int>{32772, 32811, 32812, 32824, 57665, 32813, 32818, 32823, 32819, 32809, 32820, 32825,
                                   32821, 32822, 32773, 32774, 32775, 32776, 32777, 32778, 32779, 32814, 32817, 57664}));
}

TEST(Accelerators, ArrowsStepFramesAndShiftStepsEveryModel) {
  std::vector<std::pair<std::string, int>> arrows;
  for (const Accelerator& a : Accelerators()) {
    if (a.key != Accelerator::Left && a.key != Accelerator::Right) continue;
    EXPECT_FALSE(a.ctrl || a.alt);
    arrows.emplace_back(std::string(a.shift ? "Shift+" : "") + (a.key == Accelerator::Left ? "Left" : "Right"), a.id);
  }
  EXPECT_EQ(arrows, (std::vector<std::pair<std::string, int>>{
                        {"Left", 32807}, {"Shift+Left", 32815}, {"Right", 32806}, {"Shift+Right", 32816}}));
}

const int kModelToggles[] = {32813, 32818, 32823, 32819, 32809, 32820, 32825, 32821};

TEST_F(CommandTableTest, ModelItemsAreGreyedAndDoNothingWithoutACurrentModel) {
  AddModel();
  scene.currentModel = -1;
  for (int id : kModelToggles) {
    const CommandState s = QueryCommandState(ws, id);
    EXPECT_FALSE(s.enabled) << id;
    EXPECT_FALSE(s.checked) << id;
    EXPECT_TRUE(DispatchCommand(ws, id));
  }
  Dispatch(kOffsets);
  EXPECT_TRUE(desktop.log.empty());
  const ModelRecord& m = *scene.models[0];
  EXPECT_EQ(m.envMap + m.additive + m.shell + m.doubleSided + m.wireframe + m.showTags + m.showBounds + m.lockFrame, 0);
}

TEST_F(CommandTableTest, EachModelItemTogglesItsOwnSwitchAndShowsItChecked) {
  ModelRecord& m = AddModel();
  scene.currentModel = 0;
  const std::vector<std::int32_t*> flags = {&m.envMap, &m.additive, &m.shell, &m.doubleSided,
                                            &m.wireframe, &m.showTags, &m.showBounds, &m.lockFrame};
  for (std::size_t i = 0; i < flags.size(); ++i) {
    const int id = kModelToggles[i];
    EXPECT_EQ(QueryCommandState(ws, id).checked, false) << id;
    desktop.ClearRecords();
    Dispatch(id);
    EXPECT_EQ(*flags[i], 1) << id;
    EXPECT_EQ(desktop.log, (Log{"redraw", "refresh"})) << id;
    const CommandState s = QueryCommandState(ws, id);
    EXPECT_TRUE(s.enabled);
    EXPECT_TRUE(s.checked) << id;
    for (std::size_t j = 0; j < flags.size(); ++j) {
      if (j == i) continue;
      EXPECT_EQ(*flags[j], j < i ? 1 : 0) << "item " << id << " touched another switch";
    }
  }
  Dispatch(kWireframe);
  EXPECT_EQ(m.wireframe, 0);
  EXPECT_FALSE(QueryCommandState(ws, kWireframe).checked);
}

TEST_F(CommandTableTest, FilterAndMultiPassGroupsCheckOneItemAndRedrawOnlyOnChange) {
  auto checks = [&](int first, int last) {
    std::vector<int> on;
    for (int id = first; id <= last; ++id)
      if (QueryCommandState(ws, id).checked) on.push_back(id);
    return on;
  };
  EXPECT_EQ(checks(32773, 32777), std::vector<int>{32777}) << "Tri-MIP at start";
  EXPECT_EQ(checks(32778, 32779), std::vector<int>{32778}) << "Fast at start";
  for (int id = 32773; id <= 32779; ++id) EXPECT_TRUE(QueryCommandState(ws, id).enabled);

  desktop.ClearRecords();
  Dispatch(kFilterLinear);
  Dispatch(kFilterLinear);
  EXPECT_EQ(scene.textureFilter, 1);
  EXPECT_EQ(desktop.viewRepaints, 1) << "choosing Linear twice redraws once";
  EXPECT_EQ(desktop.sceneRedraws + desktop.panelRefreshes, 0) << "the panel is not refreshed";
  Dispatch(kMultiPassSafe);
  Dispatch(kMultiPassSafe);
  EXPECT_EQ(scene.multiPassSafe, 1);
  EXPECT_EQ(desktop.viewRepaints, 2);
  EXPECT_EQ(checks(32773, 32777), std::vector<int>{32774});
  EXPECT_EQ(checks(32778, 32779), std::vector<int>{32779});
}

TEST_F(CommandTableTest, ShowingAFilterItemTurnsARunningSpinOneStep) {
  trackball.spin = {0.0f, 0.0f, 0.38268343f, 0.92387953f};  // 45 degrees about z
  desktop.ClearRecords();
  QueryCommandState(ws, kFilterNearest);
  QueryCommandState(ws, kMultiPassFast);
  EXPECT_EQ(desktop.viewRepaints, 2);
  // Two 45-degree steps make 90 degrees: (0, 0, sin 45, cos 45).
  EXPECT_NEAR(trackball.rotation[2], 0.70710678f, 1e-5);
  EXPECT_NEAR(trackball.rotation[3], 0.70710678f, 1e-5);
}

TEST_F(CommandTableTest, NewAndOpenDoNothingAndUnlistedNumbersAreIgnored) {
  AddModel();
  scene.currentModel = 0;
  EXPECT_TRUE(DispatchCommand(ws, kFileNew));
  EXPECT_TRUE(DispatchCommand(ws, kFileOpen));
  for (int id : {kFileSave, kEditCopy, kEditCut, kEditPaste, kEditUndo, kNextPane, kPreviousPane, 12345})
    EXPECT_FALSE(DispatchCommand(ws, id)) << id;
  EXPECT_TRUE(desktop.log.empty());
  EXPECT_EQ(scene.ModelCount(), 1);
}

TEST_F(CommandTableTest, ButtonsReachTheirOperations) {
  Dispatch(kAddLight);
  Dispatch(kAddLight);
  EXPECT_EQ(scene.LightCount(), 2);
  Dispatch(kToggleLight);
  EXPECT_EQ(scene.lights[1]->enabled, 0);
  Dispatch(kRemoveLight);
  EXPECT_EQ(scene.LightCount(), 1);

  ModelRecord& m = AddModel();
  scene.currentModel = 0;
  scene.currentLight = 0;
  Dispatch(kAttachLight);
  EXPECT_EQ(m.modelLights.size(), 1u);
  Dispatch(kToggleModelLight);
  EXPECT_EQ(m.modelLights[0].enabled, 0);
  Dispatch(kDetachLight);
  EXPECT_TRUE(m.modelLights.empty());

  // The map rows run texture, diffusion, specularity, glow.
  Dispatch(kToggleTextureMap);
  Dispatch(kToggleDiffusionMap);
  Dispatch(kToggleDiffusionMap);
  Dispatch(kToggleSpecularityMap);
  Dispatch(kToggleGlowMap);
  EXPECT_EQ(m.mapEnabled, (std::array<std::int32_t, 4>{0, 0, 1, 0}));

  Dispatch(kToggleModelVisible);
  EXPECT_EQ(m.visible, 0);
  Dispatch(kNextFrame);
  EXPECT_EQ(m.currentFrame, 1);
  Dispatch(kPreviousFrameAll);
  Dispatch(kPreviousFrameAll);
  EXPECT_EQ(m.currentFrame, 2) << "wrapped backwards";
  Dispatch(kNextFrameAll);
  Dispatch(kPreviousFrame);
  EXPECT_EQ(m.currentFrame, 2);
  Dispatch(kRemoveModel);
  EXPECT_EQ(scene.ModelCount(), 0);
  EXPECT_EQ(scene.currentModel, -1);
}

TEST_F(CommandTableTest, DialogCommandsRedrawAndRefreshAroundTheirDialogs) {
  Dispatch(kBackgroundColor);
  EXPECT_EQ(desktop.log, (Log{"redraw", "background", "redraw", "refresh"}));
  desktop.ClearRecords();
  AddModel();
  scene.currentModel = 0;
  Dispatch(kOffsets);
  EXPECT_EQ(desktop.log, (Log{"offsets", "redraw", "refresh"}));
  desktop.ClearRecords();
  Dispatch(kModelLinks);
  Dispatch(kAppAbout);
  Dispatch(kAppExit);
  EXPECT_EQ(desktop.log, (Log{"linkage", "about", "close"}));
  desktop.ClearRecords();
  Dispatch(kLightProperties);  // no current light
  EXPECT_TRUE(desktop.log.empty());
}

TEST_F(CommandTableTest, MapLoadAsksForAnImageOnlyWithACurrentModel) {
  Dispatch(kLoadTextureMap);
  EXPECT_TRUE(desktop.fileDialogs.empty());
  AddModel();
  scene.currentModel = 0;
  Dispatch(kLoadGlowMap);  // cancelled
  ASSERT_EQ(desktop.fileDialogs.size(), 1u);
  EXPECT_EQ(desktop.fileDialogs[0].filter,
            "Supported Formats (*.pcx;*.bmp;*.tga)|*.pcx;*.bmp;*.tga|DeluxePaint PCX (*.pcx)|*.pcx|"
            "Microsoft Bitmap (*.bmp)|*.bmp|Targa Truevision (*.tga)|*.tga|All Files (*.*)|*.*");
  EXPECT_EQ(desktop.fileDialogs[0].initialName, "*.pcx;*.bmp;*.tga");
  EXPECT_FALSE(desktop.fileDialogs[0].save);
  EXPECT_EQ(desktop.sceneRedraws, 0);
}

class ExtensionRules : public CommandTableTest {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("tessary-ext-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir / "folder.d");
  }
  void TearDown() override { fs::remove_all(dir); }
  // A file that exists but is no model and no image: opening it proves which path was used.
  void Junk(const fs::path& p) { std::ofstream(p) << "junk"; }
  void Answer(const fs::path& p, int filter = 1) { desktop.fileAnswers.push_back(FileChoice{p.string(), filter}); }
  fs::path dir;
};

TEST_F(ExtensionRules, OpenModelAppendsMd3OnlyWhenThePathHasNoDot) {
  Junk(dir / "model.md3");
  Answer(dir / "model");
  Dispatch(kOpenModel);
  Junk(dir / "folder.d" / "model");
  Answer(dir / "folder.d" / "model");
  Dispatch(kOpenModel);
  // Both opened a file that exists (so no "error loading" message): the first with ".md3"
  // appended, the second exactly as chosen.
  EXPECT_EQ(desktop.messages, (std::vector<std::string>{"This is not a MD3!", "This is not a MD3!"}));
  EXPECT_EQ(desktop.fileDialogs[0].filter, "Quake3 Model (*.md3)|*.md3|All Files (*.*)|*.*");
  EXPECT_EQ(desktop.fileDialogs[0].initialName, "*.md3");
}

TEST_F(ExtensionRules, MapLoadAppendsTheExtensionOfTheChosenFilterEntry) {
  AddModel();
  scene.currentModel = 0;
  Junk(dir / "pic.tga");
  Junk(dir / "pic.bmp");
  Junk(dir / "pic.pcx");
  const std::pair<int, const char*> cases[] = {{4, ".tga"}, {3, ".bmp"}, {2, ".pcx"}, {1, ".pcx"}, {5, ".pcx"}};
  for (auto [entry, ext] : cases) {
    desktop.messages.clear();
    fs::rename(dir / (std::string("pic") + ext), dir / "probe");  // only the expected name is missing...
    Answer(dir / "pic", entry);
    Dispatch(kLoadDiffusionMap);
    // ...so the loader finds nothing to open and says nothing, while any other name would
    // have been found and refused as unrecognised.
    EXPECT_TRUE(desktop.messages.empty()) << "entry " << entry;
    fs::rename(dir / "probe", dir / (std::string("pic") + ext));
    Answer(dir / "pic", entry);
    Dispatch(kLoadDiffusionMap);
    EXPECT_EQ(desktop.messages, std::vector<std::string>{"This file is not recognized"}) << "entry " << entry;
  }
  EXPECT_EQ(scene.models[0]->diffusionMap, nullptr);
}

}  // namespace
}  // namespace tessary
