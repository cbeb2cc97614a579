// A summary of MD3 files for the command line (`tessary --info [--json] FILE...`): frame
// count, tag names and, per record, its name, welded vertex count, triangles, frames and
// first shader; in JSON also the image each surface shows and the skin that applied. No GL,
// no windows.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "scene/Scene.h"

namespace tessary {

// Prints every file in order, as an aligned table or as one JSON object per line:
//   {"file": PATH, "frames": N, "tags": [NAME, ...], "records": [{"name": S,
//    "vertices": N, "triangles": N, "frames": N, "shader": S, "texture": IMAGE}, ...],
//    "skin": SKIN}
// or {"file": PATH, "error": MESSAGE} for a file that does not load. Files and images are
// looked up as the viewer looks them up in scene (its base folder, its texture lookup
// setting) with the named skin: IMAGE is the path of the image file the surface shows (a
// game path in its stored letter case) or null, SKIN the skin file that applied or null.
// Returns 0 when every file loaded, else 1.
int PrintModelInfo(const std::vector<std::string>& files, bool json, std::ostream& out, const Scene& scene,
                   std::string_view skin);
// The same with no base folder chosen and the default skin.
int PrintModelInfo(const std::vector<std::string>& files, bool json, std::ostream& out);

// `tessary [--base DIR] [--skin NAME] --info [--json] FILE...`, or with --player NAME
// [--weapon W] in place of the files (the player's parts, then the weapon and its barrel):
// 0 when every file loaded; 1 when one did not, the player or weapon is not in the base
// folder, or DIR cannot be the base folder (said on err).
int ModelInfoCommandLine(const CommandLine& cl, std::ostream& out, std::ostream& err);

// text as a quoted JSON string. Names in MD3 files are arbitrary bytes: valid UTF-8 passes
// through, and each byte that is not part of a valid UTF-8 sequence is written as \u00XX
// (the character with that byte's value), so the output is always valid JSON.
std::string JsonString(std::string_view text);

}  // namespace tessary
