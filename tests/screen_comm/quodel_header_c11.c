/* The library headers as a C caller sees them. */
#include "quodel.h"

#include <stddef.h>

int QuodelHeaderVarsSizeFromC(void);
int QuodelHeaderRequestFromC(void);

int QuodelHeaderVarsSizeFromC(void) { return (int)sizeof(QdScreenVars); }

/* Builds a request through the C declarations; 0 when both calls took it. */
int QuodelHeaderRequestFromC(void) {
  AckParam param = {0, 0, 0, 0, 0};
  (void)param;
  return Qd_MakeCmdHeader(0, 1, 0x200, 0) + Qd_AddRequestParm(0x20);
}
