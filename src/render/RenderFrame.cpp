// The frame pipeline. Each model of the main loop is drawn in up to four passes over the
// same triangles: an unlit base (texture or white) that writes depth, the diffuse lighting
// multiplied in, the specular lighting added, and the glow map added unlit. The overlay
// passes only touch pixels the base pass wrote, by equal depth (Fast) or by a small polygon
// offset with nearer-or-equal depth (Safe). Additive models come after all others and add
// only their glow, without writing depth.
#include "render/RenderFrame.h"

#include <GL/gl.h>

#include "image/GlTextures.h"
#include "link/Posing.h"
#include "render/LightSetup.h"
#include "render/SurfaceDrawing.h"
#include "view/ViewTransform.h"

namespace tessary {

namespace {

int renderBusy = 0;

// Holds renderBusy for the length of one frame.
class BusyGuard {
 public:
  BusyGuard() { renderBusy = 1; }
  ~BusyGuard() { renderBusy = 0; }
  BusyGuard(const BusyGuard&) = delete;
  BusyGuard& operator=(const BusyGuard&) = delete;
};

const GLfloat kWhite[4] = {1.0f, 1.0f, 1.0f, 1.0f};
const GLfloat kBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};

// What every pass of a frame needs from the scene.
struct PassSettings {
  bool safe = false;  // Safe overlay depth (polygon offset) rather than Fast (equal depth)
  int textureFilter = 4;
};

struct Material {
  const GLfloat* ambient;
  const GLfloat* diffuse;
  const GLfloat* specular;
  GLfloat shininess;
};

// Diffuse pass: lit by ambient and diffuse only. Specular pass: the highlight only.
const Material kDiffuseMaterial{kWhite, kWhite, kBlack, 0.0f};
const Material kSpecularMaterial{kBlack, kBlack, kWhite, 10.0f};

void SetFaceMode(const ModelRecord& model) {
  if (model.wireframe == 1) {
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  } else if (model.doubleSided != 0) {
    glDisable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  } else {
    glEnable(GL_CULL_FACE);
    glPolygonMode(GL_FRONT, GL_FILL);
  }
}

// Overlay passes draw only where the base pass left its depth, and leave depth alone.
// The polygon offset works on filled polygons only, so wireframe overlays match by
// nearer-or-equal depth alone in Safe mode.
void BeginOverlayDepth(const PassSettings& settings) {
  if (settings.safe) {
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(-0.02f, -0.02f);
    glDepthFunc(GL_LEQUAL);
  } else {
    glDepthFunc(GL_EQUAL);
  }
  glDepthMask(GL_FALSE);
}

void EndOverlayDepth(const PassSettings& settings) {
  if (settings.safe) glDisable(GL_POLYGON_OFFSET_FILL);
}

void SetFrontMaterial(const Material& material) {
  glMaterialfv(GL_FRONT, GL_AMBIENT, material.ambient);
  glMaterialfv(GL_FRONT, GL_EMISSION, kBlack);
  glMaterialfv(GL_FRONT, GL_DIFFUSE, material.diffuse);
  glMaterialfv(GL_FRONT, GL_SPECULAR, material.specular);
  glMaterialf(GL_FRONT, GL_SHININESS, material.shininess);
}

void BindMap(const ImageRGBA& image, const PassSettings& settings) {
  BindTexture(image.textureName);
  ApplyTextureFilter(settings.textureFilter);
}

// Pass A: the base colour, unlit, writing depth for the passes that follow.
void DrawBasePass(const ModelRecord& model, const PassSettings& settings) {
  if (model.MapInUse(kTextureSlot)) {
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    BindMap(*model.textureMap, settings);
    glShadeModel(GL_FLAT);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    DrawTextured(&model);
  } else {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDisable(GL_DITHER);
    glDisable(GL_BLEND);
    glShadeModel(GL_FLAT);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glColor3f(1.0f, 1.0f, 1.0f);
    DrawPlain(&model);
  }
}

// Passes B and C: lit, blended onto the base, with the map of the slot modulating the
// lighting when it is in use.
void DrawLitOverlayPass(const ModelRecord& model, MapSlot slot, const Material& material, GLenum sourceFactor,
                        GLenum destinationFactor, const PassSettings& settings) {
  const bool textured = model.MapInUse(slot);
  glEnable(GL_BLEND);
  glEnable(GL_LIGHTING);
  if (textured) {
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DITHER);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    BindMap(*model.MapImage(slot), settings);
  } else {
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_DITHER);
  }
  glShadeModel(GL_SMOOTH);
  BeginOverlayDepth(settings);
  SetFrontMaterial(material);
  glBlendFunc(sourceFactor, destinationFactor);
  if (textured) {
    DrawLitTextured(&model);
  } else {
    DrawLit(&model);
  }
  EndOverlayDepth(settings);
}

