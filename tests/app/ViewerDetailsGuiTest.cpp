// Details a person notices in the real viewer: a command draws the view once, a dialog
// opens with its first field selected so typing replaces it, light names that are not
// UTF-8 show as Latin-1 and keep their bytes, and the mouse does nothing to the view while
// a menu is open over it.
#include <gtest/gtest.h>

#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using testing::PumpEvents;
using testing::PumpUntil;

class ViewerDetailsTest : public testing::GuiTest {
 protected:
  // Runs script on the modal dialog once it is up; the script must end the modal loop.
  void WhenModal(std::function<void(wxDialog&)> script, int attempts = 200) {
    frame->CallAfter([this, script, attempts] {
      for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog != nullptr && dialog->IsModal()) return script(*dialog);
      if (attempts > 0) WhenModal(script, attempts - 1);
    });
  }
  // Inside a modal loop: runs then() once done() holds (or after about two seconds),
  // looking every 10 ms so that the loop handles input in between.
  void Until(std::function<bool()> done, std::function<void()> then, int attempts = 200) {
    if (done() || attempts == 0) return then();
    wxTimer& timer = *timers_.emplace_back(std::make_unique<wxTimer>());
    timer.Bind(wxEVT_TIMER, [this, done, then, attempts](wxTimerEvent&) { Until(done, then, attempts - 1); });
    timer.StartOnce(10);
  }
  std::vector<std::unique_ptr<wxTimer>> timers_;
  static wxTextCtrl* Field(wxWindow& dialog, int id) { return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); }
  void SendMouse(wxEventType type, int x, int y, bool left) {
    wxMouseEvent event(type);
    event.SetEventObject(frame->renderView);
    event.m_x = x;
    event.m_y = y;
    event.m_leftDown = left;
    frame->renderView->GetEventHandler()->ProcessEvent(event);
  }
  void SendMenu(wxEventType type) {
    wxMenu* menu = frame->GetMenuBar()->GetMenu(1);
    wxMenuEvent event(type, 0, menu);
    event.SetEventObject(menu);
    frame->ProcessWindowEvent(event);
  }
};

TEST_F(ViewerDetailsTest, EachCommandDrawsTheViewOnce) {
  AddModel("legs");
  scene.currentModel = 0;
  desktop->RefreshPanel();
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"the visibility button", [&] { Click(bar->ButtonFor(cmd::kToggleModelVisible)); }},
      {"the next-frame key", [&] { DispatchCommand(ws(), cmd::kNextFrame); }},
      {"a new light", [&] { Click(bar->ButtonFor(cmd::kAddLight)); }},
      {"a pick in the model list", [&] { Pick(bar->modelList, 0); }},
  };
  for (const auto& [what, run] : commands) {
    PumpEvents(std::chrono::milliseconds(100));
    const long before = frame->renderView->FramesDrawn();
    run();
    PumpEvents(std::chrono::milliseconds(200));  // any paint the command caused has come by now
    EXPECT_EQ(frame->renderView->FramesDrawn() - before, 1) << what;
  }
}

TEST_F(ViewerDetailsTest, DialogsOpenWithTheFirstFieldSelectedSoTypingReplacesIt) {
  AddModel("legs");
  scene.currentModel = 0;
  AddLight("Key");
  scene.currentLight = 0;
  desktop->runRealDialogs = true;
  frame->Raise();
  const struct {
    int command, firstField;
    std::string shown;
  } dialogs[] = {{cmd::kBackgroundColor, 1003, "0"}, {cmd::kOffsets, 1010, "0"}, {cmd::kLightProperties, 1024, "Key"}};
  for (const auto& d : dialogs) {
    wxTextCtrl* field = nullptr;
    bool focused = false;
    std::pair<long, long> selected{-1, -1};
    WhenModal([&](wxDialog& dialog) {
      dialog.Raise();  // the keys go to the window with the input focus
      field = Field(dialog, d.firstField);
      Until([&] { return wxWindow::FindFocus() == field; }, [&] {
        focused = wxWindow::FindFocus() == field;
        field->GetSelection(&selected.first, &selected.second);
        EXPECT_EQ(field->GetValue().utf8_string(), d.shown) << d.command;
        wxUIActionSimulator().Text("5");
        Until([&] { return field->GetValue() == "5"; }, [&] {
          EXPECT_EQ(field->GetValue(), "5") << d.command << ": typing replaces the selected text";
          dialog.EndModal(wxID_CANCEL);
        });
      });
    });
    DispatchCommand(ws(), d.command);
    EXPECT_TRUE(focused) << d.command;
    EXPECT_EQ(selected, std::make_pair(0L, static_cast<long>(d.shown.size()))) << d.command;
  }
}

