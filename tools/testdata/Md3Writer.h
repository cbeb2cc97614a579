// Builds MD3 files in memory from a plain description, in the file's own axes and integer
// vertex units, with hooks to damage them: any header field can be overridden, the bytes
// can be cut or patched afterwards, and a surface ident can be replaced. Used by the tests,
// the fuzz seed corpora, the benchmarks and the demo model generator.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessary::md3 {

using Float3 = std::array<float, 3>;

struct Frame {
  Float3 minBounds{0.0f, 0.0f, 0.0f};
  Float3 maxBounds{0.0f, 0.0f, 0.0f};
  Float3 localOrigin{0.0f, 0.0f, 0.0f};
  float radius = 0.0f;
  std::string name = "frame";
};

struct Tag {
  std::string name;  // written into a 64-byte field; longer names are cut to 64 bytes
  Float3 origin{0.0f, 0.0f, 0.0f};
  std::array<Float3, 3> axis{Float3{1.0f, 0.0f, 0.0f}, Float3{0.0f, 1.0f, 0.0f}, Float3{0.0f, 0.0f, 1.0f}};
};

// One vertex as stored: integer coordinates (1/64 unit each) and a packed normal.
struct Vertex {
  std::int16_t x = 0, y = 0, z = 0;
  std::uint16_t normal = 0;
};

struct Surface {
  std::string ident = "IDP3";  // exactly four bytes are written (padded with zeros)
  std::string name;
  std::int32_t flags = 0;
  std::vector<std::string> shaders;
  std::vector<std::array<float, 2>> st;                  // one per vertex
  std::vector<std::array<std::int32_t, 3>> triangles;    // vertex indices, file order
  std::vector<std::vector<Vertex>> frames;               // vertices of each frame

  // Header fields written instead of the computed ones when set.
  std::optional<std::int32_t> numFrames, numShaders, numVerts, numTriangles;
  std::optional<std::int32_t> ofsTriangles, ofsShaders, ofsSt, ofsXyzNormal, ofsEnd;
};

struct File {
  std::string ident = "IDP3";
  std::int32_t version = 15;
  std::string name = "tessary";
  std::int32_t flags = 0;
  std::vector<Frame> frames;
  std::vector<std::vector<Tag>> tags;  // tags[frame][tag]; every frame the same count
  std::vector<Surface> surfaces;

  std::optional<std::int32_t> numFrames, numTags, numSurfaces, numSkins;
  std::optional<std::int32_t> ofsFrames, ofsTags, ofsSurfaces, ofsEnd;
};

// Where each part went, for tests that patch or cut specific bytes.
struct Layout {
  std::size_t ofsFrames = 0;
  std::size_t ofsTags = 0;
  std::size_t ofsSurfaces = 0;
  struct SurfaceParts {
    std::size_t start = 0;
    std::size_t ofsShaders = 0, ofsTriangles = 0, ofsSt = 0, ofsXyzNormal = 0, ofsEnd = 0;  // from start
  };
  std::vector<SurfaceParts> surfaces;
  std::size_t size = 0;
};

// Byte offsets of header fields, for patching.
inline constexpr std::size_t kHeaderVersion = 4, kHeaderNumFrames = 76, kHeaderNumTags = 80,
                             kHeaderNumSurfaces = 84, kHeaderOfsFrames = 92, kHeaderOfsTags = 96,
                             kHeaderOfsSurfaces = 100;
inline constexpr std::size_t kSurfaceNumFrames = 72, kSurfaceNumShaders = 76, kSurfaceNumVerts = 80,
                             kSurfaceNumTriangles = 84, kSurfaceOfsTriangles = 88, kSurfaceOfsShaders = 92,
                             kSurfaceOfsSt = 96, kSurfaceOfsXyzNormal = 100, kSurfaceOfsEnd = 104;

// The file laid out as header, frames, tags, then each surface as header, shaders,
// triangles, texture coordinates and vertices; each surface's ofsEnd is its size.
std::vector<std::uint8_t> Write(const File& file, Layout* layout = nullptr);

// Overwrites four bytes at offset with a little-endian value.
void PutInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value);
std::int32_t GetInt32(const std::vector<std::uint8_t>& bytes, std::size_t offset);

// A frame whose bounds enclose every vertex of every surface in that frame, with origin
// (0, 0, 0) and the radius of the farthest bound corner.
Frame BoundsOf(const File& file, std::size_t frame, const std::string& name = "frame");

}  // namespace tessary::md3
