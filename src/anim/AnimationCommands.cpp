// Animation menu commands.
#include "anim/AnimationCommands.h"

#include "anim/PlayerAssembly.h"

namespace tessary {

namespace {

std::vector<int> CurrentGroup(const Scene& scene) {
  return GroupOf(scene.animation, FileOfModel(scene.animation, scene.currentModel));
}

FilePlayback& File(Scene& scene, int f) { return scene.animation.files[static_cast<std::size_t>(f)]; }
const FilePlayback& File(const Scene& scene, int f) { return scene.animation.files[static_cast<std::size_t>(f)]; }

}  // namespace

void TogglePlayback(Workspace& ws) {
  const CurrentPlayback now = DescribeCurrentPlayback(ws.scene);
  if (!now.canPlay && !now.playing) return;
  for (int f : CurrentGroup(ws.scene)) {
    FilePlayback& file = File(ws.scene, f);
    if (PlayingSequence(file) != nullptr) SetPlaying(ws.scene, file, !now.playing);
  }
  ws.SceneChanged();
}

void ChangePlaybackRate(Workspace& ws, bool faster) {
  const std::vector<int> group = CurrentGroup(ws.scene);
  double rate = 0.0;
  for (int f : group) {
    const FilePlayback& file = File(ws.scene, f);
    if (PlayingSequence(file) != nullptr && rate == 0.0) rate = NextRate(file, faster);
  }
  if (rate == 0.0) return;
  for (int f : group)
    if (PlayingSequence(File(ws.scene, f)) != nullptr) SetRate(File(ws.scene, f), rate);
  ws.SceneChanged();
}

void RestartPlayback(Workspace& ws) {
  if (!DescribeCurrentPlayback(ws.scene).present) return;
  for (int f : CurrentGroup(ws.scene)) {
    FilePlayback& file = File(ws.scene, f);
    file.time = 0.0;
    ShowFileFrames(ws.scene, file);
  }
  ws.SceneChanged();
}

void ChooseSequence(Workspace& ws, PartRole part, int number) {
  const std::vector<int> group = CurrentGroup(ws.scene);
  if (group.empty()) return;
  if (part == PartRole::Plain) {
    FilePlayback& file = File(ws.scene, group.front());
    if (file.role != PartRole::Plain || PlayingSequence(file) == nullptr) return;
    file.time = 0.0;
    ShowFileFrames(ws.scene, file);
  } else if (!ChoosePlayerSequence(ws.scene, group.front(), part, number)) {
    return;
  }
  ws.SceneChanged();
}

void PlayEverything(Scene& scene) {
  for (FilePlayback& file : scene.animation.files)
    if (PlayingSequence(file) != nullptr) SetPlaying(scene, file, true);
}

CurrentPlayback DescribeCurrentPlayback(const Scene& scene) {
  CurrentPlayback d;
  for (int f : CurrentGroup(scene)) {
    const FilePlayback& file = File(scene, f);
    if (PlayingSequence(file) == nullptr) continue;
    d.present = true;
    d.canPlay = d.canPlay || HasMotion(scene, file);
    d.playing = d.playing || file.playing;
    if (file.role == PartRole::Legs) d.legs = file.sequence;
    if (file.role == PartRole::Torso) d.torso = file.sequence;
  }
  d.player = d.legs >= 0 || d.torso >= 0;
  return d;
}

}  // namespace tessary
