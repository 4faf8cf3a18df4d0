#include "media/pictures.h"

#include <stdexcept>
#include <vector>

#include "media/fixed.h"
#include "media/generate.h"
#include "media/ico.h"
#include "media/png.h"
#include "monitor/indicator_size.h"

namespace ruvano::media {

namespace {

using Point = std::pair<std::int64_t, std::int64_t>;

// Where the parts of the key-cap go at one size, in sub-pixel units. Edges sit on whole
// pixels at the small sizes so they stay crisp.
struct CapLayout {
  int size;
  std::int64_t capL, capT, capR, capB, capRadius, outline;
  std::int64_t faceL, faceT, faceR, faceB, faceRadius, rim;
  std::int64_t pawX, pawY, pawSize;     // centre and height of the paw print
  std::int64_t kanaX, kanaY, kanaSize;  // centre and height of the kana
};

// The kana's strokes are placed so that the cross bar and the down stroke fall on whole
// pixel rows and columns at 32 pixels. Sizes without a layout of their own take the one of 32
// pixels, scaled, with the edges of the cap and its face on whole pixels.
CapLayout Layout(int size) {
  static const CapLayout layouts[] = {
      {16, Px(1), Px(1), Px(15), Px(15), Px(2), Px(1), Px(2), Px(2), Px(14), Px(12), Px(1.5), 0, Px(8), Px(7),
       Px(8), Px(8), Px(7), Px(9)},
      {32, Px(2), Px(2), Px(30), Px(30), Px(3), Px(1), Px(4), Px(3), Px(28), Px(25), Px(2.5), Px(1), Px(16),
       Px(14), Px(16), Px(15.84375), Px(14.375), Px(18.5)},
      {48, Px(3), Px(3), Px(45), Px(45), Px(4.5), Px(1.5), Px(6), Px(4.5), Px(42), Px(38), Px(3.5), Px(1.5),
       Px(24), Px(21.25), Px(24), Px(24), Px(21.25), Px(27)},
      {256, Px(16), Px(16), Px(240), Px(240), Px(26), Px(5), Px(34), Px(28), Px(222), Px(200), Px(18), Px(5),
       Px(128), Px(114), Px(124), Px(128), Px(114), Px(140)},
  };
  for (const auto& l : layouts) {
    if (l.size == size) return l;
  }
  if (size < 16 || size > 256) throw std::invalid_argument("no layout for that size");
  const CapLayout& b = layouts[1];
  auto scale = [size](std::int64_t v) { return DivRound(v * size, 32); };
  auto whole = [size](std::int64_t v) { return DivRound(v * size, 32 * kSub) * kSub; };
  return {size,           whole(b.capL),      whole(b.capT),    whole(b.capR),
          whole(b.capB),  scale(b.capRadius), whole(b.outline), whole(b.faceL),
          whole(b.faceT), whole(b.faceR),     whole(b.faceB),   scale(b.faceRadius),
          whole(b.rim),   scale(b.pawX),      scale(b.pawY),    scale(b.pawSize),
          scale(b.kanaX), scale(b.kanaY),     scale(b.kanaSize)};
}

struct Colours {
  Rgba outline, bodyTop, bodyBottom, rim, faceTop, faceBottom, ink;
};
constexpr Colours kSmooth = {Grey(0x4C), Grey(0xB8), Grey(0x8C), Grey(0xC8),
                             Grey(0xFF), Grey(0xF0), Grey(0x00)};
constexpr Colours kVga = {Grey(0x00), Grey(0x80), Grey(0x80), Grey(0xC0), Grey(0xFF), Grey(0xFF), Grey(0x00)};

// Scales a design coordinate (units of 1/1000 of the symbol's height, centred on 0) to
// sub-pixels around the symbol's centre.
struct Placement {
  std::int64_t cx, cy, size;
  std::int64_t X(std::int64_t v) const { return cx + DivRound(v * size, 1000); }
  std::int64_t Y(std::int64_t v) const { return cy + DivRound(v * size, 1000); }
  std::int64_t L(std::int64_t v) const { return DivRound(v * size, 1000); }
  Point At(Point p) const { return {X(p.first), Y(p.second)}; }
};

// Turn as a fraction of a full circle from degrees.
constexpr std::uint32_t Degrees(int deg) {
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(deg) * 4294967296LL / 360);
}

// A paw print: four toes above a broad pad.
Shape Paw(const Placement& p) {
  std::vector<Shape> parts;
  parts.push_back(Ellipse(p.X(0), p.Y(230), p.L(290), p.L(235)));
  parts.push_back(Ellipse(p.X(-150), p.Y(290), p.L(150), p.L(135)));
  parts.push_back(Ellipse(p.X(150), p.Y(290), p.L(150), p.L(135)));
  parts.push_back(Ellipse(p.X(-385), p.Y(-60), p.L(115), p.L(150), Degrees(-22)));
  parts.push_back(Ellipse(p.X(-140), p.Y(-330), p.L(125), p.L(160), Degrees(-8)));
  parts.push_back(Ellipse(p.X(140), p.Y(-330), p.L(125), p.L(160), Degrees(8)));
  parts.push_back(Ellipse(p.X(385), p.Y(-60), p.L(115), p.L(150), Degrees(22)));
  return Union(std::move(parts));
}

// The hiragana "あ" as three strokes of even width, through points of the design grid.
Shape Hiragana(const Placement& p, std::int64_t width) {
  auto stroke = [&](std::vector<Point> through, int steps) {
    for (auto& pt : through) pt = p.At(pt);
    return Stroke(SmoothCurve(through, steps), width);
  };
  std::vector<Shape> parts;
  // The cross bar, rising slightly to the right.
  parts.push_back(stroke({{-370, -265}, {0, -285}, {370, -315}}, 8));
  // The long down stroke, bending to the right at its foot.
  parts.push_back(stroke({{-100, -480}, {-95, -150}, {-80, 170}, {-20, 400}}, 8));
  // The sweep from the upper right down to the lower left, then the loop round to the right
  // and back in at the bottom.
  parts.push_back(stroke({{190, -110},
                          {110, 90},
                          {-45, 300},
                          {-260, 390},
                          {-415, 300},
                          {-360, 120},
                          {-90, -20},
                          {225, -20},
                          {435, 110},
                          {425, 320},
                          {170, 470}},
                         10));
  return Union(std::move(parts));
}

// A stroke through design points, each point's x first narrowed to `widthPermille` of its
// full-width distance from the centre (half-width letters keep the height, not the width).
Shape NarrowStroke(const Placement& p, std::vector<Point> through, int steps, std::int64_t width,
                   std::int64_t widthPermille) {
  for (auto& pt : through) pt = p.At({DivRound(pt.first * widthPermille, 1000), pt.second});
  return Stroke(steps > 1 ? SmoothCurve(through, steps) : through, width);
}

// The katakana "カ": the bar that turns down at its right end into a hooked stroke, and the
// long stroke that falls to the lower left.
Shape Katakana(const Placement& p, std::int64_t width, std::int64_t widthPermille) {
  std::vector<Shape> parts;
  parts.push_back(NarrowStroke(p, {{-420, -200}, {330, -225}}, 1, width, widthPermille));
  parts.push_back(
      NarrowStroke(p, {{330, -225}, {325, 80}, {285, 320}, {210, 450}, {90, 385}}, 8, width, widthPermille));
  parts.push_back(NarrowStroke(p, {{-20, -480}, {-35, -160}, {-110, 130}, {-250, 330}, {-420, 450}}, 8, width,
                               widthPermille));
  return Union(std::move(parts));
}

// The Latin capital "A": two legs from the apex and the cross bar.
Shape LatinA(const Placement& p, std::int64_t width, std::int64_t widthPermille) {
  std::vector<Shape> parts;
  parts.push_back(NarrowStroke(p, {{0, -470}, {-400, 460}}, 1, width, widthPermille));
  parts.push_back(NarrowStroke(p, {{0, -470}, {400, 460}}, 1, width, widthPermille));
  parts.push_back(NarrowStroke(p, {{-235, 150}, {235, 150}}, 1, width, widthPermille));
  return Union(std::move(parts));
}

// Half-width letters take a little over half the width of full-width ones.
constexpr std::int64_t kHalfWidthPermille = 560;

// At 16 pixels the paw print is drawn pixel by pixel: anti-aliased ellipses of a pixel or two
// only blur into a blob. Rows of 10 pixels, top-left at (3, 3).
Shape SmallPaw() {
  static const char* const rows[] = {
      "..##..##..", "..##..##..", "##......##", "##..##..##",
      "...####...", "..######..", "..######..", "...####...",
  };
  return {{Px(3), Px(3), Px(13), Px(11)}, [](std::int64_t x, std::int64_t y) {
            const std::int64_t col = x / kSub - 3, row = y / kSub - 3;
            return x >= 0 && y >= 0 && col >= 0 && col < 10 && row >= 0 && row < 8 && rows[row][col] == '#';
          }};
}

}  // namespace

