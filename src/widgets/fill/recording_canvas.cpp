#include "widgets/fill/recording_canvas.h"

namespace tavrin {

std::string ToString(CanvasCall::Op op) {
  using Op = CanvasCall::Op;
  switch (op) {
    case Op::SetSmoothingMode:
      return "SetSmoothingMode";
    case Op::SetClip:
      return "SetClip";
    case Op::ResetClip:
      return "ResetClip";
    case Op::FillPath:
      return "FillPath";
    case Op::FillRectangle:
      return "FillRectangle";
    case Op::FillPolygon:
      return "FillPolygon";
    case Op::FillEllipse:
      return "FillEllipse";
    case Op::DrawPath:
      return "DrawPath";
    case Op::DrawRectangle:
      return "DrawRectangle";
    case Op::DrawLine:
      return "DrawLine";
    case Op::DrawPicture:
      return "DrawPicture";
    case Op::TilePath:
      return "TilePath";
    case Op::TileRect:
      return "TileRect";
  }
  return "?";
}

RecordedBrush Record(const TGPBrush& brush) {
  RecordedBrush r;
  r.type = brush.GetType();
  switch (r.type) {
    case BrushTypeSolidColor:
      r.color = static_cast<const TGPSolidBrush&>(brush).GetColor();
      break;
    case BrushTypeHatchFill: {
      const auto& b = static_cast<const TGPHatchBrush&>(brush);
      r.hatch = b.GetHatchStyle();
      r.fore = b.GetForegroundColor();
      r.back = b.GetBackgroundColor();
      break;
    }
    case BrushTypeLinearGradient: {
      const auto& b = static_cast<const TGPLinearGradientBrush&>(brush);
      b.GetRectangle(r.rect);
      b.GetLinearColors(r.colors);
      r.angle = b.GetAngle();
      r.scalable = b.IsAngleScalable();
      r.gamma = b.GetGammaCorrection();
      r.wrap = b.GetWrapMode();
      r.presetColors = b.GetInterpolationColors();
      r.presetPositions = b.GetInterpolationPositions();
      break;
    }
    case BrushTypePathGradient: {
      const auto& b = static_cast<const TGPPathGradientBrush&>(brush);
      r.pathPoints = b.GetPath().GetPathPoints();
      r.pathTypes = b.GetPath().GetPathTypes();
      b.GetCenterPoint(r.center);
      b.GetCenterColor(r.centerColor);
      r.surround = b.GetSurroundColors();
      r.wrap = b.GetWrapMode();
      r.gamma = b.GetGammaCorrection();
      r.presetColors = b.GetInterpolationColors();
      r.presetPositions = b.GetInterpolationPositions();
      break;
    }
    case BrushTypeTextureFill:
      r.wrap = static_cast<const TGPTextureBrush&>(brush).GetWrapMode();
      break;
  }
  return r;
}

RecordedPen Record(const TGPPen& pen) {
  return {pen.GetColor(), pen.GetWidth(), pen.GetDashStyle()};
}

std::vector<CanvasCall> RecordingCanvas::Calls(CanvasCall::Op op) const {
  std::vector<CanvasCall> found;
  for (const CanvasCall& call : calls_) {
    if (call.op == op) found.push_back(call);
  }
  return found;
}

std::string RecordingCanvas::Ops() const {
  std::string text;
  for (const CanvasCall& call : calls_) {
    if (!text.empty()) text += ' ';
    text += ToString(call.op);
  }
  return text;
}

CanvasCall& RecordingCanvas::Add(CanvasCall::Op op) {
  CanvasCall& call = calls_.emplace_back();
  call.op = op;
  call.smoothing = smoothing_;
  call.clipped = clipped_;
  return call;
}

void RecordingCanvas::SetSmoothingMode(int32_t mode) {
  smoothing_ = mode;
  Add(CanvasCall::Op::SetSmoothingMode);
}

void RecordingCanvas::SetClip(const TGPRegion& region) {
  CanvasCall& call = Add(CanvasCall::Op::SetClip);
  if (region.Native()) {
    call.points = region.Native()->points;
    call.types = region.Native()->types;
  }
  clipped_ = !region.IsInfinite();
}

void RecordingCanvas::ResetClip() {
  Add(CanvasCall::Op::ResetClip);
  clipped_ = false;
}

void RecordingCanvas::FillPath(const TGPBrush& brush, const TGPGraphicsPath& path) {
  CanvasCall& call = Add(CanvasCall::Op::FillPath);
  call.brush = Record(brush);
  call.points = path.GetPathPoints();
  call.types = path.GetPathTypes();
}

void RecordingCanvas::FillRectangle(const TGPBrush& brush, const TGPRectF& rect) {
  CanvasCall& call = Add(CanvasCall::Op::FillRectangle);
  call.brush = Record(brush);
  call.rect = rect;
}

void RecordingCanvas::FillPolygon(const TGPBrush& brush, const TGPPointF* points, int32_t count) {
  CanvasCall& call = Add(CanvasCall::Op::FillPolygon);
  call.brush = Record(brush);
  call.points.assign(points, points + count);
}

void RecordingCanvas::FillEllipse(const TGPBrush& brush, const TGPRectF& rect) {
  CanvasCall& call = Add(CanvasCall::Op::FillEllipse);
  call.brush = Record(brush);
  call.rect = rect;
}

void RecordingCanvas::DrawPath(const TGPPen& pen, const TGPGraphicsPath& path) {
  CanvasCall& call = Add(CanvasCall::Op::DrawPath);
  call.pen = Record(pen);
  call.points = path.GetPathPoints();
  call.types = path.GetPathTypes();
}

void RecordingCanvas::DrawRectangle(const TGPPen& pen, const TGPRectF& rect) {
  CanvasCall& call = Add(CanvasCall::Op::DrawRectangle);
  call.pen = Record(pen);
  call.rect = rect;
}

void RecordingCanvas::DrawLine(const TGPPen& pen, const TGPPointF& from, const TGPPointF& to) {
  CanvasCall& call = Add(CanvasCall::Op::DrawLine);
  call.pen = Record(pen);
  call.points = {from, to};
}

void RecordingCanvas::DrawPicture(TSmoothPicture& picture, const TRect& target) {
  CanvasCall& call = Add(CanvasCall::Op::DrawPicture);
  call.picture = &picture;
  call.target = target;
}

void RecordingCanvas::TilePicture(TSmoothPicture& picture, const TGPGraphicsPath& path) {
  CanvasCall& call = Add(CanvasCall::Op::TilePath);
  call.picture = &picture;
  call.points = path.GetPathPoints();
  call.types = path.GetPathTypes();
}

void RecordingCanvas::TilePicture(TSmoothPicture& picture, const TGPRectF& rect) {
  CanvasCall& call = Add(CanvasCall::Op::TileRect);
  call.picture = &picture;
  call.rect = rect;
}

}  // namespace tavrin
