// Offscreen frames in the current context through a framebuffer object with a colour and
// a depth renderbuffer.
#define GL_GLEXT_PROTOTYPES 1
#include "render/PictureFramebuffer.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "render/GlState.h"
#include "render/RenderFrame.h"

namespace tessary {

namespace {

// Framebuffer objects are core from OpenGL 3.0 and an extension before it.
bool HasFramebufferObjects() {
  const auto* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  if (version == nullptr) return false;
  if (std::atoi(version) >= 3) return true;
  const auto* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  return extensions != nullptr && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr;
}

// The framebuffer and its two renderbuffers for one picture; while it lives it is bound
// and the viewport and projection are the picture's. Everything is put back when it goes.
class PictureTarget {
 public:
  PictureTarget(int width, int height) {
    glGetIntegerv(GL_VIEWPORT, savedViewport_);
    glGenFramebuffers(1, &framebuffer_);
    glGenRenderbuffers(2, renderbuffers_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[0]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[1]);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
    complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    ResizeGL(width, height);  // leaves the model-view matrix selected
  }
  ~PictureTarget() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glViewport(savedViewport_[0], savedViewport_[1], savedViewport_[2], savedViewport_[3]);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteRenderbuffers(2, renderbuffers_);
    glDeleteFramebuffers(1, &framebuffer_);
  }
  PictureTarget(const PictureTarget&) = delete;
  PictureTarget& operator=(const PictureTarget&) = delete;

  bool Complete() const { return complete_; }

 private:
  GLint savedViewport_[4] = {};
  GLuint framebuffer_ = 0;
  GLuint renderbuffers_[2] = {};
  bool complete_ = false;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> DrawSceneToPicture(Scene& scene, const TrackballState& trackball, int width,
                                                            int height, std::string* error) {
  auto fail = [error](const std::string& why) -> std::optional<std::vector<std::uint8_t>> {
    if (error != nullptr) *error = why;
    return std::nullopt;
  };
  if (width < 1 || height < 1) return fail("the picture is empty");
  if (!HasFramebufferObjects()) return fail("this OpenGL cannot draw offscreen pictures");
  GLint maxSize = 0;
  GLint maxViewport[2] = {};
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &maxSize);
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, maxViewport);
  if (width > maxSize || height > maxSize || width > maxViewport[0] || height > maxViewport[1])
    return fail("this OpenGL draws pictures of at most " + std::to_string(std::min(maxSize, maxViewport[0])) +
                " pixels a side");

  // Read while the picture's framebuffer is still bound; the target puts everything back
  // once the pixels are out.
  PictureTarget target(width, height);
  if (!target.Complete()) return fail("this OpenGL cannot draw a picture of that size");
  if (!RenderFrame(scene, trackball, [] {})) return fail("the view is busy drawing");
  return ReadFramePixels(width, height);
}

}  // namespace tessary
