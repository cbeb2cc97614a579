// The File menu's player commands: "Open Player..." and "Attach Weapon...".
#pragma once

#include "app/Workspace.h"

namespace tessary {

inline constexpr const char* kAttachWeaponTitle = "Attach Weapon";
inline constexpr const char* kNoPlayersMessage =
    "No players were found in the base folder: a player is a folder models/players/NAME/ with lower.md3, "
    "upper.md3 and head.md3.";
inline constexpr const char* kNoWeaponsMessage =
    "No weapons were found in the base folder: a weapon is models/weapons2/NAME/NAME.md3.";

// Offers the players of the base folder with their skins, loads the one chosen in the skin
// chosen (LoadGamePlayer) and frames the view, of the given width / height, on the models.
void OpenPlayer(Workspace& ws, double aspect);

// Offers the weapons of the base folder and hangs the one chosen on the current player
// (AttachGameWeapon on its WeaponMount). Does nothing without a current player.
void AttachWeapon(Workspace& ws);
// Whether the current model belongs to something a weapon can hang on.
bool CanAttachWeapon(const Scene& scene);

}  // namespace tessary
