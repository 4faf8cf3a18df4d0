// Icon files: images stored as bottom-up bitmaps (4, 8, 24 or 32 bits per pixel, each with
// its AND mask) or as PNG (always for 256-pixel images).
#pragma once

#include <array>
#include <vector>

#include "media/bytes.h"
#include "media/raster.h"

namespace ruvano::media {

struct IconImage {
  int bitsPerPixel;  // 4, 8, 24 or 32; a 256-pixel image is stored as PNG
  Canvas pixels;
  bool png = false;  // stored as PNG (32 bits per pixel) at any size
};

using Palette = std::vector<Rgba>;
// The sixteen colours of the standard VGA palette, as Windows lists them.
const Palette& VgaPalette();
// 256 greys, black to white.
const Palette& GreyPalette();

// The palette index nearest to a colour (squared distance; the lower index on a tie).
std::size_t Nearest(const Palette& palette, Rgba colour);

Bytes BuildIco(const std::vector<IconImage>& images);

// The icon-group resource that a resource compiler makes from an icon file: its directory,
// with each image's file offset replaced by the id of the icon resource holding it; the
// images are numbered on from firstId in file order.
Bytes BuildIconGroup(const Bytes& ico, std::uint16_t firstId);

}  // namespace ruvano::media
