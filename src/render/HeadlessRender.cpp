// Command-line rendering into a PNG through an EGL offscreen context.
#include "render/HeadlessRender.h"

#include <memory>
#include <string>
#include <vector>

#include "anim/PlayerLoading.h"
#include "app/ConsoleDesktop.h"
#include "app/StartupScene.h"
#include "app/Workspace.h"
#include "image/GlTextures.h"
#include "render/GlState.h"
#include "render/OffscreenContext.h"
#include "render/PngWriter.h"
#include "render/RenderFrame.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

namespace tessary {

int WrapFrame(int frame, int count) {
  if (count <= 0) return 0;
  const int wrapped = frame % count;
  return wrapped < 0 ? wrapped + count : wrapped;
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
  TrackballState trackball;
  ConsoleDesktop desktop(err);
  Workspace ws{scene, trackball, desktop, textures};
  if (cl.baseFolder && !UseBaseFolderAndReport(ws, *cl.baseFolder)) return 1;

  std::vector<FileModels> files;
  if (!cl.player.empty()) {
    files = OpenNamedPlayer(ws, cl.player, cl.skin, cl.weapon);
    if (files.empty()) {
      err << "tessary: the player " << cl.player << " did not load; nothing was rendered\n";
      return 1;
    }
  }
  for (const std::string& file : cl.files) {
    const std::int32_t modelsBefore = scene.ModelCount();
    LoadModelFile(ws, file, cl.skin);
    // Every file that loads adds at least one model. A texture that fails leaves its
    // surface untextured, its message already on err, and the picture is still drawn.
    if (scene.ModelCount() == modelsBefore) {
      err << "tessary: " << file << " did not load; nothing was rendered\n";
      return 1;
    }
    files.push_back(FileModels{modelsBefore, scene.ModelCount() - modelsBefore});
  }

  if (cl.frameGiven)
    for (auto& model : scene.models) model->currentFrame = WrapFrame(cl.frame, model->FrameCount());
  const std::string problem =
      ArrangeStartupScene(cl, files, static_cast<double>(cl.width) / static_cast<double>(cl.height), ws);
  if (!problem.empty()) {
    err << "tessary: " << problem << "; nothing was rendered\n";
    return 1;
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
