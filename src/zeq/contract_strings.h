// The texts that other programs, other copies of this one and the user's files rely on: they
// are part of the program's outward contract and never change or get translated. Each lives
// here alone. Portable: wide literals are for the system's calls, UTF-16 ones for the portable
// code.
#pragma once

namespace ruvano {

// Window classes and the caption of the program's windows. A second copy finds the running
// one by the settings window's class and caption.
inline constexpr wchar_t kSettingsWindowClass[] = L"TmainForm";
inline constexpr wchar_t kIndicatorWindowClass[] = L"TIconForm";
inline constexpr wchar_t kHintWindowClass[] = L"RuvanoHintWindow";
inline constexpr wchar_t kApplicationWindowClass[] = L"RuvanoApplication";
inline constexpr wchar_t kProgramCaption[] = L"RUVANO";
// The diagnostic window, whose text users send with their reports.
inline constexpr wchar_t kDiagnosisWindowClass[] = L"RuvanoDiagnosis";
inline constexpr wchar_t kDiagnosisCaption[] = L"RUVANO 診断";

// The single-instance mutex, in the object namespace of the user's logon (no "Global\" or
// "Local\" prefix).
inline constexpr wchar_t kSingleInstanceMutexName[] = L"RUVANO/ZEQ Project";

// The command line: the wait switch, and the text that a second copy sends to the running one.
inline constexpr char16_t kWaitSwitch[] = u"/w";
inline constexpr char16_t kShowRequestText[] = u"/Show";

// The data folder: the maker's folder and, in it, the program's.
inline constexpr char16_t kMakerFolderName[] = u"ZEQ Project";
inline constexpr char16_t kProgramFolderName[] = u"RUVANO";

// The settings file and its sections. Its keys are declared with their fields, in the field
// table of settings/settings.h, each once.
inline constexpr char16_t kSettingsFileName[] = u"RUVANO.ini";
inline constexpr char16_t kWindowSection[] = u"Window";
inline constexpr char16_t kConfigSection[] = u"Config";

// The start at sign-in: the value under the user's Run key that starts this copy.
inline constexpr wchar_t kRunKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValueName[] = L"RUVANO";
// Task Manager's switch of that start: a value of the same name under this key.
inline constexpr wchar_t kStartupApprovedKeyPath[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

}  // namespace ruvano
