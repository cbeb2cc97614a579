// "Model Offsets": the position, rotation and scale triples of one model in nine number
// fields, with OK, Cancel and Apply. Apply writes the values and redraws while the dialog
// stays open; Cancel afterwards keeps what Apply wrote.
#pragma once

#include "app/Workspace.h"
#include "ui/FormDialog.h"

namespace tessary {

class ModelOffsetsDialog : public FormDialog {
 public:
  ModelOffsetsDialog(wxWindow* parent, Workspace& ws, ModelRecord& model);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void OnApply(wxCommandEvent& event);

  Workspace& ws_;
  ModelRecord& model_;
};

}  // namespace tessary
