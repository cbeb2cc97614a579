// Where a player's animation.cfg comes from. Everything that opens a player asks this one
// function, so that where the file is looked for can change in one place.
#pragma once

#include <optional>
#include <string>

#include "anim/PlayerAssembly.h"
#include "content/ContentFiles.h"

namespace tessary {

// The animation.cfg of the player whose legs were opened from lower: the file of that name
// (any letter case) in the same folder, on disk beside a disk file or in the game's file
// system beside a game file. None when there is none or it cannot be read.
std::optional<AnimationConfigText> FindAnimationConfig(const Scene& scene, const ContentFile& lower);

}  // namespace tessary
