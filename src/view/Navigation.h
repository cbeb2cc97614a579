// Mouse navigation of the render view: the drag state machine that turns button presses,
// pointer motion, releases and the loss of the mouse capture into changes of the view state
// (spin, rotation, zoom, pan, centre) and the redraws they need. It knows nothing of the
// window system: the view passes its events in and performs the capture requests it gets.
#pragma once

#include "app/Workspace.h"

namespace tessary {

enum class MouseButton { Left, Right };

// Which buttons are down, as the event reports them.
struct HeldButtons {
  bool left = false;
  bool right = false;
};

// The view's client area in pixels, read at every event.
struct ClientSize {
  int width = 0;
  int height = 0;
};

// What the view must do with the mouse capture after an event.
enum class CaptureRequest { None, Capture, Release };

// The zoom factor is kept inside [kMinViewScale, kMaxViewScale]: a zoom move of a full client
// height or more downward would otherwise make it zero or negative, and panning divides by it.
inline constexpr float kMinViewScale = 1e-5f;
inline constexpr float kMaxViewScale = 1e5f;

// Drives ws.trackball from mouse events. Redraws go through ws.desktop: RepaintView for the
// view-only repaints of a drag, RequestSceneRedraw when a drag ends.
class MouseNavigation {
 public:
  explicit MouseNavigation(Workspace& ws) : ws_(ws) {}

  // A press at client position (x, y). Starts a drag when none is under way: left gives
  // spin, Shift+left zoom, Ctrl+left (with or without Shift) direct rotation; right gives
  // pan, Shift+right moves the centre. Capture when a drag starts.
  CaptureRequest ButtonDown(MouseButton button, int x, int y, bool shift, bool ctrl);

  // Pointer motion to client position (x, y). Does nothing unless the view holds the capture
  // and a drag is under way, or while the client area is empty.
  void Move(int x, int y, ClientSize client, HeldButtons held, bool viewHasCapture);

  // A release; held tells which buttons are still down. The drag of the released button
  // waits for the other button to come up too before it ends and the capture is released.
  CaptureRequest ButtonUp(MouseButton button, HeldButtons held, bool viewHasCapture);

  // The capture was taken away: any drag ends at once.
  void CaptureLost();

 private:
  Workspace& ws_;
};

}  // namespace tessary
