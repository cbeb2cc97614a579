// The player dialog.
#include "anim/PlayerDialog.h"

#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace tessary {

namespace {

wxArrayString Rows(const std::vector<std::string>& texts) {
  wxArrayString rows;
  for (const std::string& text : texts) rows.Add(wxString::FromUTF8(text));
  return rows;
}

}  // namespace

PlayerDialog::PlayerDialog(wxWindow* parent, std::vector<PlayerOffer> players)
    : wxDialog(parent, wxID_ANY, kOpenPlayerTitle, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      players_(std::move(players)) {
  std::vector<std::string> names;
  for (const PlayerOffer& player : players_) names.push_back(player.name);
  playerList = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(220, 300), Rows(names), wxLB_SINGLE);
  skinList = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(160, 300), 0, nullptr, wxLB_SINGLE);

  auto* lists = new wxFlexGridSizer(2, 2, 4, 8);
  lists->AddGrowableRow(1);
  lists->AddGrowableCol(0, 3);
  lists->AddGrowableCol(1, 2);
  lists->Add(new wxStaticText(this, wxID_ANY, "Player"));
  lists->Add(new wxStaticText(this, wxID_ANY, "Skin"));
  lists->Add(playerList, 1, wxEXPAND);
  lists->Add(skinList, 1, wxEXPAND);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(lists, 1, wxEXPAND | wxALL, 8);
  column->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 8);
  SetSizerAndFit(column);

  playerList->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { ShowSkins(); });
  for (wxListBox* list : {playerList, skinList})
    list->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
      if (Chosen()) EndModal(wxID_OK);
    });
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(Chosen().has_value()); }, wxID_OK);
  if (!players_.empty()) playerList->SetSelection(0);
  ShowSkins();
  playerList->SetFocus();
}

void PlayerDialog::ShowSkins() {
  const int row = playerList->GetSelection();
  const bool valid = row != wxNOT_FOUND && row < static_cast<int>(players_.size());
  skinList->Set(valid ? Rows(players_[static_cast<std::size_t>(row)].skins) : wxArrayString());
  // The default skin comes first, so a player opens as the game shows it unless told otherwise.
  if (skinList->GetCount() > 0) skinList->SetSelection(0);
}

std::optional<PlayerChoice> PlayerDialog::Chosen() const {
  const int row = playerList->GetSelection();
  if (row == wxNOT_FOUND || row >= static_cast<int>(players_.size())) return std::nullopt;
  const PlayerOffer& player = players_[static_cast<std::size_t>(row)];
  const int skin = skinList->GetSelection();
  if (skin == wxNOT_FOUND || skin >= static_cast<int>(player.skins.size())) return PlayerChoice{player.name, "default"};
  return PlayerChoice{player.name, player.skins[static_cast<std::size_t>(skin)]};
}

}  // namespace tessary
