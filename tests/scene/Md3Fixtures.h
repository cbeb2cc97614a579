// Small MD3 descriptions shared by the loader tests. Every number here is chosen so that the
// expected viewer values can be worked out by hand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/Md3Writer.h"

namespace tessary::testing {

inline md3::Vertex V(std::int16_t x, std::int16_t y, std::int16_t z) { return {x, y, z, 0}; }

// A quad of four vertices (two triangles) over the given number of frames; frame f is the
// frame-0 quad moved up by f * 64 (one unit).
inline md3::Surface QuadSurface(const std::string& name, int frames, std::vector<std::string> shaders = {}) {
  md3::Surface s;
  s.name = name;
  s.shaders = std::move(shaders);
  s.st = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
  s.triangles = {{0, 1, 2}, {0, 2, 3}};
  for (int f = 0; f < frames; ++f) {
    const auto up = static_cast<std::int16_t>(64 * f);
    s.frames.push_back({V(0, 0, up), V(0, 64, up), V(64, 64, up), V(64, 0, up)});
  }
  return s;
}

// A file with the given surfaces, numFrames frames with distinct bounds, and the given tags
// (the same in every frame apart from an origin that moves with the frame).
inline md3::File FileWith(std::vector<md3::Surface> surfaces, int numFrames, std::vector<std::string> tagNames = {}) {
  md3::File file;
  for (int f = 0; f < numFrames; ++f) {
    md3::Frame frame;
    const float k = static_cast<float>(f);
    frame.minBounds = {-1.0f - k, -2.0f, -3.0f};
    frame.maxBounds = {4.0f, 5.0f + k, 6.0f};
    frame.localOrigin = {0.5f, 0.25f, k};
    frame.radius = 10.0f + k;
    file.frames.push_back(frame);
    std::vector<md3::Tag> tags;
    for (std::size_t t = 0; t < tagNames.size(); ++t) {
      md3::Tag tag;
      tag.name = tagNames[t];
      tag.origin = {static_cast<float>(t), 0.0f, k};
      tags.push_back(tag);
    }
    file.tags.push_back(tags);
  }
  file.surfaces = std::move(surfaces);
  return file;
}

// Two surfaces over two frames with two tags: a quad with a shader and a lone triangle.
inline md3::File SmallFile() {
  md3::Surface tri;
  tri.name = "models/corvane/u_arm";
  tri.st = {{0.0f, 0.0f}, {0.5f, 0.0f}, {0.0f, 0.5f}};
  tri.triangles = {{0, 1, 2}};
  tri.frames = {{V(0, 0, 0), V(0, 64, 0), V(64, 0, 0)}, {V(0, 0, 64), V(0, 64, 64), V(64, 0, 64)}};
  return FileWith({QuadSurface("models/corvane/u_torso", 2, {"models/corvane/upper.bmp"}), tri}, 2,
                  {"tag_head", "tag_weapon"});
}

}  // namespace tessary::testing
