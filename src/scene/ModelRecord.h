// One drawable mesh: one surface of an MD3 file with its animation frames, tags, texture
// maps, light references, switches, link fields, offsets and per-frame work buffers.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image/ImageRGBA.h"
#include "light/LightRecord.h"
#include "scene/Vectors.h"

namespace tessary {

// One tag in one frame, in viewer axes: origin, then the three axis rows.
struct TagRecord {
  Vec3f origin{0.0f, 0.0f, 0.0f};
  std::array<Vec3f, 3> axis{};  // row i is the direction of the tag's i-th axis

  static TagRecord Identity() {
    TagRecord t;
    t.axis = {Vec3f{1.0f, 0.0f, 0.0f}, Vec3f{0.0f, 1.0f, 0.0f}, Vec3f{0.0f, 0.0f, 1.0f}};
    return t;
  }
};

// One triangle; texture coordinates belong to the corners, not to the vertices.
struct TriangleRecord {
  std::array<std::int16_t, 3> vertex{};            // corner indices, in drawing order
  std::array<std::array<double, 2>, 3> st{};       // (s, t) of corners 0, 1, 2
};

// One animation frame of one model. Positions and normals are floats: a file value / 64 is
// exact in a float, and frames are most of a model's memory. The pose drawn is worked out
// from them in double (curPositions, curNormals).
struct FrameRecord {
  std::vector<Vec3f> positions;   // numVertices entries, file value / 64, viewer axes
  // Unit normals, (0,0,0) where none could be computed; empty until the frame is first
  // posed (EnsureFrameNormals works them out then).
  std::vector<Vec3f> normals;
  std::vector<TagRecord> tags;    // one per tag of the file
  std::array<Vec3f, 8> boxCorners{};
  Vec3f localOrigin{0.0f, 0.0f, 0.0f};
  float radius = 0.0f;
};

// Index of each map in mapEnabled.
enum MapSlot : int { kTextureSlot = 0, kSpecularitySlot = 1, kDiffusionSlot = 2, kGlowSlot = 3 };

struct ModelRecord {
  std::string name;
  // The path the record's file was opened by, as it was given (not shown; it lets later
  // commands find the file a record came from and what lies beside it).
  std::string sourceFile;
  bool sourceInGame = false;  // sourceFile is a game path of the base folder's file system
  // The surface's first shader name as stored ("" when it has none), and the skin its
  // texture was looked up through ("" when none applied): enough to look it up again.
  std::string shaderName;
  std::string skin;
  std::unique_ptr<ImageRGBA> textureMap;
  std::unique_ptr<ImageRGBA> specularityMap;
  std::unique_ptr<ImageRGBA> diffusionMap;
  std::unique_ptr<ImageRGBA> glowMap;
  std::vector<ModelLightRef> modelLights;
  std::array<std::int32_t, 4> mapEnabled{1, 1, 1, 1};  // texture, specularity, diffusion, glow
  std::int32_t visible = 1;
  std::int32_t envMap = 0;
  std::int32_t additive = 0;
  std::int32_t doubleSided = 0;
  std::int32_t showTags = 0;
  std::int32_t wireframe = 0;
  std::int32_t lockFrame = 0;
  std::int32_t shell = 0;
  std::int32_t showBounds = 0;
  std::int32_t numTriangles = 0;
  std::int32_t numVertices = 0;
  std::int32_t currentFrame = 0;
  // While an animation plays, the pose lies `blend` of the way from currentFrame to
  // blendFrame (0 <= blend < 1); a blend of 0 shows currentFrame alone.
  std::int32_t blendFrame = 0;
  float blend = 0.0f;
  std::int32_t currentModelLight = -1;
  std::vector<TriangleRecord> triangles;
  std::vector<std::string> tagNames;
  std::vector<std::unique_ptr<FrameRecord>> frames;

  // Work buffers: the current frame posed, offset and placed; rewritten every frame drawn.
  std::vector<Vec3d> curPositions;
  std::vector<Vec3d> curNormals;
  std::vector<TagRecord> curTags;
  std::array<Vec3f, 8> curBoxCorners{};
  Vec3f curLocalOrigin{0.0f, 0.0f, 0.0f};
  float curRadius = 0.0f;

  // Link fields; indices count as set only when within range (stale values mean none).
  std::int16_t pivotTag = -1;
  std::int16_t parentIndex = -1;
  std::int16_t anchorTag = -1;
  std::vector<ModelRecord*> children;  // derived from parentIndex; rebuilt, never edited
  std::int16_t childCount = 0;
  std::int32_t visited = 0;
  std::int16_t parentListRow = -1;

  Vec3f offsetRotation{0.0f, 0.0f, 0.0f};
  Vec3f offsetPosition{0.0f, 0.0f, 0.0f};
  Vec3f offsetScale{1.0f, 1.0f, 1.0f};

  ModelRecord() = default;
  ModelRecord(const ModelRecord&) = delete;
  ModelRecord& operator=(const ModelRecord&) = delete;
  // Map images go in the order texture, specularity, diffusion, glow, so their texture
  // objects are deleted in that order.
  ~ModelRecord() {
    ReleaseImage(textureMap);
    ReleaseImage(specularityMap);
    ReleaseImage(diffusionMap);
    ReleaseImage(glowMap);
  }

  std::unique_ptr<ImageRGBA>& MapImage(MapSlot slot) {
    switch (slot) {
      case kTextureSlot: return textureMap;
      case kSpecularitySlot: return specularityMap;
      case kDiffusionSlot: return diffusionMap;
      case kGlowSlot: break;
    }
    return glowMap;
  }
  const ImageRGBA* MapImage(MapSlot slot) const {
    return const_cast<ModelRecord*>(this)->MapImage(slot).get();
  }
  // A map takes part in drawing only when its slot holds an image and its flag is set.
  bool MapInUse(MapSlot slot) const { return MapImage(slot) != nullptr && mapEnabled[slot] != 0; }
  std::int32_t FrameCount() const { return static_cast<std::int32_t>(frames.size()); }
  std::int32_t TagCount() const { return static_cast<std::int32_t>(tagNames.size()); }
};

// True when the model's current frame exists: currentFrame indexes a frame that is there.
// A model failing this is drawn as nothing and has no bounds to show or frame.
inline bool HasCurrentFrame(const ModelRecord& model) {
  return model.currentFrame >= 0 && model.currentFrame < model.FrameCount() &&
         model.frames[static_cast<std::size_t>(model.currentFrame)] != nullptr;
}

}  // namespace tessary
