// The options bar: the fixed 200-pixel panel at the right of the main window.
#pragma once

#include <wx/panel.h>

namespace tessary {

class OptionsBar : public wxPanel {
 public:
  explicit OptionsBar(wxWindow* parent);

 private:
  void OnPaint(wxPaintEvent& event);
};

}  // namespace tessary
