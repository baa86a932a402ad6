#include "app/form1.h"

#include <cmath>
#include <cstdio>

#include "export/chat_export.h"
#include "platform/code_page.h"
#include "platform/default_root.h"
#include "platform/directory_lister.h"
#include "platform/file_writer.h"
#include "store/read_only_query.h"
#include "store/sql_connection.h"
#include "widgets/controls/main_window_look.h"
#include "widgets/drawing/color.h"

namespace tavrin::app {

// The parts the window owns besides the hosted GTK widgets, in their designed order.
struct TForm1::TParts {
  explicit TParts(controls::TControl* form) : SmoothPanel1(form), btn(&SmoothPanel1) {}
  controls::TSmoothPanel SmoothPanel1;
  controls::TSmoothButton btn;
  store::TSQLConnection Connection1;
  store::TReadOnlyQuery zq{"zq"};
  platform::PosixDirectoryLister lister;
  platform::PosixFileSystem files;
};

namespace {

// CSS text for a colour of the window's colour type, system colours resolved now.
std::string CssColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb & 0xFF, (rgb >> 8) & 0xFF,
                (rgb >> 16) & 0xFF);
  return text;
}

void ApplyCss(GtkWidget* widget, GtkCssProvider* provider, const std::string& css) {
  gtk_css_provider_load_from_data(provider, css.c_str(), static_cast<gssize>(css.size()), nullptr);
  gtk_style_context_add_provider(gtk_widget_get_style_context(widget), GTK_STYLE_PROVIDER(provider),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
}

void ApplyOwnedCss(GtkWidget* widget, const std::string& css) {
  GtkCssProvider* provider = gtk_css_provider_new();
  ApplyCss(widget, provider, css);
  g_object_unref(provider);
}

double ScreenScale(GtkWidget* widget) {
  const double dpi = gdk_screen_get_resolution(gtk_widget_get_screen(widget));
  return dpi > 0 ? dpi / 96.0 : 1.0;
}

// A dialog frame keeps only its close button. The dialog type alone leaves minimising to the
// window manager's taste, so the frame's functions and buttons are also named outright, in
// the hints every X window manager reads. They go to the window's native side once it exists.
void KeepOnlyTheCloseButton(GtkWidget* window, gpointer) {
  GdkWindow* frame = gtk_widget_get_window(window);
  gdk_window_set_functions(frame, static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_CLOSE));
  gdk_window_set_decorations(
      frame, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU));
}

void FixTheFrameButtons(GtkWidget* window) {
  g_signal_connect_after(window, "realize", G_CALLBACK(KeepOnlyTheCloseButton), nullptr);
  if (gtk_widget_get_realized(window)) KeepOnlyTheCloseButton(window, nullptr);
}

// The panel's stored values: the main window's panel design under its designer name.
void ConfigureSmoothPanel1(controls::TSmoothPanel& panel, double scale) {
  panel.SetName("SmoothPanel1");
  panel.SetTabOrder(0);
  controls::ApplyMainWindowPanelDesign(panel, scale);
}

// The Export button's stored values: the Export button design under its designer name.
void ConfigureBtn(controls::TSmoothButton& button, double scale) {
  button.SetName("btn");
  button.SetTabOrder(0);
  controls::ApplyMainWindowButtonDesign(button, scale);
}

}  // namespace

TForm1::TForm1(TApplication& application)
    : application_(application), parts_(std::make_unique<TParts>(this)) {
  scale_ = ScreenScale(GTK_WIDGET(Window()));
  parts_->zq.SetConnection(&parts_->Connection1);
  CreateWindowFrame();
  CreateControls();
  application_.SetMainWindow(Window());
  FormCreate();
}

TForm1::~TForm1() {
  application_.SetMainWindow(nullptr);
}

int TForm1::Scaled(int designed) const {
  return static_cast<int>(std::lround(designed * scale_));
}

// The window's font (Tahoma, 11 pixels high at 96 dpi) for the hosted GTK widgets, which take
// it from their own style rather than from the window.
std::string TForm1::WindowFontCss() const {
  return "font-family: Tahoma; font-size: " + std::to_string(Scaled(11)) +
         "px; font-weight: normal; font-style: normal;";
}

void TForm1::CreateWindowFrame() {
  SetName("Form1");
  SetCaption(layout::kCaption);
  SetDialogFrame(true);
  FixTheFrameButtons(GTK_WIDGET(Window()));
  SetClientSize(Scaled(layout::kClientWidth), Scaled(layout::kClientHeight));
  SetColor(clBtnFace);
  SetFont(controls::DesignedTahoma(8, clWindowText, scale_));
  ApplyOwnedCss(GTK_WIDGET(Window()), "window { background-color: " + CssColor(clBtnFace) +
                                          "; background-image: none; }");
  ConnectCloseRequest();
}

void TForm1::ConnectCloseRequest() {
  // The generic "event" signal comes before "delete-event": handling the close request here
  // keeps the window on the screen until the application's loop has ended, instead of the
  // form hiding it at once while an export may still be running.
  g_signal_connect(Window(), "event", G_CALLBACK(OnWindowEvent), this);
}

