// View-level operations used by commands: composing the spin and frame stepping.
#pragma once

#include "app/Workspace.h"

namespace tessary {

// rotation = ComposeRotations(spin, rotation), then repaint the render view at once.
void ApplySpin(Workspace& ws);

// Steps the current model's frame by delta, wrapping around its frame count, then redraws
// and refreshes the panel. No current model, or a locked one, changes nothing and redraws
// nothing.
void StepCurrentModel(Workspace& ws, int delta);
// Steps every model that is not locked, then always redraws and refreshes the panel.
void StepAllModels(Workspace& ws, int delta);
// Switches the current model's frame lock, then redraws and refreshes the panel; nothing
// happens without a current model.
void ToggleLockFrame(Workspace& ws);

}  // namespace tessary