Canvas DrawKeyCap(int size, Symbol symbol, Shading shading) {
  const CapLayout l = Layout(size);
  const Colours& c = shading == Shading::Smooth ? kSmooth : kVga;
  Canvas canvas(size, size);
  const int capTop = static_cast<int>(l.capT / kSub), capBottom = static_cast<int>(l.capB / kSub);
  const int faceTop = static_cast<int>(l.faceT / kSub), faceBottom = static_cast<int>(l.faceB / kSub);

  canvas.Fill(RoundRect(l.capL, l.capT, l.capR, l.capB, l.capRadius), c.outline);
  canvas.Fill(RoundRect(l.capL + l.outline, l.capT + l.outline, l.capR - l.outline, l.capB - l.outline,
                        l.capRadius - l.outline),
              VerticalGradient(c.bodyTop, c.bodyBottom, capTop, capBottom));
  if (l.rim) canvas.Fill(RoundRect(l.faceL, l.faceT, l.faceR, l.faceB, l.faceRadius), c.rim);
  canvas.Fill(
      RoundRect(l.faceL + l.rim, l.faceT + l.rim, l.faceR - l.rim, l.faceB - l.rim, l.faceRadius - l.rim / 2),
      VerticalGradient(c.faceTop, c.faceBottom, faceTop, faceBottom));

  const Placement kana{l.kanaX, l.kanaY, l.kanaSize};
  const std::int64_t pen = DivRound(l.kanaSize * 95, 1000);
  switch (symbol) {
    case Symbol::Paw: canvas.Fill(size == 16 ? SmallPaw() : Paw({l.pawX, l.pawY, l.pawSize}), c.ink); break;
    case Symbol::Hiragana: canvas.Fill(Hiragana(kana, pen), c.ink); break;
    case Symbol::Katakana: canvas.Fill(Katakana(kana, pen, 1000), c.ink); break;
    case Symbol::HalfKatakana: canvas.Fill(Katakana(kana, pen, kHalfWidthPermille), c.ink); break;
    case Symbol::FullAlnum: canvas.Fill(LatinA(kana, pen, 1000), c.ink); break;
    case Symbol::HalfAlnum: canvas.Fill(LatinA(kana, pen, kHalfWidthPermille), c.ink); break;
  }
  return canvas;
}

