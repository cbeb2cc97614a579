// Fuzzes the MD3 reader and what consumes its records: a parsed file is linked into a
// chain by its tags, posed and placed, and drawn as a skin base, so that values the parser
// lets through (huge coordinates, NaNs, odd tags) cannot upset the code that uses them.
#include <cstdlib>

#include "image/SkinBase.h"
#include "link/LinkTree.h"
#include "link/Posing.h"
#include "scene/Md3Loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tessary;
  if (size > kMaxMd3FileBytes) return 0;  // refused before it is read, as the loader does
  Md3Parse parse = ParseMd3(std::span<const std::uint8_t>(data, size));
  if (!parse.ok) return 0;
  if (parse.records.size() != parse.shaderNames.size()) std::abort();
  Scene scene;
  for (auto& record : parse.records) {
    if (record->frames.empty() || record->numVertices < 0) std::abort();
    for (const TriangleRecord& t : record->triangles)
      for (std::int16_t v : t.vertex)
        if (v < 0 || v >= record->numVertices) std::abort();
    scene.models.push_back(std::move(record));
  }
  // Hang every record on the one before it, pivot and anchor on tag 0, at frames the data
  // picks, so placement runs through every record.
  for (std::size_t i = 0; i < scene.models.size(); ++i) {
    ModelRecord& m = *scene.models[i];
    m.pivotTag = 0;
    m.anchorTag = 0;
    m.parentIndex = static_cast<std::int16_t>(i) - 1;
    m.currentFrame = size > 0 ? data[i % size] : 0;
    m.offsetScale = {2.0f, 1.0f, 0.5f};
    m.offsetPosition = {1.0f, 0.0f, -1.0f};
  }
  RebuildChildLists(scene);
  PoseAndPlaceScene(scene);
  const auto canvas = DrawSkinBase(scene);
  if (canvas.size() != 256u * 256u) std::abort();
  return 0;
}
