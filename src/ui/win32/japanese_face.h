// The face for Japanese captions, which the settings window and the diagnostic window share,
// and a dialog template set in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ruvano {

// The system's menu font's face where it has glyphs for every character of sample, else a
// Japanese face that has them.
std::wstring JapaneseUiFace(const std::wstring& sample);

// The exe's dialog template id (a DLGTEMPLATEEX with DS_SETFONT) with the face of its FONT
// statement replaced, so that its dialog units follow that face; empty when it is not found.
std::vector<BYTE> DialogTemplateWithFace(int id, const std::wstring& face);

}  // namespace ruvano
