// For GUI tests: the real wx desktop with its modal parts scripted, and a fixture with a
// real main window. Messages are recorded instead of shown; open- and save-file dialogs and
// the picture size are recorded and answered from queues (Cancel when empty); the modal
// dialogs are recorded, and run for real when a test asks; repaints are counted on their
// way. (No GUI test picks a folder, so that dialog is left as it is.)
#pragma once

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/dialog.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "app/MainFrame.h"
#include "app/WxDesktop.h"
#include "render/RenderView.h"
#include "support/GuiSupport.h"
#include "ui/OptionsBar.h"

namespace tessary::testing {

class GuiTestDesktop : public WxDesktop {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  std::optional<FileChoice> ChooseFileToOpen(const std::string& filter, const std::string&) override {
    return Answer("open " + filter);
  }
  std::optional<FileChoice> ChooseFileToSave(const std::string& filter, const std::string&) override {
    return Answer("save " + filter);
  }
  std::optional<PictureSize> AskPictureSize(int viewWidth, int viewHeight) override {
    dialogs.push_back("picture size " + std::to_string(viewWidth) + "x" + std::to_string(viewHeight));
    return pictureSize;
  }
  std::optional<PlayerChoice> ChoosePlayer(const std::vector<PlayerOffer>&) override {
    dialogs.push_back("players");
    return player;
  }
  void RepaintView() override { ++repaints; WxDesktop::RepaintView(); }
  void RunTagLinkageDialog() override { if (Run("linkage")) WxDesktop::RunTagLinkageDialog(); }
  void RunModelOffsetsDialog(ModelRecord& m) override { if (Run("offsets")) WxDesktop::RunModelOffsetsDialog(m); }
  void RunLightPropertiesDialog(LightRecord& l) override { if (Run("props")) WxDesktop::RunLightPropertiesDialog(l); }
  void RunBackgroundColorDialog() override { if (Run("background")) WxDesktop::RunBackgroundColorDialog(); }
  void RunAboutBox() override { if (Run("about")) WxDesktop::RunAboutBox(); }

  bool runRealDialogs = false;
  std::deque<std::string> answers;              // for the file dialogs, in order
  std::optional<PictureSize> pictureSize;       // the answer to every picture size question
  std::optional<PlayerChoice> player;           // the answer to every player dialog
  std::vector<std::string> messages;
  std::vector<std::string> dialogs;  // the open-file and modal dialogs asked for, in order
  int repaints = 0;

 private:
  std::optional<FileChoice> Answer(const std::string& dialog) {
    dialogs.push_back(dialog);
    if (answers.empty()) return std::nullopt;
    const FileChoice choice{answers.front(), 1};
    answers.pop_front();
    return choice;
  }
  bool Run(const char* dialog) {
    dialogs.push_back(dialog);
    return runRealDialogs;
  }
};

// A real main window with the scripted desktop, shown at the top left of the screen.
class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto owned = std::make_unique<GuiTestDesktop>();
    desktop = owned.get();
    frame = new MainFrame(scene, trackball, std::move(owned));
    frame->SetPosition(wxPoint(0, 0));
    frame->Show();
    bar = frame->optionsBar;
    ASSERT_TRUE(PumpUntil([&] { return frame->renderView->FramesDrawn() > 0; }));
  }
  void TearDown() override {
    if (frame != nullptr) frame->Destroy();
    PumpEvents(std::chrono::milliseconds(50));
  }
  Workspace& ws() { return frame->workspace(); }

  // A model with the given tags and three frames (no geometry), appended to the scene.
  ModelRecord& AddModel(const std::string& name, const std::vector<std::string>& tags = {}) {
    auto model = std::make_unique<ModelRecord>();
    model->name = name;
    model->tagNames = tags;
    for (int f = 0; f < 3; ++f) {
      model->frames.push_back(std::make_unique<FrameRecord>());
      model->frames.back()->tags.assign(tags.size(), TagRecord::Identity());
    }
    scene.models.push_back(std::move(model));
    return *scene.models.back();
  }
  LightRecord& AddLight(const std::string& name) {
    scene.lights.push_back(std::make_unique<LightRecord>());
    scene.lights.back()->name = name;
    return *scene.lights.back();
  }
  // An image that only carries a file name (no texture object), put into a map slot.
  static void PutMap(ModelRecord& model, MapSlot slot, const std::string& fileName) {
    model.MapImage(slot) = std::make_unique<ImageRGBA>();
    model.MapImage(slot)->fileName = fileName;
  }
  // What a click on a button sends, and what a user's pick of a row in a list sends.
  static void Click(wxWindow* button) { Send(button, wxEVT_BUTTON, 0); }
  template <typename List>
  static void Pick(List* list, int row) {
    list->SetSelection(row);
    Send(list, std::is_same_v<List, wxListBox> ? wxEVT_LISTBOX : wxEVT_CHOICE, row);
  }
  static void Send(wxWindow* control, wxEventType type, int row) {
    wxCommandEvent event(type, control->GetId());
    event.SetEventObject(control);
    event.SetInt(row);
    control->ProcessWindowEvent(event);
  }
  // A list's rows as "row,row,", and a button's caption.
  static std::string Rows(const wxItemContainerImmutable* list) {
    std::string rows;
    for (unsigned i = 0; i < list->GetCount(); ++i) rows += list->GetString(i).utf8_string() + ",";
    return rows;
  }
  std::string Caption(int command) { return bar->ButtonFor(command)->GetLabel().utf8_string(); }
  wxMenuItem* Item(int command) { return frame->GetMenuBar()->FindItem(cmd::ToWxId(command)); }
  // A mouse event as the render view receives it, at (x, y) of its client area.
  void Mouse(wxEventType type, int x, int y, bool left, bool shift = false) {
    wxMouseEvent event(type);
    event.SetEventObject(frame->renderView);
    std::tie(event.m_x, event.m_y) = std::make_pair(x, y);
    event.m_leftDown = left;
    event.m_shiftDown = shift;
    frame->renderView->GetEventHandler()->ProcessEvent(event);
  }
  static wxTextCtrl* Field(wxWindow& dialog, int id) { return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); }
  // Runs command with the real dialogs and script on its modal dialog once that is up; the
  // script ends the dialog.
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
  // What wx does as a menu of the menu bar opens: the update-UI pass over its items.
  void OpenMenu(const char* title) {
    wxMenu* menu = frame->GetMenuBar()->GetMenu(static_cast<std::size_t>(frame->GetMenuBar()->FindMenu(title)));
    wxMenuEvent open(wxEVT_MENU_OPEN, 0, menu);
    open.SetEventObject(menu);
    frame->ProcessWindowEvent(open);
  }

  // Saves DIR/name.png when TESSARY_SCREENSHOT_DIR names a folder, for a person to look
  // at what the tests showed; never part of what a test asserts.
  static void ScreenshotIfAsked(const std::string& name) {
    const char* folder = std::getenv("TESSARY_SCREENSHOT_DIR");
    if (folder != nullptr && *folder != '\0') SaveScreenshot(std::string(folder) + "/" + name + ".png");
  }

  Scene scene;
  TrackballState trackball;
  GuiTestDesktop* desktop = nullptr;
  MainFrame* frame = nullptr;
  OptionsBar* bar = nullptr;

 private:
  std::vector<std::unique_ptr<wxTimer>> timers_;
};

}  // namespace tessary::testing
