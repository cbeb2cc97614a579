// The demo figure in samples/ as the viewer will load it: every file and texture loads,
// the tags that stack head on torso on legs are there, the figure moves, its texture
// coordinates stay inside the pictures and every surface faces outwards.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/FileIO.h"
#include "scene/Md3Loader.h"
#include "support/FakeTextureDevice.h"
#include "support/ScriptedDesktop.h"

namespace tessary {
namespace {

const std::string kSamples = TESSARY_SAMPLES_DIR;

Md3Parse LoadSample(const std::string& name) {
  const auto bytes = ReadWholeFile(kSamples + "/models/corvane/" + name);
  if (!bytes) return {};
  return ParseMd3(*bytes);
}

// Six times the volume the stored triangles enclose. Positive exactly when the triangles,
// taken in stored order, turn anticlockwise seen from outside: the order whose normals
// (corner 1 - corner 0) x (corner 2 - corner 1) point outwards.
double SignedVolume(const ModelRecord& m, const FrameRecord& f) {
  double sum = 0.0;
  for (const auto& t : m.triangles) {
    const Vec3d& a = f.positions[static_cast<std::size_t>(t.vertex[0])];
    const Vec3d& b = f.positions[static_cast<std::size_t>(t.vertex[1])];
    const Vec3d& c = f.positions[static_cast<std::size_t>(t.vertex[2])];
    sum += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) + a[2] * (b[0] * c[1] - b[1] * c[0]);
  }
  return sum;
}

struct Expected {
  std::string file;
  std::vector<std::string> records;
  std::vector<std::string> tags;
  std::string shader;
};

TEST(DemoModelsTest, EachFileHasItsSurfacesTagsAndTexture) {
  const std::vector<Expected> files{
      {"lower.md3", {"l_leg_left", "l_leg_right", "l_belt"}, {"tag_torso"}, "models/corvane/lower.pcx"},
      {"upper.md3", {"u_torso", "u_arm_left", "u_arm_right"}, {"tag_torso", "tag_head", "tag_weapon"},
       "models/corvane/upper.bmp"},
      {"head.md3", {"h_head", "h_neck"}, {"tag_head"}, "models/corvane/head.tga"},
  };
  for (const Expected& e : files) {
    SCOPED_TRACE(e.file);
    const Md3Parse p = LoadSample(e.file);
    ASSERT_TRUE(p.ok);
    EXPECT_GE(p.numFrames, 8);
    EXPECT_EQ(p.tagNames, e.tags);
    std::vector<std::string> names;
    for (const auto& m : p.records) names.push_back(m->name);
    EXPECT_EQ(names, e.records);
    for (const std::string& shader : p.shaderNames) EXPECT_EQ(shader, e.shader);
  }
}

TEST(DemoModelsTest, TexturesLoadFromTheSamplesFolderWithoutComplaint) {
  Scene scene;
  scene.baseFolder = kSamples;
  TrackballState trackball;
  testing::ScriptedDesktop desktop;
  testing::FakeTextureDevice textures;
  Workspace ws{scene, trackball, desktop, textures};
  for (const char* file : {"lower.md3", "upper.md3", "head.md3"}) {
    LoadModelFile(ws, kSamples + "/models/corvane/" + file);
  }
  EXPECT_TRUE(desktop.messages.empty());
  ASSERT_EQ(scene.ModelCount(), 8);
  for (const auto& m : scene.models) {
    ASSERT_NE(m->textureMap, nullptr) << m->name;
    EXPECT_EQ(m->textureMap->width, 128) << m->name;
    EXPECT_EQ(m->textureMap->height, 128) << m->name;
  }
  EXPECT_EQ(scene.models[0]->textureMap->fileName, "lower.pcx");
  EXPECT_EQ(scene.models[3]->textureMap->fileName, "upper.bmp");
  EXPECT_EQ(scene.models[6]->textureMap->fileName, "head.tga");
  scene.Clear();
}

TEST(DemoModelsTest, EverySurfaceMovesFacesOutwardsAndMapsInsideItsTexture) {
  for (const char* file : {"lower.md3", "upper.md3", "head.md3"}) {
    const Md3Parse p = LoadSample(file);
    ASSERT_TRUE(p.ok) << file;
    for (const auto& m : p.records) {
      SCOPED_TRACE(m->name);
      // Shared positions were welded: far fewer vertices than triangle corners.
      EXPECT_LT(m->numVertices, m->numTriangles * 3 / 2);
      for (const auto& f : m->frames) EXPECT_GT(SignedVolume(*m, *f), 0.0);
      const std::size_t quarter = m->frames.size() / 4;
      EXPECT_NE(m->frames[0]->positions, m->frames[quarter]->positions);
      for (const auto& t : m->triangles) {
        for (const auto& st : t.st) {
          EXPECT_TRUE(st[0] >= 0.0 && st[0] <= 1.0 && st[1] >= 0.0 && st[1] <= 1.0);
        }
      }
    }
  }
}

TEST(DemoModelsTest, StackedOnTheirTagsThePartsMakeAFigureOfGameSize) {
  const Md3Parse lower = LoadSample("lower.md3");
  const Md3Parse upper = LoadSample("upper.md3");
  const Md3Parse head = LoadSample("head.md3");
  ASSERT_TRUE(lower.ok && upper.ok && head.ok);
  // Viewer y is up. Feet to hips from the lower's bounds and tag, hips to neck from the
  // upper's tags (its pivot tag_torso sits at its origin), then the head above its pivot.
  const FrameRecord& legs = *lower.records[0]->frames[0];
  const FrameRecord& torso = *upper.records[0]->frames[0];
  const FrameRecord& skull = *head.records[0]->frames[0];
  EXPECT_EQ(torso.tags[0].origin, (Vec3f{0.0f, 0.0f, 0.0f}));
  EXPECT_EQ(skull.tags[0].origin, (Vec3f{0.0f, 0.0f, 0.0f}));
  const float feetToHips = legs.tags[0].origin[1] - legs.boxCorners[0][1];
  const float hipsToNeck = torso.tags[1].origin[1];
  const float headHeight = skull.boxCorners[6][1];
  EXPECT_GT(feetToHips, 20.0f);
  EXPECT_GT(hipsToNeck, 12.0f);
  EXPECT_GT(headHeight, 8.0f);
  const float height = feetToHips + hipsToNeck + headHeight;
  EXPECT_GT(height, 48.0f);
  EXPECT_LT(height, 66.0f);
}

}  // namespace
}  // namespace tessary
