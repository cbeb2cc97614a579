// The main window under a real window system: its layout, the menu items' states, mouse
// drags in the render view and the spin they leave, and the shutdown that frees the scene
// while the GL context is current.
#include <gtest/gtest.h>

#include <wx/menu.h>

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
  // What wx does as a menu opens: the update-UI pass over its items.
  void OpenMenu(const char* title) {
    wxMenu* menu = frame->GetMenuBar()->GetMenu(static_cast<std::size_t>(frame->GetMenuBar()->FindMenu(title)));
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, menu);
    open.SetEventObject(menu);
    frame->ProcessWindowEvent(open);
  }
  void Mouse(wxEventType type, int x, int y, bool left, bool right = false, bool shift = false) {
    wxMouseEvent event(type);
    event.SetEventObject(frame->renderView);
    std::tie(event.m_x, event.m_y) = std::make_pair(x, y);
    event.m_leftDown = left;
    event.m_rightDown = right;
    event.m_shiftDown = shift;
    frame->renderView->GetEventHandler()->ProcessEvent(event);
  }
};

TEST_F(MainFrameTest, OpensAt512By384WithTheBarAtTheRightAndNarrowingShrinksOnlyTheView) {
  EXPECT_EQ(frame->GetSize(), wxSize(512, 384));
  EXPECT_EQ(frame->GetTitle(), "Corvane's Tessary");
  // GTK keeps the window as wide as its menu bar, so a narrow width asked for may not be
  // had; whatever the width, the bar keeps its 200 pixels at the right and the view the rest.
  for (int asked : {0, 350, 120}) {
    if (asked > 0) frame->SetClientSize(asked, 300);
    PumpEvents();
    const wxSize client = frame->GetClientSize();
    EXPECT_EQ(bar->GetRect(), wxRect(client.x - 200, 0, 200, client.y)) << asked;
    EXPECT_EQ(frame->renderView->GetRect(), wxRect(0, 0, std::max(0, client.x - 200), client.y)) << asked;
    EXPECT_TRUE(asked != 350 || client == wxSize(350, 300));
  }
}

TEST_F(MainFrameTest, MenuItemsAreGreyedAndCheckedAsAMenuOpens) {
  OpenMenu("Model");
  EXPECT_FALSE(Item(cmd::kWireframe)->IsEnabled() || Item(cmd::kWireframe)->IsChecked()) << "no model";
  AddModel("legs").wireframe = 1;
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

}

TEST_F(MainFrameTest, DragsInTheViewReachTheTrackballAndOnlyASpinDrawsOnIdle) {
  const wxSize client = frame->renderView->GetClientSize();
  // Shift and left: half the client height upwards multiplies the scale by 1.5.
  Mouse(wxEVT_LEFT_DOWN, 10, client.y - 1, true, false, true);
  Mouse(wxEVT_MOTION, 10, client.y - 1 - client.y / 2, true);
  Mouse(wxEVT_LEFT_UP, 10, 0, false);
  EXPECT_NEAR(trackball.scale, 0.03f * (1.0f + static_cast<float>(client.y / 2) / client.y), 1e-6);
  // Left alone: a sideways drag, released, keeps turning about the vertical axis (the press
  // may sit half a pixel off the middle of an odd height: allow a slight tilt).
  Mouse(wxEVT_LEFT_DOWN, client.x / 2, client.y / 2, true);
  Mouse(wxEVT_MOTION, client.x / 2 + 10, client.y / 2, true);
  Mouse(wxEVT_LEFT_UP, client.x / 2 + 10, client.y / 2, false);
  EXPECT_FALSE(frame->renderView->HasCapture());
  ASSERT_EQ(trackball.spinActive, 1);
  const long framesBefore = frame->renderView->FramesDrawn();
  PumpEvents(300ms);
  EXPECT_GT(frame->renderView->FramesDrawn(), framesBefore + 3) << "each idle pass draws a frame";
  const Quaternion& r = trackball.rotation;
  EXPECT_GT(std::fabs(r[1]), 20.0f * (std::fabs(r[0]) + std::fabs(r[2])));
  // A click stops it, and a view at rest draws nothing.
  Mouse(wxEVT_LEFT_DOWN, 5, 5, true);
  Mouse(wxEVT_LEFT_UP, 5, 5, false);
  EXPECT_EQ(trackball.spinActive, 0);
  PumpEvents(50ms);
  const long framesStopped = frame->renderView->FramesDrawn();
  PumpEvents(200ms);
  EXPECT_EQ(frame->renderView->FramesDrawn(), framesStopped) << "a view at rest draws nothing on idle";
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
    std::tie(model.MapImage(slot)->textureName, model.MapImage(slot)->device) = std::make_pair(name, &device);
  }
  AddLight("Key");
  wxCommandEvent exit(wxEVT_MENU, cmd::ToWxId(cmd::kAppExit));
  frame->ProcessWindowEvent(exit);
  frame = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return scene.models.empty(); }));
  EXPECT_EQ(device.deleted, (std::vector<std::pair<std::uint32_t, bool>>{{7, true}, {8, true}}));
  EXPECT_TRUE(scene.lights.empty());
}

}  // namespace
}  // namespace tessary
