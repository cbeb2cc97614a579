// The render view window and its GL context.
#include "render/RenderView.h"

#include <wx/dcclient.h>
#include <wx/display.h>

#include <chrono>
#include <cmath>

#include "app/CommandIds.h"
#include "render/GlState.h"
#include "render/RenderFrame.h"
#include "view/ViewCommands.h"

// Last: X11 headers define macros (None, Status, ...) that clash with ordinary names.
#include <GL/glx.h>

namespace tessary {

namespace {

// True when the X display speaks GLX at all. wx asks for the GLX version before anything
// else and treats its absence as a programming error, so this is checked first.
bool DisplayHasGlx() {
  Display* display = wxGetX11Display();
  int errorBase = 0, eventBase = 0;
  return display != nullptr && glXQueryExtension(display, &errorBase, &eventBase);
}

// RGBA, double-buffered, with the deepest depth buffer on offer of 32, 24 or 16 bits.
wxGLAttributes ChooseAttributes(bool* found) {
  *found = false;
  wxGLAttributes fallback;
  fallback.PlatformDefaults().EndList();
  if (!DisplayHasGlx()) return fallback;
  for (int depth : {32, 24, 16}) {
    wxGLAttributes attrs;
    attrs.PlatformDefaults().RGBA().DoubleBuffer().MinRGBA(8, 8, 8, 0).Depth(depth).EndList();
    if (wxGLCanvas::IsDisplaySupported(attrs)) {
      *found = true;
      return attrs;
    }
  }
  return fallback;
}

struct ViewFormat {
  bool supported = false;
  wxGLAttributes attrs;
};

// Chosen once: every view of the process uses the same format.
const ViewFormat& TheViewFormat() {
  static const ViewFormat format = [] {
    ViewFormat f;
    f.attrs = ChooseAttributes(&f.supported);
    return f;
  }();
  return format;
}

}  // namespace

bool RenderView::DisplayOffersFormat() { return TheViewFormat().supported; }

RenderView::RenderView(wxWindow* parent, Workspace& workspace)
    : wxGLCanvas(parent, TheViewFormat().attrs, cmd::ToWxId(cmd::kRenderViewId), wxDefaultPosition, wxSize(312, 384),
                 wxBORDER_SUNKEN | wxFULL_REPAINT_ON_RESIZE, "GLWnd"),
      ws_(workspace),
      navigation_(workspace) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  wxGLContextAttrs contextAttrs;
  contextAttrs.PlatformDefaults().CompatibilityProfile().EndList();
  context_ = std::make_unique<wxGLContext>(this, nullptr, &contextAttrs);
  if (!context_->IsOK()) {
    context_.reset();
    ReportFailure("SetPixelFormat failed");
  }
  Bind(wxEVT_PAINT, &RenderView::OnPaint, this);
  Bind(wxEVT_SIZE, &RenderView::OnSize, this);
  Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});
  Bind(wxEVT_IDLE, &RenderView::OnIdle, this);
  paceTimer_.SetOwner(this);
  // A frame drawn on the timer asks for the idle pass that schedules the next one.
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
    if (AdvanceWhenDue()) wxWakeUpIdle();
  });
  for (auto type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP, wxEVT_MOTION})
    Bind(type, &RenderView::OnMouse, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { navigation_.CaptureLost(); });
}

RenderView::~RenderView() {
  paceTimer_.Stop();
  if (HasCapture()) ReleaseMouse();
  // The scene's textures are gone by now (the main frame frees them first); releasing the
  // context is all that is left.
  context_.reset();
}

void RenderView::ReportFailure(const char* message) {
  failed_ = true;
  ws_.desktop.ShowMessage(message);
  // No context will come: what waited for one goes ahead without it.
  if (!readyJobs_.empty()) CallAfter([this] { RunReadyJobs(); });
}

bool RenderView::MakeContextCurrent() {
  if (failed_ || context_ == nullptr) return false;
  // GTK needs the window realised before a context can be bound to it.
  if (!IsShownOnScreen()) return false;
  if (!SetCurrent(*context_)) {
    if (!initialised_) {
      context_.reset();
      ReportFailure("SetPixelFormat failed");
    }
    return false;
  }
  if (!initialised_) {
    initialised_ = true;
    const wxSize size = DeviceClientSize();
    AskForVerticalSync();
    InitGLState(size.x, size.y);
    ws_.trackball.rotation = {0.0f, 0.0f, 0.0f, 1.0f};
    ws_.trackball.spin = {0.0f, 0.0f, 0.0f, 1.0f};
    // A resize seen before the context existed still sets the viewport and the far plane.
    if (resizedBeforeInit_) ResizeGL(size.x, size.y);
    if (!readyJobs_.empty()) CallAfter([this] { RunReadyJobs(); });
  }
  return true;
}

