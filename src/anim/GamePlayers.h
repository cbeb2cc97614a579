// The players and weapons of the game's file system, found where the game looks for them.
// A player NAME is the folder models/players/NAME/ holding lower.md3 and upper.md3 and a
// head: head.md3 in the same folder or, when that is missing, models/players/heads/NAME/
// NAME.md3 from the shared heads folder (the game tries that folder for a head it cannot
// find in the player's own; its separate head models and Team Arena's characters/ folder
// are not offered). A skin is offered when every part has it, as the game refuses a skin
// that lacks one: lower_SKIN.skin and upper_SKIN.skin in the player folder, and the head's
// (see SkinNames). A weapon W is models/weapons2/W/W.md3, with its barrel W_barrel.md3
// where that file exists.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "scene/Scene.h"

namespace tessary {

struct GamePlayer {
  std::string name;                // the folder's name as stored
  std::string lower, upper, head;  // game paths as stored
  std::vector<std::string> skins;  // "default" first, then by name
};

struct GameWeapon {
  std::string name;
  std::string model;   // game path as stored
  std::string barrel;  // "" when the weapon has none
};

// Every player of the base folder's file system, by name without letter case.
std::vector<GamePlayer> FindGamePlayers(const Scene& scene);
// The player of that name (letter case ignored), or none.
std::optional<GamePlayer> FindGamePlayer(const Scene& scene, std::string_view name);

// Every weapon, by name without letter case; the one of that name, or none.
std::vector<GameWeapon> FindGameWeapons(const GameFileSystem& files);
std::optional<GameWeapon> FindGameWeapon(const GameFileSystem& files, std::string_view name);

}  // namespace tessary
