// Load, clear and switch for the four texture-map slots of the current model.
#pragma once

#include "app/Workspace.h"
#include "scene/ModelRecord.h"

namespace tessary {

void LoadMap(Workspace& ws, MapSlot slot);
void ClearMap(Workspace& ws, MapSlot slot);
void ToggleMap(Workspace& ws, MapSlot slot);

}  // namespace tessary
