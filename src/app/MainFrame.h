// The main window: the render view at the left, the options bar (200 pixels) at the
// right; it carries the menu and accelerators, receives every command (menu item,
// accelerator, options-bar button or list) and frees the scene on shutdown while the GL
// context still exists.
#pragma once

#include <wx/frame.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/CommandTable.h"
#include "app/SettingsFile.h"
#include "app/WxDesktop.h"
#include "app/Workspace.h"
#include "image/GlTextures.h"

namespace tessary {

class RenderView;
class OptionsBar;

inline constexpr const char* kApplicationTitle = "Corvane's Tessary";
inline constexpr int kOptionsBarWidth = 200;

class MainFrame : public wxFrame {
 public:
  // desktop: the platform to use; the real wx one when none is given.
  MainFrame(Scene& scene, TrackballState& trackball, std::unique_ptr<WxDesktop> desktop = nullptr);
  ~MainFrame() override;

  Workspace& workspace() { return ws_; }
  WxDesktop& desktop() { return *desktop_; }

  // Places the options bar at the right edge and gives the render view the rest (the
  // status bar along the bottom is the frame's own).
  void LayoutChildren();
  // Rewrites the status bar from the scene.
  void ShowStatus();
  // Puts the current model's sequence lists at the end of the Animation menu.
  void ShowSequenceMenus();

  // What the window remembers in: settings for this run only until the application hands
  // over its settings file, whose window place and recent models are shown at once.
  void UseSettings(std::unique_ptr<SettingsFile> settings);
  SettingsFile& settings() { return *settings_; }
  // Runs an operation that may open models or change the base folder, then remembers the
  // files it opened among the recent models and the base folder it chose.
  void RunRemembering(const std::function<void()>& operation);
  // Opens files dropped on the window (on the view when onView).
  void OpenDropped(const std::vector<std::string>& paths, bool onView);

  RenderView* renderView = nullptr;  // none when the display has no GL
  wxWindow* viewWindow = nullptr;     // the render view, or the empty window in its place
  OptionsBar* optionsBar = nullptr;
  wxStatusBar* statusBar = nullptr;  // along the bottom, under the view and the bar

 private:
  // Texture objects need the view's context current; this device makes sure it is.
  class ViewTextureDevice final : public TextureDevice {
   public:
    explicit ViewTextureDevice(MainFrame& frame) : frame_(frame) {}
    std::uint32_t CreateTexture() override;
    void UploadTexture(const ImageRGBA& image) override;
    void DeleteTexture(std::uint32_t textureName) override;

   private:
    bool Ready();
    MainFrame& frame_;
    GlTextureDevice gl_;
  };

  void OnSize(wxSizeEvent& event);
  void FreeSceneAndChildren();

  // Menu bar and accelerators from the command table, and the event routing to it.
  void CreateMenuBarAndAccelerators();
  void OnCommand(wxCommandEvent& event);
  void OnUpdateCommand(wxUpdateUIEvent& event);
  void OnListSelection(wxCommandEvent& event);
  // Fills the "Skin" submenu with the skins of the current model's file.
  void RebuildSkinMenu();

  std::vector<MenuEntry> shownSequenceMenus_;  // what ShowSequenceMenus last put in
  std::vector<int> statusWidths_;              // the widths the status bar's fields have

  // Desktop integration: file drops, the window place, "Recent Models" and the commands
  // that need the window (Fit View, picture export, the recent entries).
  void EnableDesktopIntegration();
  bool RunWindowCommand(int id);
  void OpenRecentModel(std::size_t index);
  void ShowRecentModels();
  void ApplyWindowPlace();
  void RememberWindowPlace();
  double ViewAspect() const;

  std::unique_ptr<SettingsFile> settings_ = std::make_unique<SettingsFile>();
  wxMenu* recentMenu_ = nullptr;
  wxMenuItem* recentItem_ = nullptr;
  wxMenu* skinMenu_ = nullptr;  // owned by the menu bar
  std::unique_ptr<WxDesktop> desktop_;
  ViewTextureDevice textures_;
  Workspace ws_;
};

}  // namespace tessary
