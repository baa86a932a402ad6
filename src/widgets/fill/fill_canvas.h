#pragma once
// FillCanvas: the drawing operations the fill renderer uses, as one small interface.
//
// The renderer draws through this seam rather than on TGPGraphics directly so that tests can
// record the exact geometry, brushes and pens it hands to the drawing layer (RecordingCanvas)
// as well as render real pixels (GraphicsCanvas). Widgets never see it: they call Fill() with
// their TGPGraphics.

#include <cstdint>

#include "widgets/drawing/gp_brush.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_path.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/smooth_picture.h"

namespace tavrin {

class FillCanvas {
 public:
  virtual ~FillCanvas() = default;

  virtual int32_t GetSmoothingMode() const = 0;
  virtual void SetSmoothingMode(int32_t mode) = 0;
  // Replaces the clip with the region (CombineModeReplace).
  virtual void SetClip(const TGPRegion& region) = 0;
  virtual void ResetClip() = 0;

  virtual void FillPath(const TGPBrush& brush, const TGPGraphicsPath& path) = 0;
  virtual void FillRectangle(const TGPBrush& brush, const TGPRectF& rect) = 0;
  virtual void FillPolygon(const TGPBrush& brush, const TGPPointF* points, int32_t count) = 0;
  virtual void FillEllipse(const TGPBrush& brush, const TGPRectF& rect) = 0;
  virtual void DrawPath(const TGPPen& pen, const TGPGraphicsPath& path) = 0;
  virtual void DrawRectangle(const TGPPen& pen, const TGPRectF& rect) = 0;
  virtual void DrawLine(const TGPPen& pen, const TGPPointF& from, const TGPPointF& to) = 0;

  // The picture placed into the target (TSmoothPicture::DrawOn).
  virtual void DrawPicture(TSmoothPicture& picture, const TRect& target) = 0;
  // The picture tiled from the surface origin over the path or rectangle.
  virtual void TilePicture(TSmoothPicture& picture, const TGPGraphicsPath& path) = 0;
  virtual void TilePicture(TSmoothPicture& picture, const TGPRectF& rect) = 0;
};

// The canvas of a real drawing surface.
class GraphicsCanvas final : public FillCanvas {
 public:
  explicit GraphicsCanvas(TGPGraphics& graphics) : graphics_(graphics) {}

  int32_t GetSmoothingMode() const override { return graphics_.GetSmoothingMode(); }
  void SetSmoothingMode(int32_t mode) override { graphics_.SetSmoothingMode(mode); }
  void SetClip(const TGPRegion& region) override { graphics_.SetClip(region, CombineModeReplace); }
  void ResetClip() override { graphics_.ResetClip(); }

  void FillPath(const TGPBrush& brush, const TGPGraphicsPath& path) override {
    graphics_.FillPath(brush, path);
  }
  void FillRectangle(const TGPBrush& brush, const TGPRectF& rect) override {
    graphics_.FillRectangle(brush, rect);
  }
  void FillPolygon(const TGPBrush& brush, const TGPPointF* points, int32_t count) override {
    graphics_.FillPolygon(brush, points, count);
  }
  void FillEllipse(const TGPBrush& brush, const TGPRectF& rect) override {
    graphics_.FillEllipse(brush, rect.X, rect.Y, rect.Width, rect.Height);
  }
  void DrawPath(const TGPPen& pen, const TGPGraphicsPath& path) override {
    graphics_.DrawPath(pen, path);
  }
  void DrawRectangle(const TGPPen& pen, const TGPRectF& rect) override {
    graphics_.DrawRectangle(pen, rect);
  }
  void DrawLine(const TGPPen& pen, const TGPPointF& from, const TGPPointF& to) override {
    graphics_.DrawLine(pen, from, to);
  }

  void DrawPicture(TSmoothPicture& picture, const TRect& target) override {
    picture.DrawOn(graphics_, target);
  }
  void TilePicture(TSmoothPicture& picture, const TGPGraphicsPath& path) override {
    picture.FillPath(graphics_, path);
  }
  void TilePicture(TSmoothPicture& picture, const TGPRectF& rect) override {
    picture.FillRect(graphics_, rect);
  }

  TGPGraphics& Graphics() const { return graphics_; }

 private:
  TGPGraphics& graphics_;
};

}  // namespace tavrin
