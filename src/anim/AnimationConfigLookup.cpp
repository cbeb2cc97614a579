// Finding a player's animation.cfg on disk.
#include "anim/AnimationConfigLookup.h"

#include "app/FileIO.h"
#include "scene/SceneOps.h"

namespace tessary {

std::optional<AnimationConfigText> FindAnimationConfig(const std::string& lowerPath) {
  const std::string folder = lowerPath.substr(0, lowerPath.size() - FileNameFromPath(lowerPath).size());
  const std::string path = folder + "animation.cfg";
  const auto bytes = ReadWholeFile(path);
  if (!bytes) return std::nullopt;
  return AnimationConfigText{path, std::string(bytes->begin(), bytes->end())};
}

}  // namespace tessary
