// Virtual trackball maths. Values are single precision as the view state stores them; every
// intermediate product is taken in double so that long spins drift as little as possible.
#include "view/Trackball.h"

#include <cmath>

namespace tessary {

namespace {

constexpr Quaternion kIdentity{0.0f, 0.0f, 0.0f, 1.0f};
// Radius of the ball in normalised window coordinates ([-1, 1] across the client area).
constexpr float kTrackballRadius = 0.8f;

}  // namespace

float ProjectToTrackball(float r, float x, float y) {
  const double dr = r;
  const double d = std::sqrt(static_cast<double>(x) * x + static_cast<double>(y) * y);
  if (d < dr * 0.7071067811865476) return static_cast<float>(std::sqrt(dr * dr - d * d));
  // Beyond r / sqrt(2) the sphere gives way to the sheet z = (r^2 / 2) / d, which meets it
  // smoothly there. d is 0 here only for a ball of no size; the point then has height 0.
  if (d == 0.0) return 0.0f;
  const double t = dr * 0.7071067811865475;
  return static_cast<float>(t * t / d);
}

Quaternion TrackballRotation(float p1x, float p1y, float p2x, float p2y) {
  if (p1x == p2x && p1y == p2y) return kIdentity;
  const double a[3] = {p1x, p1y, ProjectToTrackball(kTrackballRadius, p1x, p1y)};
  const double b[3] = {p2x, p2y, ProjectToTrackball(kTrackballRadius, p2x, p2y)};
  // Second point first: together with the layout of RotationMatrixFromQuaternion this makes
  // the scene follow the pointer.
  const std::array<float, 3> axis{static_cast<float>(b[1] * a[2] - b[2] * a[1]),
                                  static_cast<float>(b[2] * a[0] - b[0] * a[2]),
                                  static_cast<float>(b[0] * a[1] - b[1] * a[0])};
  // Two distinct points whose lifted vectors are parallel leave no axis to turn about; the
  // safe answer is no turn at all.
  if (axis[0] == 0.0f && axis[1] == 0.0f && axis[2] == 0.0f) return kIdentity;
  const double dx = a[0] - b[0], dy = a[1] - b[1], dz = a[2] - b[2];
  double t = std::sqrt(dx * dx + dy * dy + dz * dz) * 0.625;  // chord / (2 r)
  if (t > 1.0) t = 1.0;
  if (t < -1.0) t = -1.0;
  const double angle = 2.0 * std::asin(t);
  return AxisAngleToQuaternion(axis, static_cast<float>(angle));
}

Quaternion AxisAngleToQuaternion(std::array<float, 3> axis, float angle) {
  const double x = axis[0], y = axis[1], z = axis[2];
  const double length = std::sqrt(x * x + y * y + z * z);
  // An axis of no length names no rotation.
  if (length == 0.0 || !std::isfinite(length)) return kIdentity;
  const double half = static_cast<double>(angle) / 2.0;
  const double s = std::sin(half) / length;
  return {static_cast<float>(x * s), static_cast<float>(y * s), static_cast<float>(z * s),
          static_cast<float>(std::cos(half))};
}

Quaternion ComposeRotations(const Quaternion& q1, const Quaternion& q2, int& renormCount) {
  const double x1 = q1[0], y1 = q1[1], z1 = q1[2], w1 = q1[3];
  const double x2 = q2[0], y2 = q2[1], z2 = q2[2], w2 = q2[3];
  // Vector part: q1.v * q2.w + q2.v * q1.w + q2.v x q1.v; scalar part: w1 w2 - v1 . v2.
  Quaternion result{static_cast<float>(x1 * w2 + x2 * w1 + (y2 * z1 - z2 * y1)),
                    static_cast<float>(y1 * w2 + y2 * w1 + (z2 * x1 - x2 * z1)),
                    static_cast<float>(z1 * w2 + z2 * w1 + (x2 * y1 - y2 * x1)),
                    static_cast<float>(w1 * w2 - (x1 * x2 + y1 * y2 + z1 * z2))};
  // Rounding slowly pulls a product of unit quaternions off the unit sphere; pulling it back
  // once in 51 compositions keeps the per-frame cost to one product.
  if (++renormCount > 50) {
    renormCount = 0;
    NormaliseQuaternion(result);
  }
  return result;
}

void NormaliseQuaternion(Quaternion& q) {
  // Divides by the sum of squares, not its root. A squared length of 1 + e becomes about
  // 1 - e: the drift is turned around rather than removed, which still stops a drift that
  // always goes the same way from growing, and needs no square root.
  const double m = static_cast<double>(q[0]) * q[0] + static_cast<double>(q[1]) * q[1] +
                   static_cast<double>(q[2]) * q[2] + static_cast<double>(q[3]) * q[3];
  if (m == 0.0) return;  // the zero quaternion has no direction to keep
  for (float& c : q) c = static_cast<float>(c / m);
}

Quaternion ScaleRotation(const Quaternion& q, double factor) {
  const double x = q[0], y = q[1], z = q[2], w = q[3];
  const double s = std::sqrt(x * x + y * y + z * z);
  if (s == 0.0 || !std::isfinite(s) || !std::isfinite(factor)) return kIdentity;
  const double half = std::atan2(s, w) * factor;
  const double k = std::sin(half) / s;
  return {static_cast<float>(x * k), static_cast<float>(y * k), static_cast<float>(z * k),
          static_cast<float>(std::cos(half))};
}

std::array<float, 16> RotationMatrixFromQuaternion(const Quaternion& q) {
  const double x = q[0], y = q[1], z = q[2], w = q[3];
  const auto f = [](double v) { return static_cast<float>(v); };
  return {f(1.0 - 2.0 * (y * y + z * z)), f(2.0 * (x * y - z * w)), f(2.0 * (z * x + y * w)), 0.0f,
          f(2.0 * (x * y + z * w)), f(1.0 - 2.0 * (z * z + x * x)), f(2.0 * (y * z - x * w)), 0.0f,
          f(2.0 * (z * x - y * w)), f(2.0 * (y * z + x * w)), f(1.0 - 2.0 * (y * y + x * x)), 0.0f,
          0.0f, 0.0f, 0.0f, 1.0f};
}

}  // namespace tessary
