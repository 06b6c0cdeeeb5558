/* A host that loads the link library at run time, starts a send that no
 * controller answers, clears its notice target, cleans up and unloads the
 * library at once. Exits 0 when it got that far; a worker of the library
 * still running after the unload would crash it. With "exit" it ends the
 * process instead, with the send still waiting for its reply: the exit
 * handlers must not pull anything from under the library's threads.
 *   unload_host LIBRARY PORT [exit]   (PORT: a UDP port of 127.0.0.1 that never answers) */
#include <dlfcn.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef int32_t (*Startup)(int32_t);
typedef uintptr_t (*SetNotify)(uintptr_t, int32_t);
typedef int32_t (*OpenDev)(int32_t, int32_t, int32_t);
typedef int32_t (*Read)(int32_t, int32_t, int32_t);
typedef int32_t (*Send)(int32_t, const char *, int32_t);
typedef int32_t (*Cleanup)(void);

static void *symbol(void *library, const char *name) {
  void *found = dlsym(library, name);
  if (found == NULL) {
    fprintf(stderr, "unload_host: %s missing\n", name);
    exit(3);
  }
  return found;
}

int main(int argc, char **argv) {
  if (argc != 3 && argc != 4) {
    fprintf(stderr, "usage: unload_host LIBRARY PORT [exit]\n");
    return 2;
  }
  void *library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
  if (library == NULL) {
    fprintf(stderr, "unload_host: %s\n", dlerror());
    return 2;
  }
  Startup startup = (Startup)symbol(library, "PLC_Startup");
  SetNotify setNotify = (SetNotify)symbol(library, "PLC_SetNotify");
  OpenDev openDev = (OpenDev)symbol(library, "PLC_OpenDev");
  Read read = (Read)symbol(library, "CMD_Read");
  Send send = (Send)symbol(library, "PLC_Send");
  Cleanup cleanup = (Cleanup)symbol(library, "PLC_Cleanup");

  startup(-1);
  setNotify(12345, 0x4C8); /* no such window: the notice goes nowhere */
  const int32_t slot = openDev(2, 9600, 0);
  if (slot < 0 || read(1, 0, 64) != 1 || send(slot, "127.0.0.1", atoi(argv[2])) < 2) {
    fprintf(stderr, "unload_host: the send did not start\n");
    return 4;
  }
  if (argc == 4) exit(0);
  setNotify(0, 0);
  cleanup();
  if (dlclose(library) != 0) {
    fprintf(stderr, "unload_host: %s\n", dlerror());
    return 5;
  }
  /* Room for anything of the library that still ran to fail. */
  const struct timespec pause = {0, 20 * 1000 * 1000};
  nanosleep(&pause, NULL);
  return 0;
}
