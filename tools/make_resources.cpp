// Writes the program's generated sounds and pictures into a folder (by default the
// resources folder of the source tree), or the documentation's pictures:
//
//   make_resources [FOLDER] [sounds|pictures|docs]
#include <cstring>
#include <exception>
#include <iostream>

#include "media/generate.h"

int main(int argc, char** argv) {
  try {
    const std::filesystem::path folder = argc > 1 ? argv[1] : RUVANO_RESOURCES_DIR;
    const char* which = argc > 2 ? argv[2] : "";
    if (std::strcmp(which, "docs") == 0) {
      ruvano::media::WriteAll(ruvano::media::GenerateDocPictures(), folder);
      std::cout << "written to " << folder.string() << "\n";
      return 0;
    }
    if (std::strcmp(which, "pictures") != 0) ruvano::media::WriteAll(ruvano::media::GenerateSounds(), folder);
    if (std::strcmp(which, "sounds") != 0) ruvano::media::WriteAll(ruvano::media::GeneratePictures(), folder);
    std::cout << "written to " << folder.string() << "\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "make_resources: " << e.what() << "\n";
    return 1;
  }
}
