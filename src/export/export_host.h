// The window as the export run sees it.
//
// The export runs on the window's own thread and reaches the window only through this
// interface, so the same run drives the GTK window, the headless command-line front end and
// the tests. A host implements every call synchronously: when a dialog call returns, the user
// has dismissed the dialog.
//
// Calling order during one run (see chat_export.h):
//   SetExportButtonEnabled(false), SetFolderBoxEnabled(false), SetFolderBoxColor(kClBtnFace)
//   ChooseOutputFile()                        -- may end the run (cancelled)
//   DatabaseRoot()                            -- read once, after the choice
//   ProcessMessages() once per folder entry   -- database discovery
//   ShowErrorDialog("No log files found !")   -- when nothing was found; or else
//   OnDatabasesFound(count)
//   per database: OnDatabaseOpened(...), then per row Terminated() and ProcessMessages(),
//                 OnChatFileCreated(full path) after each chat file is created
//   ShowMessageDialog(full path)              -- before a chat file creation failure
//   always, last: SetExportButtonEnabled(true), SetFolderBoxEnabled(true),
//                 SetFolderBoxColor(kClWindow)
// A failure leaves the run as an exception after the controls have been restored; the host's
// top-level failure handler shows it (see FailureBoxText in failure_text.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace tavrin::chat_export {

// System colour values of the window's colour type (0x00BBGGRR; a negative value names a
// system colour resolved when used). Kept here as plain numbers so the export does not depend
// on the drawing layer; the window maps them onto its own colour type.
inline constexpr std::int32_t kClBtnFace = static_cast<std::int32_t>(0xFF00000F);
inline constexpr std::int32_t kClWindow = static_cast<std::int32_t>(0xFF000005);

class TExportHost {
 public:
  virtual ~TExportHost() = default;

  // The folder box's current text: the database root, passed to discovery unchanged.
  virtual std::string DatabaseRoot() = 0;

  // Control states. The run disables both controls before the output dialog and restores
  // them, in the order button, folder box, colour, on every way out of the run.
  virtual void SetExportButtonEnabled(bool enabled) = 0;
  virtual void SetFolderBoxEnabled(bool enabled) = 0;
  virtual void SetFolderBoxColor(std::int32_t systemColor) = 0;

  // The output dialog: title "Choose directory", preset "default.txt" (then the last chosen
  // name), no filter, one file, the file and its folder need not exist. Returns the chosen
  // file's full name ("/"-separated), or nothing when the user cancelled.
  virtual std::optional<std::string> ChooseOutputFile() = 0;

  // Modal dialogs centred on the screen, one "OK" button each.
  // Error dialog: caption "Error", the error icon.
  virtual void ShowErrorDialog(const std::string& text) = 0;
  // Plain message dialog: caption the application title, no icon.
  virtual void ShowMessageDialog(const std::string& text) = 0;

  // Services the message loop once: every pending window event is handled, then it returns
  // at once. Called once per row and once per folder entry, i.e. millions of times in a
  // large export, so it must be cheap when nothing is pending (a GTK host checks
  // gtk_events_pending() before iterating; a headless host does nothing or counts).
  virtual void ProcessMessages() = 0;

  // True once the application has been asked to terminate (the main window was closed, or
  // Ctrl-C in the headless front end). Tested before every row.
  virtual bool Terminated() = 0;

  // Progress notifications for hosts that show them. The window ignores them.
  virtual void OnDatabasesFound(std::size_t /*count*/) {}
  // A database's query is open; rowCount rows follow, each preceded by ProcessMessages().
  virtual void OnDatabaseOpened(std::size_t /*index*/, const std::string& /*path*/,
                                std::size_t /*rowCount*/) {}
  virtual void OnChatFileCreated(const std::string& /*fullPath*/) {}
};

}  // namespace tavrin::chat_export
