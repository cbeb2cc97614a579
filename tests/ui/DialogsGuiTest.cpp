// The dialogs as real windows: the fields each one shows and writes, Apply writing at once,
// Cancel keeping what Apply wrote, refusal of fields that hold no number, the linkage
// lists, the About box, and the modal route from a menu command through the desktop.
#include <gtest/gtest.h>

#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <functional>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "light/LightPropertiesDialog.h"
#include "link/ModelOffsetsDialog.h"
#include "link/TagLinkageDialog.h"
#include "ui/AboutBox.h"
#include "ui/BackgroundColorDialog.h"
#include "ui/GuiTestDesktop.h"

namespace tessary {
namespace {

using Strings = std::vector<std::string>;
using Color = std::array<float, 3>;
using Four = std::array<float, 4>;

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
  // The texts of the fields first to last (but skip), each followed by a blank.
  static std::string Texts(wxWindow& dialog, int first, int last, int skip = 0) {
    std::string texts;
    for (int id = first; id <= last; ++id)
      if (id != skip) texts += Field(dialog, id)->GetValue().utf8_string() + " ";
    return texts;
  }
  // Refused with the message, and the focus goes to the field.
  void ExpectRefusal(wxWindow* field) {
    EXPECT_EQ(desktop->messages, Strings{"Please enter a number."});
    EXPECT_TRUE(testing::PumpUntil([&] { return wxWindow::FindFocus() == field; }));
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

TEST_F(DialogTest, LightPropertiesApplyWritesEveryFieldAtOnceAndCancelKeepsIt) {
  ModelRecord& model = AddModel("torso");
  LightRecord& light = AddLight("Key Light");
  model.modelLights = {{&light, 1}};
  model.currentModelLight = 0;
  scene.currentModel = 0;
  scene.currentLight = 0;
  desktop->RefreshPanel();
  LightPropertiesDialog dialog(frame, ws(), light);
  Open(dialog);
  EXPECT_EQ(Field(dialog, 1024)->GetValue(), "Key Light");
  EXPECT_EQ(Texts(dialog, 1000, 1015, 1003), "150 150 150 -1 -1 -1 1 1 1 1 1 1 0.25 0.25 0.25 ");
  ScreenshotIfAsked("dialog-light-properties");
  for (int id = 1000; id <= 1015; ++id)
    if (id != 1003) Type(dialog, id, std::to_string(id - 1000) + ".5");
  Type(dialog, 1024, "Rim");
  Press(dialog, wxID_APPLY);
  EXPECT_TRUE(dialog.IsShown());
  EXPECT_EQ(light.position, (Four{0.5f, 1.5f, 2.5f, 0}));
  EXPECT_EQ(light.direction, (Four{4.5f, 5.5f, 6.5f, 0}));
  EXPECT_EQ(light.ambient, (Four{7.5f, 8.5f, 9.5f, 1}));
  EXPECT_EQ(light.diffuse, (Four{10.5f, 11.5f, 12.5f, 1}));
  EXPECT_EQ(light.specular, (Four{13.5f, 14.5f, 15.5f, 1}));
  EXPECT_EQ(Rows(bar->globalLightList) + Rows(bar->modelLightList), "Rim,Rim,") << "renamed in both lists";

  // Letters write nothing, not even the name; the first field refused in exchange order
  // (ambient blue comes before position x) gets the focus.
  Type(dialog, 1000, "x");
  Type(dialog, 1009, "nine");
  Type(dialog, 1010, "3");
  Type(dialog, 1024, "Other");
  Press(dialog, wxID_OK);
  EXPECT_TRUE(dialog.IsShown());
  ExpectRefusal(Field(dialog, 1009));
  Press(dialog, wxID_CANCEL);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(light.diffuse[0], 10.5f);
  EXPECT_EQ(light.name, "Rim");
}

TEST_F(DialogTest, OffsetsApplyWritesAtOnceRefusesLettersAndCancelKeepsWhatApplyWrote) {
  ModelRecord& model = AddModel("torso");
  model.offsetPosition = {1.5f, 0.0f, -2.0f};
  ModelOffsetsDialog dialog(frame, ws(), model);
  Open(dialog);
  EXPECT_EQ(Texts(dialog, 1010, 1018), "1.5 0 -2 0 0 0 1 1 1 ");
  ScreenshotIfAsked("dialog-model-offsets");
  for (int id = 1010; id <= 1018; ++id) Type(dialog, id, std::to_string(id - 1000));
  Press(dialog, wxID_APPLY);
  EXPECT_EQ(model.offsetPosition, (Vec3f{10, 11, 12}));
  EXPECT_EQ(model.offsetRotation, (Vec3f{13, 14, 15}));
  EXPECT_EQ(model.offsetScale, (Vec3f{16, 17, 18}));
  EXPECT_EQ(desktop->redraws, 1);
  EXPECT_EQ(desktop->refreshes, 1);
  Type(dialog, 1010, "5");
  Type(dialog, 1011, "five");
  Press(dialog, wxID_APPLY);
  ExpectRefusal(Field(dialog, 1011));
  Press(dialog, wxID_CANCEL);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(model.offsetPosition, (Vec3f{10, 11, 12}));
  ModelOffsetsDialog again(frame, ws(), model);
  Open(again);
  EXPECT_EQ(Texts(again, 1010, 1018), "10 11 12 13 14 15 16 17 18 ");
}

TEST_F(DialogTest, BackgroundColorReadsRedGreenBlueFromLeftToRightAndShowsThemAgain) {
  BackgroundColorDialog dialog(frame, ws());
  Open(dialog);
  EXPECT_LT(Field(dialog, 1003)->GetPosition().x, Field(dialog, 1002)->GetPosition().x);
  EXPECT_LT(Field(dialog, 1002)->GetPosition().x, Field(dialog, 1001)->GetPosition().x);
  ScreenshotIfAsked("dialog-background-color");
  Type(dialog, 1003, "2");
  Type(dialog, 1002, "-1");
  Type(dialog, 1001, "0.5");
  Press(dialog, wxID_APPLY);
  EXPECT_EQ(scene.backgroundColor, (Color{2.0f, -1.0f, 0.5f}));
  EXPECT_EQ(desktop->redraws, 1);
  Type(dialog, 1003, "0");
  Press(dialog, wxID_CANCEL);
  BackgroundColorDialog again(frame, ws());
  Open(again);
  EXPECT_EQ(Texts(again, 1001, 1003), "0.5 -1 2 ");
  Type(again, 1002, "green");
  Press(again, wxID_OK);
  EXPECT_TRUE(again.IsShown());
  ExpectRefusal(Field(again, 1002));
  EXPECT_EQ(scene.backgroundColor, (Color{2.0f, -1.0f, 0.5f}));
  Press(again, wxID_CANCEL);
}

TEST_F(DialogTest, TagLinkageLinksAHeadUnderATorso) {
  ModelRecord& torso = AddModel("torso", {"tag_legs", "tag_head"});
  ModelRecord& head = AddModel("head", {"tag_head"});
  scene.currentModel = 1;
  TagLinkageDialog dialog(frame, ws());
  Open(dialog);
  auto lists = [&] {
    return Rows(dialog.modelList) + std::to_string(dialog.modelList->GetSelection()) + " " + Rows(dialog.pivotList) +
           " " + Rows(dialog.parentList) + " " + Rows(dialog.anchorList);
  };
  EXPECT_EQ(lists(), "torso,head,0 No Pivot,tag_legs,tag_head, No Parent,head, No Anchor,") << "the first model is chosen";
  Pick(dialog.modelList, 1);
  Pick(dialog.pivotList, 1);
  Pick(dialog.parentList, 1);
  EXPECT_EQ(lists(), "torso,head,1 No Pivot,tag_head, No Parent,torso, No Anchor,tag_legs,tag_head,");
  const int redraws = desktop->redraws;
  Pick(dialog.anchorList, 2);
  EXPECT_EQ(desktop->redraws, redraws + 1);
  ScreenshotIfAsked("dialog-tag-linkage");
  EXPECT_EQ(head.pivotTag, 0);
  EXPECT_EQ(head.parentIndex, 0);
  EXPECT_EQ(head.anchorTag, 1);
  EXPECT_EQ(torso.children, std::vector<ModelRecord*>{&head});
  PressKey(dialog, WXK_ESCAPE);  // closes it and keeps every link
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(head.parentIndex, 0);
}

TEST_F(DialogTest, MenuCommandsRunTheRealModalDialogsAndTheAboutBoxShowsItsPicture) {
  desktop->runRealDialogs = true;
  WhenModal([](wxDialog& dialog) {
    Type(dialog, 1003, "0.25");
    Press(dialog, wxID_OK);
  });
  DispatchCommand(ws(), cmd::kBackgroundColor);
  EXPECT_EQ(scene.backgroundColor, (Color{0.25f, 0.0f, 0.0f}));
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
  EXPECT_EQ(desktop->dialogs, (Strings{"background", "offsets", "linkage", "about"}));

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
