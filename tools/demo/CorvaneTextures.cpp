// Painting the demo textures. Each region below matches the UvRect the figure gives the
// part, so the pictures line up with CorvaneFigure.cpp. The painting uses a handful of flat
// colours, so the PCX palette never runs out.
#include "CorvaneTextures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <tuple>

#include "testdata/ImageWriters.h"

namespace tessary::demo {
namespace {

struct Colour {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator<(const Colour& o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
  Colour Scaled(double k) const {
    const auto c = [k](std::uint8_t v) { return static_cast<std::uint8_t>(std::clamp(v * k, 0.0, 255.0)); };
    return {c(r), c(g), c(b)};
  }
};

constexpr Colour kTrousers{62, 72, 98}, kStripe{150, 160, 185}, kKneePad{120, 130, 150}, kBoot{92, 56, 30},
    kSole{40, 28, 20}, kToeCap{140, 95, 55}, kLeather{112, 70, 36}, kGold{214, 172, 62}, kShirt{38, 122, 120},
    kCollar{90, 170, 160}, kWaist{24, 80, 80}, kRed{190, 50, 40}, kSkin{226, 182, 142}, kHair{108, 40, 30},
    kWhite{245, 245, 240}, kPupil{30, 40, 70}, kLips{170, 70, 70};

class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height)) {}
  int Width() const { return width_; }
  int Height() const { return height_; }
  void Set(int x, int y, Colour c) {
    if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[static_cast<std::size_t>(y * width_ + x)] = c;
  }
  Colour At(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

 private:
  int width_, height_;
  std::vector<Colour> pixels_;
};

// A part's panel: draws in the part's own (u, v), both 0..1, v downwards.
class Panel {
 public:
  Panel(Canvas& canvas, float s0, float t0, float s1, float t1)
      : c_(canvas),
        x0_(static_cast<int>(std::lround(s0 * canvas.Width()))),
        y0_(static_cast<int>(std::lround(t0 * canvas.Height()))),
        x1_(static_cast<int>(std::lround(s1 * canvas.Width()))),
        y1_(static_cast<int>(std::lround(t1 * canvas.Height()))) {}

  void Rect(double u0, double v0, double u1, double v1, Colour colour) {
    for (int y = Y(v0); y < Y(v1); ++y) {
      for (int x = X(u0); x < X(u1); ++x) c_.Set(x, y, colour);
    }
  }
  void Fill(Colour colour) { Rect(0, 0, 1, 1, colour); }
  void Ellipse(double cu, double cv, double ru, double rv, Colour colour) {
    for (int y = y0_; y < y1_; ++y) {
      for (int x = x0_; x < x1_; ++x) {
        const double du = (U(x) - cu) / ru, dv = (V(y) - cv) / rv;
        if (du * du + dv * dv <= 1.0) c_.Set(x, y, colour);
      }
    }
  }
  // Faint lines every `step` pixels, darker than whatever is under them.
  void Grid(int step) {
    for (int y = y0_; y < y1_; ++y) {
      for (int x = x0_; x < x1_; ++x) {
        if ((x - x0_) % step == 0 || (y - y0_) % step == 0) c_.Set(x, y, c_.At(x, y).Scaled(0.85));
      }
    }
  }
  // The panel's outline, which shows as a seam wherever the panel meets another.
  void Border(Colour colour) {
    for (int x = x0_; x < x1_; ++x) {
      c_.Set(x, y0_, colour);
      c_.Set(x, y1_ - 1, colour);
    }
    for (int y = y0_; y < y1_; ++y) {
      c_.Set(x0_, y, colour);
      c_.Set(x1_ - 1, y, colour);
    }
  }

 private:
  int X(double u) const { return x0_ + static_cast<int>(std::lround(u * (x1_ - x0_))); }
  int Y(double v) const { return y0_ + static_cast<int>(std::lround(v * (y1_ - y0_))); }
  double U(int x) const { return (x + 0.5 - x0_) / (x1_ - x0_); }
  double V(int y) const { return (y + 0.5 - y0_) / (y1_ - y0_); }

