/* Window handles and the two calls that deliver a message to a window.
 *
 * A window is any receiver registered with platform::RegisterWindow
 * (message_receiver.h). SendMessageA runs the receiver's handler in the
 * receiver's own thread and waits for its result; PostMessage queues the
 * message and returns at once. Both are safe to call from any thread. */
#ifndef PLATFORM_WINDOW_MESSAGES_H
#define PLATFORM_WINDOW_MESSAGES_H

#include <stdint.h>

#include "platform_export.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef uintptr_t HWND;
typedef uint32_t UINT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;

/* First message number free for a program's own messages. */
#define WM_USER 0x0400

/* Delivers the message and returns the handler's result. From the window's
 * own thread the handler is called directly (also from inside a handler);
 * from any other thread the message is queued to the window and the caller
 * waits until it has been handled. A handle of 0, an unknown or unregistered
 * handle, or a window that goes away before handling the message gives 0. */
PLATFORM_SHARED_API LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

/* Queues the message to the window, to be handled later in the window's
 * thread, even when called from that thread. Returns 1 when queued, 0 for an
 * unknown handle. */
PLATFORM_SHARED_API int PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#ifdef __cplusplus
}
#endif

#endif /* PLATFORM_WINDOW_MESSAGES_H */
