// Composing the spin into the view rotation (the redraw of a direct rotation drag), and the
// paced frame of a view that moves by itself.
#include "view/ViewCommands.h"

#include "view/Trackball.h"

namespace tessary {

void ApplySpin(Workspace& ws) {
  TrackballState& t = ws.trackball;
  t.rotation = ComposeRotations(t.spin, t.rotation, t.renormCount);
  ws.desktop.RepaintView();
}

bool ViewIsMoving(const Workspace& ws) { return ws.trackball.spinActive != 0 || AnyPlaying(ws.scene); }

void AdvanceMovingView(Workspace& ws, double seconds) {
  TrackballState& t = ws.trackball;
  if (t.spinActive != 0)
    t.rotation = ComposeRotations(ScaleRotation(t.spin, seconds * kSpinStepsPerSecond), t.rotation, t.renormCount);
  AdvancePlayback(ws.scene.animation, seconds);
  ShowPlayingFrames(ws.scene);
  ws.desktop.RepaintView();
  ws.desktop.RefreshStatusBar();
}

}  // namespace tessary
