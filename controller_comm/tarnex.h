#ifndef TARNEX_H
#define TARNEX_H
/* Controller link library: device links over serial ports and UDP, request
 * frames in a command queue, and the reply record. Plain C; every function
 * is safe to call with any argument and reports failure by its result. */
#include <stdint.h>

#include "plc_reply.h"
#include "window_messages.h" /* HWND */

#if defined(__GNUC__)
#define TARNEX_API __attribute__((visibility("default")))
#else
#define TARNEX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Closes whatever links are still open, frees every device slot, sets the
 * send mode (0 direct, anything else queued) and starts the send worker.
 * Returns 1. */
TARNEX_API int32_t PLC_Startup(int32_t mode);

/* Closes every link, frees every device slot and empties the command queue.
 * A send still under way ends without its notice: a notice not yet handled
 * is never handled. Returns 1 once no thread runs code of the library for
 * its sends, so the library may be unloaded then; it never waits for a
 * window thread and may be called from the notice window's own thread. */
TARNEX_API int32_t PLC_Cleanup(void);

/* The window and message number of the completion notice. Returns window. */
TARNEX_API HWND PLC_SetNotify(HWND window, int32_t message);

/* Opens a device link in the lowest free slot. devTypePort: bits 0-7 link
 * type (1 serial, 2 UDP), bits 16-31 COM port number (serial). baud: serial
 * rate. localPort: local UDP port 0..65535. Returns the slot 0..1023, or -1;
 * every failure except a serial port that does not open empties the queue. */
TARNEX_API int32_t PLC_OpenDev(int32_t devTypePort, int32_t baud, int32_t localPort);

/* Closes the link of a slot in use and frees the slot. The command queue is
 * emptied in every case. */
TARNEX_API void PLC_CloseDev(int32_t slot);

/* Copies the reply record (sizeof(PlcReply) = 262 bytes) into buffer and
 * returns buffer; NULL returns NULL. */
TARNEX_API void *PLC_GetData(void *buffer);

/* Number of frames in the command queue. */
TARNEX_API int32_t PLC_GetCmdCount(void);

/* Build a read (function 3) or write (function 16) frame for the controller
 * at address (low 8 bits), from firstRegister (low 16 bits), make it the frame
 * built last and append it to the command queue. Return the new queue length
 * (at least 1). CMD_Write refuses count < 0, count > 508 and NULL values with
 * count > 0: it queues nothing, leaves no frame built last and returns 0. */
TARNEX_API int32_t CMD_Read(int32_t address, int32_t firstRegister, int32_t count);
TARNEX_API int32_t CMD_Write(int32_t address, int32_t firstRegister, const uint16_t *values, int32_t count);

/* Register commands for the controller at address (low 8 bits). Each builds
 * one write frame through the same path as CMD_Write and returns the new
 * queue length, or 0 when refused (nothing queued, no frame built last). */
TARNEX_API int32_t CMD_SetTemLimit(int32_t address, int32_t value);          /* register 32 */
TARNEX_API int32_t CMD_SetHumLimit(int32_t address, int32_t value);          /* register 33 */
TARNEX_API int32_t CMD_SetAW(int32_t address, int32_t n, int32_t value);     /* 24 + n, n 0..7 */
TARNEX_API int32_t CMD_SetTimerEnable(int32_t address, int32_t value);       /* register 64 */
/* Sets the controller clock: registers 151..159 := 1, low and high words of
 * a, b, c and d (year + month << 16, day + day of year << 16, day of week +
 * hour << 16, minute + second << 16). */
TARNEX_API int32_t CMD_SetTimeCheck(int32_t address, int32_t a, int32_t b, int32_t c, int32_t d);
TARNEX_API int32_t CMD_PowerOnDO(int32_t address, int32_t n);   /* 48 + n := 1, n 0..9 */
TARNEX_API int32_t CMD_PowerOffDO(int32_t address, int32_t n);  /* 48 + n := 2, n 0..9 */
TARNEX_API int32_t CMD_PowerOnLC(int32_t address, int32_t n);   /* 176 + n := 1, n 0..31 */
TARNEX_API int32_t CMD_PowerOffLC(int32_t address, int32_t n);  /* 176 + n := 2, n 0..31 */
/* Ten logic entries {device, output, delay}, packed into registers 160..169;
 * NULL is refused. */
TARNEX_API int32_t CMD_SetLogic(int32_t address, const uint16_t (*entries)[3]);

/* The completion notice: message number and the results in its high word. */
enum { PlcNotifyMessage = 0x4C8 };
enum {
  PlcResultBadSlot = 0, /* no link, a closed link or nothing to send */
  PlcResultDone = 1,
  PlcResultTimeOut = 16,
  PlcResultMismatch = 20 /* a reply from another address or function */
};

/* Sends the frame built last (direct mode) or the queue head (queued mode)
 * on the link of slot in the library's worker thread, UDP to host:port. After
 * a send on a link timed out, the next send on that link first waits until
 * the late reply can no longer come (one reply time), dropping what arrives.
 * Returns 1 while a send is running, 0 when there is nothing to send in
 * queued mode or no worker could start, otherwise the job number (>= 2). Every accepted send
 * ends with one completion notice to the notify window:
 * wParam = function | result << 16, lParam = 0. PLC_QSend always sends the
 * queue head. */
TARNEX_API int32_t PLC_Send(int32_t slot, const char *host, int32_t port);
TARNEX_API int32_t PLC_QSend(int32_t slot, const char *host, int32_t port);

#ifdef __cplusplus
}
#endif

#endif /* TARNEX_H */
