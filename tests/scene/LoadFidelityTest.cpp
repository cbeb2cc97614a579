// The fast load (weld on the file's integers, float frames, normals four frames at a time)
// against the rule worked the plain way in double: every vertex compared with every
// earlier one, every face's unit normal added to its corners. Random models with many
// shared vertices, degenerate faces, slivers and edges long enough to need the careful
// cross product must come out with the same vertices, mapping and positions, and normals
// within 1e-6.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"

namespace tessary {
namespace {

using Triple = std::array<int, 3>;  // file x, y, z

TEST(LoadFidelity, WeldPositionsAndNormalsMatchThePlainRuleInDouble) {
  std::mt19937 rng(7);
  for (int round = 0; round < 40; ++round) {
    // Few distinct places make many duplicates; some frames pull duplicates apart. Every
    // fourth model spreads over the whole 16-bit range, so its edges are long.
    const int count = 3 + static_cast<int>(rng() % 200), frames = 1 + static_cast<int>(rng() % 9);
    const int places = 2 + static_cast<int>(rng() % 60), range = round % 4 == 0 ? 32767 : 300;
    std::uniform_int_distribution<int> coordinate(-range, range);
    std::vector<Triple> place(static_cast<std::size_t>(places));
    std::vector<std::vector<Triple>> at(static_cast<std::size_t>(frames), std::vector<Triple>(static_cast<std::size_t>(count)));
    for (int f = 0; f < frames; ++f) {
      for (auto& p : place) p = {coordinate(rng), coordinate(rng), coordinate(rng)};
      for (int i = 0; i < count; ++i) {
        Triple p = place[static_cast<std::size_t>(i) % place.size()];
        if (rng() % 30 == 0) p[rng() % 3] += 1;  // apart in this frame only
        at[static_cast<std::size_t>(f)][static_cast<std::size_t>(i)] = p;
      }
    }
    md3::Surface s;
    s.st.assign(static_cast<std::size_t>(count), {0.0f, 0.0f});
    for (int t = 0; t < 2 * count; ++t) {  // about six faces a vertex, as in real meshes
      const int a = static_cast<int>(rng() % count);
      // Mostly ordinary faces, some with a repeated corner, some slivers along a line.
      const int b = rng() % 10 == 0 ? a : static_cast<int>(rng() % count), c = static_cast<int>(rng() % count);
      s.triangles.push_back({a, b, c});
    }
    for (const auto& frame : at) {
      auto& out = s.frames.emplace_back();
      for (const Triple& p : frame) out.push_back(testing::V(p[0], p[1], p[2]));
    }
    const Md3Parse parse = ParseMd3(md3::Write(testing::FileWith({s}, frames)));
    ASSERT_TRUE(parse.ok);
    const ModelRecord& m = *parse.records.at(0);

    // The weld: each vertex takes the number of its first equal predecessor, or the next.
    std::vector<int> map(static_cast<std::size_t>(count), -1), kept;
    for (int i = 0; i < count; ++i) {
      for (int j = 0; j < i && map[static_cast<std::size_t>(i)] < 0; ++j) {
        bool same = true;
        for (const auto& frame : at) same = same && frame[static_cast<std::size_t>(i)] == frame[static_cast<std::size_t>(j)];
        if (same) map[static_cast<std::size_t>(i)] = map[static_cast<std::size_t>(j)];
      }
      if (map[static_cast<std::size_t>(i)] < 0) {
        map[static_cast<std::size_t>(i)] = static_cast<int>(kept.size());
        kept.push_back(i);
      }
    }
    ASSERT_EQ(m.numVertices, static_cast<int>(kept.size())) << "round " << round;
    for (std::size_t t = 0; t < s.triangles.size(); ++t) {
      const auto& file = s.triangles[t];
      const std::array<int, 3> stored{file[0], file[2], file[1]};  // the winding is reversed
      for (std::size_t c = 0; c < 3; ++c) ASSERT_EQ(m.triangles[t].vertex[c], map[static_cast<std::size_t>(stored[c])]);
    }

    for (int f = 0; f < frames; ++f) {
      const FrameRecord& frame = *m.frames.at(static_cast<std::size_t>(f));
      // Viewer (x, y, z) = file (y, z, x) / 64, in double.
      std::vector<std::array<double, 3>> p;
      for (int i : kept) {
        const Triple& q = at[static_cast<std::size_t>(f)][static_cast<std::size_t>(i)];
        p.push_back({q[1] / 64.0, q[2] / 64.0, q[0] / 64.0});
      }
      std::vector<std::array<double, 3>> sum(p.size(), {0.0, 0.0, 0.0});
      std::vector<int> faces(p.size(), 0);  // usable faces around each vertex
      for (const auto& tri : m.triangles) {
        const auto &a = p[static_cast<std::size_t>(tri.vertex[0])], &b = p[static_cast<std::size_t>(tri.vertex[1])],
                   &c = p[static_cast<std::size_t>(tri.vertex[2])];
        const std::array<double, 3> e1{b[0] - a[0], b[1] - a[1], b[2] - a[2]}, e2{c[0] - b[0], c[1] - b[1], c[2] - b[2]};
        const std::array<double, 3> n{e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length == 0.0) continue;
        for (auto v : tri.vertex) {
          ++faces[static_cast<std::size_t>(v)];
          for (int k = 0; k < 3; ++k) sum[static_cast<std::size_t>(v)][k] += n[k] / length;
        }
      }
      ASSERT_EQ(frame.normals.size(), p.size());
      for (std::size_t v = 0; v < p.size(); ++v) {
        const auto& n = sum[v];
        const double length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        for (int k = 0; k < 3; ++k) {
          ASSERT_EQ(frame.positions[v][k], p[v][k]);
          // Without a usable face a vertex has no normal. The direction of a sum of unit
          // vectors is only as stable as the sum is long: each face normal is rounded to about
          // 2e-7 in float, so only vertices whose faces mostly agree (the sum at least a
          // quarter of their count, as on any smooth surface; random triangles often cancel)
          // are held to 1e-6.
          if (faces[v] == 0) {
            ASSERT_EQ(frame.normals[v][k], 0.0f);
          } else if (length >= faces[v] / 4.0) {
            ASSERT_NEAR(frame.normals[v][k], n[k] / length, 1e-6) << "round " << round << " frame " << f;
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace tessary
