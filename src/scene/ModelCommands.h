// The commands of the model row of the options bar and the model-list selection.
#pragma once

#include "app/Workspace.h"

namespace tessary {

void OpenModel(Workspace& ws);
void RemoveCurrentModel(Workspace& ws);
void ToggleModelVisible(Workspace& ws);
// selectedRow is the model list's selection, -1 when nothing is selected.
void SelectModel(Workspace& ws, int selectedRow);

}  // namespace tessary
