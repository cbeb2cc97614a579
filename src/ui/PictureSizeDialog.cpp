// The Picture Size dialog.
#include "ui/PictureSizeDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>

#include <algorithm>

namespace tessary {

PictureSizeDialog::PictureSizeDialog(wxWindow* parent, int viewWidth, int viewHeight)
    : wxDialog(parent, wxID_ANY, "Picture Size") {
  auto clamp = [](int side) { return std::clamp(side, 1, kLargestPictureSide); };
  width_ = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1,
                          kLargestPictureSide, clamp(viewWidth));
  height_ = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 1,
                           kLargestPictureSide, clamp(viewHeight));
  width_->SetToolTip("Width of the picture in pixels");
  height_->SetToolTip("Height of the picture in pixels");

  auto* fields = new wxFlexGridSizer(2, wxSize(8, 6));
  fields->Add(new wxStaticText(this, wxID_ANY, "Width"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(width_);
  fields->Add(new wxStaticText(this, wxID_ANY, "Height"), 0, wxALIGN_CENTER_VERTICAL);
  fields->Add(height_);

  auto* column = new wxBoxSizer(wxVERTICAL);
  const wxString note = wxString::Format("The view is %d x %d pixels; a picture may be up to %d x %d.", viewWidth,
                                         viewHeight, kLargestPictureSide, kLargestPictureSide);
  column->Add(new wxStaticText(this, wxID_ANY, note), 0, wxALL, 10);
  column->Add(fields, 0, wxLEFT | wxRIGHT, 10);
  column->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
  SetSizerAndFit(column);
  if (auto* ok = FindWindow(wxID_OK)) ok->SetFocus();
}

int PictureSizeDialog::PictureWidth() const { return width_->GetValue(); }
int PictureSizeDialog::PictureHeight() const { return height_->GetValue(); }

}  // namespace tessary
