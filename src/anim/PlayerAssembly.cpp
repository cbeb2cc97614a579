// Player assembly: links, roles and sequences of a player's parts.
#include "anim/PlayerAssembly.h"

#include <algorithm>

#include "content/GamePath.h"
#include "link/LinkTree.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {

// The playback entry of a file, found by its first model; made (plain) when the file was
// put into the scene some other way than by loading it.
FilePlayback& PlaybackOf(Scene& scene, const FileModels& f) {
  const int found = FileOfModel(scene.animation, f.first);
  if (found >= 0) return scene.animation.files[static_cast<std::size_t>(found)];
  AddPlainPlayback(scene.animation, f.first, f.count, scene.models[static_cast<std::size_t>(f.first)]->FrameCount());
  return scene.animation.files.back();
}

void ShowStill(Scene& scene, FilePlayback& file) {
  file.role = PartRole::Still;
  file.sequences.clear();
  file.sequence = -1;
  file.playing = false;
  for (std::int32_t r : file.records) {
    ModelRecord& m = *scene.models[static_cast<std::size_t>(r)];
    m.currentFrame = 0;
    m.blendFrame = 0;
    m.blend = 0.0f;
  }
}

void StartSequence(Scene& scene, FilePlayback& file, int number) {
  file.sequence = number;
  file.time = 0.0;
  ShowFileFrames(scene, file);
}

}  // namespace

void LinkPlayerParts(Scene& scene, const PlayerFiles& files) {
  const struct {
    const FileModels& child;
    const FileModels& parent;
    const char* tag;
  } hangs[] = {{files.upper, files.lower, "tag_torso"},
               {files.head, files.upper, "tag_head"},
               {files.weapon, files.upper, "tag_weapon"},
               {files.barrel, files.weapon, "tag_barrel"}};
  for (const auto& h : hangs)
    if (FileInScene(scene, h.child) && FileInScene(scene, h.parent)) HangOnNamedTag(scene, h.child, h.parent, h.tag);
  RebuildChildLists(scene);
}

void SetUpPlayerAnimation(Scene& scene, const PlayerFiles& files, const AnimationConfig& config, int legs, int torso) {
  const std::int32_t player = scene.animation.playersMade++;
  const std::vector<AnimSequence> sequences(config.sequences.begin(), config.sequences.end());
  for (const FileModels* f : {&files.lower, &files.upper, &files.head, &files.weapon, &files.barrel}) {
    if (!FileInScene(scene, *f)) continue;
    FilePlayback& file = PlaybackOf(scene, *f);
    file.player = player;
    file.rate = 1.0;
    if (f == &files.lower || f == &files.upper) {
      const bool isLegs = f == &files.lower;
      file.role = isLegs ? PartRole::Legs : PartRole::Torso;
      file.sequences = sequences;
      file.playing = false;
      const int wanted = isLegs ? legs : torso;
      StartSequence(scene, file, (isLegs ? LegsPlay(wanted) : TorsoPlays(wanted)) ? wanted : isLegs ? LEGS_IDLE : TORSO_STAND);
    } else {
      ShowStill(scene, file);
    }
  }
}

void JoinPlayerStill(Scene& scene, const FileModels& part, std::int32_t player) {
  if (player < 0 || !FileInScene(scene, part)) return;
  FilePlayback& file = PlaybackOf(scene, part);
  file.player = player;
  ShowStill(scene, file);
}

std::string AssemblePlayer(Scene& scene, const PlayerFiles& files, const std::optional<AnimationConfigText>& config) {
  LinkPlayerParts(scene, files);
  if (!config) return "";
  const AnimationConfigParse parse = ParseAnimationConfig(config->text, config->name);
  if (!parse.config) return parse.error;
  SetUpPlayerAnimation(scene, files, *parse.config);
  return "";
}

std::optional<PlayerFiles> FindPlayerParts(const Scene& scene, const std::vector<FileModels>& files) {
  PlayerFiles p;
  for (const FileModels& f : files) {
    if (!FileInScene(scene, f)) continue;
    const ModelRecord& first = *scene.models[static_cast<std::size_t>(f.first)];
    const std::string tag = FallbackTagFor(first.sourceFile, first.tagNames);
    FileModels* slot = LowerAscii(FileNameFromPath(first.sourceFile)).starts_with("lower") ? &p.lower
                       : tag == "tag_torso"                                               ? &p.upper
                       : tag == "tag_head"                                                ? &p.head
                       : tag == "tag_weapon"                                              ? &p.weapon
                       : tag == "tag_barrel"                                              ? &p.barrel
                                                                                          : nullptr;
    if (slot != nullptr && slot->count == 0) *slot = f;
  }
  if (p.lower.count == 0 || p.upper.count == 0) return std::nullopt;
  return p;
}

bool ChoosePlayerSequence(Scene& scene, int file, PartRole part, int number) {
  if (part != PartRole::Legs && part != PartRole::Torso) return false;
  if (part == PartRole::Legs ? !LegsPlay(number) : !TorsoPlays(number)) return false;
  const bool both = LegsPlay(number) && TorsoPlays(number);
  bool chosen = false;
  for (int f : GroupOf(scene.animation, file)) {
    FilePlayback& playback = scene.animation.files[static_cast<std::size_t>(f)];
    if (playback.sequences.size() != kAnimationCount) continue;
    if (playback.role == part || (both && (playback.role == PartRole::Legs || playback.role == PartRole::Torso))) {
      StartSequence(scene, playback, number);
      chosen = true;
    }
  }
  return chosen;
}

}  // namespace tessary
