// Reading MD3 files into model records: a bounds-checked parser over a byte buffer, the
// vertex weld and the smooth normals of new records, and LoadModelFile, which
// reads the file, reports failures, resolves textures and appends the records.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Workspace.h"
#include "content/ContentFiles.h"
#include "scene/ModelRecord.h"

namespace tessary {

// The message for any file that is not a well-formed MD3.
inline constexpr const char* kNotAnMd3Message = "This is not a MD3!";
inline constexpr const char* kLoadErrorMessage = "There was an error loading the specified file!";

struct Md3Parse {
  bool ok = false;
  std::string error;  // kNotAnMd3Message when !ok
  std::int32_t numFrames = 0;
  std::vector<std::string> tagNames;
  // One record per surface read (or the "Dummy" record), welded, with tags, boxes and work
  // buffers in place; textures not resolved, normals left to the first pose of each frame.
  std::vector<std::unique_ptr<ModelRecord>> records;
  // The first shader name of each record's surface ("" when it has none), same order.
  std::vector<std::string> shaderNames;
};

Md3Parse ParseMd3(std::span<const std::uint8_t> bytes);

// The largest MD3 file read. The format's own limits (1,024 frames, 32 surfaces of 4,096
// vertices) put real models far below this; a longer file is refused before it is read.
inline constexpr std::uint64_t kMaxMd3FileBytes = std::uint64_t{256} << 20;

// Reads and parses an MD3 file, as the viewer and --info both do. A file that cannot be
// read (or is not a regular file) gives kLoadErrorMessage; one that is too long, or not a
// well-formed MD3, gives kNotAnMd3Message.
Md3Parse ReadMd3File(const Scene& scene, const ContentFile& file);

// Smooth normals per frame, written over whatever normals the frames held: the unit normals
// of the faces around each vertex, each face with weight 1, summed and normalised;
// degenerate faces add nothing; a vertex with no usable face gets (0, 0, 0).
void ComputeNormals(ModelRecord& model);
// The same for one frame that has none yet (a loaded frame has none until it is first
// posed), and for the frames grouped with it; a frame that has normals keeps them.
void EnsureFrameNormals(ModelRecord& model, std::int64_t frame);
// True when every frame holds numVertices positions and every triangle corner indexes them.
// The normals leave a record that fails this untouched.
bool HasConsistentGeometry(const ModelRecord& model);

// Opens the file at path and appends its records to the scene, each surface given its
// texture map (TextureRecords, with the named skin or the default one); the last record
// becomes current. A path that is not a file on disk is looked up in the base folder's file
// system. Failures are shown through the desktop and leave the scene as it was. Ends with a
// redraw and a panel refresh.
void LoadModelFile(Workspace& ws, const std::string& path, std::string_view skin = "default");
// The same for a file already located (a game path picked from the game's own list).
void LoadModelContent(Workspace& ws, const ContentFile& file, std::string_view skin = "default");

}  // namespace tessary
