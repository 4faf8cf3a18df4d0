#include "media/synth.h"

#include <algorithm>
#include <cstdlib>

#include "media/fixed.h"

namespace ruvano::media {

std::int64_t Curve::At(std::int32_t t) const {
  if (t <= points_.front().first) return points_.front().second;
  for (std::size_t i = 1; i < points_.size(); ++i) {
    const auto& [t1, v1] = points_[i];
    if (t < t1) {
      const auto& [t0, v0] = points_[i - 1];
      return v0 + (v1 - v0) * (t - t0) / (t1 - t0);
    }
  }
  return points_.back().second;
}

std::uint32_t PhaseStep(std::int64_t freq) {
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(freq) << 32) /
                                    (std::uint64_t{kSampleRate} * 1000));
}

void Mix::AddTone(std::int32_t start, std::int32_t len, const Curve& freq, const Curve& amp,
                  std::initializer_list<std::int32_t> harmonics) {
  std::uint32_t phase = 0;
  for (std::int32_t i = 0; i < len && start + i < Frames(); ++i) {
    const std::int64_t f = freq.At(i);
    std::int64_t s = 0;
    std::uint32_t h = 1;
    for (std::int32_t level : harmonics) {
      // Harmonics above 20 kHz would fold back: leave them out.
      if (f * h < Hz(20000)) s += (std::int64_t{SinQ30(phase * h)} * level) >> 16;
      ++h;
    }
    (*this)[start + i] += (s * amp.At(i)) >> 22;  // Q30 · Q16 → Q24
    phase += PhaseStep(f);
  }
}

void Mix::AddMode(std::int32_t start, std::int64_t freq, std::int32_t amp, std::int32_t tau,
                  std::int32_t rise) {
  const std::uint32_t step = PhaseStep(freq);
  const std::int64_t keep = (std::int64_t{1} << 30) - (std::int64_t{1} << 30) / tau;  // ≈ e^(-1/tau)
  std::int64_t env = std::int64_t{amp} << 14;                                         // Q30
  std::uint32_t phase = 0;
  for (std::int32_t i = start; i < Frames() && env > 0; ++i) {
    std::int64_t e = env;
    const std::int32_t k = i - start;
    if (k < rise) e = e * k / rise;
    (*this)[i] += (std::int64_t{SinQ30(phase)} * (e >> 14)) >> 22;
    phase += step;
    env = (env * keep) >> 30;
  }
}

void Mix::AddNoise(std::int32_t start, std::int32_t len, std::uint32_t seed, const Curve& amp,
                   const Curve& centre, std::int32_t q, int stages) {
  Random rnd(seed);
  std::int64_t low[2] = {}, band[2] = {};  // Q24 filter state of each stage
  for (std::int32_t i = 0; i < len && start + i < Frames(); ++i) {
    // Chamberlin state-variable filters; the tuning coefficient is 2·sin(π·fc/fs) in Q16.
    const std::int64_t f = (std::int64_t{SinQ30(PhaseStep(centre.At(i)) / 2)} * 2) >> 14;
    std::int64_t x = rnd.NextQ24();
    for (int st = 0; st < stages && st < 2; ++st) {
      const std::int64_t high = x - low[st] - ((band[st] * q) >> 16);
      band[st] += (f * high) >> 16;
      low[st] += (f * band[st]) >> 16;
      x = (band[st] * q) >> 16;  // unity gain at the centre
    }
    (*this)[start + i] += (x * amp.At(i)) >> 16;
  }
}

namespace {

// Level (Q16) of a set of formants at frequency f: each is a resonance curve
// level · w² / ((f − centre)² + w²), in hertz.
std::int64_t FormantGain(const std::vector<Mix::Formant>& formants, std::int32_t t, std::int64_t fHz) {
  std::int64_t g = 0;
  for (const auto& fm : formants) {
    const std::int64_t c = fm.centre.At(t) / 1000;
    const std::int64_t w = fm.width.At(t) / 1000;
    const std::int64_t d = fHz - c;
    g += fm.level.At(t) * (w * w) / (d * d + w * w);
  }
  return g;
}

}  // namespace

void Mix::AddVoice(std::int32_t start, std::int32_t len, const Curve& f0, const Curve& amp,
                   const std::vector<Formant>& formants, std::int64_t vibratoRate, std::int32_t vibratoDepth,
                   std::int32_t tilt) {
  std::uint32_t phase = 0;
  std::uint32_t vibPhase = 0;
  const std::uint32_t vibStep = PhaseStep(vibratoRate);
  for (std::int32_t i = 0; i < len && start + i < Frames(); ++i) {
    const std::int64_t bend = kUnity + ((std::int64_t{SinQ30(vibPhase)} * vibratoDepth) >> 30);
    const std::int64_t f = (f0.At(i) * bend) >> 16;
    std::int64_t s = 0;
    for (std::uint32_t h = 1; f * h < Hz(9000); ++h) {
      const std::int64_t source = kUnity / (tilt == 2 ? h * h : h);
      const std::int64_t level = (source * FormantGain(formants, i, f * h / 1000)) >> 16;
      s += (std::int64_t{SinQ30(phase * h)} * level) >> 16;
    }
    (*this)[start + i] += (s * amp.At(i)) >> 22;
    phase += PhaseStep(f);
    vibPhase += vibStep;
  }
}

void Mix::Fade(std::int32_t in, std::int32_t out) {
  // Weight (1 − cos(π·k/n)) / 2, in Q30.
  auto weight = [](std::int32_t k, std::int32_t n) {
    const std::uint32_t half =
        static_cast<std::uint32_t>((static_cast<std::uint64_t>(k) << 31) / static_cast<std::uint64_t>(n));
    return ((std::int64_t{1} << 30) - CosQ30(half)) / 2;
  };
  for (std::int32_t k = 0; k < in && k < Frames(); ++k) (*this)[k] = ((*this)[k] * weight(k, in)) >> 30;
  for (std::int32_t k = 0; k < out && k < Frames(); ++k) {
    std::int64_t& s = (*this)[Frames() - 1 - k];
    s = (s * weight(k, out)) >> 30;
  }
}

std::vector<std::int16_t> Mix::Render(std::int16_t peak) const {
  std::int64_t top = 1;
  for (std::int64_t s : v_) top = std::max<std::int64_t>(top, std::llabs(s));
  std::vector<std::int16_t> out;
  out.reserve(v_.size());
  for (std::int64_t s : v_) out.push_back(static_cast<std::int16_t>(DivRound(s * peak, top)));
  return out;
}

}  // namespace ruvano::media
