#include "app/dialogs.h"

#include <memory>

namespace tavrin::app {

namespace {

struct GFreeDeleter {
  void operator()(char* text) const { g_free(text); }
};
using GText = std::unique_ptr<char, GFreeDeleter>;

// A dialog widget owned for the length of one modal run; destroying it is its release.
struct DialogDeleter {
  void operator()(GtkWidget* dialog) const { gtk_widget_destroy(dialog); }
};
using DialogHandle = std::unique_ptr<GtkWidget, DialogDeleter>;

constexpr const char* kErrorIcon = "dialog-error";

void MakeModalAndCentred(GtkWidget* dialog, GtkWindow* owner) {
  if (owner) gtk_window_set_transient_for(GTK_WINDOW(dialog), owner);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_position(GTK_WINDOW(dialog), GTK_WIN_POS_CENTER);
}

// One-button message box. GTK's message dialogs no longer draw an icon of their own, so the
// sign is set as the dialog's image from the icon theme; nullptr shows none.
void RunMessageBox(GtkWindow* owner, const char* iconName, const std::string& title,
                   const std::string& text) {
  DialogHandle dialog(gtk_message_dialog_new(owner, GTK_DIALOG_MODAL, GTK_MESSAGE_OTHER,
                                             GTK_BUTTONS_NONE, "%s", text.c_str()));
  if (iconName) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    gtk_message_dialog_set_image(GTK_MESSAGE_DIALOG(dialog.get()),
                                 gtk_image_new_from_icon_name(iconName, GTK_ICON_SIZE_DIALOG));
    G_GNUC_END_IGNORE_DEPRECATIONS
  }
  gtk_dialog_add_button(GTK_DIALOG(dialog.get()), "OK", GTK_RESPONSE_OK);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog.get()), GTK_RESPONSE_OK);
  gtk_window_set_title(GTK_WINDOW(dialog.get()), title.c_str());
  MakeModalAndCentred(dialog.get(), owner);
  gtk_widget_show_all(dialog.get());
  gtk_dialog_run(GTK_DIALOG(dialog.get()));
}

void PresetChooser(GtkFileChooser* chooser, const std::string& preset) {
  GText folder(g_path_get_dirname(preset.c_str()));
  GText name(g_path_get_basename(preset.c_str()));
  if (g_path_is_absolute(preset.c_str())) {
    gtk_file_chooser_set_current_folder(chooser, folder.get());
  } else {
    GText current(g_get_current_dir());
    gtk_file_chooser_set_current_folder(chooser, current.get());
  }
  gtk_file_chooser_set_current_name(chooser, name.get());
}

}  // namespace

std::optional<std::string> TGtkDialogs::ChooseOutputFile(GtkWindow* owner) {
  // The save action is the chooser that accepts a name which does not exist yet: the user may
  // take the preset in any folder. The chosen file itself is never opened, so no overwrite
  // question is asked.
  DialogHandle dialog(gtk_file_chooser_dialog_new(
      kOutputDialogTitle, owner, GTK_FILE_CHOOSER_ACTION_SAVE, "_Cancel", GTK_RESPONSE_CANCEL,
      "_Open", GTK_RESPONSE_ACCEPT, nullptr));
  auto* chooser = GTK_FILE_CHOOSER(dialog.get());
  gtk_file_chooser_set_do_overwrite_confirmation(chooser, FALSE);
  gtk_file_chooser_set_select_multiple(chooser, FALSE);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  gtk_file_chooser_set_create_folders(chooser, FALSE);
  gtk_dialog_set_default_response(GTK_DIALOG(dialog.get()), GTK_RESPONSE_ACCEPT);
  MakeModalAndCentred(dialog.get(), owner);
  PresetChooser(chooser, preset_);

  if (gtk_dialog_run(GTK_DIALOG(dialog.get())) != GTK_RESPONSE_ACCEPT) return std::nullopt;
  GText chosen(gtk_file_chooser_get_filename(chooser));
  if (!chosen) return std::nullopt;
  preset_ = chosen.get();
  return preset_;
}

void TGtkDialogs::ShowErrorDialog(GtkWindow* owner, const std::string& text) {
  RunMessageBox(owner, kErrorIcon, "Error", text);
}

void TGtkDialogs::ShowMessageDialog(GtkWindow* owner, const std::string& title,
                                    const std::string& text) {
  RunMessageBox(owner, nullptr, title, text);
}

void TGtkDialogs::ShowFailureBox(GtkWindow* owner, const std::string& title,
                                 const std::string& text) {
  // The stop sign and the error sign are one picture.
  RunMessageBox(owner, kErrorIcon, title, text);
}

}  // namespace tavrin::app
