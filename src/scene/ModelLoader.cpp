// Opening an MD3 file into the scene: the whole file is read, parsed and every record given
// its texture before anything is added, so a malformed file (or one memory cannot hold)
// leaves the scene exactly as it was; then the records are appended, the last one current.
#include <new>

#include "app/FileIO.h"
#include "scene/Md3Loader.h"
#include "scene/TextureResolution.h"

namespace tessary {

Md3Parse ReadMd3File(const std::string& path) {
  ReadFailure failure = ReadFailure::None;
  const auto bytes = ReadWholeFile(path, kMaxMd3FileBytes, &failure);
  if (bytes) return ParseMd3(*bytes);
  Md3Parse refused;
  refused.error = failure == ReadFailure::TooLarge ? kNotAnMd3Message : kLoadErrorMessage;
  return refused;
}

void LoadModelFile(Workspace& ws, const std::string& path) {
  Md3Parse parse;
  try {
    parse = ReadMd3File(path);
    if (parse.ok) {
      for (std::size_t i = 0; i < parse.records.size(); ++i) {
        ModelRecord& record = *parse.records[i];
        // Textures resolve in surface order, so any image message comes in that order too.
        if (!parse.shaderNames[i].empty()) record.textureMap = ResolveSurfaceTexture(ws, parse.shaderNames[i]);
        record.sourceFile = path;
      }
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
  for (auto& record : parse.records) {
    ws.scene.models.push_back(std::move(record));
    ws.scene.currentModel = ws.scene.ModelCount() - 1;
  }
  ws.SceneChanged();
}

}  // namespace tessary
