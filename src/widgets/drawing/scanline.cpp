#include "widgets/drawing/scanline_p.h"

#include <algorithm>
#include <cmath>

namespace tavrin::detail {

double CrossingX(DevicePoint a, DevicePoint b, double y) {
  if (a.y > b.y || (a.y == b.y && a.x > b.x)) std::swap(a, b);
  return a.x + (b.x - a.x) * ((y - a.y) / (b.y - a.y));
}

bool Straddles(DevicePoint a, DevicePoint b, double y) {
  return (a.y <= y && y < b.y) || (b.y <= y && y < a.y);
}

int FirstPixelAtOrAfter(double x) {
  // Far-off coordinates are held where no surface reaches, so that the conversion is defined.
  constexpr double kFar = 1 << 30;
  return static_cast<int>(std::clamp(std::ceil(x - 0.5), -kFar, kFar));
}

const std::vector<std::pair<int, int>>& RowSpans::Compute(const DevicePolygon& polygon,
                                                          FillMode mode, double y) {
  crossings_.clear();
  spans_.clear();
  for (const auto& figure : polygon) {
    for (size_t i = 0; i < figure.size(); ++i) {
      DevicePoint a = figure[i], b = figure[(i + 1) % figure.size()];
      if (Straddles(a, b, y)) crossings_.push_back({CrossingX(a, b, y), a.y < b.y ? 1 : -1});
    }
  }
  std::sort(crossings_.begin(), crossings_.end(),
            [](const Crossing& l, const Crossing& r) { return l.x < r.x; });
  int winding = 0;
  for (size_t i = 0; i + 1 < crossings_.size(); ++i) {
    winding += mode == FillModeWinding ? crossings_[i].winding : 1;
    const bool inside = mode == FillModeWinding ? winding != 0 : (winding & 1) != 0;
    if (!inside) continue;
    const int first = FirstPixelAtOrAfter(crossings_[i].x);
    const int last = FirstPixelAtOrAfter(crossings_[i + 1].x);
    if (first >= last) continue;
    if (!spans_.empty() && spans_.back().second >= first)
      spans_.back().second = std::max(spans_.back().second, last);
    else
      spans_.emplace_back(first, last);
  }
  return spans_;
}

}  // namespace tavrin::detail
