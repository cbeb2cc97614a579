// The pace of a view that moves by itself (a spin, playback): one frame per refresh of the
// display. Frames are given slots one refresh apart; a frame may be drawn a little before
// its slot, so that the swap of a display with vertical sync is not missed by a hair, but
// never more than one per slot, so that without vertical sync the view still draws no more
// often than the display refreshes. Times are seconds on any steady clock.
#pragma once

namespace tessary {

class RedrawPacer {
 public:
  // refreshRate: the display's refreshes per second; 0 or less (unknown) counts as 60.
  explicit RedrawPacer(double refreshRate = 60.0);

  // How long to wait at `now` before the next frame may be drawn; 0 when it may be drawn now.
  double WaitBefore(double now) const;
  // A frame is being drawn at `now`. Returns how much time it should show as passed since
  // the frame before: the real time, at most kLongestStep (after a stall the motion goes on
  // rather than jumping), and one refresh for the first frame after rest.
  double FrameDrawn(double now);
  // The view came to rest: the next frame starts a new run.
  void Rest() { running_ = false; }

  double Interval() const { return interval_; }

  static constexpr double kLongestStep = 0.25;

 private:
  double interval_;
  double early_;  // how long before its slot a frame may be drawn
  bool running_ = false;
  double last_ = 0.0;
  double slot_ = 0.0;  // when the next frame is due
};

}  // namespace tessary
