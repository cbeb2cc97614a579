// The dialogs as real windows: fields shown from the scene, Apply writing at once, Cancel
// keeping what Apply wrote, refusal of fields that hold no number, the linkage lists, the
// About box, and the modal route from a menu command through the desktop.
#include <gtest/gtest.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>

#include "app/CommandIds.h"
#include "app/CommandTable.h"
#include "light/LightPropertiesDialog.h"
#include "link/ModelOffsetsDialog.h"
#include "link/TagLinkageDialog.h"
#include "render/RenderView.h"
#include "support/GuiSupport.h"
#include "ui/AboutBox.h"
#include "ui/BackgroundColorDialog.h"
#include "ui/GuiTestDesktop.h"
#include "ui/OptionsBar.h"

namespace tessary {
namespace {

using testing::PumpEvents;
using testing::PumpUntil;
using Rows = std::vector<std::string>;

class DialogTest : public ::testing::Test {
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
  Workspace& ws() { return frame->workspace(); }

  // Shows a dialog without a modal loop, as ShowModal would fill it.
  void Open(wxDialog& dialog) {
    dialog.SetPosition(wxPoint(40, 420));
    dialog.Show();
    dialog.TransferDataToWindow();
    PumpEvents(std::chrono::milliseconds(100));
  }
  static wxTextCtrl* Field(wxDialog& dialog, int id) { return dynamic_cast<wxTextCtrl*>(dialog.FindWindow(id)); }
  static std::string Text(wxDialog& dialog, int id) { return Field(dialog, id)->GetValue().utf8_string(); }
  static void Type(wxDialog& dialog, int id, const char* text) { Field(dialog, id)->SetValue(text); }
  static void Press(wxDialog& dialog, int buttonId) {
    wxWindow* button = dialog.FindWindow(buttonId);
    ASSERT_NE(button, nullptr);
    wxCommandEvent click(wxEVT_BUTTON, buttonId);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
  }
  static void PressKey(wxDialog& dialog, int keyCode) {
    wxKeyEvent key(wxEVT_CHAR_HOOK);
    key.m_keyCode = keyCode;
    key.SetEventObject(&dialog);
    dialog.ProcessWindowEvent(key);
  }
  static void Pick(wxListBox* list, int row) {
    list->SetSelection(row);
    wxCommandEvent pick(wxEVT_LISTBOX, list->GetId());
    pick.SetEventObject(list);
    pick.SetInt(row);
    list->ProcessWindowEvent(pick);
  }
  static Rows RowsOf(const wxListBox* list) {
    Rows rows;
    for (unsigned i = 0; i < list->GetCount(); ++i) rows.push_back(list->GetString(i).utf8_string());
    return rows;
  }
  // Runs script on the modal dialog once it is up; the script must end the modal loop.
  void WhenModal(std::function<void(wxDialog&)> script, int attempts = 200) {
    frame->CallAfter([this, script, attempts] {
      for (wxWindow* window : wxTopLevelWindows) {
        auto* dialog = dynamic_cast<wxDialog*>(window);
        if (dialog != nullptr && dialog->IsModal()) {
          script(*dialog);
          return;
        }
      }
      if (attempts > 0) WhenModal(script, attempts - 1);
    });
  }

