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

#include "link/LinkTree.h"
#include "support/GlTestSupport.h"

namespace tessary {
namespace {

using testing::GridShape;
using testing::Near;
using testing::OffscreenScene;
using testing::Rgb;

// 128 x 128 pixels showing model x and y in [-10, 10]: 6.4 pixels per unit.
class RenderFrameTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view.Ok()) << view.error; }

  Rgb At(double x, double y) const { return view.PixelAt(pixels, x, y); }
  void Render() { pixels = view.Render(); }
  // Whether some pixel within radius pixels of the one showing (x, y) has the colour.
  bool FoundNear(double x, double y, const Rgb& colour, int radius = 3, int tolerance = 2) const {
    const int cx = view.ColumnOf(x), cy = view.RowOf(y);
    for (int r = cy - radius; r <= cy + radius; ++r)
      for (int c = cx - radius; c <= cx + radius; ++c)
        if (r >= 0 && c >= 0 && r < view.Height() && c < view.Width() && Near(view.Pixel(pixels, c, r), colour, tolerance))
          return true;
    return false;
  }

  OffscreenScene view{128, 128, 10.0};
  std::vector<std::uint8_t> pixels;
};

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

TEST_F(RenderFrameTest, EmptySceneIsTheBackgroundColour) {
  view.scene.backgroundColor = {0.2f, 0.4f, 0.6f};
  Render();
  for (auto [x, y] : std::initializer_list<std::pair<double, double>>{{0.0, 0.0}, {-9.5, 9.5}, {9.5, -9.5}, {3.0, -7.0}})
    EXPECT_TRUE(Near(At(x, y), Rgb{51, 102, 153}, 1)) << At(x, y);
}

TEST_F(RenderFrameTest, UntexturedModelWithoutLightsIsBlack) {
  // The base pass draws white; with no light the diffuse pass computes 0 (no emission, no
  // global ambient) and multiplies the white to black; the specular pass adds 0.
  view.scene.backgroundColor = {0.0f, 0.0f, 1.0f};
  view.AddGrid();
  Render();
  EXPECT_EQ(At(0.0, 0.0), kBlack);
  EXPECT_EQ(At(4.0, -4.0), kBlack);
  EXPECT_EQ(At(7.0, 7.0), (Rgb{0, 0, 255})) << "outside the model the background stays";
}

TEST_F(RenderFrameTest, LightAlongTheViewAxisMakesAFacingSurfaceWhite) {
  // Ambient 1 * 1 + diffuse 1 * N.L (= 1) is 2, clamped to 1: white times 1 is white, and
  // the added highlight cannot go above white.
  ModelRecord& grid = view.AddGrid();
  OffscreenScene::Attach(grid, view.AddHeadLight());
  Render();
  EXPECT_EQ(At(0.0, 0.0), kWhite);
  EXPECT_EQ(At(-4.0, 3.0), kWhite);
}

TEST_F(RenderFrameTest, SpecularHighlightOfShininessTenIsAdded) {
  // At the middle vertex the eye vector (local viewer) and the light are both along the
  // normal, so H = N and the term is 1^10 * specular 0.25 * material white = 0.25 (64).
  // Neighbouring vertices one unit away see the eye 1.5 degrees off the axis: (cos 0.77)^10
  // is 0.9991, so the middle of the picture stays at 0.25.
  ModelRecord& grid = view.AddGrid();
  LightRecord& light = view.AddHeadLight();
  light.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  light.diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
  OffscreenScene::Attach(grid, light);
  Render();
  EXPECT_TRUE(Near(At(0.0, 0.0), Rgb{64, 64, 64}, 2)) << At(0.0, 0.0);

  // With ambient 0.5 the diffuse pass leaves white * 0.5 (128) and the highlight adds 64.
  light.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
  Render();
  EXPECT_TRUE(Near(At(0.0, 0.0), Rgb{191, 191, 191}, 2)) << At(0.0, 0.0);
}

