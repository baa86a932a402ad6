// tavrin-export: the desktop tool's window.
#include <clocale>
#include <cstdio>

#include "app/app_title.h"
#include "app/application.h"
#include "app/dialogs.h"
#include "app/fonts.h"
#include "app/form1.h"
#include "widgets/controls/control.h"

int main(int argc, char** argv) {
  using namespace tavrin::app;
  std::setlocale(LC_ALL, "");
  MakeWindowFontAvailable();
  if (!tavrin::controls::InitWindowing(&argc, &argv)) {
    std::fprintf(stderr, "tavrin-export: cannot open a display (is DISPLAY set?)\n");
    return 1;
  }

  TGtkDialogs dialogs;
  TApplication application(ApplicationTitle(ProgramFileName(argc > 0 ? argv[0] : "")),
                           dialogs);
  InstallApplicationIcon();

  TForm1 Form1(application);
  Form1.Show();
  Form1.btn().SetFocus();
  application.Run();
  return 0;
}
