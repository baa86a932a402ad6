#pragma once
// RecordingCanvas: a FillCanvas that draws nothing and keeps a copy of every call, with the
// parameters of its brush, pen, path or rectangle, so tests can check the exact figures a
// renderer hands to the drawing layer. Each call also notes the smoothing mode in force and
// whether a clip was set.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "widgets/fill/fill_canvas.h"

namespace tavrin {

struct RecordedBrush {
  BrushType type = BrushTypeSolidColor;
  ARGB color = 0;  // solid
  // Linear gradient.
  TGPRectF rect{};
  ARGB colors[2] = {0, 0};
  float angle = 0;
  bool scalable = false;
  bool gamma = false;
  // Hatch.
  HatchStyle hatch = HatchStyleHorizontal;
  ARGB fore = 0;
  ARGB back = 0;
  // Path gradient.
  std::vector<TGPPointF> pathPoints;
  std::vector<uint8_t> pathTypes;
  TGPPointF center{};
  ARGB centerColor = 0;
  std::vector<ARGB> surround;
  WrapMode wrap = WrapModeTile;
  // Preset blend of either gradient.
  std::vector<ARGB> presetColors;
  std::vector<float> presetPositions;
};

struct RecordedPen {
  ARGB color = 0;
  float width = 0;
  DashStyle dash = DashStyleSolid;
};

struct CanvasCall {
  enum class Op {
    SetSmoothingMode,
    SetClip,
    ResetClip,
    FillPath,
    FillRectangle,
    FillPolygon,
    FillEllipse,
    DrawPath,
    DrawRectangle,
    DrawLine,
    DrawPicture,
    TilePath,
    TileRect,
  };
  Op op = Op::FillPath;
  int32_t smoothing = 0;  // in force for the call; the new mode for SetSmoothingMode
  bool clipped = false;   // a clip was in force
  std::optional<RecordedBrush> brush;
  std::optional<RecordedPen> pen;
  // Path, clip outline, polygon or line end points, with the path's point types.
  std::vector<TGPPointF> points;
  std::vector<uint8_t> types;
  TGPRectF rect{};  // rectangle or ellipse box
  TRect target{};   // picture target
  const TSmoothPicture* picture = nullptr;
};

std::string ToString(CanvasCall::Op op);

class RecordingCanvas final : public FillCanvas {
 public:
  explicit RecordingCanvas(int32_t smoothing = SmoothingModeAntiAlias) : smoothing_(smoothing) {}

  const std::vector<CanvasCall>& Calls() const { return calls_; }
  // The calls of one kind, in order.
  std::vector<CanvasCall> Calls(CanvasCall::Op op) const;
  // The kinds of all calls, in order, as text ("FillPath DrawPath ...").
  std::string Ops() const;
  bool Clipped() const { return clipped_; }

  int32_t GetSmoothingMode() const override { return smoothing_; }
  void SetSmoothingMode(int32_t mode) override;
  void SetClip(const TGPRegion& region) override;
  void ResetClip() override;
  void FillPath(const TGPBrush& brush, const TGPGraphicsPath& path) override;
  void FillRectangle(const TGPBrush& brush, const TGPRectF& rect) override;
  void FillPolygon(const TGPBrush& brush, const TGPPointF* points, int32_t count) override;
  void FillEllipse(const TGPBrush& brush, const TGPRectF& rect) override;
  void DrawPath(const TGPPen& pen, const TGPGraphicsPath& path) override;
  void DrawRectangle(const TGPPen& pen, const TGPRectF& rect) override;
  void DrawLine(const TGPPen& pen, const TGPPointF& from, const TGPPointF& to) override;
  void DrawPicture(TSmoothPicture& picture, const TRect& target) override;
  void TilePicture(TSmoothPicture& picture, const TGPGraphicsPath& path) override;
  void TilePicture(TSmoothPicture& picture, const TGPRectF& rect) override;

 private:
  CanvasCall& Add(CanvasCall::Op op);

  int32_t smoothing_;
  bool clipped_ = false;
  std::vector<CanvasCall> calls_;
};

// Copies of a brush's and a pen's parameters.
RecordedBrush Record(const TGPBrush& brush);
RecordedPen Record(const TGPPen& pen);

}  // namespace tavrin
