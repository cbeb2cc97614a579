// The main window under a real window system: its size and layout, the menu bar and the
// menu items' states, the keys, and the shutdown that frees the scene while the GL context
// is current. (The spin that goes on after a drag is the render view's test.)
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/uiaction.h>

#include "app/CommandIds.h"
#include "ui/GuiTestDesktop.h"

// Last: X11 headers define macros (None, Status, ...) that clash with ordinary names.
#include <GL/glx.h>

namespace tessary {
namespace {

using namespace std::chrono_literals;
using testing::PumpEvents;
using testing::PumpUntil;

class MainFrameTest : public testing::GuiTest {
 protected:
  wxMenuItem* Item(int command) { return frame->GetMenuBar()->FindItem(cmd::ToWxId(command)); }
  void Choose(int command) {
    wxCommandEvent choose(wxEVT_MENU, cmd::ToWxId(command));
    frame->ProcessWindowEvent(choose);
  }
  // What wx does as a menu opens: the update-UI pass over its items.
  void OpenMenu(const char* title) {
    wxMenu* menu = frame->GetMenuBar()->GetMenu(static_cast<std::size_t>(frame->GetMenuBar()->FindMenu(title)));
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, menu);
    open.SetEventObject(menu);
    frame->ProcessWindowEvent(open);
  }
};

TEST_F(MainFrameTest, OpensAt512By384WithTheBarAtTheRightAndNarrowingShrinksOnlyTheView) {
  EXPECT_EQ(frame->GetSize(), wxSize(512, 384));
  EXPECT_EQ(frame->GetTitle(), "Corvane's Tessary");
  const wxSize client = frame->GetClientSize();
  EXPECT_EQ(bar->GetRect(), wxRect(client.x - 200, 0, 200, client.y));
  EXPECT_EQ(frame->renderView->GetRect(), wxRect(0, 0, client.x - 200, client.y));
  frame->SetClientSize(350, 300);
  PumpEvents();
  EXPECT_EQ(bar->GetRect(), wxRect(150, 0, 200, 300));
  EXPECT_EQ(frame->renderView->GetRect(), wxRect(0, 0, 150, 300));
  // Narrower than the bar: GTK keeps the window as wide as its menu bar, but whatever the
  // width, the bar keeps its 200 pixels at the right and the view never gets a negative width.
  frame->SetClientSize(120, 300);
  PumpEvents();
  const int width = frame->GetClientSize().x;
  EXPECT_LT(width, 350);
  EXPECT_EQ(bar->GetRect(), wxRect(width - 200, 0, 200, 300));
  EXPECT_EQ(frame->renderView->GetSize().x, std::max(0, width - 200));
}

// The menu as text: "caption=command" for an item (with "v" when it carries a check mark),
// "caption[...]" for a submenu, "-" for a separator, each followed by "|".
std::string MenuText(const wxMenu& menu) {
  std::string text;
  for (const wxMenuItem* item : menu.GetMenuItems()) {
    const std::string caption = item->GetItemLabel().utf8_string();
    if (item->IsSeparator()) text += "-";
    else if (item->GetSubMenu() != nullptr) text += caption + "[" + MenuText(*item->GetSubMenu()) + "]";
    else text += caption + "=" + std::to_string(cmd::FromWxId(item->GetId())) + (item->IsCheckable() ? "v" : "");
    text += "|";
  }
  return text;
}

TEST_F(MainFrameTest, MenuItemsAreInTheirPlacesAndGreyedAndCheckedAsAMenuOpens) {
  const char* const expected[] = {
      "&File[Open Model...=32785|Recent Models[]|Set Base Folder...=32772|"
      "Light Transfer[Export to LGT=32811|Import from LGT=32812|]|"
      "Export[Skinbase (*.bmp)=32824|Picture (*.png)=32921|]|-|E&xit=57665|]",
      "Model[Environment Map=32813v|Additive Effect=32818v|Shell Effect=32823v|Double-sided=32819v|Wireframe=32809v|"
      "Display Tags=32820v|Display Bounds=32825v|Lock Frame=32821v|Offsets...=32822|]",
      "&Rendering[&Texture[&Nearest=32773v|&Linear=32774v|Near-&MIP=32775v|&Bi-MIP=32776v|&Tri-MIP=32777v|]|"
      "Multi-Pass[&Fast=32778v|&Safe=32779v|]|Background Color...=32814|Model Links...=32817|Fit View=32920|]",
      "&Animation[&Play/Pause=33000v|&Faster=33001|&Slower=33002|&Restart=33003|]",
      "&Help[&About Corvane's Tessary=57664|]"};
  wxMenuBar* menuBar = frame->GetMenuBar();
  ASSERT_EQ(menuBar->GetMenuCount(), 5u);
  for (std::size_t i = 0; i < 5; ++i)
    EXPECT_EQ(menuBar->GetMenuLabel(i).utf8_string() + "[" + MenuText(*menuBar->GetMenu(i)) + "]", expected[i]);

  OpenMenu("Model");
  for (int command : {cmd::kEnvironmentMap, cmd::kWireframe, cmd::kLockFrame, cmd::kDisplayBounds})
    EXPECT_FALSE(Item(command)->IsEnabled() || Item(command)->IsChecked()) << command;
  EXPECT_TRUE(Item(cmd::kOffsets)->IsEnabled());
  AddModel("torso").wireframe = 1;
  scene.currentModel = 0;
  OpenMenu("Model");
  EXPECT_TRUE(Item(cmd::kWireframe)->IsEnabled() && Item(cmd::kWireframe)->IsChecked());
  EXPECT_TRUE(Item(cmd::kShellEffect)->IsEnabled() && !Item(cmd::kShellEffect)->IsChecked());

  // The filter items' states redraw the view, so idle time must never ask for them.
  const int repaints = desktop->repaints;
  PumpEvents(400ms);
  EXPECT_EQ(desktop->repaints, repaints);
  OpenMenu("Rendering");
  EXPECT_GT(desktop->repaints, repaints);
  EXPECT_TRUE(Item(cmd::kFilterTriMip)->IsChecked() && Item(cmd::kMultiPassFast)->IsChecked());
  EXPECT_FALSE(Item(cmd::kFilterLinear)->IsChecked());
  Choose(cmd::kFilterLinear);
  OpenMenu("Rendering");
  EXPECT_TRUE(Item(cmd::kFilterLinear)->IsChecked());
  EXPECT_FALSE(Item(cmd::kFilterTriMip)->IsChecked());
}

TEST_F(MainFrameTest, ArrowKeysStepFramesEvenFromTheBarsListsAndCtrlOAndCtrlNDoNothing) {
  ModelRecord& legs = AddModel("legs");
  ModelRecord& torso = AddModel("torso");
  AddLight("Key");
  AddLight("Fill");
  scene.currentModel = 0;
  scene.currentLight = 1;
  desktop->RefreshPanel();
  frame->Raise();
  bar->globalLightList->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == bar->globalLightList; }));
  wxUIActionSimulator keyboard;
  // Right and Left step the current model, with Shift every model.
  const std::tuple<int, int, int, int> keys[] = {  // key, modifiers, then the frames of legs and torso
      {WXK_RIGHT, wxMOD_NONE, 1, 0}, {WXK_RIGHT, wxMOD_SHIFT, 2, 1}, {WXK_LEFT, wxMOD_SHIFT, 1, 0}, {WXK_LEFT, wxMOD_NONE, 0, 0}};
  for (const auto& [key, modifiers, legsFrame, torsoFrame] : keys) {
    keyboard.Char(key, modifiers);
    EXPECT_TRUE(PumpUntil([&] { return legs.currentFrame == legsFrame && torso.currentFrame == torsoFrame; }))
        << key << " " << modifiers;
  }
  EXPECT_EQ(scene.currentLight, 1) << "the light list did not take the keys";
  bar->modelList->SetFocus();
  PumpUntil([&] { return wxWindow::FindFocus() == bar->modelList; });
  keyboard.Char(WXK_LEFT);
  EXPECT_TRUE(PumpUntil([&] { return legs.currentFrame == 2; }));
  EXPECT_EQ(scene.currentModel, 0);

  frame->renderView->SetFocus();
  PumpEvents();
  const int redraws = desktop->redraws;
  keyboard.Char('O', wxMOD_CONTROL);
  keyboard.Char('N', wxMOD_CONTROL);
  PumpEvents(300ms);
  EXPECT_TRUE(desktop->dialogs.empty());
  EXPECT_EQ(desktop->redraws, redraws);
}

