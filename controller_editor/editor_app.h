#pragma once
// The editor's start-up: the login, then the main window and the event
// loop. The program's main and the tests run it.
#include "controller_comm/client/link_services.h"

// Creates the application object unless one exists. Returns the program's
// exit status: 0 also when the login was cancelled. The main window hands
// services to its link windows.
int runEditor(int argc, char **argv, const tarnex_client::LinkServices &services);
