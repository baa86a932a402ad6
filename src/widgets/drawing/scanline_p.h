#pragma once
// Exact aliased scan conversion: which pixels of a row have their centre inside a polygon.
//
// The original library's aliased rule is the pixel centre; ties on an edge go to the pixel on
// the edge's right or lower side (half-open spans). Edges are evaluated in a canonical point
// order so that two polygons sharing an edge split its pixels without gap or overlap.

#include <utility>
#include <vector>

#include "widgets/drawing/gp_types.h"

namespace tavrin::detail {

struct DevicePoint {
  double x;
  double y;
};

using DevicePolygon = std::vector<std::vector<DevicePoint>>;  // figures, closed implicitly

double CrossingX(DevicePoint a, DevicePoint b, double y);
bool Straddles(DevicePoint a, DevicePoint b, double y);
// First pixel whose centre is at or right of x (centres at i + 0.5).
int FirstPixelAtOrAfter(double x);

class RowSpans {
 public:
  // Pixel ranges [first, last) of device row `y` (a pixel-centre ordinate) inside the polygon.
  const std::vector<std::pair<int, int>>& Compute(const DevicePolygon& polygon, FillMode mode,
                                                  double y);

 private:
  struct Crossing {
    double x;
    int winding;
  };
  std::vector<Crossing> crossings_;
  std::vector<std::pair<int, int>> spans_;
};

}  // namespace tavrin::detail
