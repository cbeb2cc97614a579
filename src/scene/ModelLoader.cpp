// Opening an MD3 file into the scene: the whole file is read, parsed and every record given
// its texture before anything is added, so a malformed file (or one memory cannot hold)
// leaves the scene exactly as it was; then the records are appended, the last one current.
#include <new>

#include "app/FileIO.h"
#include "content/TextureLookup.h"
#include "scene/Md3Loader.h"

namespace tessary {

Md3Parse ReadMd3File(const Scene& scene, const ContentFile& file) {
  ReadFailure failure = ReadFailure::None;
  const auto bytes = ReadContentFile(scene, file, kMaxMd3FileBytes, &failure);
  if (bytes) return ParseMd3(*bytes);
  Md3Parse refused;
  refused.error = failure == ReadFailure::TooLarge ? kNotAnMd3Message : kLoadErrorMessage;
  return refused;
}

void LoadModelFile(Workspace& ws, const std::string& path, std::string_view skin) {
  const auto file = LocateFile(ws.scene, path);
  if (!file) {
    ws.desktop.ShowMessage(kLoadErrorMessage);
    return;
  }
  LoadModelContent(ws, *file, skin);
}

void LoadModelContent(Workspace& ws, const ContentFile& file, std::string_view skin) {
  Md3Parse parse;
  try {
    parse = ReadMd3File(ws.scene, file);
    if (parse.ok) {
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
      // Room for every record first, so that appending them below cannot fail half-way.
      ws.scene.models.reserve(ws.scene.models.size() + parse.records.size());
    }
  } catch (const std::bad_alloc&) {
    // A file within the size limit can still describe more than memory holds. The records
    // built so far go (their textures with them) and the scene stays as it was.
    parse = Md3Parse{};
    parse.error = kLoadErrorMessage;
  }
  if (!parse.ok) {
    ws.desktop.ShowMessage(parse.error);
    return;
  }
  const std::int32_t first = ws.scene.ModelCount();
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
