// Load, clear and switch for the four texture-map slots of the current model.
#pragma once

#include <string>

#include "app/Workspace.h"
#include "scene/ModelRecord.h"

namespace tessary {

void LoadMap(Workspace& ws, MapSlot slot);
// What LoadMap does once a file has been chosen (also used for an image dropped on the
// view): the file's image replaces the slot's, or the slot keeps its image and the loader
// says why.
void LoadMapFile(Workspace& ws, MapSlot slot, const std::string& path);
void ClearMap(Workspace& ws, MapSlot slot);
void ToggleMap(Workspace& ws, MapSlot slot);

}  // namespace tessary
