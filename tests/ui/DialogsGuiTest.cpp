// The dialogs as real windows, for what only a window shows: the texts they open with,
// Apply writing at once, Cancel keeping what Apply wrote, a refusal giving the field the
// focus, where the colour fields sit, the linkage lists, the About box, and the modal route
// from a menu command. Which value each field edits is DialogFieldsTest's.
#include <gtest/gtest.h>

#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <functional>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "light/LightPropertiesDialog.h"
#include "link/TagLinkageDialog.h"
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

TEST_F(DialogTest, LightPropertiesApplyWritesAtOnceARefusalTakesTheFocusAndCancelKeepsWhatApplyWrote) {
  ModelRecord& model = AddModel("torso");
  LightRecord& light = AddLight("Key Light");
  model.modelLights = {{&light, 1}};
  std::tie(model.currentModelLight, scene.currentModel, scene.currentLight) = std::make_tuple(0, 0, 0);
  desktop->RefreshPanel();
  LightPropertiesDialog dialog(frame, ws(), light);
  Open(dialog);
  EXPECT_EQ(Field(dialog, 1024)->GetValue() + " " + Field(dialog, 1002)->GetValue() + " " + Field(dialog, 1013)->GetValue(),
            "Key Light 150 0.25");
  ScreenshotIfAsked("dialog-light-properties");
  Type(dialog, 1010, "0.5");
  Type(dialog, 1024, "Rim");
  Press(dialog, wxID_APPLY);
  EXPECT_TRUE(dialog.IsShown());
  EXPECT_EQ(light.diffuse[0], 0.5f);
  EXPECT_EQ(Rows(bar->globalLightList) + Rows(bar->modelLightList), "Rim,Rim,") << "renamed in both lists";

  Type(dialog, 1010, "3");
  Type(dialog, 1009, "nine");
  Type(dialog, 1024, "Other");
  Press(dialog, wxID_OK);
  EXPECT_TRUE(dialog.IsShown());
  EXPECT_EQ(desktop->messages, std::vector<std::string>{"Please enter a number."});
  EXPECT_TRUE(testing::PumpUntil([&] { return wxWindow::FindFocus() == Field(dialog, 1009); }));
  Press(dialog, wxID_CANCEL);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(std::make_pair(light.diffuse[0], light.name), std::make_pair(0.5f, std::string("Rim")));
}

TEST_F(DialogTest, TagLinkageListsFollowEveryPickAndEscapeKeepsTheLinks) {
  ModelRecord& torso = AddModel("torso", {"tag_legs", "tag_head"});
  ModelRecord& head = AddModel("head", {"tag_head"});
  scene.currentModel = 1;
  TagLinkageDialog dialog(frame, ws());
  Open(dialog);
  auto lists = [&] {
    return Rows(dialog.modelList) + std::to_string(dialog.modelList->GetSelection()) + " " + Rows(dialog.pivotList) +
           " " + Rows(dialog.parentList) + " " + Rows(dialog.anchorList);
  };
  EXPECT_EQ(lists(), "torso,head,0 No Pivot,tag_legs,tag_head, No Parent,head, No Anchor,");
  for (wxListBox* list : {dialog.modelList, dialog.pivotList, dialog.parentList}) Pick(list, 1);
  EXPECT_EQ(lists(), "torso,head,1 No Pivot,tag_head, No Parent,torso, No Anchor,tag_legs,tag_head,");
  Pick(dialog.anchorList, 2);
  ScreenshotIfAsked("dialog-tag-linkage");
  EXPECT_EQ(std::make_tuple(head.pivotTag, head.parentIndex, head.anchorTag), std::make_tuple(0, 0, 1));
  EXPECT_EQ(torso.children, std::vector<ModelRecord*>{&head});
  PressKey(dialog, WXK_ESCAPE);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(head.parentIndex, 0);
}

TEST_F(DialogTest, MenuCommandsRunTheRealModalDialogsAndTheAboutBoxShowsItsPicture) {
  desktop->runRealDialogs = true;
  WhenModal([](wxDialog& dialog) {
    // Left to right the fields read red, green, blue.
    EXPECT_LT(Field(dialog, 1003)->GetPosition().x, Field(dialog, 1002)->GetPosition().x);
    EXPECT_LT(Field(dialog, 1002)->GetPosition().x, Field(dialog, 1001)->GetPosition().x);
    Type(dialog, 1003, "0.25");
    Press(dialog, wxID_OK);
  });
  DispatchCommand(ws(), cmd::kBackgroundColor);
  EXPECT_EQ(scene.backgroundColor, (std::array<float, 3>{0.25f, 0.0f, 0.0f}));
  ModelRecord& model = AddModel("torso");
  scene.currentModel = 0;
  WhenModal([](wxDialog& dialog) {
    Type(dialog, 1018, "3");
    Press(dialog, wxID_CANCEL);
  });
  DispatchCommand(ws(), cmd::kOffsets);
  EXPECT_EQ(model.offsetScale, (Vec3f{1, 1, 1}));
  WhenModal([](wxDialog& dialog) { PressKey(dialog, WXK_RETURN); });
  DispatchCommand(ws(), cmd::kModelLinks);
  WhenModal([](wxDialog& dialog) { PressKey(dialog, WXK_ESCAPE); });
  DispatchCommand(ws(), cmd::kAppAbout);
  EXPECT_EQ(desktop->dialogs, (std::vector<std::string>{"background", "offsets", "linkage", "about"}));

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
