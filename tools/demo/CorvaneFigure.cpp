// The shapes and the sequences of the demo figure. Each part is a lathed tube or a box
// placed per frame by a few joint angles; texture coordinates point into the layout that
// CorvaneTextures paints. Every frame of a file is worked out from the sequence it belongs
// to, so the frames of lower.md3 and upper.md3 follow the layout the animation.cfg gives.
#include "CorvaneFigure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "MeshBuilder.h"

namespace tessary::demo {
namespace {

constexpr int kSides = 12;
constexpr double kPi = std::numbers::pi;

// Where the sequences lie. Both files start with the death (the last frame of the dying
// is repeated as the frame of lying dead); upper.md3 then has the torso's own sequences
// and lower.md3 the legs' own.
constexpr int kDeathFrames = 10;
constexpr int kBothFrames = kDeathFrames + 1;
constexpr int kGestureFirst = kBothFrames, kGestureFrames = 10;
constexpr int kAttackFirst = kGestureFirst + kGestureFrames, kAttackFrames = 6;
constexpr int kDropFirst = kAttackFirst + kAttackFrames, kDropFrames = 5;
constexpr int kStandFirst = kDropFirst + kDropFrames, kStandFrames = 8;
constexpr int kSwingFirst = kStandFirst + kStandFrames, kSwingFrames = 16;
constexpr int kUpperFrames = kSwingFirst + kSwingFrames;
constexpr int kWalkFirst = kBothFrames, kWalkFrames = 16;
constexpr int kRunFirst = kWalkFirst + kWalkFrames, kRunFrames = 12;
constexpr int kIdleFirst = kRunFirst + kRunFrames, kIdleFrames = 8;
constexpr int kJumpFirst = kIdleFirst + kIdleFrames, kJumpFrames = 6;
constexpr int kLowerFrames = kJumpFirst + kJumpFrames;

// The angle of a cycle of `count` frames at `frame`, and the way from 0 (first frame) to
// 1 (last frame) through a sequence that does not loop.
double Cycle(int frame, int count) { return 2.0 * kPi * frame / count; }
double Progress(int frame, int count) { return std::min(1.0, static_cast<double>(frame) / (count - 1)); }
double Ease(double t) { return t * t * (3.0 - 2.0 * t); }
double Mix(double a, double b, double t) { return a + (b - a) * t; }
double Cos(double degrees) { return std::cos(degrees * kPi / 180.0); }

// Sets every frame's bounds from the surfaces and names it.
void FinishFrames(md3::File& file, int frames) {
  file.frames.clear();
  for (int f = 0; f < frames; ++f) {
    file.frames.push_back(md3::BoundsOf(file, static_cast<std::size_t>(f), "frame" + std::to_string(f)));
  }
}

// ---- Legs -------------------------------------------------------------------------------

constexpr double kThighLength = 11.0;
constexpr double kShinLength = 10.0;

// Forward swings from hanging straight down, in degrees; the shin's is its own, not
// relative to the thigh.
struct LegAngles {
  double thigh = 0, shin = 0, foot = 0;
};

struct LowerPose {
  double drop = 0;   // the hips below their standing height (negative: above)
  double lean = 0;   // the hips and all above them tip forward by this much
  double twist = 0;  // the torso turns this far to the left
  LegAngles left, right;
};

// A leg swinging through a step: the knee bends while the leg comes forward.
LegAngles Stride(double p, double swing, double knee, double forward) {
  const double thigh = swing * std::sin(p) + forward;
  const double shin = thigh - knee * std::max(0.0, std::cos(p));
  return {thigh, shin, 0.3 * shin};
}

// Both knees bent by `knee` with the feet under the hips: how far the hips come down.
LegAngles Crouch(double knee) { return {knee / 2.0, -knee / 2.0, 0.0}; }
double CrouchDrop(const LegAngles& leg) {
  return kThighLength + kShinLength - kThighLength * Cos(leg.thigh) - kShinLength * Cos(leg.shin);
}

// Sinking to the knees and tipping forward; the last frames lie still.
LowerPose DeathLegs(int i) {
  const double s = Ease(Progress(std::min(i, kDeathFrames - 1), kDeathFrames));
  LowerPose p;
  p.left = p.right = {12.0 * s, -88.0 * s, -44.0 * s};
  p.drop = CrouchDrop(p.left);
  p.lean = 20.0 * s;
  return p;
}

LowerPose Walk(int i) {
  const double p = Cycle(i, kWalkFrames);
  return {-0.6 * std::cos(2.0 * p), 0.0, 5.0 * std::sin(p), Stride(p, 26.0, 34.0, 0.0), Stride(p + kPi, 26.0, 34.0, 0.0)};
}

LowerPose Run(int i) {
  const double p = Cycle(i, kRunFrames);
  return {1.6 - 1.2 * std::cos(2.0 * p), 9.0, 9.0 * std::sin(p), Stride(p, 40.0, 80.0, 8.0),
          Stride(p + kPi, 40.0, 80.0, 8.0)};
}

LowerPose Idle(int i) {
  const double p = Cycle(i, kIdleFrames);
  const LegAngles legs = Crouch(7.0 + 3.0 * std::sin(p));
  return {CrouchDrop(legs), 0.0, 2.0 * std::sin(p), legs, legs};
}

LowerPose Jump(int i) {
  constexpr std::array<double, kJumpFrames> knee = {0, 40, 70, 25, 30, 45};
  constexpr std::array<double, kJumpFrames> lift = {0, 0, 0, 3, 7, 8};
  const LegAngles legs = Crouch(knee[static_cast<std::size_t>(i)]);
  return {CrouchDrop(legs) - lift[static_cast<std::size_t>(i)], 0.15 * knee[static_cast<std::size_t>(i)], 0.0, legs,
          legs};
}

LowerPose LowerFrame(int f) {
  if (f < kBothFrames) return DeathLegs(f);
  if (f < kRunFirst) return Walk(f - kWalkFirst);
  if (f < kIdleFirst) return Run(f - kRunFirst);
  if (f < kJumpFirst) return Idle(f - kIdleFirst);
  return Jump(f - kJumpFirst);
}

// The hips: lowered and tipped forward (a positive pitch would tip the top backwards).
Pose Pelvis(int f) {
  const LowerPose p = LowerFrame(f);
  return Pose{Pitch(-p.lean), Vec3{0, 0, -p.drop}};
}

md3::Surface BuildLeg(const std::string& name, double side, float s0) {
  SurfaceBuilder b(name, kLowerShader, kLowerFrames);
  const auto angles = [=](int f) { return side > 0 ? LowerFrame(f).left : LowerFrame(f).right; };
  const auto hip = [=](int f) { return Pelvis(f).Apply({0.0, 3.6 * side, -2.0}); };
  const auto thighPose = [=](int f) { return Pose{Pitch(angles(f).thigh), hip(f)}; };
  const auto kneePos = [=](int f) { return thighPose(f).Apply({0, 0, -kThighLength}); };
  const auto shinPose = [=](int f) { return Pose{Pitch(angles(f).shin), kneePos(f)}; };
  const auto anklePos = [=](int f) { return shinPose(f).Apply({0, 0, -kShinLength}); };
  const auto footPose = [=](int f) { return Pose{Pitch(angles(f).foot), anklePos(f)}; };

  const float s1 = s0 + 0.5f;
  b.AddLathe({{1.4, 0, 0}, {0.7, 2.4, 2.6}, {-3.0, 2.7, 2.8}, {-7.0, 2.4, 2.5}, {-10.4, 1.9, 2.0}, {-11.6, 0, 0}},
             kSides, {s0, 0.0f, s1, 0.3f}, thighPose);
  b.AddLathe({{0.9, 0, 0}, {0.4, 2.0, 2.1}, {-4.0, 1.9, 2.0}, {-8.6, 1.4, 1.5}, {-10.0, 1.5, 1.6}, {-10.9, 0, 0}},
             kSides, {s0, 0.3f, s1, 0.6f}, shinPose);
  b.AddBox({-1.8, -1.7, -2.6}, {5.2, 1.7, 0.4}, {s0, 0.6f, s1, 0.8f}, footPose);
  return b.Build();
}

md3::Surface BuildBelt() {
  SurfaceBuilder b("l_belt", kLowerShader, kLowerFrames);
  b.AddLathe({{2.2, 0, 0}, {1.6, 4.3, 6.1}, {0.6, 5.0, 6.9}, {-2.4, 5.2, 7.1}, {-3.6, 4.6, 6.4}, {-4.2, 0, 0}},
             kSides, {0.0f, 0.8f, 1.0f, 1.0f}, Pelvis);
  return b.Build();
}

// ---- Torso and arms ---------------------------------------------------------------------

// Forward swing, outward lift and elbow bend, in degrees.
struct ArmAngles {
  double swing = 0, out = 7, elbow = 16;
};

ArmAngles MixArms(const ArmAngles& a, const ArmAngles& b, double t) {
  return {Mix(a.swing, b.swing, t), Mix(a.out, b.out, t), Mix(a.elbow, b.elbow, t)};
}

struct UpperPose {
  double bend = 0;   // forward bend of the torso
  double lift = 0;   // rise of the chest
  double twist = 0;  // turn to the left
  ArmAngles left, right;
};

const ArmAngles kRest{};
const ArmAngles kReady{30, 10, 70};  // fists up in front

UpperPose DeathTorso(int i) {
  const double s = Ease(Progress(std::min(i, kDeathFrames - 1), kDeathFrames));
  const ArmAngles arms{15.0 * s, 7.0 + 6.0 * s, 16.0 - 8.0 * s};
  return {35.0 * s, 0.0, 0.0, arms, arms};
}

// The right arm comes up to the side and waves.
UpperPose Gesture(int i) {
  const double t = Progress(i, kGestureFrames);
  const double up = Ease(std::clamp(t / 0.3, 0.0, 1.0)) * Ease(std::clamp((1.0 - t) / 0.3, 0.0, 1.0));
  const ArmAngles right{10.0 * up, 7.0 + 128.0 * up, 16.0 + up * (40.0 + 30.0 * std::sin(4.0 * kPi * t))};
  return {0.0, 0.0, 0.0, kRest, right};
}

// A punch with the right fist: wind up, strike, back.
UpperPose Attack(int i) {
  constexpr std::array<std::array<double, 4>, kAttackFrames> keys = {{
      {0, 16, 0, 0}, {-25, 95, 12, -2}, {40, 50, -5, 3}, {85, 5, -15, 6}, {45, 40, -8, 3}, {0, 16, 0, 0}}};
  const auto& k = keys[static_cast<std::size_t>(i)];  // swing, elbow, twist, bend
  return {k[3], 0.0, k[2], kRest, ArmAngles{k[0], 7, k[1]}};
}

// The fists come down from in front to the sides (played backwards, they come up).
UpperPose Drop(int i) {
  const ArmAngles arms = MixArms(kReady, kRest, Ease(Progress(i, kDropFrames)));
  return {0.0, 0.0, 0.0, arms, arms};
}

// Breathing.
UpperPose Stand(int i) {
  const double p = Cycle(i, kStandFrames);
  const ArmAngles arms{2.0 * std::sin(p), 7.0 + 1.5 * std::sin(p), 16.0 + 3.0 * std::sin(p)};
  return {-0.8 * std::sin(p), 0.3 * std::sin(p), 0.0, arms, arms};
}

// Arms swinging against the legs of a walk.
UpperPose Swing(int i) {
  const double p = Cycle(i, kSwingFrames);
  const auto arm = [](double q) { return ArmAngles{-22.0 * std::sin(q), 7.0, 16.0 + 14.0 * std::max(0.0, -std::sin(q))}; };
  return {-2.5 * std::sin(2.0 * p), 0.5 * std::sin(2.0 * p + 0.6), 0.0, arm(p), arm(p + kPi)};
}

UpperPose UpperFrame(int f) {
  if (f < kBothFrames) return DeathTorso(f);
  if (f < kAttackFirst) return Gesture(f - kGestureFirst);
  if (f < kDropFirst) return Attack(f - kAttackFirst);
  if (f < kStandFirst) return Drop(f - kDropFirst);
  if (f < kSwingFirst) return Stand(f - kStandFirst);
  return Swing(f - kSwingFirst);
}

Pose TorsoPose(int f) {
  const UpperPose u = UpperFrame(f);
  return Pose{Yaw(u.twist) * Pitch(-u.bend), Vec3{0, 0, u.lift}};
}

struct ArmPoses {
  Pose upper, fore, hand;
};

// side +1 is the left arm, -1 the right.
ArmPoses Arm(int f, double side) {
  const UpperPose u = UpperFrame(f);
  const ArmAngles& a = side > 0 ? u.left : u.right;
  const Mat3 spread = Roll(a.out * side);
  const Pose torso = TorsoPose(f);
  const Pose upper{spread * Pitch(a.swing), Vec3{0.0, 8.6 * side, 14.8}};
  const Pose fore{spread * Pitch(a.swing + a.elbow), upper.Apply({0, 0, -7.0})};
  const Pose hand{fore.rotation, fore.Apply({0, 0, -6.6})};
  return {upper.Then(torso), fore.Then(torso), hand.Then(torso)};
}

md3::Surface BuildArm(const std::string& name, double side, float s0) {
  SurfaceBuilder b(name, kUpperShader, kUpperFrames);
  const float s1 = s0 + 0.25f;
  b.AddLathe({{1.6, 0, 0}, {0.9, 2.0, 2.1}, {-3.0, 1.9, 2.0}, {-6.4, 1.6, 1.7}, {-7.5, 0, 0}}, kSides,
             {s0, 0.0f, s1, 0.42f}, [=](int f) { return Arm(f, side).upper; });
  b.AddLathe({{0.9, 0, 0}, {0.4, 1.7, 1.7}, {-4.8, 1.4, 1.4}, {-6.2, 1.2, 1.25}, {-6.8, 0, 0}}, kSides,
             {s0, 0.42f, s1, 0.8f}, [=](int f) { return Arm(f, side).fore; });
  b.AddLathe({{0.4, 0, 0}, {-0.4, 1.25, 1.05}, {-2.2, 1.2, 0.95}, {-3.2, 0, 0}}, kSides, {s0, 0.8f, s1, 1.0f},
             [=](int f) { return Arm(f, side).hand; });
  return b.Build();
}

md3::Surface BuildTorso() {
  SurfaceBuilder b("u_torso", kUpperShader, kUpperFrames);
  b.AddLathe({{19.2, 0, 0},
              {18.4, 2.2, 2.4},
              {17.2, 3.6, 6.2},
              {15.2, 4.8, 8.3},
              {11.0, 5.2, 7.6},
              {6.0, 4.6, 6.4},
              {1.2, 4.4, 6.2},
              {-1.0, 4.0, 5.6},  // tucked into the belt, so no gap opens while it turns
              {-1.6, 0, 0}},
             kSides, {0.0f, 0.0f, 0.5f, 1.0f}, TorsoPose);
  return b.Build();
}

// ---- Head -------------------------------------------------------------------------------

Pose NodPose(int f) { return Pose{Pitch(-9.0 * std::sin(Cycle(f, kHeadFrameCount))), Vec3{}}; }

md3::Surface BuildHead() {
  SurfaceBuilder b("h_head", kHeadShader, kHeadFrameCount);
  std::vector<Ring> rings;
  constexpr int kRings = 11;
  for (int i = 0; i < kRings; ++i) {
    const double polar = std::numbers::pi * i / (kRings - 1);
    const double s = i == 0 || i == kRings - 1 ? 0.0 : std::sin(polar);  // exact poles
    rings.push_back({7.2 + 6.2 * std::cos(polar), 5.0 * s, 4.6 * s});
  }
  const auto skull = [](int f) { return Pose{Mat3{}, Vec3{0.6, 0, 0}}.Then(NodPose(f)); };
  b.AddLathe(rings, 16, {0.0f, 0.0f, 1.0f, 0.8f}, skull);
  b.AddBox({4.9, -0.6, 5.4}, {6.4, 0.6, 7.6}, {0.75f, 0.8f, 1.0f, 1.0f}, NodPose);  // nose
  return b.Build();
}

md3::Surface BuildNeck() {
  SurfaceBuilder b("h_neck", kHeadShader, kHeadFrameCount);
  b.AddLathe({{3.2, 0, 0}, {3.2, 2.3, 2.3}, {1.2, 2.3, 2.3}, {-0.9, 2.5, 2.5}, {-0.9, 0, 0}}, kSides,
             {0.0f, 0.8f, 0.75f, 1.0f}, NodPose);
  return b.Build();
}

// One line of the animation.cfg: the sequence's first frame, counted the way the file
// counts it (legs frames after all the torso's), its count, looping frames and rate.
std::string SequenceLine(const char* name, int first, int count, int looping, int fps) {
  char line[96];
  std::snprintf(line, sizeof line, "%d\t%d\t%d\t%d\t\t// %s\n", first, count, looping, fps, name);
  return line;
}

}  // namespace

md3::File MakeLower() {
  md3::File file;
  file.name = "models/corvane/lower.md3";
  file.surfaces = {BuildLeg("l_leg_left", 1.0, 0.0f), BuildLeg("l_leg_right", -1.0, 0.5f), BuildBelt()};
  for (int f = 0; f < kLowerFrames; ++f) {
    const Pose pelvis = Pelvis(f);
    const Pose torso{pelvis.rotation * Yaw(LowerFrame(f).twist), pelvis.Apply({0, 0, 2.4})};
    file.tags.push_back({TagFromPose("tag_torso", torso)});
  }
  FinishFrames(file, kLowerFrames);
  return file;
}

md3::File MakeUpper() {
  md3::File file;
  file.name = "models/corvane/upper.md3";
  file.surfaces = {BuildTorso(), BuildArm("u_arm_left", 1.0, 0.5f), BuildArm("u_arm_right", -1.0, 0.75f)};
  for (int f = 0; f < kUpperFrames; ++f) {
    const Pose torso = TorsoPose(f);
    const Pose head{torso.rotation, torso.Apply({0, 0, 18.6})};
    const Pose hand = Arm(f, -1.0).hand;
    const Pose weapon{hand.rotation, hand.Apply({0, 0, -1.6})};
    file.tags.push_back({TagFromPose("tag_torso", Pose{}), TagFromPose("tag_head", head),
                         TagFromPose("tag_weapon", weapon)});
  }
  FinishFrames(file, kUpperFrames);
  return file;
}

md3::File MakeHead() {
  md3::File file;
  file.name = "models/corvane/head.md3";
  file.surfaces = {BuildHead(), BuildNeck()};
  for (int f = 0; f < kHeadFrameCount; ++f) file.tags.push_back({TagFromPose("tag_head", Pose{})});
  FinishFrames(file, kHeadFrameCount);
  return file;
}

std::string MakeAnimationConfig() {
  // The legs' frames are written as if they came after the torso's.
  const int legs = kUpperFrames - kBothFrames;
  std::string text =
      "// Corvane, the demo figure of Tessary. Frames of upper.md3 and lower.md3 are counted\n"
      "// as one range: the death both parts share, the torso's own, then the legs' own.\n"
      "// The team sequences are left out; they play TORSO_GESTURE.\n"
      "sex m\n"
      "footsteps normal\n"
      "headoffset 0 0 0\n"
      "\n"
      "// first\tcount\tlooping\tfps\n";
  text += SequenceLine("BOTH_DEATH1", 0, kDeathFrames, 0, 15);
  text += SequenceLine("BOTH_DEAD1", kDeathFrames, 1, 0, 15);
  text += SequenceLine("BOTH_DEATH2", 0, kDeathFrames, 0, 20);
  text += SequenceLine("BOTH_DEAD2", kDeathFrames, 1, 0, 15);
  text += SequenceLine("BOTH_DEATH3", 0, kDeathFrames, 0, 10);
  text += SequenceLine("BOTH_DEAD3", kDeathFrames, 1, 0, 15);
  text += "\n";
  text += SequenceLine("TORSO_GESTURE", kGestureFirst, kGestureFrames, 0, 12);
  text += SequenceLine("TORSO_ATTACK", kAttackFirst, kAttackFrames, 0, 15);
  text += SequenceLine("TORSO_ATTACK2", kAttackFirst, kAttackFrames, 0, 10);
  text += SequenceLine("TORSO_DROP", kDropFirst, kDropFrames, 0, 20);
  text += SequenceLine("TORSO_RAISE (the drop backwards)", kDropFirst, -kDropFrames, 0, 20);
  text += SequenceLine("TORSO_STAND", kStandFirst, kStandFrames, kStandFrames, 8);
  text += SequenceLine("TORSO_STAND2 (arms swinging)", kSwingFirst, kSwingFrames, kSwingFrames, 15);
  text += "\n";
  text += SequenceLine("LEGS_WALKCR", kWalkFirst + legs, kWalkFrames, kWalkFrames, 12);
  text += SequenceLine("LEGS_WALK", kWalkFirst + legs, kWalkFrames, kWalkFrames, 15);
  text += SequenceLine("LEGS_RUN", kRunFirst + legs, kRunFrames, kRunFrames, 18);
  text += SequenceLine("LEGS_BACK (the walk backwards)", kWalkFirst + legs, -kWalkFrames, kWalkFrames, 15);
  text += SequenceLine("LEGS_SWIM", kIdleFirst + legs, kIdleFrames, kIdleFrames, 8);
  text += SequenceLine("LEGS_JUMP", kJumpFirst + legs, kJumpFrames, 0, 15);
  text += SequenceLine("LEGS_LAND (the jump backwards)", kJumpFirst + legs, -kJumpFrames, 0, 15);
  text += SequenceLine("LEGS_JUMPB", kJumpFirst + legs, kJumpFrames, 0, 15);
  text += SequenceLine("LEGS_LANDB", kJumpFirst + legs, -kJumpFrames, 0, 15);
  text += SequenceLine("LEGS_IDLE", kIdleFirst + legs, kIdleFrames, kIdleFrames, 8);
  text += SequenceLine("LEGS_IDLECR", kIdleFirst + legs, kIdleFrames, kIdleFrames, 6);
  text += SequenceLine("LEGS_TURN", kIdleFirst + legs, kIdleFrames, kIdleFrames, 12);
  return text;
}

}  // namespace tessary::demo
