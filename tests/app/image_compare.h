// Comparing areas of a screenshot with reference images, pixel by pixel.
#pragma once

#include <string>
#include <vector>

namespace tavrin::app::test_support {

struct Area {
  int x = 0, y = 0, width = 0, height = 0;
  bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
};

struct AreaComparison {
  int compared = 0;   // pixels looked at
  int differing = 0;  // of those, pixels with a channel further apart than the tolerance
  double DifferingShare() const { return compared ? double(differing) / compared : 1.0; }
};

// Compares `area` of the PNG `actual` with the whole PNG `reference` (of the area's size),
// leaving out the `ignored` rectangles (in reference coordinates). A pixel differs when one of
// its red, green or blue values is more than `channelTolerance` apart. Throws when a file
// cannot be read or the sizes do not fit.
AreaComparison CompareArea(const std::string& actual, const Area& area,
                           const std::string& reference, const std::vector<Area>& ignored,
                           int channelTolerance);

}  // namespace tavrin::app::test_support
