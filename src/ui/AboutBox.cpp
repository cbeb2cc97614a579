// The About box, with its picture read from the PNG bytes built into the program.
#include "ui/AboutBox.h"

#include <wx/image.h>
#include <wx/mstream.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "AboutPicture.h"

namespace tessary {

namespace {

wxBitmap AboutPicture() {
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) wxImage::AddHandler(new wxPNGHandler);
  wxMemoryInputStream stream(kAboutPicturePng, sizeof kAboutPicturePng);
  wxImage image(stream, wxBITMAP_TYPE_PNG);
  return image.IsOk() ? wxBitmap(image) : wxBitmap();
}

}  // namespace

AboutBox::AboutBox(wxWindow* parent, Desktop& desktop)
    : FormDialog(parent, "About Corvane's Tessary", wxSize(248, 54), desktop) {
  const wxBitmap picture = AboutPicture();
  // The picture keeps its own size; the sunken edge goes around it.
  auto* frame = new wxStaticBitmap(this, wxID_ANY, picture, ConvertDialogToPixels(wxPoint(2, 2)), wxDefaultSize,
                                   wxBORDER_SUNKEN);
  frame->SetClientSize(picture.IsOk() ? picture.GetSize() : wxSize(216, 79));
  AddLabel(kFirstLine, 153, 16, 87, 8, wxALIGN_CENTRE_HORIZONTAL);
  AddLabel(kSecondLine, 153, 28, 87, 8, wxALIGN_CENTRE_HORIZONTAL);
  CloseOnEscapeAndEnter();
}

}  // namespace tessary
