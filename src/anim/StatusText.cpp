// The status bar's text.
#include "anim/StatusText.h"

#include <cmath>
#include <cstdio>

#include "scene/SceneOps.h"

namespace tessary {

namespace {

// A rate with at most two decimals and no trailing zeros: 15, 1.5, 0.25.
std::string RateText(double rate) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", rate);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

std::string FrameText(const ModelRecord& m) {
  if (m.FrameCount() == 0) return "";
  const bool moving = m.blend > 0.0f && m.blend < 1.0f && m.blendFrame != m.currentFrame && m.blendFrame >= 0 &&
                      m.blendFrame < m.FrameCount();
  if (!moving) return "Frame " + std::to_string(m.currentFrame) + " of " + std::to_string(m.FrameCount());
  const int percent = static_cast<int>(std::floor(m.blend * 100.0f));
  return "Frame " + std::to_string(m.currentFrame) + " \u2192 " + std::to_string(m.blendFrame) + " (" +
         std::to_string(percent) + "%)";
}

}  // namespace

StatusFields BuildStatusFields(const Scene& scene) {
  StatusFields s;
  if (!scene.IsModelIndex(scene.currentModel)) return s;
  const ModelRecord& m = *scene.models[static_cast<std::size_t>(scene.currentModel)];
  s.file = m.sourceFile.empty() ? m.name : FileNameFromPath(m.sourceFile);
  s.frame = FrameText(m);

  const AnimationState& state = scene.animation;
  bool playing = false;
  const FilePlayback* timed = nullptr;  // the file whose rate is shown
  for (int f : GroupOf(state, FileOfModel(state, scene.currentModel))) {
    const FilePlayback& file = state.files[static_cast<std::size_t>(f)];
    const std::string name = SequenceName(file);
    if (name.empty()) continue;
    s.sequences += (s.sequences.empty() ? "" : ", ") + name;
    playing = playing || file.playing;
    if (timed == nullptr) timed = &file;
  }
  if (timed != nullptr) {
    s.rate = (timed->role == PartRole::Plain ? RateText(timed->rate) + " fps" : "Speed \u00d7" + RateText(timed->rate)) +
             (playing ? ", playing" : ", paused");
  }
  return s;
}

}  // namespace tessary
