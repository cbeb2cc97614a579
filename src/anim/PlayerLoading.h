// Putting a player of the game folder into the scene: its three parts loaded in a skin,
// hung on each other as the game hangs them, standing and lit, and a weapon in its hand.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "anim/GamePlayers.h"
#include "anim/PlayerAssembly.h"
#include "app/Workspace.h"

namespace tessary {

// Loads the lower, upper and head parts in that order, in the skin (falling back as every
// model does), links them (LinkPlayerParts), reads the animation.cfg beside the legs and
// stands the player in LEGS_IDLE and TORSO_STAND, and shines the scene's studio light on
// every record. A refused animation.cfg is told through the desktop and the player stands
// in its first frames. When a part does not load (the loader has said why), the parts
// loaded before it go again and there is no player. The legs become the current model;
// ends with a redraw and a panel refresh.
std::optional<PlayerFiles> LoadGamePlayer(Workspace& ws, const GamePlayer& player, std::string_view skin);

// What a weapon hangs on for the player the model at index belongs to: walking its link
// tree from the top, parents before children, the first model with a tag_weapon (the
// torso of an assembled player). -1 when there is none.
std::int32_t WeaponMount(const Scene& scene, std::int32_t model);

// Hangs the weapon by its origin on the tag_weapon of the model at mount, and its barrel
// on the weapon's tag_barrel, after taking away whatever hung on that tag_weapon before
// (with everything hanging on it). They share the mount's lights and stand still with its
// player. Returns the weapon's and the barrel's files (the barrel's count is 0 when it has
// none or it did not load); none when mount has no tag_weapon or the weapon did not load.
// Ends with a redraw and a panel refresh.
struct WeaponFiles {
  FileModels weapon, barrel;
};
std::optional<WeaponFiles> AttachGameWeapon(Workspace& ws, std::int32_t mount, const GameWeapon& weapon);

// The player and the weapon the command line names (letter case ignored; weapon "" asks
// for none). None, with the reason told through the desktop, when the base folder has no
// such player or weapon.
struct NamedPlayer {
  GamePlayer player;
  std::optional<GameWeapon> weapon;
};
std::optional<NamedPlayer> FindNamedPlayer(const Scene& scene, Desktop& desktop, std::string_view name,
                                           std::string_view weapon);

// Finds and loads them: the files in the order they hang (lower, upper, head, then the
// weapon and its barrel when they loaded); empty when the player was not found or did
// not load.
std::vector<FileModels> OpenNamedPlayer(Workspace& ws, std::string_view name, std::string_view skin,
                                        std::string_view weapon);

}  // namespace tessary
