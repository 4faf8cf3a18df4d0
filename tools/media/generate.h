// The generated resource files, by file name, and writing them into a folder.
#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "media/bytes.h"

namespace ruvano::media {

// "0kacha.wav" .. "11pya.wav".
std::vector<std::pair<std::string, Bytes>> GenerateSounds();
// "imagedef.ico", "ruvano.ico", "appicon.grp" (a second icon group over the images of
// "ruvano.ico") and the four other input modes' pictures "modekata.ico", "modehkata.ico",
// "modealnum.ico" and "modehalnum.ico".
std::vector<std::pair<std::string, Bytes>> GeneratePictures();

// The pictures of the documentation: "input-modes.png".
std::vector<std::pair<std::string, Bytes>> GenerateDocPictures();

void WriteAll(const std::vector<std::pair<std::string, Bytes>>& files, const std::filesystem::path& folder);

}  // namespace ruvano::media
