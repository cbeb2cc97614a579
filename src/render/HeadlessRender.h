// Command-line rendering: load models, draw one frame offscreen with the viewer's own
// pipeline and save it as a PNG, without opening a window.
#pragma once

#include <ostream>

#include "app/CommandLine.h"

namespace tessary {

// tessary --render OUT.png [--size WxH] [--frame N | --time SECONDS] [--light] [--link]
// [--anim LEGS_SEQ,TORSO_SEQ] [--fit] [--base DIR] [--skin NAME] FILE.md3 ... (or --player
// NAME [--weapon W] in place of the files: OpenNamedPlayer). Every model is shown at frame
// N wrapped into its frame count, or posed --time seconds into its sequence;
// --light adds one default light to every model; --link hangs each file on an earlier one
// (and sets a player's sequences, see ArrangeStartupScene); --fit frames the models.
// Returns 0 when the picture was written (images that could not be used leave their
// surfaces untextured, with their messages on err); 1 with the reason on err when DIR
// cannot be the base folder, a file or the player does not load, --anim cannot be followed, no offscreen
// context can be made, or the PNG cannot be written.
int RenderToPngCommandLine(const CommandLine& cl, std::ostream& err);

// frame wrapped into 0..count-1 (negative values count back from the end); 0 when there
// are no frames.
int WrapFrame(int frame, int count);

}  // namespace tessary
