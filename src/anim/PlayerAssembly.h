// Putting a player together as the game does: the torso hangs by its origin on the legs'
// tag_torso, the head on the torso's tag_head, a weapon on the torso's tag_weapon and its
// barrel on the weapon's tag_barrel; the legs and the torso play the sequences of the
// player's animation.cfg, standing in LEGS_IDLE and TORSO_STAND unless told otherwise, and
// the head and what hangs on the player show their first frame.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "anim/AnimationConfig.h"
#include "link/TagMatching.h"
#include "scene/Scene.h"

namespace tessary {

// The files of one player already in the scene; a count of 0 means the part is missing.
struct PlayerFiles {
  FileModels lower, upper, head, weapon, barrel;
};

// A player's animation.cfg as read: its name (for messages) and its text.
struct AnimationConfigText {
  std::string name;
  std::string text;
};

// Hangs the parts on each other as the game does (origin on the named tag, no pivot) and
// rebuilds the child lists. A part whose parent lacks the tag is left as it was.
void LinkPlayerParts(Scene& scene, const PlayerFiles& files);

// Makes the files one player: the legs and the torso get config's sequences and start
// on legs and torso (which each must be one that part plays, else the standing ones) at
// time 0, not running; the other parts stay on their first frame.
void SetUpPlayerAnimation(Scene& scene, const PlayerFiles& files, const AnimationConfig& config,
                          int legs = LEGS_IDLE, int torso = TORSO_STAND);

// A file hung on a player after it was set up (a weapon) joins it: shown on its first
// frame, it plays (stands still) together with the player's parts. player is the number
// the parts share (FilePlayback::player); a negative one leaves the file as it is.
void JoinPlayerStill(Scene& scene, const FileModels& part, std::int32_t player);

// Everything at once, for a player whose files were just loaded: linked, its
// animation.cfg read and its standing pose shown. Returns the refusal of the animation.cfg
// (the player is then linked, without sequences), else "".
std::string AssemblePlayer(Scene& scene, const PlayerFiles& files, const std::optional<AnimationConfigText>& config);

// Among files loaded in order, the parts of a player by their names: the first "lower*",
// "upper*" and head (see FallbackTagFor), and a weapon and barrel after them. None without
// both a lower and an upper part.
std::optional<PlayerFiles> FindPlayerParts(const Scene& scene, const std::vector<FileModels>& files);

// Sets the sequence of the player's legs or torso that the file belongs to; a sequence both
// play (BOTH_*) is set on both, as the game only plays them together. The part's clock
// starts again at 0 and its first frame is shown. False when the file is not a player's or
// its part does not play that sequence.
bool ChoosePlayerSequence(Scene& scene, int file, PartRole part, int number);

}  // namespace tessary
