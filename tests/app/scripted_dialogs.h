// Dialogs that answer from a script and note what the window looked like when each appeared.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/dialogs.h"

namespace tavrin::app::test_support {

// The two controls' state at one moment.
struct ControlsState {
  bool buttonEnabled = false;
  bool folderBoxEnabled = false;
  std::int32_t folderBoxColor = 0;
  friend bool operator==(const ControlsState&, const ControlsState&) = default;
};

enum class DialogKind { OutputFile, Error, Message, FailureBox };

struct ShownDialog {
  DialogKind kind;
  std::string title;  // empty for the output dialog
  std::string text;
  ControlsState controls;
};

class ScriptedDialogs final : public TDialogs {
 public:
  // Reads the window's controls when a dialog appears; set once the window exists.
  std::function<ControlsState()> snapshot = [] { return ControlsState{}; };
  // The output dialog's answer; runs while the dialog is "open".
  std::function<std::optional<std::string>()> chooseOutputFile = [] {
    return std::optional<std::string>();
  };
  std::vector<ShownDialog> shown;

  std::optional<std::string> ChooseOutputFile(GtkWindow*) override {
    shown.push_back({DialogKind::OutputFile, "", "", snapshot()});
    return chooseOutputFile();
  }
  void ShowErrorDialog(GtkWindow*, const std::string& text) override {
    shown.push_back({DialogKind::Error, "Error", text, snapshot()});
  }
  void ShowMessageDialog(GtkWindow*, const std::string& title, const std::string& text) override {
    shown.push_back({DialogKind::Message, title, text, snapshot()});
  }
  void ShowFailureBox(GtkWindow*, const std::string& title, const std::string& text) override {
    shown.push_back({DialogKind::FailureBox, title, text, snapshot()});
  }
};

}  // namespace tavrin::app::test_support
