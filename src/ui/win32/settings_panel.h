// The contents of the settings window: the toolbar, the two sound groups, the icon group,
// the hint group and the input mode group (with the programs left alone and the last two
// check boxes below its own), laid out for the DPI of the window's monitor,
// kept in step with `Settings` in both directions. The panel is not a window of its own: it creates and owns
// child controls inside the host window given to Create. Each control is described once,
// in settings_controls.cpp; creation, fonts, layout, tab order, clicks and keeping in step
// follow from those descriptions.
//
// What the host window must do:
//  - Call Create(hwnd) once its window exists (e.g. in WM_CREATE); Create calls
//    ClientSizeWanted with the client size the controls need.
//  - Create applies the settings as loaded; call ApplyLoadedState() again only after the
//    settings were loaded anew.
//  - Forward WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_NEXTDLGCTL, WM_DPICHANGED,
//    WM_SETTINGCHANGE and WM_FONTCHANGE to HandleMessage; when it returns true, return
//    *result from the window procedure. For WM_DPICHANGED first move the window to the
//    suggested rectangle, then forward: the panel lays out again and calls ClientSizeWanted
//    with the new size.
//  - Implement ClientSizeWanted by resizing the window so that its client area has that
//    size, keeping its top-left corner (WindowSizeForClient of panel_font.h gives the outer
//    size).
//  - In the message loop, before IsDialogMessageW(host, &msg), offer the message to
//    TranslateAccessKey (the toolbar's Alt+C and Alt+X). IsDialogMessageW gives Tab, the
//    arrow keys in the radio groups and the other access keys (Alt+N, F, I, P, H, M, A, E,
//    D, Q, S; a group box's key reaches its chosen item through WM_NEXTDLGCTL, which the
//    panel handles as a dialog would).
//  - Not have WS_CLIPCHILDREN: the group boxes do not paint their inside, the host's
//    background does.
//  - Paint the background in the button-face colour (class brush COLOR_BTNFACE + 1) and
//    leave WM_CTLCOLOR* to DefWindowProc.
//  - The panel subscribes to Settings for as long as it lives; a host that needs field
//    changes too subscribes on its own.
//  - A click on a sound item that chooses a new sound plays it through the host while the
//    window is visible; loading the file or assigning a field never plays anything.
#pragma once

#include <windows.h>

#include <cstddef>
#include <span>
#include <vector>

#include "settings/settings.h"
#include "ui/settings_layout.h"
#include "ui/win32/panel_font.h"
#include "ui/win32/settings_panel_host.h"
#include "zeq/win32/handles.h"

namespace ruvano {

class SettingsPanel {
 public:
  // The controls the panel's code and the tests refer to by name (a radio group is its group
  // box and its items). A row of the control table names its part only when something
  // refers to it; a control nothing names needs no value here.
  enum class Part {
    Toolbar,
    SoundOnGroup,
    SoundOffGroup,
    IconFrame,
    IconCheck,
    OpacitySlider,
    PositionGroup,
    HintFrame,
    HintCheck,
    HintEdit,
    ModeFrame,
    ShowModeCheck,
    AlnumOffCheck,
    ExcludeEdit,
    AddAppButton,
    SignInCheck,
    NearCaretCheck,
  };

  // Command ids of the toolbar's buttons (WM_COMMAND from the toolbar carries them).
  static constexpr int kMuteButton = 0x5101;
  static constexpr int kOffButton = 0x5102;
  static constexpr int kAppIconButton = 0x5103;
  static constexpr int kScrollButton = 0x5104;
  static constexpr int kHideButton = 0x5105;
  static constexpr int kCloseButton = 0x5106;
  static constexpr int kDiagnoseButton = 0x5107;

  SettingsPanel(Settings& settings, ISettingsPanelHost& host) : settings_(settings), host_(host) {}
  SettingsPanel(const SettingsPanel&) = delete;
  SettingsPanel& operator=(const SettingsPanel&) = delete;
  ~SettingsPanel();

  // Creates the controls inside parent, showing the current Settings, and lays them out.
  bool Create(HWND parent);

  // What derives from several fields, after the settings file was loaded: the OFF group
  // enabled exactly while OFF is on, the position group and the track bar exactly while the
  // icon box is ticked, and the icon caption matching the box.
  void ApplyLoadedState();

  // A forwarded message; true when the panel consumed it (the window procedure then returns
  // *result).
  bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

  // Alt + an access key of a toolbar button: carries out the button's click. True when the
  // message was used (the loop then neither translates nor dispatches it).
  bool TranslateAccessKey(const MSG& msg);

  // Shows whether the program starts at sign-in, as the host says now (someone may have
  // changed it outside the program); the host calls it whenever its window shows.
  void ShowStartAtSignIn();

  // A field of Settings changed: update its control and carry out the immediate reaction.
  void OnSettingChanged(SettingField field);

  // Lays the controls out again for a DPI (fonts and sizes scaled) and reports the size.
  void Relayout(int dpi);

  HWND Control(Part part) const;
  HWND SoundItem(bool on, int index) const;
  HWND PositionItem(int index) const;
  int Dpi() const { return dpi_; }
  HFONT Font() const { return font_.get(); }
  const SettingsPanelLayout& Layout() const { return layout_; }

 private:
  // Creation and ownership (settings_panel.cpp).
  void CreateControls();
  // The row of the control table that names the part; past the last row when none does.
  static std::size_t RowOf(Part part);
  // A row's window and a radio group row's items; none for a row past the last.
  HWND RowWindow(std::size_t row) const;
  std::span<const HWND> RowItems(std::size_t row) const;

  // Measuring and placement (settings_panel_placement.cpp).
  UniqueFont MakeFont(int dpi) const;
  void FillToolBar();
  SettingsPanelMeasures Measure() const;
  void PlaceControls();

  // The dialog's keyboard (settings_panel_keyboard.cpp).
  void MoveFocus(WPARAM wp, LPARAM lp);

  // Keeping in step with Settings (settings_panel_sync.cpp).
  void ShowValue(SettingField field);
  void OnToolBarCommand(int id);
  bool OnControlCommand(HWND control, int code);
  void CheckToolButton(int id, bool down);
  void SyncRadios(std::size_t row, int index);
  void EnableGroup(Part group, bool enabled);
  void EnableIconControls();
  // The icon check box's caption, with the opacity or without (captions::IconCaption).
  void ShowIconCaption(bool withOpacity);
  void NarrowSelection();

  Settings& settings_;
  ISettingsPanelHost& host_;
  HWND parent_ = nullptr;
  int dpi_ = settings_design::kDpi;
  UniqueFont font_;
  SettingsPanelLayout layout_;
  bool updating_ = false;  // the panel itself is changing a control: ignore its notifications
  Settings::Subscription subscription_;

  std::vector<UniqueWindow> children_;  // every child window, in creation (tab) order
  // By row of the control table, views of children_: each row's window, and a radio
  // group's items.
  std::vector<HWND> rowWindows_;
  std::vector<std::vector<HWND>> rowItems_;
};

}  // namespace ruvano