Bytes BuildDefaultPicture() { return BuildModePicture(Symbol::Hiragana); }

namespace {

// The window shows only the inner part with rounded corners (28 × 28 pixels at 32); the frame
// around the key-cap gets the outline colour so that nothing light shows at the corners.
Canvas OpaqueKeyCap(int size, Symbol symbol) {
  const Canvas cap = DrawKeyCap(size, symbol, Shading::Smooth);
  Canvas opaque(size, size);
  opaque.Fill(RoundRect(0, 0, std::int64_t{size} * kSub, std::int64_t{size} * kSub, 0), kSmooth.outline);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const Rgba p = cap.At(x, y);
      Rgba& d = opaque.At(x, y);
      auto over = [&](std::uint8_t s, std::uint8_t b) {
        return static_cast<std::uint8_t>(
            DivRound(std::int64_t{s} * p.a + std::int64_t{b} * (255 - p.a), 255));
      };
      d = {over(p.r, d.r), over(p.g, d.g), over(p.b, d.b), 255};
    }
  }
  return opaque;
}

}  // namespace

// At 32 pixels the image is the 24-bit bitmap it has always been; the larger ones are PNG,
// which keeps the file small.
Bytes BuildModePicture(Symbol symbol) {
  std::vector<IconImage> images;
  for (int size : kIndicatorSizes)
    images.push_back({size == 32 ? 24 : 32, OpaqueKeyCap(size, symbol), size > 32});
  return BuildIco(images);
}

Bytes BuildIndicatorProgramIcon() {
  std::vector<IconImage> images;
  for (int size : kIndicatorSizes)
    images.push_back({32, DrawKeyCap(size, Symbol::Paw, Shading::Smooth), size > 32});
  return BuildIco(images);
}

Bytes BuildInputModesStrip() {
  constexpr int kCap = 48, kGap = 8;
  const Symbol modes[] = {Symbol::Hiragana, Symbol::Katakana, Symbol::HalfKatakana, Symbol::FullAlnum,
                          Symbol::HalfAlnum};
  Canvas strip(5 * kCap + 4 * kGap, kCap);
  for (int i = 0; i < 5; ++i) {
    const Canvas cap = DrawKeyCap(kCap, modes[i], Shading::Smooth);
    for (int y = 0; y < kCap; ++y)
      for (int x = 0; x < kCap; ++x) strip.At(i * (kCap + kGap) + x, y) = cap.At(x, y);
  }
  return BuildPng(strip);
}

Bytes BuildProgramIcon() {
  std::vector<IconImage> images;
  for (int size : {16, 32, 48}) images.push_back({32, DrawKeyCap(size, Symbol::Paw, Shading::Smooth)});
  for (int size : {16, 32, 48}) images.push_back({8, DrawKeyCap(size, Symbol::Paw, Shading::Smooth)});
  for (int size : {16, 32}) images.push_back({4, DrawKeyCap(size, Symbol::Paw, Shading::Vga)});
  images.push_back({32, DrawKeyCap(256, Symbol::Paw, Shading::Smooth)});
  return BuildIco(images);
}

std::vector<std::pair<std::string, Bytes>> GeneratePictures() {
  Bytes icon = BuildProgramIcon();
  // The program icon's images are the first icon resources of the executable: ids 1 on.
  Bytes group = BuildIconGroup(icon, 1);
  return {{"imagedef.ico", BuildDefaultPicture()},
          {"ruvano.ico", std::move(icon)},
          {"appicon.grp", std::move(group)},
          {"modekata.ico", BuildModePicture(Symbol::Katakana)},
          {"modehkata.ico", BuildModePicture(Symbol::HalfKatakana)},
          {"modealnum.ico", BuildModePicture(Symbol::FullAlnum)},
          {"modehalnum.ico", BuildModePicture(Symbol::HalfAlnum)},
          {"imageapp.ico", BuildIndicatorProgramIcon()}};
}

}  // namespace ruvano::media
