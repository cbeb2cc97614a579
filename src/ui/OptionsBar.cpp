// The options bar panel.
#include "ui/OptionsBar.h"

#include <wx/dcclient.h>
#include <wx/settings.h>

#include "app/CommandIds.h"

namespace tessary {

OptionsBar::OptionsBar(wxWindow* parent)
    : wxPanel(parent, cmd::ToWxId(cmd::kOptionsBarId), wxDefaultPosition, wxSize(200, 384),
              wxBORDER_NONE | wxCLIP_CHILDREN | wxTAB_TRAVERSAL, "Options Bar") {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
  Bind(wxEVT_PAINT, &OptionsBar::OnPaint, this);
}

void OptionsBar::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.Clear();
}

}  // namespace tessary
