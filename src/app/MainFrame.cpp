// The main window.
#include "app/MainFrame.h"

#include <algorithm>

#include "app/CommandIds.h"
#include "render/RenderView.h"
#include "ui/OptionsBar.h"

namespace tessary {

MainFrame::MainFrame(Scene& scene, TrackballState& trackball, std::unique_ptr<WxDesktop> desktop)
    : wxFrame(nullptr, wxID_ANY, kApplicationTitle, wxDefaultPosition, wxSize(512, 384),
              wxDEFAULT_FRAME_STYLE, "MainWnd"),
      desktop_(desktop ? std::move(desktop) : std::make_unique<WxDesktop>()),
      textures_(*this),
      ws_{scene, trackball, *desktop_, textures_} {
  desktop_->Attach(this);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_ERASE_BACKGROUND, [](wxEraseEvent&) {});

  renderView = new RenderView(this, ws_);
  optionsBar = new OptionsBar(this);

  Bind(wxEVT_SIZE, &MainFrame::OnSize, this);
  Bind(wxEVT_IDLE, &MainFrame::OnIdle, this);
  LayoutChildren();
}

MainFrame::~MainFrame() { FreeSceneAndChildren(); }

void MainFrame::FreeSceneAndChildren() {
  // Models first (their texture objects are deleted while the context is current), then
  // the lights, then the view (which releases the context) and the options bar.
  if (renderView != nullptr) renderView->MakeContextCurrent();
  ws_.scene.Clear();
  ws_.scene.currentModel = -1;
  ws_.scene.currentLight = -1;
  if (renderView != nullptr) {
    delete renderView;
    renderView = nullptr;
  }
  if (optionsBar != nullptr) {
    delete optionsBar;
    optionsBar = nullptr;
  }
}

void MainFrame::LayoutChildren() {
  const wxSize client = GetClientSize();
  if (optionsBar != nullptr) optionsBar->SetSize(client.x - kOptionsBarWidth, 0, kOptionsBarWidth, client.y);
  // A window narrower than the bar leaves the view with no width at all.
  if (renderView != nullptr) renderView->SetSize(0, 0, std::max(0, client.x - kOptionsBarWidth), client.y);
}

void MainFrame::OnSize(wxSizeEvent& event) {
  event.Skip();
  LayoutChildren();
}

void MainFrame::OnIdle(wxIdleEvent& event) { event.Skip(); }

bool MainFrame::ViewTextureDevice::Ready() {
  return frame_.renderView != nullptr && frame_.renderView->MakeContextCurrent();
}

std::uint32_t MainFrame::ViewTextureDevice::CreateTexture() { return Ready() ? gl_.CreateTexture() : 0; }

void MainFrame::ViewTextureDevice::UploadTexture(const ImageRGBA& image) {
  if (image.textureName != 0 && Ready()) gl_.UploadTexture(image);
}

void MainFrame::ViewTextureDevice::DeleteTexture(std::uint32_t textureName) {
  if (textureName != 0 && Ready()) gl_.DeleteTexture(textureName);
}

}  // namespace tessary
