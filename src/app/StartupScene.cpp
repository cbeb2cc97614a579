#include "app/StartupScene.h"

#include "anim/AnimationCommands.h"
#include "anim/AnimationConfigLookup.h"
#include "anim/PlayerAssembly.h"
#include "light/LightCommands.h"
#include "link/Posing.h"
#include "view/ViewFit.h"

namespace tessary {

namespace {

// The player among the files gets its sequences; returns why --anim cannot be followed.
std::string AnimatePlayer(const CommandLine& cl, const std::vector<FileModels>& files, Workspace& ws) {
  const bool animAsked = cl.legsSequence >= 0;
  const std::optional<PlayerFiles> player = FindPlayerParts(ws.scene, files);
  if (!player) return animAsked ? "--anim needs a player's lower and upper parts" : "";
  const ModelRecord& lower = *ws.scene.models[static_cast<std::size_t>(player->lower.first)];
  const std::string& lowerPath = lower.sourceFile;
  const std::optional<AnimationConfigText> text = FindAnimationConfig(ws.scene, SourceOf(lower));
  if (!text) return animAsked ? "--anim needs an animation.cfg beside " + lowerPath : "";
  const AnimationConfigParse parse = ParseAnimationConfig(text->text, text->name);
  if (!parse.config) {
    ws.desktop.ShowMessage(parse.error);
    return animAsked ? "--anim cannot use " + text->name : "";
  }
  if (animAsked) SetUpPlayerAnimation(ws.scene, *player, *parse.config, cl.legsSequence, cl.torsoSequence);
  else SetUpPlayerAnimation(ws.scene, *player, *parse.config);
  return "";
}

// --anim for a player that --player opened (assembled and standing already), whose legs
// are the first of the files.
std::string PoseOpenedPlayer(const CommandLine& cl, const std::vector<FileModels>& files, Scene& scene) {
  if (cl.legsSequence < 0 || files.empty()) return "";
  const int legs = FileOfModel(scene.animation, files.front().first);
  if (ChoosePlayerSequence(scene, legs, PartRole::Legs, cl.legsSequence) &&
      ChoosePlayerSequence(scene, legs, PartRole::Torso, cl.torsoSequence))
    return "";
  return "--anim needs the player's animation.cfg";
}

}  // namespace

std::string ArrangeStartupScene(const CommandLine& cl, const std::vector<FileModels>& files, double aspect,
                                Workspace& ws) {
  Scene& scene = ws.scene;
  if (scene.models.empty()) return "";
  std::string problem;
  if (!cl.player.empty()) {
    problem = PoseOpenedPlayer(cl, files, scene);
  } else if (cl.link) {
    LinkFilesByMatchingTags(scene, files);
    if (!cl.frameGiven) problem = AnimatePlayer(cl, files, ws);
  }
  if (cl.time) {
    for (FilePlayback& file : scene.animation.files) {
      file.time = *cl.time * PlaybackSpeed(file);
      ShowFileFrames(scene, file);
    }
  }
  // An opened player shines in the studio light already, and is framed as Open Player
  // frames it.
  if (cl.light && cl.player.empty()) AddLightToEveryModel(scene);
  if (cl.fit || !cl.player.empty()) {
    PoseAndPlaceScene(scene);
    FitViewToModels(scene, aspect, ws.trackball);
  }
  if (cl.play) PlayEverything(scene);
  return problem;
}

}  // namespace tessary
