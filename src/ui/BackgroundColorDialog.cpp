// The Background Color dialog.
#include "ui/BackgroundColorDialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "ui/BackgroundColorForm.h"

namespace tessary {

BackgroundColorDialog::BackgroundColorDialog(wxWindow* parent, Workspace& ws)
    : FormDialog(parent, "Background Color", wxSize(168, 39), ws.desktop), ws_(ws), rgb_(ws.scene.backgroundColor) {
  // Creation order is the tab order: OK, Cancel, the three fields, Apply.
  AddButton(wxID_OK, "OK", 17, 21, 47, 14)->SetDefault();
  AddButton(wxID_CANCEL, "Cancel", 67, 21, 47, 14);
  AddLabel("Background Color", 4, 8, 58, 8);
  AddField(background::kRedId, 68, 4, 32, 14);
  AddField(background::kGreenId, 100, 4, 32, 14);
  AddField(background::kBlueId, 132, 4, 32, 14);
  AddButton(wxID_APPLY, "Apply", 117, 21, 47, 14);
  Bind(wxEVT_BUTTON, &BackgroundColorDialog::OnApply, this, wxID_APPLY);
}

bool BackgroundColorDialog::TransferDataToWindow() {
  ShowFieldTexts(background::Fields(rgb_));
  return true;
}

bool BackgroundColorDialog::TransferDataFromWindow() {
  if (!StoreFields(background::Fields(rgb_))) return false;
  ws_.scene.backgroundColor = rgb_;
  return true;
}

void BackgroundColorDialog::OnApply(wxCommandEvent&) {
  // The view shows the new colour behind the dialog.
  if (TransferDataFromWindow()) ws_.desktop.RequestSceneRedraw();
}

}  // namespace tessary
