#include "widgets/drawing/gp_image.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstring>

#include "widgets/drawing/brush_pattern_p.h"

namespace tavrin {
namespace {

constexpr PixelFormat kPixelFormatIndexed = 0x00010000;
constexpr PixelFormat kPixelFormatAlpha = 0x00040000;

bool StartsWith(std::span<const uint8_t> data, std::initializer_list<uint8_t> sig) {
  return data.size() >= sig.size() && std::equal(sig.begin(), sig.end(), data.begin());
}

TGPImageFormat FormatOf(std::span<const uint8_t> d) {
  if (StartsWith(d, {'B', 'M'})) return ifBMP;
  if (StartsWith(d, {0x89, 'P', 'N', 'G'})) return ifPNG;
  if (StartsWith(d, {0xFF, 0xD8})) {
    // Exif files carry an APP1 "Exif" segment first.
    if (d.size() > 10 && d[3] == 0xE1 && std::memcmp(&d[6], "Exif", 4) == 0) return ifEXIF;
    return ifJPEG;
  }
  if (StartsWith(d, {'G', 'I', 'F', '8'})) return ifGIF;
  if (StartsWith(d, {'I', 'I', 42, 0}) || StartsWith(d, {'M', 'M', 0, 42})) return ifTIFF;
  if (StartsWith(d, {0, 0, 1, 0})) return ifIcon;
  if (StartsWith(d, {0xD7, 0xCD, 0xC6, 0x9A})) return ifWMF;
  if (d.size() > 44 && d[40] == ' ' && d[41] == 'E' && d[42] == 'M' && d[43] == 'F') return ifEMF;
  return ifUndefined;
}

uint16_t Le16(std::span<const uint8_t> d, size_t at) {
  return at + 1 < d.size() ? static_cast<uint16_t>(d[at] | (d[at + 1] << 8)) : 0;
}

// Samples per pixel of the first TIFF directory (tag 277), 3 when absent or unreadable. The
// decoder library always hands TIFF images over with alpha, whatever the file holds.
int TiffSamplesPerPixel(std::span<const uint8_t> d) {
  const bool little = d.size() > 1 && d[0] == 'I';
  auto get = [&](size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) {
      size_t k = little ? at + static_cast<size_t>(bytes - 1 - i) : at + static_cast<size_t>(i);
      v = (v << 8) | (k < d.size() ? d[k] : 0);
    }
    return v;
  };
  const size_t ifd = get(4, 4);
  const uint32_t count = get(ifd, 2);
  for (uint32_t e = 0; e < count && ifd + 2 + (e + 1) * 12 <= d.size(); ++e) {
    const size_t entry = ifd + 2 + e * 12;
    if (get(entry, 2) == 277) return static_cast<int>(get(entry + 8, 2));
  }
  return 3;
}

PixelFormat PixelFormatOf(TGPImageFormat format, std::span<const uint8_t> d, bool alpha) {
  switch (format) {
    case ifBMP: {
      switch (Le16(d, 28)) {
        case 1: return PixelFormat1bppIndexed;
        case 4: return PixelFormat4bppIndexed;
        case 8: return PixelFormat8bppIndexed;
        case 24: return PixelFormat24bppRGB;
        default: return PixelFormat32bppRGB;  // 16 and 32 bits; the alpha byte is ignored
      }
    }
    case ifPNG:
      if (d.size() > 25 && d[25] == 3) return PixelFormat8bppIndexed;
      return alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    case ifGIF: return PixelFormat8bppIndexed;
    case ifTIFF: return TiffSamplesPerPixel(d) >= 4 ? PixelFormat32bppARGB : PixelFormat24bppRGB;
    case ifJPEG:
    case ifEXIF: return PixelFormat24bppRGB;
    default: return alpha ? PixelFormat32bppARGB : PixelFormat24bppRGB;
  }
}

native::GObject<GdkPixbuf> Decode(std::span<const uint8_t> data) {
  native::GObject<GdkPixbufLoader> loader(gdk_pixbuf_loader_new());
  bool written = gdk_pixbuf_loader_write(loader.get(), data.data(), data.size(), nullptr);
  bool closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
  if (!written || !closed) return nullptr;
  GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
  if (pixbuf == nullptr) return nullptr;
  return native::GObject<GdkPixbuf>(GDK_PIXBUF(g_object_ref(pixbuf)));
}

// Premultiplied ARGB32 copy of the pixbuf; `opaque` drops an alpha channel the original ignores.
native::Surface ToSurface(GdkPixbuf* pixbuf, bool opaque) {
  const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
  const int channels = gdk_pixbuf_get_n_channels(pixbuf), rowstride = gdk_pixbuf_get_rowstride(pixbuf);
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf) && !opaque;
  const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
  native::Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
  cairo_surface_flush(surface.get());
  unsigned char* dst = cairo_image_surface_get_data(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  for (int y = 0; y < h; ++y) {
    const guchar* s = src + static_cast<ptrdiff_t>(y) * rowstride;
    auto* d = reinterpret_cast<uint32_t*>(dst + static_cast<ptrdiff_t>(y) * stride);
    for (int x = 0; x < w; ++x, s += channels) {
      ARGB a = alpha ? s[3] : 0xFF;
      d[x] = detail::Premultiply((a << 24) | (ARGB{s[0]} << 16) | (ARGB{s[1]} << 8) | s[2]);
    }
  }
  cairo_surface_mark_dirty(surface.get());
  return surface;
}

}  // namespace

