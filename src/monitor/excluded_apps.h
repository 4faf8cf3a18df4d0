// The programs the user wants left alone: a list of image file names separated by ";"
// ("ExcludeApps"), and the name of the program behind a window in front. Portable.
#pragma once

#include <vector>

#include "monitor/desktop.h"
#include "zeq/types.h"

namespace ruvano {

// The file name of an image path: the text after its last "\" or ":" (all of it when it has
// neither).
Text ImageFileName(const Text& path);

// Two image names are the same program when they differ at most in the case of A to Z, as
// the shell's own names are compared.
bool SameImageName(const Text& a, const Text& b);

// The names of a list, in order: split at ";", blanks (U+0020 and below) around each name
// dropped, empty names left out.
std::vector<Text> ExcludedAppNames(const Text& list);

// Whether the image name is on the list, or among its names as ExcludedAppNames gives them.
bool IsExcludedApp(const Text& list, const Text& imageName);
bool IsExcludedApp(const std::vector<Text>& names, const Text& imageName);

// The list with the name added at its end; the list as it was when the name is empty or on
// it already.
Text WithExcludedApp(const Text& list, const Text& imageName);

// Whether the image name is that of the store apps' host, "ApplicationFrameHost.exe", whose
// frames show the apps' windows.
bool IsStoreAppHost(const Text& imageName);

// The image name of the program that shows w: the process that owns it, or for a frame of
// the store apps' host ("ApplicationFrameHost.exe") the app it hosts. Empty when it cannot
// be had.
Text AppImageName(IDesktop& desktop, WindowId w);
// The same, with the image path of w's own process already read.
Text AppImageName(IDesktop& desktop, WindowId w, const Text& processPath);

}  // namespace ruvano
