// Per-model light set-up under an identity model-view matrix.
#include "render/LightSetup.h"

#include <GL/gl.h>

#include <cstddef>

namespace tessary {

namespace {

constexpr int kGlLightCount = 8;

const LightRecord* ActiveLight(const ModelRecord& model, int i) {
  if (static_cast<std::size_t>(i) >= model.modelLights.size()) return nullptr;
  const ModelLightRef& ref = model.modelLights[static_cast<std::size_t>(i)];
  if (ref.enabled == 0 || ref.light == nullptr || ref.light->enabled == 0) return nullptr;
  return ref.light;
}

// Values are passed as they are; GL refuses out-of-range ones (a cutoff outside 0..90 other
// than 180, an exponent outside 0..128, a negative attenuation) and keeps what it had.
void LoadLight(GLenum id, const LightRecord& light) {
  glLightfv(id, GL_POSITION, light.position.data());
  glLightfv(id, GL_AMBIENT, light.ambient.data());
  glLightfv(id, GL_DIFFUSE, light.diffuse.data());
  glLightfv(id, GL_SPECULAR, light.specular.data());
  glLightfv(id, GL_SPOT_DIRECTION, light.direction.data());  // x, y, z are read
  glLightf(id, GL_CONSTANT_ATTENUATION, light.constantAttenuation);
  glLightf(id, GL_LINEAR_ATTENUATION, light.linearAttenuation);
  glLightf(id, GL_QUADRATIC_ATTENUATION, light.quadraticAttenuation);
  glLightf(id, GL_SPOT_CUTOFF, light.spotCutoff);
  glLightf(id, GL_SPOT_EXPONENT, light.spotExponent);
}

}  // namespace

void SetupModelLights(const ModelRecord* model) {
  if (model == nullptr) return;
  glMatrixMode(GL_MODELVIEW);
  // Under the identity the position and direction are taken as eye coordinates.
  glPushMatrix();
  glLoadIdentity();
  for (int i = 0; i < kGlLightCount; ++i) {
    const GLenum id = static_cast<GLenum>(GL_LIGHT0 + i);
    if (const LightRecord* light = ActiveLight(*model, i)) {
      glEnable(id);
      LoadLight(id, *light);
    } else {
      glDisable(id);
    }
  }
  glPopMatrix();
}

}  // namespace tessary
