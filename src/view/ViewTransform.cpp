// The model-view matrix of a frame from the view state.
#include "view/ViewTransform.h"

#include <GL/gl.h>

#include "view/Trackball.h"

namespace tessary {

void ApplyViewTransform(const TrackballState& t) {
  glMatrixMode(GL_MODELVIEW);
  // The camera matrix stays pushed for the context's life: popping and pushing again throws
  // away last frame's view and leaves a fresh copy of the camera on top.
  glPopMatrix();
  glPushMatrix();
  glScalef(t.scale, t.scale, t.scale);
  // pan moves the scene in scaled camera space; centre moves it before it is turned, which
  // moves the point it turns about.
  glTranslated(t.pan[0], t.pan[1], t.pan[2]);
  const std::array<float, 16> rotation = RotationMatrixFromQuaternion(t.rotation);
  glMultMatrixf(rotation.data());
  glTranslated(t.centre[0], t.centre[1], t.centre[2]);
}

}  // namespace tessary
