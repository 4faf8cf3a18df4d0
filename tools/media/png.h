// PNG files (8-bit RGBA, no interlace) for the large image of the program icon.
#pragma once

#include "media/bytes.h"
#include "media/raster.h"

namespace ruvano::media {

Bytes BuildPng(const Canvas& image);

}  // namespace ruvano::media
