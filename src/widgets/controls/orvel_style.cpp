#include "widgets/controls/orvel_style.h"

namespace tavrin::controls {

const char* OrvelStyleName(TOrvelStyle style) {
  static constexpr const char* kNames[kOrvelStyleCount] = {
      "tsOffice2003Blue",   "tsOffice2003Silver",   "tsOffice2003Olive", "tsOffice2003Classic",
      "tsOffice2007Luna",   "tsOffice2007Obsidian", "tsWindowsXP",       "tsWhidbey",
      "tsCustom",           "tsOffice2007Silver",   "tsWindowsVista",    "tsWindows7",
      "tsTerminal",         "tsOffice2010Blue",     "tsOffice2010Silver", "tsOffice2010Black",
  };
  const auto i = static_cast<unsigned>(style);
  return i < kOrvelStyleCount ? kNames[i] : "";
}

}  // namespace tavrin::controls
