// The fixed command and control numbers of the viewer, used for the menu items,
// accelerators, buttons and lists.
#pragma once

namespace tessary::cmd {

inline constexpr int kSetBaseFolder = 32772;
inline constexpr int kFilterNearest = 32773;
inline constexpr int kFilterLinear = 32774;
inline constexpr int kFilterNearMip = 32775;
inline constexpr int kFilterBiMip = 32776;
inline constexpr int kFilterTriMip = 32777;
inline constexpr int kMultiPassFast = 32778;
inline constexpr int kMultiPassSafe = 32779;
inline constexpr int kOpenModel = 32785;
inline constexpr int kRemoveModel = 32786;
inline constexpr int kToggleModelVisible = 32787;
inline constexpr int kAttachLight = 32788;
inline constexpr int kDetachLight = 32789;
inline constexpr int kToggleModelLight = 32790;
inline constexpr int kLoadTextureMap = 32791;
inline constexpr int kClearTextureMap = 32792;
inline constexpr int kToggleTextureMap = 32793;
inline constexpr int kLoadDiffusionMap = 32794;
inline constexpr int kClearDiffusionMap = 32795;
inline constexpr int kToggleDiffusionMap = 32796;
inline constexpr int kLoadSpecularityMap = 32797;
inline constexpr int kClearSpecularityMap = 32798;
inline constexpr int kToggleSpecularityMap = 32799;
inline constexpr int kLoadGlowMap = 32800;
inline constexpr int kClearGlowMap = 32801;
inline constexpr int kToggleGlowMap = 32802;
inline constexpr int kAddLight = 32803;
inline constexpr int kRemoveLight = 32804;
inline constexpr int kToggleLight = 32805;
inline constexpr int kNextFrame = 32806;
inline constexpr int kPreviousFrame = 32807;
inline constexpr int kLightProperties = 32808;
inline constexpr int kWireframe = 32809;
inline constexpr int kExportLight = 32811;
inline constexpr int kImportLight = 32812;
inline constexpr int kEnvironmentMap = 32813;
inline constexpr int kBackgroundColor = 32814;
inline constexpr int kPreviousFrameAll = 32815;
inline constexpr int kNextFrameAll = 32816;
inline constexpr int kModelLinks = 32817;
inline constexpr int kAdditiveEffect = 32818;
inline constexpr int kDoubleSided = 32819;
inline constexpr int kDisplayTags = 32820;
inline constexpr int kLockFrame = 32821;
inline constexpr int kOffsets = 32822;
inline constexpr int kShellEffect = 32823;
inline constexpr int kExportSkinBase = 32824;
inline constexpr int kDisplayBounds = 32825;

// Game content.
inline constexpr int kOpenFromGameFolder = 32900;
inline constexpr int kGameTextureLookup = 32901;
inline constexpr int kSkinMenu = 32902;   // the "Skin" submenu, filled as its menu opens
inline constexpr int kFirstSkin = 32960;  // its entries: one per skin beside the current model
inline constexpr int kLastSkin = 32999;

// Desktop commands: framing the view, saving a picture, and the "Recent Models" entries
// (one id per entry, newest first).
inline constexpr int kFitView = 32920;
inline constexpr int kExportPicture = 32921;
inline constexpr int kRecentModelFirst = 32930;
inline constexpr int kRecentModelCount = 8;
constexpr bool IsRecentModel(int command) {
  return command >= kRecentModelFirst && command < kRecentModelFirst + kRecentModelCount;
}

// The Animation menu. A sequence item's number is its first number plus the sequence's
// AnimationNumber.
inline constexpr int kPlayPause = 33000;
inline constexpr int kPlayFaster = 33001;
inline constexpr int kPlaySlower = 33002;
inline constexpr int kPlayRestart = 33003;
inline constexpr int kLegsSequenceFirst = 33010;   // .. 33040
inline constexpr int kTorsoSequenceFirst = 33050;  // .. 33080
inline constexpr int kPlainSequence = 33090;

// Players: opening one from the game folder and putting a weapon in its hand.
inline constexpr int kOpenPlayer = 33100;
inline constexpr int kAttachWeapon = 33101;

// Framework commands.
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileSave = 57603;
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditUndo = 57643;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPreviousPane = 57681;

// Child windows and controls.
inline constexpr int kRenderViewId = 61204;
inline constexpr int kOptionsBarId = 61205;
inline constexpr int kModelListId = 61206;
inline constexpr int kModelLightListId = 61207;
inline constexpr int kMapFieldId = 61210;
inline constexpr int kGlobalLightListId = 61212;

// wx refuses window ids of 32767 and above, so windows and menu items carry the command
// number shifted down by this offset; every event is shifted back before dispatch.
inline constexpr int kWxIdOffset = 32000;
constexpr int ToWxId(int command) { return command - kWxIdOffset; }
constexpr int FromWxId(int wxId) { return wxId + kWxIdOffset; }

}  // namespace tessary::cmd
