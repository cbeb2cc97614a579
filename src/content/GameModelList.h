// What the "Open from Game Folder..." dialog lists: every model of the game's file system,
// narrowed by the text typed into its filter box. Kept apart from the window so that it can
// be used and tested without one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "content/GameFileSystem.h"

namespace tessary {

// The game paths of every .md3 file, archives included, sorted without letter case.
std::vector<std::string> GameModelPaths(const GameFileSystem& files);

// The paths that contain every blank-separated word of filter, letter case ignored, in
// their order; all of them for a filter without words.
std::vector<std::string> FilterGamePaths(const std::vector<std::string>& paths, std::string_view filter);

}  // namespace tessary
