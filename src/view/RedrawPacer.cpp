// Pacing the redraws of a moving view.
#include "view/RedrawPacer.h"

#include <algorithm>

namespace tessary {

RedrawPacer::RedrawPacer(double refreshRate)
    : interval_(1.0 / (refreshRate > 0.0 ? refreshRate : 60.0)), early_(interval_ / 8.0) {}

double RedrawPacer::WaitBefore(double now) const {
  if (!running_) return 0.0;
  return std::max(0.0, slot_ - early_ - now);
}

double RedrawPacer::FrameDrawn(double now) {
  const double elapsed = running_ ? std::clamp(now - last_, 0.0, kLongestStep) : interval_;
  // The next slot follows this one; a run that fell more than a slot behind starts over
  // from now, rather than drawing a burst of frames to catch up.
  slot_ = running_ && now < slot_ + interval_ ? slot_ + interval_ : now + interval_;
  last_ = now;
  running_ = true;
  return elapsed;
}

}  // namespace tessary
