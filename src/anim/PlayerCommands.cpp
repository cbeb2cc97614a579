// The player commands.
#include "anim/PlayerCommands.h"

#include "anim/PlayerLoading.h"
#include "view/ViewFit.h"

namespace tessary {

void OpenPlayer(Workspace& ws, double aspect) {
  const std::vector<GamePlayer> players = FindGamePlayers(ws.scene);
  if (players.empty()) {
    ws.desktop.ShowMessage(kNoPlayersMessage);
    return;
  }
  std::vector<PlayerOffer> offers;
  for (const GamePlayer& player : players) offers.push_back({player.name, player.skins});
  const std::optional<PlayerChoice> choice = ws.desktop.ChoosePlayer(offers);
  if (!choice) return;
  for (const GamePlayer& player : players) {
    if (player.name != choice->name) continue;
    if (LoadGamePlayer(ws, player, choice->skin)) FitView(ws, aspect);
    return;
  }
}

bool CanAttachWeapon(const Scene& scene) { return WeaponMount(scene, scene.currentModel) >= 0; }

void AttachWeapon(Workspace& ws) {
  const std::int32_t mount = WeaponMount(ws.scene, ws.scene.currentModel);
  if (mount < 0) return;
  const std::vector<GameWeapon> weapons = FindGameWeapons(ws.scene.gameFiles);
  if (weapons.empty()) {
    ws.desktop.ShowMessage(kNoWeaponsMessage);
    return;
  }
  std::vector<std::string> paths;
  for (const GameWeapon& weapon : weapons) paths.push_back(weapon.model);
  const std::optional<std::string> chosen = ws.desktop.ChooseGamePath(kAttachWeaponTitle, paths);
  for (const GameWeapon& weapon : weapons)
    if (chosen && weapon.model == *chosen) AttachGameWeapon(ws, mount, weapon);
}

}  // namespace tessary
