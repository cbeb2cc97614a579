// The dialogs as real windows, for what only a window shows: the modal route from a menu
// command, the texts a dialog opens with, Apply writing at once, Cancel keeping what Apply
// wrote, where the colour fields sit, and the About box. Which value each field edits, and
// which field a refusal points at, is DialogFieldsTest's.
#include <gtest/gtest.h>

#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <functional>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "ui/AboutBox.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

class DialogTest : public testing::GuiTest {
 protected:
  // Shows a dialog without a modal loop, filled as ShowModal would fill it.
  static void Open(wxDialog& dialog) {
    dialog.SetPosition(wxPoint(40, 420));
    dialog.Show();
    dialog.TransferDataToWindow();
    testing::PumpEvents(std::chrono::milliseconds(100));
  }
  static wxTextCtrl* Field(wxWindow& dialog, int id) { return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); }
  static void Type(wxWindow& dialog, int id, const std::string& text) { Field(dialog, id)->SetValue(text); }
  static void Press(wxWindow& dialog, int button) { Click(dialog.FindWindow(button)); }
  static void PressKey(wxDialog& dialog, int keyCode) {
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = keyCode;
    key.SetEventObject(&dialog);
    dialog.ProcessWindowEvent(key);
  }
  // Runs script on the modal dialog once it is up; the script must end the modal loop.
  void WhenModal(std::function<void(wxDialog&)> script, int attempts = 200) {
    frame->CallAfter([this, script, attempts] {
      for (wxWindow* window : wxTopLevelWindows)
        if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog != nullptr && dialog->IsModal()) return script(*dialog);
      if (attempts > 0) WhenModal(script, attempts - 1);
    });
  }
};

TEST_F(DialogTest, MenuCommandsRunTheRealModalDialogsAndTheAboutBoxShowsItsPicture) {
  desktop->runRealDialogs = true;
  WhenModal([](wxDialog& dialog) {
    // Left to right the fields read red, green, blue.
    EXPECT_LT(Field(dialog, 1003)->GetPosition().x, Field(dialog, 1002)->GetPosition().x);
    EXPECT_LT(Field(dialog, 1002)->GetPosition().x, Field(dialog, 1001)->GetPosition().x);
    Type(dialog, 1003, "0.25");
    Type(dialog, 1002, "0.5");
    Press(dialog, wxID_OK);
  });
  DispatchCommand(ws(), cmd::kBackgroundColor);
  EXPECT_EQ(scene.backgroundColor, (std::array<float, 3>{0.25f, 0.5f, 0.0f}));
  // Apply writes at once and leaves the dialog open; Cancel keeps what Apply wrote.
  ModelRecord& model = AddModel("torso");
  scene.currentModel = 0;
  WhenModal([&model](wxDialog& dialog) {
    EXPECT_EQ(Field(dialog, 1016)->GetValue(), "1");
    Type(dialog, 1018, "3");
    Press(dialog, wxID_APPLY);
    EXPECT_EQ(model.offsetScale, (Vec3f{1, 1, 3}));
    Type(dialog, 1018, "4");
    Press(dialog, wxID_CANCEL);
  });
  DispatchCommand(ws(), cmd::kOffsets);
  EXPECT_EQ(model.offsetScale, (Vec3f{1, 1, 3}));
  // A light renamed with Apply shows its new name in both light lists at once.
  LightRecord& light = AddLight("Key Light");
  std::tie(model.modelLights, model.currentModelLight, scene.currentLight) = std::make_tuple(std::vector<ModelLightRef>{{&light, 1}}, 0, 0);
  WhenModal([this](wxDialog& dialog) {
    EXPECT_EQ(Field(dialog, 1024)->GetValue() + " " + Field(dialog, 1002)->GetValue(), "Key Light 150");
    Type(dialog, 1024, "Rim");
    Press(dialog, wxID_APPLY);
    EXPECT_EQ(Rows(bar->globalLightList) + Rows(bar->modelLightList), "Rim,Rim,");
    Press(dialog, wxID_CANCEL);
  });
  DispatchCommand(ws(), cmd::kLightProperties);
  WhenModal([](wxDialog& dialog) { PressKey(dialog, WXK_RETURN); });
  DispatchCommand(ws(), cmd::kModelLinks);
  WhenModal([](wxDialog& dialog) { PressKey(dialog, WXK_ESCAPE); });
  DispatchCommand(ws(), cmd::kAppAbout);
  EXPECT_EQ(desktop->dialogs, (std::vector<std::string>{"background", "offsets", "props", "linkage", "about"}));

  AboutBox box(frame, *desktop);
  Open(box);
  std::vector<wxString> parts;
  for (wxWindow* child : box.GetChildren()) {
    if (auto* picture = dynamic_cast<wxStaticBitmap*>(child))
      parts.push_back(wxString::Format("%dx%d", picture->GetBitmap().GetWidth(), picture->GetBitmap().GetHeight()));
    if (auto* text = dynamic_cast<wxStaticText*>(child)) parts.push_back(text->GetLabel());
  }
  EXPECT_EQ(parts, (std::vector<wxString>{"216x79", AboutBox::kFirstLine, AboutBox::kSecondLine}));
  ScreenshotIfAsked("dialog-about");
  PressKey(box, WXK_RETURN);
  EXPECT_FALSE(box.IsShown());
}

}  // namespace
}  // namespace tessary