TEST_F(RenderFrameTest, HighlightFallsOffWithShininessTen) {
  // A normal tilted so that N.H = 0.9 at the middle (H is along the view axis there):
  // 0.9^10 = 0.3487 of a specular light of 1 gives 89.
  ModelRecord& grid = view.AddGrid({.normal = {0.43589, 0.0, 0.9}});
  LightRecord& light = view.AddHeadLight();
  light.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  light.diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
  light.specular = {1.0f, 1.0f, 1.0f, 1.0f};
  OffscreenScene::Attach(grid, light);
  Render();
  EXPECT_TRUE(Near(At(0.0, 0.0), Rgb{89, 89, 89}, 2)) << At(0.0, 0.0);
}

TEST_F(RenderFrameTest, NormalsDecideTheDiffuseLight) {
  // Diffuse only: N.L with L = (0, 0, 1). A normal turned away gets nothing, a tilted one
  // (0.6, 0, 0.8) gets 0.8 (204).
  LightRecord& light = view.AddHeadLight();
  light.ambient = {0.0f, 0.0f, 0.0f, 1.0f};
  light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  ModelRecord& facing = view.AddGrid({.x0 = -9, .x1 = -3.5, .normal = {0.0, 0.0, 1.0}});
  ModelRecord& away = view.AddGrid({.x0 = -2.5, .x1 = 2.5, .normal = {0.0, 0.0, -1.0}});
  ModelRecord& tilted = view.AddGrid({.x0 = 3.5, .x1 = 9, .normal = {0.6, 0.0, 0.8}});
  for (ModelRecord* m : {&facing, &away, &tilted}) OffscreenScene::Attach(*m, light);
  Render();
  EXPECT_EQ(At(-6.0, 0.0), kWhite);
  EXPECT_EQ(At(0.0, 0.0), kBlack);
  EXPECT_TRUE(Near(At(6.0, 0.0), Rgb{204, 204, 204}, 2)) << At(6.0, 0.0);
}

TEST_F(RenderFrameTest, BaseTextureIsMultipliedByTheLighting) {
  ModelRecord& grid = view.AddGrid();
  grid.textureMap = view.SolidImage(255, 0, 0);
  Render();
  EXPECT_EQ(At(0.0, 0.0), kBlack) << "no light: the red base is multiplied by 0";

  LightRecord& light = view.AddHeadLight();
  OffscreenScene::Attach(grid, light);
  light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  Render();
  EXPECT_EQ(At(2.0, 2.0), (Rgb{255, 0, 0})) << "lighting 1: the texture shows as it is";

  light.specular = {0.25f, 0.25f, 0.25f, 1.0f};
  Render();
  EXPECT_TRUE(Near(At(0.0, 0.0), Rgb{255, 64, 64}, 2)) << "the white highlight adds 0.25: " << At(0.0, 0.0);

  grid.mapEnabled[kTextureSlot] = 0;
  light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  Render();
  EXPECT_EQ(At(2.0, 2.0), kWhite) << "a switched-off map is not used";
}

TEST_F(RenderFrameTest, TextureCoordinatesBelongToTheCorners) {
  // A 2 x 1 texture, red then blue, across a grid whose s runs 0..1 along x: the left half
  // shows red, the right half blue. Were s and t exchanged, the split would run across y.
  ModelRecord& grid = view.AddGrid({.cells = 4});
  grid.textureMap = view.Image(2, 1, {255, 0, 0, 255, 0, 0, 255, 255});
  view.scene.textureFilter = 0;
  LightRecord& light = view.AddHeadLight();
  light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  OffscreenScene::Attach(grid, light);
  Render();
  EXPECT_EQ(At(-3.0, 3.0), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(-3.0, -3.0), (Rgb{255, 0, 0}));
  EXPECT_EQ(At(3.0, 3.0), (Rgb{0, 0, 255}));
  EXPECT_EQ(At(3.0, -3.0), (Rgb{0, 0, 255}));
}