// Notes every texture object deleted and whether a GL context was current at the time.
class ContextCheckingDevice final : public TextureDevice {
 public:
  std::uint32_t CreateTexture() override { return 0; }
  void UploadTexture(const ImageRGBA&) override {}
  void DeleteTexture(std::uint32_t name) override { deleted.push_back({name, glXGetCurrentContext() != nullptr}); }
  std::vector<std::pair<std::uint32_t, bool>> deleted;
};

TEST_F(MainFrameTest, ExitClosesTheWindowAndFreesTheSceneWhileTheContextIsCurrent) {
  ContextCheckingDevice device;
  const std::pair<MapSlot, std::uint32_t> maps[] = {{kTextureSlot, 7}, {kGlowSlot, 8}};
  for (auto [slot, name] : maps) {
    ModelRecord& model = AddModel("m");
    PutMap(model, slot, "map");
    model.MapImage(slot)->textureName = name;
    model.MapImage(slot)->device = &device;
  }
  AddLight("Key");
  Choose(cmd::kAppExit);
  frame = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return scene.models.empty(); }));
  EXPECT_EQ(device.deleted, (std::vector<std::pair<std::uint32_t, bool>>{{7, true}, {8, true}}));
  EXPECT_TRUE(scene.lights.empty());
}

}  // namespace
}  // namespace tessary
