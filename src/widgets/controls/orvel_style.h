// The sixteen colour schemes of the smooth widgets and the interface that applies one.
#pragma once

#include <cstdint>

namespace tavrin::controls {

// Stored as one byte; the ordinals are part of the stored form data.
enum class TOrvelStyle : std::uint8_t {
  tsOffice2003Blue = 0,
  tsOffice2003Silver = 1,
  tsOffice2003Olive = 2,
  tsOffice2003Classic = 3,
  tsOffice2007Luna = 4,
  tsOffice2007Obsidian = 5,
  tsWindowsXP = 6,
  tsWhidbey = 7,
  tsCustom = 8,
  tsOffice2007Silver = 9,
  tsWindowsVista = 10,
  tsWindows7 = 11,
  tsTerminal = 12,
  tsOffice2010Blue = 13,
  tsOffice2010Silver = 14,
  tsOffice2010Black = 15,
};

inline constexpr int kOrvelStyleCount = 16;

// The scheme's name as written in code ("tsOffice2007Luna"), for file names and messages.
const char* OrvelStyleName(TOrvelStyle style);

// Implemented by every smooth widget. The widget's lifetime is its owner's business: holding
// or dropping this interface never frees the widget.
class IOrvelStyle {
 public:
  virtual void SetComponentStyle(TOrvelStyle AStyle) = 0;

 protected:
  ~IOrvelStyle() = default;
};

}  // namespace tavrin::controls
