// File > Export > "Picture (*.png)": the view as the user sees it, saved as a PNG at the
// view's size or at a size typed in, drawn offscreen in the view's own context.
#pragma once

namespace tessary {

class WxDesktop;
class RenderView;
struct Workspace;

// Asks the size, then the file (".png" added to a name without a dot), draws the picture
// and writes it through a temporary file. A cancel at either question does nothing; a
// picture that cannot be drawn or written is reported.
void ExportPicture(Workspace& ws, WxDesktop& desktop, RenderView* view);

}  // namespace tessary
