// What the command line's scene options do once its files are loaded, the same for the
// viewer and for --render.
#pragma once

#include <vector>

#include "app/CommandLine.h"
#include "link/TagMatching.h"
#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary {

// In this order: --link hangs the files on each other by their tags, --light adds one
// default light shining on every model, --fit frames the models (posed at their current
// frames) for a picture of the given width / height. Does nothing on an empty scene.
void ArrangeStartupScene(const CommandLine& cl, const std::vector<FileModels>& files, double aspect, Scene& scene,
                         TrackballState& trackball);

}  // namespace tessary
