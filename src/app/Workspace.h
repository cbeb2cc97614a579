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

  // What every command that changed the scene ends with: the view is redrawn first, then
  // the options bar shows the new state.
  void SceneChanged() const {
    desktop.RequestSceneRedraw();
    desktop.RefreshPanel();
  }
};

}  // namespace tessary
