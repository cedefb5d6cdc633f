#pragma once

#include "projects/edition.h"

// Starts the program: the main window with the welcome screen in it.
int runTarnwick(int argc, char **argv, Edition edition);