void SetSphereMapGeneration() {
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
}

// Pass D: the glow map added unlit (current colour white, modulated by the map).
void DrawGlowPass(const ModelRecord& model, const PassSettings& settings) {
  glEnable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DITHER);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
  BindMap(*model.glowMap, settings);
  glShadeModel(GL_FLAT);
  BeginOverlayDepth(settings);
  glBlendFunc(GL_ONE, GL_ONE);
  DrawTextured(&model);
  EndOverlayDepth(settings);
}

// The state every model's sequence leaves behind, whatever its passes were.
void ResetPassState() {
  glDisable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DITHER);
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_TRUE);
  glBlendFunc(GL_ONE, GL_ZERO);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
}

void DrawModel(const ModelRecord& model, const PassSettings& settings) {
  SetupModelLights(&model);
  SetFaceMode(model);
  DrawBasePass(model, settings);
  const bool envMap = model.envMap == 1;
  // With the environment map the diffusion and specularity maps are looked up from the
  // eye-space normals instead of the model's texture coordinates.
  if (envMap) {
    SetSphereMapGeneration();
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
  }
  DrawLitOverlayPass(model, kDiffusionSlot, kDiffuseMaterial, GL_DST_COLOR, GL_ZERO, settings);
  DrawLitOverlayPass(model, kSpecularitySlot, kSpecularMaterial, GL_ONE, GL_ONE, settings);
  if (envMap) {
    SetSphereMapGeneration();
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
  }
  if (model.MapInUse(kGlowSlot)) DrawGlowPass(model, settings);
  ResetPassState();
  DrawTagsAndBounds(&model);
}

// An additive model adds its glow map onto what is already drawn; it is hidden by nearer
// geometry but writes no depth, and without a glow map only its tags and bounds show.
void DrawAdditiveModel(const ModelRecord& model, const PassSettings& settings) {
  SetFaceMode(model);
  if (model.MapInUse(kGlowSlot)) {
    const bool envMap = model.envMap != 0;
    if (envMap) {
      SetSphereMapGeneration();
      glEnable(GL_TEXTURE_GEN_S);
      glEnable(GL_TEXTURE_GEN_T);
    }
    glEnable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DITHER);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    BindMap(*model.glowMap, settings);
    glShadeModel(GL_FLAT);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glBlendFunc(GL_ONE, GL_ONE);
    if (envMap) {
      DrawLit(&model);  // the normals feed the sphere map; texture coordinates would be replaced
      glDisable(GL_TEXTURE_GEN_S);
      glDisable(GL_TEXTURE_GEN_T);
    } else {
      DrawTextured(&model);
    }
  }
  ResetPassState();
  DrawTagsAndBounds(&model);
}

}  // namespace

bool RenderFrame(Scene& scene, const TrackballState& trackball, const std::function<void()>& swapBuffers) {
  if (renderBusy != 0) return false;
  const BusyGuard busy;

  glClearColor(scene.backgroundColor[0], scene.backgroundColor[1], scene.backgroundColor[2], 1.0f);
  glDepthMask(GL_TRUE);
  glEnable(GL_DEPTH_TEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  ApplyViewTransform(trackball);
  // Hidden models are posed and placed too, so models linked to them keep their places.
  PoseAndPlaceScene(scene);

  const PassSettings settings{scene.multiPassSafe == 1, scene.textureFilter};
  for (const auto& model : scene.models) {
    if (model && model->visible != 0 && model->additive == 0) DrawModel(*model, settings);
  }
  for (const auto& model : scene.models) {
    if (model && model->visible != 0 && model->additive != 0) DrawAdditiveModel(*model, settings);
  }

  glFinish();
  if (swapBuffers) swapBuffers();
  return true;
}

}  // namespace tessary
