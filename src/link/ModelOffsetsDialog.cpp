// The Model Offsets dialog.
#include "link/ModelOffsetsDialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "link/ModelOffsetsForm.h"

namespace tessary {

ModelOffsetsDialog::ModelOffsetsDialog(wxWindow* parent, Workspace& ws, ModelRecord& model)
    : FormDialog(parent, "Model Offsets", wxSize(191, 65), ws.desktop), ws_(ws), model_(model) {
  static const char* const kRowLabels[3] = {"Position:", "Rotation:", "Scale:"};
  static const int kColumnX[3] = {37, 87, 137};
  for (int row = 0; row < 3; ++row) {
    const int y = 4 + row * 14;
    AddLabel(kRowLabels[row], 4, y + 2, 32, 8);
    for (int axis = 0; axis < 3; ++axis)
      AddField(offsets::kFirstFieldId + row * 3 + axis, kColumnX[axis], y, 50, 12, wxTE_RIGHT);
  }
  AddButton(wxID_OK, "OK", 33, 47, 50, 14)->SetDefault();
  AddButton(wxID_CANCEL, "Cancel", 85, 47, 50, 14);
  AddButton(wxID_APPLY, "Apply", 137, 47, 50, 14);
  Bind(wxEVT_BUTTON, &ModelOffsetsDialog::OnApply, this, wxID_APPLY);
}

bool ModelOffsetsDialog::TransferDataToWindow() {
  ShowFieldTexts(offsets::Fields(model_));
  return true;
}

bool ModelOffsetsDialog::TransferDataFromWindow() { return StoreFields(offsets::Fields(model_)); }

void ModelOffsetsDialog::OnApply(wxCommandEvent&) {
  TransferDataFromWindow();
  // The model moves at once; after a refused field this only repaints what was there.
  ws_.SceneChanged();
}

}  // namespace tessary
