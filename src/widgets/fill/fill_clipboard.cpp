// The fill on the desktop clipboard under the format "GDI+ Fill", through GTK.
//
// The data is the fill's property stream (fill_stream.h). GTK hands it out on request, so the
// bytes live with the clipboard until another owner takes it over.

#include <gtk/gtk.h>

#include <memory>
#include <string>

#include "widgets/fill/fill.h"
#include "widgets/fill/fill_errors.h"
#include "widgets/fill/fill_stream.h"

namespace tavrin {
namespace {

constexpr char kFormatName[] = "GDI+ Fill";

// The format is registered once per process, at first use.
GdkAtom FillFormat() {
  static const GdkAtom atom = gdk_atom_intern_static_string(kFormatName);
  return atom;
}

GtkClipboard* OpenClipboard() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display) throw EClipboardException("Cannot open clipboard");
  return gtk_clipboard_get_for_display(display, GDK_SELECTION_CLIPBOARD);
}

void ProvideData(GtkClipboard*, GtkSelectionData* selection, guint, gpointer owner) {
  const auto* bytes = static_cast<const std::string*>(owner);
  gtk_selection_data_set(selection, FillFormat(), 8, reinterpret_cast<const guchar*>(bytes->data()),
                         static_cast<gint>(bytes->size()));
}

void ReleaseData(GtkClipboard*, gpointer owner) {
  delete static_cast<std::string*>(owner);
}

struct SelectionDataFree {
  void operator()(GtkSelectionData* data) const noexcept { gtk_selection_data_free(data); }
};

}  // namespace

void TSmoothFill::SaveToClipBoard() {
  GtkClipboard* clipboard = OpenClipboard();
  auto bytes = std::make_unique<std::string>(SaveObject(*this));
  GtkTargetEntry target{const_cast<gchar*>(kFormatName), 0, 0};
  // On failure GTK forgets the callbacks, so the bytes are still ours to free.
  if (!gtk_clipboard_set_with_data(clipboard, &target, 1, ProvideData, ReleaseData, bytes.get())) {
    throw EClipboardException("Cannot open clipboard");
  }
  bytes.release();
}

void TSmoothFill::LoadFromClipBoard() {
  GtkClipboard* clipboard = OpenClipboard();
  std::unique_ptr<GtkSelectionData, SelectionDataFree> selection(
      gtk_clipboard_wait_for_contents(clipboard, FillFormat()));
  if (!selection) return;
  const gint length = gtk_selection_data_get_length(selection.get());
  if (length < 0) return;
  const guchar* data = gtk_selection_data_get_data(selection.get());
  LoadObject(std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length)),
             *this);
}

}  // namespace tavrin
