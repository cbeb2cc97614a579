// Scene-level operations shared by several commands: path helpers and model removal.
#pragma once

#include <string>
#include <string_view>

#include "scene/Scene.h"

namespace tessary {

// The characters after the last '\' or '/'; the whole path when it has neither; empty when
// the path ends with one of them.
std::string FileNameFromPath(std::string_view path);

// True when the path contains a '.' anywhere (folders included). Commands that append a
// default extension do so only when this is false.
bool PathHasDot(std::string_view path);

// Removes the model at index (a valid index): clears links that pointed at it, shifts later
// parent indices down, frees the record, rebuilds the child lists, lets playback forget
// the record and fixes currentModel.
// Does not redraw or refresh; the calling command does.
void RemoveModelAt(Scene& scene, int index);

}  // namespace tessary
