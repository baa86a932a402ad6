// tavrin-gallery --out DIR [NAME...]: renders the widgets' looks to PNG files, one per look,
// without a display, so a person can review them and tests can use them. With names, only
// those looks are written. The looks' text is in the windows' font, made available the same
// way the window program does it.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/gallery.h"
#include "widgets/drawing/gp_text.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: tavrin-gallery --out DIR [NAME...]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string outDir;
  std::vector<std::string> only;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--out" && i + 1 < argc) {
      outDir = argv[++i];
    } else if (arg.starts_with("--")) {
      return Usage();
    } else {
      only.push_back(arg);
    }
  }
  if (outDir.empty()) return Usage();
  tavrin::MakeWindowFontAvailable();

  std::error_code error;
  std::filesystem::create_directories(outDir, error);
  if (error) {
    std::fprintf(stderr, "tavrin-gallery: cannot create %s: %s\n", outDir.c_str(),
                 error.message().c_str());
    return 1;
  }
  int status = 0;
  int written = 0;
  for (const auto& look : tavrin::gallery::Looks()) {
    if (!only.empty() && std::find(only.begin(), only.end(), look.name) == only.end()) continue;
    const std::string file = (std::filesystem::path(outDir) / (look.name + ".png")).string();
    if (look.render().WritePng(file)) {
      std::printf("%s\n", file.c_str());
      ++written;
    } else {
      std::fprintf(stderr, "tavrin-gallery: cannot write %s\n", file.c_str());
      status = 1;
    }
  }
  if (!only.empty() && written + status < static_cast<int>(only.size())) {
    std::fprintf(stderr, "tavrin-gallery: unknown look name\n");
    status = 1;
  }
  return status;
}
