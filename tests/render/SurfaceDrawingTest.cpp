// The drawing routines called on their own, with plain state (no lighting, no culling, white),
// so that what they submit shows directly as white pixels on black.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include "render/SurfaceDrawing.h"
#include "support/GlTestSupport.h"
#include "view/ViewTransform.h"

namespace tessary {
namespace {

using testing::GridShape;
using testing::MakeGridModel;
using testing::OffscreenScene;
using testing::Rgb;

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{255, 255, 255};

class SurfaceDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(view.Ok()) << view.error; }

  // Clears to black and sets the view; then the caller draws.
  void Begin() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyViewTransform(view.trackball);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
  }
  void End() {
    glFinish();
    pixels = view.context->ReadPixels();
  }
  Rgb At(double x, double y) const { return view.PixelAt(pixels, x, y); }
  bool AllBlack() const {
    for (std::size_t i = 0; i < pixels.size(); i += 4)
      if (pixels[i] != 0 || pixels[i + 1] != 0 || pixels[i + 2] != 0) return false;
    return true;
  }

  OffscreenScene view{64, 64, 10.0};
  std::vector<std::uint8_t> pixels;
};

using DrawRoutine = void (*)(const ModelRecord*);
const DrawRoutine kTriangleRoutines[] = {DrawPlain, DrawTextured, DrawLit, DrawLitTextured};

TEST_F(SurfaceDrawingTest, EveryRoutineFillsTheTriangles) {
  auto grid = MakeGridModel({});
  for (DrawRoutine draw : kTriangleRoutines) {
    Begin();
    draw(grid.get());
    End();
    EXPECT_EQ(At(0.0, 0.0), kWhite);
    EXPECT_EQ(At(-4.0, 4.0), kWhite);
    EXPECT_EQ(At(7.0, 0.0), kBlack);
  }
}

TEST_F(SurfaceDrawingTest, AModelWithoutItsCurrentFrameDrawsNothing) {
  auto grid = MakeGridModel({});
  TagRecord tag = TagRecord::Identity();
  grid->curTags = {tag};
  grid->showTags = 1;
  grid->showBounds = 1;
  auto drawAll = [&](const ModelRecord* model) {
    Begin();
    for (DrawRoutine draw : kTriangleRoutines) draw(model);
    DrawTagsAndBounds(model);
    End();
  };

  for (int frame : {1, -1, 7}) {
    grid->currentFrame = frame;
    drawAll(grid.get());
    EXPECT_TRUE(AllBlack()) << "frame " << frame;
  }
  grid->currentFrame = 0;
  grid->frames[0].reset();
  drawAll(grid.get());
  EXPECT_TRUE(AllBlack()) << "a missing frame entry";
  grid->frames.clear();
  drawAll(grid.get());
  EXPECT_TRUE(AllBlack()) << "no frames at all";
  drawAll(nullptr);
  EXPECT_TRUE(AllBlack()) << "no model";
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SurfaceDrawingTest, ATriangleWithACornerOutsideTheBuffersIsSkipped) {
  // Two cells side by side: triangles 0, 1 fill x in [-5, 0], triangles 2, 3 fill [0, 5].
  // Each cell's triangles are (a, b, c), below its diagonal, and (a, c, d), above it.
  auto grid = MakeGridModel({.x0 = -5, .x1 = 0, .cells = 1});
  auto right = MakeGridModel({.x0 = 0, .x1 = 5, .cells = 1});
  const auto offset = static_cast<std::int16_t>(grid->curPositions.size());
  for (const Vec3d& p : right->curPositions) grid->curPositions.push_back(p);
  for (const Vec3d& n : right->curNormals) grid->curNormals.push_back(n);
  for (TriangleRecord tri : right->triangles) {
    for (auto& v : tri.vertex) v = static_cast<std::int16_t>(v + offset);
    grid->triangles.push_back(tri);
  }
  grid->numTriangles = 4;
  grid->numVertices = 8;
  // Triangle 1 (upper left) points past the buffers, triangle 3 (upper right) below them.
  const std::int16_t kept = grid->triangles[1].vertex[2];
  grid->triangles[1].vertex[2] = 500;
  grid->triangles[3].vertex[0] = -3;
  for (DrawRoutine draw : kTriangleRoutines) {
    Begin();
    draw(grid.get());
    End();
    EXPECT_EQ(At(-1.0, -4.0), kWhite) << "triangle 0 is intact";
    EXPECT_EQ(At(1.0, -4.0), kWhite) << "triangle 2 is intact";
    EXPECT_EQ(At(-4.0, 4.0), kBlack) << "triangle 1 is not drawn";
    EXPECT_EQ(At(4.0, 4.0), kBlack) << "triangle 3 is not drawn";
  }

  // Fewer normals than positions: routines that read normals skip the triangles that need
  // a missing one, the plain one does not read them.
  grid->triangles[1].vertex[2] = kept;
  grid->curNormals.resize(4);
  Begin();
  DrawLit(grid.get());
  End();
  EXPECT_EQ(At(-4.0, 4.0), kWhite);
  EXPECT_EQ(At(1.0, -4.0), kBlack);
  Begin();
  DrawPlain(grid.get());
  End();
  EXPECT_EQ(At(1.0, -4.0), kWhite);
  grid->shell = 1;  // the shell reads normals too
  Begin();
  DrawPlain(grid.get());
  End();
  EXPECT_EQ(At(1.0, -4.0), kBlack);

  // numTriangles beyond the stored list is not followed.
  grid->shell = 0;
  grid->numTriangles = 1000;
  Begin();
  DrawPlain(grid.get());
  End();
  EXPECT_EQ(At(-1.0, -4.0), kWhite);
}

TEST_F(SurfaceDrawingTest, TagsAndBoundsRestoreTheCapabilitiesTheyTurnOff) {
  auto model = MakeGridModel({});
  model->curTags = {TagRecord::Identity()};
  model->showTags = 1;
  model->showBounds = 1;

  Begin();
  glEnable(GL_LIGHTING);  // with no light on, anything lit would come out black
  glEnable(GL_BLEND);
  glBlendFunc(GL_ZERO, GL_ZERO);  // and anything blended would vanish
  glEnable(GL_TEXTURE_2D);
  DrawTagsAndBounds(model.get());
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
  End();
  glBlendFunc(GL_ONE, GL_ZERO);
  // The red axis runs from the origin to (4, 0) and the box edge x = -5 is white.
  bool red = false, white = false;
  for (int r = view.RowOf(0.0) - 2; r <= view.RowOf(0.0) + 2; ++r) {
    red = red || view.Pixel(pixels, view.ColumnOf(2.0), r) == Rgb{255, 0, 0};
    for (int c = view.ColumnOf(-5.0) - 2; c <= view.ColumnOf(-5.0) + 2; ++c)
      white = white || view.Pixel(pixels, c, r) == kWhite;
  }
  EXPECT_TRUE(red);
  EXPECT_TRUE(white);

  Begin();
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  DrawTagsAndBounds(model.get());
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  End();
}

}  // namespace
}  // namespace tessary
