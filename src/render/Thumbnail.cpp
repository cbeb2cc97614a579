// Drawing a model's preview through the EGL offscreen context.
#include "render/Thumbnail.h"

#include <GL/gl.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "anim/PlayerSiblings.h"
#include "app/ConsoleDesktop.h"
#include "app/StartupScene.h"
#include "app/Workspace.h"
#include "image/GlTextures.h"
#include "render/GlState.h"
#include "render/OffscreenContext.h"
#include "render/PngWriter.h"
#include "render/RenderFrame.h"
#include "scene/GameFolder.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

namespace tessary {

namespace {

std::string BaseFolderFor(const CommandLine& cl, const std::string& model) {
  if (cl.baseFolder) return *cl.baseFolder;
  if (auto game = FindGameFolder(model)) return *game;
  const std::string folder = std::filesystem::path(model).parent_path().string();
  return folder.empty() ? "." : folder;
}

// Every pixel that nothing was drawn on still holds the cleared depth of 1: those become
// transparent. rgba is top row first, as ReadPixels gives it; GL's rows run bottom up.
void ClearAlphaWhereNothingWasDrawn(std::vector<std::uint8_t>& rgba, int width, int height) {
  std::vector<float> depth(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_DEPTH_COMPONENT, GL_FLOAT, depth.data());
  for (int y = 0; y < height; ++y) {
    const float* row = depth.data() + static_cast<std::size_t>(height - 1 - y) * width;
    std::uint8_t* out = rgba.data() + static_cast<std::size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      const bool drawn = row[x] < 1.0f;
      out[x * 4 + 3] = drawn ? 255 : 0;
      if (!drawn) out[x * 4] = out[x * 4 + 1] = out[x * 4 + 2] = 0;
    }
  }
}

}  // namespace

int ThumbnailCommandLine(const CommandLine& cl, std::ostream& err) {
  const std::string& model = cl.files.front();
  const int size = cl.width;
  std::string error;
  // The context outlives the scene: textures are deleted while it is current.
  const std::unique_ptr<OffscreenContext> context = OffscreenContext::Create(size, size, &error);
  if (!context) {
    err << "tessary: cannot create an offscreen picture: " << error << '\n';
    return 1;
  }
  InitGLState(size, size);
  ResizeGL(size, size);

  GlTextureDevice textures;
  Scene scene;
  TrackballState trackball;
  ConsoleDesktop desktop(err);
  Workspace ws{scene, trackball, desktop, textures};
  UseBaseFolder(scene, BaseFolderFor(cl, model));
  // A player's part comes with the parts beside it, assembled and standing as the viewer
  // shows a player; a sibling that does not load is left out.
  const std::vector<std::string> parts = PlayerPartFiles(model);
  std::vector<FileModels> files;
  bool modelLoaded = false;
  for (const std::string& part : parts) {
    const std::int32_t before = scene.ModelCount();
    LoadModelFile(ws, part);
    if (scene.ModelCount() == before) continue;
    files.push_back(FileModels{before, scene.ModelCount() - before});
    modelLoaded = modelLoaded || std::filesystem::path(part) == std::filesystem::path(model);
  }
  if (!modelLoaded) {
    err << "tessary: " << model << " did not load; no preview was drawn\n";
    return 1;
  }
  CommandLine arrangement;
  arrangement.link = files.size() > 1;
  arrangement.light = true;
  arrangement.fit = true;
  ArrangeStartupScene(arrangement, files, 1.0, ws);

  RenderFrame(scene, trackball, [&context] { context->SwapBuffers(); });
  std::vector<std::uint8_t> pixels = context->ReadPixels();
  ClearAlphaWhereNothingWasDrawn(pixels, size, size);
  if (!WritePngFile(cl.output, pixels, size, size, &error, PngChannels::Rgba)) {
    err << "tessary: " << error << '\n';
    return 1;
  }
  return 0;
}

}  // namespace tessary
