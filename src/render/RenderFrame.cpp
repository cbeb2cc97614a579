// One frame of the scene. For now a frame clears to the background colour and presents;
// the model passes are drawn by the frame pipeline once it is in place.
#include "render/RenderFrame.h"

#include <GL/gl.h>

namespace tessary {

namespace {
int renderBusy = 0;
}

bool RenderFrame(Scene& scene, const TrackballState&, const std::function<void()>& swapBuffers) {
  if (renderBusy != 0) return false;
  renderBusy = 1;
  glClearColor(scene.backgroundColor[0], scene.backgroundColor[1], scene.backgroundColor[2], 1.0f);
  glDepthMask(GL_TRUE);
  glEnable(GL_DEPTH_TEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glFinish();
  if (swapBuffers) swapBuffers();
  renderBusy = 0;
  return true;
}

}  // namespace tessary
