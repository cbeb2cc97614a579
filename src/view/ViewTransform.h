// The view transform every frame starts with: the camera left on the model-view stack by
// the GL start-up state, then zoom, pan, the trackball rotation and the centre of rotation.
#pragma once

#include "view/TrackballState.h"

namespace tessary {

// Selects the model-view matrix, restores the saved camera (pop, push) and multiplies in
// scale, translate(pan), the rotation matrix and translate(centre), in that order. Leaves
// the stack as deep as it found it. Needs a current context set up by InitGLState.
void ApplyViewTransform(const TrackballState& trackball);

}  // namespace tessary
