// Reading MD3 bytes into records: the axis, unit and winding conversions, the tables copied
// into every record, the placeholder record, and the refusal of every malformed file.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "scene/Md3Loader.h"
#include "scene/Md3Fixtures.h"

namespace tessary {
namespace {

using testing::FileWith;
using testing::QuadSurface;
using testing::SmallFile;
using testing::V;

Md3Parse Parse(const std::vector<std::uint8_t>& bytes) { return ParseMd3(bytes); }
Md3Parse Parse(const md3::File& file) { return ParseMd3(md3::Write(file)); }

void ExpectRefused(const Md3Parse& p) {
  EXPECT_FALSE(p.ok);
  EXPECT_EQ(p.error, "This is not a MD3!");
  EXPECT_TRUE(p.records.empty());
}

TEST(Md3ParserTest, VerticesAreCycledIntoViewerAxesAndScaledBySixtyFourth) {
  md3::Surface s;
  s.name = "s";
  s.st = {{0, 0}, {0, 0}, {0, 0}};
  s.triangles = {{0, 1, 2}};
  s.frames = {{V(64, 128, -64), V(-32, 0, 16), V(1, 2, 3)}};
  const Md3Parse p = Parse(FileWith({s}, 1));
  ASSERT_TRUE(p.ok);
  const FrameRecord& f = *p.records.at(0)->frames.at(0);
  ASSERT_EQ(f.positions.size(), 3u);
  EXPECT_EQ(f.positions[0], (Vec3d{2.0, -1.0, 1.0}));
  EXPECT_EQ(f.positions[1], (Vec3d{0.0, 0.25, -0.5}));
  EXPECT_EQ(f.positions[2], (Vec3d{0.03125, 0.046875, 0.015625}));
}

TEST(Md3ParserTest, TrianglesAreStoredWithTheirLastTwoCornersSwappedAndCarryTheirCornersTextureCoordinates) {
  md3::Surface s;
  s.name = "s";
  s.st = {{0.125f, 0.25f}, {0.5f, 0.75f}, {1.0f, -2.0f}, {3.5f, 0.0f}};
  s.triangles = {{0, 1, 2}, {3, 0, 1}};
  s.frames = {{V(0, 0, 0), V(64, 0, 0), V(0, 64, 0), V(0, 0, 64)}};
  const Md3Parse p = Parse(FileWith({s}, 1));
  ASSERT_TRUE(p.ok);
  const ModelRecord& m = *p.records.at(0);
  ASSERT_EQ(m.numTriangles, 2);
  ASSERT_EQ(m.triangles.size(), 2u);
  EXPECT_EQ(m.triangles[0].vertex, (std::array<std::int16_t, 3>{0, 2, 1}));
  EXPECT_EQ(m.triangles[0].st[0], (std::array<double, 2>{0.125, 0.25}));
  EXPECT_EQ(m.triangles[0].st[1], (std::array<double, 2>{1.0, -2.0}));
  EXPECT_EQ(m.triangles[0].st[2], (std::array<double, 2>{0.5, 0.75}));
  EXPECT_EQ(m.triangles[1].vertex, (std::array<std::int16_t, 3>{3, 1, 0}));
  EXPECT_EQ(m.triangles[1].st[0], (std::array<double, 2>{3.5, 0.0}));
  EXPECT_EQ(m.triangles[1].st[1], (std::array<double, 2>{0.5, 0.75}));
  EXPECT_EQ(m.triangles[1].st[2], (std::array<double, 2>{0.125, 0.25}));
}

TEST(Md3ParserTest, AClockwiseFileTriangleSeenFromAboveFacesUp) {
  // File x forward, y left, z up; seen from +z, (0,0,0) -> (0,1,0) -> (1,0,0) turns clockwise.
  md3::Surface s;
  s.name = "floor";
  s.st = {{0, 0}, {0, 0}, {0, 0}};
  s.triangles = {{0, 1, 2}};
  s.frames = {{V(0, 0, 0), V(0, 64, 0), V(64, 0, 0)}};
  const Md3Parse p = Parse(FileWith({s}, 1));
  ASSERT_TRUE(p.ok);
  for (const Vec3d& n : p.records.at(0)->frames.at(0)->normals) EXPECT_EQ(n, (Vec3d{0.0, 1.0, 0.0}));  // viewer up
}

TEST(Md3ParserTest, FramesAndTagsAreConvertedAndCopiedIntoEveryRecord) {
  md3::File file = SmallFile();
  file.frames[1].minBounds = {-1.0f, -2.0f, -3.0f};
  file.frames[1].maxBounds = {4.0f, 5.0f, 6.0f};
  file.frames[1].localOrigin = {7.0f, 8.0f, 9.0f};
  file.frames[1].radius = 42.5f;
  md3::Tag& tag = file.tags[1][1];
  tag.origin = {1.0f, 2.0f, 3.0f};
  tag.axis = {md3::Float3{1.0f, 2.0f, 3.0f}, md3::Float3{4.0f, 5.0f, 6.0f}, md3::Float3{7.0f, 8.0f, 9.0f}};

  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.numFrames, 2);
  EXPECT_EQ(p.tagNames, (std::vector<std::string>{"tag_head", "tag_weapon"}));
  ASSERT_EQ(p.records.size(), 2u);
  for (const auto& m : p.records) {
    EXPECT_EQ(m->tagNames, p.tagNames);
    ASSERT_EQ(m->frames.size(), 2u);
    const FrameRecord& f = *m->frames[1];
    const std::array<Vec3f, 8> corners{Vec3f{-2, -3, -1}, Vec3f{5, -3, -1}, Vec3f{5, -3, 4}, Vec3f{-2, -3, 4},
                                       Vec3f{-2, 6, -1},  Vec3f{5, 6, -1},  Vec3f{5, 6, 4},  Vec3f{-2, 6, 4}};
    EXPECT_EQ(f.boxCorners, corners);
    EXPECT_EQ(f.localOrigin, (Vec3f{8.0f, 9.0f, 7.0f}));
    EXPECT_EQ(f.radius, 42.5f);
    ASSERT_EQ(f.tags.size(), 2u);
    EXPECT_EQ(f.tags[1].origin, (Vec3f{2.0f, 3.0f, 1.0f}));
    EXPECT_EQ(f.tags[1].axis[0], (Vec3f{5.0f, 6.0f, 4.0f}));
    EXPECT_EQ(f.tags[1].axis[1], (Vec3f{8.0f, 9.0f, 7.0f}));
    EXPECT_EQ(f.tags[1].axis[2], (Vec3f{2.0f, 3.0f, 1.0f}));
    // Frame 0 kept its own tags: identity axes, origin (1, 0, 0) for tag 1 -> (0, 0, 1).
    EXPECT_EQ(m->frames[0]->tags[1].origin, (Vec3f{0.0f, 0.0f, 1.0f}));
    EXPECT_EQ(m->frames[0]->tags[1].axis[0], (Vec3f{1.0f, 0.0f, 0.0f}));  // file row 1 (0,1,0) -> (1,0,0)
    // Work buffers are sized and zero.
    ASSERT_EQ(m->curTags.size(), 2u);
    EXPECT_EQ(m->curTags[0].origin, (Vec3f{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(m->curTags[0].axis[2], (Vec3f{0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(m->curPositions.size(), static_cast<std::size_t>(m->numVertices));
    EXPECT_EQ(m->curNormals.size(), static_cast<std::size_t>(m->numVertices));
  }
}

TEST(Md3ParserTest, RecordsAreNamedAfterTheSurfacesLastPathComponentAndKeepTheirFirstShader) {
  md3::File file = SmallFile();
  file.surfaces[0].shaders = {"models/corvane/upper.bmp", "models/corvane/other.tga"};
  file.surfaces[1].name = "models\\corvane\\u_arm";
  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.records.size(), 2u);
  EXPECT_EQ(p.records[0]->name, "u_torso");
  EXPECT_EQ(p.records[1]->name, "u_arm");
  EXPECT_EQ(p.shaderNames, (std::vector<std::string>{"models/corvane/upper.bmp", ""}));
  // Fresh records carry the defaults.
  const ModelRecord& m = *p.records[0];
  EXPECT_EQ(m.visible, 1);
  EXPECT_EQ(m.currentFrame, 0);
  EXPECT_EQ(m.pivotTag, -1);
  EXPECT_EQ(m.parentIndex, -1);
  EXPECT_EQ(m.anchorTag, -1);
  EXPECT_EQ(m.offsetScale, (Vec3f{1.0f, 1.0f, 1.0f}));
  EXPECT_EQ(m.textureMap, nullptr);
}

TEST(Md3ParserTest, VersionsUpToOneThousandLoadAndLaterOnesAreRefused) {
  md3::File file = SmallFile();
  for (std::int32_t version : {15, 1000}) {
    file.version = version;
    EXPECT_TRUE(Parse(file).ok) << version;
  }
  file.version = 1001;
  ExpectRefused(Parse(file));
  file.version = INT32_MAX;
  ExpectRefused(Parse(file));
}

TEST(Md3ParserTest, TagNamesAreCutAfterTwelveCharacters) {
  md3::File file = FileWith({QuadSurface("q", 2)}, 2, {"tag_weapon_xyz", "tag_torso", ""});
  file.tags[0][1].name = "tag_torso";
  file.tags[1][1].name = "later_frames_do_not_count";
  file.tags[0][2].name = std::string(64, 'n');  // a full field with no terminator
  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.tagNames, (std::vector<std::string>{"tag_weapon_x", "tag_torso", "nnnnnnnnnnnn"}));
  EXPECT_EQ(p.records.at(0)->tagNames, p.tagNames);
}

TEST(Md3ParserTest, AFileWithoutSurfacesGivesOneDummyRecordCarryingTheTagsOfEveryFrame) {
  md3::File file = FileWith({}, 3, {"tag_torso"});
  for (int f = 0; f < 3; ++f) file.tags[static_cast<std::size_t>(f)][0].origin = {0.0f, 0.0f, 10.0f * static_cast<float>(f)};
  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.records.size(), 1u);
  EXPECT_EQ(p.shaderNames, std::vector<std::string>{""});
  const ModelRecord& m = *p.records[0];
  EXPECT_EQ(m.name, "Dummy");
  EXPECT_EQ(m.numVertices, 3);
  EXPECT_EQ(m.numTriangles, 1);
  ASSERT_EQ(m.triangles.size(), 1u);
  EXPECT_EQ(m.triangles[0].vertex, (std::array<std::int16_t, 3>{0, 2, 1}));
  EXPECT_EQ(m.triangles[0].st,
            (std::array<std::array<double, 2>, 3>{std::array<double, 2>{0, 0}, {0, 1}, {1, 0}}));
  EXPECT_EQ(m.tagNames, std::vector<std::string>{"tag_torso"});
  ASSERT_EQ(m.frames.size(), 3u);
  for (int f = 0; f < 3; ++f) {
    const FrameRecord& frame = *m.frames[static_cast<std::size_t>(f)];
    EXPECT_EQ(frame.positions, (std::vector<Vec3d>{{0, 0, 0}, {0, 0, 1}, {1, 0, 0}}));
    for (const Vec3d& n : frame.normals) EXPECT_EQ(n, (Vec3d{0.0, -1.0, 0.0}));
    ASSERT_EQ(frame.tags.size(), 1u);
    EXPECT_EQ(frame.tags[0].origin, (Vec3f{0.0f, 10.0f * static_cast<float>(f), 0.0f}));
    // Frame f of FileWith has min (-1-f, -2, -3) and max (4, 5+f, 6).
    EXPECT_EQ(frame.boxCorners[0], (Vec3f{-2.0f, -3.0f, -1.0f - static_cast<float>(f)}));
    EXPECT_EQ(frame.boxCorners[6], (Vec3f{5.0f + static_cast<float>(f), 6.0f, 4.0f}));
    EXPECT_EQ(frame.radius, 10.0f + static_cast<float>(f));
  }
  EXPECT_EQ(m.curPositions.size(), 3u);
  EXPECT_EQ(m.curTags.size(), 1u);
}

TEST(Md3ParserTest, ASurfaceWithoutTheIdentEndsTheListAndKeepsTheSurfacesBeforeIt) {
  md3::File file = SmallFile();
  file.surfaces.push_back(QuadSurface("third", 2));
  file.surfaces[1].ident = "IDP2";
  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.records.size(), 1u);
  EXPECT_EQ(p.records[0]->name, "u_torso");
  EXPECT_EQ(p.shaderNames.size(), 1u);

  // A damaged first surface leaves a file that loads with nothing in it.
  file.surfaces[0].ident = "XXXX";
  const Md3Parse none = Parse(file);
  EXPECT_TRUE(none.ok);
  EXPECT_TRUE(none.records.empty());
}

TEST(Md3ParserTest, ASurfaceOfTheLargestAddressableSizeLoadsAndOneMoreIsRefused) {
  auto surfaceOf = [](int count) {
    md3::Surface s;
    s.name = "big";
    s.st.assign(static_cast<std::size_t>(count), {0.0f, 0.0f});
    s.frames.emplace_back();
    for (int i = 0; i < count; ++i) {
      s.frames[0].push_back(V(static_cast<std::int16_t>(i % 181), static_cast<std::int16_t>(i / 181), 0));
    }
    s.triangles = {{0, count - 1, count - 2}};
    return s;
  };
  const Md3Parse ok = Parse(FileWith({surfaceOf(32768)}, 1));
  ASSERT_TRUE(ok.ok);
  EXPECT_EQ(ok.records.at(0)->numVertices, 32768);
  EXPECT_EQ(ok.records.at(0)->triangles.at(0).vertex, (std::array<std::int16_t, 3>{0, 32766, 32767}));
  ExpectRefused(Parse(FileWith({surfaceOf(32769)}, 1)));
}

// One way to damage the small file, with what the test means by it.
struct Damage {
  const char* what;
  std::function<void(md3::File&)> onFile;                                            // before writing
  std::function<void(std::vector<std::uint8_t>&, const md3::Layout&)> onBytes;     // after writing
};

void RunDamage(const Damage& d) {
  md3::File file = SmallFile();
  file.surfaces.push_back(QuadSurface("third", 2, {"third.tga"}));
  if (d.onFile) d.onFile(file);
  md3::Layout layout;
  std::vector<std::uint8_t> bytes = md3::Write(file, &layout);
  if (d.onBytes) d.onBytes(bytes, layout);
  SCOPED_TRACE(d.what);
  ExpectRefused(Parse(bytes));
}

TEST(Md3ParserTest, EveryInconsistencyInTheFileHeaderIsRefused) {
  using B = std::vector<std::uint8_t>;
  using L = md3::Layout;
  const std::vector<Damage> damages{
      {"wrong ident", [](md3::File& f) { f.ident = "IDP2"; }, nullptr},
      {"lower-case ident", [](md3::File& f) { f.ident = "idp3"; }, nullptr},
      {"no frames", [](md3::File& f) { f.numFrames = 0; }, nullptr},
      {"negative frame count", [](md3::File& f) { f.numFrames = -1; }, nullptr},
      {"negative tag count", [](md3::File& f) { f.numTags = -2; }, nullptr},
      {"negative surface count", [](md3::File& f) { f.numSurfaces = -1; }, nullptr},
      {"more frames than the table holds", [](md3::File& f) { f.numFrames = 100000; }, nullptr},
      {"frame table past the end", nullptr, [](B& b, const L& l) { md3::PutInt32(b, md3::kHeaderOfsFrames, static_cast<std::int32_t>(l.size) - 56); }},
      {"negative frame offset", [](md3::File& f) { f.ofsFrames = -56; }, nullptr},
      {"frame offset near the top of the range", [](md3::File& f) { f.ofsFrames = INT32_MAX; }, nullptr},
      {"tag table past the end", nullptr, [](B& b, const L& l) { md3::PutInt32(b, md3::kHeaderOfsTags, static_cast<std::int32_t>(l.size) - 112); }},
      {"negative tag offset", [](md3::File& f) { f.ofsTags = -4; }, nullptr},
      {"more tags than the table holds", [](md3::File& f) { f.numTags = 3; f.numFrames = 100; }, nullptr},
      {"tag count whose product with the frames overflows", [](md3::File& f) { f.numTags = INT32_MAX; f.ofsTags = INT32_MAX; }, nullptr},
      {"surface offset past the end", nullptr, [](B& b, const L& l) { md3::PutInt32(b, md3::kHeaderOfsSurfaces, static_cast<std::int32_t>(l.size) + 8); }},
      {"negative surface offset", [](md3::File& f) { f.ofsSurfaces = -108; }, nullptr},
      {"more surfaces than the file holds", [](md3::File& f) { f.numSurfaces = 4; }, nullptr},
  };
  for (const Damage& d : damages) RunDamage(d);
}

TEST(Md3ParserTest, EveryInconsistencyInASurfaceRefusesTheWholeFile) {
  using B = std::vector<std::uint8_t>;
  using L = md3::Layout;
  // Each hits the second of three surfaces, so the first one must not survive either.
  auto surfaceField = [](std::size_t field, std::int32_t value) {
    return [=](B& b, const L& l) { md3::PutInt32(b, l.surfaces[1].start + field, value); };
  };
  const std::vector<Damage> damages{
      {"frame count differs from the file's", [](md3::File& f) { f.surfaces[1].numFrames = 1; }, nullptr},
      {"frame count larger than the file's", [](md3::File& f) { f.surfaces[1].numFrames = 3; }, nullptr},
      {"negative vertex count", nullptr, surfaceField(md3::kSurfaceNumVerts, -3)},
      {"negative triangle count", nullptr, surfaceField(md3::kSurfaceNumTriangles, -1)},
      {"negative shader count", nullptr, surfaceField(md3::kSurfaceNumShaders, -1)},
      {"triangle index equal to the vertex count", [](md3::File& f) { f.surfaces[1].triangles[0][1] = 3; }, nullptr},
      {"negative triangle index", [](md3::File& f) { f.surfaces[1].triangles[0][2] = -1; }, nullptr},
      {"vertex count beyond a 16-bit index", nullptr, surfaceField(md3::kSurfaceNumVerts, 40000)},
      {"triangle table past the end", nullptr, surfaceField(md3::kSurfaceNumTriangles, 1000000)},
      {"triangle offset near the top of the range", nullptr, surfaceField(md3::kSurfaceOfsTriangles, INT32_MAX)},
      {"negative triangle offset", nullptr, surfaceField(md3::kSurfaceOfsTriangles, -108)},
      {"texture coordinates past the end", nullptr, surfaceField(md3::kSurfaceOfsSt, 1 << 30)},
      {"vertex table past the end", nullptr, surfaceField(md3::kSurfaceOfsXyzNormal, INT32_MAX - 4)},
      {"shader table past the end", nullptr, surfaceField(md3::kSurfaceNumShaders, 1 << 28)},
      {"table inside the surface header", nullptr, surfaceField(md3::kSurfaceOfsSt, 8)},
      {"next surface inside this one's data", nullptr, surfaceField(md3::kSurfaceOfsEnd, 108)},
      {"next surface behind this one", nullptr, surfaceField(md3::kSurfaceOfsEnd, -200)},
      {"zero surface size", nullptr, surfaceField(md3::kSurfaceOfsEnd, 0)},
      {"next surface past the end", nullptr, surfaceField(md3::kSurfaceOfsEnd, INT32_MAX)},
      {"surface header cut short",
       nullptr, [](B& b, const L& l) { b.resize(l.surfaces[2].start + 50); }},
  };
  for (const Damage& d : damages) RunDamage(d);
}

TEST(Md3ParserTest, EveryProperPrefixOfAFileIsRefusedAndTrailingBytesAreIgnored) {
  // The writer puts the last surface's data at the very end, so every byte of the file is
  // used and any cut must be noticed; nothing may be read past a cut.
  md3::File file = SmallFile();
  file.surfaces.push_back(QuadSurface("third", 2, {"third.tga"}));
  const std::vector<std::uint8_t> whole = md3::Write(file);
  const Md3Parse full = Parse(whole);
  ASSERT_TRUE(full.ok);
  ASSERT_EQ(full.records.size(), 3u);
  for (std::size_t n = 0; n < whole.size(); ++n) {
    const std::vector<std::uint8_t> prefix(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
    const Md3Parse p = Parse(prefix);
    EXPECT_FALSE(p.ok) << "prefix of " << n << " bytes";
    EXPECT_TRUE(p.records.empty()) << "prefix of " << n << " bytes";
  }

  std::vector<std::uint8_t> longer = whole;
  longer.insert(longer.end(), 37, 0xAB);
  const Md3Parse extra = Parse(longer);
  ASSERT_TRUE(extra.ok);
  ASSERT_EQ(extra.records.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(extra.records[i]->name, full.records[i]->name);
    EXPECT_EQ(extra.records[i]->frames[1]->positions, full.records[i]->frames[1]->positions);
  }
}

TEST(Md3ParserTest, CutsThatOnlyRemoveUnusedBytesStillLoad) {
  // With a damaged second surface ident the loader never looks past that ident, so the
  // file can end right after it.
  md3::File file = SmallFile();
  file.surfaces[1].ident = "JUNK";
  md3::Layout layout;
  std::vector<std::uint8_t> bytes = md3::Write(file, &layout);
  bytes.resize(layout.surfaces[1].start + 4);
  const Md3Parse p = Parse(bytes);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.records.size(), 1u);
  // One byte less and the ident itself is cut: that is a truncated file.
  bytes.pop_back();
  ExpectRefused(Parse(bytes));
}

TEST(Md3ParserTest, AFileWithoutFramesIsRefusedEvenWhenItsSurfacesAgree) {
  // Records without frames could not be posed or drawn, so such files are not taken.
  md3::File file = SmallFile();
  file.frames.clear();
  file.tags.clear();
  for (auto& s : file.surfaces) s.frames.clear();
  ExpectRefused(Parse(file));
  ExpectRefused(Parse(FileWith({}, 0)));
}

TEST(Md3ParserTest, ManyEmptySurfacesOverManyFramesAreRefusedRatherThanExpanded) {
  // 1,500 surfaces of 108 bytes each, over 2,000 frames: each record would hold 2,000
  // frame records, some 3,000,000 in all, from a file of about 270 KB.
  md3::Surface empty;
  empty.name = "e";
  empty.frames.assign(2000, {});
  md3::File file = FileWith({}, 2000);
  file.surfaces.assign(1500, empty);
  ExpectRefused(Parse(file));
  // The same surfaces over a few frames are fine.
  empty.frames.assign(3, {});
  file = FileWith({}, 3);
  file.surfaces.assign(1500, empty);
  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  EXPECT_EQ(p.records.size(), 1500u);
}

TEST(Md3ParserTest, ZeroCountTablesNeedNoValidOffset) {
  md3::File file = FileWith({}, 1);
  file.ofsTags = INT32_MAX;  // no tags: never read
  md3::Surface empty;
  empty.name = "empty";
  empty.frames = {{}};
  empty.ofsTriangles = -5;
  empty.ofsSt = INT32_MAX;
  empty.ofsShaders = 0;
  file.surfaces = {empty};
  const Md3Parse p = Parse(file);
  ASSERT_TRUE(p.ok);
  ASSERT_EQ(p.records.size(), 1u);
  EXPECT_EQ(p.records[0]->numVertices, 0);
  EXPECT_EQ(p.records[0]->frames.size(), 1u);
}

}  // namespace
}  // namespace tessary
