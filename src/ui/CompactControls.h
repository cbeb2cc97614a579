// Buttons and text fields that fit the small fixed sizes of the options bar and of the
// dialogs laid out in dialog units. GTK themes give buttons and entries generous padding
// and minimum sizes (Adwaita: 34 pixels tall); a 20-pixel button would clip its caption.
// These controls drop the padding and minimums so the caption or text uses the space given.
#pragma once

#include <wx/button.h>
#include <wx/textctrl.h>

namespace tessary {

class CompactButton : public wxButton {
 public:
  CompactButton(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = 0)
      : wxButton(parent, id, caption, pos, size, style | wxBU_EXACTFIT) {
#ifdef __WXGTK3__
    GTKApplyCssStyle("* { min-width: 0; min-height: 0; padding: 0 2px; }");
#endif
  }
};

class CompactTextCtrl : public wxTextCtrl {
 public:
  CompactTextCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                  const wxSize& size = wxDefaultSize, long style = 0)
      : wxTextCtrl(parent, id, wxEmptyString, pos, size, style) {
#ifdef __WXGTK3__
    GTKApplyCssStyle("* { min-height: 0; padding-top: 0; padding-bottom: 0; }");
#endif
  }
};

}  // namespace tessary
