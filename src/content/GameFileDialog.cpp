// The game path dialog.
#include "content/GameFileDialog.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "content/GameModelList.h"

namespace tessary {

GameFileDialog::GameFileDialog(wxWindow* parent, const std::string& title, std::vector<std::string> paths)
    : wxDialog(parent, wxID_ANY, wxString::FromUTF8(title), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      paths_(std::move(paths)) {
  auto* column = new wxBoxSizer(wxVERTICAL);
  filterBox = new wxTextCtrl(this, wxID_ANY);
  filterBox->SetHint("Filter");
  list = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(480, 360), 0, nullptr, wxLB_SINGLE);
  column->Add(filterBox, 0, wxEXPAND | wxALL, 8);
  column->Add(list, 1, wxEXPAND | wxLEFT | wxRIGHT, 8);
  column->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
  SetSizerAndFit(column);

  filterBox->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ShowMatches(); });
  list->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
    if (list->GetSelection() != wxNOT_FOUND) EndModal(wxID_OK);
  });
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(list->GetSelection() != wxNOT_FOUND); },
       wxID_OK);
  ShowMatches();
  filterBox->SetFocus();
}

void GameFileDialog::ShowMatches() {
  shown_ = FilterGamePaths(paths_, filterBox->GetValue().utf8_string());
  wxArrayString rows;
  rows.reserve(shown_.size());
  for (const std::string& path : shown_) rows.Add(wxString::FromUTF8(path));
  list->Set(rows);
  // The first match is selected, so typing a few letters and Enter opens it.
  if (!shown_.empty()) list->SetSelection(0);
}

std::optional<std::string> GameFileDialog::Chosen() const {
  const int row = list->GetSelection();
  if (row == wxNOT_FOUND || row >= static_cast<int>(shown_.size())) return std::nullopt;
  return shown_[static_cast<std::size_t>(row)];
}

}  // namespace tessary