TEST_F(RenderFrameTest, DiffusionMapMultipliesTheLighting) {
  // Base (255, 128, 64) unlit; the diffuse pass computes ambient 0.5, modulated by the
  // diffusion map (128, 255, 255) / 255 and multiplied into the base:
  // R 1 * 0.5 * 0.502 = 0.251 (64), G 0.502 * 0.5 = 0.251 (64), B 0.251 * 0.5 = 0.125 (32).
  ModelRecord& grid = view.AddGrid();
  grid.textureMap = view.SolidImage(255, 128, 64);
  grid.diffusionMap = view.SolidImage(128, 255, 255);
  LightRecord& light = view.AddHeadLight();
  light.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
  light.diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
  light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  OffscreenScene::Attach(grid, light);
  Render();
  EXPECT_TRUE(Near(At(2.0, -2.0), Rgb{64, 64, 32}, 2)) << At(2.0, -2.0);
}

TEST_F(RenderFrameTest, SpecularityMapIsAddedAndClamped) {
  // Ambient 0.5 leaves white * 0.5 (128); a specular light of 1 at the middle vertex
  // (N.H = 1) modulated by the map (0, 100, 200) adds (0, 100, 200): (128, 228, 328 -> 255).
  ModelRecord& grid = view.AddGrid();
  grid.specularityMap = view.SolidImage(0, 100, 200);
  LightRecord& light = view.AddHeadLight();
  light.ambient = {0.5f, 0.5f, 0.5f, 1.0f};
  light.diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
  light.specular = {1.0f, 1.0f, 1.0f, 1.0f};
  OffscreenScene::Attach(grid, light);
  Render();
  EXPECT_TRUE(Near(At(0.0, 0.0), Rgb{128, 228, 255}, 2)) << At(0.0, 0.0);
}

TEST_F(RenderFrameTest, GlowMapIsAddedUnlit) {
  ModelRecord& dark = view.AddGrid({.x0 = -9, .x1 = -1});
  dark.glowMap = view.SolidImage(0, 100, 0);
  // A lit red base plus the glow: (255, 0, 0) + (0, 100, 0).
  ModelRecord& lit = view.AddGrid({.x0 = 1, .x1 = 9});
  lit.textureMap = view.SolidImage(255, 0, 0);
  lit.glowMap = view.SolidImage(0, 100, 0);
  LightRecord& light = view.AddHeadLight();
  light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  OffscreenScene::Attach(lit, light);
  Render();
  EXPECT_TRUE(Near(At(-5.0, 0.0), Rgb{0, 100, 0}, 1)) << At(-5.0, 0.0);
  EXPECT_TRUE(Near(At(5.0, 0.0), Rgb{255, 100, 0}, 1)) << At(5.0, 0.0);

  dark.mapEnabled[kGlowSlot] = 0;
  Render();
  EXPECT_EQ(At(-5.0, 0.0), kBlack);
}

TEST_F(RenderFrameTest, AdditiveModelAddsItsGlowBehindNearerGeometry) {
  view.scene.backgroundColor = {20.0f / 255.0f, 20.0f / 255.0f, 20.0f / 255.0f};
  // Additive models come first in the list but are drawn after the others.
  ModelRecord& behind = view.AddGrid({.x0 = -6, .x1 = 6, .y0 = -3, .y1 = 3, .z = -1.0});
  behind.additive = 1;
  behind.glowMap = view.SolidImage(0, 0, 200);
  ModelRecord& front = view.AddGrid({.x0 = -7.5, .x1 = -4.5, .y0 = -4.5, .y1 = -1.5, .z = 1.0});
  front.additive = 1;
  front.glowMap = view.SolidImage(0, 0, 200);
  ModelRecord& noGlow = view.AddGrid({.x0 = 2, .x1 = 9, .y0 = 5, .y1 = 9});
  noGlow.additive = 1;
  noGlow.textureMap = view.SolidImage(255, 255, 255);
  // The opaque model, unlit, shows its red glow only.
  ModelRecord& opaque = view.AddGrid({.x0 = -9, .x1 = 0, .y0 = -5, .y1 = 5});
  opaque.glowMap = view.SolidImage(100, 0, 0);
  Render();
  EXPECT_TRUE(Near(At(-2.0, 0.0), Rgb{100, 0, 0}, 1)) << "hidden by the nearer model: " << At(-2.0, 0.0);
  EXPECT_TRUE(Near(At(3.0, 0.0), Rgb{20, 20, 220}, 1)) << "added to the background: " << At(3.0, 0.0);
  EXPECT_TRUE(Near(At(-6.0, -3.0), Rgb{100, 0, 200}, 1)) << "in front, added: " << At(-6.0, -3.0);
  EXPECT_TRUE(Near(At(5.0, 7.0), Rgb{20, 20, 20}, 1)) << "no glow, nothing shows: " << At(5.0, 7.0);
}

