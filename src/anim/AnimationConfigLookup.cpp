// Finding a player's animation.cfg beside its legs, on disk or in the game's archives.
#include "anim/AnimationConfigLookup.h"

#include "content/GamePath.h"

namespace tessary {

std::optional<AnimationConfigText> FindAnimationConfig(const Scene& scene, const ContentFile& lower) {
  for (const ContentFile& file : FilesBeside(scene, lower)) {
    if (!EqualNoCase(NameOf(file), "animation.cfg")) continue;
    const auto bytes = ReadContentFile(scene, file);
    if (!bytes) return std::nullopt;
    return AnimationConfigText{file.path, std::string(bytes->begin(), bytes->end())};
  }
  return std::nullopt;
}

}  // namespace tessary
