#include <gtest/gtest.h>

#include "app/MainFrame.h"
#include "render/RenderView.h"
#include "support/GuiSupport.h"
#include "ui/OptionsBar.h"

#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "ui/GuiTestDesktop.h"

// Last: X11 headers define macros (None, Status, ...) that clash with ordinary names.
#include <GL/glx.h>

namespace tessary {
namespace {

using testing::PumpEvents;
using testing::PumpUntil;

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new MainFrame(scene, trackball);
    frame->Show();
    ASSERT_TRUE(PumpUntil([&] { return frame->renderView->FramesDrawn() > 0; }));
  }
  void TearDown() override {
    if (frame != nullptr) frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
  }
  Scene scene;
  TrackballState trackball;
  MainFrame* frame = nullptr;
};

TEST_F(MainFrameTest, OpensAt512By384WithTheBarAtTheRight) {
  EXPECT_EQ(frame->GetSize(), wxSize(512, 384));
  EXPECT_EQ(frame->GetTitle(), "Corvane's Tessary");
  const wxSize client = frame->GetClientSize();
  EXPECT_EQ(frame->optionsBar->GetRect(), wxRect(client.x - 200, 0, 200, client.y));
  EXPECT_EQ(frame->renderView->GetRect(), wxRect(0, 0, client.x - 200, client.y));
  EXPECT_TRUE(frame->renderView->HasContext());
}

TEST_F(MainFrameTest, NarrowingShrinksOnlyTheView) {
  frame->SetClientSize(350, 300);
  PumpEvents();
  EXPECT_EQ(frame->optionsBar->GetRect(), wxRect(150, 0, 200, 300));
  EXPECT_EQ(frame->renderView->GetRect(), wxRect(0, 0, 150, 300));

  // Asked to be narrower than the bar; GTK keeps the window at least as wide as its menu
  // bar, so whatever width results, the bar keeps its 200 pixels at the right edge and the
  // view gets what is left, never a negative width.
  frame->SetClientSize(120, 300);
  PumpEvents();
  const int width = frame->GetClientSize().x;
  EXPECT_LT(width, 350);
  EXPECT_EQ(frame->optionsBar->GetRect(), wxRect(width - 200, 0, 200, 300));
  EXPECT_EQ(frame->renderView->GetSize().x, std::max(0, width - 200));
}

// Deletes texture names only when told, and notes whether a GL context was current.
class ContextCheckingDevice final : public TextureDevice {
 public:
  std::uint32_t CreateTexture() override { return 0; }
  void UploadTexture(const ImageRGBA&) override {}
  void DeleteTexture(std::uint32_t name) override {
    deleted.push_back(name);
    contextCurrent.push_back(glXGetCurrentContext() != nullptr);
  }
  std::vector<std::uint32_t> deleted;
  std::vector<bool> contextCurrent;
};

TEST_F(MainFrameTest, ClosingFreesModelsAndLightsWhileTheContextIsCurrent) {
  ContextCheckingDevice device;
  for (std::uint32_t name : {7u, 8u}) {
    auto model = std::make_unique<ModelRecord>();
    model->textureMap = std::make_unique<ImageRGBA>();
    model->textureMap->textureName = name;
    model->textureMap->device = &device;
    scene.models.push_back(std::move(model));
  }
  scene.models[1]->glowMap = std::make_unique<ImageRGBA>();
  scene.models[1]->glowMap->textureName = 9;
  scene.models[1]->glowMap->device = &device;
  scene.lights.push_back(std::make_unique<LightRecord>());
  scene.currentModel = 1;

  frame->Close(true);
  frame = nullptr;
  PumpEvents();

  EXPECT_EQ(device.deleted, (std::vector<std::uint32_t>{7, 8, 9}));
  EXPECT_EQ(device.contextCurrent, (std::vector<bool>{true, true, true}));
  EXPECT_TRUE(scene.models.empty());
  EXPECT_TRUE(scene.lights.empty());
}

