// Plays one sound cue the way the program does and stays alive while it sounds, for the Wine
// tests. It carries the program's resources, so the cue finds the sounds in its own module.
//
//   cue_player.exe INDEX [WAIT_MS [EVENT]]
//
// INDEX is the selection of the ON sound group (-1 for none); WAIT_MS how long to stay;
// EVENT the name of an event to set when done (for a starter that has no process handle).
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "cues/sound_cue.h"
#include "cues/win32/sound_player.h"
#include "settings/settings.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int index = argc > 1 ? _wtoi(argv[1]) : 0;
  const DWORD wait = argc > 2 ? static_cast<DWORD>(_wtoi(argv[2])) : 1500;
  const std::wstring done = argc > 3 ? argv[3] : L"";
  LocalFree(argv);

  ruvano::Settings settings;
  settings.SetWaveIndex(index);
  ruvano::Win32SoundPlayer player;
  ruvano::SoundCue cue(player, settings);
  cue.Play(true);

  const DWORD start = GetTickCount();
  while (GetTickCount() - start < wait) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(10);
  }
  if (!done.empty()) {
    if (HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, done.c_str())) {
      SetEvent(event);
      CloseHandle(event);
    }
  }
  return 0;
}
