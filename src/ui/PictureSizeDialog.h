// "Picture Size": the width and height of a picture to save, offered at the view's size,
// each from 1 to 4096 pixels.
#pragma once

#include <wx/dialog.h>

class wxSpinCtrl;

namespace tessary {

inline constexpr int kLargestPictureSide = 4096;

class PictureSizeDialog : public wxDialog {
 public:
  PictureSizeDialog(wxWindow* parent, int viewWidth, int viewHeight);

  int PictureWidth() const;
  int PictureHeight() const;

 private:
  wxSpinCtrl* width_ = nullptr;
  wxSpinCtrl* height_ = nullptr;
};

}  // namespace tessary
