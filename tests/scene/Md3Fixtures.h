// Small MD3 descriptions shared by the loader tests, with numbers chosen so that the values
// the viewer should show can be worked out by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "testdata/Md3Writer.h"

namespace tessary::testing {

inline md3::Vertex V(int x, int y, int z) {
  return {static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), static_cast<std::int16_t>(z), 0};
}

// A quad of four vertices; frame f is frame 0 moved up by f * 64 (one unit).
inline md3::Surface QuadSurface(const std::string& name, int frames, std::vector<std::string> shaders = {}) {
  md3::Surface s;
  s.name = name;
  s.shaders = std::move(shaders);
  s.st = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  s.triangles = {{0, 1, 2}, {0, 2, 3}};
  for (int z = 0; z < 64 * frames; z += 64) s.frames.push_back({V(0, 0, z), V(0, 64, z), V(64, 64, z), V(64, 0, z)});
  return s;
}

// A file with the given surfaces, numFrames frames, and tags: tag t of frame f sits at (t, 0, f).
inline md3::File FileWith(std::vector<md3::Surface> surfaces, int numFrames, std::vector<std::string> tagNames = {}) {
  md3::File file;
  file.frames.resize(static_cast<std::size_t>(numFrames));
  for (int f = 0; f < numFrames; ++f) {
    auto& tags = file.tags.emplace_back();
    for (const std::string& name : tagNames) tags.push_back({name, {static_cast<float>(tags.size()), 0.0f, 1.0f * f}});
  }
  file.surfaces = std::move(surfaces);
  return file;
}

// Two surfaces over two frames with two tags: a quad with a shader and a lone triangle.
inline md3::File SmallFile() {
  md3::Surface tri;
  tri.name = "models/corvane/u_arm";
  tri.st = {{0, 0}, {0.5f, 0}, {0, 0.5f}};
  tri.triangles = {{0, 1, 2}};
  tri.frames = {{V(0, 0, 0), V(0, 64, 0), V(64, 0, 0)}, {V(0, 0, 64), V(0, 64, 64), V(64, 0, 64)}};
  return FileWith({QuadSurface("models/corvane/u_torso", 2, {"models/corvane/upper.bmp"}), tri}, 2,
                  {"tag_head", "tag_weapon"});
}

}  // namespace tessary::testing
