// Pictures drawn by the frame pipeline, read back from an offscreen context. Expected colours
// come from the fixed-function rules: per-vertex lighting
//   emission + global ambient * material ambient
//   + sum over lights of (ambient_l * ambient_m + max(N.L, 0) * diffuse_l * diffuse_m
//                         + (N.H)^shininess * specular_l * specular_m), clamped to [0, 1],
// texture environments REPLACE (texel) and MODULATE (colour * texel), and the blend of each
// pass: the base pass writes, the diffuse pass multiplies (DST_COLOR, ZERO), the specular
// and glow passes add (ONE, ONE).
#include <gtest/gtest.h>

#include "support/GlTestSupport.h"

namespace tessary {
namespace {

using testing::Near;
using testing::Rgb;
const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kBlue{0, 0, 255};

std::array<float, 4> Grey(float v) { return {v, v, v, 1.0f}; }

// 128 x 128 pixels showing model x and y in [-10, 10]: 6.4 pixels per unit.
class RenderFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view.Ok()) << view.error; }
  Rgb At(double x, double y) { return view.PixelAt(pixels, x, y); }
  void Render() { pixels = view.Render(); }
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
    testing::OffscreenScene::Attach(model, light);
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

  testing::OffscreenScene view{128, 128, 10.0};
  std::vector<std::uint8_t> pixels;
};

TEST_F(RenderFrameTest, LightingFollowsTheNormalsAndTheMapsAndFastAndSafeAgree) {
  // Unlit, the base pass draws white and the diffuse pass multiplies it by 0 (no emission,
  // no global ambient); around the model the background shows.
  view.scene.backgroundColor = {0.2f, 0.4f, 0.6f};
  ModelRecord& grid = view.AddGrid();
  Render();
  EXPECT_EQ(std::make_pair(At(0.0, 0.0), At(7.0, 7.0)), std::make_pair(kBlack, Rgb{51, 102, 153}));
  // At the middle the eye vector (local viewer) and the light are along the view axis, so
  // H is too; neighbouring vertices see the eye 1.5 degrees off it, which changes nothing.
  LightRecord& light = Light(grid, 0, 0, 0);
  const struct {
    Vec3f normal;
    float ambient, diffuse, specular;
    bool specularityMap;
    Rgb expected;
    const char* why;
  } cases[] = {
      {{0, 0, 1}, 1, 1, 0.25f, false, kWhite, "ambient 1 + diffuse 1 clamps to 1, and nothing goes above white"},
      {{0, 0, 1}, 0, 0, 0.25f, false, {64, 64, 64}, "the highlight alone: N = H, 1^10 * 0.25"},
      {{0.43589f, 0, 0.9f}, 0, 0, 1, false, {89, 89, 89}, "N.H = 0.9: 0.9^10 = 0.3487"},
      {{0.6f, 0, 0.8f}, 0, 1, 0, false, {204, 204, 204}, "diffuse N.L = 0.8, after the view's scale"},
      {{0, 0, -1}, 0, 1, 0, false, kBlack, "a normal turned away"},
      {{0, 0, 1}, 0.5f, 0, 1, true, {128, 228, 255}, "white * 0.5 plus (0, 100, 200) from the map, clamped"},
  };
  for (const auto& c : cases) {
    for (Vec3f& n : grid.frames[0]->normals) n = c.normal;
    std::tie(light.ambient, light.diffuse, light.specular) = std::make_tuple(Grey(c.ambient), Grey(c.diffuse), Grey(c.specular));
    grid.specularityMap = c.specularityMap ? view.SolidImage(0, 100, 200) : nullptr;
    Render();
    EXPECT_TRUE(Near(At(0.0, 0.0), c.expected, 2)) << c.why << ": " << At(0.0, 0.0);
    ExpectSafeGivesTheSamePicture();
  }
}

TEST_F(RenderFrameTest, EachMapJoinsItsPass) {
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
  EXPECT_EQ((std::vector{At(-7.0, 3.0), At(-7.0, 7.0), At(-3.0, 7.0)}), (std::vector{Rgb{255, 0, 0}, Rgb{255, 0, 0}, kBlue}));
  EXPECT_TRUE(Near(At(5.0, 5.0), Rgb{64, 64, 32}, 2)) << At(5.0, 5.0);
  EXPECT_TRUE(Near(At(-5.0, -5.0), Rgb{0, 100, 0}, 1)) << At(-5.0, -5.0);
  EXPECT_TRUE(Near(At(5.0, -5.0), Rgb{255, 100, 0}, 1)) << At(5.0, -5.0);
  ExpectSafeGivesTheSamePicture();
  base.mapEnabled[kTextureSlot] = dark.mapEnabled[kGlowSlot] = 0;
  Render();
  EXPECT_EQ(std::make_pair(At(-7.0, 3.0), At(-5.0, -5.0)), std::make_pair(kWhite, kBlack)) << "switched-off maps";

}

TEST_F(RenderFrameTest, AdditiveModelsAddOnlyTheirGlowBehindNearerGeometryWithoutWritingDepth) {
  view.scene.backgroundColor = {20.0f / 255.0f, 20.0f / 255.0f, 20.0f / 255.0f};
  // Listed first, drawn after the opaque model: a nearer blue one, then a farther green one
  // that would be hidden where they overlap if the nearer one wrote depth.
  Glowing({.x0 = -3, .x1 = 3, .y0 = -3, .y1 = 3, .z = 1.0}, 0, 0, 200).additive = 1;
  Glowing({.x0 = -6, .x1 = 6, .y0 = -2, .y1 = 2, .z = -1.0}, 0, 100, 0).additive = 1;
  ModelRecord& noGlow = view.AddGrid({.x0 = 2, .x1 = 9, .y0 = 5, .y1 = 9});
  std::tie(noGlow.additive, noGlow.textureMap) = std::make_pair(1, view.SolidImage(255, 255, 255));
  Glowing({.x0 = -9, .x1 = 0, .y0 = -5, .y1 = 5}, 100, 0, 0);  // opaque, at z = 0
  Render();
  const std::pair<double, Rgb> row[] = {{-4.5, {100, 0, 0}},    // the farther one hidden
                                        {-1.5, {100, 0, 200}},  // the nearer one added
                                        {1.5, {20, 120, 220}},  // both on the background
                                        {4.5, {20, 120, 20}}};
  for (auto [x, colour] : row) EXPECT_TRUE(Near(At(x, 0.0), colour, 1)) << x << ": " << At(x, 0.0);
  EXPECT_TRUE(Near(At(5.0, 7.0), Rgb{20, 20, 20}, 1)) << "no glow, nothing shows: " << At(5.0, 7.0);
}

}  // namespace
}  // namespace tessary
