// A summary of MD3 files for the command line (`tessary --info [--json] FILE...`): frame
// count, tag names and, per record, its name, welded vertex count, triangles, frames and
// first shader. No GL, no windows.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

// Prints every file in order, as an aligned table or as one JSON object per line:
//   {"file": PATH, "frames": N, "tags": [NAME, ...], "records": [{"name": S,
//    "vertices": N, "triangles": N, "frames": N, "shader": S}, ...]}
// or {"file": PATH, "error": MESSAGE} for a file that does not load. Returns 0 when every
// file loaded, else 1.
int PrintModelInfo(const std::vector<std::string>& files, bool json, std::ostream& out);

// text as a quoted JSON string. Names in MD3 files are arbitrary bytes: valid UTF-8 passes
// through, and each byte that is not part of a valid UTF-8 sequence is written as \u00XX
// (the character with that byte's value), so the output is always valid JSON.
std::string JsonString(std::string_view text);

}  // namespace tessary
