// Assembling a multi-part model from the files it came in: the usual layout of a player
// model is legs, torso and head in three files, each part carrying the tag it hangs by and
// the tags the next parts hang on (the torso has "tag_torso", "tag_head" and "tag_weapon").
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scene/Scene.h"

namespace tessary {

// The models one file added to the scene: indices first .. first + count - 1.
struct FileModels {
  std::int32_t first = 0;
  std::int32_t count = 0;
};

// Whether the file added any models and every one of them is in the scene.
bool FileInScene(const Scene& scene, const FileModels& file);

// The index of the first of a model's tag names equal to name, or -1.
int IndexOf(const std::vector<std::string>& names, std::string_view name);

// Hangs every file after the first on an earlier one: the file's first tag (in its own
// order) that an earlier file also has becomes the pivot of each of its models, and the
// first model of the latest earlier file with that tag becomes their parent, anchored on
// that tag. A file that shares no tag hangs by its origin on the tag its name calls for
// (FallbackTagFor), on the latest earlier file that has it. Files load in the order the
// parts hang, legs first; any other file stays free, and only earlier files are parents,
// so no cycle can form. The child lists are rebuilt.
void LinkFilesByMatchingTags(Scene& scene, const std::vector<FileModels>& files);

// The tag a file named by path hangs on when it shares no tag with the parts before it,
// as the game puts a player together: "upper*" on tag_torso, "head*" (or any file in a
// "heads" folder) on tag_head, "*_barrel" on tag_barrel, and a weapon (a file in a
// "weapons..." folder, or one that carries tag_flash) on tag_weapon. "" for any other.
std::string FallbackTagFor(const std::string& path, const std::vector<std::string>& tagNames);

// Hangs every model of child by its origin (no pivot) on the tag named tag of parent's
// first model. False, and nothing changed, when that model has no such tag or a range lies
// outside the scene. The child lists are not rebuilt.
bool HangOnNamedTag(Scene& scene, const FileModels& child, const FileModels& parent, const std::string& tag);

}  // namespace tessary
