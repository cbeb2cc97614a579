// Command-line rendering into a PNG through an EGL offscreen context.
#include "render/HeadlessRender.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <string>

#include "app/ConsoleDesktop.h"
#include "app/Workspace.h"
#include "image/GlTextures.h"
#include "link/Posing.h"
#include "render/GlState.h"
#include "render/OffscreenContext.h"
#include "render/PngWriter.h"
#include "render/RenderFrame.h"
#include "render/SurfaceDrawing.h"
#include "light/LightCommands.h"
#include "scene/Md3Loader.h"

namespace tessary {

namespace {

// The fixed camera: 3 units from the origin with a vertical field of view of 30 degrees.
constexpr double kCameraDistance = 3.0;
constexpr double kHalfFieldOfView = 15.0 * std::numbers::pi / 180.0;

}  // namespace

int WrapFrame(int frame, int count) {
  if (count <= 0) return 0;
  const int wrapped = frame % count;
  return wrapped < 0 ? wrapped + count : wrapped;
}

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

int RenderToPngCommandLine(const CommandLine& cl, std::ostream& err) {
  std::string error;
  // The context outlives the scene: textures are deleted while it is current.
  const std::unique_ptr<OffscreenContext> context = OffscreenContext::Create(cl.width, cl.height, &error);
  if (!context) {
    err << "tessary: cannot create an offscreen picture: " << error << '\n';
    return 1;
  }
  InitGLState(cl.width, cl.height);
  ResizeGL(cl.width, cl.height);

  GlTextureDevice textures;
  Scene scene;
  if (cl.baseFolder) scene.baseFolder = *cl.baseFolder;
  TrackballState trackball;
  ConsoleDesktop desktop(err);
  Workspace ws{scene, trackball, desktop, textures};

  for (const std::string& file : cl.files) {
    const std::size_t messagesBefore = desktop.shown.size();
    const std::int32_t modelsBefore = scene.ModelCount();
    LoadModelFile(ws, file);
    // Every file that loads adds at least one model; any message means something went wrong.
    if (desktop.shown.size() != messagesBefore || scene.ModelCount() == modelsBefore) {
      err << "tessary: " << file << " did not load cleanly; nothing was rendered\n";
      return 1;
    }
  }

  for (auto& model : scene.models) model->currentFrame = WrapFrame(cl.frame, model->FrameCount());
  if (cl.light) AddLightToEveryModel(scene);
  if (cl.fit) {
    PoseAndPlaceScene(scene);
    FitViewToModels(scene, static_cast<double>(cl.width) / static_cast<double>(cl.height), trackball);
  }

  RenderFrame(scene, trackball, [&context] { context->SwapBuffers(); });
  const std::vector<std::uint8_t> pixels = context->ReadPixels();
  if (!WritePngFile(cl.output, pixels, cl.width, cl.height, &error)) {
    err << "tessary: " << error << '\n';
    return 1;
  }
  return 0;
}

}  // namespace tessary