  Canvas& c_;
  int x0_, y0_, x1_, y1_;
};

// ---- Legs (lower.pcx) ---------------------------------------------------------------------

Canvas PaintLower() {
  Canvas canvas(128, 128);
  for (int side = 0; side < 2; ++side) {
    const float s0 = 0.5f * static_cast<float>(side), s1 = s0 + 0.5f;
    // The outer side of the left leg (side 0) faces +y, u = 0.75; of the right leg u = 0.25.
    const double outer = side == 0 ? 0.75 : 0.25;

    Panel thigh(canvas, s0, 0.0f, s1, 0.3f);
    thigh.Fill(kTrousers);
    thigh.Grid(8);
    thigh.Rect(outer - 0.03, 0.0, outer + 0.03, 1.0, kStripe);
    thigh.Border(kTrousers.Scaled(0.5));

    Panel shin(canvas, s0, 0.3f, s1, 0.6f);
    shin.Fill(kTrousers);
    shin.Grid(8);
    shin.Rect(outer - 0.03, 0.0, outer + 0.03, 0.8, kStripe);
    shin.Ellipse(0.5, 0.2, 0.12, 0.16, kKneePad);
    shin.Rect(0.0, 0.8, 1.0, 1.0, kBoot);
    shin.Border(kTrousers.Scaled(0.5));

    Panel foot(canvas, s0, 0.6f, s1, 0.8f);
    foot.Fill(kBoot);
    foot.Grid(4);
    foot.Rect(0.0, 0.0, 1.0 / 3.0, 0.5, kToeCap);     // front face
    foot.Rect(2.0 / 3.0, 0.5, 1.0, 1.0, kSole);        // bottom face
    foot.Border(kSole);
  }
  Panel belt(canvas, 0.0f, 0.8f, 1.0f, 1.0f);
  belt.Fill(kLeather);
  belt.Grid(8);
  belt.Rect(0.0, 0.28, 1.0, 0.34, kLeather.Scaled(0.7));  // stitching
  belt.Rect(0.0, 0.66, 1.0, 0.72, kLeather.Scaled(0.7));
  belt.Rect(0.44, 0.3, 0.56, 0.7, kGold);                 // buckle, at the front
  belt.Rect(0.47, 0.4, 0.53, 0.6, kLeather);
  belt.Border(kSole);
  return canvas;
}

// ---- Torso and arms (upper.bmp) -------------------------------------------------------------

Canvas PaintUpper() {
  Canvas canvas(128, 128);
  Panel torso(canvas, 0.0f, 0.0f, 0.5f, 1.0f);
  torso.Fill(kShirt);
  torso.Grid(8);
  torso.Rect(0.0, 0.0, 1.0, 0.22, kCollar);
  torso.Rect(0.0, 0.86, 1.0, 1.0, kWaist);
  torso.Rect(0.49, 0.45, 0.51, 0.86, kCollar);            // front zip
  torso.Ellipse(0.5, 0.36, 0.07, 0.06, kGold);            // chest badge
  torso.Ellipse(0.5, 0.36, 0.035, 0.03, kRed);
  torso.Rect(0.0, 0.0, 0.02, 1.0, kWaist);                // back seam (u = 0 and 1 meet there)
  torso.Rect(0.98, 0.0, 1.0, 1.0, kWaist);
  torso.Border(kWaist);

  for (int side = 0; side < 2; ++side) {
    const float s0 = 0.5f + 0.25f * static_cast<float>(side), s1 = s0 + 0.25f;
    const Colour patch = side == 0 ? kGold : kRed;  // left arm gold, right arm red

    Panel upper(canvas, s0, 0.0f, s1, 0.42f);
    upper.Fill(kShirt);
    upper.Grid(8);
    upper.Rect(0.0, 0.22, 1.0, 0.3, patch);
    upper.Border(kWaist);

    Panel fore(canvas, s0, 0.42f, s1, 0.8f);
    fore.Fill(kSkin);
    fore.Rect(0.0, 0.0, 1.0, 0.35, kWaist);                // rolled-up sleeve
    fore.Grid(8);
    fore.Border(kSkin.Scaled(0.7));

    Panel hand(canvas, s0, 0.8f, s1, 1.0f);
    hand.Fill(kSkin);
    for (double u : {0.45, 0.5, 0.55}) hand.Rect(u - 0.01, 0.45, u + 0.01, 1.0, kSkin.Scaled(0.75));  // fingers
    hand.Border(kSkin.Scaled(0.7));
  }
  return canvas;
}

// ---- Head (head.tga) -----------------------------------------------------------------------

Canvas PaintHead() {
  Canvas canvas(128, 128);
  Panel head(canvas, 0.0f, 0.0f, 1.0f, 0.8f);
  head.Fill(kSkin);
  head.Rect(0.0, 0.0, 1.0, 0.34, kHair);                   // top of the head
  head.Rect(0.0, 0.0, 0.26, 0.64, kHair);                  // back of the head (u near 0 and 1)
  head.Rect(0.74, 0.0, 1.0, 0.64, kHair);
  head.Ellipse(0.27, 0.52, 0.025, 0.07, kSkin.Scaled(0.8));  // ears
  head.Ellipse(0.73, 0.52, 0.025, 0.07, kSkin.Scaled(0.8));
  for (double u : {0.445, 0.555}) {
    head.Ellipse(u, 0.45, 0.028, 0.035, kWhite);           // eyes
    head.Ellipse(u, 0.455, 0.012, 0.02, kPupil);
    head.Rect(u - 0.035, 0.39, u + 0.035, 0.405, kHair);  // brows
  }
  head.Rect(0.46, 0.61, 0.54, 0.63, kLips);               // mouth
  head.Grid(16);

  Panel neck(canvas, 0.0f, 0.8f, 0.75f, 1.0f);
  neck.Fill(kSkin);
  neck.Rect(0.0, 0.75, 1.0, 1.0, kSkin.Scaled(0.8));
  neck.Border(kSkin.Scaled(0.7));

  Panel nose(canvas, 0.75f, 0.8f, 1.0f, 1.0f);
  nose.Fill(kSkin.Scaled(0.95));
  nose.Grid(5);
  return canvas;
}

}  // namespace

