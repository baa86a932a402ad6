// tavrin-export: the desktop tool's window.
#include "app/program.h"

int main(int argc, char** argv) {
  return tavrin::app::RunTavrinExport(argc, argv);
}