// The menu, the accelerators and the exit command, with a desktop that records dialogs.
class MainFrameCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<testing::GuiTestDesktop>();
    desktop = owned.get();
    frame = new MainFrame(scene, trackball, std::move(owned));
    frame->SetPosition(wxPoint(0, 0));
    frame->Show();
    ASSERT_TRUE(PumpUntil([&] { return frame->renderView->FramesDrawn() > 0; }));
  }
  void TearDown() override {
    if (frame != nullptr) frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
  }
  wxMenuItem* Item(int command) { return frame->GetMenuBar()->FindItem(cmd::ToWxId(command)); }
  // What wx does as a menu opens: the update-UI pass over its items.
  void OpenMenu(const char* caption) {
    wxMenuBar* bar = frame->GetMenuBar();
    wxMenu* menu = bar->GetMenu(static_cast<std::size_t>(bar->FindMenu(caption)));
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, menu);
    open.SetEventObject(menu);
    frame->ProcessWindowEvent(open);
  }
  void TypeKey(int key, int modifiers = wxMOD_NONE) {
    wxUIActionSimulator keyboard;
    keyboard.Char(key, modifiers);
  }

  Scene scene;
  TrackballState trackball;
  testing::GuiTestDesktop* desktop = nullptr;
  MainFrame* frame = nullptr;
};

// Compares a wx menu with its entry of the command table, item by item.
void ExpectMenuMatches(const wxMenu& menu, const MenuEntry& entry, const std::string& path) {
  ASSERT_EQ(menu.GetMenuItemCount(), entry.children.size()) << path;
  std::size_t i = 0;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    const MenuEntry& expected = entry.children[i++];
    const std::string where = path + " > " + expected.caption;
    if (!expected.children.empty()) {
      ASSERT_NE(item->GetSubMenu(), nullptr) << where;
      EXPECT_EQ(item->GetItemLabel().utf8_string(), expected.caption) << where;
      ExpectMenuMatches(*item->GetSubMenu(), expected, where);
    } else if (expected.id == 0) {
      EXPECT_TRUE(item->IsSeparator()) << where;
    } else {
      EXPECT_EQ(cmd::FromWxId(item->GetId()), expected.id) << where;
      EXPECT_EQ(item->GetItemLabel().utf8_string(), expected.caption) << where;
      EXPECT_EQ(item->IsCheckable(), IsCheckable(expected.id)) << where;
    }
  }
}

TEST_F(MainFrameCommandTest, TheMenuBarMirrorsTheCommandTable) {
  wxMenuBar* bar = frame->GetMenuBar();
  ASSERT_NE(bar, nullptr);
  const auto& table = MainMenu();
  ASSERT_EQ(bar->GetMenuCount(), table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(bar->GetMenuLabel(i).utf8_string(), table[i].caption);
    ExpectMenuMatches(*bar->GetMenu(i), table[i], table[i].caption);
  }
}

TEST_F(MainFrameCommandTest, MenuItemsAreGreyedAndCheckedByTheRules) {
  OpenMenu("Model");
  for (int command : {cmd::kEnvironmentMap, cmd::kWireframe, cmd::kLockFrame, cmd::kDisplayBounds}) {
    EXPECT_FALSE(Item(command)->IsEnabled()) << command;
    EXPECT_FALSE(Item(command)->IsChecked()) << command;
  }
  EXPECT_TRUE(Item(cmd::kOffsets)->IsEnabled());

  ModelRecord& model = testing::AddTestModel(scene, "torso");
  model.wireframe = 1;
  scene.currentModel = 0;
  OpenMenu("Model");
  EXPECT_TRUE(Item(cmd::kWireframe)->IsEnabled());
  EXPECT_TRUE(Item(cmd::kWireframe)->IsChecked());
  EXPECT_TRUE(Item(cmd::kShellEffect)->IsEnabled());
  EXPECT_FALSE(Item(cmd::kShellEffect)->IsChecked());

  OpenMenu("Rendering");
  EXPECT_TRUE(Item(cmd::kFilterTriMip)->IsChecked());
  EXPECT_FALSE(Item(cmd::kFilterLinear)->IsChecked());
  EXPECT_TRUE(Item(cmd::kMultiPassFast)->IsChecked());
  // Choosing an item moves the check mark at the next opening.
  wxCommandEvent chooseLinear(wxEVT_MENU, cmd::ToWxId(cmd::kFilterLinear));
  frame->ProcessWindowEvent(chooseLinear);
  OpenMenu("Rendering");
  EXPECT_TRUE(Item(cmd::kFilterLinear)->IsChecked());
  EXPECT_FALSE(Item(cmd::kFilterTriMip)->IsChecked());
  EXPECT_EQ(scene.textureFilter, 1);
}

