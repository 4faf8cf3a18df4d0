// A stand-in for an application with an IME, for the Wine tests. Wine's own IME window
// answers the open-status query with a constant, so this program switches Wine's IME off
// for itself and provides its own window of class "IME" whose open status a test controls.
//
//   fake_ime_target.exe [/title TEXT] [/rect X Y W H] [/open 0|1] [/extra N] [/popup]
//
// /popup gives the main window no caption and no frame (as a full-screen program has).
//
// /extra N adds N hidden top-level windows of class "RuvanoFakeExtra", made by a second
// thread so that the IME window's thread keeps only its own windows.
//
// Control messages, sent or posted to the main window (class "RuvanoFakeTarget"):
//   WM_APP+1 (wParam 0/1)  set the IME open status
//   WM_APP+2 (wParam ms)   stop answering messages for that long (a hung application)
//   WM_APP+3               returns the IME open status
//   WM_APP+4               bring the main window to the front and focus its edit control
//   WM_APP+5               replace the "IME" window by a new one; returns the new window
//   WM_APP+6               send RUVANO the "/Show" request while answering the next query
//   WM_APP+7               keep the activation but leave no control with the focus
//   WM_APP+8 (wParam bits) set the IME conversion mode (hiragana, 0x19, at start)
//   WM_APP+9 (wParam x, lParam y) take the focus to the main window, which shows no system
//                          caret but answers WM_GETOBJECT / OBJID_CARET with a caret object
//                          of its own at that screen point, 2 × 18, as browsers do
//   WM_APP+10              returns how often its caret object was asked for (WM_GETOBJECT)
//   WM_APP+11              returns how often its IME open status was asked for
//   WM_APP+12 (wParam ms)  its caret object takes that long to give its place (a busy browser)
#include <windows.h>
#include <imm.h>
#include <oleacc.h>
#include <shellapi.h>

#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#define IMC_SETOPENSTATUS 0x0006
#endif
#ifndef IMC_GETCONVERSIONMODE
#define IMC_GETCONVERSIONMODE 0x0001
#define IMC_SETCONVERSIONMODE 0x0002
#endif

#include <cstdlib>
#include <cwchar>
#include <string>
#include <utility>

#include "app/show_request.h"

namespace {

constexpr UINT kSetOpen = WM_APP + 1;
constexpr UINT kHang = WM_APP + 2;
constexpr UINT kGetOpen = WM_APP + 3;
constexpr UINT kActivate = WM_APP + 4;
constexpr UINT kReplaceIme = WM_APP + 5;
constexpr UINT kShowWhileAnswering = WM_APP + 6;
constexpr UINT kDropFocus = WM_APP + 7;
constexpr UINT kSetMode = WM_APP + 8;
constexpr UINT kOwnCaret = WM_APP + 9;
constexpr UINT kCaretQuestions = WM_APP + 10;
constexpr UINT kOpenQuestions = WM_APP + 11;
constexpr UINT kSlowCaret = WM_APP + 12;

LONG g_open = 0;
LRESULT g_mode = 0x19;  // native, full shape, roman input: hiragana
bool g_showWhileAnswering = false;
HWND g_edit = nullptr;
LRESULT g_caretQuestions = 0;
LRESULT g_openQuestions = 0;
DWORD g_caretDelayMs = 0;
HWND g_ime = nullptr;

// A caret object as a browser gives it: only its place and role; the rest is not implemented.
class CaretObject final : public IAccessible {
 public:
  POINT at{};

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&refs_); }
  ULONG STDMETHODCALLTYPE Release() override { return InterlockedDecrement(&refs_); }  // static object
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* n) override {
    *n = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT, VARIANT* role) override {
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_CARET;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR*, VARIANT, long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT) override {
    if (g_caretDelayMs) Sleep(g_caretDelayMs);
    *left = at.x;
    *top = at.y;
    *width = 2;
    *height = 18;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long, VARIANT, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accHitTest(long, long, VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  LONG refs_ = 1;
};

CaretObject g_caret;
bool g_ownCaret = false;

LRESULT CaretObjectAnswer(WPARAM wp) {
  using Fn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
  static const auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"oleacc.dll"), "LresultFromObject")));
  return fn ? fn(__uuidof(IAccessible), wp, static_cast<IAccessible*>(&g_caret)) : 0;
}

