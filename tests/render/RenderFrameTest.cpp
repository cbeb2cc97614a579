// Pictures drawn by the frame pipeline, read back from an offscreen context. Expected colours
// come from the fixed-function rules: per-vertex lighting
//   emission + global ambient * material ambient
//   + sum over lights of (ambient_l * ambient_m + max(N.L, 0) * diffuse_l * diffuse_m
//                         + (N.H)^shininess * specular_l * specular_m), clamped to [0, 1],
// texture environments REPLACE (texel) and MODULATE (colour * texel), and the blend of each
// pass: the base pass writes, the diffuse pass multiplies (DST_COLOR, ZERO), the specular
// and glow passes add (ONE, ONE).
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <functional>

#include "support/GlTestSupport.h"

namespace tessary {
namespace {

using testing::Near;
using testing::OffscreenScene;
using testing::Rgb;
using St = std::array<double, 2>;
const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kBlue{0, 0, 255};

std::array<float, 4> Grey(float v) { return {v, v, v, 1.0f}; }

// 128 x 128 pixels showing model x and y in [-10, 10]: 6.4 pixels per unit.
class RenderFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view.Ok()) << view.error; }
  Rgb At(double x, double y) const { return view.PixelAt(pixels, x, y); }
  void Render() { pixels = view.Render(); }
  // Whether some pixel within 3 pixels of the one showing (x, y) has the colour.
  bool FoundNear(double x, double y, const Rgb& colour) const {
    for (int r = view.RowOf(y) - 3; r <= view.RowOf(y) + 3; ++r)
      for (int c = view.ColumnOf(x) - 3; c <= view.ColumnOf(x) + 3; ++c)
        if (r >= 0 && c >= 0 && r < view.Height() && c < view.Width() && Near(view.Pixel(pixels, c, r), colour, 2)) return true;
    return false;
  }
  // A grid that shows its glow colour wherever it is drawn: unlit, its base goes black.
  ModelRecord& Glowing(const testing::GridShape& shape, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    ModelRecord& grid = view.AddGrid(shape);
    grid.glowMap = view.SolidImage(r, g, b);
    return grid;
  }
  // A light along the view axis, of the given grey levels, lighting the model.
  LightRecord& Light(ModelRecord& model, float ambient, float diffuse, float specular) {
    LightRecord& light = view.AddLight();
    light = {.position = {0, 0, 1, 0}, .ambient = Grey(ambient), .diffuse = Grey(diffuse), .specular = Grey(specular)};
    OffscreenScene::Attach(model, light);
    return light;
  }
  // Safe gives the picture Fast gives, also with the view turned 60 degrees about y, where
  // the surfaces slope away from the screen and Safe's polygon offset counts.
  void ExpectSafeGivesTheSamePicture() {
    for (float turn : {0.0f, 0.5f}) {
      view.trackball.rotation = {0.0f, turn, 0.0f, std::sqrt(1.0f - turn * turn)};
      view.scene.multiPassSafe = 0;
      const auto fast = view.Render();
      view.scene.multiPassSafe = 1;
      EXPECT_EQ(view.Render(), fast) << "Safe differs from Fast, turned " << turn;
    }
    view.trackball.rotation = {0.0f, 0.0f, 0.0f, 1.0f};
    view.scene.multiPassSafe = 0;
  }

  OffscreenScene view{128, 128, 10.0};
  std::vector<std::uint8_t> pixels;
};

TEST_F(RenderFrameTest, TheBackgroundAnUnlitModelInBlackAndANestedFrameTurnedAway) {
  view.scene.backgroundColor = {0.2f, 0.4f, 0.6f};
  // The base pass draws white; with no light the diffuse pass computes 0 (no emission, no
  // global ambient) and multiplies the white to black; the specular pass adds 0.
  view.AddGrid();
  Render();
  EXPECT_EQ(At(0.0, 0.0), kBlack);
  EXPECT_TRUE(Near(At(7.0, 7.0), Rgb{51, 102, 153}, 1)) << "outside the model: " << At(7.0, 7.0);
  // A frame asked for while one is being drawn is turned away and clears nothing.
  bool nestedDrew = true;
  EXPECT_TRUE(RenderFrame(view.scene, view.trackball, [&] {
    view.scene.backgroundColor = {1.0f, 0.0f, 0.0f};
    nestedDrew = RenderFrame(view.scene, view.trackball, [] {});
    view.context->SwapBuffers();
  }));
  EXPECT_FALSE(nestedDrew);
  pixels = view.context->ReadPixels();
  EXPECT_TRUE(Near(At(7.0, 7.0), Rgb{51, 102, 153}, 1)) << "the nested frame cleared: " << At(7.0, 7.0);
}