  Scene scene;
  TrackballState trackball;
  testing::GuiTestDesktop* desktop = nullptr;
  MainFrame* frame = nullptr;
};

TEST_F(DialogTest, OffsetsApplyWritesAtOnceAndCancelKeepsIt) {
  ModelRecord& model = testing::AddTestModel(scene, "torso");
  model.offsetPosition = {1.5f, 0.0f, -2.0f};
  ModelOffsetsDialog dialog(frame, ws(), model);
  Open(dialog);
  EXPECT_EQ(dialog.GetTitle(), "Model Offsets");
  EXPECT_EQ(Text(dialog, 1010), "1.5");
  EXPECT_EQ(Text(dialog, 1012), "-2");
  EXPECT_EQ(Text(dialog, 1014), "0");
  EXPECT_EQ(Text(dialog, 1017), "1");
  testing::ScreenshotIfAsked("dialog-model-offsets");

  for (int id : {1016, 1017, 1018}) Type(dialog, id, "2");
  Type(dialog, 1013, " 90 ");
  const int redraws = desktop->sceneRedraws;
  const int refreshes = desktop->panelRefreshes;
  Press(dialog, wxID_APPLY);
  EXPECT_EQ(model.offsetScale, (Vec3f{2, 2, 2}));
  EXPECT_EQ(model.offsetRotation, (Vec3f{90, 0, 0}));
  EXPECT_EQ(desktop->sceneRedraws, redraws + 1);
  EXPECT_EQ(desktop->panelRefreshes, refreshes + 1);
  EXPECT_TRUE(dialog.IsShown());

  Type(dialog, 1010, "7");
  Press(dialog, wxID_CANCEL);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(model.offsetScale, (Vec3f{2, 2, 2}));
  EXPECT_EQ(model.offsetPosition[0], 1.5f);  // typed but never applied

  // The rotation typed earlier is shown again next time.
  ModelOffsetsDialog again(frame, ws(), model);
  Open(again);
  EXPECT_EQ(Text(again, 1013), "90");
}

TEST_F(DialogTest, OffsetsRefuseLettersAndWriteNothing) {
  ModelRecord& model = testing::AddTestModel(scene, "torso");
  ModelOffsetsDialog dialog(frame, ws(), model);
  Open(dialog);
  Type(dialog, 1010, "5");
  Type(dialog, 1011, "five");
  Press(dialog, wxID_APPLY);
  EXPECT_EQ(desktop->messages, Rows{"Please enter a number."});
  EXPECT_EQ(model.offsetPosition, (Vec3f{0, 0, 0}));
  EXPECT_TRUE(PumpUntil([&] { return wxWindow::FindFocus() == Field(dialog, 1011); }));

  Press(dialog, wxID_OK);  // refused again: the dialog stays
  EXPECT_TRUE(dialog.IsShown());
  EXPECT_EQ(desktop->messages.size(), 2u);
  EXPECT_EQ(model.offsetPosition, (Vec3f{0, 0, 0}));

  Type(dialog, 1011, "6");
  Press(dialog, wxID_OK);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(model.offsetPosition, (Vec3f{5, 6, 0}));
}

TEST_F(DialogTest, LightPropertiesApplyRenamesInBothLists) {
  ModelRecord& model = testing::AddTestModel(scene, "torso");
  LightRecord& light = testing::AddTestLight(scene, "Key Light");
  model.modelLights.push_back({&light, 1});
  model.currentModelLight = 0;
  scene.currentModel = 0;
  scene.currentLight = 0;
  desktop->RefreshPanel();

  LightPropertiesDialog dialog(frame, ws(), light);
  Open(dialog);
  EXPECT_EQ(dialog.GetTitle(), "Light Properties");
  EXPECT_EQ(Text(dialog, 1024), "Key Light");
  EXPECT_EQ(Text(dialog, 1000), "150");
  EXPECT_EQ(Text(dialog, 1006), "-1");
  EXPECT_EQ(Text(dialog, 1013), "0.25");
  testing::ScreenshotIfAsked("dialog-light-properties");

  Type(dialog, 1024, "Rim");
  Type(dialog, 1010, "0.5");  // diffuse red
  Type(dialog, 1002, "20");   // position z
  Press(dialog, wxID_APPLY);
  EXPECT_EQ(light.name, "Rim");
  EXPECT_EQ(light.diffuse, (std::array<float, 4>{0.5f, 1, 1, 1}));
  EXPECT_EQ(light.position, (std::array<float, 4>{150, 150, 20, 0}));
  OptionsBar* bar = frame->optionsBar;
  EXPECT_EQ(bar->globalLightList->GetString(0), "Rim");
  EXPECT_EQ(bar->modelLightList->GetString(0), "Rim");

  Type(dialog, 1024, "Other");
  Press(dialog, wxID_CANCEL);
  EXPECT_EQ(light.name, "Rim");
}

TEST_F(DialogTest, LightPropertiesRefuseLettersAndKeepTheName) {
  LightRecord& light = testing::AddTestLight(scene, "Key Light");
  LightPropertiesDialog dialog(frame, ws(), light);
  Open(dialog);
  Type(dialog, 1024, "Renamed");
  Type(dialog, 1007, "1");
  Type(dialog, 1015, "lots");
  Press(dialog, wxID_OK);
  EXPECT_TRUE(dialog.IsShown());
  EXPECT_EQ(desktop->messages, Rows{"Please enter a number."});
  EXPECT_EQ(light.name, "Key Light");
  EXPECT_EQ(light.ambient[0], 1.0f);
  EXPECT_EQ(light.specular[2], 0.25f);
  Press(dialog, wxID_CANCEL);
}

TEST_F(DialogTest, BackgroundColorTakesAnyDecimalAndShowsItAgain) {
  BackgroundColorDialog dialog(frame, ws());
  Open(dialog);
  EXPECT_EQ(dialog.GetTitle(), "Background Color");
  // Red, green, blue from left to right.
  const int redX = Field(dialog, 1003)->GetPosition().x;
  const int greenX = Field(dialog, 1002)->GetPosition().x;
  const int blueX = Field(dialog, 1001)->GetPosition().x;
  EXPECT_LT(redX, greenX);
  EXPECT_LT(greenX, blueX);
  EXPECT_EQ(Text(dialog, 1003), "0");
  testing::ScreenshotIfAsked("dialog-background-color");

  Type(dialog, 1003, "2");
  Type(dialog, 1002, "-1");
  Type(dialog, 1001, "0.5");
  const int redraws = desktop->sceneRedraws;
  Press(dialog, wxID_APPLY);
  EXPECT_EQ(scene.backgroundColor, (std::array<float, 3>{2.0f, -1.0f, 0.5f}));
  EXPECT_EQ(desktop->sceneRedraws, redraws + 1);
  Type(dialog, 1003, "0");
  Press(dialog, wxID_CANCEL);
  EXPECT_EQ(scene.backgroundColor, (std::array<float, 3>{2.0f, -1.0f, 0.5f}));

  BackgroundColorDialog again(frame, ws());
  Open(again);
  EXPECT_EQ(Text(again, 1003), "2");
  EXPECT_EQ(Text(again, 1002), "-1");
  EXPECT_EQ(Text(again, 1001), "0.5");
  Type(again, 1002, "green");
  Press(again, wxID_OK);
  EXPECT_TRUE(again.IsShown());
  EXPECT_EQ(desktop->messages, Rows{"Please enter a number."});
  EXPECT_EQ(scene.backgroundColor, (std::array<float, 3>{2.0f, -1.0f, 0.5f}));
  Press(again, wxID_CANCEL);
}

TEST_F(DialogTest, TagLinkageLinksAHeadUnderATorso) {
  ModelRecord& torso = testing::AddTestModel(scene, "torso", {"tag_legs", "tag_head"});
  ModelRecord& head = testing::AddTestModel(scene, "head", {"tag_head"});
  scene.currentModel = 1;
  TagLinkageDialog dialog(frame, ws());
  Open(dialog);
  EXPECT_EQ(dialog.GetTitle(), "Tag Linkage Setup");
  EXPECT_EQ(RowsOf(dialog.modelList), (Rows{"torso", "head"}));
  EXPECT_EQ(dialog.modelList->GetSelection(), 0);  // the first model, not the current one
  EXPECT_EQ(RowsOf(dialog.pivotList), (Rows{"No Pivot", "tag_legs", "tag_head"}));
  EXPECT_EQ(RowsOf(dialog.parentList), (Rows{"No Parent", "head"}));

  Pick(dialog.modelList, 1);
  EXPECT_EQ(RowsOf(dialog.pivotList), (Rows{"No Pivot", "tag_head"}));
  EXPECT_EQ(RowsOf(dialog.parentList), (Rows{"No Parent", "torso"}));
  Pick(dialog.pivotList, 1);
  Pick(dialog.parentList, 1);
  EXPECT_EQ(RowsOf(dialog.anchorList), (Rows{"No Anchor", "tag_legs", "tag_head"}));
  const int redraws = desktop->sceneRedraws;
  Pick(dialog.anchorList, 2);
  EXPECT_EQ(desktop->sceneRedraws, redraws + 1);
  testing::ScreenshotIfAsked("dialog-tag-linkage");

  EXPECT_EQ(head.pivotTag, 0);
  EXPECT_EQ(head.parentIndex, 0);
  EXPECT_EQ(head.anchorTag, 1);
  ASSERT_EQ(torso.children.size(), 1u);
  EXPECT_EQ(torso.children[0], &head);
  EXPECT_EQ(dialog.anchorList->GetSelection(), 2);

  // Escape closes it and keeps every link.
  PressKey(dialog, WXK_ESCAPE);
  EXPECT_FALSE(dialog.IsShown());
  EXPECT_EQ(head.parentIndex, 0);
  EXPECT_EQ(head.anchorTag, 1);
}

TEST_F(DialogTest, AboutBoxShowsItsPictureAndTwoLines) {
  AboutBox box(frame, *desktop);
  Open(box);
  EXPECT_EQ(box.GetTitle(), "About Corvane's Tessary");
  wxStaticBitmap* picture = nullptr;
  std::vector<wxString> lines;
  for (wxWindow* child : box.GetChildren()) {
    if (auto* bitmap = dynamic_cast<wxStaticBitmap*>(child)) picture = bitmap;
    if (auto* text = dynamic_cast<wxStaticText*>(child)) lines.push_back(text->GetLabel());
  }
  ASSERT_NE(picture, nullptr);
  ASSERT_TRUE(picture->GetBitmap().IsOk());
  EXPECT_EQ(picture->GetBitmap().GetSize(), wxSize(216, 79));
  EXPECT_EQ(lines, (std::vector<wxString>{AboutBox::kFirstLine, AboutBox::kSecondLine}));
  // The picture and the text column do not overlap.
  EXPECT_LE(picture->GetRect().GetRight(), wxWindow::FindWindowByLabel(AboutBox::kFirstLine, &box)->GetRect().GetLeft());
  testing::ScreenshotIfAsked("dialog-about");
  PressKey(box, WXK_RETURN);
  EXPECT_FALSE(box.IsShown());
}

TEST_F(DialogTest, MenuCommandsRunTheRealModalDialogs) {
  desktop->runRealDialogs = true;
  WhenModal([](wxDialog& dialog) {
    Type(dialog, 1003, "0.25");
    Press(dialog, wxID_OK);
  });
  DispatchCommand(ws(), cmd::kBackgroundColor);
  EXPECT_EQ(scene.backgroundColor, (std::array<float, 3>{0.25f, 0.0f, 0.0f}));

  ModelRecord& model = testing::AddTestModel(scene, "torso");
  scene.currentModel = 0;
  WhenModal([](wxDialog& dialog) {
    Type(dialog, 1018, "3");
    Press(dialog, wxID_CANCEL);
  });
  DispatchCommand(ws(), cmd::kOffsets);
  EXPECT_EQ(model.offsetScale, (Vec3f{1, 1, 1}));

  WhenModal([](wxDialog& dialog) { PressKey(dialog, WXK_ESCAPE); });
  DispatchCommand(ws(), cmd::kAppAbout);
  WhenModal([](wxDialog& dialog) { PressKey(dialog, WXK_RETURN); });
  DispatchCommand(ws(), cmd::kModelLinks);
  EXPECT_EQ(desktop->dialogs, (Rows{"background", "offsets", "about", "linkage"}));
}

}  // namespace
}  // namespace tessary
