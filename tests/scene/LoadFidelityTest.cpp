// The fast load (weld on the file's integers, float frames, normals four frames at a time)
// against the rule worked the plain way in double, on random models with many shared
// vertices, degenerate faces and (every fourth model) edges long enough to need the careful
// cross product: the same vertices, mapping and positions, and normals within 1e-6.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "scene/Md3Fixtures.h"
#include "scene/Md3Loader.h"

namespace tessary {
namespace {

using Triple = std::array<int, 3>;  // file x, y, z
using D3 = std::array<double, 3>;

TEST(LoadFidelity, WeldPositionsAndNormalsMatchThePlainRuleInDouble) {
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
        written.push_back(testing::V(p[0], p[1], p[2]));
      }
    }
    s.st.assign(static_cast<std::size_t>(count), {0.0f, 0.0f});
    for (int t = 0; t < 2 * count; ++t) {  // about six faces a vertex; some with a repeated corner
      const int a = static_cast<int>(rng() % count);
      s.triangles.push_back({a, rng() % 10 == 0 ? a : static_cast<int>(rng() % count), static_cast<int>(rng() % count)});
    }
    const Md3Parse parse = ParseMd3(md3::Write(testing::FileWith({s}, frames)));
    ASSERT_TRUE(parse.ok);
    const ModelRecord& m = *parse.records.at(0);

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

}  // namespace
}  // namespace tessary
