// The command table: menu tree, accelerators, dispatch and menu-item rules.
#include "app/CommandTable.h"

#include <new>

#include "anim/AnimationCommands.h"
#include "anim/PlayerCommands.h"
#include "app/CommandIds.h"
#include "content/ContentCommands.h"
#include "image/FilterCommands.h"
#include "image/ImageDecoder.h"
#include "image/MapCommands.h"
#include "image/SkinBase.h"
#include "light/LightCommands.h"
#include "light/LightFile.h"
#include "scene/Md3Loader.h"
#include "scene/ModelCommands.h"
#include "scene/TextureResolution.h"
#include "view/ViewCommands.h"

namespace tessary {

using namespace cmd;

namespace {

// The entries of "Recent Models", numbered; the main window shows the files' paths in them
// and leaves out the entries it has no file for.
std::vector<MenuEntry> RecentModelEntries() {
  std::vector<MenuEntry> entries;
  for (int i = 0; i < kRecentModelCount; ++i)
    entries.push_back({"&" + std::to_string(i + 1), kRecentModelFirst + i, {}});
  return entries;
}

}  // namespace

const std::vector<MenuEntry>& MainMenu() {
  static const std::vector<MenuEntry> menu = {
      {"&File", 0, {
           {"Open Model...", kOpenModel, {}},
           {"Recent Models", 0, RecentModelEntries()},
           {"Set Base Folder...", kSetBaseFolder, {}},
           {"Open from Game Folder...", kOpenFromGameFolder, {}},
           {"Open Player...", kOpenPlayer, {}},
           {"Attach Weapon...", kAttachWeapon, {}},
           {"Light Transfer", 0, {{"Export to LGT", kExportLight, {}}, {"Import from LGT", kImportLight, {}}}},
           {"Export", 0, {{"Skinbase (*.bmp)", kExportSkinBase, {}}, {"Picture (*.png)", kExportPicture, {}}}},
           {"", 0, {}},
           {"E&xit", kAppExit, {}},
       }},
      {"Model", 0, {
           {"Environment Map", kEnvironmentMap, {}},
           {"Additive Effect", kAdditiveEffect, {}},
           {"Shell Effect", kShellEffect, {}},
           {"Double-sided", kDoubleSided, {}},
           {"Wireframe", kWireframe, {}},
           {"Display Tags", kDisplayTags, {}},
           {"Display Bounds", kDisplayBounds, {}},
           {"Lock Frame", kLockFrame, {}},
           {"Offsets...", kOffsets, {}},
           {"Skin", kSkinMenu, {}},
       }},
      {"&Rendering", 0, {
           {"&Texture", 0, {
                {"&Nearest", kFilterNearest, {}},
                {"&Linear", kFilterLinear, {}},
                {"Near-&MIP", kFilterNearMip, {}},
                {"&Bi-MIP", kFilterBiMip, {}},
                {"&Tri-MIP", kFilterTriMip, {}},
            }},
           {"Multi-Pass", 0, {{"&Fast", kMultiPassFast, {}}, {"&Safe", kMultiPassSafe, {}}}},
           {"Background Color...", kBackgroundColor, {}},
           {"Model Links...", kModelLinks, {}},
           {"Fit View", kFitView, {}},
           {"Game Texture Lookup", kGameTextureLookup, {}},
       }},
      // The sequence lists of the current model follow these items (SequenceMenus).
      {"&Animation", 0, {
           {"&Play/Pause", kPlayPause, {}},
           {"&Faster", kPlayFaster, {}},
           {"&Slower", kPlaySlower, {}},
           {"&Restart", kPlayRestart, {}},
       }},
      {"&Help", 0, {{"&About Corvane's Tessary", kAppAbout, {}}}},
  };
  return menu;
}

const std::vector<Accelerator>& Accelerators() {
  using K = Accelerator;
  static const std::vector<Accelerator> table = {
      {K::Left, 0, false, false, false, kPreviousFrame},
      {K::Left, 0, false, true, false, kPreviousFrameAll},
      {K::Right, 0, false, false, false, kNextFrame},
      {K::Right, 0, false, true, false, kNextFrameAll},
      {K::Letter, 'N', true, false, false, kFileNew},
      {K::Letter, 'O', true, false, false, kFileOpen},
      {K::Letter, 'S', true, false, false, kFileSave},
      {K::Letter, 'C', true, false, false, kEditCopy},
      {K::Insert, 0, true, false, false, kEditCopy},
      {K::Letter, 'X', true, false, false, kEditCut},
      {K::Delete, 0, false, true, false, kEditCut},
      {K::Letter, 'V', true, false, false, kEditPaste},
      {K::Insert, 0, false, true, false, kEditPaste},
      {K::Letter, 'Z', true, false, false, kEditUndo},
      {K::Backspace, 0, false, false, true, kEditUndo},
      {K::F6, 0, false, false, false, kNextPane},
      {K::F6, 0, false, true, false, kPreviousPane},
      {K::Space, 0, false, false, false, kPlayPause},
      {K::Home, 0, false, false, false, kFitView},
  };
  return table;
}

namespace {


// The switch of the current model that a "Model" menu item toggles, or none.
std::int32_t ModelRecord::*ModelFlag(int id) {
  switch (id) {
    case kEnvironmentMap: return &ModelRecord::envMap;
    case kAdditiveEffect: return &ModelRecord::additive;
    case kShellEffect: return &ModelRecord::shell;
    case kDoubleSided: return &ModelRecord::doubleSided;
    case kWireframe: return &ModelRecord::wireframe;
    case kDisplayTags: return &ModelRecord::showTags;
    case kDisplayBounds: return &ModelRecord::showBounds;
    case kLockFrame: return &ModelRecord::lockFrame;
    default: return nullptr;
  }
}

void ToggleModelFlag(Workspace& ws, std::int32_t ModelRecord::*flag) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  std::int32_t& value = model->*flag;
  value = value == 1 ? 0 : 1;
  ws.SceneChanged();
}

void EditOffsets(Workspace& ws) {
  ModelRecord* model = ws.scene.CurrentModel();
  if (model == nullptr) return;
  ws.desktop.RunModelOffsetsDialog(*model);
  ws.SceneChanged();
}

void EditBackgroundColor(Workspace& ws) {
  ws.desktop.RequestSceneRedraw();
  ws.desktop.RunBackgroundColorDialog();
  ws.SceneChanged();
}

bool IsLegsSequence(int id) { return id >= kLegsSequenceFirst && id < kLegsSequenceFirst + kAnimationCount; }
bool IsTorsoSequence(int id) { return id >= kTorsoSequenceFirst && id < kTorsoSequenceFirst + kAnimationCount; }

bool DispatchAnimationCommand(Workspace& ws, int id) {
  if (IsLegsSequence(id)) ChooseSequence(ws, PartRole::Legs, id - kLegsSequenceFirst);
  else if (IsTorsoSequence(id)) ChooseSequence(ws, PartRole::Torso, id - kTorsoSequenceFirst);
  else if (id == kPlainSequence) ChooseSequence(ws, PartRole::Plain, 0);
  else if (id == kPlayPause) TogglePlayback(ws);
  else if (id == kPlayFaster || id == kPlaySlower) ChangePlaybackRate(ws, id == kPlayFaster);
  else if (id == kPlayRestart) RestartPlayback(ws);
  else return false;
  return true;
}

// Map commands come in threes per row: load, clear, switch.
bool DispatchMapCommand(Workspace& ws, int id) {
  if (id < kLoadTextureMap || id > kToggleGlowMap) return false;
  static constexpr MapSlot kRowSlots[4] = {kTextureSlot, kDiffusionSlot, kSpecularitySlot, kGlowSlot};
  const int offset = id - kLoadTextureMap;
  const MapSlot slot = kRowSlots[offset / 3];
  switch (offset % 3) {
    case 0: LoadMap(ws, slot); break;
    case 1: ClearMap(ws, slot); break;
    default: ToggleMap(ws, slot); break;
  }
  return true;
}

// What a command tells the user when memory runs out in the middle of it: the message it
// gives for its own failures, or none for a command that has none (it ends quietly).
const char* OutOfMemoryMessage(int id) {
  if (id >= kLoadTextureMap && id <= kToggleGlowMap) return (id - kLoadTextureMap) % 3 == 0 ? kNotRecognizedMessage : nullptr;
  switch (id) {
    case kOpenModel:
    case kOpenFromGameFolder:
    case kAttachWeapon: return kLoadErrorMessage;
    case kImportLight: return kUnableToOpenLightMessage;
    case kExportLight: return kUnableToCreateLightMessage;
    case kExportSkinBase: return "Error Saving: 1";
    default: return nullptr;
  }
}

bool RunCommand(Workspace& ws, int id) {
  if (id == kLockFrame) {
    ToggleLockFrame(ws);
    return true;
  }
  if (auto flag = ModelFlag(id)) {
    ToggleModelFlag(ws, flag);
    return true;
  }
  if (DispatchMapCommand(ws, id)) return true;
  if (id >= kFirstSkin && id <= kLastSkin) {
    ChooseSkin(ws, id - kFirstSkin);
    return true;
  }
  if (DispatchAnimationCommand(ws, id)) return true;
  if (id >= kFilterNearest && id <= kFilterTriMip) {
    SetTextureFilter(ws, id - kFilterNearest);
    return true;
  }
  switch (id) {
    case kSetBaseFolder: SetBaseFolder(ws); return true;
    case kOpenFromGameFolder: OpenFromGameFolder(ws); return true;
    case kAttachWeapon: AttachWeapon(ws); return true;
    case kGameTextureLookup: ToggleGameTextureLookup(ws); return true;
    case kMultiPassFast: SetMultiPassMode(ws, 0); return true;
    case kMultiPassSafe: SetMultiPassMode(ws, 1); return true;
    case kOpenModel: OpenModel(ws); return true;
    case kRemoveModel: RemoveCurrentModel(ws); return true;
    case kToggleModelVisible: ToggleModelVisible(ws); return true;
    case kAttachLight: AttachLight(ws); return true;
    case kDetachLight: DetachLight(ws); return true;
    case kToggleModelLight: ToggleModelLight(ws); return true;
    case kAddLight: AddLight(ws); return true;
    case kRemoveLight: RemoveLight(ws); return true;
    case kToggleLight: ToggleLight(ws); return true;
    case kNextFrame: StepCurrentModel(ws, +1); return true;
    case kPreviousFrame: StepCurrentModel(ws, -1); return true;
    case kNextFrameAll: StepAllModels(ws, +1); return true;
    case kPreviousFrameAll: StepAllModels(ws, -1); return true;
    case kLightProperties: EditCurrentLight(ws); return true;
    case kExportLight: ExportLight(ws); return true;
    case kImportLight: ImportLight(ws); return true;
    case kBackgroundColor: EditBackgroundColor(ws); return true;
    case kModelLinks: ws.desktop.RunTagLinkageDialog(); return true;
    case kOffsets: EditOffsets(ws); return true;
    case kExportSkinBase: ExportSkinBase(ws); return true;
    case kAppAbout: ws.desktop.RunAboutBox(); return true;
    case kAppExit: ws.desktop.CloseMainWindow(); return true;
    // No document types exist: new and open do nothing at all.
    case kFileNew:
    case kFileOpen: return true;
    default: return false;
  }
}

}  // namespace

