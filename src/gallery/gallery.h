#pragma once
// The look registry of tavrin-gallery.
//
// Every gallery_*.cpp file in this folder registers the looks it renders at static
// initialisation:
//
//   static const bool registered = tavrin::gallery::RegisterLook("fill-panel", &RenderPanel);
//
// and the program writes each look as <name>.png into the output folder, in name order.

#include <functional>
#include <string>
#include <vector>

#include "widgets/drawing/surface.h"

namespace tavrin::gallery {

using RenderFunction = std::function<Surface()>;

struct Look {
  std::string name;  // file name without ".png"
  RenderFunction render;
};

// Adds a look; returns true so that it can initialise a static. A name registered twice keeps
// the first registration.
bool RegisterLook(std::string name, RenderFunction render);

// All registered looks, sorted by name.
std::vector<Look> Looks();

// An image of the size filled with an opaque colour, with `layer` composited over it at
// (0, 0): how a widget's cached image shows over its parent's background.
Surface Composite(const Surface& layer, TColor background);

}  // namespace tavrin::gallery
