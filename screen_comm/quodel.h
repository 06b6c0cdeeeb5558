#ifndef QUODEL_H
#define QUODEL_H
/* Screen command library: links to LED screen controllers over serial
 * ports, one UDP socket and one TCP client socket; screen command frames
 * built one at a time from typed parameters; acknowledgements polled into
 * the screen variable block.
 *
 * Plain C. The library has one process-wide state and no locks: callers on
 * several threads serialise whole commands themselves (header, appends and
 * send; each Qd_GetAck call and the reads of the block it fills). Every
 * argument is a 32-bit value of which only the stated low bits are used.
 * No function shows a window or keeps a pointer the caller passed. */
#include <stdint.h>

#include "quodel_vars.h"

#if defined(__GNUC__)
#define QUODEL_API __attribute__((visibility("default")))
#else
#define QUODEL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One reported reply parameter. */
typedef struct AckParam {
  uint16_t id;      /* parameter id */
  uint16_t index;   /* the reply's element index */
  uint8_t command;  /* the reply's command */
  uint8_t reserved; /* always 0 */
  uint16_t address; /* the reply's screen address */
} AckParam;

QD_STATIC_ASSERT(sizeof(AckParam) == 8, "AckParam size");
QD_STATIC_ASSERT(offsetof(AckParam, address) == 6, "AckParam.address offset");

/* Entries one Qd_GetAck call may write. */
enum { QD_ACK_MAX_PARAMS = 128 };

/* Transports of Qd_SendCmd and Qd_GetAck (low 8 bits). */
enum { QD_TRANSPORT_SERIAL = 0, QD_TRANSPORT_UDP = 1 };

/* Links. */

/* Opens COM port (low 16 bits, 1..256) at baud. Returns the port number, or
 * 0 when the port is missing, busy (also when already open here), or
 * refuses the rate. Success also abandons the frame being built and empties
 * that port's receive buffer. */
QUODEL_API int32_t Qd_OpenComm(uint32_t port, uint32_t baud);
/* Closes COM port and drops its receive buffer. Returns 0. */
QUODEL_API int32_t Qd_CloseComm(uint32_t port);

/* Closes the UDP link if one is open, then binds a new one on localPort (low
 * 16 bits; 0 lets the system choose) on every local address. Returns the
 * bound port, or 0 when the port cannot be bound (then no link is open). */
QUODEL_API int32_t Qd_OpenUdp(uint32_t localPort);
/* Closes the UDP link. Returns 0. */
QUODEL_API int32_t Qd_CloseUdp(void);

/* Closes the TCP link if one is open, then connects to host (a dotted quad,
 * or a name) at port (low 16 bits), waiting at most 20 s. Returns 1 when
 * connected: the frame being built is abandoned and every receive buffer
 * emptied. Returns 0 for a NULL host or when the connection fails. */
QUODEL_API int32_t Qd_OpenTcp(const char *host, uint32_t port);
/* Closes the TCP link. Returns 0. */
QUODEL_API int32_t Qd_CloseTcp(void);

/* Frames. */

/* Starts a new frame: address and index (low 16 bits), command (low 8 bits),
 * type (low 16 bits: 0x0200 request, 0x0300 set). Abandons any unsent frame.
 * Returns 0. */
QUODEL_API int32_t Qd_MakeCmdHeader(uint32_t address, uint32_t command, uint32_t type,
                                    uint32_t index);

/* Appenders: each returns 0 when the parameter was added, 1 when there is no
 * header, when the frame (with its checksum) would exceed 1028 bytes, or for
 * a NULL text; a refused append changes nothing. Ids use the low 16 bits. */
QUODEL_API int32_t Qd_AddRequestParm(uint32_t id);
QUODEL_API int32_t Qd_AddSetParmByte(uint32_t id, uint32_t v);  /* low 8 bits */
QUODEL_API int32_t Qd_AddSetParmWord(uint32_t id, uint32_t v);  /* low 16 bits */
QUODEL_API int32_t Qd_AddSetParmInt(uint32_t id, uint32_t v);   /* 32 bits */
QUODEL_API int32_t Qd_AddSetParmDword(uint32_t id, uint32_t v); /* same as Int */
QUODEL_API int32_t Qd_AddSetParmFloat(uint32_t id, float v);    /* the float's bits */
QUODEL_API int32_t Qd_AddSetParmBool(uint32_t id, uint32_t v);  /* 32 bits */
QUODEL_API int32_t Qd_AddSetParmString(uint32_t id, const char *text);

/* Sends the frame with its checksum: transport 0 writes it as ":" + lower-
 * case hex + CR LF to COM port (low 16 bits); transport 1 sends it as one
 * datagram to host (a dotted quad) at udpPort (low 16 bits) through the UDP
 * link. Returns 1 and sends nothing when no parameter has been added;
 * otherwise 0, whether or not the link took the bytes (no link, an unopened
 * port, a NULL or non-numeric host, another transport: nothing is sent), and
 * the frame is done: the next one starts with a header. */
QUODEL_API int32_t Qd_SendCmd(uint32_t transport, uint32_t port, const char *host,
                              uint32_t udpPort);

/* Acknowledgements. */

/* Takes the replies waiting on COM port (transport 0) or the UDP link
 * (transport 1; host and udpPort are not used), stores their values in the
 * variable block and reports their parameters in params[0 .. *count - 1].
 * One call takes at most 256 frames and QD_ACK_MAX_PARAMS parameters; a
 * frame that does not fit waits for the next call. *status is 0 when a frame
 * was taken, else 2. Returns 1 at the first frame that fails its check (bad
 * checksum, malformed, or a datagram over 1024 bytes): that frame is dropped
 * unreported and the rest waits; otherwise 0. NULL outputs are not written. */
QUODEL_API int32_t Qd_GetAck(uint32_t transport, uint32_t port, const char *host,
                             uint32_t udpPort, uint8_t *status, int32_t *count,
                             AckParam *params);

/* The variable block. It never moves and lives until the process ends; only
 * Qd_GetAck writes it. */
QUODEL_API const QdScreenVars *Qd_GetVarsPointer(void);

#ifdef __cplusplus
}
#endif

#endif /* QUODEL_H */
