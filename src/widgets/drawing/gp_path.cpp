#include "widgets/drawing/gp_path.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "widgets/drawing/gp_path_p.h"

namespace tavrin {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;

// The ellipse parameter for a polar angle seen from the centre; it stays in the same quadrant
// as the angle so that consecutive pieces keep their direction.
double UnstretchAngle(double width, double height, double polar) {
  double t = std::atan2(width * std::sin(polar), height * std::cos(polar));
  return t + 2 * std::numbers::pi * std::round((polar - t) / (2 * std::numbers::pi));
}

TGPPointF EllipsePoint(double cx, double cy, double rx, double ry, double t) {
  return {static_cast<float>(cx + rx * std::cos(t)), static_cast<float>(cy + ry * std::sin(t))};
}

}  // namespace

TGPGraphicsPath::TGPGraphicsPath(FillMode fillMode) { nativePath.fillMode = fillMode; }

TGPGraphicsPath TGPGraphicsPath::Clone() const {
  TGPGraphicsPath copy(nativePath.fillMode);
  copy.nativePath = nativePath;
  return copy;
}

void TGPGraphicsPath::AppendPoint(TGPPointF p, uint8_t type) {
  nativePath.points.push_back(p);
  nativePath.types.push_back(type);
}

void TGPGraphicsPath::ConnectTo(TGPPointF p) {
  if (!nativePath.figureOpen) {
    AppendPoint(p, PathPointTypeStart);
    nativePath.figureOpen = true;
  } else if (!(nativePath.points.back() == p)) {
    AppendPoint(p, PathPointTypeLine);
  }
}

Status TGPGraphicsPath::AddLine(float x1, float y1, float x2, float y2) {
  return AddLine(TGPPointF{x1, y1}, TGPPointF{x2, y2});
}

Status TGPGraphicsPath::AddLine(const TGPPointF& pt1, const TGPPointF& pt2) {
  ConnectTo(pt1);
  AppendPoint(pt2, PathPointTypeLine);
  return Ok;
}

Status TGPGraphicsPath::AddLines(const TGPPointF* points, int32_t count) {
  if (points == nullptr || count <= 0) return SetStatus(InvalidParameter);
  ConnectTo(points[0]);
  for (int32_t i = 1; i < count; ++i) AppendPoint(points[i], PathPointTypeLine);
  return Ok;
}

void TGPGraphicsPath::AppendArcBeziers(float x, float y, float w, float h, float startAngle,
                                       float sweepAngle) {
  const double rx = w / 2.0, ry = h / 2.0, cx = x + rx, cy = y + ry;
  double sweep = std::clamp<double>(sweepAngle, -360.0, 360.0);
  double polar = startAngle;
  double t0 = UnstretchAngle(w, h, polar * kDegree);
  ConnectTo(EllipsePoint(cx, cy, rx, ry, t0));
  while (std::fabs(sweep) > 1e-9) {
    double step = std::clamp(sweep, -90.0, 90.0);
    polar += step;
    sweep -= step;
    double t1 = UnstretchAngle(w, h, polar * kDegree);
    double k = 4.0 / 3.0 * std::tan((t1 - t0) / 4.0);
    auto handle = [&](double t, double sign) {
      return TGPPointF{static_cast<float>(cx + rx * (std::cos(t) - sign * k * std::sin(t))),
                       static_cast<float>(cy + ry * (std::sin(t) + sign * k * std::cos(t)))};
    };
    AppendPoint(handle(t0, 1), PathPointTypeBezier);
    AppendPoint(handle(t1, -1), PathPointTypeBezier);
    AppendPoint(EllipsePoint(cx, cy, rx, ry, t1), PathPointTypeBezier);
    t0 = t1;
  }
}

Status TGPGraphicsPath::AddArc(float x, float y, float width, float height, float startAngle,
                               float sweepAngle) {
  if (!(width > 0) || !(height > 0)) return SetStatus(InvalidParameter);
  if (sweepAngle == 0) return Ok;
  AppendArcBeziers(x, y, width, height, startAngle, sweepAngle);
  if (std::fabs(sweepAngle) >= 360.0f) CloseFigure();
  return Ok;
}

