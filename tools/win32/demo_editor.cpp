// A stand-in editor for trying RUVANO on Linux (`scripts/run.sh`) and for the
// pictures in docs/ (`scripts/screenshots.sh`). Wine's own IME cannot be switched on here,
// so the editor switches it off for itself and answers the open-status query from its own
// window of class "IME", which the button or F2 switches on and off.
//
//   demo_editor.exe [/rect X Y W H] [/open 0|1]
#include <windows.h>
#include <imm.h>
#include <shellapi.h>

#ifndef IMC_GETOPENSTATUS
#define IMC_GETOPENSTATUS 0x0005
#define IMC_SETOPENSTATUS 0x0006
#endif

#include <algorithm>
#include <string>

namespace {

constexpr int kToggleId = 1;
constexpr int kMargin = 8;
constexpr const wchar_t* kToggleCaption = L"IME ON/OFF (F2)";
constexpr const wchar_t* kStateOn = L"IME: ON（日本語入力）";
constexpr const wchar_t* kStateOff = L"IME: OFF（直接入力）";

bool g_open = false;
HWND g_button = nullptr;
HWND g_state = nullptr;
HWND g_edit = nullptr;
HFONT g_font = nullptr;

// The bar above the text takes its size from the font: a box of a fixed height cuts off the
// bottom of a taller font, where Wine draws underscores.
struct Bar {
  int height = 0;
  int buttonWidth = 0;
  int stateWidth = 0;
};
Bar g_bar;

int TextWidth(HDC dc, const wchar_t* text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text, lstrlenW(text), &size);
  return size.cx;
}

Bar MeasureBar() {
  HDC dc = GetDC(nullptr);
  const HGDIOBJ old = SelectObject(dc, g_font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  Bar bar;
  // As dialog templates size an edit box or a button: 14 dialog units for a line of 8.
  bar.height = (tm.tmHeight + tm.tmExternalLeading) * 14 / 8;
  bar.buttonWidth = TextWidth(dc, kToggleCaption) + 4 * tm.tmAveCharWidth;
  bar.stateWidth = std::max(TextWidth(dc, kStateOn), TextWidth(dc, kStateOff)) + 2 * tm.tmAveCharWidth;
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return bar;
}

LRESULT CALLBACK ImeWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == WM_IME_CONTROL) {
    if (wp == IMC_GETOPENSTATUS) return g_open;
    if (wp == IMC_SETOPENSTATUS) g_open = lp != 0;
    return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

void ShowState() { SetWindowTextW(g_state, g_open ? kStateOn : kStateOff); }

void Toggle() {
  g_open = !g_open;
  ShowState();
  SetFocus(g_edit);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int id) {
  HWND w =
      CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(g_font), TRUE);
  return w;
}

LRESULT CALLBACK MainWndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_CREATE:
      g_bar = MeasureBar();
      g_button = Child(w, L"BUTTON", kToggleCaption, BS_PUSHBUTTON, 0, kToggleId);
      g_state = Child(w, L"STATIC", L"", SS_CENTERIMAGE, 0, 0);
      g_edit = Child(
          w, L"EDIT",
          L"RUVANO のデモ用エディターです。\r\n"
          L"ボタンか F2 キーで、このウィンドウの IME が ON/OFF になります。\r\n"
          L"ON にすると、RUVANO "
          L"がウィンドウの角にアイコンを、マウスポインターの近くにヒントを出し、音を鳴らします。\r\n"
          L"RUVANO の設定画面は、scripts/run.sh をもう一度起動するか、アイコンをクリックすると開きます。\r\n"
          L"設定画面を開いているあいだ、RUVANO は IME を見張るのを休みます（音もアイコンも出ません）。"
          L"設定画面の「閉じる」で画面を隠すと、また知らせるようになります。\r\n"
          L"不透明度を 100% より小さくしても、ここではアイコンは透けません。"
          L"透けて見せるにはウィンドウの合成（コンポジット）が要りますが、Xvfb にはそれがないためです"
          L"（Windows では透けて見えます）。\r\n",
          ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL | ES_WANTRETURN, WS_EX_CLIENTEDGE, 0);
      ShowState();
      return 0;
    case WM_SIZE: {
      const int cw = LOWORD(lp), ch = HIWORD(lp);
      MoveWindow(g_button, kMargin, kMargin, g_bar.buttonWidth, g_bar.height, TRUE);
      MoveWindow(g_state, kMargin * 2 + g_bar.buttonWidth, kMargin, g_bar.stateWidth, g_bar.height, TRUE);
      const int textTop = kMargin * 2 + g_bar.height;
      MoveWindow(g_edit, kMargin, textTop, cw - 2 * kMargin, ch - textTop - kMargin, TRUE);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wp) == kToggleId) Toggle();
      return 0;
    case WM_SETFOCUS: SetFocus(g_edit); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int) {
  int x = 160, y = 120, cw = 720, ch = 420;
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  for (int i = 1; argv && i < argc; ++i) {
    const std::wstring a = argv[i];
    if (a == L"/open" && i + 1 < argc)
      g_open = _wtoi(argv[++i]) != 0;
    else if (a == L"/rect" && i + 4 < argc) {
      x = _wtoi(argv[++i]);
      y = _wtoi(argv[++i]);
      cw = _wtoi(argv[++i]);
      ch = _wtoi(argv[++i]);
    }
  }
  if (argv) LocalFree(argv);

  ImmDisableIME(static_cast<DWORD>(-1));
  WNDCLASSW ime{};
  ime.lpfnWndProc = ImeWndProc;
  ime.hInstance = inst;
  ime.lpszClassName = L"IME";
  RegisterClassW(&ime);
  CreateWindowExW(0, L"IME", L"Default IME", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);

  g_font = CreateFontW(-14, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
  WNDCLASSW wc{};
  wc.lpfnWndProc = MainWndProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"RuvanoDemoEditor";
  RegisterClassW(&wc);
  HWND main = CreateWindowExW(0, L"RuvanoDemoEditor", L"デモ エディター - RUVANO を試す", WS_OVERLAPPEDWINDOW,
                              x, y, cw, ch, nullptr, nullptr, inst, nullptr);
  ShowWindow(main, SW_SHOWNORMAL);
  SetForegroundWindow(main);
  SetFocus(g_edit);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    // F2 switches the IME wherever the focus is in the window.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_F2) {
      Toggle();
      continue;
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  DeleteObject(g_font);
  return 0;
}
