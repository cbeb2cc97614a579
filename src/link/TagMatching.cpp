#include "link/TagMatching.h"

#include <algorithm>
#include <limits>

#include "content/GamePath.h"
#include "link/LinkTree.h"
#include "scene/SceneOps.h"

namespace tessary {

namespace {

// The tag names shared by the models of one file; nothing for a range outside the scene.
const std::vector<std::string>* TagsOf(const Scene& scene, const FileModels& file) {
  return FileInScene(scene, file) ? &scene.models[static_cast<std::size_t>(file.first)]->tagNames : nullptr;
}

bool FitsLinkField(int value) { return value >= 0 && value <= std::numeric_limits<std::int16_t>::max(); }

}  // namespace

int IndexOf(const std::vector<std::string>& names, std::string_view name) {
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return static_cast<int>(i);
  return -1;
}

bool FileInScene(const Scene& scene, const FileModels& file) {
  return file.count > 0 && file.first >= 0 && file.first < scene.ModelCount() &&
         file.count <= scene.ModelCount() - file.first;
}

void LinkFilesByMatchingTags(Scene& scene, const std::vector<FileModels>& files) {
  for (std::size_t f = 1; f < files.size(); ++f) {
    const std::vector<std::string>* own = TagsOf(scene, files[f]);
    if (own == nullptr) continue;
    bool linked = false;
    for (std::size_t pivot = 0; pivot < own->size() && !linked; ++pivot) {
      const std::string& name = (*own)[pivot];
      if (name.empty()) continue;  // an unnamed tag says nothing about where it belongs
      for (std::size_t e = f; e-- > 0 && !linked;) {
        const std::vector<std::string>* earlier = TagsOf(scene, files[e]);
        const int anchor = earlier != nullptr ? IndexOf(*earlier, name) : -1;
        if (anchor < 0 || !FitsLinkField(files[e].first) || !FitsLinkField(static_cast<int>(pivot)) ||
            !FitsLinkField(anchor))
          continue;
        for (std::int32_t i = 0; i < files[f].count; ++i) {
          ModelRecord& model = *scene.models[static_cast<std::size_t>(files[f].first + i)];
          model.pivotTag = static_cast<std::int16_t>(pivot);
          model.parentIndex = static_cast<std::int16_t>(files[e].first);
          model.anchorTag = static_cast<std::int16_t>(anchor);
        }
        linked = true;
      }
    }
    const std::string fallback = linked ? "" : FallbackTagFor(scene.models[static_cast<std::size_t>(files[f].first)]->sourceFile, *own);
    for (std::size_t e = f; e-- > 0 && !fallback.empty() && !linked;)
      linked = HangOnNamedTag(scene, files[f], files[e], fallback);
  }
  RebuildChildLists(scene);
}

std::string FallbackTagFor(const std::string& path, const std::vector<std::string>& tagNames) {
  std::string lower = LowerAscii(path);
  std::replace(lower.begin(), lower.end(), '\\', '/');
  const std::string name = FileNameFromPath(lower);
  const std::string stem(WithoutExtension(name));
  const std::string folders = "/" + lower.substr(0, lower.size() - name.size());
  if (stem.starts_with("upper")) return "tag_torso";
  if (stem.starts_with("head") || folders.find("/heads/") != std::string::npos) return "tag_head";
  if (stem.ends_with("_barrel")) return "tag_barrel";
  if (folders.find("/weapons") != std::string::npos || IndexOf(tagNames, "tag_flash") >= 0) return "tag_weapon";
  return "";
}

bool HangOnNamedTag(Scene& scene, const FileModels& child, const FileModels& parent, const std::string& tag) {
  const std::vector<std::string>* parentTags = TagsOf(scene, parent);
  const int anchor = parentTags != nullptr ? IndexOf(*parentTags, tag) : -1;
  if (anchor < 0 || !FileInScene(scene, child) || !FitsLinkField(parent.first) || !FitsLinkField(anchor))
    return false;
  for (std::int32_t i = 0; i < child.count; ++i) {
    ModelRecord& model = *scene.models[static_cast<std::size_t>(child.first + i)];
    model.pivotTag = -1;
    model.parentIndex = static_cast<std::int16_t>(parent.first);
    model.anchorTag = static_cast<std::int16_t>(anchor);
  }
  return true;
}

}  // namespace tessary
