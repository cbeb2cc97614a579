// The GL state every context starts with, and the projection set on every resize. Shared
// by the window view and the offscreen context so both draw the same picture.
#pragma once

namespace tessary {

// Initial state: depth test, the start-up projection (far plane 4), culling, lighting, the
// camera left pushed on the model-view stack, normalisation, local viewer, black global
// ambient, line width 2. Call with the context current and its client size.
void InitGLState(int width, int height);

// Viewport and projection for a new client size; a height below 1 changes nothing.
// Returns whether anything changed.
bool ResizeGL(int width, int height);

}  // namespace tessary
