// What the settings panel needs from the window that hosts it (the settings window).
#pragma once

#include "zeq/types.h"

namespace ruvano {

class ISettingsPanelHost {
 public:
  virtual ~ISettingsPanelHost() = default;

  // Plays the chosen ON (true) or OFF (false) sound once, as a preview; Mute is not applied.
  // Asked only while the host window is visible.
  virtual void PlayCue(bool on) = 0;
  // Hides the cursor hint at once and sets its countdown to 0.
  virtual void HideHintNow() = 0;
  // "診断(&G)": opens the diagnostic window.
  virtual void OpenDiagnosis() = 0;
  // "閉じる(&C)": hides the settings window; the program keeps monitoring.
  virtual void HideSettingsWindow() = 0;
  // "終了(&X)": the same close request as the title bar's Close button.
  virtual void CloseSettingsWindow() = 0;
  // The panel's controls need this client size (physical pixels). Called after creation
  // and after every relayout (DPI or font change); the host keeps its top-left corner.
  virtual void ClientSizeWanted(int width, int height) = 0;
  // The image name of the program that was in front last before the window showed; empty
  // when there is none.
  virtual Text ForegroundAppName() = 0;
  // Whether the program starts at sign-in; the user's click that changes it, answering the
  // state afterwards (unchanged when the change failed). Kept outside the settings.
  virtual bool StartsAtSignIn() = 0;
  virtual bool SetStartAtSignIn(bool on) = 0;
};

}  // namespace ruvano
