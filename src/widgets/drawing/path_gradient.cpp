#include "widgets/drawing/path_gradient_p.h"

#include "widgets/drawing/scanline_p.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tavrin::detail {
namespace {

constexpr int kTableSize = 1024;

using Vec = DevicePoint;

Vec ToDevice(const cairo_matrix_t& m, TGPPointF p) {
  double x = p.X, y = p.Y;
  cairo_matrix_transform_point(&m, &x, &y);
  return {x, y};
}

double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
Vec Sub(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }

struct Rgba {
  double a, r, g, b;  // premultiplied, 0..1
};

Rgba Premultiplied(ARGB c) {
  double a = ((c >> 24) & 0xFF) / 255.0;
  return {a, a * ((c >> 16) & 0xFF) / 255.0, a * ((c >> 8) & 0xFF) / 255.0,
          a * (c & 0xFF) / 255.0};
}

Rgba Lerp(const Rgba& p, const Rgba& q, double t) {
  return {p.a + (q.a - p.a) * t, p.r + (q.r - p.r) * t, p.g + (q.g - p.g) * t,
          p.b + (q.b - p.b) * t};
}

// Blend in linear light (gamma 2.2) on the straight colour; alpha blends linearly.
Rgba LerpGamma(ARGB p, ARGB q, double t) {
  auto channel = [&](int shift) {
    double a = std::pow(((p >> shift) & 0xFF) / 255.0, 2.2);
    double b = std::pow(((q >> shift) & 0xFF) / 255.0, 2.2);
    return std::pow(a + (b - a) * t, 1 / 2.2);
  };
  double alpha = ((p >> 24) & 0xFF) / 255.0;
  alpha += (((q >> 24) & 0xFF) / 255.0 - alpha) * t;
  return {alpha, alpha * channel(16), alpha * channel(8), alpha * channel(0)};
}

uint32_t Pack(const Rgba& c) {
  auto byte = [](double v) { return static_cast<uint32_t>(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
  return (byte(c.a) << 24) | (byte(c.r) << 16) | (byte(c.g) << 8) | byte(c.b);
}

Rgba Blend(ARGB from, ARGB to, double t, bool gamma) {
  return gamma ? LerpGamma(from, to, t) : Lerp(Premultiplied(from), Premultiplied(to), t);
}

// Colour at blend position s (0 boundary, 1 centre) for a brush with one boundary colour or a
// preset blend.
Rgba ColorAt(const TGPPathGradientBrush& brush, double s) {
  const auto& colors = brush.GetInterpolationColors();
  const auto& positions = brush.GetInterpolationPositions();
  if (!colors.empty()) {
    size_t i = 1;
    while (i + 1 < positions.size() && s > positions[i]) ++i;
    double span = positions[i] - positions[i - 1];
    double t = span > 0 ? (s - positions[i - 1]) / span : 1.0;
    return Blend(colors[i - 1], colors[i], std::clamp(t, 0.0, 1.0), brush.GetGammaCorrection());
  }
  ARGB center = 0;
  brush.GetCenterColor(center);
  return Blend(brush.GetSurroundColors().front(), center, s, brush.GetGammaCorrection());
}

std::array<uint32_t, kTableSize> ColorTable(const TGPPathGradientBrush& brush) {
  std::array<uint32_t, kTableSize> table{};
  for (int i = 0; i < kTableSize; ++i)
    table[static_cast<size_t>(i)] = Pack(ColorAt(brush, i / double(kTableSize - 1)));
  return table;
}

// A boundary vertex in device space with its surround colour.
struct Vertex {
  Vec p;
  ARGB color;
};

ARGB SurroundColor(const std::vector<ARGB>& colors, size_t index) {
  return colors[std::min(index, colors.size() - 1)];
}

ARGB MixStraight(ARGB p, ARGB q, double t) {
  ARGB out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    double a = (p >> shift) & 0xFF, b = (q >> shift) & 0xFF;
    out |= static_cast<ARGB>(std::lround(a + (b - a) * t)) << shift;
  }
  return out;
}

// Flattens every figure, carrying the surround colour of each stored point onto the points
// that replace a curve.
std::vector<std::vector<Vertex>> Outline(const TGPPathGradientBrush& brush,
                                         const cairo_matrix_t& m) {
  const auto& path = brush.GetPath().Native();
  const auto& colors = brush.GetSurroundColors();
  std::vector<std::vector<Vertex>> figures;
  for (size_t i = 0; i < path.points.size(); ++i) {
    uint8_t kind = path.types[i] & PathPointTypePathTypeMask;
    Vec p = ToDevice(m, path.points[i]);
    if (kind == PathPointTypeStart || figures.empty()) {
      figures.push_back({{p, SurroundColor(colors, i)}});
    } else if (kind == PathPointTypeBezier && i + 2 < path.points.size()) {
      Vec p0 = figures.back().back().p, p1 = p, p2 = ToDevice(m, path.points[i + 1]),
          p3 = ToDevice(m, path.points[i + 2]);
      ARGB c0 = figures.back().back().color, c3 = SurroundColor(colors, i + 2);
      double dd = std::max(std::hypot(p0.x - 2 * p1.x + p2.x, p0.y - 2 * p1.y + p2.y),
                           std::hypot(p1.x - 2 * p2.x + p3.x, p1.y - 2 * p2.y + p3.y));
      int n = std::clamp(static_cast<int>(std::ceil(std::sqrt(0.75 * dd / 0.2))), 1, 256);
      for (int k = 1; k <= n; ++k) {
        double t = double(k) / n, u = 1 - t;
        double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
        figures.back().push_back({{a * p0.x + b * p1.x + c * p2.x + d * p3.x,
                                   a * p0.y + b * p1.y + c * p2.y + d * p3.y},
                                  MixStraight(c0, c3, t)});
      }
      i += 2;
    } else {
      figures.back().push_back({p, SurroundColor(colors, i)});
    }
  }
  return figures;
}

struct Triangle {
  Vec c, a, b;
  ARGB colorA, colorB;
  double ymin, ymax;
  // u = u0 + ux * x + uy * y; w = u * v (v runs from a to b along the edge).
  double u0, ux, uy;
  double w0, wx, wy;
};

bool MakeTriangle(Vec c, const Vertex& va, const Vertex& vb, Triangle& t) {
  Vec ac = Sub(va.p, c), ba = Sub(vb.p, va.p);
  double det = Cross(ac, ba);
  if (std::fabs(det) < 1e-12) return false;
  t = {c, va.p, vb.p, va.color, vb.color, std::min({c.y, va.p.y, vb.p.y}),
       std::max({c.y, va.p.y, vb.p.y}), 0, 0, 0, 0, 0, 0};
  // p - c = u * ac + (u v) * ba  =>  u = cross(p - c, ba) / det, u v = cross(ac, p - c) / det.
  t.ux = ba.y / det;
  t.uy = -ba.x / det;
  t.u0 = -(c.x * t.ux + c.y * t.uy);
  t.wx = -ac.y / det;
  t.wy = ac.x / det;
  t.w0 = -(c.x * t.wx + c.y * t.wy);
  return true;
}

std::vector<Triangle> Fan(const TGPPathGradientBrush& brush, const cairo_matrix_t& m,
                          const std::vector<std::vector<Vertex>>& outline) {
  TGPPointF center;
  brush.GetCenterPoint(center);
  Vec c = ToDevice(m, center);
  std::vector<Triangle> fan;
  for (const auto& figure : outline) {
    for (size_t i = 0; i < figure.size(); ++i) {
      Triangle t;
      if (MakeTriangle(c, figure[i], figure[(i + 1) % figure.size()], t)) fan.push_back(t);
    }
  }
  return fan;
}

// The pixel-centre span [first, last) of a triangle on scanline y.
bool Span(const Triangle& t, double y, int& first, int& last) {
  if (y < t.ymin || y >= t.ymax) return false;
  double xs[3];
  int n = 0;
  const Vec pts[3] = {t.c, t.a, t.b};
  for (int e = 0; e < 3; ++e) {
    Vec p = pts[e], q = pts[(e + 1) % 3];
    if (Straddles(p, q, y)) xs[n++] = CrossingX(p, q, y);
  }
  if (n < 2) return false;
  double x0 = std::min(xs[0], xs[1]), x1 = std::max(xs[0], xs[1]);
  // Pixel i is inside when x0 <= i + 0.5 < x1.
  first = FirstPixelAtOrAfter(x0);
  last = FirstPixelAtOrAfter(x1);
  return first < last;
}

// Writes a span whose ray parameter starts at u and grows by du per pixel. Inside a triangle
// the table index is linear in x, so it is walked in 16.16 fixed point.
void FillSpan(const std::array<uint32_t, kTableSize>& table, uint32_t* out, int count, double u,
              double du) {
  constexpr double kScale = (kTableSize - 1) * 65536.0;
  const double start = (1.0 - u) * kScale + 32768.0;
  const double end = (1.0 - (u + du * (count - 1))) * kScale + 32768.0;
  const double limit = (kTableSize - 1) * 65536.0 + 32768.0;
  if (start >= 0 && start < limit && end >= 0 && end < limit) {
    // The step is truncated toward zero, so every index lies between the two checked ends.
    int64_t index = static_cast<int64_t>(start);
    const int64_t step = static_cast<int64_t>(-du * kScale);
    for (int i = 0; i < count; ++i, index += step) out[i] = table[static_cast<size_t>(index >> 16)];
    return;
  }
  for (int i = 0; i < count; ++i, u += du) {
    double s = std::clamp(1.0 - u, 0.0, 1.0);
    out[i] = table[static_cast<size_t>(s * (kTableSize - 1) + 0.5)];
  }
}

bool SingleColor(const TGPPathGradientBrush& brush) {
  return brush.GetInterpolationColorCount() > 0 || brush.GetSurroundColorCount() == 1;
}

}  // namespace

DeviceBox PathGradientBounds(const TGPPathGradientBrush& brush, const cairo_matrix_t& toDevice) {
  const auto& points = brush.GetPath().GetPathPoints();
  if (points.empty()) return {};
  double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
  for (const TGPPointF& p : points) {
    Vec d = ToDevice(toDevice, p);
    x0 = std::min(x0, d.x);
    y0 = std::min(y0, d.y);
    x1 = std::max(x1, d.x);
    y1 = std::max(y1, d.y);
  }
  auto lo = [](double v) { return static_cast<int>(std::clamp(std::floor(v), -1e8, 1e8)); };
  auto hi = [](double v) { return static_cast<int>(std::clamp(std::ceil(v), -1e8, 1e8)); };
  return {lo(x0), lo(y0), hi(x1) - lo(x0), hi(y1) - lo(y0)};
}

native::Surface RenderPathGradient(const TGPPathGradientBrush& brush,
                                   const cairo_matrix_t& toDevice, const DeviceBox& box) {
  if (box.width <= 0 || box.height <= 0) return nullptr;
  native::Surface image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, box.width, box.height));
  if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(image.get());
  auto* pixels = cairo_image_surface_get_data(image.get());
  const int stride = cairo_image_surface_get_stride(image.get());

  const auto outline = Outline(brush, toDevice);
  const std::vector<Triangle> fan = Fan(brush, toDevice, outline);
  const FillMode fillMode = brush.GetPath().GetFillMode();
  const bool single = SingleColor(brush);
  const auto table = ColorTable(brush);
  ARGB center = 0;
  brush.GetCenterColor(center);
  const bool gamma = brush.GetGammaCorrection();
  DevicePolygon polygon;
  for (const auto& figure : outline) {
    polygon.emplace_back();
    for (const Vertex& v : figure) polygon.back().push_back(v.p);
  }
  RowSpans rowSpans;

  for (int row = 0; row < box.height; ++row) {
    auto* line = reinterpret_cast<uint32_t*>(pixels + static_cast<ptrdiff_t>(row) * stride);
    const double y = box.y + row + 0.5;
    const auto& interior = rowSpans.Compute(polygon, fillMode, y);
    for (const Triangle& t : fan) {
      int spanFirst, spanLast;
      if (!Span(t, y, spanFirst, spanLast)) continue;
      for (auto [inFirst, inLast] : interior) {
        const int first = std::max({spanFirst, inFirst, box.x});
        const int last = std::min({spanLast, inLast, box.x + box.width});
        if (first >= last) continue;
        const double x = first + 0.5;
        double u = t.u0 + t.ux * x + t.uy * y;
        if (single) {
          FillSpan(table, line + (first - box.x), last - first, u, t.ux);
          continue;
        }
        double w = t.w0 + t.wx * x + t.wy * y;
        for (int i = first; i < last; ++i, u += t.ux, w += t.wx) {
          double v = u > 1e-9 ? std::clamp(w / u, 0.0, 1.0) : 0.0;
          ARGB edge = MixStraight(t.colorA, t.colorB, v);
          line[i - box.x] = Pack(Blend(edge, center, std::clamp(1.0 - u, 0.0, 1.0), gamma));
        }
      }
    }
  }
  cairo_surface_mark_dirty(image.get());
  return image;
}

}  // namespace tavrin::detail