bool DispatchCommand(Workspace& ws, int id) {
  // A command that runs out of memory ends where it is; the failure goes no further than
  // this, so the viewer and the user's lights, links and offsets stay.
  try {
    return RunCommand(ws, id);
  } catch (const std::bad_alloc&) {
    if (const char* message = OutOfMemoryMessage(id)) ws.desktop.ShowMessage(message);
    return true;
  }
}

bool IsCheckable(int id) {
  return ModelFlag(id) != nullptr || (id >= kFilterNearest && id <= kMultiPassSafe) || id == kPlayPause ||
         id == kGameTextureLookup || (id >= kFirstSkin && id <= kLastSkin);
}

bool IsRadio(int id) { return IsLegsSequence(id) || IsTorsoSequence(id) || id == kPlainSequence; }

std::vector<MenuEntry> SequenceMenus(const Scene& scene) {
  const CurrentPlayback now = DescribeCurrentPlayback(scene);
  if (!now.present) return {};
  if (!now.player) return {{"Se&quence", 0, {{"All frames", kPlainSequence, {}}}}};
  std::vector<MenuEntry> legs, torso;
  for (int n = 0; n < kAnimationCount; ++n) {
    if (LegsPlay(n)) legs.push_back({AnimationName(n), kLegsSequenceFirst + n, {}});
    if (TorsoPlays(n)) torso.push_back({AnimationName(n), kTorsoSequenceFirst + n, {}});
  }
  return {{"&Legs", 0, legs}, {"T&orso", 0, torso}};
}

