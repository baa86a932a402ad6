#include "widgets/drawing/native.h"

#include <fontconfig/fontconfig.h>
#include <glib-object.h>
#include <pango/pango.h>

namespace tavrin::native {

void GObjectUnref::operator()(void* p) const noexcept { g_object_unref(p); }
void BytesUnref::operator()(GBytes* p) const noexcept { g_bytes_unref(p); }
void FontDescriptionFree::operator()(PangoFontDescription* p) const noexcept {
  pango_font_description_free(p);
}
void FontMetricsUnref::operator()(PangoFontMetrics* p) const noexcept {
  pango_font_metrics_unref(p);
}
void AttrListUnref::operator()(PangoAttrList* p) const noexcept { pango_attr_list_unref(p); }
void GFree::operator()(void* p) const noexcept { g_free(p); }
void FcPatternDestroy::operator()(FcPattern* p) const noexcept { ::FcPatternDestroy(p); }

}  // namespace tavrin::native
