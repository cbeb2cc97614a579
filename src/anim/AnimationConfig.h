// A player's animation.cfg: a few optional keyword lines (sex, footsteps, headoffset,
// fixedlegs, fixedtorso) and then, for every sequence in the game's fixed order, four
// numbers: first frame, frame count, looping frames and frames per second. The reader
// takes the file's text and its name (for messages) and works out the sequences the way
// the game does: the legs' first frames are moved down past the torso-only frames, a
// negative count plays backwards, a rate of 0 counts as 1, and the optional team
// sequences that are missing copy TORSO_GESTURE.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "scene/Vectors.h"

namespace tessary {

// The sequences in the order the file lists them.
enum AnimationNumber : int {
  BOTH_DEATH1, BOTH_DEAD1, BOTH_DEATH2, BOTH_DEAD2, BOTH_DEATH3, BOTH_DEAD3,
  TORSO_GESTURE, TORSO_ATTACK, TORSO_ATTACK2, TORSO_DROP, TORSO_RAISE, TORSO_STAND, TORSO_STAND2,
  LEGS_WALKCR, LEGS_WALK, LEGS_RUN, LEGS_BACK, LEGS_SWIM, LEGS_JUMP, LEGS_LAND, LEGS_JUMPB, LEGS_LANDB,
  LEGS_IDLE, LEGS_IDLECR, LEGS_TURN,
  TORSO_GETFLAG, TORSO_GUARDBASE, TORSO_PATROL, TORSO_FOLLOWME, TORSO_AFFIRMATIVE, TORSO_NEGATIVE,
  kAnimationCount
};
// Sequences up to here must be in the file; the team sequences after it may be left out.
inline constexpr int kRequiredAnimations = TORSO_GETFLAG;

// The sequence's name as the file format knows it ("LEGS_RUN").
const char* AnimationName(int number);
// The number of the sequence with that name (exact, upper case), or none.
std::optional<int> AnimationByName(std::string_view name);
// Which part plays a sequence: the legs play BOTH_* and LEGS_*, the torso BOTH_* and TORSO_*.
bool LegsPlay(int number);
bool TorsoPlays(int number);

// One sequence: the frames first .. first + count - 1 of the file that plays it.
struct AnimSequence {
  std::int32_t first = 0;
  std::int32_t count = 0;         // never negative; a negative count in the file sets reversed
  std::int32_t looping = 0;       // the last `looping` frames repeat; 0 holds the last frame
  double frameSeconds = 1.0 / 15; // time from one frame to the next
  bool reversed = false;          // plays from the last frame down to the first
};

struct AnimationConfig {
  std::string sex;        // as written ("m", "f", "n"), empty when not given
  std::string footsteps;  // as written ("boot", "flesh", ...), empty when not given
  Vec3f headOffset{0.0f, 0.0f, 0.0f};
  bool fixedLegs = false;
  bool fixedTorso = false;
  std::array<AnimSequence, kAnimationCount> sequences{};
};

struct AnimationConfigParse {
  std::optional<AnimationConfig> config;
  std::string error;  // when refused: what is wrong, on which line, then the file's name
};

// Reads the text of an animation.cfg named fileName. A file that ends before the last
// required sequence, or has something else where a number belongs, is refused with a
// message naming the line and the file.
AnimationConfigParse ParseAnimationConfig(std::string_view text, const std::string& fileName);

}  // namespace tessary