TEST_F(RenderFrameTest, AdditiveModelsWriteNoDepth) {
  // The nearer one is drawn first; if it wrote depth the farther one would be hidden.
  ModelRecord& nearer = view.AddGrid({.z = 1.0});
  nearer.additive = 1;
  nearer.glowMap = view.SolidImage(0, 0, 100);
  ModelRecord& farther = view.AddGrid({.z = 0.0});
  farther.additive = 1;
  farther.glowMap = view.SolidImage(100, 0, 0);
  Render();
  EXPECT_TRUE(Near(At(0.0, 0.0), Rgb{100, 0, 100}, 1)) << At(0.0, 0.0);
}

TEST_F(RenderFrameTest, AdditiveEnvironmentMapLooksUpTheGlowByNormal) {
  // Sphere mapping of a normal facing the viewer at the middle of the picture gives
  // s = t = 0.5 (r = (0, 0, 1), m = 4): the middle texels of the glow map, green here,
  // while the model's own coordinates (0..1 across the grid, nearest filter) would show
  // each quarter of the map.
  std::vector<std::uint8_t> rgba;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      const bool middle = row >= 1 && row <= 2 && col >= 1 && col <= 2;
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>(middle ? 0 : 200), static_cast<std::uint8_t>(middle ? 200 : 0), 0, 255});
    }
  ModelRecord& grid = view.AddGrid();
  grid.additive = 1;
  grid.glowMap = view.Image(4, 4, rgba);
  view.scene.textureFilter = 0;
  Render();
  EXPECT_EQ(At(-4.5, 4.5), (Rgb{200, 0, 0})) << "a corner texel by the model's coordinates";
  grid.envMap = 1;
  Render();
  EXPECT_EQ(At(-4.5, 4.5), (Rgb{0, 200, 0}));
  EXPECT_EQ(At(0.3, 0.3), (Rgb{0, 200, 0}));
}

TEST_F(RenderFrameTest, EnvironmentMapLooksUpTheDiffusionMapByNormal) {
  // As above for the diffusion pass: the grid's own coordinates are all (0.1, 0.1), a red
  // texel; sphere mapping at the middle picks the green middle texels. Lighting is ambient 1.
  std::vector<std::uint8_t> rgba;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) {
      const bool middle = row >= 1 && row <= 2 && col >= 1 && col <= 2;
      rgba.insert(rgba.end(), {static_cast<std::uint8_t>(middle ? 0 : 255), static_cast<std::uint8_t>(middle ? 255 : 0), 0, 255});
    }
  ModelRecord& grid = view.AddGrid();
  for (TriangleRecord& tri : grid.triangles)
    for (auto& st : tri.st) st = {0.1, 0.1};
  grid.diffusionMap = view.Image(4, 4, rgba);
  view.scene.textureFilter = 0;
  LightRecord& light = view.AddHeadLight();
  light.diffuse = {0.0f, 0.0f, 0.0f, 1.0f};
  light.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  OffscreenScene::Attach(grid, light);
  Render();
  EXPECT_EQ(At(0.3, 0.3), (Rgb{255, 0, 0}));
  grid.envMap = 1;
  Render();
  EXPECT_EQ(At(0.3, 0.3), (Rgb{0, 255, 0}));
}

TEST_F(RenderFrameTest, EnvironmentMapWithoutOverlayMapsChangesNothing) {
  ModelRecord& grid = view.AddGrid();
  grid.textureMap = view.SolidImage(30, 160, 90);
  OffscreenScene::Attach(grid, view.AddHeadLight());
  Render();
  const auto without = pixels;
  grid.envMap = 1;
  Render();
  EXPECT_EQ(pixels, without);
}

