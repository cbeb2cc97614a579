// Finding players and weapons in the game's file system.
#include "anim/GamePlayers.h"

#include <algorithm>

#include "content/GamePath.h"
#include "content/TextureLookup.h"

namespace tessary {

namespace {

constexpr const char* kPlayersFolder = "models/players";
constexpr const char* kWeaponsFolder = "models/weapons2";

bool Has(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return EqualNoCase(n, name); });
}

std::optional<GamePlayer> PlayerIn(const Scene& scene, const std::string& folder) {
  const GameFileSystem& files = scene.gameFiles;
  const std::string name(LastPart(folder));
  const auto lower = files.Find(folder + "/lower.md3");
  const auto upper = files.Find(folder + "/upper.md3");
  auto head = files.Find(folder + "/head.md3");
  if (!head) head = files.Find(std::string(kPlayersFolder) + "/heads/" + name + "/" + name + ".md3");
  if (!lower || !upper || !head) return std::nullopt;
  GamePlayer player{name, *lower, *upper, *head, {}};
  const std::vector<std::string> upperSkins = SkinNames(scene, ContentFile{*upper, true});
  const std::vector<std::string> headSkins = SkinNames(scene, ContentFile{*head, true});
  for (std::string& skin : SkinNames(scene, ContentFile{*lower, true}))
    if (Has(upperSkins, skin) && Has(headSkins, skin)) player.skins.push_back(std::move(skin));
  return player;
}

std::optional<GameWeapon> WeaponIn(const GameFileSystem& files, const std::string& folder) {
  const std::string name(LastPart(folder));
  const auto model = files.Find(folder + "/" + name + ".md3");
  if (!model) return std::nullopt;
  return GameWeapon{name, *model, files.Find(folder + "/" + name + "_barrel.md3").value_or("")};
}

// The folder of that name among folders, letter case ignored.
std::optional<std::string> FolderNamed(const std::vector<std::string>& folders, std::string_view name) {
  for (const std::string& folder : folders)
    if (EqualNoCase(LastPart(folder), name)) return folder;
  return std::nullopt;
}

}  // namespace

std::vector<GamePlayer> FindGamePlayers(const Scene& scene) {
  std::vector<GamePlayer> players;
  for (const std::string& folder : scene.gameFiles.ListFolders(kPlayersFolder))
    if (auto player = PlayerIn(scene, folder)) players.push_back(std::move(*player));
  return players;
}

std::optional<GamePlayer> FindGamePlayer(const Scene& scene, std::string_view name) {
  const auto folder = FolderNamed(scene.gameFiles.ListFolders(kPlayersFolder), name);
  return folder ? PlayerIn(scene, *folder) : std::nullopt;
}

std::vector<GameWeapon> FindGameWeapons(const GameFileSystem& files) {
  std::vector<GameWeapon> weapons;
  for (const std::string& folder : files.ListFolders(kWeaponsFolder))
    if (auto weapon = WeaponIn(files, folder)) weapons.push_back(std::move(*weapon));
  return weapons;
}

std::optional<GameWeapon> FindGameWeapon(const GameFileSystem& files, std::string_view name) {
  const auto folder = FolderNamed(files.ListFolders(kWeaponsFolder), name);
  return folder ? WeaponIn(files, *folder) : std::nullopt;
}

}  // namespace tessary
