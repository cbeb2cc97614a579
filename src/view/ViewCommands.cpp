// Composing the spin into the view rotation: the redraw of the idle loop and of a direct
// rotation drag.
#include "view/ViewCommands.h"

#include "view/Trackball.h"

namespace tessary {

void ApplySpin(Workspace& ws) {
  TrackballState& t = ws.trackball;
  t.rotation = ComposeRotations(t.spin, t.rotation, t.renormCount);
  ws.desktop.RepaintView();
}

}  // namespace tessary