TGPImage::TGPImage(std::span<const uint8_t> stream, bool) {
  format_ = FormatOf(stream);
  auto pixbuf = stream.empty() ? nullptr : Decode(stream);
  if (!pixbuf) {
    format_ = ifUndefined;
    SetStatus(UnknownImageFormat);
    return;
  }
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf.get());
  pixelFormat_ = PixelFormatOf(format_, stream, alpha);
  hasPalette_ = (pixelFormat_ & kPixelFormatIndexed) != 0;
  // Direct-colour formats without alpha draw opaque even when the decoder added a channel;
  // palette images keep the transparency of their palette.
  const bool opaque = pixelFormat_ == PixelFormat24bppRGB || pixelFormat_ == PixelFormat32bppRGB;
  nativeImage = ToSurface(pixbuf.get(), opaque);
}

uint32_t TGPImage::GetWidth() const {
  return nativeImage ? static_cast<uint32_t>(cairo_image_surface_get_width(nativeImage.get())) : 0;
}

uint32_t TGPImage::GetHeight() const {
  return nativeImage ? static_cast<uint32_t>(cairo_image_surface_get_height(nativeImage.get())) : 0;
}

int32_t TGPImage::GetPixelDepth() const { return (pixelFormat_ >> 8) & 0xFF; }
bool TGPImage::HasAlphaChannel() const { return (pixelFormat_ & kPixelFormatAlpha) != 0; }
bool TGPImage::HasPalette() const { return hasPalette_; }

TGPBitmap::TGPBitmap(std::span<const uint8_t> stream, bool useEmbeddedColorManagement)
    : TGPImage(stream, useEmbeddedColorManagement) {}

TGPBitmap::TGPBitmap(int32_t width, int32_t height, PixelFormat format) {
  if (width <= 0 || height <= 0) {
    SetStatus(InvalidParameter);
    return;
  }
  nativeImage.reset(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(nativeImage.get()) != CAIRO_STATUS_SUCCESS) {
    nativeImage.reset();
    SetStatus(OutOfMemory);
    return;
  }
  format_ = ifMemoryBMP;
  pixelFormat_ = format;
}

Status TGPBitmap::GetPixel(int32_t x, int32_t y, ARGB& color) const {
  if (!nativeImage || x < 0 || y < 0 || x >= static_cast<int32_t>(GetWidth()) ||
      y >= static_cast<int32_t>(GetHeight()))
    return SetStatus(InvalidParameter);
  cairo_surface_flush(nativeImage.get());
  const unsigned char* data = cairo_image_surface_get_data(nativeImage.get());
  const int stride = cairo_image_surface_get_stride(nativeImage.get());
  color = detail::Unpremultiply(reinterpret_cast<const uint32_t*>(data + y * stride)[x]);
  return Ok;
}

Status TGPBitmap::SetPixel(int32_t x, int32_t y, ARGB color) {
  if (!nativeImage || x < 0 || y < 0 || x >= static_cast<int32_t>(GetWidth()) ||
      y >= static_cast<int32_t>(GetHeight()))
    return SetStatus(InvalidParameter);
  cairo_surface_flush(nativeImage.get());
  unsigned char* data = cairo_image_surface_get_data(nativeImage.get());
  const int stride = cairo_image_surface_get_stride(nativeImage.get());
  reinterpret_cast<uint32_t*>(data + y * stride)[x] = detail::Premultiply(color);
  cairo_surface_mark_dirty(nativeImage.get());
  return Ok;
}

Status TGPImageAttributes::SetColorKey(ARGB colorLow, ARGB colorHigh, ColorAdjustType) {
  for (int shift = 0; shift < 24; shift += 8)
    if (((colorLow >> shift) & 0xFF) > ((colorHigh >> shift) & 0xFF))
      return SetStatus(InvalidParameter);
  nativeImageAttr = ColorKey{colorLow, colorHigh};
  return Ok;
}

Status TGPImageAttributes::ClearColorKey(ColorAdjustType) {
  nativeImageAttr.reset();
  return Ok;
}

}  // namespace tavrin
