#include "app/program.h"

#include <clocale>
#include <cstdio>

#include "app/app_title.h"
#include "app/dialogs.h"
#include "widgets/controls/control.h"
#include "widgets/drawing/gp_text.h"

namespace tavrin::app {

int RunTavrinExport(int argc, char** argv, const TShownHook& shown) {
  std::setlocale(LC_ALL, "");
  MakeWindowFontAvailable();
  if (!controls::InitWindowing(&argc, &argv)) {
    std::fprintf(stderr,
                 "tavrin-export: cannot open a display (is DISPLAY set?).\n"
                 "Without a display, tavrin-export-cli --out DIR runs the same export (see its "
                 "--help),\nand tavrin-gallery --out DIR renders the window's widgets to PNG.\n");
    return 1;
  }

  TGtkDialogs dialogs;
  TApplication application(ApplicationTitle(ProgramFileName(argc > 0 ? argv[0] : "")), dialogs);
  InstallApplicationIcon();

  TForm1 Form1(application);
  Form1.Show();
  Form1.btn().SetFocus();
  if (shown) shown(application, Form1);
  application.Run();
  return 0;
}

}  // namespace tavrin::app
