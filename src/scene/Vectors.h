// Small fixed-size vector types shared by the scene, the loader, posing and drawing.
// Frames store positions and normals as floats, the posed work buffers as doubles; tags,
// bounds and origins are floats.
#pragma once

#include <array>

namespace tessary {

using Vec3d = std::array<double, 3>;
using Vec3f = std::array<float, 3>;

}  // namespace tessary
