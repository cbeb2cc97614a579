// Finding the game folder a model file lies in, so that a model opened on its own (a
// preview for the file manager) finds its textures where the game would.
#pragma once

#include <optional>
#include <string>

namespace tessary {

// The nearest folder above the model file that holds *.pk3 archives or a "models" folder,
// as an absolute path. None when no folder on the way up to the root does.
std::optional<std::string> FindGameFolder(const std::string& modelPath);

}  // namespace tessary