HWND MakeImeWindow() {
  return CreateWindowExW(0, L"IME", L"Default IME", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

LRESULT CALLBACK ImeWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_IME_CONTROL) {
    if (wp == IMC_GETOPENSTATUS) {
      ++g_openQuestions;
      if (std::exchange(g_showWhileAnswering, false)) {
        ruvano::ShowRequest request = ruvano::MakeShowRequest();
        COPYDATASTRUCT cds{0, static_cast<DWORD>(request.bytes.size()), request.bytes.data()};
        SendMessageW(FindWindowW(L"TmainForm", L"RUVANO"), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
      }
      return g_open;
    }
    if (wp == IMC_SETOPENSTATUS) {
      g_open = lp != 0;
      return 0;
    }
    if (wp == IMC_GETCONVERSIONMODE) return g_mode;
    if (wp == IMC_SETCONVERSIONMODE) {
      g_mode = lp;
      return 0;
    }
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

LRESULT CALLBACK MainWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_CREATE:
      g_edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10,
                               200, 24, w, nullptr, nullptr, nullptr);
      return 0;
    case WM_SETFOCUS:
      if (g_edit && !g_ownCaret) SetFocus(g_edit);
      return 0;
    case WM_GETOBJECT:
      if (g_ownCaret && static_cast<LONG>(lp) == OBJID_CARET) {
        ++g_caretQuestions;
        return CaretObjectAnswer(wp);
      }
      break;
    case WM_COMMAND:
      // Once the main window shows its own caret it keeps the focus, as a browser's page does,
      // also when the system gives an activation's focus back to the edit control later.
      if (g_ownCaret && HIWORD(wp) == EN_SETFOCUS) SetFocus(w);
      return 0;
    case kOwnCaret:
      g_caret.at = {static_cast<LONG>(wp), static_cast<LONG>(lp)};
      g_ownCaret = true;
      SetFocus(w);
      return 0;
    case kSetOpen: g_open = wp != 0; return 0;
    case kHang: Sleep(static_cast<DWORD>(wp)); return 0;
    case kGetOpen: return g_open;
    case kActivate:
      SetForegroundWindow(w);
      SetFocus(g_edit);
      return 0;
    case kReplaceIme: {
      // The new window is made first, so it cannot take the old one's handle.
      HWND fresh = MakeImeWindow();
      DestroyWindow(g_ime);
      g_ime = fresh;
      return reinterpret_cast<LRESULT>(fresh);
    }
    case kShowWhileAnswering: g_showWhileAnswering = true; return 0;
    case kCaretQuestions: return g_caretQuestions;
    case kOpenQuestions: return g_openQuestions;
    case kSlowCaret: g_caretDelayMs = static_cast<DWORD>(wp); return 0;
    case kDropFocus: SetFocus(nullptr); return 0;
    case kSetMode: g_mode = static_cast<LRESULT>(wp); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

DWORD WINAPI MakeExtraWindows(void* param) {
  const int n = static_cast<int>(reinterpret_cast<INT_PTR>(param));
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"RuvanoFakeExtra";
  RegisterClassW(&wc);
  for (int i = 0; i < n; ++i)
    CreateWindowExW(0, L"RuvanoFakeExtra", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance,
                    nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
  std::wstring title = L"Fake IME target";
  int x = 200, y = 150, cw = 640, ch = 480, extra = 0;
  DWORD style = WS_OVERLAPPEDWINDOW;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; i < argc; ++i) {
    std::wstring a = argv[i];
    if (a == L"/title" && i + 1 < argc)
      title = argv[++i];
    else if (a == L"/open" && i + 1 < argc)
      g_open = _wtoi(argv[++i]) != 0;
    else if (a == L"/popup")
      style = WS_POPUP;
    else if (a == L"/extra" && i + 1 < argc)
      extra = _wtoi(argv[++i]);
    else if (a == L"/rect" && i + 4 < argc) {
      x = _wtoi(argv[++i]);
      y = _wtoi(argv[++i]);
      cw = _wtoi(argv[++i]);
      ch = _wtoi(argv[++i]);
    }
  }
  LocalFree(argv);

  ImmDisableIME(static_cast<DWORD>(-1));
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (extra > 0) {
    if (HANDLE t =
            CreateThread(nullptr, 0, MakeExtraWindows, reinterpret_cast<void*>(INT_PTR{extra}), 0, nullptr))
      CloseHandle(t);
  }

  WNDCLASSW ime{};
  ime.lpfnWndProc = ImeWndProc;
  ime.hInstance = inst;
  ime.lpszClassName = L"IME";
  RegisterClassW(&ime);
  g_ime = MakeImeWindow();

  WNDCLASSW wc{};
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = L"RuvanoFakeTarget";
  RegisterClassW(&wc);
  HWND main = CreateWindowExW(0, L"RuvanoFakeTarget", title.c_str(), style, x, y, cw, ch, nullptr, nullptr,
                              inst, nullptr);
  ShowWindow(main, SW_SHOWNORMAL);
  SetForegroundWindow(main);
  SetFocus(g_edit);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
