#ifndef TARNEX_PLC_REPLY_H
#define TARNEX_PLC_REPLY_H
/* The reply record: the last controller reply that parsed. Callers copy it
 * whole with PLC_GetData, so its layout is fixed (262 bytes, little-endian
 * host order, no padding). Plain C. */
#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct PlcReply {
  uint8_t address;        /* controller address of the reply */
  uint8_t function;       /* function code of the reply (3 or 16) */
  uint16_t firstRegister; /* register echoed by a write reply; 0 for a read reply */
  uint16_t count;         /* register words in data */
  uint16_t data[128];     /* word k belongs to register (first of the request) + k */
} PlcReply;

#ifdef __cplusplus
}
#define TARNEX_STATIC_ASSERT static_assert
#else
#define TARNEX_STATIC_ASSERT _Static_assert
#endif

TARNEX_STATIC_ASSERT(sizeof(PlcReply) == 262, "PlcReply is 262 bytes");
TARNEX_STATIC_ASSERT(offsetof(PlcReply, address) == 0, "PlcReply.address at 0");
TARNEX_STATIC_ASSERT(offsetof(PlcReply, function) == 1, "PlcReply.function at 1");
TARNEX_STATIC_ASSERT(offsetof(PlcReply, firstRegister) == 2, "PlcReply.firstRegister at 2");
TARNEX_STATIC_ASSERT(offsetof(PlcReply, count) == 4, "PlcReply.count at 4");
TARNEX_STATIC_ASSERT(offsetof(PlcReply, data) == 6, "PlcReply.data at 6");

#undef TARNEX_STATIC_ASSERT

#endif /* TARNEX_PLC_REPLY_H */
