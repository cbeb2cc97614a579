// Stepping animation frames by hand: the arrow-key commands and the frame lock. Stepping
// stops playback, so the frame stepped to stays on show.
#include "view/ViewCommands.h"

#include <cstdint>

namespace tessary {

namespace {

// A model that can be stepped: not locked, and with frames to step through (the loader
// refuses files without frames, so a frameless model is treated like a locked one).
bool CanStep(const ModelRecord& model) { return model.lockFrame != 1 && model.FrameCount() > 0; }

// Moves currentFrame by delta; past the last frame it comes back to 0, below 0 it goes to
// the last frame. The result is always a valid frame, even from a stale value.
void StepFrame(ModelRecord& model, int delta) {
  const std::int64_t count = model.FrameCount();
  std::int64_t next = static_cast<std::int64_t>(model.currentFrame) + delta;
  if (next >= count) next = 0;
  else if (next < 0) next = count - 1;
  model.currentFrame = static_cast<std::int32_t>(next);
  model.blendFrame = model.currentFrame;  // a stepped model shows the whole frame
  model.blend = 0.0f;
}

}  // namespace

void StepCurrentModel(Workspace& ws, int delta) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr || !CanStep(*model)) return;
  PauseGroupOfModel(ws.scene, ws.scene.currentModel);
  StepFrame(*model, delta);
  ws.SceneChanged();
}

void StepAllModels(Workspace& ws, int delta) {
  PauseAll(ws.scene);
  for (auto& model : ws.scene.models) {
    if (model && CanStep(*model)) StepFrame(*model, delta);
  }
  ws.SceneChanged();
}

void ToggleLockFrame(Workspace& ws) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  model->lockFrame = model->lockFrame == 1 ? 0 : 1;
  ws.SceneChanged();
}

}  // namespace tessary
