// The program's start-up, shared by tavrin-export and the start-up measurement.
#pragma once

#include <functional>

#include "app/application.h"
#include "app/form1.h"

namespace tavrin::app {

// Called once the main window is shown, before the message loop runs (measurements hook
// their probes in here; the program passes nothing).
using TShownHook = std::function<void(TApplication&, TForm1&)>;

// Start-up in order: locale, the window font, the display, the application title, icon and
// failure handler, the main window (FormCreate fills the folder box), then the message loop
// until the window is closed. Returns the exit status: 0, or 1 when no display can be opened.
// The command line is not read.
int RunTavrinExport(int argc, char** argv, const TShownHook& shown = {});

}  // namespace tavrin::app