std::vector<std::uint8_t> MakeLowerPcx() {
  const Canvas canvas = PaintLower();
  testing::PcxImage pcx;
  pcx.width = canvas.Width();
  pcx.height = canvas.Height();
  std::map<Colour, std::uint8_t> palette;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Colour c = canvas.At(x, y);
      auto found = palette.find(c);
      if (found == palette.end()) {
        if (palette.size() == 256) {
          std::fprintf(stderr, "lower texture uses more than 256 colours\n");
          std::exit(1);
        }
        const auto index = static_cast<std::uint8_t>(palette.size());
        found = palette.emplace(c, index).first;
        pcx.palette[index] = {c.r, c.g, c.b};
      }
      pcx.indices.push_back(found->second);
    }
  }
  return testing::WritePcx(pcx);
}

std::vector<std::uint8_t> MakeUpperBmp() {
  const Canvas canvas = PaintUpper();
  testing::BmpImage bmp;
  bmp.width = canvas.Width();
  bmp.height = canvas.Height();
  bmp.bitCount = 24;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Colour c = canvas.At(x, y);
      bmp.data.insert(bmp.data.end(), {c.r, c.g, c.b});
    }
  }
  return testing::WriteBmp(bmp);
}

std::vector<std::uint8_t> MakeHeadTga() {
  const Canvas canvas = PaintHead();
  testing::TgaImage tga;
  tga.width = canvas.Width();
  tga.height = canvas.Height();
  tga.imageType = 10;
  tga.depth = 24;
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const Colour c = canvas.At(x, y);
      tga.pixels.push_back((static_cast<std::uint32_t>(c.r) << 16) | (static_cast<std::uint32_t>(c.g) << 8) | c.b);
    }
  }
  return testing::WriteTga(tga);
}

}  // namespace tessary::demo