TEST_F(RenderFrameTest, LightingFollowsTheNormalsAndTheMapsAndFastAndSafeAgree) {
  // At the middle the eye vector (local viewer) and the light are along the view axis, so
  // H is too; neighbouring vertices see the eye 1.5 degrees off it, which changes nothing.
  ModelRecord& grid = view.AddGrid();
  LightRecord& light = Light(grid, 0, 0, 0);
  const struct {
    Vec3d normal;
    float ambient, diffuse, specular;
    bool redBase, specularityMap;
    Rgb expected;
    const char* why;
  } cases[] = {
      {{0, 0, 1}, 1, 1, 0.25f, false, false, kWhite, "ambient 1 + diffuse 1 clamps to 1, and nothing goes above white"},
      {{0, 0, 1}, 0, 0, 0.25f, false, false, {64, 64, 64}, "the highlight alone: N = H, 1^10 * 0.25"},
      {{0, 0, 1}, 0.5f, 0, 0.25f, false, false, {191, 191, 191}, "white * 0.5 plus the highlight"},
      {{0.43589, 0, 0.9}, 0, 0, 1, false, false, {89, 89, 89}, "N.H = 0.9: 0.9^10 = 0.3487"},
      {{0.6, 0, 0.8}, 0, 1, 0, false, false, {204, 204, 204}, "diffuse N.L = 0.8, after the view's scale"},
      {{0, 0, -1}, 0, 1, 0, false, false, kBlack, "a normal turned away"},
      {{0, 0, 1}, 1, 1, 0.25f, true, false, {255, 64, 64}, "the red base at lighting 1 plus the highlight"},
      {{0, 0, 1}, 0.5f, 0, 1, false, true, {128, 228, 255}, "white * 0.5 plus (0, 100, 200) from the map, clamped"},
  };
  for (const auto& c : cases) {
    for (Vec3d& n : grid.frames[0]->normals) n = c.normal;
    std::tie(light.ambient, light.diffuse, light.specular) = std::make_tuple(Grey(c.ambient), Grey(c.diffuse), Grey(c.specular));
    grid.textureMap = c.redBase ? view.SolidImage(255, 0, 0) : nullptr;
    grid.specularityMap = c.specularityMap ? view.SolidImage(0, 100, 200) : nullptr;
    Render();
    EXPECT_TRUE(Near(At(0.0, 0.0), c.expected, 2)) << c.why << ": " << At(0.0, 0.0);
    ExpectSafeGivesTheSamePicture();
  }
}

TEST_F(RenderFrameTest, EachMapJoinsItsPassAndTheEnvironmentMapLooksUpByNormal) {
  view.scene.textureFilter = 0;
  // Top left: a 2 x 1 base texture, red then blue, whose s runs along x, lit by ambient 1
  // only: red left of x = -5, blue right of it, whatever y (s and t are not exchanged).
  ModelRecord& base = view.AddGrid({.x0 = -9, .x1 = -1, .y0 = 1, .y1 = 9, .cells = 4});
  base.textureMap = view.Image(2, 1, {255, 0, 0, 255, 0, 0, 255, 255});
  Light(base, 1, 0, 0);
  // Top right: base (255, 128, 64) times ambient 0.5 modulated by the diffusion map
  // (128, 255, 255) / 255: (1 * 0.251, 0.502 * 0.5, 0.251 * 0.5) = (64, 64, 32).
  ModelRecord& diffusion = view.AddGrid({.x0 = 1, .x1 = 9, .y0 = 1, .y1 = 9});
  diffusion.textureMap = view.SolidImage(255, 128, 64);
  diffusion.diffusionMap = view.SolidImage(128, 255, 255);
  Light(diffusion, 0.5f, 0, 0);
  // Bottom: the glow added unlit, onto an unlit model (black) and onto a lit red base.
  ModelRecord& dark = Glowing({.x0 = -9, .x1 = -1, .y0 = -9, .y1 = -1}, 0, 100, 0);
  ModelRecord& lit = Glowing({.x0 = 1, .x1 = 9, .y0 = -9, .y1 = -1}, 0, 100, 0);
  lit.textureMap = view.SolidImage(255, 0, 0);
  Light(lit, 1, 0, 0);
  Render();
  EXPECT_EQ(At(-7.0, 3.0), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(-7.0, 7.0), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(-3.0, 3.0), kBlue);
  EXPECT_EQ(At(-3.0, 7.0), kBlue);
  EXPECT_TRUE(Near(At(5.0, 5.0), Rgb{64, 64, 32}, 2)) << At(5.0, 5.0);
  EXPECT_TRUE(Near(At(-5.0, -5.0), Rgb{0, 100, 0}, 1)) << At(-5.0, -5.0);
  EXPECT_TRUE(Near(At(5.0, -5.0), Rgb{255, 100, 0}, 1)) << At(5.0, -5.0);
  ExpectSafeGivesTheSamePicture();
  base.mapEnabled[kTextureSlot] = 0;
  dark.mapEnabled[kGlowSlot] = 0;
  Render();
  EXPECT_EQ(At(-7.0, 3.0), kWhite) << "a switched-off map is not used";
  EXPECT_EQ(At(-5.0, -5.0), kBlack);

  // Sphere mapping of normals facing the viewer near the middle gives s, t near 0.5: the
  // middle texels, green; the grids' own coordinates (0.1, 0.1) give a red texel.
  std::vector<std::uint8_t> rgba;
  for (int i = 0; i < 16; ++i) {
    const bool middle = (i / 4 == 1 || i / 4 == 2) && (i % 4 == 1 || i % 4 == 2);
    rgba.insert(rgba.end(), {std::uint8_t(middle ? 0 : 200), std::uint8_t(middle ? 200 : 0), 0, 255});
  }
  view.scene.models.clear();
  ModelRecord& additive = view.AddGrid({.x0 = -9, .x1 = -1});
  ModelRecord& diffused = view.AddGrid({.x0 = 1, .x1 = 9});
  additive.additive = 1;
  additive.glowMap = view.Image(4, 4, rgba);
  diffused.diffusionMap = view.Image(4, 4, rgba);
  Light(diffused, 1, 0, 0);
  for (ModelRecord* m : {&additive, &diffused})
    for (TriangleRecord& tri : m->triangles) tri.st = {St{0.1, 0.1}, St{0.1, 0.1}, St{0.1, 0.1}};
  for (int envMap : {0, 1}) {
    additive.envMap = diffused.envMap = envMap;
    Render();
    const Rgb expected = envMap == 1 ? Rgb{0, 200, 0} : Rgb{200, 0, 0};
    EXPECT_EQ(At(-5.0, 0.0), expected) << "additive glow, environment map " << envMap;
    EXPECT_EQ(At(5.0, 0.0), expected) << "diffusion, environment map " << envMap;
  }
}

