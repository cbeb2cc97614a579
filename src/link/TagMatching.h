// Assembling a multi-part model from the files it came in: the usual layout of a player
// model is legs, torso and head in three files, each part carrying the tag it hangs by and
// the tags the next parts hang on (the torso has "tag_torso", "tag_head" and "tag_weapon").
#pragma once

#include <cstdint>
#include <vector>

#include "scene/Scene.h"

namespace tessary {

// The models one file added to the scene: indices first .. first + count - 1.
struct FileModels {
  std::int32_t first = 0;
  std::int32_t count = 0;
};

// Hangs every file after the first on an earlier one: the file's first tag (in its own
// order) that an earlier file also has becomes the pivot of each of its models, and the
// first model of the latest earlier file with that tag becomes their parent, anchored on
// that tag. Files load in the order the parts hang, legs first; a file that shares no tag
// with an earlier one stays free, and only earlier files are parents, so no cycle can form.
// The child lists are rebuilt.
void LinkFilesByMatchingTags(Scene& scene, const std::vector<FileModels>& files);

}  // namespace tessary
