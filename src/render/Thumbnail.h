// Previews for file managers: a model (or the player it is part of) drawn offscreen, lit
// and framed, on a transparent background, with its textures looked up in the game folder
// it lies in.
#pragma once

#include <ostream>

#include "app/CommandLine.h"

namespace tessary {

// tessary --thumbnail IN.md3 OUT.png SIZE: a SIZE x SIZE RGBA picture of the model, lit by
// one default light and framed as --fit frames it, alpha 0 wherever nothing was drawn. A
// player's part is drawn with the parts beside it, assembled as --link assembles them. The
// base folder is --base when given, else the model's game folder (FindGameFolder), else the
// model's own folder. Returns 0 when the picture was written; 1 with the reason on err when
// the model does not load, no offscreen context can be made or the file cannot be written.
// A texture that cannot be read leaves its surface untextured and the preview is still drawn.
int ThumbnailCommandLine(const CommandLine& cl, std::ostream& err);

}  // namespace tessary