CommandState QueryCommandState(Workspace& ws, int id) {
  if (auto flag = ModelFlag(id)) {
    const ModelRecord* model = ws.scene.CurrentModel();
    if (model == nullptr) return {false, false};
    return {true, model->*flag != 0};
  }
  if (id == kPlayPause || id == kPlayFaster || id == kPlaySlower || id == kPlayRestart || IsRadio(id)) {
    const CurrentPlayback now = DescribeCurrentPlayback(ws.scene);
    if (id == kPlayPause) return {now.canPlay || now.playing, now.playing};
    if (IsLegsSequence(id)) return {now.player, id - kLegsSequenceFirst == now.legs};
    if (IsTorsoSequence(id)) return {now.player, id - kTorsoSequenceFirst == now.torso};
    return {now.present, id == kPlainSequence};
  }
  if (id >= kFilterNearest && id <= kMultiPassSafe) {
    const bool checked = id <= kFilterTriMip ? ws.scene.textureFilter == id - kFilterNearest
                                             : ws.scene.multiPassSafe == id - kMultiPassFast;
    // Showing these items redraws the view through the spin step, as choosing one does.
    ApplySpin(ws);
    return {true, checked};
  }
  if (id == kGameTextureLookup) return {true, ws.scene.gameTextureLookup};
  if (id == kAttachWeapon) return {CanAttachWeapon(ws.scene), false};
  if (id == kSkinMenu) return {!SkinMenuEntries(ws.scene).empty(), false};
  if (id >= kFirstSkin && id <= kLastSkin) return {true, IsSkinEntryInUse(ws.scene, id - kFirstSkin)};
  return {true, false};
}

}  // namespace tessary
