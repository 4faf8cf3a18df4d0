#include "media/sounds.h"

#include <stdexcept>

#include "media/synth.h"

namespace ruvano::media {

namespace {

consteval std::int32_t Level(double v) { return static_cast<std::int32_t>(v * kUnity); }

// カチャ: the tick of a latch going down, then the brighter, longer clack as it catches.
Mix Kacha(std::int32_t frames) {
  Mix m(frames);
  m.AddNoise(0, Ms(4), 101, {{0, Level(0.9)}, {Ms(4), 0}}, Hz(3800), Level(0.5));
  m.AddMode(0, Hz(2700), Level(0.45), Ms(5));
  m.AddMode(0, Hz(1250), Level(0.35), Ms(9));
  m.AddMode(0, Hz(4600), Level(0.2), Ms(3));
  const std::int32_t cha = Ms(64);
  m.AddNoise(cha, Ms(60), 102, {{0, 0}, {Ms(1), Level(0.6)}, {Ms(20), Level(0.2)}, {Ms(60), 0}}, Hz(5200),
             Level(0.9), 2);
  m.AddMode(cha, Hz(3300), Level(0.35), Ms(20));
  m.AddMode(cha, Hz(5800), Level(0.18), Ms(14));
  m.AddMode(cha, Hz(1900), Level(0.3), Ms(11));
  m.AddMode(cha, Hz(820), Level(0.3), Ms(9));
  m.Fade(12, Ms(12));
  return m;
}

// カタッ: two knocks on wood, the second lower and firmer, then silence.
Mix Kata(std::int32_t frames) {
  Mix m(frames);
  m.AddNoise(0, Ms(3), 201, {{0, Level(0.7)}, {Ms(3), 0}}, Hz(3000), Level(0.6));
  m.AddMode(0, Hz(1050), Level(0.5), Ms(12));
  m.AddMode(0, Hz(2350), Level(0.35), Ms(7));
  m.AddMode(0, Hz(3900), Level(0.2), Ms(4));
  const std::int32_t ta = Ms(58);
  m.AddNoise(ta, Ms(4), 202, {{0, Level(0.8)}, {Ms(4), 0}}, Hz(2500), Level(0.6));
  m.AddMode(ta, Hz(820), Level(0.55), Ms(16));
  m.AddMode(ta, Hz(1700), Level(0.4), Ms(10));
  m.AddMode(ta, Hz(2900), Level(0.25), Ms(6));
  m.Fade(12, Ms(15));
  return m;
}

// The beep shared by ピィ and ピッ: a clear tone with a touch of its upper harmonics, its
// pitch settling in the first milliseconds.
Mix Beep(std::int32_t frames, std::int32_t fadeIn, std::int32_t fadeOut) {
  Mix m(frames);
  m.AddTone(0, frames, {{0, Hz(2020)}, {Ms(8), Hz(2093)}}, kUnity, {kUnity, Level(0.09), Level(0.04)});
  m.Fade(fadeIn, fadeOut);
  return m;
}

// ピン: a small glass bell: a long fundamental, a slightly detuned twin that makes it shimmer,
// and quickly fading inharmonic partials.
Mix Pin(std::int32_t frames) {
  Mix m(frames);
  m.AddNoise(0, Ms(2), 401, {{0, Level(0.3)}, {Ms(2), 0}}, Hz(6000), Level(0.5));
  m.AddMode(0, Hz(1568), Level(0.5), Ms(230));
  m.AddMode(0, Hz(1571), Level(0.15), Ms(260));
  m.AddMode(0, Hz(3140), Level(0.06), Ms(110));
  m.AddMode(0, Hz(4328), Level(0.16), Ms(60));
  m.AddMode(0, Hz(8467), Level(0.05), Ms(18));
  m.Fade(24, Ms(40));
  return m;
}

// プッ: a short toot of a soft reed, with a puff of breath at its start.
Mix Pu(std::int32_t frames) {
  Mix m(frames);
  m.AddNoise(0, Ms(30), 501, {{0, 0}, {Ms(3), Level(0.25)}, {Ms(30), 0}}, Hz(700), Level(0.6), 2);
  m.AddTone(0, frames, {{0, Hz(360)}, {Ms(18), Hz(392)}, {Ms(150), Hz(388)}, {Ms(200), Hz(350)}},
            {{0, 0}, {Ms(10), kUnity}, {Ms(120), Level(0.85)}, {Ms(190), 0}},
            {kUnity, Level(0.5), Level(0.3), Level(0.17), Level(0.09), Level(0.05)});
  m.Fade(48, Ms(15));
  return m;
}

// ポッ: a bubble bursting: a round tone whose pitch jumps up as it dies, over a soft body.
Mix Po(std::int32_t frames) {
  Mix m(frames);
  m.AddTone(0, Ms(160), {{0, Hz(420)}, {Ms(35), Hz(950)}, {Ms(160), Hz(990)}},
            {{0, 0},
             {Ms(1), kUnity},
             {Ms(15), Level(0.62)},
             {Ms(40), Level(0.25)},
             {Ms(80), Level(0.07)},
             {Ms(160), 0}},
            {kUnity, Level(0.12)});
  m.AddMode(0, Hz(520), Level(0.18), Ms(80), Ms(3));
  m.AddMode(Ms(2), Hz(1310), Level(0.05), Ms(120), Ms(5));
  m.Fade(24, Ms(30));
  return m;
}

// ニャー: a cat: a nasal onset opening from "i" to a long "a" while the pitch rises and
// falls, with a gentle vibrato.
Mix Nya(std::int32_t frames) {
  Mix m(frames);
  const std::int32_t end = frames;
  std::vector<Mix::Formant> formants = {
      {{{0, Hz(350)}, {Ms(60), Hz(420)}, {Ms(220), Hz(950)}, {Ms(600), Hz(880)}, {end, Hz(620)}},
       Hz(280),
       kUnity},
      {{{0, Hz(1400)}, {Ms(60), Hz(2500)}, {Ms(230), Hz(1750)}, {end, Hz(1300)}},
       Hz(320),
       {{0, Level(0.4)}, {Ms(60), Level(0.8)}, {Ms(230), Level(0.65)}}},
      {Hz(3200), Hz(320), Level(0.3)},
      {Hz(4500), Hz(500), Level(0.12)},
  };
  m.AddVoice(0, frames,
             {{0, Hz(560)}, {Ms(130), Hz(760)}, {Ms(350), Hz(720)}, {Ms(700), Hz(600)}, {end, Hz(470)}},
             {{0, 0}, {Ms(50), Level(0.3)}, {Ms(160), kUnity}, {Ms(520), Level(0.75)}, {end, 0}}, formants,
             Hz(5) + 500, Level(0.012));
  m.Fade(Ms(5), Ms(30));
  return m;
}

// ワン: a small dog's bark: a sharp "wa" with a breathy burst, falling into a nasal "n".
Mix Wan(std::int32_t frames) {
  Mix m(frames);
  const std::int32_t end = frames;
  std::vector<Mix::Formant> formants = {
      {{{0, Hz(380)}, {Ms(50), Hz(850)}, {Ms(190), Hz(780)}, {Ms(290), Hz(330)}}, Hz(200), kUnity},
      {{{0, Hz(800)}, {Ms(50), Hz(1500)}, {Ms(190), Hz(1400)}, {Ms(290), Hz(1150)}},
       Hz(300),
       {{0, Level(0.6)}, {Ms(200), Level(0.55)}, {Ms(290), Level(0.12)}}},
      {Hz(2800), Hz(400), {{0, Level(0.35)}, {Ms(200), Level(0.3)}, {Ms(290), Level(0.05)}}},
  };
  m.AddVoice(0, frames,
             {{0, Hz(420)}, {Ms(40), Hz(560)}, {Ms(180), Hz(470)}, {Ms(350), Hz(330)}, {end, Hz(280)}},
             {{0, 0},
              {Ms(15), kUnity},
              {Ms(120), Level(0.85)},
              {Ms(250), Level(0.35)},
              {Ms(450), Level(0.12)},
              {end, 0}},
             formants, Hz(7), Level(0.02));
  m.AddNoise(0, Ms(90), 801, {{0, 0}, {Ms(5), Level(0.35)}, {Ms(90), 0}}, Hz(1300), Level(0.45), 2);
  m.Fade(Ms(2), Ms(30));
  return m;
}

// ヒュッ: a rush of air whose pitch sweeps up, with a faint whistle on top, stopping short.
Mix Hyu(std::int32_t frames) {
  Mix m(frames);
  const Curve centre = {{0, Hz(700)}, {Ms(200), Hz(2800)}, {Ms(243), Hz(3000)}};
  const Curve amp = {{0, 0}, {Ms(150), kUnity}, {Ms(215), Level(0.55)}, {Ms(236), 0}};
  m.AddNoise(0, frames, 901, amp, centre, Level(0.25), 2);
  m.AddTone(0, frames, centre, {{0, 0}, {Ms(150), Level(0.025)}, {Ms(215), Level(0.015)}, {Ms(236), 0}});
  m.Fade(Ms(5), Ms(8));
  return m;
}

// ピュッ: a whistle that darts up and off.
Mix Pyu(std::int32_t frames) {
  Mix m(frames);
  m.AddTone(0, frames, {{0, Hz(1300)}, {Ms(110), Hz(3100)}, {Ms(250), Hz(2700)}},
            {{0, 0}, {Ms(8), kUnity}, {Ms(170), Level(0.8)}, {Ms(245), 0}}, {kUnity, Level(0.08)});
  m.Fade(Ms(3), Ms(10));
  return m;
}

// ピャッ: the squeak of a rubber toy: a nasal, quickly rising and falling tone.
Mix Pya(std::int32_t frames) {
  Mix m(frames);
  m.AddTone(0, frames, {{0, Hz(1700)}, {Ms(25), Hz(2500)}, {Ms(92), Hz(2100)}},
            {{0, 0}, {Ms(4), kUnity}, {Ms(50), Level(0.8)}, {Ms(90), 0}},
            {kUnity, Level(0.45), Level(0.3), Level(0.15)});
  m.Fade(Ms(2), Ms(6));
  return m;
}

}  // namespace

const std::vector<SoundInfo>& SoundList() {
  static const std::vector<SoundInfo> list = {
      {"0kacha", "Kacha", 10368, true}, {"1kata", "Kata", 9216, true},  {"2pii", "Pii", 8926, true},
      {"3pi", "Pi", 1559, true},        {"4pin", "Pin", 39158, true},   {"5pu", "Pu", 9984, true},
      {"6po", "Po", 28213, true},       {"7nya", "Nya", 43477, true},   {"8wan", "Wan", 27316, true},
      {"9hyu", "Hyu", 11661, false},    {"10pyu", "Pyu", 12009, false}, {"11pya", "Pya", 4416, false},
  };
  return list;
}

std::vector<std::int16_t> SynthesizeSound(int index) {
  const std::int32_t n = SoundList().at(static_cast<std::size_t>(index)).frames;
  // Peak levels stay 5 to 10 dB below full scale; the bright tones sit lower, as the ear
  // hears 2 to 4 kHz loudest.
  switch (index) {
    case 0: return Kacha(n).Render(18000);
    case 1: return Kata(n).Render(18000);
    case 2: return Beep(n, Ms(3), Ms(25)).Render(11000);
    case 3: return Beep(n, Ms(2), Ms(10)).Render(11000);
    case 4: return Pin(n).Render(16000);
    case 5: return Pu(n).Render(17000);
    case 6: return Po(n).Render(18000);
    case 7: return Nya(n).Render(16000);
    case 8: return Wan(n).Render(17000);
    case 9: return Hyu(n).Render(16000);
    case 10: return Pyu(n).Render(11000);
    case 11: return Pya(n).Render(13000);
  }
  throw std::out_of_range("sound index");
}

}  // namespace ruvano::media
