// "Light Properties": the name, position, direction and the red, green and blue parts of
// the ambient, diffuse and specular colours of one light, with OK, Cancel and Apply. Only
// those parts change; w, alpha, attenuation, spot values and the switch stay as they are.
#pragma once

#include "app/Workspace.h"
#include "ui/FormDialog.h"

namespace tessary {

class LightPropertiesDialog : public FormDialog {
 public:
  LightPropertiesDialog(wxWindow* parent, Workspace& ws, LightRecord& light);

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void OnApply(wxCommandEvent& event);

  Workspace& ws_;
  LightRecord& light_;
  wxString shownName_;  // the name as the field showed it when the light was last read or written
};

}  // namespace tessary
