#include "app/StartupScene.h"

#include "light/LightCommands.h"
#include "link/Posing.h"
#include "view/ViewFit.h"

namespace tessary {

void ArrangeStartupScene(const CommandLine& cl, const std::vector<FileModels>& files, double aspect, Scene& scene,
                         TrackballState& trackball) {
  if (scene.models.empty()) return;
  if (cl.link) LinkFilesByMatchingTags(scene, files);
  if (cl.light) AddLightToEveryModel(scene);
  if (cl.fit) {
    PoseAndPlaceScene(scene);
    FitViewToModels(scene, aspect, trackball);
  }
}

}  // namespace tessary
