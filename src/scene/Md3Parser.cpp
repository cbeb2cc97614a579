// Parsing a whole MD3 file held in memory into model records. Every count and offset is
// checked against the buffer before it is used; a file that fails any check is refused as
// a whole, so the caller either gets every record of the file or none. The one exception
// is a surface whose ident is not "IDP3": it ends the surface list and the surfaces before
// it are kept, the way the format has always been read.
// Beyond the file's own consistency, two guards keep a hostile file from costing more than
// its size: surfaces may not share data, and the records together must fit a memory budget
// in proportion to the file.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "scene/Md3ByteReader.h"
#include "scene/Md3Loader.h"
#include "scene/SceneOps.h"
#include "scene/VertexWeld.h"

namespace tessary {
namespace {

constexpr char kIdent[] = "IDP3";
constexpr std::int32_t kMaxVersion = 1000;
constexpr std::int64_t kHeaderSize = 108;
constexpr std::int64_t kFrameSize = 56;
constexpr std::int64_t kTagSize = 112;
constexpr std::int64_t kSurfaceHeaderSize = 108;
constexpr std::int64_t kShaderSize = 68;
constexpr std::int64_t kTriangleSize = 12;
constexpr std::int64_t kStSize = 8;
constexpr std::int64_t kVertexSize = 8;
constexpr std::size_t kNameWidth = 64;
// Tag names are listed with their first 12 characters only.
constexpr std::size_t kTagNameLength = 12;
// Triangle corners are stored as signed 16-bit indices, which address vertices 0..32767.
constexpr std::int64_t kMaxVertices = 32768;
constexpr float kVertexScale = 1.0f / 64.0f;

// The viewer's axes are the file's axes cycled: viewer (x, y, z) = file (y, z, x).
Vec3f ToViewer(const std::array<float, 3>& v) { return {v[1], v[2], v[0]}; }

// A vertex table entry (x, y, z as 16-bit little-endian integers) as a viewer position.
Vec3f ViewerPosition(const std::uint8_t* entry) {
  const auto coordinate = [entry](int i) {
    return static_cast<float>(static_cast<std::int16_t>(entry[2 * i] | (entry[2 * i + 1] << 8))) * kVertexScale;
  };
  return {coordinate(1), coordinate(2), coordinate(0)};
}

std::array<float, 3> ReadVec3f(Md3ByteReader& r, std::int64_t offset) {
  return {r.F32(offset), r.F32(offset + 4), r.F32(offset + 8)};
}

// What each file frame contributes to every record.
struct FileFrame {
  std::array<Vec3f, 8> boxCorners{};
  Vec3f localOrigin{};
  float radius = 0.0f;
};

std::array<Vec3f, 8> BoxCorners(const Vec3f& a, const Vec3f& b) {
  return {Vec3f{a[0], a[1], a[2]}, Vec3f{b[0], a[1], a[2]}, Vec3f{b[0], a[1], b[2]}, Vec3f{a[0], a[1], b[2]},
          Vec3f{a[0], b[1], a[2]}, Vec3f{b[0], b[1], a[2]}, Vec3f{b[0], b[1], b[2]}, Vec3f{a[0], b[1], b[2]}};
}

// Every record carries its own copy of all frames and tags, so a file of many tiny
// surfaces (or many tags) over many frames could ask for memory out of all proportion to
// its size. Records are refused once they would need more than this budget.
class MemoryBudget {
 public:
  explicit MemoryBudget(std::uint64_t fileSize)
      : left_(std::max<std::uint64_t>(kFloor, fileSize > kCeiling / kPerFileByte ? kCeiling : fileSize * kPerFileByte)) {}

  // Takes the memory of one record; false when it does not fit what is left.
  bool Take(std::int64_t frames, std::int64_t tags, std::int64_t vertices, std::int64_t triangles) {
    const auto f = static_cast<std::uint64_t>(frames), g = static_cast<std::uint64_t>(tags),
               v = static_cast<std::uint64_t>(vertices), n = static_cast<std::uint64_t>(triangles);
    // Each count is below 2^31 and each size small, so no product here can overflow.
    const std::uint64_t perFrame = sizeof(FrameRecord) + g * sizeof(TagRecord) + v * 2 * sizeof(Vec3f);
    if (perFrame != 0 && f > left_ / perFrame) return false;
    const std::uint64_t cost = f * perFrame + n * sizeof(TriangleRecord) + v * 2 * sizeof(Vec3d) + g * sizeof(TagRecord);
    if (cost > left_) return false;
    left_ -= cost;
    return true;
  }

