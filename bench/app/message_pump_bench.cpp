// What servicing the message loop costs per row while the window is shown and idle: the
// usual "while events are pending, iterate" against the pump the window uses.
#include <benchmark/benchmark.h>
#include <gtk/gtk.h>

#include "app/message_pump.h"

namespace {

GtkWidget* ShownWindow() {
  static GtkWidget* window = [] {
    GtkWidget* w = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_size_request(w, 465, 111);
    gtk_widget_show_all(w);
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    return w;
  }();
  return window;
}

void GtkEventsPendingLoop(benchmark::State& state) {
  ShownWindow();
  for (auto _ : state) {
    while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
  }
}
BENCHMARK(GtkEventsPendingLoop);

void MainContextIterationEveryRow(benchmark::State& state) {
  ShownWindow();
  tavrin::app::TMessagePump pump(0);
  for (auto _ : state) pump.ProcessMessages();
}
BENCHMARK(MainContextIterationEveryRow);

void ClockThrottledPump(benchmark::State& state) {
  ShownWindow();
  tavrin::app::TMessagePump pump(state.range(0));
  for (auto _ : state) pump.ProcessMessages();
  state.counters["servicings"] = static_cast<double>(pump.Servicings());
}
BENCHMARK(ClockThrottledPump)->Arg(500)->Arg(2000)->Arg(10000);

}  // namespace

int main(int argc, char** argv) {
  if (!gtk_init_check(&argc, &argv)) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
