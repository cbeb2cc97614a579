// Initial GL state, the resize projection and the pixel read-back.
#include "render/GlState.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

namespace tessary {

void InitGLState(int width, int height) {
  const double aspect = height == 0 ? 1.0 : static_cast<double>(static_cast<float>(width) / static_cast<float>(height));
  glClearDepth(1.0);
  glEnable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  // The far plane of 4 holds only until the first resize sets 1000.
  gluPerspective(30.0, aspect, 1.0, 4.0);
  glMatrixMode(GL_MODELVIEW);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glLoadIdentity();
  gluLookAt(0.0, 0.0, 3.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
  glEnable(GL_NORMALIZE);
  // The camera stays saved on the stack for the context's life; every frame pops it and
  // pushes it again before applying the view.
  glPushMatrix();
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
  glLineWidth(2.0f);
}

bool ResizeGL(int width, int height) {
  if (height < 1) return false;
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(30.0, static_cast<double>(width) / static_cast<double>(height), 1.0, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  return true;
}

std::vector<std::uint8_t> ReadFramePixels(int width, int height) {
  const std::size_t row = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<std::uint8_t> topDown(bottomUp.size());
  for (int y = 0; y < height; ++y)
    std::memcpy(topDown.data() + row * static_cast<std::size_t>(y),
                bottomUp.data() + row * static_cast<std::size_t>(height - 1 - y), row);
  return topDown;
}

}  // namespace tessary
