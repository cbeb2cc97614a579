// The frame a sequence shows after some time of playing, worked out as the game works it
// out: whole frames follow one another every frameSeconds; once the count is used up a
// looping sequence goes on round its last `looping` frames and any other holds its last
// frame. Between two frames the pose is blended from one to the next.
#pragma once

#include <cstdint>

#include "anim/AnimationConfig.h"

namespace tessary {

struct FramePair {
  std::int32_t frame = 0;  // the frame the pose comes from
  std::int32_t next = 0;   // the frame it is on its way to (== frame when it stands still)
  double blend = 0.0;      // how far along, 0 <= blend < 1; 0 when frame == next
};

// The frames shown `seconds` after the sequence started (times before the start count as
// the start). A sequence of no frames shows its first frame.
FramePair FrameAtTime(const AnimSequence& sequence, double seconds);

}  // namespace tessary
