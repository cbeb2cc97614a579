// The drag state machine of the render view.
#include "view/Navigation.h"

#include <algorithm>
#include <array>

#include "view/Trackball.h"
#include "view/ViewCommands.h"

namespace tessary {

namespace {

// Panning moves the scene by this many scaled units per client width (or height) dragged.
constexpr double kPanFactor = 1.3;

bool IsLeftDrag(DragMode mode) {
  return mode == DragMode::SpinDrag || mode == DragMode::ZoomDrag || mode == DragMode::DirectRotateDrag;
}

bool IsRightDrag(DragMode mode) { return mode == DragMode::PanDrag || mode == DragMode::CentreDrag; }

// Client pixels to [-1, 1] in both axes, y pointing up.
float NormalisedX(int x, int width) {
  return static_cast<float>((2.0 * x - width) / static_cast<double>(width));
}
float NormalisedY(int y, int height) {
  return static_cast<float>((height - 2.0 * y) / static_cast<double>(height));
}

// The rotation between the last point and the new one, the new point held inside the client
// area so that a pointer dragged outside the window stops turning the ball.
Quaternion RotationTo(TrackballState& t, int x, int y, ClientSize client) {
  const int cx = std::clamp(x, 0, client.width - 1);
  const int cy = std::clamp(y, 0, client.height - 1);
  const Quaternion q = TrackballRotation(NormalisedX(t.lastPoint[0], client.width),
                                         NormalisedY(t.lastPoint[1], client.height),
                                         NormalisedX(cx, client.width), NormalisedY(cy, client.height));
  t.lastPoint = {cx, cy};
  return q;
}

// Pan and centre move alike: across the view in x and y, or along z while the left button
// is held as well. The distance is independent of the zoom.
void Shift(std::array<float, 3>& target, const TrackballState& t, int x, int y, ClientSize client,
           bool alongZ) {
  const double dx = static_cast<double>(x) - t.lastPoint[0];
  const double dy = static_cast<double>(y) - t.lastPoint[1];
  const double scale = t.scale;
  const double up = -(dy / client.height) / scale * kPanFactor;
  if (alongZ) {
    target[2] = static_cast<float>(target[2] + up);
  } else {
    target[0] = static_cast<float>(target[0] + (dx / client.width) / scale * kPanFactor);
    target[1] = static_cast<float>(target[1] + up);
  }
}

}  // namespace

CaptureRequest MouseNavigation::ButtonDown(MouseButton button, int x, int y, bool shift, bool ctrl) {
  TrackballState& t = ws_.trackball;
  if (t.dragMode != DragMode::Idle) return CaptureRequest::None;
  t.lastPoint = {x, y};
  if (button == MouseButton::Right) {
    // Ctrl makes no difference on the right button.
    t.dragMode = shift ? DragMode::CentreDrag : DragMode::PanDrag;
    return CaptureRequest::Capture;
  }
  t.dragMode = ctrl ? DragMode::DirectRotateDrag : (shift ? DragMode::ZoomDrag : DragMode::SpinDrag);
  if (t.dragMode != DragMode::ZoomDrag) {
    // Grabbing the ball stops a running spin.
    t.spin = TrackballRotation(0.0f, 0.0f, 0.0f, 0.0f);
    ws_.desktop.RepaintView();
    t.spinActive = 0;
  }
  return CaptureRequest::Capture;
}

void MouseNavigation::Move(int x, int y, ClientSize client, HeldButtons held, bool viewHasCapture) {
  TrackballState& t = ws_.trackball;
  if (!viewHasCapture) return;
  // A view with no area has no coordinates to normalise against.
  if (client.width < 1 || client.height < 1) return;
  switch (t.dragMode) {
    case DragMode::SpinDrag:
      // The idle loop turns the view by the new increment; nothing is drawn here.
      t.spin = RotationTo(t, x, y, client);
      t.spinActive = 1;
      return;
    case DragMode::DirectRotateDrag:
      t.spin = RotationTo(t, x, y, client);
      ApplySpin(ws_);
      t.spinActive = 0;
      return;
    case DragMode::ZoomDrag: {
      // Half the client height upward multiplies the zoom by 1.5, downward by 0.5.
      const double factor = (static_cast<double>(t.lastPoint[1]) - y) / client.height + 1.0;
      const double scaled = std::clamp(static_cast<double>(t.scale) * factor,
                                       static_cast<double>(kMinViewScale), static_cast<double>(kMaxViewScale));
      t.scale = static_cast<float>(scaled);
      ws_.desktop.RepaintView();
      t.lastPoint = {x, y};
      return;
    }
    case DragMode::PanDrag:
    case DragMode::CentreDrag:
      Shift(t.dragMode == DragMode::PanDrag ? t.pan : t.centre, t, x, y, client, held.left);
      ws_.desktop.RepaintView();
      t.lastPoint = {x, y};
      return;
    case DragMode::Idle:
    case DragMode::AwaitRelease:
      return;
  }
}

CaptureRequest MouseNavigation::ButtonUp(MouseButton button, HeldButtons held, bool viewHasCapture) {
  TrackballState& t = ws_.trackball;
  if (!viewHasCapture || t.dragMode == DragMode::Idle) return CaptureRequest::None;
  const bool left = button == MouseButton::Left;
  if (left ? IsLeftDrag(t.dragMode) : IsRightDrag(t.dragMode)) t.dragMode = DragMode::AwaitRelease;
  if (t.dragMode != DragMode::AwaitRelease) return CaptureRequest::None;  // the other button's drag
  CaptureRequest request = CaptureRequest::None;
  if (!(left ? held.right : held.left)) {
    t.dragMode = DragMode::Idle;
    request = CaptureRequest::Release;
  }
  ws_.desktop.RequestSceneRedraw();
  return request;
}

void MouseNavigation::CaptureLost() {
  TrackballState& t = ws_.trackball;
  if (t.dragMode == DragMode::Idle) return;
  t.dragMode = DragMode::Idle;
  ws_.desktop.RequestSceneRedraw();
}

}  // namespace tessary
