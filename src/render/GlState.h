// The GL state every context starts with, the projection set on every resize, and reading
// back what was drawn. Shared by the window view and the offscreen context so both draw the
// same picture.
#pragma once

#include <cstdint>
#include <vector>

namespace tessary {

// Initial state: depth test, the start-up projection (far plane 4), culling, lighting, the
// camera left pushed on the model-view stack, normalisation, local viewer, black global
// ambient, line width 2. Call with the context current and its client size.
void InitGLState(int width, int height);

// Viewport and projection for a new client size; a height below 1 changes nothing.
// Returns whether anything changed.
bool ResizeGL(int width, int height);

// The width x height colour pixels of the current read buffer as RGBA bytes, top row first
// (GL's rows run bottom up).
std::vector<std::uint8_t> ReadFramePixels(int width, int height);

}  // namespace tessary
