// The shapes and the walk cycle of the demo figure. Each part is a lathed tube or a box
// placed per frame by a few joint angles; texture coordinates point into the layout that
// CorvaneTextures paints.
#include "CorvaneFigure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "MeshBuilder.h"

namespace tessary::demo {
namespace {

constexpr int kSides = 12;

double Phase(int frame) { return 2.0 * std::numbers::pi * frame / kFrameCount; }

// Sets every frame's bounds from the surfaces and names it.
void FinishFrames(md3::File& file) {
  file.frames.clear();
  for (int f = 0; f < kFrameCount; ++f) {
    file.frames.push_back(md3::BoundsOf(file, static_cast<std::size_t>(f), "walk" + std::to_string(f)));
  }
}

// ---- Legs -------------------------------------------------------------------------------

double HipBob(int f) { return 0.6 * std::cos(2.0 * Phase(f)); }

struct LegAngles {
  double thigh;  // forward swing of the thigh
  double shin;   // forward swing of the shin (the knee bends it back while the leg swings forward)
};

LegAngles Leg(int f, double phaseShift) {
  const double p = Phase(f) + phaseShift;
  const double thigh = 26.0 * std::sin(p);
  const double knee = 34.0 * std::max(0.0, std::cos(p));
  return {thigh, thigh - knee};
}

constexpr double kThighLength = 11.0;
constexpr double kShinLength = 10.0;

md3::Surface BuildLeg(const std::string& name, double side, double phaseShift, float s0) {
  SurfaceBuilder b(name, kLowerShader, kFrameCount);
  const auto hip = [=](int f) { return Vec3{0.0, 3.6 * side, -2.0 + HipBob(f)}; };
  const auto thighPose = [=](int f) { return Pose{Pitch(Leg(f, phaseShift).thigh), hip(f)}; };
  const auto kneePos = [=](int f) { return thighPose(f).Apply({0, 0, -kThighLength}); };
  const auto shinPose = [=](int f) { return Pose{Pitch(Leg(f, phaseShift).shin), kneePos(f)}; };
  const auto anklePos = [=](int f) { return shinPose(f).Apply({0, 0, -kShinLength}); };
  const auto footPose = [=](int f) { return Pose{Pitch(0.3 * Leg(f, phaseShift).shin), anklePos(f)}; };

  const float s1 = s0 + 0.5f;
  b.AddLathe({{1.4, 0, 0}, {0.7, 2.4, 2.6}, {-3.0, 2.7, 2.8}, {-7.0, 2.4, 2.5}, {-10.4, 1.9, 2.0}, {-11.6, 0, 0}},
             kSides, {s0, 0.0f, s1, 0.3f}, thighPose);
  b.AddLathe({{0.9, 0, 0}, {0.4, 2.0, 2.1}, {-4.0, 1.9, 2.0}, {-8.6, 1.4, 1.5}, {-10.0, 1.5, 1.6}, {-10.9, 0, 0}},
             kSides, {s0, 0.3f, s1, 0.6f}, shinPose);
  b.AddBox({-1.8, -1.7, -2.6}, {5.2, 1.7, 0.4}, {s0, 0.6f, s1, 0.8f}, footPose);
  return b.Build();
}

md3::Surface BuildBelt() {
  SurfaceBuilder b("l_belt", kLowerShader, kFrameCount);
  const auto pelvis = [](int f) { return Pose{Mat3{}, Vec3{0, 0, HipBob(f)}}; };
  b.AddLathe({{2.2, 0, 0}, {1.6, 4.3, 6.1}, {0.6, 5.0, 6.9}, {-2.4, 5.2, 7.1}, {-3.6, 4.6, 6.4}, {-4.2, 0, 0}},
             kSides, {0.0f, 0.8f, 1.0f, 1.0f}, pelvis);
  return b.Build();
}

// ---- Torso and arms ---------------------------------------------------------------------

Pose TorsoPose(int f) {
  const double p = Phase(f);
  return Pose{Pitch(2.5 * std::sin(2.0 * p)), Vec3{0, 0, 0.5 * std::sin(2.0 * p + 0.6)}};
}

struct ArmPoses {
  Pose upper, fore, hand;
};

// side +1 is the left arm, -1 the right; each swings against the leg on its own side.
ArmPoses Arm(int f, double side) {
  const double p = Phase(f) + (side > 0 ? 0.0 : std::numbers::pi);
  const double swing = -22.0 * std::sin(p);
  const double elbow = 16.0 + 14.0 * std::max(0.0, -std::sin(p));
  const Mat3 spread = Roll(7.0 * side);
  const Pose torso = TorsoPose(f);
  const Pose upper{spread * Pitch(swing), Vec3{0.0, 8.6 * side, 14.8}};
  const Pose fore{spread * Pitch(swing + elbow), upper.Apply({0, 0, -7.0})};
  const Pose hand{fore.rotation, fore.Apply({0, 0, -6.6})};
  return {upper.Then(torso), fore.Then(torso), hand.Then(torso)};
}

md3::Surface BuildArm(const std::string& name, double side, float s0) {
  SurfaceBuilder b(name, kUpperShader, kFrameCount);
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
  SurfaceBuilder b("u_torso", kUpperShader, kFrameCount);
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

Pose NodPose(int f) { return Pose{Pitch(-9.0 * std::sin(Phase(f))), Vec3{}}; }

md3::Surface BuildHead() {
  SurfaceBuilder b("h_head", kHeadShader, kFrameCount);
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
  SurfaceBuilder b("h_neck", kHeadShader, kFrameCount);
  b.AddLathe({{3.2, 0, 0}, {3.2, 2.3, 2.3}, {1.2, 2.3, 2.3}, {-0.9, 2.5, 2.5}, {-0.9, 0, 0}}, kSides,
             {0.0f, 0.8f, 0.75f, 1.0f}, NodPose);
  return b.Build();
}

}  // namespace

md3::File MakeLower() {
  md3::File file;
  file.name = "models/corvane/lower.md3";
  file.surfaces = {BuildLeg("l_leg_left", 1.0, 0.0, 0.0f), BuildLeg("l_leg_right", -1.0, std::numbers::pi, 0.5f),
                   BuildBelt()};
  for (int f = 0; f < kFrameCount; ++f) {
    const Pose torso{Yaw(5.0 * std::sin(Phase(f))), Vec3{0, 0, 2.4 + HipBob(f)}};
    file.tags.push_back({TagFromPose("tag_torso", torso)});
  }
  FinishFrames(file);
  return file;
}

md3::File MakeUpper() {
  md3::File file;
  file.name = "models/corvane/upper.md3";
  file.surfaces = {BuildTorso(), BuildArm("u_arm_left", 1.0, 0.5f), BuildArm("u_arm_right", -1.0, 0.75f)};
  for (int f = 0; f < kFrameCount; ++f) {
    const Pose torso = TorsoPose(f);
    const Pose head{torso.rotation, torso.Apply({0, 0, 18.6})};
    const Pose hand = Arm(f, -1.0).hand;
    const Pose weapon{hand.rotation, hand.Apply({0, 0, -1.6})};
    file.tags.push_back({TagFromPose("tag_torso", Pose{}), TagFromPose("tag_head", head),
                         TagFromPose("tag_weapon", weapon)});
  }
  FinishFrames(file);
  return file;
}

md3::File MakeHead() {
  md3::File file;
  file.name = "models/corvane/head.md3";
  file.surfaces = {BuildHead(), BuildNeck()};
  for (int f = 0; f < kFrameCount; ++f) file.tags.push_back({TagFromPose("tag_head", Pose{})});
  FinishFrames(file);
  return file;
}

}  // namespace tessary::demo