void RenderView::CallWhenReady(std::function<void()> job) {
  readyJobs_.push_back(std::move(job));
  if (initialised_ || failed_) CallAfter([this] { RunReadyJobs(); });
}

void RenderView::RunReadyJobs() {
  std::vector<std::function<void()>> jobs;
  jobs.swap(readyJobs_);
  for (auto& job : jobs) job();
}

// A moving view redraws once per refresh of the display; waiting for it in the swap keeps
// the frames in step with the display. Best effort: not every driver offers it, which is
// why the redraws are also paced by the clock.
void RenderView::AskForVerticalSync() {
  using SwapIntervalMesa = int (*)(unsigned);
  if (auto mesa = reinterpret_cast<SwapIntervalMesa>(
          glXGetProcAddressARB(reinterpret_cast<const GLubyte*>("glXSwapIntervalMESA"))))
    mesa(1);
}

void RenderView::DrawNow() {
  if (!MakeContextCurrent()) return;
  if (RenderFrame(ws_.scene, ws_.trackball, [this] { SwapBuffers(); })) ++framesDrawn_;
}

void RenderView::OnPaint(wxPaintEvent&) {
  wxPaintDC dc(this);  // validates the update region even when nothing can be drawn
  DrawNow();
}

void RenderView::OnSize(wxSizeEvent& event) {
  event.Skip();
  const wxSize size = event.GetSize();
  if (size.y < 1) return;  // a zero height keeps the viewport and projection
  if (!initialised_) {
    resizedBeforeInit_ = true;
    return;
  }
  if (!MakeContextCurrent()) return;
  const wxSize device = DeviceClientSize();
  ResizeGL(device.x, device.y);
  DrawNow();
}

wxSize RenderView::DeviceClientSize() const { return ToPhys(GetClientSize()); }

// The idle step: while the view moves by itself (a released spin, playback), draw the next
// frame when it is due and ask for the next idle pass; before then, sleep until it is due.
// At rest, ask for nothing, so the viewer uses no processor.
void RenderView::OnIdle(wxIdleEvent& event) {
  event.Skip();
  if (AdvanceWhenDue()) event.RequestMore();
}

bool RenderView::AdvanceWhenDue() {
  if (!ViewIsMoving(ws_)) {
    pacer_.Rest();
    return false;
  }
  if (!paceKnown_ && IsShownOnScreen()) {
    // The display's refresh; where the system does not say, 60 a second.
    const int display = wxDisplay::GetFromWindow(this);
    const int refresh = display != wxNOT_FOUND ? wxDisplay(static_cast<unsigned>(display)).GetCurrentMode().refresh : 0;
    pacer_ = RedrawPacer(refresh);
    paceKnown_ = true;
  }
  const double now = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
  const double wait = pacer_.WaitBefore(now);
  if (wait > 0.0) {
    if (!paceTimer_.IsRunning()) paceTimer_.StartOnce(std::max(1, static_cast<int>(std::ceil(wait * 1000.0))));
    return false;
  }
  AdvanceMovingView(ws_, pacer_.FrameDrawn(now));
  return true;
}

void RenderView::SetMenuOpen(bool open) {
  menuOpen_ = open;
  if (!open) return;
  navigation_.CaptureLost();
  if (HasCapture()) ReleaseMouse();
}

void RenderView::OnMouse(wxMouseEvent& event) {
  if (menuOpen_) return;
  const wxEventType type = event.GetEventType();
  const MouseButton button =
      (type == wxEVT_LEFT_DOWN || type == wxEVT_LEFT_UP) ? MouseButton::Left : MouseButton::Right;
  HeldButtons held{event.LeftIsDown(), event.RightIsDown()};
  if (type == wxEVT_LEFT_DOWN || type == wxEVT_RIGHT_DOWN) {
    SetFocus();
    ApplyCapture(navigation_.ButtonDown(button, event.GetX(), event.GetY(), event.ShiftDown(), event.ControlDown()));
  } else if (type == wxEVT_LEFT_UP || type == wxEVT_RIGHT_UP) {
    // The released button is up whatever the toolkit reports for its own release.
    (button == MouseButton::Left ? held.left : held.right) = false;
    ApplyCapture(navigation_.ButtonUp(button, held, HasCapture()));
  } else {
    const wxSize client = GetClientSize();
    navigation_.Move(event.GetX(), event.GetY(), ClientSize{client.x, client.y}, held, HasCapture());
  }
}

void RenderView::ApplyCapture(CaptureRequest request) {
  if (request == CaptureRequest::Capture && !HasCapture()) CaptureMouse();
  if (request == CaptureRequest::Release && HasCapture()) ReleaseMouse();
}

}  // namespace tessary
