// The window's modal dialogs, behind one seam so the window's behaviour can be driven by a
// script in tests while the program shows the real GTK dialogs.
#pragma once

#include <gtk/gtk.h>

#include <optional>
#include <string>

namespace tavrin::app {

class TDialogs {
 public:
  virtual ~TDialogs() = default;

  // The output dialog: returns the chosen file's full name, or nothing when cancelled.
  virtual std::optional<std::string> ChooseOutputFile(GtkWindow* owner) = 0;
  // Caption "Error", the error icon, the text, one "OK" button.
  virtual void ShowErrorDialog(GtkWindow* owner, const std::string& text) = 0;
  // Caption the application title, no icon, the text, one "OK" button.
  virtual void ShowMessageDialog(GtkWindow* owner, const std::string& title,
                                 const std::string& text) = 0;
  // The top-level failure box: caption the application title, the stop icon, one "OK".
  virtual void ShowFailureBox(GtkWindow* owner, const std::string& title,
                              const std::string& text) = 0;
};

// The real dialogs. Every one is modal and centred on the screen; the output dialog keeps the
// last chosen name as the preset of the next run (nothing is kept between program runs).
class TGtkDialogs final : public TDialogs {
 public:
  static constexpr const char* kOutputDialogTitle = "Choose directory";
  static constexpr const char* kOutputDialogPreset = "default.txt";

  std::optional<std::string> ChooseOutputFile(GtkWindow* owner) override;
  void ShowErrorDialog(GtkWindow* owner, const std::string& text) override;
  void ShowMessageDialog(GtkWindow* owner, const std::string& title,
                         const std::string& text) override;
  void ShowFailureBox(GtkWindow* owner, const std::string& title, const std::string& text) override;

  // The preset the next output dialog starts with: "default.txt", then the last chosen full
  // name.
  const std::string& OutputPreset() const { return preset_; }

 private:
  std::string preset_ = kOutputDialogPreset;
};

}  // namespace tavrin::app
