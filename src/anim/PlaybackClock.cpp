// The playback clock: from time to frame and blend.
#include "anim/PlaybackClock.h"

#include <cmath>

namespace tessary {

namespace {

// The file frame of the step-th frame played (0 is the first).
std::int32_t FrameOfStep(const AnimSequence& s, std::int64_t step) {
  if (step >= s.count) {
    step = s.looping > 0 ? (step - s.count) % s.looping + (s.count - s.looping) : s.count - 1;
  }
  const std::int64_t frame = s.reversed ? static_cast<std::int64_t>(s.first) + s.count - 1 - step : s.first + step;
  return static_cast<std::int32_t>(frame);
}

}  // namespace

FramePair FrameAtTime(const AnimSequence& sequence, double seconds) {
  if (sequence.count <= 0) return {sequence.first, sequence.first, 0.0};
  const double frames = std::isfinite(seconds) && seconds > 0.0 ? seconds / sequence.frameSeconds : 0.0;
  // Far beyond any real playing time the step is capped; a loop still comes round right
  // because the cap is a whole number of frames and the loop is taken after it.
  const double whole = std::floor(std::fmin(frames, 4.0e15));
  const std::int64_t step = static_cast<std::int64_t>(whole);
  FramePair p{FrameOfStep(sequence, step), FrameOfStep(sequence, step + 1), frames - whole};
  if (p.frame == p.next || p.blend < 0.0 || p.blend >= 1.0) p.blend = 0.0;
  return p;
}

}  // namespace tessary
