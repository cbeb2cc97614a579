// Immediate-mode submission of a model's triangles, tag axes and bounding box. Texture
// coordinates belong to triangle corners, so arrays would have to be rebuilt per corner on
// every call; measured on Mesa's software rasteriser that costs about twice the processor
// time of immediate mode for the same pixels, so immediate mode stays.
#include "render/SurfaceDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace tessary {

namespace {

// How many triangles to walk: numTriangles, but never past the stored list.
std::size_t TriangleCount(const ModelRecord& model) {
  const std::size_t stored = model.triangles.size();
  return model.numTriangles <= 0 ? 0 : std::min(stored, static_cast<std::size_t>(model.numTriangles));
}

// One routine for all four attribute sets, so every variant walks the triangles the same way.
// A triangle with a corner outside the work buffers is skipped whole: reading it would go out
// of bounds, and sending only some of its corners would shift every later triangle.
template <bool kSendNormal, bool kSendTexCoord>
void DrawTriangles(const ModelRecord* model) {
  if (model == nullptr || !HasCurrentFrame(*model)) return;
  const bool shell = model->shell != 0;  // read once per call
  const std::vector<Vec3d>& positions = model->curPositions;
  const std::vector<Vec3d>& normals = model->curNormals;
  // Normals are read for lighting and for the shell displacement.
  const bool readsNormals = kSendNormal || shell;
  const std::size_t limit = readsNormals ? std::min(positions.size(), normals.size()) : positions.size();
  const std::size_t count = TriangleCount(*model);

  glBegin(GL_TRIANGLES);
  for (std::size_t t = 0; t < count; ++t) {
    const TriangleRecord& tri = model->triangles[t];
    const auto inside = [limit](std::int16_t v) { return v >= 0 && static_cast<std::size_t>(v) < limit; };
    if (!inside(tri.vertex[0]) || !inside(tri.vertex[1]) || !inside(tri.vertex[2])) continue;
    for (int k = 0; k < 3; ++k) {
      const auto v = static_cast<std::size_t>(tri.vertex[static_cast<std::size_t>(k)]);
      const Vec3d& p = positions[v];
      if constexpr (kSendNormal) {
        const Vec3d& n = normals[v];
        glNormal3f(static_cast<GLfloat>(n[0]), static_cast<GLfloat>(n[1]), static_cast<GLfloat>(n[2]));
      }
      if constexpr (kSendTexCoord) {
        glTexCoord2f(static_cast<GLfloat>(tri.st[k][0]), static_cast<GLfloat>(tri.st[k][1]));
      }
      if (shell) {
        // The shell inflates the surface by one model unit along each vertex normal.
        const Vec3d& n = normals[v];
        glVertex3f(static_cast<GLfloat>(p[0] + n[0]), static_cast<GLfloat>(p[1] + n[1]),
                   static_cast<GLfloat>(p[2] + n[2]));
      } else {
        glVertex3f(static_cast<GLfloat>(p[0]), static_cast<GLfloat>(p[1]), static_cast<GLfloat>(p[2]));
      }
    }
  }
  glEnd();
}

void Line(const Vec3f& from, const Vec3f& to) {
  glVertex3f(from[0], from[1], from[2]);
  glVertex3f(to[0], to[1], to[2]);
}

void DrawTagAxes(const ModelRecord& model) {
  constexpr float kAxisLength = 4.0f;
  static const GLfloat kAxisColours[3][3] = {{1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}};
  for (const TagRecord& tag : model.curTags) {
    glBegin(GL_LINES);
    for (int a = 0; a < 3; ++a) {
      glColor3fv(kAxisColours[a]);
      const Vec3f& axis = tag.axis[static_cast<std::size_t>(a)];
      const Vec3f end{tag.origin[0] + kAxisLength * axis[0], tag.origin[1] + kAxisLength * axis[1],
                      tag.origin[2] + kAxisLength * axis[2]};
      Line(tag.origin, end);
    }
    glEnd();
  }
  glColor3f(1.0f, 1.0f, 1.0f);
}

void DrawBoundingBox(const ModelRecord& model) {
  // Corners 0..3 walk the face at the box minimum's y, 4..7 the opposite face in the same
  // turn: four edges round each face and four joining them.
  static const int kEdges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                                    {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
  glBegin(GL_LINES);
  glColor3f(1.0f, 1.0f, 1.0f);
  for (const auto& edge : kEdges) Line(model.curBoxCorners[edge[0]], model.curBoxCorners[edge[1]]);
  glEnd();
  glColor3f(1.0f, 1.0f, 1.0f);
}

}  // namespace

void DrawPlain(const ModelRecord* model) { DrawTriangles<false, false>(model); }
void DrawTextured(const ModelRecord* model) { DrawTriangles<false, true>(model); }
void DrawLit(const ModelRecord* model) { DrawTriangles<true, false>(model); }
void DrawLitTextured(const ModelRecord* model) { DrawTriangles<true, true>(model); }

void DrawTagsAndBounds(const ModelRecord* model) {
  if (model == nullptr || !HasCurrentFrame(*model)) return;
  const GLboolean lighting = glIsEnabled(GL_LIGHTING);
  const GLboolean blend = glIsEnabled(GL_BLEND);
  const GLboolean texture = glIsEnabled(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  if (model->showTags != 0) DrawTagAxes(*model);
  if (model->showBounds != 0) DrawBoundingBox(*model);
  if (lighting) glEnable(GL_LIGHTING);
  if (blend) glEnable(GL_BLEND);
  if (texture) glEnable(GL_TEXTURE_2D);
}

}  // namespace tessary