 private:
  // Records take about three times their vertex bytes and a few times the tag bytes they
  // copy; 64 times the file, and never less than 32 MiB, leaves real models ample room.
  static constexpr std::uint64_t kPerFileByte = 64;
  static constexpr std::uint64_t kFloor = 32ULL << 20;
  static constexpr std::uint64_t kCeiling = 1ULL << 40;
  std::uint64_t left_;
};

// What the file header says, and the tables every record shares.
struct FileTables {
  std::int32_t numFrames = 0;
  std::int32_t numTags = 0;
  std::int32_t numSurfaces = 0;
  std::int32_t ofsSurfaces = 0;
  std::vector<FileFrame> frames;
  std::vector<std::string> tagNames;
  std::vector<std::vector<TagRecord>> tags;  // [frame][tag]
};

std::optional<FileTables> ReadFileTables(Md3ByteReader& r) {
  if (!r.Fits(0, kHeaderSize, 1) || !r.Matches(0, kIdent)) return std::nullopt;
  if (r.I32(4) > kMaxVersion) return std::nullopt;

  FileTables t;
  t.numFrames = r.I32(76);
  t.numTags = r.I32(80);
  t.numSurfaces = r.I32(84);
  const std::int32_t ofsFrames = r.I32(92);
  const std::int32_t ofsTags = r.I32(96);
  t.ofsSurfaces = r.I32(100);

  // A file without frames would give records that cannot be posed or drawn; such files are
  // refused rather than special-cased everywhere a frame is needed.
  if (t.numFrames <= 0 || t.numTags < 0 || t.numSurfaces < 0) return std::nullopt;
  if (!r.Fits(ofsFrames, static_cast<std::uint64_t>(t.numFrames), kFrameSize)) return std::nullopt;
  // numFrames and numTags are both below 2^31, so their product fits 64 bits.
  const std::uint64_t tagCount = static_cast<std::uint64_t>(t.numFrames) * static_cast<std::uint64_t>(t.numTags);
  if (tagCount > 0 && !r.Fits(ofsTags, tagCount, kTagSize)) return std::nullopt;

  t.frames.resize(static_cast<std::size_t>(t.numFrames));
  for (std::int32_t f = 0; f < t.numFrames; ++f) {
    const std::int64_t at = ofsFrames + f * kFrameSize;
    FileFrame& frame = t.frames[static_cast<std::size_t>(f)];
    frame.boxCorners = BoxCorners(ToViewer(ReadVec3f(r, at)), ToViewer(ReadVec3f(r, at + 12)));
    frame.localOrigin = ToViewer(ReadVec3f(r, at + 24));
    frame.radius = r.F32(at + 36);
  }

  t.tagNames.resize(static_cast<std::size_t>(t.numTags));
  t.tags.assign(static_cast<std::size_t>(t.numFrames), std::vector<TagRecord>(static_cast<std::size_t>(t.numTags)));
  for (std::int32_t f = 0; f < t.numFrames; ++f) {
    for (std::int32_t i = 0; i < t.numTags; ++i) {
      const std::int64_t at = ofsTags + (static_cast<std::int64_t>(f) * t.numTags + i) * kTagSize;
      if (f == 0) t.tagNames[static_cast<std::size_t>(i)] = r.FixedString(at, kNameWidth).substr(0, kTagNameLength);
      TagRecord& tag = t.tags[static_cast<std::size_t>(f)][static_cast<std::size_t>(i)];
      tag.origin = ToViewer(ReadVec3f(r, at + 64));
      const std::array<float, 3> row0 = ReadVec3f(r, at + 76);
      const std::array<float, 3> row1 = ReadVec3f(r, at + 88);
      const std::array<float, 3> row2 = ReadVec3f(r, at + 100);
      // The rows are cycled like the axes: viewer row 0 is the file's row 1, and so on.
      tag.axis = {ToViewer(row1), ToViewer(row2), ToViewer(row0)};
    }
  }
  if (r.Failed()) return std::nullopt;
  return t;
}

// Gives a new record everything that comes from the file rather than from its surface.
void AttachFileTables(ModelRecord& m, const FileTables& t) {
  m.tagNames = t.tagNames;
  for (std::size_t f = 0; f < m.frames.size() && f < t.frames.size(); ++f) {
    FrameRecord& frame = *m.frames[f];
    frame.tags = t.tags[f];
    frame.boxCorners = t.frames[f].boxCorners;
    frame.localOrigin = t.frames[f].localOrigin;
    frame.radius = t.frames[f].radius;
  }
  m.curTags.assign(t.tagNames.size(), TagRecord{});
}

// Runs the steps every new record goes through once its welded geometry is in place. The
// normals of each frame are left to the first time it is posed.
void FinishRecord(ModelRecord& m, const FileTables& t) {
  AttachFileTables(m, t);
  m.curPositions.assign(static_cast<std::size_t>(m.numVertices), Vec3d{0.0, 0.0, 0.0});
  m.curNormals.assign(static_cast<std::size_t>(m.numVertices), Vec3d{0.0, 0.0, 0.0});
}

struct SurfaceRead {
  enum class Kind { Record, NotASurface, Broken } kind = Kind::Broken;
  std::unique_ptr<ModelRecord> record;
  std::string shader;
  std::int64_t next = 0;  // where the following surface would start
};

// One table of a surface: count entries of size bytes at the surface start + offset.
struct SurfaceTable {
  std::int32_t offset;
  std::int64_t count;
  std::int64_t size;
};

SurfaceRead ReadSurface(Md3ByteReader& r, std::int64_t start, const FileTables& t, MemoryBudget& budget) {
  SurfaceRead result;
  if (!r.Fits(start, 4, 1)) return result;
  if (!r.Matches(start, kIdent)) {
    result.kind = SurfaceRead::Kind::NotASurface;
    return result;
  }
  // From here on the surface claims to be one: if it is truncated or inconsistent the whole
  // file is refused, so nothing of a damaged file is half-added.
  if (!r.Fits(start, kSurfaceHeaderSize, 1)) return result;
  const std::string name = r.FixedString(start + 4, kNameWidth);
  const std::int32_t numFrames = r.I32(start + 72);
  const std::int32_t numShaders = r.I32(start + 76);
  const std::int32_t numVerts = r.I32(start + 80);
  const std::int32_t numTriangles = r.I32(start + 84);
  const std::int32_t ofsTriangles = r.I32(start + 88);
  const std::int32_t ofsShaders = r.I32(start + 92);
  const std::int32_t ofsSt = r.I32(start + 96);
  const std::int32_t ofsXyzNormal = r.I32(start + 100);
  const std::int32_t ofsEnd = r.I32(start + 104);

  if (numFrames != t.numFrames || numShaders < 0 || numVerts < 0 || numTriangles < 0) return result;
  if (numVerts > kMaxVertices) return result;

  // Each table must lie after the surface header and inside the file. The next surface may
  // not start before the end of this one's data: surfaces never share bytes, so the
  // records built can never outgrow the file by reusing the same data over and over.
  const SurfaceTable tables[] = {
      {ofsShaders, numShaders, kShaderSize},
      {ofsTriangles, numTriangles, kTriangleSize},
      {ofsSt, numVerts, kStSize},
      {ofsXyzNormal, static_cast<std::int64_t>(numVerts) * numFrames, kVertexSize},
  };
  std::int64_t dataEnd = start + kSurfaceHeaderSize;
  for (const SurfaceTable& table : tables) {
    if (table.count == 0) continue;
    if (table.offset < kSurfaceHeaderSize) return result;
    if (!r.Fits(start + table.offset, static_cast<std::uint64_t>(table.count), static_cast<std::uint64_t>(table.size))) {
      return result;
    }
    dataEnd = std::max(dataEnd, start + table.offset + table.count * table.size);
  }

  if (!budget.Take(numFrames, t.numTags, numVerts, numTriangles)) return result;

  auto m = std::make_unique<ModelRecord>();
  m->name = FileNameFromPath(name);
  m->numTriangles = numTriangles;

  m->triangles.resize(static_cast<std::size_t>(numTriangles));
  for (std::int32_t i = 0; i < numTriangles; ++i) {
    const std::int64_t at = start + ofsTriangles + i * kTriangleSize;
    const std::array<std::int32_t, 3> index{r.I32(at), r.I32(at + 4), r.I32(at + 8)};
    for (std::int32_t v : index) {
      if (v < 0 || v >= numVerts) return result;
    }
    // Stored as (0, 2, 1): the winding is reversed for the viewer's axes.
    const std::array<std::int32_t, 3> stored{index[0], index[2], index[1]};
    TriangleRecord& tri = m->triangles[static_cast<std::size_t>(i)];
    for (std::size_t c = 0; c < 3; ++c) {
      tri.vertex[c] = static_cast<std::int16_t>(stored[c]);
      const std::int64_t st = start + ofsSt + stored[c] * kStSize;
      tri.st[c] = {static_cast<double>(r.F32(st)), static_cast<double>(r.F32(st + 4))};
    }
  }

  // Welded on the file's own 16-bit values, so only the vertices that stay are converted.
  // Every table was checked to lie inside the file above (an empty one may point anywhere).
  const std::uint8_t* table = numVerts > 0 ? r.Data() + start + ofsXyzNormal : nullptr;
  const WeldPlan weld = PlanMd3VertexWeld(table, static_cast<std::size_t>(numVerts), static_cast<std::size_t>(numFrames));
  for (TriangleRecord& tri : m->triangles) {
    for (auto& v : tri.vertex) v = static_cast<std::int16_t>(weld.newIndex[static_cast<std::size_t>(v)]);
  }
  m->numVertices = static_cast<std::int32_t>(weld.kept.size());
  m->frames.reserve(static_cast<std::size_t>(numFrames));
  const std::size_t frameBytes = static_cast<std::size_t>(numVerts) * kVertexSize;
  for (std::int32_t f = 0; f < numFrames; ++f) {
    auto frame = std::make_unique<FrameRecord>();
    frame->positions.reserve(weld.kept.size());
    const std::uint8_t* entries = table + static_cast<std::size_t>(f) * frameBytes;
    for (std::uint32_t v : weld.kept) frame->positions.push_back(ViewerPosition(entries + std::size_t{v} * kVertexSize));
    m->frames.push_back(std::move(frame));
  }

  if (numShaders > 0) result.shader = r.FixedString(start + ofsShaders, kNameWidth);
  if (r.Failed()) return result;

  FinishRecord(*m, t);
  result.kind = SurfaceRead::Kind::Record;
  result.record = std::move(m);
  // ofsEnd matters only when another surface follows; a value that would move backwards or
  // into this surface's own data makes the next start negative, which the caller refuses.
  result.next = (ofsEnd >= kSurfaceHeaderSize && start + ofsEnd >= dataEnd) ? start + ofsEnd : -1;
  return result;
}

// The placeholder for a file without surfaces, so its tags can still serve as anchors. Its
// three corners lie apart, so there is nothing to weld.
std::unique_ptr<ModelRecord> MakeDummyRecord(const FileTables& t) {
  auto m = std::make_unique<ModelRecord>();
  m->name = "Dummy";
  m->numTriangles = 1;
  m->numVertices = 3;
  TriangleRecord tri;
  tri.vertex = {0, 2, 1};
  tri.st = {std::array<double, 2>{0.0, 0.0}, std::array<double, 2>{0.0, 1.0}, std::array<double, 2>{1.0, 0.0}};
  m->triangles.push_back(tri);
  for (std::int32_t f = 0; f < t.numFrames; ++f) {
    auto frame = std::make_unique<FrameRecord>();
    frame->positions = {Vec3f{0.0f, 0.0f, 0.0f}, Vec3f{0.0f, 0.0f, 1.0f}, Vec3f{1.0f, 0.0f, 0.0f}};
    m->frames.push_back(std::move(frame));
  }
  FinishRecord(*m, t);
  return m;
}

Md3Parse Refused() {
  Md3Parse p;
  p.error = kNotAnMd3Message;
  return p;
}

}  // namespace

Md3Parse ParseMd3(std::span<const std::uint8_t> bytes) {
  Md3ByteReader r(bytes);
  std::optional<FileTables> tables = ReadFileTables(r);
  if (!tables) return Refused();

  MemoryBudget budget(r.Size());
  Md3Parse parse;
  parse.numFrames = tables->numFrames;
  parse.tagNames = tables->tagNames;

  if (tables->numSurfaces == 0) {
    parse.records.push_back(MakeDummyRecord(*tables));
    parse.shaderNames.emplace_back();
  }
  std::int64_t start = tables->ofsSurfaces;
  for (std::int32_t s = 0; s < tables->numSurfaces; ++s) {
    if (start < 0) return Refused();
    SurfaceRead surface = ReadSurface(r, start, *tables, budget);
    if (surface.kind == SurfaceRead::Kind::NotASurface) break;
    if (surface.kind == SurfaceRead::Kind::Broken) return Refused();
    parse.records.push_back(std::move(surface.record));
    parse.shaderNames.push_back(std::move(surface.shader));
    start = surface.next;
  }
  parse.ok = true;
  return parse;
}

}  // namespace tessary
