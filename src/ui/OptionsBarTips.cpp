// The options bar's tooltips, one table for the buttons (by command) and one line for each
// list and field.
#include "ui/OptionsBarTips.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listbox.h>
#include <wx/textctrl.h>

#include <utility>

#include "app/CommandIds.h"
#include "ui/OptionsBar.h"

namespace tessary {

namespace {

constexpr std::pair<int, const char*> kButtonTips[] = {
    {cmd::kOpenModel, "Open a model"},
    {cmd::kRemoveModel, "Remove the selected model"},
    {cmd::kToggleModelVisible, "Show or hide the selected model"},
    {cmd::kAttachLight, "Attach the selected light to this model"},
    {cmd::kDetachLight, "Detach the selected light from this model"},
    {cmd::kToggleModelLight, "Switch this light on or off for this model"},
    {cmd::kLoadTextureMap, "Load a texture map"},
    {cmd::kClearTextureMap, "Clear the texture map"},
    {cmd::kToggleTextureMap, "Switch the texture map on or off"},
    {cmd::kLoadDiffusionMap, "Load a diffusion map"},
    {cmd::kClearDiffusionMap, "Clear the diffusion map"},
    {cmd::kToggleDiffusionMap, "Switch the diffusion map on or off"},
    {cmd::kLoadSpecularityMap, "Load a specularity map"},
    {cmd::kClearSpecularityMap, "Clear the specularity map"},
    {cmd::kToggleSpecularityMap, "Switch the specularity map on or off"},
    {cmd::kLoadGlowMap, "Load a glow map"},
    {cmd::kClearGlowMap, "Clear the glow map"},
    {cmd::kToggleGlowMap, "Switch the glow map on or off"},
    {cmd::kAddLight, "Make a new light"},
    {cmd::kRemoveLight, "Remove the selected light"},
    {cmd::kToggleLight, "Switch the selected light on or off"},
    {cmd::kLightProperties, "Edit the selected light's name, position, direction and colours"},
};

}  // namespace

void AddOptionsBarTips(OptionsBar& bar) {
  bar.modelList->SetToolTip("Models: the one selected here is the one the buttons and the Model menu change");
  bar.modelLightList->SetToolTip("Lights shining on the selected model");
  bar.textureMapField->SetToolTip("The selected model's texture map");
  bar.diffusionMapField->SetToolTip("The selected model's diffusion map: multiplies its lighting");
  bar.specularityMapField->SetToolTip("The selected model's specularity map: scales its highlights");
  bar.glowMapField->SetToolTip("The selected model's glow map: added unlit");
  bar.globalLightList->SetToolTip("All lights; attach one to a model with the \"+\" beside the model's lights");
  for (const auto& [command, tip] : kButtonTips) {
    if (wxButton* button = bar.ButtonFor(command)) button->SetToolTip(tip);
  }
}

}  // namespace tessary
