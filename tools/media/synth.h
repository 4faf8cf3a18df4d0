// Building blocks of the sound generator: a mono mix buffer in fixed point and the voices
// that add to it (tones with gliding pitch, struck modes, filtered noise, a voice with
// formants), then fades and the final scaling to 16-bit samples.
//
// Units: sample positions at 48 kHz; frequencies in millihertz; amplitudes as Q16
// (65536 = full scale); the mix holds Q24 values (2^24 = full scale), with head room.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace ruvano::media {

constexpr std::int32_t kSampleRate = 48000;

constexpr std::int32_t Ms(std::int32_t ms) { return ms * (kSampleRate / 1000); }
constexpr std::int64_t Hz(std::int64_t hz) { return hz * 1000; }
constexpr std::int32_t kUnity = 65536;  // amplitude 1.0 as Q16

// A value that changes over time: straight lines between points (position, value); flat
// before the first point and after the last.
class Curve {
 public:
  Curve(std::int64_t constant) : points_{{0, constant}} {}
  Curve(std::initializer_list<std::pair<std::int32_t, std::int64_t>> points) : points_(points) {}
  std::int64_t At(std::int32_t t) const;

 private:
  std::vector<std::pair<std::int32_t, std::int64_t>> points_;
};

class Mix {
 public:
  explicit Mix(std::int32_t frames) : v_(static_cast<std::size_t>(frames), 0) {}
  std::int32_t Frames() const { return static_cast<std::int32_t>(v_.size()); }
  std::int64_t& operator[](std::int32_t i) { return v_[static_cast<std::size_t>(i)]; }
  std::int64_t operator[](std::int32_t i) const { return v_[static_cast<std::size_t>(i)]; }

  // A sine tone from start for len samples with gliding frequency and an amplitude curve
  // (positions of both curves relative to start); harmonics[k] is the Q16 level of the
  // (k+1)-th harmonic relative to the fundamental.
  void AddTone(std::int32_t start, std::int32_t len, const Curve& freq, const Curve& amp,
               std::initializer_list<std::int32_t> harmonics = {kUnity});

  // A struck mode: a sine at a fixed frequency that dies away exponentially with the time
  // constant tau (samples), after a short rise of `rise` samples.
  void AddMode(std::int32_t start, std::int64_t freq, std::int32_t amp, std::int32_t tau,
               std::int32_t rise = 24);

  // Noise through a resonant band-pass filter whose centre may glide; q is the filter's
  // damping (Q16, smaller rings longer); two stages make the band steeper. Amplitude and
  // centre curves are relative to start.
  void AddNoise(std::int32_t start, std::int32_t len, std::uint32_t seed, const Curve& amp,
                const Curve& centre, std::int32_t q, int stages = 1);

  // A voiced sound: harmonics of a gliding fundamental shaped by up to four formants
  // (centre and bandwidth curves in millihertz, levels Q16), with vibrato of the given rate
  // and depth (Q16 fraction of the pitch), and an amplitude curve; spectral tilt: each
  // harmonic h starts at level 1/h^tilt (tilt 1 or 2).
  struct Formant {
    Curve centre;
    Curve width;
    Curve level;
  };
  void AddVoice(std::int32_t start, std::int32_t len, const Curve& f0, const Curve& amp,
                const std::vector<Formant>& formants, std::int64_t vibratoRate, std::int32_t vibratoDepth,
                std::int32_t tilt = 1);

  // Raised-cosine fades at both ends, so the sound starts and stops at zero.
  void Fade(std::int32_t in, std::int32_t out);

  // Scales the mix so its largest magnitude becomes `peak` and returns 16-bit samples.
  std::vector<std::int16_t> Render(std::int16_t peak) const;

 private:
  std::vector<std::int64_t> v_;
};

// The phase step per sample of a frequency in millihertz.
std::uint32_t PhaseStep(std::int64_t freq);

}  // namespace ruvano::media
