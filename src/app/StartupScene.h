// What the command line's scene options do once its files are loaded, the same for the
// viewer and for --render.
#pragma once

#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Workspace.h"
#include "link/TagMatching.h"

namespace tessary {

// In this order: --link hangs the files on each other by their tags and, when they are a
// player's parts with an animation.cfg beside the legs, sets the player's sequences (those
// of --anim, else standing) at --time; --light adds one studio light shining on every
// model; --fit frames the models (posed at their frames) for a picture of the given
// width / height; --play starts playback. With --player the files are the player that
// OpenNamedPlayer opened, lower first: --anim chooses its sequences, and it is framed
// whether or not --fit was given. A refused animation.cfg is shown through the
// desktop. Returns why --anim could not be followed, else "". Does nothing on an empty scene.
std::string ArrangeStartupScene(const CommandLine& cl, const std::vector<FileModels>& files, double aspect,
                                Workspace& ws);

}  // namespace tessary
