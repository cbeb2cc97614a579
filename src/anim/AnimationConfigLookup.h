// Where a player's animation.cfg comes from. Everything that opens a player asks this one
// function, so that where the file is looked for can change in one place.
#pragma once

#include <optional>
#include <string>

#include "anim/PlayerAssembly.h"

namespace tessary {

// The animation.cfg of the player whose legs were opened from lowerPath: the file of that
// name in the same folder. None when there is none or it cannot be read.
std::optional<AnimationConfigText> FindAnimationConfig(const std::string& lowerPath);

}  // namespace tessary
