// "Background Color": the red, green and blue parts of the colour every frame is cleared
// to, with OK, Cancel and Apply. Any decimal number is taken; OpenGL clamps it when drawing.
#pragma once

#include <array>

#include "app/Workspace.h"
#include "ui/FormDialog.h"

namespace tessary {

class BackgroundColorDialog : public FormDialog {
 public:
  BackgroundColorDialog(wxWindow* parent, Workspace& ws);

  bool TransferDataToWindow() override;
  // Reads the three fields and, when all hold numbers, stores them as the background colour.
  bool TransferDataFromWindow() override;

 private:
  void OnApply(wxCommandEvent& event);

  Workspace& ws_;
  std::array<float, 3> rgb_;  // red, green, blue as last read
};

}  // namespace tessary
