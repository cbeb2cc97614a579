// The window of "Open Player...": the players of the game folder on the left, the skins of
// the selected one on the right; a double click on either list or OK opens the player in
// the selected skin.
#pragma once

#include <wx/dialog.h>

#include <optional>
#include <vector>

#include "app/Desktop.h"

class wxListBox;

namespace tessary {

inline constexpr const char* kOpenPlayerTitle = "Open Player";

class PlayerDialog : public wxDialog {
 public:
  PlayerDialog(wxWindow* parent, std::vector<PlayerOffer> players);

  // The selected player and skin ("default" for a player without skins) once the dialog
  // has closed with OK.
  std::optional<PlayerChoice> Chosen() const;

  wxListBox* playerList = nullptr;
  wxListBox* skinList = nullptr;

 private:
  void ShowSkins();

  std::vector<PlayerOffer> players_;
};

}  // namespace tessary
