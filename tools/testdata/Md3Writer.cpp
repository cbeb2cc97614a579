// Writes the MD3 layout byte by byte, little-endian, so fixtures never depend on the
// in-memory layout of any struct.
#include "testdata/Md3Writer.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace tessary::md3 {
namespace {

class ByteSink {
 public:
  explicit ByteSink(std::vector<std::uint8_t>& out) : out_(out) {}
  void I32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
  }
  void I16(std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    out_.push_back(static_cast<std::uint8_t>(u & 0xff));
    out_.push_back(static_cast<std::uint8_t>(u >> 8));
  }
  void U16(std::uint16_t v) { I16(static_cast<std::int16_t>(v)); }
  void F32(float v) { I32(std::bit_cast<std::int32_t>(v)); }
  void Vec(const Float3& v) {
    for (float c : v) F32(c);
  }
  // text in a field of width bytes, cut or zero-padded
  void Text(const std::string& text, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) out_.push_back(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
  }

 private:
  std::vector<std::uint8_t>& out_;
};

constexpr std::size_t kHeaderSize = 108, kFrameSize = 56, kTagSize = 112, kSurfaceHeaderSize = 108,
                      kShaderSize = 68, kTriangleSize = 12, kStSize = 8, kVertexSize = 8;

std::size_t VertexCount(const Surface& s) { return s.frames.empty() ? s.st.size() : s.frames.front().size(); }

std::vector<std::uint8_t> WriteSurface(const Surface& s, Layout::SurfaceParts& parts) {
  const std::size_t numVerts = VertexCount(s);
  std::size_t vertexBytes = 0;
  for (const auto& frame : s.frames) vertexBytes += frame.size() * kVertexSize;
  parts.ofsShaders = kSurfaceHeaderSize;
  parts.ofsTriangles = parts.ofsShaders + s.shaders.size() * kShaderSize;
  parts.ofsSt = parts.ofsTriangles + s.triangles.size() * kTriangleSize;
  parts.ofsXyzNormal = parts.ofsSt + s.st.size() * kStSize;
  parts.ofsEnd = parts.ofsXyzNormal + vertexBytes;

  std::vector<std::uint8_t> out;
  ByteSink w(out);
  w.Text(s.ident, 4);
  w.Text(s.name, 64);
  w.I32(s.flags);
  w.I32(s.numFrames.value_or(static_cast<std::int32_t>(s.frames.size())));
  w.I32(s.numShaders.value_or(static_cast<std::int32_t>(s.shaders.size())));
  w.I32(s.numVerts.value_or(static_cast<std::int32_t>(numVerts)));
  w.I32(s.numTriangles.value_or(static_cast<std::int32_t>(s.triangles.size())));
  w.I32(s.ofsTriangles.value_or(static_cast<std::int32_t>(parts.ofsTriangles)));
  w.I32(s.ofsShaders.value_or(static_cast<std::int32_t>(parts.ofsShaders)));
  w.I32(s.ofsSt.value_or(static_cast<std::int32_t>(parts.ofsSt)));
  w.I32(s.ofsXyzNormal.value_or(static_cast<std::int32_t>(parts.ofsXyzNormal)));
  w.I32(s.ofsEnd.value_or(static_cast<std::int32_t>(parts.ofsEnd)));
  for (std::size_t i = 0; i < s.shaders.size(); ++i) {
    w.Text(s.shaders[i], 64);
    w.I32(static_cast<std::int32_t>(i));
  }
  for (const auto& t : s.triangles) {
    for (auto v : t) w.I32(v);
  }
  for (const auto& st : s.st) {
    w.F32(st[0]);
    w.F32(st[1]);
  }
  for (const auto& frame : s.frames) {
    for (const auto& v : frame) {
      w.I16(v.x);
      w.I16(v.y);
      w.I16(v.z);
      w.U16(v.normal);
    }
  }
  return out;
}

}  // namespace

