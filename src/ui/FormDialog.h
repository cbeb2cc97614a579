// The common ground of the viewer's dialogs: geometry given in dialog units (so a dialog
// scales with the GUI font), labels, fields and buttons placed from those units, and the
// exchange of number fields with the refusal of a field that holds no number.
#pragma once

#include <wx/dialog.h>

#include <vector>

#include "app/Desktop.h"
#include "ui/FieldExchange.h"

class wxButton;
class wxStaticText;
class wxTextCtrl;

namespace tessary {

class FormDialog : public wxDialog {
 public:
  // The text shown when a number field holds something else.
  static constexpr const char* kNotANumber = "Please enter a number.";

 protected:
  // sizeInDialogUnits: the client area.
  FormDialog(wxWindow* parent, const wxString& title, wxSize sizeInDialogUnits, Desktop& desktop);

  // A rectangle in dialog units converted to pixels.
  wxRect DialogRect(int x, int y, int width, int height) const;
  wxStaticText* AddLabel(const wxString& text, int x, int y, int width, int height, long style = 0);
  wxTextCtrl* AddField(int id, int x, int y, int width, int height, long style = 0);
  wxButton* AddButton(int id, const wxString& caption, int x, int y, int width, int height);

  // Loading direction: every field shows its value.
  void ShowFieldTexts(const std::vector<FloatBinding>& fields);
  // Saving direction: writes every value when every field holds a number. Otherwise writes
  // nothing, tells the user and puts the focus into the first refused field.
  bool StoreFields(const std::vector<FloatBinding>& fields);

  // Escape and Enter close a dialog that has no OK or Cancel button.
  void CloseOnEscapeAndEnter();

  // Puts the focus into the first field added and selects all its text.
  void SelectFirstField();

  Desktop& desktop_;

 private:
  wxTextCtrl* firstField_ = nullptr;
};

}  // namespace tessary
