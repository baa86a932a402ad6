// The main window: the folder box, the Export button on the smooth panel, and the export run
// wired to them.
//
// States: Idle, the button and the folder box enabled and the box in the
// window colour; Exporting, both disabled and the box in the button-face colour. The export
// run moves the window into Exporting before it shows the output dialog and back on every way
// out, through the host calls below. Closing the window is the application's terminate
// request: while Idle the loop ends at once; while Exporting the run sees Terminated() at its
// next row, finishes, and the loop ends after the click handler has returned.
#pragma once

#include <gtk/gtk.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/application.h"
#include "app/message_pump.h"
#include "export/export_host.h"
#include "widgets/controls/control.h"
#include "widgets/controls/main_window_look.h"
#include "widgets/controls/smooth_button.h"
#include "widgets/controls/smooth_panel.h"

namespace tavrin::app {

// Designed geometry at 96 dots per inch, relative to the control's parent's client area.
struct TBounds {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TBounds&, const TBounds&) = default;
};

namespace layout {
inline constexpr int kClientWidth = 465;
inline constexpr int kClientHeight = 111;
inline constexpr TBounds kSmoothPanel1{10, 8, controls::kMainWindowPanelWidth,
                                       controls::kMainWindowPanelHeight};
inline constexpr TBounds kLabel1{16, 56, 78, 13};
inline constexpr TBounds kEdit1{100, 53, 198, 19};
inline constexpr TBounds kBtn{304, 45, controls::kExportButtonWidth, controls::kExportButtonHeight};
inline constexpr const char* kCaption = "Export Tavrin";
}  // namespace layout

class TForm1 final : public controls::TForm, public chat_export::TExportHost {
 public:
  // Creates the window and its parts from the layout, then runs FormCreate. Needs windowing
  // (controls::InitWindowing).
  explicit TForm1(TApplication& application);
  ~TForm1() override;

  // Screen density / 96: the factor every designed size is multiplied by.
  double Scale() const { return scale_; }
  // A designed length (pixels at 96 dpi) on this screen.
  int Scaled(int designed) const;

  // The parts, by their designer names.
  controls::TSmoothPanel& SmoothPanel1();
  controls::TSmoothButton& btn();
  controls::THostedWidget& Label1() { return *label1_; }
  controls::THostedWidget& Edit1() { return *edit1_; }
  GtkEntry* Edit1Entry() const;

  // Event handlers.
  void FormCreate();
  void btnClick();
  // The export run, on this window.
  void doTavrinExport();

  // chat_export::TExportHost
  std::string DatabaseRoot() override;
  void SetExportButtonEnabled(bool enabled) override;
  void SetFolderBoxEnabled(bool enabled) override;
  void SetFolderBoxColor(std::int32_t systemColor) override;
  std::optional<std::string> ChooseOutputFile() override;
  void ShowErrorDialog(const std::string& text) override;
  void ShowMessageDialog(const std::string& text) override;
  void ProcessMessages() override;
  bool Terminated() override;

 private:
  struct TParts;

  void CreateWindowFrame();
  void CreateControls();
  void Place(controls::TControl& control, const TBounds& bounds);
  std::string WindowFontCss() const;
  void ConnectCloseRequest();
  static gboolean OnWindowEvent(GtkWidget*, GdkEvent* event, gpointer self);

  TApplication& application_;
  TMessagePump pump_;
  double scale_ = 1.0;
  std::unique_ptr<TParts> parts_;
  std::unique_ptr<controls::THostedWidget> label1_;
  std::unique_ptr<controls::THostedWidget> edit1_;
  struct TUnrefObject {
    void operator()(gpointer object) const { g_object_unref(object); }
  };
  // The folder box's own style: its flat frame and its state colour.
  std::unique_ptr<GtkCssProvider, TUnrefObject> edit1Style_;
};

}  // namespace tavrin::app
