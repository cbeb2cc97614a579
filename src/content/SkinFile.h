// Skin files: "<model>_<skin>.skin" beside a model names the shader of each of its
// surfaces, one "surface,shader" line each. This reads their text and answers which shader
// a surface gets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessary {

struct SkinEntry {
  std::string surface;  // lower case
  std::string shader;   // as written; "" when the line names none
};

// One entry per line that names a surface, in file order. Surface and shader are separated
// by a comma or blanks, either may be quoted, "//" starts a comment; lines whose surface
// name contains "tag_" describe tags, not surfaces, and are left out.
std::vector<SkinEntry> ParseSkin(std::string_view text);

// The entry for a surface of a model, or none: the name is compared in lower case, and a
// name whose second-to-last character is '_' (a level-of-detail copy such as "u_torso_1")
// without its last two characters. The first matching line wins.
const SkinEntry* FindSkinEntry(const std::vector<SkinEntry>& skin, std::string_view surfaceName);

}  // namespace tessary
