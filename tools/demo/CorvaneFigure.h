// The demo figure "Corvane": a player model in three MD3 files that link through their
// tags (head on torso on legs), with an animation.cfg. Both the legs and the torso start
// with a death shared by the two; the torso then has a gesture, an attack, lowering the
// arms and two ways of standing, the legs a walk, a run, standing and a jump. The head nods.
#pragma once

#include <string>

#include "testdata/Md3Writer.h"

namespace tessary::demo {

inline constexpr int kHeadFrameCount = 16;
inline constexpr const char* kLowerShader = "models/corvane/lower.pcx";
inline constexpr const char* kUpperShader = "models/corvane/upper.bmp";
inline constexpr const char* kHeadShader = "models/corvane/head.tga";

// Sizes in MD3 units: the legs reach about 26 units below the hips, the torso about 19
// above, the head 13 more, so the figure stands about 58 units tall.
md3::File MakeLower();  // l_leg_left, l_leg_right, l_belt; tag_torso on top of the hips
md3::File MakeUpper();  // u_torso, u_arm_left, u_arm_right; tag_torso (pivot), tag_head, tag_weapon
md3::File MakeHead();   // h_head, h_neck; tag_head (pivot)
// The sequences of the two files above, with comments, in the game's format.
std::string MakeAnimationConfig();

}  // namespace tessary::demo