Status TGPGraphicsPath::AddArc(const TGPRectF& rect, float startAngle, float sweepAngle) {
  return AddArc(rect.X, rect.Y, rect.Width, rect.Height, startAngle, sweepAngle);
}

Status TGPGraphicsPath::AddBezier(const TGPPointF& pt1, const TGPPointF& pt2,
                                  const TGPPointF& pt3, const TGPPointF& pt4) {
  ConnectTo(pt1);
  AppendPoint(pt2, PathPointTypeBezier);
  AppendPoint(pt3, PathPointTypeBezier);
  AppendPoint(pt4, PathPointTypeBezier);
  return Ok;
}

Status TGPGraphicsPath::AddEllipse(float x, float y, float width, float height) {
  nativePath.figureOpen = false;
  AppendArcBeziers(x, y, width, height, 0, 360);
  return CloseFigure();
}

Status TGPGraphicsPath::AddEllipse(const TGPRectF& rect) {
  return AddEllipse(rect.X, rect.Y, rect.Width, rect.Height);
}

Status TGPGraphicsPath::AddRectangle(const TGPRectF& rect) {
  if (rect.Width == 0 || rect.Height == 0) return Ok;
  nativePath.figureOpen = false;
  const float r = rect.X + rect.Width, b = rect.Y + rect.Height;
  AppendPoint({rect.X, rect.Y}, PathPointTypeStart);
  AppendPoint({r, rect.Y}, PathPointTypeLine);
  AppendPoint({r, b}, PathPointTypeLine);
  AppendPoint({rect.X, b}, PathPointTypeLine | PathPointTypeCloseSubpath);
  return Ok;
}

Status TGPGraphicsPath::AddPolygon(const TGPPointF* points, int32_t count) {
  if (points == nullptr || count < 3) return SetStatus(InvalidParameter);
  nativePath.figureOpen = false;
  AppendPoint(points[0], PathPointTypeStart);
  for (int32_t i = 1; i < count; ++i) AppendPoint(points[i], PathPointTypeLine);
  nativePath.types.back() |= PathPointTypeCloseSubpath;
  return Ok;
}

Status TGPGraphicsPath::StartFigure() {
  nativePath.figureOpen = false;
  return Ok;
}

Status TGPGraphicsPath::CloseFigure() {
  if (!nativePath.types.empty() && nativePath.figureOpen)
    nativePath.types.back() |= PathPointTypeCloseSubpath;
  nativePath.figureOpen = false;
  return Ok;
}

Status TGPGraphicsPath::Reset() {
  FillMode mode = nativePath.fillMode;
  nativePath = {};
  nativePath.fillMode = mode;
  return Ok;
}

Status TGPGraphicsPath::SetFillMode(FillMode fillMode) {
  nativePath.fillMode = fillMode;
  return Ok;
}

Status TGPGraphicsPath::GetBounds(TGPRectF& bounds) const {
  if (nativePath.points.empty()) {
    bounds = {};
    return Ok;
  }
  float x0 = nativePath.points[0].X, x1 = x0, y0 = nativePath.points[0].Y, y1 = y0;
  for (const TGPPointF& p : nativePath.points) {
    x0 = std::min(x0, p.X);
    x1 = std::max(x1, p.X);
    y0 = std::min(y0, p.Y);
    y1 = std::max(y1, p.Y);
  }
  bounds = {x0, y0, x1 - x0, y1 - y0};
  return Ok;
}

namespace {

void FlattenBezier(const TGPPointF& p0, const TGPPointF& p1, const TGPPointF& p2,
                   const TGPPointF& p3, float tolerance, std::vector<TGPPointF>& out) {
  // Error of n chords is at most (3/4) max|second difference| / n^2.
  double ddx = std::max(std::fabs(p0.X - 2 * p1.X + p2.X), std::fabs(p1.X - 2 * p2.X + p3.X));
  double ddy = std::max(std::fabs(p0.Y - 2 * p1.Y + p2.Y), std::fabs(p1.Y - 2 * p2.Y + p3.Y));
  double dd = std::hypot(ddx, ddy);
  int n = std::clamp(static_cast<int>(std::ceil(std::sqrt(0.75 * dd / tolerance))), 1, 256);
  for (int i = 1; i <= n; ++i) {
    double t = static_cast<double>(i) / n, u = 1 - t;
    double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    out.push_back({static_cast<float>(a * p0.X + b * p1.X + c * p2.X + d * p3.X),
                   static_cast<float>(a * p0.Y + b * p1.Y + c * p2.Y + d * p3.Y)});
  }
}

}  // namespace

