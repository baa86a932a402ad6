#pragma once
// Paths and regions.
//
// A path stores what the library stores: a list of points with a type byte each (start, line,
// Bézier, close flag), so tests can check the exact geometry a widget built. Arcs and ellipses
// become cubic Bézier pieces of at most 90 degrees.

#include <cstdint>
#include <optional>
#include <vector>

#include "widgets/drawing/gp_base.h"
#include "widgets/drawing/gp_types.h"

namespace tavrin {

namespace detail {
struct PathData {
  std::vector<TGPPointF> points;
  std::vector<uint8_t> types;
  FillMode fillMode = FillModeAlternate;
  bool figureOpen = false;  // the next element continues the last figure
};
}  // namespace detail

class TGPGraphicsPath : public TGdiplusBase {
 public:
  explicit TGPGraphicsPath(FillMode fillMode = FillModeAlternate);
  TGPGraphicsPath(TGPGraphicsPath&&) noexcept = default;
  TGPGraphicsPath& operator=(TGPGraphicsPath&&) noexcept = default;
  // An independent copy with the same figures and fill mode.
  TGPGraphicsPath Clone() const;

  // A segment; a gap to the end of the open figure is joined by a straight segment, and a start
  // point equal to that end is not stored twice.
  Status AddLine(float x1, float y1, float x2, float y2);
  Status AddLine(const TGPPointF& pt1, const TGPPointF& pt2);
  Status AddLines(const TGPPointF* points, int32_t count);
  // Elliptic arc of the ellipse in the box; angles in degrees clockwise from the x axis. A zero
  // or negative width or height adds nothing and gives InvalidParameter; a zero sweep adds
  // nothing and gives Ok.
  Status AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
  Status AddArc(const TGPRectF& rect, float startAngle, float sweepAngle);
  Status AddBezier(const TGPPointF& pt1, const TGPPointF& pt2, const TGPPointF& pt3,
                   const TGPPointF& pt4);
  // Closed figures of their own.
  Status AddEllipse(float x, float y, float width, float height);
  Status AddEllipse(const TGPRectF& rect);
  Status AddRectangle(const TGPRectF& rect);
  Status AddPolygon(const TGPPointF* points, int32_t count);

  Status StartFigure();
  Status CloseFigure();
  Status Reset();

  FillMode GetFillMode() const { return nativePath.fillMode; }
  Status SetFillMode(FillMode fillMode);

  // Recorded geometry, as stored.
  int32_t GetPointCount() const { return static_cast<int32_t>(nativePath.points.size()); }
  const std::vector<TGPPointF>& GetPathPoints() const { return nativePath.points; }
  const std::vector<uint8_t>& GetPathTypes() const { return nativePath.types; }
  // Bounds of the stored points (control points included).
  Status GetBounds(TGPRectF& bounds) const;

  // Every figure flattened to a polygon: one list of points per figure, Bézier pieces replaced
  // by segments no further than `tolerance` pixels from the curve.
  std::vector<std::vector<TGPPointF>> Flatten(float tolerance = 0.25f) const;
  // Whether each figure of Flatten() ends closed.
  std::vector<bool> FigureClosed() const;

  const detail::PathData& Native() const { return nativePath; }

 private:
  void AppendPoint(TGPPointF p, uint8_t type);
  // Adds the first point of a connected element: a line from the open figure or a new start.
  void ConnectTo(TGPPointF p);
  void AppendArcBeziers(float x, float y, float w, float h, float startAngle, float sweepAngle);

  detail::PathData nativePath;
};

// An area for clipping: infinite, a rectangle or a path's interior.
class TGPRegion : public TGdiplusBase {
 public:
  TGPRegion();  // infinite
  explicit TGPRegion(const TGPRectF& rect);
  explicit TGPRegion(const TGPRect& rect);
  explicit TGPRegion(const TGPGraphicsPath& path);
  TGPRegion(TGPRegion&&) noexcept = default;
  TGPRegion& operator=(TGPRegion&&) noexcept = default;

  bool IsInfinite() const { return !nativeRegion.has_value(); }
  // The region's outline as a path data copy; absent for the infinite region.
  const std::optional<detail::PathData>& Native() const { return nativeRegion; }

 private:
  std::optional<detail::PathData> nativeRegion;
};

}  // namespace tavrin