TEST_F(RenderFrameTest, CullingHidesBackFacesAndDoubleSidedShowsThem) {
  ModelRecord& grid = view.AddGrid({.facingAway = true});
  grid.glowMap = view.SolidImage(0, 150, 0);
  view.scene.backgroundColor = {0.0f, 0.0f, 1.0f};
  Render();
  EXPECT_EQ(At(0.0, 0.0), (Rgb{0, 0, 255}));
  grid.doubleSided = 1;
  Render();
  EXPECT_EQ(At(0.0, 0.0), (Rgb{0, 150, 0}));
}

TEST_F(RenderFrameTest, WireframeDrawsTheEdgesOfBothFaces) {
  // One cell: two triangles with edges round the square and along the diagonal from
  // (-5, -5) to (5, 5). Turned away, so only the missing culling lets it show.
  ModelRecord& grid = view.AddGrid({.cells = 1, .facingAway = true});
  grid.glowMap = view.SolidImage(0, 150, 0);
  grid.wireframe = 1;
  Render();
  const Rgb green{0, 150, 0};
  EXPECT_TRUE(FoundNear(-5.0, 0.0, green));
  EXPECT_TRUE(FoundNear(0.0, 5.0, green));
  // The diagonal belongs to both triangles, so the glow pass adds along it twice: 300, clamped.
  EXPECT_TRUE(FoundNear(2.0, 2.0, Rgb{0, 255, 0}));
  EXPECT_EQ(At(2.5, -2.5), kBlack) << "inside a triangle nothing is filled";
  EXPECT_EQ(At(-2.5, 2.5), kBlack);
}

TEST_F(RenderFrameTest, ShellMovesTheSurfaceOneUnitAlongTheNormals) {
  // Normals point up the picture, so the shell shifts the square from y in [-5, 5] to [-4, 6].
  ModelRecord& grid = view.AddGrid({.normal = {0.0, 1.0, 0.0}});
  grid.glowMap = view.SolidImage(0, 0, 200);
  Render();
  EXPECT_EQ(At(0.0, -4.5), (Rgb{0, 0, 200}));
  EXPECT_EQ(At(0.0, 5.5), kBlack);
  grid.shell = 1;
  Render();
  EXPECT_EQ(At(0.0, -4.5), kBlack);
  EXPECT_EQ(At(0.0, 5.5), (Rgb{0, 0, 200}));
}

TEST_F(RenderFrameTest, TagAxesAndBoundsAreDrawnAfterTheModel) {
  // A model with no triangles: one tag at the origin whose third axis points down-left,
  // and a box from (-6, -4, -1) to (6, 4, 1).
  auto model = std::make_unique<ModelRecord>();
  auto frame = std::make_unique<FrameRecord>();
  TagRecord tag;
  tag.axis = {Vec3f{1.0f, 0.0f, 0.0f}, Vec3f{0.0f, 1.0f, 0.0f}, Vec3f{-0.6f, -0.8f, 0.0f}};
  frame->tags.push_back(tag);
  const Vec3f a{-6.0f, -4.0f, -1.0f}, b{6.0f, 4.0f, 1.0f};
  frame->boxCorners = {Vec3f{a[0], a[1], a[2]}, Vec3f{b[0], a[1], a[2]}, Vec3f{b[0], a[1], b[2]},
                       Vec3f{a[0], a[1], b[2]}, Vec3f{a[0], b[1], a[2]}, Vec3f{b[0], b[1], a[2]},
                       Vec3f{b[0], b[1], b[2]}, Vec3f{a[0], b[1], b[2]}};
  model->frames.push_back(std::move(frame));
  model->tagNames = {"tag_origin"};
  model->showTags = 1;
  ModelRecord& m = view.Add(std::move(model));
  Render();
  // Axes are 4 units long: red to (4, 0), green to (0, 4), blue to (-2.4, -3.2).
  EXPECT_TRUE(FoundNear(2.0, 0.0, Rgb{255, 0, 0}));
  EXPECT_TRUE(FoundNear(0.0, 2.0, Rgb{0, 255, 0}));
  EXPECT_TRUE(FoundNear(-1.2, -1.6, Rgb{0, 0, 255}));
  EXPECT_EQ(At(6.0, 0.5), kBlack) << "past the end of the red axis";
  EXPECT_FALSE(FoundNear(-6.0, 0.0, kWhite)) << "no bounds yet";
  GLfloat colour[4] = {0, 0, 0, 0};
  glGetFloatv(GL_CURRENT_COLOR, colour);
  EXPECT_EQ(colour[0], 1.0f);
  EXPECT_EQ(colour[1], 1.0f);
  EXPECT_EQ(colour[2], 1.0f) << "the colour is white again after the axes";

  m.showTags = 0;
  m.showBounds = 1;
  Render();
  EXPECT_TRUE(FoundNear(-6.0, 0.0, kWhite));  // edges (0,4) and (3,7)
  EXPECT_TRUE(FoundNear(6.0, 0.0, kWhite));   // edges (1,5) and (2,6)
  EXPECT_TRUE(FoundNear(0.0, -4.0, kWhite));  // edges (0,1) and (2,3)
  EXPECT_TRUE(FoundNear(0.0, 4.0, kWhite));   // edges (4,5) and (6,7)
  EXPECT_EQ(At(0.0, 0.0), kBlack) << "no diagonals, no tags";
  EXPECT_EQ(At(3.0, 2.0), kBlack);
}

