#pragma once
// Small helpers shared by the fill tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/smooth_picture.h"
#include "widgets/fill/fill.h"

namespace tavrin::testing {

inline std::string DataFile(const std::string& name) {
  return std::string(TAVRIN_TEST_DATA_DIR) + "/" + name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A 4 x 3 opaque blue PNG and a 6 x 5 opaque green PNG.
inline void LoadBlue(TSmoothPicture& picture) {
  picture.LoadFromFile(DataFile("blue-4x3.png"));
}
inline void LoadGreen(TSmoothPicture& picture) {
  picture.LoadFromFile(DataFile("green-6x5.png"));
}

// Every property away from its default (and from every other property's value), both
// pictures loaded.
inline void MakeDistinct(TSmoothFill& f) {
  f.SetColor(clBtnFace);
  f.SetColorTo(2);
  f.SetColorMirror(3);
  f.SetColorMirrorTo(clNone);
  f.SetGradientType(gtHatch);
  f.SetGradientMirrorType(gtAngle);
  f.SetHatchStyle(HatchStyleWave);
  f.SetHatchStyleMirror(HatchStyleDivot);
  f.SetBackGroundPictureMode(pmInsideFill);
  f.SetBackGroundPicturePosition(ppCenterRight);
  f.SetBackGroundPictureLeft(-5);
  f.SetBackGroundPictureTop(6);
  f.SetPicturePosition(ppBottomCenter);
  f.SetPictureLeft(7);
  f.SetPictureTop(8);
  f.SetPictureSize(psCustom);
  f.SetPictureWidth(9);
  f.SetPictureHeight(10);
  f.SetOpacity(11);
  f.SetOpacityTo(12);
  f.SetOpacityMirror(13);
  f.SetOpacityMirrorTo(0);
  f.SetBorderColor(15);
  f.SetBorderOpacity(21);
  f.SetBorderWidth(16);
  f.SetRounding(17);
  f.SetRoundingType(rtRight);
  f.SetShadowColor(18);
  f.SetShadowOffset(19);
  f.SetAngle(-20);
  f.SetGlow(gmRadialGradient);
  f.SetGlowGradientColor(22);
  f.SetGlowRadialColor(23);
  LoadGreen(f.BackGroundPicture());
  LoadBlue(f.Picture());
  f.SetFocus(true);  // neither stored nor copied
  f.SetFocusColor(24);
}

// A fresh folder below the system temporary folder, removed with the object.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrin-fill-XXXXXX").string();
    path_ = mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// The points of a path that lie on the outline: figure starts, line ends and the end point of
// each cubic Bézier piece (every third Bézier point). `curves` counts the Bézier pieces.
inline std::vector<TGPPointF> OnCurvePoints(const std::vector<TGPPointF>& points,
                                            const std::vector<uint8_t>& types,
                                            int* curves = nullptr) {
  std::vector<TGPPointF> out;
  int bezier = 0;
  int pieces = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const uint8_t kind = types[i] & PathPointTypePathTypeMask;
    if (kind == PathPointTypeBezier) {
      if (++bezier % 3 == 0) {
        out.push_back(points[i]);
        ++pieces;
      }
    } else {
      bezier = 0;
      out.push_back(points[i]);
    }
  }
  if (curves) *curves = pieces;
  return out;
}

inline ::testing::AssertionResult NearPoints(const std::vector<TGPPointF>& actual,
                                             const std::vector<TGPPointF>& expected,
                                             float tolerance = 1e-4f) {
  auto text = [](const std::vector<TGPPointF>& ps) {
    std::string s;
    for (const auto& p : ps) s += "(" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ") ";
    return s;
  };
  bool same = actual.size() == expected.size();
  for (std::size_t i = 0; same && i < actual.size(); ++i) {
    same = std::abs(actual[i].X - expected[i].X) <= tolerance &&
           std::abs(actual[i].Y - expected[i].Y) <= tolerance;
  }
  if (same) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "actual   " << text(actual) << "\nexpected " << text(expected);
}

}  // namespace tavrin::testing

namespace tavrin {
inline void PrintTo(const TGPRectF& r, std::ostream* os) {
  *os << "(" << r.X << ", " << r.Y << ", " << r.Width << ", " << r.Height << ")";
}
inline void PrintTo(const TGPPointF& p, std::ostream* os) {
  *os << "(" << p.X << ", " << p.Y << ")";
}
inline void PrintTo(const TRect& r, std::ostream* os) {
  *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}
}  // namespace tavrin
