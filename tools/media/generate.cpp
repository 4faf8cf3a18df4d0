#include "media/generate.h"

#include "media/file_io.h"
#include "media/pictures.h"
#include "media/sounds.h"
#include "media/wave_file.h"

namespace ruvano::media {

std::vector<std::pair<std::string, Bytes>> GenerateSounds() {
  std::vector<std::pair<std::string, Bytes>> files;
  const auto& list = SoundList();
  for (std::size_t i = 0; i < list.size(); ++i) {
    files.emplace_back(list[i].name + ".wav",
                       BuildWave(SynthesizeSound(static_cast<int>(i)), list[i].title, list[i].tagged));
  }
  return files;
}

std::vector<std::pair<std::string, Bytes>> GenerateDocPictures() {
  return {{"input-modes.png", BuildInputModesStrip()}};
}

void WriteAll(const std::vector<std::pair<std::string, Bytes>>& files, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  for (const auto& [name, bytes] : files) WriteFile(folder / name, bytes);
}

}  // namespace ruvano::media
