// The global light list, each model's light references, and their selection handlers.
#pragma once

#include "app/Workspace.h"

namespace tessary {

void AddLight(Workspace& ws);
void RemoveLight(Workspace& ws);
void ToggleLight(Workspace& ws);
void AttachLight(Workspace& ws);
void DetachLight(Workspace& ws);
void ToggleModelLight(Workspace& ws);
void SelectGlobalLight(Workspace& ws, int selectedRow);
void SelectModelLight(Workspace& ws, int selectedRow);
// The "Props" button: the Light Properties dialog for the current light.
void EditCurrentLight(Workspace& ws);

// For the command line: one new light (named like any new light, but with the dim fill and
// the key above and in front of the viewer of StudioLight), made current and shone on every
// model through a new enabled reference that becomes each model's current one. No redraw.
void AddLightToEveryModel(Scene& scene);

}  // namespace tessary
