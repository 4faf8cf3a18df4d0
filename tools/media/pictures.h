// The program's pictures: a grey key-cap with a white face, showing the hiragana "あ" (the
// indicator's default picture), the key-cap of another input mode ("カ", half-width "ｶ",
// full-width "Ａ", half-width "A"), or a paw print (the program icon).
#pragma once

#include "media/bytes.h"
#include "media/raster.h"

namespace ruvano::media {

enum class Symbol { Hiragana, Katakana, HalfKatakana, FullAlnum, HalfAlnum, Paw };
enum class Shading {
  Smooth,  // gradients and anti-aliased edges, for 8, 24 and 32 bits per pixel
  Vga,     // the flat greys of the 16-colour palette
};

// The key-cap drawn at one size (16 to 256 pixels), transparent around it.
Canvas DrawKeyCap(int size, Symbol symbol, Shading shading);

// The default picture, opaque everywhere, at each of the indicator's sizes
// (kIndicatorSizes): a bitmap at 24 bits per pixel at 32 pixels, PNG above.
Bytes BuildDefaultPicture();
// The picture of one input mode, in the same form as the default picture (which is the
// hiragana mode's).
Bytes BuildModePicture(Symbol symbol);
// The documentation's picture of the five input modes' key-caps side by side, at 48 pixels,
// as a PNG with a transparent background.
Bytes BuildInputModesStrip();
// The program icon as the indicator shows it, at each of the indicator's sizes: a bitmap at
// 32 bits per pixel at 32 pixels, PNG above.
Bytes BuildIndicatorProgramIcon();
// The program icon: 16, 32 and 48 pixels at 32 and 8 bits per pixel, 16 and 32 pixels at
// 4 bits per pixel, and 256 pixels as PNG.
Bytes BuildProgramIcon();

}  // namespace ruvano::media
