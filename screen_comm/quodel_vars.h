#ifndef QUODEL_VARS_H
#define QUODEL_VARS_H
/* The screen variable block: every value the screen controllers have
 * reported, filled by Qd_GetAck and read in place through Qd_GetVarsPointer.
 * A parameter id is group (high byte) and item (low byte); field idGGII holds
 * the value of id 0xGGII. Replies with command 0 fill groups 0 to 8 (groups 2
 * to 5 once per element, selected by the reply's index); replies with command
 * 1 fill ProcessorWords. Plain C, natural alignment, laid out for LP64. */
#include <stddef.h>
#include <stdint.h>

/* A text value: points at its own 1024-byte buffer holding at most 1023
 * characters and a terminating zero. The pointers never change. */
typedef char *QdText;

typedef struct QdGroup0 {
  QdText id0001;
  int32_t id0002;
  QdText id0003;
  QdText id0004;
  QdText id0005;
  QdText id0006;
  QdText id0007;
  int32_t id0008;
  QdText id0009;
  int32_t id000A;
  int32_t id000B;
} QdGroup0;

typedef struct QdGroup1 {
  int32_t id0101, id0102, id0103, id0104, id0105;
  int32_t id0106, id0107, id0108, id0109, id010A;
} QdGroup1;

typedef struct QdGroup2 {
  QdText id0201, id0202, id0203, id0204;
  int32_t id0205, id0206, id0207, id0208, id0209, id020A;
  QdText id020B, id020C, id020D, id020E;
} QdGroup2;

typedef struct QdGroup3 {
  QdText id0301, id0302, id0303, id0304, id0305;
} QdGroup3;

typedef struct QdGroup4 {
  QdText id0401, id0402, id0403;
  int32_t id0404;
} QdGroup4;

typedef struct QdGroup5 {
  QdText id0501, id0502, id0503, id0504;
  int32_t id0505;
  QdText id0506;
  int32_t id0507, id0508, id0509;
  QdText id050A, id050B, id050C, id050D, id050E, id050F;
  int32_t id0510;
} QdGroup5;

typedef struct QdGroup6 {
  QdText id0601, id0602;
  int32_t id0603, id0604, id0605;
  QdText id0606, id0607;
  int32_t id0608, id0609, id060A, id060B, id060C, id060D, id060E, id060F;
  QdText id0610;
} QdGroup6;

typedef struct QdGroup7 {
  QdText id0701, id0702, id0703;
  int32_t id0704, id0705, id0706;
  QdText id0707;
  int32_t id0708, id0709, id070A, id070B, id070C;
} QdGroup7;

typedef struct QdGroup8 {
  int32_t id0801;
} QdGroup8;

/* Records per element in groups 2 to 5. */
enum { QD_ELEMENT_RECORDS = 256 };

/* The video processor words, by id: index 0 holds 0x21, 1 and 2 hold 0x01
 * and 0x02, 3 holds 0x20, 4..12 hold 0x0B..0x13, 13..18 hold 0x03..0x08,
 * 19 and 20 are never written, 21..32 hold 0x14..0x1F. */
enum { QD_PROCESSOR_WORDS = 33 };

typedef struct QdScreenVars {
  QdGroup0 group0;
  QdGroup1 group1;
  QdGroup2 group2[QD_ELEMENT_RECORDS];
  QdGroup3 group3[QD_ELEMENT_RECORDS];
  QdGroup4 group4[QD_ELEMENT_RECORDS];
  QdGroup5 group5[QD_ELEMENT_RECORDS];
  QdGroup6 group6;
  QdGroup7 group7;
  QdGroup8 group8;
  uint16_t ProcessorWords[QD_PROCESSOR_WORDS];
} QdScreenVars;

#ifdef __cplusplus
#define QD_STATIC_ASSERT(condition, message) static_assert(condition, message)
#else
#define QD_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#endif

QD_STATIC_ASSERT(sizeof(QdScreenVars) == 72032, "QdScreenVars size");
QD_STATIC_ASSERT(offsetof(QdScreenVars, group1) == 80, "group1 offset");
QD_STATIC_ASSERT(offsetof(QdScreenVars, group2) == 120, "group2 offset");
QD_STATIC_ASSERT(offsetof(QdScreenVars, group5) == 41080, "group5 offset");
QD_STATIC_ASSERT(offsetof(QdScreenVars, ProcessorWords) == 71964, "ProcessorWords offset");
QD_STATIC_ASSERT(offsetof(QdScreenVars, group0) + offsetof(QdGroup0, id0002) == 8,
                 "group0.id0002 offset");
QD_STATIC_ASSERT(offsetof(QdScreenVars, group5) + 3 * sizeof(QdGroup5) +
                         offsetof(QdGroup5, id0510) == 41552,
                 "group5[3].id0510 offset");

#endif /* QUODEL_VARS_H */
