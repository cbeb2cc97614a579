// Drawing one complete frame of the scene into the current GL context.
#pragma once

#include <functional>

#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary {

// Clears, applies the view, poses and places every model, draws the visible ones in their
// passes and presents through swapBuffers. A call made while a frame is being drawn draws
// nothing and returns false.
bool RenderFrame(Scene& scene, const TrackballState& trackball,
                 const std::function<void()>& swapBuffers);

}  // namespace tessary
