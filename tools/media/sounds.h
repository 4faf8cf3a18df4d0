// The program's twelve sounds: what each is called, how long it is, and its samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ruvano::media {

struct SoundInfo {
  std::string name;     // resource name in lower case, also the file's stem
  std::string title;    // for the file's tag
  std::int32_t frames;  // stereo sample frames at 48 kHz
  bool tagged;          // carries an "ID3 " chunk after its data
};

// The twelve sounds in the order of the sound groups.
const std::vector<SoundInfo>& SoundList();

// The samples of sound `index` (0..11), one channel; the file repeats it in both.
std::vector<std::int16_t> SynthesizeSound(int index);

}  // namespace ruvano::media