std::vector<std::vector<TGPPointF>> TGPGraphicsPath::Flatten(float tolerance) const {
  std::vector<std::vector<TGPPointF>> figures;
  const auto& pts = nativePath.points;
  const auto& types = nativePath.types;
  for (size_t i = 0; i < pts.size(); ++i) {
    uint8_t kind = types[i] & PathPointTypePathTypeMask;
    if (kind == PathPointTypeStart || figures.empty()) {
      figures.push_back({pts[i]});
    } else if (kind == PathPointTypeBezier && i + 2 < pts.size()) {
      FlattenBezier(pts[i - 1], pts[i], pts[i + 1], pts[i + 2], tolerance, figures.back());
      i += 2;
    } else {
      figures.back().push_back(pts[i]);
    }
  }
  return figures;
}

std::vector<bool> TGPGraphicsPath::FigureClosed() const {
  std::vector<bool> closed;
  const auto& types = nativePath.types;
  for (size_t i = 0; i < types.size(); ++i) {
    if ((types[i] & PathPointTypePathTypeMask) == PathPointTypeStart || closed.empty())
      closed.push_back(false);
    if (types[i] & PathPointTypeCloseSubpath) closed.back() = true;
  }
  return closed;
}

// ---- Region -----------------------------------------------------------------------------

TGPRegion::TGPRegion() = default;

TGPRegion::TGPRegion(const TGPRectF& rect) : nativeRegion(detail::RectanglePath(rect)) {}

TGPRegion::TGPRegion(const TGPRect& rect)
    : TGPRegion(TGPRectF{static_cast<float>(rect.X), static_cast<float>(rect.Y),
                         static_cast<float>(rect.Width), static_cast<float>(rect.Height)}) {}

TGPRegion::TGPRegion(const TGPGraphicsPath& path) : nativeRegion(path.Native()) {}

// ---- Internal helpers -------------------------------------------------------------------

namespace detail {

PathData RectanglePath(const TGPRectF& rect) {
  PathData d;
  const float r = rect.X + rect.Width, b = rect.Y + rect.Height;
  d.points = {{rect.X, rect.Y}, {r, rect.Y}, {r, b}, {rect.X, b}};
  d.types = {PathPointTypeStart, PathPointTypeLine, PathPointTypeLine,
             PathPointTypeLine | PathPointTypeCloseSubpath};
  return d;
}

cairo_fill_rule_t FillRule(FillMode mode) {
  return mode == FillModeWinding ? CAIRO_FILL_RULE_WINDING : CAIRO_FILL_RULE_EVEN_ODD;
}

void AppendToCairo(cairo_t* cr, const PathData& path) {
  const auto& pts = path.points;
  const auto& types = path.types;
  for (size_t i = 0; i < pts.size(); ++i) {
    uint8_t kind = types[i] & PathPointTypePathTypeMask;
    if (kind == PathPointTypeStart) {
      cairo_new_sub_path(cr);
      cairo_move_to(cr, pts[i].X, pts[i].Y);
    } else if (kind == PathPointTypeBezier && i + 2 < pts.size()) {
      cairo_curve_to(cr, pts[i].X, pts[i].Y, pts[i + 1].X, pts[i + 1].Y, pts[i + 2].X,
                     pts[i + 2].Y);
      i += 2;
    } else {
      cairo_line_to(cr, pts[i].X, pts[i].Y);
    }
    if (types[i] & PathPointTypeCloseSubpath) cairo_close_path(cr);
  }
}

}  // namespace detail
}  // namespace tavrin
