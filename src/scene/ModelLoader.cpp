// Opening an MD3 file into the scene: the whole file is read and parsed before anything
// is added, so a malformed file leaves the scene exactly as it was; then each record gets
// its texture and is appended, the last one becoming current.
#include "app/FileIO.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

namespace tessary {

void LoadModelFile(Workspace& ws, const std::string& path) {
  const auto bytes = ReadWholeFile(path);
  if (!bytes) {
    ws.desktop.ShowMessage(kLoadErrorMessage);
    return;
  }
  Md3Parse parse = ParseMd3(*bytes);
  if (!parse.ok) {
    ws.desktop.ShowMessage(parse.error);
    return;
  }
  const std::int32_t first = ws.scene.ModelCount();
  for (std::size_t i = 0; i < parse.records.size(); ++i) {
    auto& record = parse.records[i];
    // Textures resolve in surface order, so any image message comes in that order too.
    if (!parse.shaderNames[i].empty()) record->textureMap = ResolveSurfaceTexture(ws, parse.shaderNames[i]);
    record->sourceFile = path;
    ws.scene.models.push_back(std::move(record));
    ws.scene.currentModel = ws.scene.ModelCount() - 1;
  }
  // Every file can play its frames; a player's parts get their sequences when assembled.
  if (ws.scene.ModelCount() > first)
    AddPlainPlayback(ws.scene.animation, first, ws.scene.ModelCount() - first, ws.scene.models[first]->FrameCount());
  ws.SceneChanged();
}

}  // namespace tessary
