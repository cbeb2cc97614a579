// Posing every model at its current frame in the axes of its pivot tag, applying its
// offsets, and carrying linked models onto their parents' anchor tags. Everything is done on
// the processor into the models' work buffers, positions and normals in double precision.
#include "link/Posing.h"

#include <algorithm>
#include <cstddef>

#include "link/FrameBlend.h"
#include "scene/Md3Loader.h"

namespace tessary {

namespace {

bool InRange(std::int64_t index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

// A tag index counts as set only when the model names that many tags and the tag list at
// hand (a frame's tags, or the work buffer) really holds it.
bool TagIsSet(const ModelRecord& model, std::int64_t tag, std::size_t available) {
  return InRange(tag, static_cast<std::size_t>(model.TagCount())) && InRange(tag, available);
}

std::size_t VertexCount(const ModelRecord& model) {
  return static_cast<std::size_t>(std::max<std::int32_t>(model.numVertices, 0));
}

// Expressing points and directions in the axes of a tag (origin o, axis rows a0, a1, a2).
struct IntoTag {
  Vec3d o;
  std::array<Vec3d, 3> a;

  explicit IntoTag(const TagRecord& tag)
      : o{tag.origin[0], tag.origin[1], tag.origin[2]},
        a{Vec3d{tag.axis[0][0], tag.axis[0][1], tag.axis[0][2]},
          Vec3d{tag.axis[1][0], tag.axis[1][1], tag.axis[1][2]},
          Vec3d{tag.axis[2][0], tag.axis[2][1], tag.axis[2][2]}} {}

  Vec3d Direction(const Vec3d& n) const {
    return {a[0][0] * n[0] + a[0][1] * n[1] + a[0][2] * n[2], a[1][0] * n[0] + a[1][1] * n[1] + a[1][2] * n[2],
            a[2][0] * n[0] + a[2][1] * n[1] + a[2][2] * n[2]};
  }
  Vec3d Point(const Vec3d& v) const { return Direction({v[0] - o[0], v[1] - o[1], v[2] - o[2]}); }
};

// The inverse for an orthonormal tag: from the tag's axes into the frame it sits in.
struct OutOfTag {
  Vec3d o;
  std::array<Vec3d, 3> a;

  explicit OutOfTag(const TagRecord& tag) : o{tag.origin[0], tag.origin[1], tag.origin[2]}, a{} {
    for (int i = 0; i < 3; ++i) a[i] = {tag.axis[i][0], tag.axis[i][1], tag.axis[i][2]};
  }

  // Spelled out rather than looped, so the sums stay in registers: this runs for every
  // vertex of every linked model in every frame.
  Vec3d Direction(const Vec3d& n) const {
    const double x = n[0], y = n[1], z = n[2];
    return {x * a[0][0] + y * a[1][0] + z * a[2][0], x * a[0][1] + y * a[1][1] + z * a[2][1],
            x * a[0][2] + y * a[1][2] + z * a[2][2]};
  }
  Vec3d Point(const Vec3d& p) const {
    const Vec3d d = Direction(p);
    return {o[0] + d[0], o[1] + d[1], o[2] + d[2]};
  }
};

Vec3d ToDouble(const Vec3f& v) { return {v[0], v[1], v[2]}; }
Vec3f ToFloat(const Vec3d& v) {
  return {static_cast<float>(v[0]), static_cast<float>(v[1]), static_cast<float>(v[2])};
}

// Applies one transform to every buffer of the model: positions, box corners, the local
// origin and tag origins as points; normals and tag axes as directions. The radius stays.
template <typename Transform>
void TransformWorkBuffers(ModelRecord& model, const Transform& t) {
  for (Vec3d& p : model.curPositions) p = t.Point(p);
  for (Vec3d& n : model.curNormals) n = t.Direction(n);
  for (Vec3f& c : model.curBoxCorners) c = ToFloat(t.Point(ToDouble(c)));
  model.curLocalOrigin = ToFloat(t.Point(ToDouble(model.curLocalOrigin)));
  for (TagRecord& tag : model.curTags) {
    tag.origin = ToFloat(t.Point(ToDouble(tag.origin)));
    for (Vec3f& axis : tag.axis) axis = ToFloat(t.Direction(ToDouble(axis)));
  }
}

// Copies n entries of a frame's list into a work buffer, in double; a frame holding fewer
// than the model's vertex count leaves the rest at zero, so the buffers always match
// numVertices.
void CopySized(std::vector<Vec3d>& to, const std::vector<Vec3f>& from, std::size_t n) {
  to.resize(n);
  const std::size_t copied = std::min(n, from.size());
  std::transform(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(copied), to.begin(), ToDouble);
  std::fill(to.begin() + static_cast<std::ptrdiff_t>(copied), to.end(), Vec3d{0.0, 0.0, 0.0});
}

void ClampCurrentFrame(ModelRecord& model) {
  if (model.currentFrame < 0 || model.currentFrame >= model.FrameCount()) model.currentFrame = 0;
}

// The frame the pose is blended toward, or none when the current frame is shown alone
// (no blend, or a blend frame that does not exist).
const FrameRecord* BlendTarget(const ModelRecord& model) {
  if (!(model.blend > 0.0f && model.blend < 1.0f) || model.blendFrame == model.currentFrame ||
      !InRange(model.blendFrame, model.frames.size()))
    return nullptr;
  return model.frames[static_cast<std::size_t>(model.blendFrame)].get();
}

// A model without frames (or missing the one shown) has nothing to draw. Its vertex buffers
// stay the size its triangles index, with every vertex at the origin so every triangle is
// empty; it keeps no tags, so nothing can anchor on it.
void ClearWorkBuffers(ModelRecord& model) {
  const std::size_t n = VertexCount(model);
  model.curPositions.assign(n, Vec3d{0.0, 0.0, 0.0});
  model.curNormals.assign(n, Vec3d{0.0, 0.0, 0.0});
  model.curTags.clear();
  model.curBoxCorners = {};
  model.curLocalOrigin = {0.0f, 0.0f, 0.0f};
  model.curRadius = 0.0f;
}

// One step of the placement walk. depth counts the models above this one on the path; a
// tree of n models is at most n deep, so a deeper walk can only come from a cycle of
// parentIndex values, and it stops there instead of recursing for ever.
void Place(Scene& scene, ModelRecord& model, const TagRecord& frame, bool isRoot, std::int32_t depth) {
  if (!isRoot) TransformWorkBuffers(model, OutOfTag(frame));
  if (depth + 1 >= scene.ModelCount()) return;
  for (ModelRecord* child : model.children) {
    // Only models of this scene are followed, so a stale child list cannot lead astray.
    const bool inScene = std::any_of(scene.models.begin(), scene.models.end(),
                                     [child](const auto& m) { return m.get() == child; });
    if (child == nullptr || !inScene) continue;
    // Without an anchor the child, and everything hanging from it, stays where posing left it.
    if (!TagIsSet(model, child->anchorTag, model.curTags.size())) continue;
    const TagRecord anchor = model.curTags[static_cast<std::size_t>(child->anchorTag)];
    Place(scene, *child, anchor, false, depth + 1);
  }
}

}  // namespace

void PoseCurrentFrame(ModelRecord& model) {
  ClampCurrentFrame(model);
  const FrameRecord* shown =
      model.FrameCount() > 0 ? model.frames[static_cast<std::size_t>(model.currentFrame)].get() : nullptr;
  if (shown == nullptr) {
    ClearWorkBuffers(model);
    return;
  }
  EnsureFrameNormals(model, model.currentFrame);
  if (BlendTarget(model) != nullptr) EnsureFrameNormals(model, model.blendFrame);
  const FrameRecord& frame = *shown;
  if (const FrameRecord* toward = BlendTarget(model)) {
    BlendFramesInto(model, frame, *toward, model.blend);
  } else {
    const std::size_t n = VertexCount(model);
    CopySized(model.curPositions, frame.positions, n);
    CopySized(model.curNormals, frame.normals, n);
    model.curTags = frame.tags;
    model.curBoxCorners = frame.boxCorners;
    model.curLocalOrigin = frame.localOrigin;
    model.curRadius = frame.radius;
  }
  // With a pivot the whole frame is re-expressed in that tag's axes, which puts the tag at
  // the origin: the model is then drawn around it, and a parent can carry it by it.
  if (TagIsSet(model, model.pivotTag, model.curTags.size())) {
    const IntoTag pivot(model.curTags[static_cast<std::size_t>(model.pivotTag)]);
    TransformWorkBuffers(model, pivot);
  }
  ApplyModelOffsets(model);
}

void ApplyModelOffsets(ModelRecord& model) {
  ClampCurrentFrame(model);
  // Scale first, then translation, both in the pivot's axes; normals, tag axes and the
  // radius are left as they are.
  const Vec3f& s = model.offsetScale;
  if (!(s[0] == 1.0f && s[1] == 1.0f && s[2] == 1.0f)) {
    const Vec3d sd = ToDouble(s);
    for (Vec3d& p : model.curPositions) p = {p[0] * sd[0], p[1] * sd[1], p[2] * sd[2]};
    for (Vec3f& c : model.curBoxCorners) c = {c[0] * s[0], c[1] * s[1], c[2] * s[2]};
    Vec3f& o = model.curLocalOrigin;
    o = {o[0] * s[0], o[1] * s[1], o[2] * s[2]};
    for (TagRecord& tag : model.curTags) {
      tag.origin = {tag.origin[0] * s[0], tag.origin[1] * s[1], tag.origin[2] * s[2]};
    }
  }
  const Vec3f& d = model.offsetPosition;
  if (!(d[0] == 0.0f && d[1] == 0.0f && d[2] == 0.0f)) {
    const Vec3d dd = ToDouble(d);
    for (Vec3d& p : model.curPositions) p = {p[0] + dd[0], p[1] + dd[1], p[2] + dd[2]};
    for (Vec3f& c : model.curBoxCorners) c = {c[0] + d[0], c[1] + d[1], c[2] + d[2]};
    Vec3f& o = model.curLocalOrigin;
    o = {o[0] + d[0], o[1] + d[1], o[2] + d[2]};
    for (TagRecord& tag : model.curTags) {
      tag.origin = {tag.origin[0] + d[0], tag.origin[1] + d[1], tag.origin[2] + d[2]};
    }
  }
}

void PlaceLinkedModels(Scene& scene, ModelRecord& model, TagRecord frame, bool isRoot) {
  Place(scene, model, frame, isRoot, 0);
}

void PoseAndPlaceScene(Scene& scene) {
  for (auto& model : scene.models) {
    if (model) PoseCurrentFrame(*model);
  }
  for (auto& model : scene.models) {
    if (model && !scene.IsModelIndex(model->parentIndex)) {
      PlaceLinkedModels(scene, *model, TagRecord::Identity(), true);
    }
  }
}

}  // namespace tessary
