#pragma once
// Decoded images, bitmaps and image attributes.
//
// Pixels live in a Cairo ARGB32 image surface (premultiplied); GetPixel returns straight ARGB.
// Decoding uses gdk-pixbuf; the container format comes from the data's signature.

#include <cstdint>
#include <optional>
#include <span>

#include "widgets/drawing/gp_base.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/native.h"

namespace tavrin {

class TGPImage : public TGdiplusBase {
 public:
  // Decodes the bytes of an image file. Undecodable data records UnknownImageFormat and gives
  // an image of size 0 that draws nothing.
  explicit TGPImage(std::span<const uint8_t> stream, bool useEmbeddedColorManagement = false);
  TGPImage(TGPImage&&) noexcept = default;
  TGPImage& operator=(TGPImage&&) noexcept = default;

  uint32_t GetWidth() const;
  uint32_t GetHeight() const;
  TGPImageFormat GetFormat() const { return format_; }
  PixelFormat GetPixelFormat() const { return pixelFormat_; }
  int32_t GetPixelDepth() const;
  bool HasAlphaChannel() const;
  bool HasPalette() const;

  // The pixels, or null when nothing was decoded.
  cairo_surface_t* NativeSurface() const { return nativeImage.get(); }

 protected:
  TGPImage() = default;
  native::Surface nativeImage;
  TGPImageFormat format_ = ifUndefined;
  PixelFormat pixelFormat_ = PixelFormatUndefined;
  bool hasPalette_ = false;
};

class TGPBitmap : public TGPImage {
 public:
  TGPBitmap(std::span<const uint8_t> stream, bool useEmbeddedColorManagement = false);
  // Blank, fully transparent bitmap (an off-screen cache).
  TGPBitmap(int32_t width, int32_t height, PixelFormat format = PixelFormat32bppARGB);
  TGPBitmap(TGPBitmap&&) noexcept = default;
  TGPBitmap& operator=(TGPBitmap&&) noexcept = default;

  // Straight ARGB of one pixel; InvalidParameter outside the bitmap.
  Status GetPixel(int32_t x, int32_t y, ARGB& color) const;
  Status SetPixel(int32_t x, int32_t y, ARGB color);
};

// Colour key: source pixels whose red, green and blue each lie within [low, high] are drawn
// fully transparent. Alpha is not compared.
class TGPImageAttributes : public TGdiplusBase {
 public:
  TGPImageAttributes() = default;
  TGPImageAttributes(TGPImageAttributes&&) noexcept = default;
  TGPImageAttributes& operator=(TGPImageAttributes&&) noexcept = default;

  Status SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType type = ColorAdjustTypeDefault);
  Status ClearColorKey(ColorAdjustType type = ColorAdjustTypeDefault);

  struct ColorKey {
    ARGB low;
    ARGB high;
  };
  const std::optional<ColorKey>& GetColorKey() const { return nativeImageAttr; }

 private:
  std::optional<ColorKey> nativeImageAttr;
};

}  // namespace tavrin
