// Drawing one complete frame of the scene into the current GL context: clear, view, posing
// and placing, then every visible model in its passes (base, diffuse multiplied, specular
// added, glow added), additive models last, and the buffer swap.
#pragma once

#include <functional>

#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary {

// Clears, applies the view, poses and places every model, draws the visible ones in their
// passes and presents through swapBuffers (after glFinish). A call made while a frame is
// being drawn (for example from inside swapBuffers) draws nothing and returns false.
bool RenderFrame(Scene& scene, const TrackballState& trackball,
                 const std::function<void()>& swapBuffers);

}  // namespace tessary
