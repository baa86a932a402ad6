#include "widgets/fill/round_rect.h"

namespace tavrin {
namespace {

// Builds one outline from the segment table of a rounding type. Arc boxes are d x d; every
// value goes to the path as a 32-bit float, computed in double first.
class OutlineBuilder {
 public:
  OutlineBuilder(TGPGraphicsPath& path, double d) : path_(path), d_(d) {}

  void Line(double x1, double y1, double x2, double y2) {
    path_.AddLine(F(x1), F(y1), F(x2), F(y2));
  }
  void Arc(double x, double y, double startAngle) {
    path_.AddArc(F(x), F(y), F(d_), F(d_), F(startAngle), 90.0f);
  }

 private:
  static float F(double v) { return static_cast<float>(v); }
  TGPGraphicsPath& path_;
  double d_;
};

}  // namespace

void GetPath(double l, double t, double w, double h, double d, double radius,
             TFillRoundingType RoundingType, TGPGraphicsPath& path) {
  const double r = radius;
  const double right = l + w;
  const double bottom = t + h;
  OutlineBuilder o(path, d);
  switch (RoundingType) {
    case rtNone:
      o.Line(l, t, right, t);
      o.Line(right, t, right, bottom);
      o.Line(right, bottom, l, bottom);
      o.Line(l, bottom, l, t);
      break;
    case rtTop:
      o.Arc(l, t, 180);
      o.Line(l + r, t, right - r, t);
      o.Arc(right - d, t, 270);
      o.Line(right, t + r, right, bottom);
      o.Line(right, bottom, l, bottom);
      o.Line(l, bottom, l, t + r);
      break;
    case rtBottom:
      o.Line(l, t, right, t);
      o.Line(right, t, right, bottom - r);
      o.Arc(right - d, bottom - d, 0);
      o.Line(right - r, bottom, l + r, bottom);
      o.Arc(l, bottom - d, 90);
      o.Line(l, bottom - r, l, t);
      break;
    case rtBoth:
      o.Arc(l, t, 180);
      o.Line(l + r, t, right - r, t);
      o.Arc(right - d, t, 270);
      o.Line(right, t + r, right, bottom - r);
      o.Arc(right - d, bottom - d, 0);
      o.Line(right - r, bottom, l + r, bottom);
      o.Arc(l, bottom - d, 90);
      o.Line(l, bottom - r, l, t + r);
      break;
    case rtLeft:
      o.Arc(l, t, 180);
      o.Line(l + r, t, right - r, t);
      o.Line(right, t, right, bottom);
      o.Line(right - r, bottom, l + r, bottom);
      o.Arc(l, bottom - d, 90);
      o.Line(l, bottom - r, l, t + r);
      break;
    case rtRight:
      o.Line(l, t, right - r, t);
      o.Arc(right - d, t, 270);
      o.Line(right, t + r, right, bottom - r);
      o.Arc(right - d, bottom - d, 0);
      o.Line(right - r, bottom, l, bottom);
      o.Line(l, bottom - r, l, t + r);
      break;
  }
}

TGPGraphicsPath CreateRoundRectangle(const TGPRectF& R, int32_t Radius,
                                     TFillRoundingType RoundingType, bool /*Mirror*/) {
  TGPGraphicsPath path(FillModeAlternate);
  GetPath(R.X, R.Y, R.Width, R.Height, 2.0 * Radius, Radius, RoundingType, path);
  path.CloseFigure();
  return path;
}

}  // namespace tavrin
