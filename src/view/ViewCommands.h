// View-level operations used by commands: composing the spin and frame stepping.
#pragma once

#include "app/Workspace.h"

namespace tessary {

// rotation = ComposeRotations(spin, rotation), then repaint the render view at once.
void ApplySpin(Workspace& ws);

void StepCurrentModel(Workspace& ws, int delta);
void StepAllModels(Workspace& ws, int delta);

}  // namespace tessary
