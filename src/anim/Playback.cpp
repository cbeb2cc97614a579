// Playback state: the files' clocks, the frames they show, rates and the fix-up when a
// model goes.
#include "anim/Playback.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "anim/PlaybackClock.h"
#include "scene/Scene.h"

namespace tessary {

namespace {

// Rates offered by Faster and Slower: frames per second for a plain model, a speed factor
// for a player.
constexpr std::array<double, 14> kPlainRates = {1, 2, 3, 5, 8, 10, 12, 15, 20, 24, 30, 40, 50, 60};
constexpr std::array<double, 9> kPlayerSpeeds = {0.1, 0.25, 0.5, 0.75, 1, 1.5, 2, 3, 4};

const ModelRecord* ModelAt(const Scene& scene, std::int32_t index) {
  return scene.IsModelIndex(index) ? scene.models[static_cast<std::size_t>(index)].get() : nullptr;
}

}  // namespace

double PlaybackSpeed(const FilePlayback& file) { return file.role == PartRole::Plain ? 1.0 : file.rate; }

void AddPlainPlayback(AnimationState& state, std::int32_t first, std::int32_t count, std::int32_t frameCount) {
  FilePlayback file;
  for (std::int32_t i = 0; i < count; ++i) file.records.push_back(first + i);
  AnimSequence all;
  all.count = std::max<std::int32_t>(frameCount, 0);
  all.looping = all.count;
  all.frameSeconds = 1.0 / kDefaultPlainRate;
  file.sequences = {all};
  file.sequence = 0;
  file.rate = kDefaultPlainRate;
  state.files.push_back(std::move(file));
}

int FileOfModel(const AnimationState& state, std::int32_t model) {
  for (std::size_t f = 0; f < state.files.size(); ++f) {
    const auto& records = state.files[f].records;
    if (std::find(records.begin(), records.end(), model) != records.end()) return static_cast<int>(f);
  }
  return -1;
}

std::vector<int> GroupOf(const AnimationState& state, int file) {
  if (file < 0 || file >= static_cast<int>(state.files.size())) return {};
  const std::int32_t player = state.files[static_cast<std::size_t>(file)].player;
  if (player < 0) return {file};
  std::vector<int> group;
  for (std::size_t f = 0; f < state.files.size(); ++f)
    if (state.files[f].player == player) group.push_back(static_cast<int>(f));
  return group;
}

const AnimSequence* PlayingSequence(const FilePlayback& file) {
  if (file.sequence < 0 || static_cast<std::size_t>(file.sequence) >= file.sequences.size()) return nullptr;
  return &file.sequences[static_cast<std::size_t>(file.sequence)];
}

std::string SequenceName(const FilePlayback& file) {
  if (PlayingSequence(file) == nullptr) return "";
  return file.role == PartRole::Plain ? "All frames" : AnimationName(file.sequence);
}

bool HasMotion(const Scene& scene, const FilePlayback& file) {
  const AnimSequence* s = PlayingSequence(file);
  if (s == nullptr || s->count < 2) return false;
  return std::any_of(file.records.begin(), file.records.end(), [&](std::int32_t r) {
    const ModelRecord* m = ModelAt(scene, r);
    return m != nullptr && m->lockFrame != 1;
  });
}

void AdvancePlayback(AnimationState& state, double seconds) {
  if (!(seconds > 0.0)) return;
  for (FilePlayback& file : state.files)
    if (file.playing) file.time += seconds * PlaybackSpeed(file);
}

void ShowFileFrames(Scene& scene, const FilePlayback& file) {
  const AnimSequence* s = PlayingSequence(file);
  if (s == nullptr) return;
  const FramePair p = FrameAtTime(*s, file.time);
  for (std::int32_t r : file.records) {
    if (!scene.IsModelIndex(r)) continue;
    ModelRecord& m = *scene.models[static_cast<std::size_t>(r)];
    if (m.lockFrame == 1) continue;
    m.currentFrame = p.frame;
    m.blendFrame = p.next;
    m.blend = static_cast<float>(p.blend);
  }
}

void ShowPlayingFrames(Scene& scene) {
  for (const FilePlayback& file : scene.animation.files)
    if (file.playing) ShowFileFrames(scene, file);
}

bool AnyPlaying(const Scene& scene) {
  return std::any_of(scene.animation.files.begin(), scene.animation.files.end(),
                     [&](const FilePlayback& f) { return f.playing && HasMotion(scene, f); });
}

void SetPlaying(Scene& scene, FilePlayback& file, bool playing) {
  const AnimSequence* s = PlayingSequence(file);
  if (playing && !file.playing && s != nullptr && s->count > 0) {
    // Go on from the frame on show when it belongs to the sequence, part-way blends included.
    for (std::int32_t r : file.records) {
      const ModelRecord* m = ModelAt(scene, r);
      if (m == nullptr || m->lockFrame == 1) continue;
      const std::int64_t step = s->reversed ? static_cast<std::int64_t>(s->first) + s->count - 1 - m->currentFrame
                                            : static_cast<std::int64_t>(m->currentFrame) - s->first;
      if (step >= 0 && step < s->count) {
        const bool blended = m->blend > 0.0f && m->blendFrame != m->currentFrame;
        file.time = (static_cast<double>(step) + (blended ? m->blend : 0.0)) * s->frameSeconds;
      }
      break;
    }
  }
  file.playing = playing;
}

void PauseAll(Scene& scene) {
  for (FilePlayback& file : scene.animation.files) file.playing = false;
}

void PauseGroupOfModel(Scene& scene, std::int32_t model) {
  for (int f : GroupOf(scene.animation, FileOfModel(scene.animation, model)))
    scene.animation.files[static_cast<std::size_t>(f)].playing = false;
}

void SetRate(FilePlayback& file, double rate) {
  if (!(rate > 0.0) || !std::isfinite(rate)) return;
  if (file.role == PartRole::Plain && !file.sequences.empty()) {
    // The clock counts seconds at the old rate; the same frame at the new rate comes at
    // old / new of that time.
    AnimSequence& all = file.sequences.front();
    const double seconds = 1.0 / rate;
    file.time *= seconds / all.frameSeconds;
    all.frameSeconds = seconds;
  }
  file.rate = rate;
}

double NextRate(const FilePlayback& file, bool faster) {
  const double* begin = file.role == PartRole::Plain ? kPlainRates.data() : kPlayerSpeeds.data();
  const double* end = begin + (file.role == PartRole::Plain ? kPlainRates.size() : kPlayerSpeeds.size());
  // A rate between two steps moves to the nearer step in the direction asked.
  if (faster) {
    const double* up = std::upper_bound(begin, end, file.rate * (1.0 + 1e-9));
    return up != end ? *up : file.rate;
  }
  const double* down = std::lower_bound(begin, end, file.rate * (1.0 - 1e-9));
  return down != begin ? *(down - 1) : file.rate;
}

void ForgetModel(AnimationState& state, std::int32_t index) {
  for (FilePlayback& file : state.files) {
    std::erase(file.records, index);
    for (std::int32_t& r : file.records)
      if (r > index) --r;
  }
  std::erase_if(state.files, [](const FilePlayback& f) { return f.records.empty(); });
}

}  // namespace tessary
