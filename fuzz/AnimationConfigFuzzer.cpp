// Fuzzes the animation.cfg reader: any text gives sequences or a refusal naming a line, and
// every sequence it gives shows only its own frames at any time.
#include <cstdlib>
#include <string_view>

#include "anim/AnimationConfig.h"
#include "anim/PlaybackClock.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessary;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const AnimationConfigParse parse = ParseAnimationConfig(text, "fuzz.cfg");
  if (!parse.config) {
    if (parse.error.find("(line ") == std::string::npos || !parse.error.ends_with("\nfuzz.cfg")) std::abort();
    return 0;
  }
  for (const AnimSequence& s : parse.config->sequences) {
    if (s.count < 0 || s.looping < 0 || s.looping > s.count || !(s.frameSeconds >= 0.001 && s.frameSeconds <= 1000.0))
      std::abort();
    for (double seconds : {0.0, 0.01, 0.5, 3.7, 1e6, 1e30}) {
      const FramePair p = FrameAtTime(s, seconds);
      const std::int64_t last = static_cast<std::int64_t>(s.first) + (s.count > 0 ? s.count - 1 : 0);
      for (std::int64_t frame : {static_cast<std::int64_t>(p.frame), static_cast<std::int64_t>(p.next)})
        if (frame < s.first || frame > last) std::abort();
      if (!(p.blend >= 0.0 && p.blend < 1.0)) std::abort();
    }
  }
  return 0;
}
