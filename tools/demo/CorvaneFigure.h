// The demo figure "Corvane": legs, torso and head as three MD3 files that link through
// their tags (head on torso on legs), walking in place over a looping cycle of frames.
#pragma once

#include "testdata/Md3Writer.h"

namespace tessary::demo {

inline constexpr int kFrameCount = 16;
inline constexpr const char* kLowerShader = "models/corvane/lower.pcx";
inline constexpr const char* kUpperShader = "models/corvane/upper.bmp";
inline constexpr const char* kHeadShader = "models/corvane/head.tga";

// Sizes in MD3 units: the legs reach about 26 units below the hips, the torso about 19
// above, the head 13 more, so the figure stands about 58 units tall.
md3::File MakeLower();  // l_leg_left, l_leg_right, l_belt; tag_torso on top of the hips
md3::File MakeUpper();  // u_torso, u_arm_left, u_arm_right; tag_torso (pivot), tag_head, tag_weapon
md3::File MakeHead();   // h_head, h_neck; tag_head (pivot)

}  // namespace tessary::demo
