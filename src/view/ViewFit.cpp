// Framing the models, for --fit and the "Fit View" command.
#include "view/ViewFit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "link/Posing.h"

namespace tessary {

namespace {

// The fixed camera: 3 units from the origin with a vertical field of view of 30 degrees.
constexpr double kCameraDistance = 3.0;
constexpr double kHalfFieldOfView = 15.0 * std::numbers::pi / 180.0;

}  // namespace

void FitViewToModels(const Scene& scene, double aspect, TrackballState& trackball) {
  Vec3d low{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
            std::numeric_limits<double>::max()};
  Vec3d high{std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
             std::numeric_limits<double>::lowest()};
  bool any = false;
  for (const auto& model : scene.models) {
    if (!model || model->visible == 0 || !HasCurrentFrame(*model)) continue;
    for (const Vec3f& c : model->curBoxCorners) {
      for (int k = 0; k < 3; ++k) {
        low[k] = std::min(low[k], static_cast<double>(c[k]));
        high[k] = std::max(high[k], static_cast<double>(c[k]));
      }
    }
    any = true;
  }
  if (!any) return;
  const Vec3d middle{(low[0] + high[0]) / 2.0, (low[1] + high[1]) / 2.0, (low[2] + high[2]) / 2.0};
  double radius = 0.0;
  for (const auto& model : scene.models) {
    if (!model || model->visible == 0 || !HasCurrentFrame(*model)) continue;
    for (const Vec3f& c : model->curBoxCorners) {
      const double dx = c[0] - middle[0], dy = c[1] - middle[1], dz = c[2] - middle[2];
      radius = std::max(radius, std::sqrt(dx * dx + dy * dy + dz * dz));
    }
  }
  // The view is camera * scale * translate(pan) * rotation * translate(centre). With the
  // middle as -centre, no pan and no turn, the sphere round the corners sits at the camera's
  // target with radius scale * radius; seen from distance 3 it fits a cone of half-angle a
  // when that radius is 3 sin a. The narrower of the two half-angles decides.
  trackball.centre = {static_cast<float>(-middle[0]), static_cast<float>(-middle[1]), static_cast<float>(-middle[2])};
  trackball.pan = {0.0f, 0.0f, 0.0f};
  if (!(radius > 0.0) || !std::isfinite(radius)) return;  // a single point keeps the zoom
  const double horizontal = std::atan(std::tan(kHalfFieldOfView) * (aspect > 0.0 ? aspect : 1.0));
  const double halfAngle = std::min(kHalfFieldOfView, horizontal);
  const double scale = kCameraDistance * std::sin(halfAngle) / radius;
  if (scale > 0.0 && std::isfinite(scale)) trackball.scale = static_cast<float>(scale);
}

void FitView(Workspace& ws, double aspect) {
  // A model may have walked off since the last frame was drawn: frame where it is now.
  PoseAndPlaceScene(ws.scene);
  FitViewToModels(ws.scene, aspect, ws.trackball);
  ws.desktop.RequestSceneRedraw();
}

}  // namespace tessary
