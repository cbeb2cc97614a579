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

class ViewerDetailsTest : public testing::GuiTest {
 protected:
  // Runs script on the modal dialog of command once it is up; the script ends the dialog.
  void RunModal(int command, std::function<void(wxDialog&)> script) {
    desktop->runRealDialogs = true;
    Until([] { return FindModal() != nullptr; }, [script] { script(*FindModal()); });
    DispatchCommand(ws(), command);
  }
  static wxDialog* FindModal() {
    for (wxWindow* window : wxTopLevelWindows)
      if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog != nullptr && dialog->IsModal()) return dialog;
    return nullptr;
  }
  // Inside a modal loop: runs then() once done() holds (or after two seconds), looking every
  // 10 ms so that the loop handles input in between.
  void Until(std::function<bool()> done, std::function<void()> then, int attempts = 200) {
    if (done() || attempts == 0) return then();
    wxTimer& timer = *timers_.emplace_back(std::make_unique<wxTimer>());
    timer.Bind(wxEVT_TIMER, [this, done, then, attempts](wxTimerEvent&) { Until(done, then, attempts - 1); });
    timer.StartOnce(10);
  }
  static wxTextCtrl* Field(wxWindow& dialog, int id) { return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); }
  void Mouse(wxEventType type, int x, bool left) {
    wxMouseEvent event(type);
    std::tie(event.m_x, event.m_y) = std::make_pair(x, 100);
    event.m_leftDown = left;
    frame->renderView->GetEventHandler()->ProcessEvent(event);
  }
  void Menu(wxEventType type) {
    wxMenuEvent event(type, 0, frame->GetMenuBar()->GetMenu(1));
    frame->ProcessWindowEvent(event);
  }
  std::vector<std::unique_ptr<wxTimer>> timers_;
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
  Mouse(wxEVT_LEFT_DOWN, 100, true);
  Mouse(wxEVT_MOTION, 160, true);
  Menu(wxEVT_MENU_CLOSE);
  Mouse(wxEVT_LEFT_UP, 160, false);
  Mouse(wxEVT_MOTION, 200, false);
  EXPECT_EQ(std::make_tuple(trackball.dragMode, trackball.spinActive, frame->renderView->HasCapture()),
            std::make_tuple(DragMode::Idle, 0, false));
  // A drag under way when a menu opens ends there.
  Mouse(wxEVT_LEFT_DOWN, 100, true);
  ASSERT_EQ(trackball.dragMode, DragMode::SpinDrag);
  Menu(wxEVT_MENU_OPEN);
  EXPECT_EQ(std::make_pair(trackball.dragMode, frame->renderView->HasCapture()), std::make_pair(DragMode::Idle, false));
  Menu(wxEVT_MENU_CLOSE);
}

}  // namespace
}  // namespace tessary
