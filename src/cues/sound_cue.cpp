#include "cues/sound_cue.h"

#include <array>

namespace ruvano {

namespace {

// Indexed like the items of the two sound groups; lower case, as the resource lookup
// ignores the case of names.
constexpr std::array<const char16_t*, Settings::kSoundCount> kSoundNames = {
    u"0kacha", u"1kata", u"2pii", u"3pi",  u"4pin",  u"5pu",
    u"6po",    u"7nya",  u"8wan", u"9hyu", u"10pyu", u"11pya",
};

}  // namespace

Text SoundCue::SoundName(std::int32_t index) {
  if (index >= 0 && index < Settings::kSoundCount) return kSoundNames[static_cast<std::size_t>(index)];
  return u"nil";
}

void SoundCue::Play(bool on) {
  // The selection is read at the moment of the call: the settings window may have changed it.
  const std::int32_t index = on ? settings_.WaveIndex() : settings_.OffWaveIndex();
  player_.Stop();
  // No sound selected (-1, from the settings file) means silence. Asked for a name it cannot
  // find, the system would play its default sound instead, on every cue.
  if (index < 0 || index >= Settings::kSoundCount) return;
  player_.PlayResource(SoundName(index));
}

}  // namespace ruvano
