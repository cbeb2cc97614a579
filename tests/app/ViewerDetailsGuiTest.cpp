// Details a person notices in the real viewer: a command draws the view once, a dialog
// opens with its first field selected so typing replaces it, light names that are not
// UTF-8 show as Latin-1 and keep their bytes, the mouse does nothing to the view while a
// menu is open over it, work that needs the GL context waits for it, and on a display scaled
// by 2 GL draws into the device pixels.
#include <gtest/gtest.h>

#include <wx/menu.h>
#include <wx/uiaction.h>

#include <functional>

#include "ui/GuiTestDesktop.h"

// Last: X11 headers define macros (None, Status, ...) that clash with ordinary names.
#include <GL/gl.h>

namespace tessary {
namespace {

class ViewerDetailsTest : public testing::GuiTest {
 protected:
  void Menu(wxEventType type) {
    wxMenuEvent event(type, 0, frame->GetMenuBar()->GetMenu(1));
    frame->ProcessWindowEvent(event);
  }
};

TEST_F(ViewerDetailsTest, EachCommandDrawsTheViewOnce) {
  AddModel("legs");
  scene.currentModel = 0;
  desktop->RefreshPanel();
  const std::function<void()> commands[] = {[&] { Click(bar->ButtonFor(cmd::kToggleModelVisible)); },
                                            [&] { DispatchCommand(ws(), cmd::kNextFrame); },
                                            [&] { Pick(bar->modelList, 0); }};
  for (const auto& run : commands) {
    testing::PumpEvents(std::chrono::milliseconds(100));
    const long before = frame->renderView->FramesDrawn();
    run();
    testing::PumpEvents(std::chrono::milliseconds(200));  // any paint the command caused has come by now
    EXPECT_EQ(frame->renderView->FramesDrawn() - before, 1);
  }
}

TEST_F(ViewerDetailsTest, DialogsOpenWithTheFirstFieldSelectedSoTypingReplacesIt) {
  AddModel("legs");
  AddLight("Key");
  scene.currentModel = scene.currentLight = 0;
  const std::tuple<int, int, std::string> dialogs[] = {
      {cmd::kBackgroundColor, 1003, "0"}, {cmd::kOffsets, 1010, "0"}, {cmd::kLightProperties, 1024, "Key"}};
  for (const auto& [command, first, text] : dialogs) {
    const std::string shown = text;
    std::pair<long, long> selected{-1, -1};
    wxString typed;
    RunModal(command, [&](wxDialog& dialog) {
      dialog.Raise();  // keys go to the window with the input focus
      wxTextCtrl* field = Field(dialog, first);
      // The focus may reach the field (GTK's own choice) a moment before the dialog selects
      // its text; what is typed afterwards is the real test.
      Until([field] { return wxWindow::FindFocus() == field && field->HasSelection(); }, [&, field] {
        field->GetSelection(&selected.first, &selected.second);
        wxUIActionSimulator().Text("5");
        Until([field, shown] { return field->GetValue() != shown; }, [&, field] {
          typed = field->GetValue();
          dialog.EndModal(wxID_CANCEL);
        });
      });
    });
    EXPECT_EQ(selected, std::make_pair(0L, static_cast<long>(shown.size()))) << command;
    EXPECT_EQ(typed, "5") << command << ": typing replaces the selected text";
  }
}

TEST_F(ViewerDetailsTest, ALightNameThatIsNotUtf8ShowsAsLatin1AndKeepsItsBytesUnlessEdited) {
  ModelRecord& model = AddModel("legs");
  LightRecord& light = AddLight("Caf\xe9 \xb0");  // Latin-1 "Café °", not valid UTF-8
  model.modelLights = {{&light, 1}};
  model.currentModelLight = scene.currentModel = scene.currentLight = 0;
  desktop->RefreshPanel();
  const wxString shown = wxString::FromUTF8("Caf\u00e9 \u00b0");
  EXPECT_EQ(std::make_pair(bar->globalLightList->GetString(0), bar->modelLightList->GetString(0)),
            std::make_pair(shown, shown));
  for (const std::string added : {"", "!"}) {
    RunModal(cmd::kLightProperties, [&](wxDialog& dialog) {
      EXPECT_EQ(Field(dialog, 1024)->GetValue(), shown);
      Field(dialog, 1024)->AppendText(added);
      Click(dialog.FindWindow(wxID_OK));
    });
    // OK with the name as shown keeps the file's bytes; an edited name is stored as UTF-8.
    EXPECT_EQ(light.name, added.empty() ? "Caf\xe9 \xb0" : "Caf\xc3\xa9 \xc2\xb0!");
    light.name = "Caf\xe9 \xb0";
  }
}

TEST_F(ViewerDetailsTest, WhileAMenuIsOpenTheMouseDoesNothingToTheView) {
  // The click that picks an item and the release that closes the menu may both reach the
  // view when the menu lies over it.
  Menu(wxEVT_MENU_OPEN);
  Mouse(wxEVT_LEFT_DOWN, 100, 100, true);
  Mouse(wxEVT_MOTION, 160, 100, true);
  Menu(wxEVT_MENU_CLOSE);
  Mouse(wxEVT_LEFT_UP, 160, 100, false);
  Mouse(wxEVT_MOTION, 200, 100, false);
  EXPECT_EQ(std::make_tuple(trackball.dragMode, trackball.spinActive, frame->renderView->HasCapture()),
            std::make_tuple(DragMode::Idle, 0, false));
  // A drag under way when a menu opens ends there (Shift held: a zoom).
  Mouse(wxEVT_LEFT_DOWN, 100, 100, true, true);
  ASSERT_EQ(trackball.dragMode, DragMode::ZoomDrag);
  Menu(wxEVT_MENU_OPEN);
  EXPECT_EQ(std::make_pair(trackball.dragMode, frame->renderView->HasCapture()), std::make_pair(DragMode::Idle, false));
  Menu(wxEVT_MENU_CLOSE);
}

// Work that needs the view's GL context waits for it: under a window manager the window
// reaches the screen some time after Show, and texture objects asked for before that would
// never exist (the models of the command line were drawn untextured).
TEST(ContextReady, JobsWaitForTheContextAndThenMakeRealTextures) {
  Scene scene;
  TrackballState trackball;
  auto* frame = new MainFrame(scene, trackball, std::make_unique<testing::GuiTestDesktop>());
  std::vector<std::uint32_t> made;
  frame->renderView->CallWhenReady([&] { made.push_back(frame->workspace().textures.CreateTexture()); });
  testing::PumpEvents();
  EXPECT_TRUE(made.empty()) << "ran before the window was on screen";

  frame->Show();
  ASSERT_TRUE(testing::PumpUntil([&] { return !made.empty(); }));
  EXPECT_NE(made[0], 0u);
  // Once the context exists a job runs on the next pass of the event loop.
  frame->renderView->CallWhenReady([&] { made.push_back(frame->workspace().textures.CreateTexture()); });
  ASSERT_TRUE(testing::PumpUntil([&] { return made.size() == 2; }));
  EXPECT_NE(made[1], 0u);
  EXPECT_NE(made[1], made[0]);
  frame->workspace().textures.DeleteTexture(made[0]);
  frame->workspace().textures.DeleteTexture(made[1]);
  frame->Destroy();
  testing::PumpEvents(std::chrono::milliseconds(50));
}

// Run with GDK_SCALE=2 (its own CTest entry): windows and the mouse keep their logical
// sizes, and GL draws into the device pixels, twice as many each way, so the scene fills
// the view instead of its lower-left quarter.
using HiDpi = testing::GuiTest;

TEST_F(HiDpi, TheViewportCoversTheViewInDevicePixels) {
  RenderView* view = frame->renderView;
  ASSERT_EQ(view->GetContentScaleFactor(), 2.0) << "this test runs with GDK_SCALE=2";
  for (const wxSize size : {wxSize(0, 0), wxSize(460, 300)}) {
    if (size.x > 0) frame->SetClientSize(size);
    testing::PumpEvents();
    ASSERT_TRUE(view->MakeContextCurrent());
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const wxSize client = view->GetClientSize();
    EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 2 * client.x, 2 * client.y})) << client.x << "x" << client.y;
  }
}

}  // namespace
}  // namespace tessary
