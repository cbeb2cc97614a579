// Reading MD3 bytes into records: the axis, unit and winding conversions, the weld and the
// smooth normals against the plain rule, the tables copied into every record, what loads at
// the limits, and the refusal of every truncated or inconsistent file as a whole.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <random>

#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"

namespace tessary {
namespace {

using testing::FileWith;
using testing::SmallFile;
using testing::V;
using Bytes = std::vector<std::uint8_t>;
using Corners = std::array<std::int16_t, 3>;
using St = std::array<double, 2>;

Md3Parse Parse(const md3::File& file) { return ParseMd3(md3::Write(file)); }

TEST(Md3ParserTest, VerticesTrianglesAndNormalsComeInViewerAxes) {
  // File x forward, y left, z up, in 1/64 units; viewer (x, y, z) is file (y, z, x) / 64.
  md3::Surface s;
  s.name = "models/corvane/floor";
  s.shaders = {"skins/first.tga", "skins/second.tga"};
  s.st = {{0.125f, 0.25f}, {0.5f, 0.75f}, {1.0f, -2.0f}, {3.5f, 0.0f}};
  s.triangles = {{0, 1, 2}, {3, 0, 1}};
  s.frames = {{V(0, 0, 0), V(0, 64, 0), V(64, 0, 0), V(64, 128, -64)}};
  Md3Parse p = Parse(FileWith({s}, 1));
  ASSERT_TRUE(p.ok);
  ModelRecord& m = *p.records.at(0);
  EXPECT_EQ(std::make_pair(m.name, p.shaderNames), std::make_pair(std::string("floor"), std::vector<std::string>{"skins/first.tga"}));
  const FrameRecord& f = *m.frames.at(0);
  EXPECT_EQ(f.positions, (std::vector<Vec3f>{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}, {2, -1, 1}}));
  // Corners are stored as (0, 2, 1), each keeping its own texture coordinates.
  ASSERT_EQ(m.triangles.size(), 2u);
  EXPECT_EQ(m.triangles[0].vertex, (Corners{0, 2, 1}));
  EXPECT_EQ(m.triangles[0].st, (std::array<St, 3>{St{0.125, 0.25}, St{1.0, -2.0}, St{0.5, 0.75}}));
  EXPECT_EQ(m.triangles[1].vertex, (Corners{3, 1, 0}));
  EXPECT_EQ(m.triangles[1].st, (std::array<St, 3>{St{3.5, 0.0}, St{0.5, 0.75}, St{0.125, 0.25}}));
  // Triangle 0 turns clockwise seen from above the file's floor, so it faces up (viewer +y);
  // vertex 2 is on no other triangle. Normals come when the frame is first posed.
  EXPECT_TRUE(f.normals.empty());
  EnsureFrameNormals(m, 0);
  ASSERT_EQ(f.normals.size(), 4u);
  EXPECT_EQ(f.normals[2], (Vec3f{0.0f, 1.0f, 0.0f}));
}

// The fast load (weld on the file's integers, float frames, normals four frames at a time)
// against the rule worked the plain way in double, on random models with many shared
// vertices, degenerate faces and (every fourth model) edges long enough to need the careful
// cross product: the same vertices, mapping and positions, and normals within 1e-6.
TEST(LoadFidelity, WeldPositionsAndNormalsMatchThePlainRuleInDouble) {
  using Triple = std::array<int, 3>;  // file x, y, z
  using D3 = std::array<double, 3>;
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    const int count = 3 + static_cast<int>(rng() % 200), frames = 1 + static_cast<int>(rng() % 9);
    const int places = 2 + static_cast<int>(rng() % 60), range = round % 4 == 0 ? 32767 : 300;
    std::uniform_int_distribution<int> coordinate(-range, range);
    std::vector<std::vector<Triple>> at(static_cast<std::size_t>(frames));
    md3::Surface s;
    for (auto& frame : at) {
      std::vector<Triple> place(static_cast<std::size_t>(places));
      for (auto& p : place) p = {coordinate(rng), coordinate(rng), coordinate(rng)};
      auto& written = s.frames.emplace_back();
      for (int i = 0; i < count; ++i) {
        Triple p = place[static_cast<std::size_t>(i % places)];
        if (rng() % 30 == 0) p[rng() % 3] += 1;  // apart in this frame only
        frame.push_back(p);
        written.push_back(V(p[0], p[1], p[2]));
      }
    }
    s.st.assign(static_cast<std::size_t>(count), {0.0f, 0.0f});
    for (int t = 0; t < 2 * count; ++t) {  // about six faces a vertex; some with a repeated corner
      const int a = static_cast<int>(rng() % count);
      s.triangles.push_back({a, rng() % 10 == 0 ? a : static_cast<int>(rng() % count), static_cast<int>(rng() % count)});
    }
    Md3Parse parse = Parse(FileWith({s}, frames));
    ASSERT_TRUE(parse.ok);
    ModelRecord& m = *parse.records.at(0);
    // Half the rounds work out every frame at once, the others each frame as it is posed.
    if (round % 2 == 0) ComputeNormals(m);

    // Each vertex takes the number of its first equal predecessor, or the next number.
    std::vector<int> map(static_cast<std::size_t>(count), -1), kept;
    for (std::size_t i = 0; i < map.size(); ++i) {
      for (std::size_t j = 0; j < i && map[i] < 0; ++j) {
        bool same = true;
        for (const auto& frame : at) same = same && frame[i] == frame[j];
        if (same) map[i] = map[j];
      }
      if (map[i] < 0) map[i] = static_cast<int>(kept.size()), kept.push_back(static_cast<int>(i));
    }
    ASSERT_EQ(m.numVertices, static_cast<int>(kept.size())) << "round " << round;
    for (std::size_t t = 0; t < s.triangles.size(); ++t)
      for (std::size_t c = 0; c < 3; ++c)  // stored as corners (0, 2, 1)
        ASSERT_EQ(m.triangles[t].vertex[c], map[static_cast<std::size_t>(s.triangles[t][(3 - c) % 3])]);

    for (std::size_t f = 0; f < at.size(); ++f) {
      EnsureFrameNormals(m, static_cast<std::int64_t>(f));
      std::vector<D3> p, sum(kept.size(), D3{});  // viewer (x, y, z) = file (y, z, x) / 64
      for (int i : kept) p.push_back({at[f][i][1] / 64.0, at[f][i][2] / 64.0, at[f][i][0] / 64.0});
      std::vector<int> faces(kept.size(), 0);  // usable faces around each vertex
      for (const auto& tri : m.triangles) {
        const D3 &a = p[tri.vertex[0]], &b = p[tri.vertex[1]], &c = p[tri.vertex[2]];
        const D3 e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, e2{c[0] - b[0], c[1] - b[1], c[2] - b[2]};
        const D3 n{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        const double length = std::hypot(n[0], n[1], n[2]);
        for (auto v : tri.vertex)
          for (int k = 0; k < 3 && length > 0.0; ++k) sum[v][k] += n[k] / length, faces[v] += k == 0;
      }
      for (std::size_t v = 0; v < kept.size(); ++v) {
        const double length = std::hypot(sum[v][0], sum[v][1], sum[v][2]);
        for (int k = 0; k < 3; ++k) {
          ASSERT_EQ(m.frames[f]->positions[v][k], p[v][k]);
          // No usable face: no normal. The direction of a sum of unit vectors is only as
          // stable as the sum is long, and each face normal is rounded to about 2e-7 in
          // float: vertices whose faces mostly agree (as on any smooth surface; random
          // triangles often cancel) are held to 1e-6.
          const bool agree = faces[v] > 0 && length >= faces[v] / 4.0;
          const double expected = faces[v] == 0 ? 0.0 : agree ? sum[v][k] / length : m.frames[f]->normals[v][k];
          ASSERT_NEAR(m.frames[f]->normals[v][k], expected, 1e-6) << "round " << round << " frame " << f;
        }
      }
    }
  }
}

TEST(Md3ParserTest, FrameBoundsOriginsAndTagsAreConvertedAndCopiedIntoEveryRecord) {
  md3::File file = SmallFile();
  file.tags[0][0].name = "tag_weapon_xyz";             // names keep 12 characters,
  file.tags[1][1].name = "later_frames_do_not_count";  // from the first frame,
  file.tags[0][1].name = std::string(64, 'n');         // even from a field with no terminator
  file.frames[1] = {{-1.0f, -2.0f, -3.0f}, {4.0f, 5.0f, 6.0f}, {7.0f, 8.0f, 9.0f}, 42.5f};
  file.tags[1][1].origin = {1.0f, 2.0f, 3.0f};
  file.tags[1][1].axis = {md3::Float3{1, 2, 3}, md3::Float3{4, 5, 6}, md3::Float3{7, 8, 9}};
  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(std::make_pair(p.numFrames, p.tagNames), std::make_pair(2, std::vector<std::string>{"tag_weapon_x", "nnnnnnnnnnnn"}));
  ASSERT_EQ(p.records.size(), 2u);
  for (const auto& m : p.records) {
    EXPECT_EQ(m->tagNames, p.tagNames);
    const FrameRecord& f = *m->frames.at(1);
    // Viewer min (-2, -3, -1), max (5, 6, 4): the bottom face, then the top face.
    EXPECT_EQ(f.boxCorners, (std::array<Vec3f, 8>{Vec3f{-2, -3, -1}, {5, -3, -1}, {5, -3, 4}, {-2, -3, 4},
                                                   {-2, 6, -1}, {5, 6, -1}, {5, 6, 4}, {-2, 6, 4}}));
    EXPECT_EQ(std::make_pair(f.localOrigin, f.radius), std::make_pair(Vec3f{8, 9, 7}, 42.5f));
    // The axis rows are cycled like the axes: viewer row 0 is file row 1.
    EXPECT_EQ(f.tags.at(1).origin, (Vec3f{2, 3, 1}));
    EXPECT_EQ(f.tags[1].axis, (std::array<Vec3f, 3>{Vec3f{5, 6, 4}, {8, 9, 7}, {2, 3, 1}}));
    EXPECT_EQ(m->frames[0]->tags.at(1).origin, (Vec3f{0, 0, 1}));  // frame 0 keeps its own
  }
}

// A surface of count distinct vertices over two frames whose triangle uses the last two.
md3::Surface Big(int count) {
  md3::Surface s;
  s.st.assign(static_cast<std::size_t>(count), {0.0f, 0.0f});
  s.frames.resize(2);
  for (int i = 0; i < count; ++i)
    for (auto& frame : s.frames) frame.push_back(V(i % 181, i / 181, 0));
  s.triangles = {{0, count - 1, count - 2}};
  return s;
}

TEST(Md3ParserTest, EachInconsistencyRefusesTheWholeFileAndOnlyABadSurfaceIdentEndsTheList) {
  using F = md3::File&;
  using L = const md3::Layout&;
  using Patch = std::function<void(Bytes&, L)>;
  auto at = [](std::size_t field, std::int64_t value, bool fromEnd = false) -> Patch {
    return [=](Bytes& b, L l) { md3::PutInt32(b, field, static_cast<std::int32_t>(value + (fromEnd ? l.size : 0))); };
  };
  // Surface damage hits the second of three surfaces, so the first must not survive either.
  auto surface = [](std::size_t field, std::int32_t value) -> Patch {
    return [=](Bytes& b, L l) { md3::PutInt32(b, l.surfaces[1].start + field, value); };
  };
  const struct {
    const char* what;
    std::function<void(F)> onFile;
    Patch onBytes;
    int records = -1;  // -1: refused
  } cases[] = {
      {"version 15", [](F f) { f.version = 15; }, nullptr, 3},
      {"version 1001", [](F f) { f.version = 1001; }, nullptr},
      {"trailing bytes", nullptr, [](Bytes& b, L) { b.insert(b.end(), 37, 0xAB); }, 3},
      {"empty tables with wild offsets", [](F f) {
         f = FileWith({{}}, 1);
         f.ofsTags = INT32_MAX;
         f.surfaces[0].frames = {{}};
         std::tie(f.surfaces[0].ofsTriangles, f.surfaces[0].ofsSt) = std::make_pair(-5, INT32_MAX);
       }, nullptr, 1},
      {"32,768 vertices, all a 16-bit index reaches", [](F f) { f.surfaces = {Big(32768)}; }, nullptr, 1},
      {"32,769 vertices", [](F f) { f.surfaces = {Big(32769)}; }, nullptr},
      {"wrong ident", [](F f) { f.ident = "idp3"; }, nullptr},
      {"no frames", [](F f) { f = FileWith({}, 0); }, nullptr},
      {"negative tag count", nullptr, at(md3::kHeaderNumTags, -2)},
      {"tag table past the end", nullptr, at(md3::kHeaderOfsTags, -112, true)},
      {"tags times frames overflows", [](F f) { f.numTags = f.ofsTags = INT32_MAX; }, nullptr},
      {"surface offset past the end", nullptr, at(md3::kHeaderOfsSurfaces, 8, true)},
      {"more surfaces than the file holds", nullptr, at(md3::kHeaderNumSurfaces, 4)},
      {"1,500 empty surfaces over 2,000 frames", [](F f) {  // millions of records from 270 KB
         f = FileWith({}, 2000);
         f.surfaces.assign(1500, {});
         for (auto& s : f.surfaces) s.frames.assign(2000, {});
       }, nullptr},
      {"second ident damaged", [](F f) { f.surfaces[1].ident = "IDP2"; }, nullptr, 1},
      {"frame count below the file's", nullptr, surface(md3::kSurfaceNumFrames, 1)},
      {"frame count above the file's, with bytes to spare", nullptr, [](Bytes& b, L l) {
         b.resize(b.size() + 32);  // a third frame of the last surface's four vertices
         md3::PutInt32(b, l.surfaces[2].start + md3::kSurfaceNumFrames, 3);
       }},
      {"negative vertex count", nullptr, surface(md3::kSurfaceNumVerts, -3)},
      {"index equal to the vertex count", [](F f) { f.surfaces[1].triangles[0][1] = 3; }, nullptr},
      {"triangle table past the end", nullptr, surface(md3::kSurfaceNumTriangles, 1000000)},
      {"table inside the surface header", nullptr, surface(md3::kSurfaceOfsSt, 8)},
      {"vertex table past the end", nullptr, surface(md3::kSurfaceOfsXyzNormal, INT32_MAX - 4)},
      {"next surface inside this one's data", nullptr, surface(md3::kSurfaceOfsEnd, 108)},
      {"next surface past the end", nullptr, surface(md3::kSurfaceOfsEnd, INT32_MAX)},
  };
  for (const auto& c : cases) {
    md3::File file = SmallFile();
    file.surfaces.push_back(testing::QuadSurface("third", 2, {"third.tga"}));
    if (c.onFile) c.onFile(file);
    md3::Layout layout;
    Bytes bytes = md3::Write(file, &layout);
    if (c.onBytes) c.onBytes(bytes, layout);
    const Md3Parse p = ParseMd3(bytes);
    EXPECT_EQ(p.ok, c.records >= 0) << c.what;
    EXPECT_EQ(p.error, c.records >= 0 ? "" : "This is not a MD3!") << c.what;
    EXPECT_EQ(p.records.size(), static_cast<std::size_t>(std::max(c.records, 0))) << c.what;
  }
}

TEST(Md3ParserTest, EveryProperPrefixOfAFileIsRefused) {
  // The writer puts the last surface's data at the very end, so every byte is used and any
  // cut must be noticed without reading past it.
  md3::File file = SmallFile();
  file.surfaces.push_back(testing::QuadSurface("third", 2, {"third.tga"}));
  const Bytes whole = md3::Write(file);
  ASSERT_TRUE(ParseMd3(whole).ok);
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const Md3Parse p = ParseMd3(std::span(whole.data(), n));
    EXPECT_TRUE(!p.ok && p.records.empty()) << "prefix of " << n << " bytes";
  }
}

}  // namespace
}  // namespace tessary
