// The commands of game content: "Open from Game Folder...", the "Game Texture Lookup"
// switch and the entries of the "Skin" submenu.
#pragma once

#include <string>
#include <vector>

#include "app/Workspace.h"

namespace tessary {

inline constexpr const char* kOpenFromGameFolderTitle = "Open from Game Folder";

// Lists every model of the base folder's file system in the game path dialog and loads the
// one chosen, as "+" loads a file.
void OpenFromGameFolder(Workspace& ws);

// Switches game texture lookup on or off; models loaded from then on follow it.
void ToggleGameTextureLookup(Workspace& ws);

// The entries of the "Skin" submenu: the skins beside the current model's file (at most
// one per command number the submenu has). None without a current model or with game
// texture lookup off.
std::vector<std::string> SkinMenuEntries(const Scene& scene);
// Whether entry (an index into SkinMenuEntries) is the skin the current model shows.
bool IsSkinEntryInUse(const Scene& scene, int entry);
// Re-textures every record of the current model's file with the skin of that entry.
void ChooseSkin(Workspace& ws, int entry);

}  // namespace tessary
