// The texture filter and multi-pass choices of the Rendering menu.
#include "image/FilterCommands.h"

#include "view/ViewCommands.h"

namespace tessary {

namespace {

// Both settings redraw through the spin step, which also turns a running spin once.
void SetMode(Workspace& ws, std::int32_t& setting, int mode) {
  if (setting == mode) return;
  setting = mode;
  ApplySpin(ws);
}

}  // namespace

void SetTextureFilter(Workspace& ws, int mode) { SetMode(ws, ws.scene.textureFilter, mode); }

void SetMultiPassMode(Workspace& ws, int mode) { SetMode(ws, ws.scene.multiPassSafe, mode); }

}  // namespace tessary