TEST_F(ViewerDetailsTest, ALightNameThatIsNotUtf8ShowsAsLatin1AndKeepsItsBytesUnlessEdited) {
  ModelRecord& model = AddModel("legs");
  LightRecord& light = AddLight("Caf\xe9 \xb0");  // Latin-1 "Café °", not valid UTF-8
  model.modelLights = {{&light, 1}};
  model.currentModelLight = 0;
  scene.currentModel = 0;
  scene.currentLight = 0;
  desktop->RefreshPanel();
  const wxString shown = wxString::FromUTF8("Caf\u00e9 \u00b0");
  EXPECT_EQ(bar->globalLightList->GetString(0), shown);
  EXPECT_EQ(bar->modelLightList->GetString(0), shown);

  desktop->runRealDialogs = true;
  for (const std::string typed : {"", "!"}) {
    WhenModal([&](wxDialog& dialog) {
      EXPECT_EQ(Field(dialog, 1024)->GetValue(), shown);
      if (!typed.empty()) Field(dialog, 1024)->AppendText(typed);
      Click(dialog.FindWindow(wxID_OK));
    });
    DispatchCommand(ws(), cmd::kLightProperties);
    // OK with the name as shown keeps the file's bytes; an edited name is stored as UTF-8.
    EXPECT_EQ(light.name, typed.empty() ? "Caf\xe9 \xb0" : "Caf\xc3\xa9 \xc2\xb0!");
  }
}

TEST_F(ViewerDetailsTest, WhileAMenuIsOpenTheMouseDoesNothingToTheView) {
  const TrackballState before = trackball;
  SendMenu(wxEVT_MENU_OPEN);
  // The click that picks an item and the release that closes the menu may both reach the
  // view when the menu lies over it.
  SendMouse(wxEVT_LEFT_DOWN, 100, 100, true);
  SendMouse(wxEVT_MOTION, 160, 120, true);
  SendMenu(wxEVT_MENU_CLOSE);
  SendMouse(wxEVT_LEFT_UP, 160, 120, false);
  SendMouse(wxEVT_MOTION, 200, 150, false);
  PumpEvents(std::chrono::milliseconds(100));
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_EQ(trackball.spinActive, 0);
  EXPECT_EQ(trackball.rotation, before.rotation);
  EXPECT_FALSE(frame->renderView->HasCapture());

  // A drag under way when a menu opens ends there; after it closes, drags work again.
  SendMouse(wxEVT_LEFT_DOWN, 100, 100, true);
  ASSERT_EQ(trackball.dragMode, DragMode::SpinDrag);
  SendMenu(wxEVT_MENU_OPEN);
  EXPECT_EQ(trackball.dragMode, DragMode::Idle);
  EXPECT_FALSE(frame->renderView->HasCapture());
  SendMenu(wxEVT_MENU_CLOSE);
  SendMouse(wxEVT_LEFT_DOWN, 100, 100, true);
  SendMouse(wxEVT_MOTION, 120, 100, true);
  SendMouse(wxEVT_LEFT_UP, 120, 100, false);
  EXPECT_EQ(trackball.spinActive, 1);
  SendMouse(wxEVT_LEFT_DOWN, 120, 100, true);  // stops the spin again
  SendMouse(wxEVT_LEFT_UP, 120, 100, false);
}

}  // namespace
}  // namespace tessary
