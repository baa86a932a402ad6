// Time of one export through the main window: the real window, its message pump and the real
// export run, with the output dialog answered at once.
//
//   app_export_probe <database root> <output folder>
// Prints the seconds the Export click took.
#include <gtk/gtk.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <string>

#include "app/application.h"
#include "app/dialogs.h"
#include "app/form1.h"
#include "widgets/controls/control.h"

namespace {

class AnsweringDialogs final : public tavrin::app::TDialogs {
 public:
  explicit AnsweringDialogs(std::string outputFile) : outputFile_(std::move(outputFile)) {}
  std::optional<std::string> ChooseOutputFile(GtkWindow*) override { return outputFile_; }
  void ShowErrorDialog(GtkWindow*, const std::string& text) override { Report("error", text); }
  void ShowMessageDialog(GtkWindow*, const std::string&, const std::string& text) override {
    Report("message", text);
  }
  void ShowFailureBox(GtkWindow*, const std::string&, const std::string& text) override {
    Report("failure", text);
  }

 private:
  static void Report(const char* kind, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", kind, text.c_str());
  }
  std::string outputFile_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <database root> <output folder>\n", argv[0]);
    return 2;
  }
  std::setlocale(LC_ALL, "");
  if (!tavrin::controls::InitWindowing(&argc, &argv)) return 1;
  AnsweringDialogs dialogs(std::string(argv[2]) + "/default.txt");
  tavrin::app::TApplication application("Export_probe", dialogs);
  tavrin::app::TForm1 form(application);
  form.Show();
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  gtk_entry_set_text(form.Edit1Entry(), argv[1]);

  auto& button = form.btn();
  // The button's press flash comes after the export has returned; it is no part of it.
  button.SetSleepFunction([](std::chrono::milliseconds) {});
  const auto start = std::chrono::steady_clock::now();
  button.HandleMouseDown(tavrin::controls::TMouseButton::mbLeft,
                         tavrin::controls::TShiftState::ssLeft, 1, 1);
  button.HandleMouseUp(tavrin::controls::TMouseButton::mbLeft, {}, 1, 1);
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  std::printf("window export %.3f s\n", took.count());
  return 0;
}