std::vector<std::uint8_t> Write(const File& file, Layout* layout) {
  Layout local;
  Layout& l = layout != nullptr ? *layout : local;
  l = Layout{};
  const std::size_t numTags = file.tags.empty() ? 0 : file.tags.front().size();
  std::size_t tagEntries = 0;
  for (const auto& frameTags : file.tags) tagEntries += frameTags.size();
  l.ofsFrames = kHeaderSize;
  l.ofsTags = l.ofsFrames + file.frames.size() * kFrameSize;
  l.ofsSurfaces = l.ofsTags + tagEntries * kTagSize;

  std::vector<std::vector<std::uint8_t>> surfaceBytes;
  std::size_t at = l.ofsSurfaces;
  for (const auto& s : file.surfaces) {
    Layout::SurfaceParts parts;
    parts.start = at;
    surfaceBytes.push_back(WriteSurface(s, parts));
    at += surfaceBytes.back().size();
    l.surfaces.push_back(parts);
  }
  l.size = at;

  std::vector<std::uint8_t> out;
  out.reserve(l.size);
  ByteSink w(out);
  w.Text(file.ident, 4);
  w.I32(file.version);
  w.Text(file.name, 64);
  w.I32(file.flags);
  w.I32(file.numFrames.value_or(static_cast<std::int32_t>(file.frames.size())));
  w.I32(file.numTags.value_or(static_cast<std::int32_t>(numTags)));
  w.I32(file.numSurfaces.value_or(static_cast<std::int32_t>(file.surfaces.size())));
  w.I32(file.numSkins.value_or(0));
  w.I32(file.ofsFrames.value_or(static_cast<std::int32_t>(l.ofsFrames)));
  w.I32(file.ofsTags.value_or(static_cast<std::int32_t>(l.ofsTags)));
  w.I32(file.ofsSurfaces.value_or(static_cast<std::int32_t>(l.ofsSurfaces)));
  w.I32(file.ofsEnd.value_or(static_cast<std::int32_t>(l.size)));
  for (const auto& f : file.frames) {
    w.Vec(f.minBounds);
    w.Vec(f.maxBounds);
    w.Vec(f.localOrigin);
    w.F32(f.radius);
    w.Text(f.name, 16);
  }
  for (const auto& frameTags : file.tags) {
    for (const auto& t : frameTags) {
      w.Text(t.name, 64);
      w.Vec(t.origin);
      for (const auto& row : t.axis) w.Vec(row);
    }
  }
  for (const auto& bytes : surfaceBytes) out.insert(out.end(), bytes.begin(), bytes.end());
  return out;
}

void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (std::size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetInt32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t u = 0;
  for (std::size_t i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(bytes.at(offset + i)) << (8 * i);
  return static_cast<std::int32_t>(u);
}

Frame BoundsOf(const File& file, std::size_t frame, const std::string& name) {
  Frame f;
  f.name = name;
  bool any = false;
  for (const auto& s : file.surfaces) {
    if (frame >= s.frames.size()) continue;
    for (const auto& v : s.frames[frame]) {
      const Float3 p{v.x / 64.0f, v.y / 64.0f, v.z / 64.0f};
      for (std::size_t k = 0; k < 3; ++k) {
        f.minBounds[k] = any ? std::min(f.minBounds[k], p[k]) : p[k];
        f.maxBounds[k] = any ? std::max(f.maxBounds[k], p[k]) : p[k];
      }
      any = true;
    }
  }
  float r2 = 0.0f;
  for (int corner = 0; corner < 8; ++corner) {
    float d2 = 0.0f;
    for (std::size_t k = 0; k < 3; ++k) {
      const float c = (corner >> k) & 1 ? f.maxBounds[k] : f.minBounds[k];
      d2 += c * c;
    }
    r2 = std::max(r2, d2);
  }
  f.radius = std::sqrt(r2);
  return f;
}

}  // namespace tessary::md3
