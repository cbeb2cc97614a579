// The render view: the GL canvas at the left of the main window. It owns the one GL
// context of the program, current for the view's life, draws a frame on every paint and
// synchronously on request, and passes mouse input to the navigation state machine.
#pragma once

#include <wx/glcanvas.h>
#include <wx/timer.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/Workspace.h"
#include "view/Navigation.h"
#include "view/RedrawPacer.h"

namespace tessary {

class RenderView : public wxGLCanvas {
 public:
  // Whether the display can give the view its format (RGBA, double-buffered, with a depth
  // buffer). Without it no view can be made at all: wx cannot create a GL canvas on such a
  // display, so the main frame puts a plain window in its place.
  static bool DisplayOffersFormat();

  // Only where DisplayOffersFormat() holds. When no GL context can be had the failure is
  // shown through the desktop and the view stays up, drawing nothing.
  RenderView(wxWindow* parent, Workspace& workspace);
  ~RenderView() override;

  // Makes the context current, drawing the GL start-up state on the first call. False when
  // the view has no context.
  bool MakeContextCurrent();
  // Runs job once the GL context exists (at once, through the event loop, when it already
  // does). Texture objects can only be made then: under a window manager the window may
  // not be on screen yet when the event loop first runs.
  void CallWhenReady(std::function<void()> job);
  // Draws one frame now: context current, frame drawn, buffers swapped.
  void DrawNow();
  bool HasContext() const { return context_ != nullptr && !failed_; }
  // How many frames this view has presented (for tests and diagnostics).
  long FramesDrawn() const { return framesDrawn_; }
  // A menu of the main window opened (true) or closed. While one is open the view takes no
  // mouse input: a menu can lie over the view, and neither the click that picks an item
  // nor the release that closes the menu is the start or end of a drag. A drag under way
  // when a menu opens ends there.
  void SetMenuOpen(bool open);

  // The client area in device pixels, which is what GL draws into: on a display scaled by
  // 2 it is twice the client size that windows and the mouse use.
  wxSize DeviceClientSize() const;

 private:
  void RunReadyJobs();

  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnIdle(wxIdleEvent& event);
  // One step of a view that moves by itself: a frame when its time has come (true), else a
  // wake-up set for that time.
  bool AdvanceWhenDue();
  void OnMouse(wxMouseEvent& event);
  void ApplyCapture(CaptureRequest request);
  void ReportFailure(const char* message);
  void AskForVerticalSync();

  Workspace& ws_;
  MouseNavigation navigation_;
  std::unique_ptr<wxGLContext> context_;
  bool initialised_ = false;
  std::vector<std::function<void()>> readyJobs_;
  bool resizedBeforeInit_ = false;
  bool failed_ = false;
  bool menuOpen_ = false;
  long framesDrawn_ = 0;
  RedrawPacer pacer_;
  bool paceKnown_ = false;  // the pacer has the display's refresh rate
  wxTimer paceTimer_;
};

}  // namespace tessary
