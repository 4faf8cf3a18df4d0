// A small vector rasteriser for the pictures: shapes given in sub-pixel units (1/64 pixel)
// are sampled 8 × 8 times per pixel and blended over an RGBA canvas with straight alpha.
// All integer arithmetic, so the pictures are the same everywhere.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace ruvano::media {

constexpr std::int64_t kSub = 64;  // sub-pixel units per pixel

// A length in pixels (multiples of 1/64 are exact) as sub-pixel units.
consteval std::int64_t Px(double px) { return static_cast<std::int64_t>(px * kSub + (px < 0 ? -0.5 : 0.5)); }

struct Rgba {
  std::uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};
constexpr Rgba Grey(std::uint8_t v, std::uint8_t a = 255) { return {v, v, v, a}; }

struct Box {
  std::int64_t left, top, right, bottom;  // sub-pixel units
};

// A shape: its bounds and whether a point (sub-pixel units) lies inside.
struct Shape {
  Box bounds;
  std::function<bool(std::int64_t x, std::int64_t y)> inside;
};

Shape RoundRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom,
                std::int64_t radius);
// An ellipse with radii rx, ry, turned by `turn` (a fraction of a full turn, 2^32 = 360°).
Shape Ellipse(std::int64_t cx, std::int64_t cy, std::int64_t rx, std::int64_t ry, std::uint32_t turn = 0);
// A line of the given width through the points, with round ends and joins.
Shape Stroke(std::vector<std::pair<std::int64_t, std::int64_t>> points, std::int64_t width);
// The points of a smooth curve (Catmull-Rom) through the given points, `steps` per span.
std::vector<std::pair<std::int64_t, std::int64_t>> SmoothCurve(
    const std::vector<std::pair<std::int64_t, std::int64_t>>& through, int steps);
Shape Union(std::vector<Shape> parts);

class Canvas {
 public:
  Canvas(int width, int height) : w_(width), h_(height), px_(static_cast<std::size_t>(width * height)) {}
  int Width() const { return w_; }
  int Height() const { return h_; }
  Rgba At(int x, int y) const { return px_[static_cast<std::size_t>(y * w_ + x)]; }
  Rgba& At(int x, int y) { return px_[static_cast<std::size_t>(y * w_ + x)]; }

  // Paints the shape's coverage with a colour from `paint` (called with the pixel row).
  void Fill(const Shape& shape, const std::function<Rgba(int y)>& paint);
  void Fill(const Shape& shape, Rgba colour) {
    Fill(shape, [colour](int) { return colour; });
  }

 private:
  void Blend(int x, int y, Rgba src, int coverage);
  int w_, h_;
  std::vector<Rgba> px_;
};

// A vertical gradient from `top` at row y0 to `bottom` at row y1 (pixels).
std::function<Rgba(int)> VerticalGradient(Rgba top, Rgba bottom, int y0, int y1);

}  // namespace ruvano::media
