// What an operation works on: the scene, the view state, the platform and the texture
// seam. Operations take a Workspace so that they run the same in the viewer, in headless
// tools and in tests.
#pragma once

#include "app/Desktop.h"
#include "image/TextureDevice.h"
#include "scene/Scene.h"
#include "view/TrackballState.h"

namespace tessary {

struct Workspace {
  Scene& scene;
  TrackballState& trackball;
  Desktop& desktop;
  TextureDevice& textures;
};

}  // namespace tessary