TEST_F(RenderFrameTest, AdditiveModelsAddOnlyTheirGlowBehindNearerGeometryWithoutWritingDepth) {
  view.scene.backgroundColor = {20.0f / 255.0f, 20.0f / 255.0f, 20.0f / 255.0f};
  // Listed first, drawn after the opaque model: a nearer blue one, then a farther green one
  // that would be hidden where they overlap if the nearer one wrote depth.
  Glowing({.x0 = -3, .x1 = 3, .y0 = -3, .y1 = 3, .z = 1.0}, 0, 0, 200).additive = 1;
  Glowing({.x0 = -6, .x1 = 6, .y0 = -2, .y1 = 2, .z = -1.0}, 0, 100, 0).additive = 1;
  ModelRecord& noGlow = view.AddGrid({.x0 = 2, .x1 = 9, .y0 = 5, .y1 = 9});
  noGlow.additive = 1;
  noGlow.textureMap = view.SolidImage(255, 255, 255);
  Glowing({.x0 = -9, .x1 = 0, .y0 = -5, .y1 = 5}, 100, 0, 0);  // opaque, at z = 0
  Render();
  const std::pair<double, Rgb> row[] = {{-4.5, {100, 0, 0}},    // the farther one hidden
                                        {-1.5, {100, 0, 200}},  // the nearer one added
                                        {1.5, {20, 120, 220}},  // both on the background
                                        {4.5, {20, 120, 20}}};
  for (auto [x, colour] : row) EXPECT_TRUE(Near(At(x, 0.0), colour, 1)) << x << ": " << At(x, 0.0);
  EXPECT_TRUE(Near(At(5.0, 7.0), Rgb{20, 20, 20}, 1)) << "no glow, nothing shows: " << At(5.0, 7.0);
}