TEST_F(RenderFrameTest, HiddenModelIsNotDrawnButStillCarriesItsChildren) {
  // The parent's tag sits at (4, 0, 0); the child hangs its origin on it.
  ModelRecord& parent = view.AddGrid({.x0 = -2, .x1 = 2, .y0 = -2, .y1 = 2});
  TagRecord anchor = TagRecord::Identity();
  anchor.origin = {4.0f, 0.0f, 0.0f};
  parent.frames[0]->tags.push_back(anchor);
  parent.tagNames = {"tag_anchor"};
  parent.glowMap = view.SolidImage(200, 0, 0);
  parent.visible = 0;
  ModelRecord& child = view.AddGrid({.x0 = -1, .x1 = 1, .y0 = -1, .y1 = 1});
  child.glowMap = view.SolidImage(0, 200, 0);
  child.parentIndex = 0;
  child.anchorTag = 0;
  RebuildChildLists(view.scene);
  Render();
  EXPECT_EQ(At(-1.5, 1.5), kBlack) << "the hidden parent";
  EXPECT_EQ(At(4.0, 0.0), (Rgb{0, 200, 0})) << "the child on the parent's tag";
  EXPECT_EQ(At(0.0, 0.0), kBlack);
}

TEST_F(RenderFrameTest, FastAndSafeGiveTheSamePicture) {
  ModelRecord& left = view.AddGrid({.x0 = -9, .x1 = -1, .normal = {0.3, 0.2, 0.93}});
  left.textureMap = view.SolidImage(200, 120, 40);
  left.diffusionMap = view.SolidImage(180, 220, 250);
  left.specularityMap = view.SolidImage(90, 90, 255);
  left.glowMap = view.SolidImage(10, 0, 30);
  ModelRecord& right = view.AddGrid({.x0 = 1, .x1 = 9, .z = -1.0});
  LightRecord& light = view.AddHeadLight();
  light.ambient = {0.3f, 0.3f, 0.3f, 1.0f};
  light.specular = {0.8f, 0.8f, 0.8f, 1.0f};
  OffscreenScene::Attach(left, light);
  OffscreenScene::Attach(right, light);
  Render();
  const auto fast = pixels;
  view.scene.multiPassSafe = 1;
  Render();
  EXPECT_EQ(pixels, fast);
  EXPECT_NE(At(-5.0, 0.0), kBlack) << "the picture is not empty";
}

