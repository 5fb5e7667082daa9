#include "app/frame_win32.h"

#include "resource.h"

namespace {

void OnCommand(HWND frame, int id) {
  switch (id) {
    case ID_APP_EXIT:
      PostMessageA(frame, WM_CLOSE, 0, 0);
      break;
    default:
      break;
  }
}

void OnDestroy() { PostQuitMessage(0); }

LRESULT CALLBACK FrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(frame, LOWORD(wParam));
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProcA(frame, message, wParam, lParam);
  }
}

}  // namespace

bool RegisterFrameClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINFRAME);
  wc.lpszClassName = kFrameClassName;
  return RegisterClassExA(&wc) != 0;
}

void UnregisterFrameClass(HINSTANCE instance) { UnregisterClassA(kFrameClassName, instance); }

HWND CreateFrameWindow(HINSTANCE instance, const char* caption) {
  // Start-up applies the stored placement afterwards.
  return CreateWindowExA(WS_EX_ACCEPTFILES, kFrameClassName, caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}
