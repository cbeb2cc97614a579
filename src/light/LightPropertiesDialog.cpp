// The Light Properties dialog.
#include "light/LightPropertiesDialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "light/LightPropertiesForm.h"
#include "ui/DisplayText.h"

namespace tessary {

LightPropertiesDialog::LightPropertiesDialog(wxWindow* parent, Workspace& ws, LightRecord& light)
    : FormDialog(parent, "Light Properties", wxSize(156, 119), ws.desktop), ws_(ws), light_(light) {
  AddLabel("Name", 4, 6, 23, 8);
  AddField(lightprops::kNameId, 28, 4, 124, 14);
  struct Row {
    const char* label;
    const int* ids;
  };
  const Row rows[5] = {{"Position", lightprops::kPositionIds},
                       {"Direction", lightprops::kDirectionIds},
                       {"Ambient Color", lightprops::kAmbientIds},
                       {"Diffuse Color", lightprops::kDiffuseIds},
                       {"Specular Color", lightprops::kSpecularIds}};
  for (int row = 0; row < 5; ++row) {
    const int y = 20 + row * 16;
    AddLabel(rows[row].label, 4, y + 3, 50, 8);
    for (int i = 0; i < 3; ++i) AddField(rows[row].ids[i], 55 + i * 32, y, 32, 14);
  }
  AddButton(wxID_OK, "OK", 5, 101, 47, 14)->SetDefault();
  AddButton(wxID_CANCEL, "Cancel", 55, 101, 47, 14);
  AddButton(wxID_APPLY, "Apply", 105, 101, 47, 14);
  Bind(wxEVT_BUTTON, &LightPropertiesDialog::OnApply, this, wxID_APPLY);
}

bool LightPropertiesDialog::TransferDataToWindow() {
  ShowFieldTexts(lightprops::NumberFields(light_));
  shownName_ = DisplayText(light_.name);
  if (auto* name = dynamic_cast<wxTextCtrl*>(FindWindow(lightprops::kNameId))) name->ChangeValue(shownName_);
  return true;
}

bool LightPropertiesDialog::TransferDataFromWindow() {
  // The name comes last and only when every number was taken. A name the user left as it
  // was shown keeps its own bytes (which need not be UTF-8); an edited one is stored as
  // UTF-8.
  if (!StoreFields(lightprops::NumberFields(light_))) return false;
  auto* name = dynamic_cast<wxTextCtrl*>(FindWindow(lightprops::kNameId));
  if (name != nullptr && name->GetValue() != shownName_) {
    light_.name = name->GetValue().utf8_string();
    shownName_ = name->GetValue();
  }
  return true;
}

void LightPropertiesDialog::OnApply(wxCommandEvent&) {
  if (!TransferDataFromWindow()) return;
  // The panel is refreshed too, so that a new name shows in both light lists at once.
  ws_.SceneChanged();
}

}  // namespace tessary
