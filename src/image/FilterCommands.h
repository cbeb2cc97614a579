// The global texture filter and multi-pass settings of the Rendering menu.
#pragma once

#include "app/Workspace.h"

namespace tessary {

// No change when the mode already holds; otherwise store it and redraw through ApplySpin.
void SetTextureFilter(Workspace& ws, int mode);
void SetMultiPassMode(Workspace& ws, int mode);

}  // namespace tessary
