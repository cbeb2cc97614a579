// Dialog-unit layout and number-field exchange shared by the dialogs.
#include "ui/FormDialog.h"

#include <wx/stattext.h>

#include "ui/CompactControls.h"

namespace tessary {

FormDialog::FormDialog(wxWindow* parent, const wxString& title, wxSize sizeInDialogUnits, Desktop& desktop)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX),
      desktop_(desktop) {
  SetClientSize(ConvertDialogToPixels(sizeInDialogUnits));
  // The dialog opens with the first field's text selected, so that what the user types
  // replaces it. The focus is given once the window is up: GTK would otherwise settle it
  // on a button (or put the cursor after the text) as the window maps.
  Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& event) {
    event.Skip();
    CallAfter([this] { SelectFirstField(); });
  });
}

void FormDialog::SelectFirstField() {
  if (firstField_ == nullptr) return;
  firstField_->SetFocus();
  firstField_->SelectAll();
}

wxRect FormDialog::DialogRect(int x, int y, int width, int height) const {
  return wxRect(ConvertDialogToPixels(wxPoint(x, y)), ConvertDialogToPixels(wxSize(width, height)));
}

wxStaticText* FormDialog::AddLabel(const wxString& text, int x, int y, int width, int height, long style) {
  const wxRect r = DialogRect(x, y, width, height);
  return new wxStaticText(this, wxID_ANY, text, r.GetPosition(), r.GetSize(), style | wxST_NO_AUTORESIZE);
}

wxTextCtrl* FormDialog::AddField(int id, int x, int y, int width, int height, long style) {
  const wxRect r = DialogRect(x, y, width, height);
  auto* field = new CompactTextCtrl(this, id, r.GetPosition(), r.GetSize(), style);
  if (firstField_ == nullptr) firstField_ = field;
  return field;
}

wxButton* FormDialog::AddButton(int id, const wxString& caption, int x, int y, int width, int height) {
  const wxRect r = DialogRect(x, y, width, height);
  return new CompactButton(this, id, caption, r.GetPosition(), r.GetSize());
}

void FormDialog::ShowFieldTexts(const std::vector<FloatBinding>& fields) {
  for (const auto& [id, text] : FieldTexts(fields)) {
    if (auto* field = dynamic_cast<wxTextCtrl*>(FindWindow(id))) field->ChangeValue(wxString::FromUTF8(text));
  }
}

bool FormDialog::StoreFields(const std::vector<FloatBinding>& fields) {
  const std::optional<int> refused = StoreFieldTexts(fields, [this](int id) {
    auto* field = dynamic_cast<wxTextCtrl*>(FindWindow(id));
    return field != nullptr ? field->GetValue().utf8_string() : std::string();
  });
  if (!refused) return true;
  desktop_.ShowMessage(kNotANumber);
  if (auto* field = dynamic_cast<wxTextCtrl*>(FindWindow(*refused))) {
    field->SetFocus();
    field->SelectAll();
  }
  return false;
}

void FormDialog::CloseOnEscapeAndEnter() {
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
      case WXK_ESCAPE:
      case WXK_RETURN:
      case WXK_NUMPAD_ENTER:
        if (IsModal()) {
          EndModal(wxID_CANCEL);
        } else {
          Close();
        }
        break;
      default:
        event.Skip();
        break;
    }
  });
}

}  // namespace tessary
