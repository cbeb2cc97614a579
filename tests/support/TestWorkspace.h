// A workspace over an empty scene for the tests of operations: the scripted desktop records
// messages and redraws, the fake device hands out texture names.
#pragma once

#include "app/Workspace.h"
#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"

namespace tessary::testing {

struct TestWorkspace {
  FakeTextureDevice textures;  // first, so it outlives the scene whose images it deletes
  Scene scene;
  TrackballState trackball;
  ScriptedDesktop desktop;
  Workspace ws{scene, trackball, desktop, textures};
};

}  // namespace tessary::testing