void TForm1::Place(controls::TControl& control, const TBounds& bounds) {
  control.SetBounds(Scaled(bounds.Left), Scaled(bounds.Top), Scaled(bounds.Width),
                    Scaled(bounds.Height));
}

void TForm1::CreateControls() {
  auto& panel = parts_->SmoothPanel1;
  ConfigureSmoothPanel1(panel, scale_);
  Place(panel, layout::kSmoothPanel1);

  auto& button = parts_->btn;
  ConfigureBtn(button, scale_);
  button.OnClick = [this](controls::TControl&) { Guarded(application_, [this] { btnClick(); }); };
  Place(button, layout::kBtn);

  GtkWidget* label = gtk_label_new("Msg db location:");
  gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
  gtk_label_set_yalign(GTK_LABEL(label), 0.0f);
  // Opaque: the label's rectangle shows the face colour, not the panel's gradient.
  ApplyOwnedCss(label, "label { background-color: " + CssColor(clBtnFace) +
                           "; color: " + CssColor(clWindowText) + "; " + WindowFontCss() +
                           " padding: 0; margin: 0; min-height: 0; }");
  label1_ = std::make_unique<controls::THostedWidget>(&panel, label);
  label1_->SetName("Label1");
  Place(*label1_, layout::kLabel1);

  GtkWidget* entry = gtk_entry_new();
  gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);
  edit1Style_.reset(gtk_css_provider_new());
  gtk_style_context_add_provider(gtk_widget_get_style_context(entry),
                                 GTK_STYLE_PROVIDER(edit1Style_.get()),
                                 GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  edit1_ = std::make_unique<controls::THostedWidget>(&panel, entry);
  edit1_->SetName("Edit1");
  edit1_->SetTabStop(true);
  edit1_->SetTabOrder(1);
  SetFolderBoxColor(clWindow);
  Place(*edit1_, layout::kEdit1);
}

controls::TSmoothPanel& TForm1::SmoothPanel1() {
  return parts_->SmoothPanel1;
}
controls::TSmoothButton& TForm1::btn() {
  return parts_->btn;
}
GtkEntry* TForm1::Edit1Entry() const {
  return GTK_ENTRY(edit1_->Hosted());
}

gboolean TForm1::OnWindowEvent(GtkWidget*, GdkEvent* event, gpointer self) {
  if (event->type != GDK_DELETE) return FALSE;
  // The window stays until the loop has ended; an export running now finishes first.
  static_cast<TForm1*>(self)->application_.Terminate();
  return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Event handlers

void TForm1::FormCreate() {
  gtk_entry_set_text(Edit1Entry(), platform::DefaultDatabaseRoot().c_str());
}

void TForm1::btnClick() {
  doTavrinExport();
}

void TForm1::doTavrinExport() {
  const chat_export::TExportContext context{*this,          parts_->Connection1,
                                            parts_->zq,     platform::HostCodePage(),
                                            parts_->lister, parts_->files};
  chat_export::doTavrinExport(context);
}

// ---------------------------------------------------------------------------------------------
// The export host

std::string TForm1::DatabaseRoot() {
  return gtk_entry_get_text(Edit1Entry());
}

void TForm1::SetExportButtonEnabled(bool enabled) {
  parts_->btn.SetEnabled(enabled);
}

void TForm1::SetFolderBoxEnabled(bool enabled) {
  edit1_->SetEnabled(enabled);
}

void TForm1::SetFolderBoxColor(std::int32_t systemColor) {
  // A flat box: one-pixel frame, no rounding, no theme shading; the colour holds in the
  // disabled state too, since that state is shown by the colour itself, and it changes at
  // once (the theme would fade it in while the export keeps the loop busy).
  const std::string css =
      "entry, entry:disabled { background-color: " + CssColor(systemColor) +
      "; background-image: none; border: 1px solid " + CssColor(clWindowFrame) +
      "; border-radius: 0; box-shadow: none; outline: none; transition: none; " + WindowFontCss() +
      " padding: 0 2px; min-height: 0; margin: 0; }"
      // The text takes the window's font colour, greyed while the box is disabled.
      " entry { color: " + CssColor(clWindowText) + "; }"
      " entry:disabled { color: " + CssColor(clGrayText) + "; }";
  gtk_css_provider_load_from_data(edit1Style_.get(), css.c_str(), static_cast<gssize>(css.size()),
                                  nullptr);
}

std::optional<std::string> TForm1::ChooseOutputFile() {
  return application_.Dialogs().ChooseOutputFile(Window());
}

void TForm1::ShowErrorDialog(const std::string& text) {
  application_.Dialogs().ShowErrorDialog(Window(), text);
}

void TForm1::ShowMessageDialog(const std::string& text) {
  application_.Dialogs().ShowMessageDialog(Window(), application_.Title(), text);
}

void TForm1::ProcessMessages() {
  pump_.ProcessMessages();
}

bool TForm1::Terminated() {
  return application_.Terminated();
}

}  // namespace tavrin::app
