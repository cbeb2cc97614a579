// Saving a picture of the view.
#include "render/PictureExport.h"

#include "app/FileIO.h"
#include "app/WxDesktop.h"
#include "app/Workspace.h"
#include "render/PictureFramebuffer.h"
#include "render/PngWriter.h"
#include "render/RenderView.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {
constexpr const char* kPictureFilter = "PNG Picture (*.png)|*.png|All Files (*.*)|*.*";
}

void ExportPicture(Workspace& ws, WxDesktop& desktop, RenderView* view) {
  if (view == nullptr || !view->HasContext()) {
    desktop.ShowMessage("There is no view to save a picture of");
    return;
  }
  // The picture offered is the view as it is on screen, pixel for pixel: on a display
  // scaled by 2 that is twice its client size each way.
  const wxSize client = view->DeviceClientSize();
  const auto size = desktop.AskPictureSize(client.x, client.y);
  if (!size) return;
  const auto choice = desktop.ChooseFileToSave(kPictureFilter, "*.png");
  if (!choice) return;
  std::string path = choice->path;
  if (!PathHasDot(path)) path += ".png";

  std::string error;
  std::optional<std::vector<std::uint8_t>> pixels;
  if (view->MakeContextCurrent()) {
    pixels = DrawSceneToPicture(ws.scene, ws.trackball, size->width, size->height, &error);
  } else {
    error = "the view has no OpenGL context";
  }
  const auto png = pixels ? EncodePng(*pixels, size->width, size->height, PngChannels::Rgb, &error) : std::nullopt;
  if (!png) {
    desktop.ShowMessage("The picture could not be drawn: " + error);
    return;
  }
  const int cause = WriteFileReplacing(path, *png);
  if (cause != 0) desktop.ShowMessage("Error Saving: " + std::to_string(cause) + "\n" + path);
}

}  // namespace tessary
