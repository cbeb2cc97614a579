// Loading a model's light references into the eight fixed-function GL lights before its
// passes are drawn. Lights are given in eye space, so they stay put while the scene turns.
#pragma once

#include "scene/ModelRecord.h"

namespace tessary {

// GL light i is on exactly when the model has an i-th reference, that reference is on, it
// names a light and that light is on; then it gets the light's parameters. All eight lights
// are switched on or off for every model, so one model's lights never shine on the next.
// References past the eighth light nothing. A null model does nothing.
void SetupModelLights(const ModelRecord* model);

}  // namespace tessary
