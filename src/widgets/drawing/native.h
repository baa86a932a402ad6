#pragma once
// Move-only owners of the native handles behind the drawing wrappers.

#include <cairo.h>

#include <memory>

typedef struct _GBytes GBytes;
typedef struct _PangoLayout PangoLayout;
typedef struct _PangoFontDescription PangoFontDescription;
typedef struct _FcPattern FcPattern;
typedef struct _PangoFontMetrics PangoFontMetrics;
typedef struct _PangoAttrList PangoAttrList;

namespace tavrin::native {

struct CairoDestroy {
  void operator()(cairo_t* p) const noexcept { cairo_destroy(p); }
};
struct SurfaceDestroy {
  void operator()(cairo_surface_t* p) const noexcept { cairo_surface_destroy(p); }
};
struct PatternDestroy {
  void operator()(cairo_pattern_t* p) const noexcept { cairo_pattern_destroy(p); }
};
struct PathDestroy {
  void operator()(cairo_path_t* p) const noexcept { cairo_path_destroy(p); }
};
struct GObjectUnref {
  void operator()(void* p) const noexcept;
};
struct BytesUnref {
  void operator()(GBytes* p) const noexcept;
};
struct FontDescriptionFree {
  void operator()(PangoFontDescription* p) const noexcept;
};
struct FcPatternDestroy {
  void operator()(FcPattern* p) const noexcept;
};
struct FontOptionsDestroy {
  void operator()(cairo_font_options_t* p) const noexcept { cairo_font_options_destroy(p); }
};
struct FontMetricsUnref {
  void operator()(PangoFontMetrics* p) const noexcept;
};
struct AttrListUnref {
  void operator()(PangoAttrList* p) const noexcept;
};
struct GFree {
  void operator()(void* p) const noexcept;
};

using Cairo = std::unique_ptr<cairo_t, CairoDestroy>;
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDestroy>;
using Pattern = std::unique_ptr<cairo_pattern_t, PatternDestroy>;
using CairoPath = std::unique_ptr<cairo_path_t, PathDestroy>;
template <typename T>
using GObject = std::unique_ptr<T, GObjectUnref>;
using Bytes = std::unique_ptr<GBytes, BytesUnref>;
using FontDescription = std::unique_ptr<PangoFontDescription, FontDescriptionFree>;
using FcPatternOwner = std::unique_ptr<FcPattern, FcPatternDestroy>;
using FontOptions = std::unique_ptr<cairo_font_options_t, FontOptionsDestroy>;
using FontMetrics = std::unique_ptr<PangoFontMetrics, FontMetricsUnref>;
using AttrList = std::unique_ptr<PangoAttrList, AttrListUnref>;
using GString = std::unique_ptr<char, GFree>;

// Shares a handle the caller keeps: takes a reference of its own.
inline Cairo Share(cairo_t* cr) { return Cairo(cairo_reference(cr)); }
inline Surface Share(cairo_surface_t* s) { return Surface(cairo_surface_reference(s)); }

}  // namespace tavrin::native