TEST_F(MainFrameCommandTest, OpeningTheRealMenuGreysItsItems) {
  // Nothing has asked yet: wx shows new items enabled.
  wxMenuItem* wireframe = Item(cmd::kWireframe);
  ASSERT_TRUE(wireframe->IsEnabled());
  // A click on the "Model" title: the second title of the bar, after "File", with the
  // theme's padding of 8 pixels on each side of a title.
  wxMenuBar* bar = frame->GetMenuBar();
  const int fileWidth = bar->GetTextExtent("File").x;
  const int modelWidth = bar->GetTextExtent("Model").x;
  const wxPoint title = bar->GetScreenPosition() + wxPoint(8 + fileWidth + 8 + 8 + modelWidth / 2, bar->GetSize().y / 2);
  wxUIActionSimulator mouse;
  mouse.MouseMove(title);
  PumpEvents(std::chrono::milliseconds(100));
  mouse.MouseClick();
  EXPECT_TRUE(PumpUntil([&] { return !wireframe->IsEnabled(); }, std::chrono::milliseconds(2000)));
  TypeKey(WXK_ESCAPE);
  PumpEvents(std::chrono::milliseconds(100));
}

TEST_F(MainFrameCommandTest, MenuStatesAreAskedWhenAMenuOpensNeverWhenIdle) {
  // Asking for the filter items' state repaints the view, so idle time must not ask.
  PumpEvents(std::chrono::milliseconds(100));
  const int before = desktop->viewRepaints;
  PumpEvents(std::chrono::milliseconds(400));
  EXPECT_EQ(desktop->viewRepaints, before);
  OpenMenu("Rendering");
  EXPECT_GT(desktop->viewRepaints, before);
}

TEST_F(MainFrameCommandTest, ArrowKeysStepFramesEvenWhenABarListHasTheFocus) {
  ModelRecord& first = testing::AddTestModel(scene, "legs");
  testing::AddTestModel(scene, "torso");
  testing::AddTestLight(scene, "Key Light");
  testing::AddTestLight(scene, "Fill Light");
  scene.currentModel = 0;
  scene.currentLight = 1;
  desktop->RefreshPanel();
  frame->Raise();
  frame->optionsBar->globalLightList->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == frame->optionsBar->globalLightList; }));

  TypeKey(WXK_RIGHT);
  EXPECT_TRUE(PumpUntil([&] { return first.currentFrame == 1; }));
  TypeKey(WXK_LEFT, wxMOD_SHIFT);  // every model
  EXPECT_TRUE(PumpUntil([&] { return scene.models[1]->currentFrame == 2; }));
  EXPECT_EQ(first.currentFrame, 0);
  // The light list itself did not take the keys.
  EXPECT_EQ(scene.currentLight, 1);

  frame->optionsBar->modelList->SetFocus();
  PumpUntil([&] { return wxWindow::FindFocus() == frame->optionsBar->modelList; });
  TypeKey(WXK_LEFT);
  EXPECT_TRUE(PumpUntil([&] { return first.currentFrame == 2; }));
  EXPECT_EQ(scene.currentModel, 0);
}

TEST_F(MainFrameCommandTest, CtrlOAndCtrlNDoNothing) {
  frame->renderView->SetFocus();
  PumpEvents();
  const int redraws = desktop->sceneRedraws;
  TypeKey('O', wxMOD_CONTROL);
  TypeKey('N', wxMOD_CONTROL);
  PumpEvents(std::chrono::milliseconds(300));
  EXPECT_TRUE(desktop->fileDialogs.empty());
  EXPECT_TRUE(desktop->dialogs.empty());
  EXPECT_EQ(desktop->sceneRedraws, redraws);
}

TEST_F(MainFrameCommandTest, DialogCommandsReachTheDesktop) {
  for (int command : {cmd::kBackgroundColor, cmd::kModelLinks, cmd::kAppAbout, cmd::kOffsets}) {
    wxCommandEvent choose(wxEVT_MENU, cmd::ToWxId(command));
    frame->ProcessWindowEvent(choose);
  }
  // Offsets needs a current model; there is none.
  EXPECT_EQ(desktop->dialogs, (std::vector<std::string>{"background", "linkage", "about"}));
}

TEST_F(MainFrameCommandTest, ExitClosesTheWindowAndFreesTheScene) {
  testing::AddTestModel(scene, "torso");
  testing::AddTestLight(scene, "Key Light");
  bool destroyed = false;
  frame->Bind(wxEVT_DESTROY, [&](wxWindowDestroyEvent& event) {
    if (event.GetEventObject() == frame) destroyed = true;
    event.Skip();
  });
  wxCommandEvent exit(wxEVT_MENU, cmd::ToWxId(cmd::kAppExit));
  frame->ProcessWindowEvent(exit);
  ASSERT_TRUE(PumpUntil([&] { return destroyed; }));
  frame = nullptr;
  EXPECT_TRUE(scene.models.empty());
  EXPECT_TRUE(scene.lights.empty());
}

}  // namespace
}  // namespace tessary
