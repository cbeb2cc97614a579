// Game content commands.
#include "content/ContentCommands.h"

#include "app/CommandIds.h"
#include "content/GameModelList.h"
#include "content/GamePath.h"
#include "content/TextureLookup.h"
#include "scene/Md3Loader.h"

namespace tessary {

void OpenFromGameFolder(Workspace& ws) {
  const auto chosen = ws.desktop.ChooseGamePath(kOpenFromGameFolderTitle, GameModelPaths(ws.scene.gameFiles));
  if (!chosen) return;
  LoadModelContent(ws, ContentFile{*chosen, true});  // redraws and refreshes the panel itself
}

void ToggleGameTextureLookup(Workspace& ws) { ws.scene.gameTextureLookup = !ws.scene.gameTextureLookup; }

std::vector<std::string> SkinMenuEntries(const Scene& scene) {
  const ModelRecord* model = scene.CurrentModel();
  if (model == nullptr || !scene.gameTextureLookup || model->sourceFile.empty()) return {};
  std::vector<std::string> names = SkinNames(scene, SourceOf(*model));
  constexpr std::size_t kEntries = cmd::kLastSkin - cmd::kFirstSkin + 1;
  if (names.size() > kEntries) names.resize(kEntries);
  return names;
}

bool IsSkinEntryInUse(const Scene& scene, int entry) {
  const std::vector<std::string> names = SkinMenuEntries(scene);
  if (entry < 0 || entry >= static_cast<int>(names.size())) return false;
  return EqualNoCase(names[static_cast<std::size_t>(entry)], scene.CurrentModel()->skin);
}

void ChooseSkin(Workspace& ws, int entry) {
  const std::vector<std::string> names = SkinMenuEntries(ws.scene);
  if (entry < 0 || entry >= static_cast<int>(names.size())) return;
  ApplySkin(ws, SourceOf(*ws.scene.CurrentModel()), names[static_cast<std::size_t>(entry)]);
}

}  // namespace tessary
