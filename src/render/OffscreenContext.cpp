// EGL offscreen context on Mesa's surfaceless platform.
#include "render/OffscreenContext.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

#include "render/GlState.h"

namespace tessary {

namespace {

EGLDisplay SurfacelessDisplay() {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (getPlatformDisplay != nullptr) {
    EGLDisplay d = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (d != EGL_NO_DISPLAY) return d;
  }
  return eglGetDisplay(EGL_DEFAULT_DISPLAY);
}

std::string EglError(const char* what) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
  return std::string(what) + " failed (EGL error " + code + ")";
}

}  // namespace

std::unique_ptr<OffscreenContext> OffscreenContext::Create(int width, int height, std::string* error) {
  auto fail = [&](const std::string& why) -> std::unique_ptr<OffscreenContext> {
    if (error != nullptr) *error = why;
    return nullptr;
  };
  if (width < 1 || height < 1) return fail("the picture size must be at least 1x1");

  EGLDisplay display = SurfacelessDisplay();
  if (display == EGL_NO_DISPLAY) return fail(EglError("eglGetDisplay"));
  EGLint major = 0, minor = 0;
  if (!eglInitialize(display, &major, &minor)) return fail(EglError("eglInitialize"));

  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                                     EGL_DEPTH_SIZE, 24,
                                     EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint count = 0;
  if (!eglChooseConfig(display, configAttributes, &config, 1, &count) || count < 1)
    return fail(EglError("eglChooseConfig"));

  const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
  EGLSurface surface = eglCreatePbufferSurface(display, config, surfaceAttributes);
  if (surface == EGL_NO_SURFACE) return fail(EglError("eglCreatePbufferSurface"));

  if (!eglBindAPI(EGL_OPENGL_API)) {
    eglDestroySurface(display, surface);
    return fail(EglError("eglBindAPI"));
  }
  EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
  if (context == EGL_NO_CONTEXT) {
    eglDestroySurface(display, surface);
    return fail(EglError("eglCreateContext"));
  }

  std::unique_ptr<OffscreenContext> result(new OffscreenContext());
  result->display_ = display;
  result->surface_ = surface;
  result->context_ = context;
  result->width_ = width;
  result->height_ = height;
  if (!result->MakeCurrent()) return fail(EglError("eglMakeCurrent"));
  return result;
}

OffscreenContext::~OffscreenContext() {
  if (display_ == nullptr) return;
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context_ != nullptr) eglDestroyContext(display_, context_);
  if (surface_ != nullptr) eglDestroySurface(display_, surface_);
  // The display stays initialised: other contexts of this process may still use it, and
  // eglTerminate would pull it from under them.
}

bool OffscreenContext::MakeCurrent() {
  return eglMakeCurrent(display_, surface_, surface_, context_) == EGL_TRUE;
}

void OffscreenContext::SwapBuffers() { eglSwapBuffers(display_, surface_); }

std::vector<std::uint8_t> OffscreenContext::ReadPixels() const { return ReadFramePixels(width_, height_); }

}  // namespace tessary
