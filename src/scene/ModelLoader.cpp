// Opening an MD3 file into the scene: the whole file is read and parsed before anything
// is added, so a malformed file leaves the scene exactly as it was; then the records get
// their textures and are appended, the last one becoming current.
#include "content/TextureLookup.h"
#include "scene/Md3Loader.h"

namespace tessary {

void LoadModelFile(Workspace& ws, const std::string& path, std::string_view skin) {
  const auto file = LocateFile(ws.scene, path);
  if (!file) {
    ws.desktop.ShowMessage(kLoadErrorMessage);
    return;
  }
  LoadModelContent(ws, *file, skin);
}

void LoadModelContent(Workspace& ws, const ContentFile& file, std::string_view skin) {
  const auto bytes = ReadContentFile(ws.scene, file);
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
  std::vector<ModelRecord*> records;
  for (std::size_t i = 0; i < parse.records.size(); ++i) {
    ModelRecord& record = *parse.records[i];
    record.sourceFile = file.path;
    record.sourceInGame = file.inGame;
    record.shaderName = parse.shaderNames[i];
    records.push_back(&record);
  }
  // Textures resolve in surface order, so any image message comes in that order too.
  TextureRecords(ws, records, skin);
  for (auto& record : parse.records) {
    ws.scene.models.push_back(std::move(record));
    ws.scene.currentModel = ws.scene.ModelCount() - 1;
  }
  // Every file can play its frames; a player's parts get their sequences when assembled.
  if (ws.scene.ModelCount() > first)
    AddPlainPlayback(ws.scene.animation, first, ws.scene.ModelCount() - first, ws.scene.models[first]->FrameCount());
  ws.SceneChanged();
}

}  // namespace tessary
