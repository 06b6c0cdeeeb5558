/* The library header as a C caller sees it. */
#include "tarnex.h"

#include <stddef.h>

int TarnexHeaderReplySizeFromC(void);
int TarnexHeaderReadFromC(void);

int TarnexHeaderReplySizeFromC(void) { return (int)sizeof(PlcReply); }

/* Queues a read through the C declarations; returns the queue length. */
int TarnexHeaderReadFromC(void) {
  PlcReply reply;
  if (PLC_GetData(&reply) != &reply) return -1;
  return (int)CMD_Read(1, 0, 64);
}
