// The ids of the settings window's dialog, controls and strings, for the resource script and
// the code; a control's caption is the string of its id. Its table of controls
// (settings_window.cpp) rejects a duplicate id when it compiles.
#pragma once

#define IDD_SETTINGS 0x5000

// The toolbar and its buttons, left to right.
#define IDC_TOOLBAR 0x5100
#define IDC_MUTE 0x5101
#define IDC_OFF 0x5102
#define IDC_APP_ICON 0x5103
#define IDC_SCROLL 0x5104
#define IDC_HIDE 0x5105
#define IDC_CLOSE 0x5106

// A radio group is its frame and its items, numbered on from the first.
#define IDC_SOUND_ON 0x5110
#define IDC_SOUND_ON_FIRST 0x5120
#define IDC_SOUND_OFF 0x5111
#define IDC_SOUND_OFF_FIRST 0x5130
#define IDC_ICON_FRAME 0x5112
#define IDC_SHOW_ICON 0x5113
#define IDC_OPACITY 0x5114
#define IDC_POSITION 0x5115
#define IDC_POSITION_FIRST 0x5140
#define IDC_NEAR_CARET 0x5150
#define IDC_ICON_SIZE 0x511C
#define IDC_ICON_SIZE_FIRST 0x5158
#define IDC_HINT_FRAME 0x5116
#define IDC_HINT 0x5117
#define IDC_HINT_TEXT 0x5118
#define IDC_MODE_FRAME 0x5119
#define IDC_SHOW_MODE 0x511A
#define IDC_ALNUM_OFF 0x511B
#define IDC_EXCLUDE_FRAME 0x51FF
#define IDC_EXCLUDE_APPS 0x51FE
#define IDC_ADD_APP 0x51FD
#define IDC_QUIET_FULL_SCREEN 0x51FC
#define IDC_SIGN_IN 0x51FB
#define IDC_IME_OFF_FRAME 0x51FA
#define IDC_IME_OFF_APPS 0x51F9
#define IDC_ADD_IME_OFF 0x51F8
#define IDC_IME_ON_FRAME 0x51F7
#define IDC_IME_ON_APPS 0x51F6
#define IDC_ADD_IME_ON 0x51F5
#define IDC_REMEMBER_IME 0x51F4
#define IDC_DIAGNOSE 0x51F3
// Shown below IDC_SIGN_IN only while Task Manager has switched the start off.
#define IDC_SIGN_IN_NOTE 0x51E0

// What the ticked icon check box shows after its caption, before the opacity and "%".
#define IDS_OPACITY 0x5160
// The one greyed item of an add button's menu when no program is on offer.
#define IDS_NO_APPS 0x5161
// The diagnostic window's button that copies all its text.
#define IDS_COPY_ALL 0x5162
