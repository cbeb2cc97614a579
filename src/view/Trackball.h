// Virtual trackball maths: lifting pointer positions onto the ball and turning pairs of
// them into quaternion increments.
#pragma once

#include <array>

#include "view/TrackballState.h"

namespace tessary {

float ProjectToTrackball(float r, float x, float y);
Quaternion TrackballRotation(float p1x, float p1y, float p2x, float p2y);
Quaternion AxisAngleToQuaternion(std::array<float, 3> axis, float angle);
// q1 first, then q2; counts renormCount and renormalises on every 51st call.
Quaternion ComposeRotations(const Quaternion& q1, const Quaternion& q2, int& renormCount);
void NormaliseQuaternion(Quaternion& q);
// The rotation about the same axis by factor times the angle (a factor of 2 turns twice as
// far, 0.5 half as far); a rotation with no axis stays the identity.
Quaternion ScaleRotation(const Quaternion& q, double factor);
std::array<float, 16> RotationMatrixFromQuaternion(const Quaternion& q);

}  // namespace tessary
