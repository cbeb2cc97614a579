// View-level operations used by commands: composing the spin and frame stepping.
#pragma once

#include "app/Workspace.h"

namespace tessary {

// rotation = ComposeRotations(spin, rotation), then repaint the render view at once.
void ApplySpin(Workspace& ws);

// A released spin turns the view by `spin` every sixtieth of a second, whatever the rate
// at which frames are drawn.
inline constexpr double kSpinStepsPerSecond = 60.0;
// Whether the view moves by itself (a spin, or playback that moves a model), so that it
// must be redrawn at a steady pace.
bool ViewIsMoving(const Workspace& ws);
// One paced frame of a moving view, `seconds` after the one before: the spin turns by that
// much time, the playing clocks move on and show their frames, then the view is repainted
// and the status bar rewritten.
void AdvanceMovingView(Workspace& ws, double seconds);

// Steps the current model's frame by delta, wrapping around its frame count, then redraws
// and refreshes the panel; the files playing with it stop, and the model shows a whole
// frame. No current model, or a locked one, changes nothing and redraws nothing.
void StepCurrentModel(Workspace& ws, int delta);
// Steps every model that is not locked (stopping all playback first), then always redraws
// and refreshes the panel.
void StepAllModels(Workspace& ws, int delta);
// Switches the current model's frame lock, then redraws and refreshes the panel; nothing
// happens without a current model.
void ToggleLockFrame(Workspace& ws);

}  // namespace tessary
