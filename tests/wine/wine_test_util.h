// Helpers for the tests that run under Wine: starting helper programs from the build
// folder, waiting for windows, and driving the fake IME target.
#pragma once

#include <windows.h>
#include <tlhelp32.h>

#include <functional>
#include <string>
#include <vector>

namespace ruvano::testing {

// The folder of the running test exe, with a trailing backslash; the helper programs and
// RUVANO.exe are built into the same folder.
inline std::wstring BinDir() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring p = path;
  return p.substr(0, p.find_last_of(L"\\/") + 1);
}

// Runs the message loop of this thread until pred() holds or the time is up.
inline bool WaitUntil(const std::function<bool()>& pred, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (pred()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(10);
  }
}

// Pumps messages for the given time.
inline void PumpFor(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

// A child process that is killed when the object goes away (unless it ended already).
class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ChildProcess(ChildProcess&& o) noexcept : pi_(o.pi_) { o.pi_ = {}; }
  ~ChildProcess() { Kill(); }

  // Starts BinDir() + exe with the given argument text.
  bool Start(const std::wstring& exe, const std::wstring& args = L"") {
    std::wstring cmd = L"\"" + BinDir() + exe + L"\"";
    if (!args.empty()) cmd += L" " + args;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    return CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) != 0;
  }
  // Takes over a process that was started otherwise (for example through Wine's loader).
  bool Adopt(DWORD pid) {
    Kill();
    pi_.hProcess =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE, FALSE, pid);
    pi_.dwProcessId = pi_.hProcess ? pid : 0;
    return pi_.hProcess != nullptr;
  }
  HANDLE process() const { return pi_.hProcess; }
  DWORD pid() const { return pi_.dwProcessId; }

  // Waits for the process to end; returns its exit code, or -1 when it is still running.
  long WaitExit(DWORD timeoutMs) {
    if (!pi_.hProcess || WaitForSingleObject(pi_.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    return static_cast<long>(code);
  }
  void Kill() {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
      }
      CloseHandle(pi_.hProcess);
      if (pi_.hThread) CloseHandle(pi_.hThread);
    }
    pi_ = {};
  }

 private:
  PROCESS_INFORMATION pi_{};
};

// The id of a running process whose exe has the given file name, or 0.
inline DWORD FindProcessId(const wchar_t* exeName) {
  DWORD pid = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !pid; more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, exeName) == 0) pid = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return pid;
}

// A top-level window of the given process and class (title optional), or nullptr.
inline HWND FindProcessWindow(DWORD pid, const wchar_t* cls, const wchar_t* title = nullptr) {
  HWND w = nullptr;
  while ((w = FindWindowExW(nullptr, w, cls, title)) != nullptr) {
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    if (owner == pid) return w;
  }
  return nullptr;
}

// The settings window of a RUVANO.exe that ruvano has just started, once it exists; nullptr
// when it did not appear within timeoutMs.
inline HWND WaitForSettingsWindow(DWORD pid, DWORD timeoutMs = 10000) {
  HWND form = nullptr;
  WaitUntil([&] { return (form = FindProcessWindow(pid, L"TmainForm", L"RUVANO")) != nullptr; }, timeoutMs);
  return form;
}

// The system caret of w's thread in screen coordinates, as Wine reports it for another
// process; empty when the thread has none.
inline RECT SystemCaretOf(HWND w) {
  GUITHREADINFO gui{};
  gui.cbSize = sizeof(gui);
  RECT caret{};
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &gui) || !gui.hwndCaret) return caret;
  caret = gui.rcCaret;
  MapWindowPoints(gui.hwndCaret, nullptr, reinterpret_cast<POINT*>(&caret), 2);
  return caret;
}

// The whole file, or an empty text when it cannot be read.
inline std::string ReadWholeFile(const std::wstring& path) {
  std::string bytes;
  HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(f, buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
  CloseHandle(f);
  return bytes;
}

// A fresh folder under the temporary folder, removed with everything in it when the object
// goes away. path() ends with a backslash.
class TempFolder {
 public:
  TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    path_ = std::wstring(temp) + L"ruvano-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++serial) + L"\\";
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() { RemoveTree(path_); }

  const std::wstring& path() const { return path_; }

  void Write(const std::wstring& name, const std::string& bytes) const {
    HANDLE f = CreateFileW((path_ + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return;
    DWORD put = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(f);
  }
  std::string Read(const std::wstring& name) const { return ReadWholeFile(path_ + name); }

  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW fd;
    HANDLE find = FindFirstFileW((folder + L"*").c_str(), &fd);
    if (find != INVALID_HANDLE_VALUE) {
      std::vector<std::wstring> names;
      do {
        const std::wstring name = fd.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
      } while (FindNextFileW(find, &fd));
      FindClose(find);
      for (const std::wstring& name : names) {
        const std::wstring path = folder + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        const DWORD a = GetFileAttributesW(path.c_str());
        if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY))
          RemoveTree(path + L"\\");
        else
          DeleteFileW(path.c_str());
      }
    }
    RemoveDirectoryW(folder.c_str());
  }

 private:
  std::wstring path_;
};

