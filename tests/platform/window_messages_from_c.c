/* Compiled as C: the header is usable from plain C callers. */
#include "window_messages.h"

LRESULT window_messages_send_from_c(HWND window, WPARAM wParam) {
  return SendMessageA(window, WM_USER + 1, wParam, (LPARAM)-1);
}

int window_messages_post_from_c(HWND window, WPARAM wParam) {
  return PostMessage(window, WM_USER + 2, wParam, 0);
}
