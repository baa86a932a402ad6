#pragma once
// The whole drawing layer.

#include "widgets/drawing/color.h"
#include "widgets/drawing/gp_brush.h"
#include "widgets/drawing/gp_graphics.h"
#include "widgets/drawing/gp_image.h"
#include "widgets/drawing/gp_path.h"
#include "widgets/drawing/gp_text.h"
#include "widgets/drawing/gp_types.h"
#include "widgets/drawing/smooth_picture.h"
#include "widgets/drawing/surface.h"
