// Framing models: the zoom and centre of rotation that show a set of models whole.
#pragma once

#include "app/Workspace.h"
#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary {

// Sets the view so the posed and placed bounding boxes of the visible models fill a picture
// of the given aspect ratio, seen unturned: the middle of the boxes goes to the centre of
// rotation and the scale makes the sphere round their corners touch the nearer pair of
// picture edges. Leaves the view as it is when no model has a current frame. Expects the
// work buffers to be up to date (PoseAndPlaceScene).
void FitViewToModels(const Scene& scene, double aspect, TrackballState& trackball);

// The "Fit View" command: poses the models at their current frames, frames the visible ones
// for a view of the given aspect ratio, keeping its rotation, and redraws.
void FitView(Workspace& ws, double aspect);

}  // namespace tessary
