// Loading players and hanging weapons on them.
#include "anim/PlayerLoading.h"

#include "anim/AnimationConfigLookup.h"
#include "content/TextureLookup.h"
#include "light/StudioLight.h"
#include "link/LinkTree.h"
#include "scene/Md3Loader.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {

// Loads one game file; its models, or a count of 0 when it did not load.
FileModels LoadPart(Workspace& ws, const std::string& path, std::string_view skin) {
  const std::int32_t first = ws.scene.ModelCount();
  LoadModelContent(ws, ContentFile{path, true}, skin);
  return FileModels{first, ws.scene.ModelCount() - first};
}

// Removes what hangs on the mount's tag (each with everything below it). mount and later,
// indices of models that stay, follow them to their new places.
void TakeOffTag(Scene& scene, int tag, std::int32_t& mount, std::int32_t& later) {
  RebuildChildLists(scene);
  ClearVisited(scene);
  for (const auto& model : scene.models)
    if (model->parentIndex == mount && model->anchorTag == tag) MarkSubtree(model.get());
  for (std::int32_t i = scene.ModelCount(); i-- > 0;) {
    if (scene.models[static_cast<std::size_t>(i)]->visited != 1) continue;
    RemoveModelAt(scene, i);
    mount -= i < mount ? 1 : 0;
    later -= i < later ? 1 : 0;
  }
}

void ShareLights(Scene& scene, std::int32_t from, const FileModels& to) {
  const ModelRecord& source = *scene.models[static_cast<std::size_t>(from)];
  for (std::int32_t i = to.first; i < to.first + to.count; ++i) {
    ModelRecord& model = *scene.models[static_cast<std::size_t>(i)];
    model.modelLights = source.modelLights;
    model.currentModelLight = source.currentModelLight;
  }
}

}  // namespace

std::optional<PlayerFiles> LoadGamePlayer(Workspace& ws, const GamePlayer& player, std::string_view skin) {
  Scene& scene = ws.scene;
  const std::int32_t first = scene.ModelCount();
  PlayerFiles files;
  for (auto [part, path] : {std::pair{&files.lower, &player.lower}, {&files.upper, &player.upper}, {&files.head, &player.head}}) {
    *part = LoadPart(ws, *path, skin);
    if (part->count > 0) continue;
    while (scene.ModelCount() > first) RemoveModelAt(scene, scene.ModelCount() - 1);
    ws.SceneChanged();
    return std::nullopt;
  }
  const std::string refused = AssemblePlayer(scene, files, FindAnimationConfig(scene, ContentFile{player.lower, true}));
  ShineOn(scene, SharedStudioLight(scene), first, scene.ModelCount() - first);
  scene.currentModel = files.lower.first;
  ws.SceneChanged();
  if (!refused.empty()) ws.desktop.ShowMessage(refused);
  return files;
}

std::int32_t WeaponMount(const Scene& scene, std::int32_t model) {
  if (!scene.IsModelIndex(model)) return -1;
  // Links never form a loop, but a walk longer than the list stops all the same.
  for (int steps = 0; steps < scene.ModelCount(); ++steps) {
    const std::int32_t parent = scene.models[static_cast<std::size_t>(model)]->parentIndex;
    if (!scene.IsModelIndex(parent)) break;
    model = parent;
  }
  std::vector<std::int32_t> level{model};
  for (std::size_t next = 0; next < level.size() && level.size() <= scene.models.size(); ++next) {
    const std::int32_t at = level[next];
    if (IndexOf(scene.models[static_cast<std::size_t>(at)]->tagNames, "tag_weapon") >= 0) return at;
    for (std::int32_t i = 0; i < scene.ModelCount(); ++i)
      if (scene.models[static_cast<std::size_t>(i)]->parentIndex == at && i != at) level.push_back(i);
  }
  return -1;
}

std::optional<WeaponFiles> AttachGameWeapon(Workspace& ws, std::int32_t mount, const GameWeapon& weapon) {
  Scene& scene = ws.scene;
  if (!scene.IsModelIndex(mount)) return std::nullopt;
  const int tag = IndexOf(scene.models[static_cast<std::size_t>(mount)]->tagNames, "tag_weapon");
  if (tag < 0) return std::nullopt;
  // The new weapon loads first, so that one that does not load leaves the old in place.
  WeaponFiles files;
  files.weapon = LoadPart(ws, weapon.model, kDefaultSkin);
  if (files.weapon.count == 0) return std::nullopt;
  TakeOffTag(scene, tag, mount, files.weapon.first);
  const int mountFile = FileOfModel(scene.animation, mount);
  const std::int32_t player = mountFile >= 0 ? scene.animation.files[static_cast<std::size_t>(mountFile)].player : -1;
  HangOnNamedTag(scene, files.weapon, FileModels{mount, 1}, "tag_weapon");
  if (!weapon.barrel.empty()) {
    files.barrel = LoadPart(ws, weapon.barrel, kDefaultSkin);
    if (files.barrel.count > 0) HangOnNamedTag(scene, files.barrel, files.weapon, "tag_barrel");
  }
  RebuildChildLists(scene);
  scene.currentModel = files.weapon.first;
  for (const FileModels& part : {files.weapon, files.barrel}) {
    if (part.count == 0) continue;
    JoinPlayerStill(scene, part, player);
    ShareLights(scene, mount, part);
  }
  ws.SceneChanged();
  return files;
}

std::optional<NamedPlayer> FindNamedPlayer(const Scene& scene, Desktop& desktop, std::string_view name,
                                           std::string_view weapon) {
  NamedPlayer named;
  auto player = FindGamePlayer(scene, name);
  if (!player) {
    desktop.ShowMessage("There is no player " + std::string(name) + " in the base folder (models/players/" +
                        std::string(name) + "/ with lower.md3, upper.md3 and head.md3).");
    return std::nullopt;
  }
  named.player = std::move(*player);
  if (weapon.empty()) return named;
  named.weapon = FindGameWeapon(scene.gameFiles, weapon);
  if (!named.weapon) {
    desktop.ShowMessage("There is no weapon " + std::string(weapon) + " in the base folder (models/weapons2/" +
                        std::string(weapon) + "/" + std::string(weapon) + ".md3).");
    return std::nullopt;
  }
  return named;
}

std::vector<FileModels> OpenNamedPlayer(Workspace& ws, std::string_view name, std::string_view skin,
                                        std::string_view weapon) {
  const std::optional<NamedPlayer> named = FindNamedPlayer(ws.scene, ws.desktop, name, weapon);
  if (!named) return {};
  const std::optional<PlayerFiles> player = LoadGamePlayer(ws, named->player, skin);
  if (!player) return {};
  std::vector<FileModels> files{player->lower, player->upper, player->head};
  if (named->weapon)
    if (const auto held = AttachGameWeapon(ws, WeaponMount(ws.scene, player->lower.first), *named->weapon)) {
      files.push_back(held->weapon);
      if (held->barrel.count > 0) files.push_back(held->barrel);
    }
  ws.scene.currentModel = player->lower.first;  // the player, not its weapon, was asked for
  return files;
}

}  // namespace tessary
