#include "media/raster.h"

#include <algorithm>

#include "media/fixed.h"

namespace ruvano::media {

namespace {

constexpr int kGrid = 8;  // samples per pixel in each direction
constexpr std::int64_t kStep = kSub / kGrid;

}  // namespace

Shape RoundRect(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, std::int64_t rad) {
  return {{l, t, r, b}, [=](std::int64_t x, std::int64_t y) {
            if (x < l || x >= r || y < t || y >= b) return false;
            const std::int64_t cx = std::clamp(x, l + rad, r - rad);
            const std::int64_t cy = std::clamp(y, t + rad, b - rad);
            const std::int64_t dx = x - cx, dy = y - cy;
            return dx * dx + dy * dy <= rad * rad;
          }};
}

Shape Ellipse(std::int64_t cx, std::int64_t cy, std::int64_t rx, std::int64_t ry, std::uint32_t turn) {
  const std::int64_t c = CosQ30(turn), s = SinQ30(turn);
  const std::int64_t reach = std::max(rx, ry);
  return {{cx - reach, cy - reach, cx + reach, cy + reach}, [=](std::int64_t x, std::int64_t y) {
            const std::int64_t dx = x - cx, dy = y - cy;
            const std::int64_t u = (dx * c + dy * s) >> 30;
            const std::int64_t v = (dy * c - dx * s) >> 30;
            return u * u * ry * ry + v * v * rx * rx <= rx * rx * ry * ry;
          }};
}

Shape Stroke(std::vector<std::pair<std::int64_t, std::int64_t>> pts, std::int64_t width) {
  const std::int64_t half = width / 2;
  Box box{pts[0].first, pts[0].second, pts[0].first, pts[0].second};
  for (auto [x, y] : pts) {
    box.left = std::min(box.left, x - half);
    box.right = std::max(box.right, x + half);
    box.top = std::min(box.top, y - half);
    box.bottom = std::max(box.bottom, y + half);
  }
  return {box, [pts = std::move(pts), half](std::int64_t x, std::int64_t y) {
            const std::int64_t h2 = half * half;
            for (std::size_t i = 0; i < pts.size(); ++i) {
              const auto [ax, ay] = pts[i];
              const std::int64_t px = x - ax, py = y - ay;
              if (px * px + py * py <= h2) return true;
              if (i + 1 == pts.size()) break;
              const std::int64_t ex = pts[i + 1].first - ax, ey = pts[i + 1].second - ay;
              const std::int64_t len2 = ex * ex + ey * ey;
              const std::int64_t dot = px * ex + py * ey;
              if (len2 == 0 || dot <= 0 || dot >= len2) continue;
              const std::int64_t cross = px * ey - py * ex;  // distance² = cross² / len2
              if (cross * cross <= h2 * len2) return true;
            }
            return false;
          }};
}

std::vector<std::pair<std::int64_t, std::int64_t>> SmoothCurve(
    const std::vector<std::pair<std::int64_t, std::int64_t>>& p, int steps) {
  std::vector<std::pair<std::int64_t, std::int64_t>> out;
  const std::int64_t n = steps;
  auto at = [&](std::size_t i) { return p[std::min(i, p.size() - 1)]; };
  for (std::size_t i = 0; i + 1 < p.size(); ++i) {
    const auto p0 = i == 0 ? p[0] : p[i - 1];
    const auto p1 = p[i], p2 = at(i + 1), p3 = at(i + 2);
    for (std::int64_t k = 0; k < n; ++k) {
      // 2·n³·P(t) for t = k/n, Catmull-Rom.
      auto axis = [&](std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
        const std::int64_t v = 2 * b * n * n * n + (c - a) * k * n * n +
                               (2 * a - 5 * b + 4 * c - d) * k * k * n + (3 * b - a - 3 * c + d) * k * k * k;
        return DivRound(v, 2 * n * n * n);
      };
      out.emplace_back(axis(p0.first, p1.first, p2.first, p3.first),
                       axis(p0.second, p1.second, p2.second, p3.second));
    }
  }
  out.push_back(p.back());
  return out;
}

Shape Union(std::vector<Shape> parts) {
  Box box = parts[0].bounds;
  for (const auto& s : parts) {
    box.left = std::min(box.left, s.bounds.left);
    box.top = std::min(box.top, s.bounds.top);
    box.right = std::max(box.right, s.bounds.right);
    box.bottom = std::max(box.bottom, s.bounds.bottom);
  }
  return {box, [parts = std::move(parts)](std::int64_t x, std::int64_t y) {
            return std::any_of(parts.begin(), parts.end(), [&](const Shape& s) { return s.inside(x, y); });
          }};
}

void Canvas::Fill(const Shape& shape, const std::function<Rgba(int)>& paint) {
  const int x0 = static_cast<int>(std::max<std::int64_t>(0, shape.bounds.left / kSub - 1));
  const int y0 = static_cast<int>(std::max<std::int64_t>(0, shape.bounds.top / kSub - 1));
  const int x1 = static_cast<int>(std::min<std::int64_t>(w_, shape.bounds.right / kSub + 2));
  const int y1 = static_cast<int>(std::min<std::int64_t>(h_, shape.bounds.bottom / kSub + 2));
  for (int y = y0; y < y1; ++y) {
    const Rgba colour = paint(y);
    for (int x = x0; x < x1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kGrid; ++sy) {
        for (int sx = 0; sx < kGrid; ++sx) {
          if (shape.inside(x * kSub + sx * kStep + kStep / 2, y * kSub + sy * kStep + kStep / 2)) ++hits;
        }
      }
      if (hits) Blend(x, y, colour, hits);
    }
  }
}

// Source over destination with straight alpha; coverage is out of kGrid².
void Canvas::Blend(int x, int y, Rgba src, int coverage) {
  Rgba& d = At(x, y);
  const std::int64_t full = 255 * kGrid * kGrid;
  const std::int64_t sa = src.a * coverage;                       // out of full
  const std::int64_t da = std::int64_t{d.a} * (full - sa) / 255;  // what shows of the destination
  const std::int64_t oa = sa + da;
  if (oa == 0) return;
  auto mix = [&](std::uint8_t s, std::uint8_t dv) {
    return static_cast<std::uint8_t>(DivRound(s * sa + dv * da, oa));
  };
  d = {mix(src.r, d.r), mix(src.g, d.g), mix(src.b, d.b),
       static_cast<std::uint8_t>(DivRound(oa, kGrid * kGrid))};
}

std::function<Rgba(int)> VerticalGradient(Rgba top, Rgba bottom, int y0, int y1) {
  return [=](int y) {
    const std::int64_t t = std::clamp(y, y0, y1) - y0, n = std::max(1, y1 - y0);
    auto lerp = [&](std::uint8_t a, std::uint8_t b) {
      return static_cast<std::uint8_t>(a + DivRound((std::int64_t{b} - a) * t, n));
    };
    return Rgba{lerp(top.r, bottom.r), lerp(top.g, bottom.g), lerp(top.b, bottom.b), lerp(top.a, bottom.a)};
  };
}

}  // namespace ruvano::media