// The fake IME target (targets/fake_ime_target.cpp), started and driven from a test.
class FakeImeTarget {
 public:
  static constexpr UINT kSetOpen = WM_APP + 1;
  static constexpr UINT kHang = WM_APP + 2;
  static constexpr UINT kGetOpen = WM_APP + 3;
  static constexpr UINT kActivate = WM_APP + 4;
  static constexpr UINT kReplaceIme = WM_APP + 5;
  static constexpr UINT kShowWhileAnswering = WM_APP + 6;
  static constexpr UINT kDropFocus = WM_APP + 7;
  static constexpr UINT kSetMode = WM_APP + 8;
  static constexpr UINT kOwnCaret = WM_APP + 9;
  static constexpr UINT kCaretQuestions = WM_APP + 10;
  static constexpr UINT kOpenQuestions = WM_APP + 11;
  static constexpr UINT kSlowCaret = WM_APP + 12;

  // Hidden windows of class "RuvanoFakeExtra" that the target makes besides its own.
  int extraWindows = 0;
  // The program started (a copy under another name is another program); with `popup` its
  // window has no caption.
  std::wstring exe = L"fake_ime_target.exe";
  bool popup = false;

  // Starts the target with its window at (x, y) sized w × h and waits for its window.
  bool Start(const std::wstring& title = L"Fake IME target", int x = 200, int y = 150, int w = 640,
             int h = 480, bool open = false) {
    std::wstring args = L"/title \"" + title + L"\" /rect " + std::to_wstring(x) + L" " + std::to_wstring(y) +
                        L" " + std::to_wstring(w) + L" " + std::to_wstring(h) + L" /open " +
                        (open ? L"1" : L"0");
    if (extraWindows > 0) args += L" /extra " + std::to_wstring(extraWindows);
    if (popup) args += L" /popup";
    if (!proc_.Start(exe, args)) return false;
    WaitUntil([&] { return (wnd_ = FindProcessWindow(proc_.pid(), L"RuvanoFakeTarget")) != nullptr; }, 10000);
    return wnd_ != nullptr;
  }
  HWND window() const { return wnd_; }
  DWORD pid() const { return proc_.pid(); }
  void SetOpen(bool open) { SendMessageW(wnd_, kSetOpen, open ? 1 : 0, 0); }
  void SetConversionMode(DWORD bits) { SendMessageW(wnd_, kSetMode, bits, 0); }
  // The focus goes to the main window, which gives a caret object of its own at (x, y).
  void GiveOwnCaret(int x, int y) { SendMessageW(wnd_, kOwnCaret, static_cast<WPARAM>(x), y); }
  bool IsOpen() { return SendMessageW(wnd_, kGetOpen, 0, 0) != 0; }
  // How often its caret object and its IME open status were asked for so far.
  long CaretQuestions() { return static_cast<long>(SendMessageW(wnd_, kCaretQuestions, 0, 0)); }
  long OpenQuestions() { return static_cast<long>(SendMessageW(wnd_, kOpenQuestions, 0, 0)); }
  // Its caret object takes ms milliseconds to give its place.
  void SlowCaret(DWORD ms) { SendMessageW(wnd_, kSlowCaret, ms, 0); }
  // The target stops answering messages for ms milliseconds.
  void Hang(DWORD ms) { PostMessageW(wnd_, kHang, ms, 0); }
  // The target replaces its IME window by a new one and returns the new window.
  HWND ReplaceImeWindow() { return reinterpret_cast<HWND>(SendMessageW(wnd_, kReplaceIme, 0, 0)); }
  // Brings the target to the front (from inside its own process) and waits until it is.
  bool Activate() {
    PostMessageW(wnd_, kActivate, 0, 0);
    return WaitUntil([&] { return GetForegroundWindow() == wnd_; }, 5000);
  }
  void ShowWhileAnswering() { SendMessageW(wnd_, kShowWhileAnswering, 0, 0); }
  // Posted, so it comes after an activation still queued.
  void DropFocus() { PostMessageW(wnd_, kDropFocus, 0, 0); }
  void Kill() {
    proc_.Kill();
    wnd_ = nullptr;
  }

 private:
  ChildProcess proc_;
  HWND wnd_ = nullptr;
};

}  // namespace ruvano::testing
