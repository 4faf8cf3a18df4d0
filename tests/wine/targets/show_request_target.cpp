// A stand-in for a running copy of the program, for the Wine tests of the second copy's
// show request: a window of class "TmainForm" captioned "RUVANO" that records every
// WM_COPYDATA it receives. With /mutex it also holds the single-instance mutex, as a
// running copy does.
//
//   show_request_target.exe [/mutex]
//
// Queries, sent to the window:
//   WM_APP+1             number of WM_COPYDATA messages received
//   WM_APP+2             cbData of the last one
//   WM_APP+3 (wParam i)  byte i of the last payload (first 64 bytes kept), -1 beyond
//   WM_APP+4             dwData of the last one
//   WM_APP+5 (wParam ms) posted: stop answering messages for that long (a hung copy)
//   WM_APP+6             1 when the last payload asked a hidden window to show itself
#include <windows.h>

#include <cstring>

#include "app/win32/single_instance.h"

namespace {

constexpr UINT kCount = WM_APP + 1;
constexpr UINT kSize = WM_APP + 2;
constexpr UINT kByte = WM_APP + 3;
constexpr UINT kData = WM_APP + 4;
constexpr UINT kHang = WM_APP + 5;
constexpr UINT kWouldShow = WM_APP + 6;

LONG g_count = 0;
DWORD g_size = 0;
ULONG_PTR g_data = 0;
unsigned char g_bytes[64] = {};
bool g_wouldShow = false;

LRESULT CALLBACK WndProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  switch (m) {
    case WM_COPYDATA: {
      const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
      ++g_count;
      std::memset(g_bytes, 0, sizeof g_bytes);
      g_size = cds ? cds->cbData : 0;
      g_data = cds ? cds->dwData : 0;
      if (cds && cds->lpData)
        std::memcpy(g_bytes, cds->lpData, g_size < sizeof g_bytes ? g_size : sizeof g_bytes);
      g_wouldShow = ruvano::ShouldShowForCopyData(false, lp);
      return 0;
    }
    case kCount: return g_count;
    case kSize: return g_size;
    case kByte: return wp < sizeof g_bytes && wp < g_size ? g_bytes[wp] : -1;
    case kData: return static_cast<LRESULT>(g_data);
    case kHang: Sleep(static_cast<DWORD>(wp)); return 0;
    case kWouldShow: return g_wouldShow ? 1 : 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcW(w, m, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR cmdLine, int) {
  ruvano::SingleInstanceMutex mutex;
  if (cmdLine && wcsstr(cmdLine, L"/mutex")) mutex.Create();

  WNDCLASSW wc{};
  wc.lpfnWndProc = WndProc;
  wc.hInstance = inst;
  wc.lpszClassName = L"TmainForm";
  RegisterClassW(&wc);
  // Hidden, as the running copy's settings window usually is.
  CreateWindowExW(0, L"TmainForm", L"RUVANO", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr, inst,
                  nullptr);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