TEST_F(RenderFrameTest, OnlyTheFirstEightLightReferencesCount) {
  ModelRecord& grid = view.AddGrid();
  LightRecord& dark = view.AddHeadLight();
  dark.ambient = dark.diffuse = dark.specular = {0.0f, 0.0f, 0.0f, 1.0f};
  LightRecord& bright = view.AddHeadLight();
  for (int i = 0; i < 8; ++i) OffscreenScene::Attach(grid, dark);
  OffscreenScene::Attach(grid, bright);
  Render();
  EXPECT_EQ(At(0.0, 0.0), kBlack) << "the ninth reference lights nothing";
  grid.modelLights[7].light = &bright;
  Render();
  EXPECT_EQ(At(0.0, 0.0), kWhite) << "the eighth does";
}

TEST_F(RenderFrameTest, SwitchedOffLightsAndReferencesLightNothing) {
  ModelRecord& grid = view.AddGrid();
  LightRecord& light = view.AddHeadLight();
  OffscreenScene::Attach(grid, light);
  light.enabled = 0;
  Render();
  EXPECT_EQ(At(0.0, 0.0), kBlack) << "light off, reference on";
  light.enabled = 1;
  grid.modelLights[0].enabled = 0;
  Render();
  EXPECT_EQ(At(0.0, 0.0), kBlack) << "light on, reference off";
  grid.modelLights[0].light = nullptr;
  grid.modelLights[0].enabled = 1;
  Render();
  EXPECT_EQ(At(0.0, 0.0), kBlack) << "a reference to no light";
}

TEST_F(RenderFrameTest, EachModelIsLitByItsOwnReferencesOnly) {
  ModelRecord& lit = view.AddGrid({.x0 = -9, .x1 = -1});
  view.AddGrid({.x0 = 1, .x1 = 9});
  OffscreenScene::Attach(lit, view.AddHeadLight());
  Render();
  EXPECT_EQ(At(-5.0, 0.0), kWhite);
  EXPECT_EQ(At(5.0, 0.0), kBlack) << "the second model does not keep the first one's light";
}

TEST_F(RenderFrameTest, ANestedFrameIsTurnedAway) {
  view.scene.backgroundColor = {0.0f, 1.0f, 0.0f};
  bool nestedDrew = true;
  const bool outerDrew = RenderFrame(view.scene, view.trackball, [&] {
    view.scene.backgroundColor = {1.0f, 0.0f, 0.0f};
    nestedDrew = RenderFrame(view.scene, view.trackball, [] {});
    view.context->SwapBuffers();
  });
  EXPECT_TRUE(outerDrew);
  EXPECT_FALSE(nestedDrew);
  pixels = view.context->ReadPixels();
  EXPECT_EQ(At(0.0, 0.0), (Rgb{0, 255, 0})) << "the nested call cleared nothing";
  Render();
  EXPECT_EQ(At(0.0, 0.0), (Rgb{255, 0, 0})) << "the next frame draws again";
}

TEST_F(RenderFrameTest, EveryModelLeavesTheSameStateBehind) {
  ModelRecord& grid = view.AddGrid();
  grid.textureMap = view.SolidImage(255, 255, 255);
  grid.diffusionMap = view.SolidImage(255, 255, 255);
  grid.specularityMap = view.SolidImage(255, 255, 255);
  grid.glowMap = view.SolidImage(255, 255, 255);
  grid.envMap = 1;
  OffscreenScene::Attach(grid, view.AddHeadLight());
  view.scene.multiPassSafe = 1;
  GLint stackBefore = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackBefore);
  Render();
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_DITHER));
  EXPECT_FALSE(glIsEnabled(GL_POLYGON_OFFSET_FILL));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
  GLint value = 0;
  glGetIntegerv(GL_DEPTH_FUNC, &value);
  EXPECT_EQ(value, GL_LEQUAL);
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_EQ(depthWrites, GL_TRUE);
  glGetIntegerv(GL_BLEND_SRC, &value);
  EXPECT_EQ(value, GL_ONE);
  glGetIntegerv(GL_BLEND_DST, &value);
  EXPECT_EQ(value, GL_ZERO);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
  EXPECT_EQ(value, GL_REPLACE);
  GLint stackAfter = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &stackAfter);
  EXPECT_EQ(stackAfter, stackBefore);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tessary