TEST_F(RenderFrameTest, CullingDoubleSidedWireframeShellHiddenTagsAndBounds) {
  // One cell turned away from the viewer.
  view.scene.backgroundColor = {0.0f, 0.0f, 1.0f};
  ModelRecord& grid = Glowing({.cells = 1, .facingAway = true}, 0, 150, 0);
  Render();
  EXPECT_EQ(At(2.5, -2.5), kBlue) << "culled";
  grid.doubleSided = 1;
  Render();
  EXPECT_EQ(At(2.5, -2.5), (Rgb{0, 150, 0}));
  // Edges round the square and along the diagonal (-5, -5)-(5, 5), which both triangles
  // draw, so the glow adds twice there: 300, clamped.
  grid.wireframe = 1;
  Render();
  EXPECT_TRUE(FoundNear(-5.0, 0.0, Rgb{0, 150, 0}));
  EXPECT_TRUE(FoundNear(2.0, 2.0, Rgb{0, 255, 0}));
  EXPECT_EQ(At(2.5, -2.5), kBlue) << "inside a triangle nothing is filled";

  // Normals pointing up the picture: the shell moves y in [-2, 2] to [-1, 3].
  grid.visible = 0;
  ModelRecord& facing = Glowing({.x0 = -2, .x1 = 2, .y0 = -2, .y1 = 2, .normal = {0.0, 1.0, 0.0}}, 200, 0, 0);
  facing.shell = 1;
  Render();
  EXPECT_FALSE(FoundNear(-5.0, 0.0, Rgb{0, 150, 0})) << "a hidden model is not drawn";
  EXPECT_EQ(At(0.0, -1.5), kBlue);
  EXPECT_EQ(At(0.0, 2.5), (Rgb{200, 0, 0}));

  // Tag axes 4 units long, red, green and blue (the third pointing down-left), and the
  // edges of the box from (-6, -4, -1) to (6, 4, 1) in white; corners 0..3 at its low y.
  facing.visible = 0;
  ModelRecord& m = view.Add(std::make_unique<ModelRecord>());
  m.frames.push_back(std::make_unique<FrameRecord>());
  m.frames[0]->tags = {TagRecord{{}, {Vec3f{1, 0, 0}, Vec3f{0, 1, 0}, Vec3f{-0.6f, -0.8f, 0}}}};
  m.frames[0]->boxCorners = {Vec3f{-6, -4, -1}, Vec3f{6, -4, -1}, Vec3f{6, -4, 1}, Vec3f{-6, -4, 1},
                             Vec3f{-6, 4, -1},  Vec3f{6, 4, -1},  Vec3f{6, 4, 1},  Vec3f{-6, 4, 1}};
  std::tie(m.tagNames, m.showTags) = std::make_pair(std::vector<std::string>{"tag_origin"}, 1);
  view.scene.backgroundColor = {0.0f, 0.0f, 0.0f};
  Render();
  EXPECT_TRUE(FoundNear(2.0, 0.0, Rgb{255, 0, 0}) && FoundNear(0.0, 2.0, Rgb{0, 255, 0}) &&
              FoundNear(-1.2, -1.6, kBlue));
  EXPECT_EQ(At(6.0, 0.5), kBlack) << "past the end of the red axis";
  GLfloat colour[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(std::vector<GLfloat>(colour, colour + 3), std::vector<GLfloat>(3, 1.0f)) << "white again after the axes";
  EXPECT_FALSE(FoundNear(-6.0, 0.0, kWhite)) << "no bounds yet";
  std::tie(m.showTags, m.showBounds) = std::make_pair(0, 1);
  Render();
  for (auto [x, y] : {std::pair{-6.0, 0.0}, {6.0, 0.0}, {0.0, -4.0}, {0.0, 4.0}}) EXPECT_TRUE(FoundNear(x, y, kWhite)) << x << "," << y;
  EXPECT_EQ(At(3.0, 2.0), kBlack) << "no diagonals";
}

TEST_F(RenderFrameTest, OnlyTheFirstEightSwitchedOnReferencesToSwitchedOnLightsLightAModel) {
  ModelRecord& grid = view.AddGrid({.x0 = -9, .x1 = -1});
  ModelRecord& other = view.AddGrid({.x0 = 1, .x1 = 9});
  LightRecord& bright = Light(grid, 1, 1, 0);
  Render();
  EXPECT_EQ(std::make_pair(At(-5.0, 0.0), At(5.0, 0.0)), std::make_pair(kWhite, kBlack)) << "lights are per model";
  const std::pair<std::function<void()>, const char*> unlit[] = {
      {[&] { bright.enabled = 0; }, "light off, reference on"},
      {[&] { std::tie(bright.enabled, grid.modelLights[0].enabled) = std::make_pair(1, 0); }, "light on, reference off"},
      {[&] { grid.modelLights[0] = {nullptr, 1}; }, "a reference to no light"}};
  for (const auto& [change, why] : unlit) {
    change();
    Render();
    EXPECT_EQ(At(-5.0, 0.0), kBlack) << why;
  }
  LightRecord& dark = Light(other, 0, 0, 0);
  other.modelLights.assign(8, ModelLightRef{&dark, 1});
  OffscreenScene::Attach(other, bright);
  Render();
  EXPECT_EQ(At(5.0, 0.0), kBlack) << "the ninth reference lights nothing";
  other.modelLights[7].light = &bright;
  Render();
  EXPECT_EQ(At(5.0, 0.0), kWhite) << "the eighth does";
}

}  // namespace
}  // namespace tessary
