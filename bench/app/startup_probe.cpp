// Time from the program's start to its first painted window.
//
//   app_startup_probe <start>   start: CLOCK_REALTIME in nanoseconds, taken by the caller
//                               just before it started this process (e.g. date +%s%N)
// Prints the milliseconds from <start> to the end of the main window's first paint, then
// closes the window. The start-up is the program's own (RunTavrinExport).
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "app/program.h"

namespace {

long long NowNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}

long long startNs = 0;
bool painted = false;

gboolean AfterFirstDraw(GtkWidget* window, cairo_t*, gpointer app) {
  if (painted) return FALSE;
  painted = true;
  // The frame is on the server once the display has been flushed and synced.
  gdk_display_sync(gtk_widget_get_display(window));
  std::printf("first paint %.1f ms\n", (NowNanoseconds() - startNs) / 1e6);
  std::fflush(stdout);
  static_cast<tavrin::app::TApplication*>(app)->Terminate();
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  startNs = argc > 1 ? std::atoll(argv[1]) : NowNanoseconds();
  return tavrin::app::RunTavrinExport(
      argc, argv, [](tavrin::app::TApplication& application, tavrin::app::TForm1& form) {
        g_signal_connect_after(form.Window(), "draw", G_CALLBACK(AfterFirstDraw), &application);
      });
}
